#pragma once

#include <QSaveFile>
#include <QString>

#include <optional>

// The one way the program replaces a file (part file, stacker.ini, variables file, a rewritten
// part file): the new content goes into a temporary file beside the target, which takes the
// target's place only when everything was written. A crash, a full disk or a failed write leaves
// the old file whole, and the failure says the system's reason ("No space left on device").
//
// A symbolic link is followed and stays a link: its target gets the new content. A target that is
// not a regular file (a device, a FIFO, a socket, a folder) is never replaced: open() refuses it.
// A replaced file keeps its permission bits, and its owner and group as far as the system lets the
// user give them (root always can). A file with other hard links is never replaced: the rename
// would leave the other names with the old content.
//
// On Windows the new content is first committed under a second temporary name beside the target,
// which then takes the target's place in one rename; the file keeps its attributes, permissions
// (ACL) and creation time. A read-only file, or one that another program holds open without letting
// it be replaced, is refused with a message that says so; the old file stays as it was.
//
// If the program is killed midway, Linux mostly leaves nothing behind (where the file system
// allows, the temporary file has no name until the commit); elsewhere a file named after the
// target plus "." and six characters (on Windows "~", six characters, "." and six more) may
// remain. It never stands in the way of a later save, whose temporary name is new each time, and it
// is not removed for the user: the program cannot tell it from a file someone named that way.
//
// Use the flush() and commit() of this class: they hide the base class's, which skip the checks
// above; this commit() also checks the final flush itself rather than leave it to the close inside
// QSaveFile::commit().
class SaveFile final : public QSaveFile {
public:
    explicit SaveFile(const QString& path);
    // The file the content goes to (fileName() is a temporary name beside it on Windows).
    QString target() const { return m_target; }

    // Opens the temporary file; false, with errorString() saying why in words a user can act on,
    // when the folder is missing, the name too long to be replaced safely or the target no regular file.
    bool open(OpenMode mode) override;
    // Hands buffered data to the system; false (and the file will not commit) when that fails.
    bool flush();
    // Flushes, syncs and puts the new content in the target's place. On false the target is
    // unchanged and the temporary file is gone.
    bool commit();

protected:
    qint64 writeData(const char* data, qint64 len) override;

private:
    void failWith(const QString& reason);
    // Why the call just made failed: the system's own reason (its error code) where it left one, else Qt's.
    QString reasonOfFailure(int code) const;

    QString m_target;
    QString m_failure; // the first failure; once set the file can only be abandoned
};

namespace savefile {

// How many characters longer than the target's name the temporary file's name is: QSaveFile adds "."
// and six random characters; on Windows it does so after the staging name, which adds "~" and six more.
#ifdef Q_OS_WIN
inline constexpr qint64 TemporarySuffix = 14;
#else
inline constexpr qint64 TemporarySuffix = 7;
#endif

// The system's limits a path must stay within: bytes of one file name, bytes of a whole path
// (terminating zero included), as the file system of folder reports them.
struct Limits {
    qint64 name = 255;
    qint64 path = 4096;
};
Limits limits(const QString& folder);

// Why path cannot be replaced safely, or empty: it is not a regular file, it has other hard links,
// its folder is missing or is a file, or the name or the path is too long, counting the temporary
// name beside it (the name plus 7 characters). Links are followed: what counts is the file the
// content would go to.
QString pathProblem(const QString& path);

// The seam beneath every SaveFile through which a test makes a write, the final flush or the
// commit fail as a full disk would. The program itself installs none.
class Faults {
public:
    enum class Step { Write, Flush, Commit };
    struct Failure {
        QString reason;
        qint64 through = 0; // bytes of a failing write that reach the file before it fails
    };
    virtual ~Faults() = default;
    // Asked before each step of any SaveFile (length: the bytes given to a write); a failure makes
    // that step fail with its reason.
    virtual std::optional<Failure> before(Step step, qint64 length) = 0;
};

// Puts faults beneath every SaveFile from now on; nullptr takes them away. Not owned.
void setFaults(Faults* faults);

} // namespace savefile
