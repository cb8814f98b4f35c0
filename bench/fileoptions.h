#pragma once

// The options of the benchmarks that generate a large part file: [--size-mib N] [--runs R]
// [--dir FOLDER] [--keep].
#include <QDir>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

struct FileOptions {
    qint64 sizeMiB = 1024;
    int runs = 3;
    QString dir;
    bool keep = false;
};

// The options given, the folder defaulting to folderName under the temporary folder; nothing, with
// the usage printed, when an argument is not understood.
inline std::optional<FileOptions> parseFileOptions(int argc, char** argv, const QString& folderName) {
    FileOptions o;
    o.dir = QDir::temp().filePath(folderName);
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--size-mib" && i + 1 < argc)
            o.sizeMiB = std::atoll(argv[++i]);
        else if (a == "--runs" && i + 1 < argc)
            o.runs = std::max(1, std::atoi(argv[++i]));
        else if (a == "--dir" && i + 1 < argc)
            o.dir = QString::fromLocal8Bit(argv[++i]);
        else if (a == "--keep")
            o.keep = true;
        else {
            std::fprintf(stderr, "usage: %s [--size-mib N] [--runs R] [--dir FOLDER] [--keep]\n", argv[0]);
            return std::nullopt;
        }
    }
    return o;
}
