#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// Outcome of a file operation; error names the file and the reason when ok is false.
struct FileResult {
    bool ok = true;
    QString error;
    static FileResult failure(const QString& path, const QString& reason);
};

namespace textfile {

inline constexpr char Crlf[] = "\r\n";

// Text the program composes, in the system's 8-bit code page (the locale's encoding off Windows).
// decode never loses a byte: encode(decode(bytes)) == bytes for any bytes. A byte the system's
// encoding cannot read back as it came is held as the code point U+DC00 + byte, which encode turns
// into that byte again.
QByteArray encode(const QString& text);
QString decode(const QByteArray& bytes);

// Writes the lines, each ended by CR LF, through a temporary file beside the target that replaces
// it only when everything was written: a failure leaves the old file whole.
FileResult saveLines(const QString& path, const QList<QByteArray>& lines);

// The text with each run of line breaks and other control characters (tab aside) replaced by one
// blank: what a one-line box holds and what a composed line may contain.
QString oneLine(const QString& text);

// True when the text holds a line break or another control character that oneLine would replace.
bool breaksLine(const QString& text);
bool breaksLine(const QByteArray& bytes);

// s without any of the characters in blanks at either end.
QByteArrayView trimmed(QByteArrayView s, QByteArrayView blanks);

// The file called name in folder, matched without regard to letter case as on the file systems the
// program came from; empty when there is none.
QString findNoCase(const QString& folder, const QString& name);

// Whether a CR alone ends a line (as old Mac editors wrote part files) or is a byte of the line (as
// in the variables file, where it only ends the entry and the rest of the line is someone else's).
enum class LoneCr { EndsLine, IsText };

// Splits file content into lines; CR LF and a bare LF end a line, and a lone CR as asked; a final
// unterminated line counts.
QList<QByteArray> splitLines(const QByteArray& content, LoneCr loneCr = LoneCr::IsText);

} // namespace textfile
