#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// What a part file's Headsmith header says, read back from its comment lines: the answers the
// operator needs at the machine, and the blank the dry run checks cuts against. The texts are as
// the header writes them ("96 x 48", "3/4", "1/4 down-spiral bit"); turning them into numbers is
// the reader's caller's business.
struct HeaderInfo {
    QString description;
    QString createdBy;
    QString date;
    QString blank;
    QString material;
    QString thickness;
    QString bit;
    QString zeroAt;                  // "the Corvane table top surface", "the top surface of the blank"
    std::optional<bool> zeroOnTable; // when zeroAt names the table, or the blank or material
    QString offsetMode;              // "2d" or "3d"; empty when the file is not cut in an offset mode
    QString offsetTo;                // where to move before cutting: "1.5 , 2"
    QStringList notes;
    bool hasCutLine = false; // the "Cut this file out of ..." line was there

    bool isEmpty() const;
};

namespace headerinfo {

// Reads a header one line at a time, so a file held in memory and one streamed from disk are read
// alike. Only comment lines beginning with "''" are answers, and the first line of each kind counts:
// a note that happens to read like an answer changes nothing. In a file with a Headsmith header only
// the lines inside it count; a file without one may have its answer lines typed anywhere.
class Reader {
public:
    void add(QStringView line);
    const HeaderInfo& info() const { return m_info; }

private:
    enum class Section { None, Contact, Notes };
    HeaderInfo m_info;
    Section m_section = Section::None;
    bool m_afterCut = false; // the line before was the cut line, so this one may name the bit
    bool m_haveCreated = false;
    bool m_haveZero = false;
    bool m_haveOffset = false;
    bool m_notesDone = false;
    int m_depth = 0; // headers entered and not yet ended
    bool m_done = false;
};

HeaderInfo read(const QStringList& lines);

} // namespace headerinfo
