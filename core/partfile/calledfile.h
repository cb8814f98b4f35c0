#pragma once

#include <QString>

// Where a File call line's name leads, one rule for the checker and the dry run. Operators write
// names as the router's Windows takes them: a backslash separates folders, and a name that differs
// from the file's only in letter case still finds it.
namespace calledfile {

struct Target {
    enum class Kind {
        None,        // the line names no file
        Variable,    // the name holds a variable, so the file is known only when the line runs
        WindowsPath, // a drive letter or a network share, which this system cannot reach
        Path,        // path holds the file's path
    };
    Kind kind = Kind::None;
    QString path; // Path: the name with "/" for "\", taken from folder when relative; cleaned
};

// The file a called name stands for. A relative name is taken from folder (as it stands when folder
// is empty).
Target resolve(const QString& name, const QString& folder);

// name as a path: "\" as "/", a relative name taken from folder (as it stands when folder is
// empty), cleaned. No rule about variables or Windows paths: resolve applies those.
QString pathOf(const QString& name, const QString& folder);

// The entry at path as the router finds it: the path itself when something is there, else, folder
// by folder, names that differ only in letter case; empty when there is none. Any kind of entry
// counts (a folder, a FIFO); nothing is opened.
QString locate(const QString& path);

// What stands at a called path, as locate finds it.
struct Found {
    enum class Kind { Missing, File, Other };
    Kind kind = Kind::Missing;
    QString path; // File and Other: the entry found
    QString what; // Other: what it is, as words for a sentence ("a folder", "a named pipe (FIFO)")
};
Found find(const QString& path);

} // namespace calledfile
