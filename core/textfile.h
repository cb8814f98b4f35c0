#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

// Outcome of a file operation; error names the file and the reason when ok is false.
struct FileResult {
    bool ok = true;
    QString error;
    static FileResult failure(const QString& path, const QString& reason);
};

namespace textfile {

inline constexpr char Crlf[] = "\r\n";

// How a file's bytes are read as text. A file that is valid UTF-8 is read as UTF-8; any other as
// Windows-1252, the code page the operators' Windows writes, in which every byte stands for one
// character (its five undefined bytes for the control characters of the same number), so no byte is
// ever lost. A file of ASCII alone reads the same either way; what is typed into it, as into a new
// file, is written in Windows-1252, which the router's control software reads.
enum class Encoding { Utf8, Windows1252 };

// The encoding's name as the user reads it in a message.
QString encodingName(Encoding encoding);

// Follows bytes fed in pieces and tells whether all of them together are valid UTF-8 (no overlong
// forms, no surrogates, nothing above U+10FFFF) and whether any of them is above ASCII.
class Utf8Check {
public:
    void add(QByteArrayView bytes);
    // Valid so far, with no sequence left open at the end.
    bool valid() const { return !m_bad && m_need == 0; }
    bool ascii() const { return m_ascii; }
    // Invalid already, whatever follows.
    bool broken() const { return m_bad; }
    // The encoding of a file holding exactly the bytes fed.
    Encoding encoding() const { return valid() && !ascii() ? Encoding::Utf8 : Encoding::Windows1252; }

private:
    int m_need = 0;                            // continuation bytes still to come
    unsigned char m_low = 0x80, m_high = 0xBF; // range of the next continuation byte
    bool m_bad = false;
    bool m_ascii = true;
};

// The encoding a file holding exactly these bytes is read in.
Encoding encodingOf(QByteArrayView bytes);
// The encoding of the file at path, read through in bounded memory; Windows-1252 when it cannot be read.
Encoding fileEncoding(const QString& path);

// The text of bytes in the encoding; encode gives the same bytes back. Bytes that are no valid UTF-8
// are read as Windows-1252 whatever the encoding asked, so that nothing is lost.
QString decode(QByteArrayView bytes, Encoding encoding);
// The text of bytes that are a file of their own: in the encoding encodingOf gives them.
QString decode(const QByteArray& bytes);
// The bytes of text in the encoding; nothing when a character cannot be written in it, with
// *refused (if given) set to the first such character.
std::optional<QByteArray> encode(QStringView text, Encoding encoding, QString* refused = nullptr);
// The first character of text that the encoding cannot hold; empty when it holds them all.
QString unencodable(QStringView text, Encoding encoding);

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
