#pragma once

#include <QSaveFile>
#include <QString>

// The one way the program replaces a file (part file, stacker.ini, variables file, a rewritten
// part file): the new content goes into a temporary file beside the target, which takes the
// target's place only when everything was written. A crash, a full disk or a failed write leaves
// the old file whole.
//
// If the program is killed midway, Linux mostly leaves nothing behind (where the file system
// allows, the temporary file has no name until the commit); elsewhere a file named after the
// target plus "." and six characters may remain. It never stands in the way of a later save, whose temporary name is
// new each time, and it is not removed for the user: the program cannot tell it from a file someone named that way.
//
// Writes, the final flush and the commit each pass a test hook (writefaults) first, so tests can
// make any one of them fail. Use the flush() and commit() of this class: they hide the base
// class's, which skip the hook; this commit() also checks the final flush itself rather than
// leave it to the close inside QSaveFile::commit().
class SaveFile final : public QSaveFile {
public:
    explicit SaveFile(const QString& path);

    // Opens the temporary file; false, with errorString() saying why in words a user can act on,
    // when the folder is missing or the name too long to be replaced safely.
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
};

namespace savefile {

// The system's limits a path must stay within: bytes of one file name, bytes of a whole path
// (terminating zero included), as the file system of folder reports them.
struct Limits {
    qint64 name = 255;
    qint64 path = 4096;
};
Limits limits(const QString& folder);

// Why path cannot be replaced safely, or empty: its folder is missing or is a file, or the name or
// the path is too long, counting the temporary name beside it (the name plus 7 characters).
QString pathProblem(const QString& path);

} // namespace savefile

// Test hook: makes the n-th write, flush or commit of any SaveFile fail. Tests only arm it; by
// default nothing ever fails and the cost is one counter increment per call.
namespace writefaults {

enum class Step { Write, Flush, Commit };

// Counts calls afresh and makes the n-th call of step from now on fail (n >= 1); 0 arms nothing.
void arm(Step step, int n);
// Disarms and resets the counts.
void clear();
// Calls of step since the last arm() or clear().
int calls(Step step);

} // namespace writefaults
