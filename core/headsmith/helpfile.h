#pragma once

#include <QString>

#include <optional>

// Where Headsmith's help is: the text file, and the maker's editor that opens it where the maker's
// software is installed.
namespace helpfile {

inline const QString FileName = QStringLiteral("head_smithfaq.txt");

// The install folder of the maker's software: the program's folder up to the last "Toolcrate",
// ending with the separator before it. Nothing when the folder has no "Toolcrate".
std::optional<QString> installFolder(const QString& programFolder);

// The maker's text editor under that install folder.
QString editorPath(const QString& pathString);

// The help file: beside the program when it is there (the build tree, a Windows install), else the
// installed copy under the shared data folders (share/cvstacker/); the path beside the program
// when neither exists, so that a failure names where it looked first.
QString filePath(const QString& programFolder);

} // namespace helpfile
