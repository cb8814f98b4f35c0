#pragma once

#include "gui/commandline.h"

class QTextStream;

// The modes that run without a window. Each prints plain text (the dry run also JSON) to out, reasons
// to err, and returns the exit status as compilers do: 0 done, 1 the check found an error, 2 the file
// could not be read, the command line was wrong or a picture could not be written.
int runCheck(const CommandLine& command, QTextStream& out, QTextStream& err);
// Drawing the toolpath into a file needs a QGuiApplication (the offscreen platform will do).
int runDryRun(const CommandLine& command, QTextStream& out, QTextStream& err);
// Writes the job sheet as a PDF: 0 written, 2 the part file could not be read or an answer was
// wrong, 1 the PDF could not be written. Needs a QGuiApplication, as the picture does.
int runJobSheet(const CommandLine& command, QTextStream& err);
