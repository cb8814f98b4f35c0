#pragma once

// The programs whose part files are kept byte for byte in tests/data/partfile, for every test that
// must agree with what Save writes.
#include "core/panel/programmodel.h"

#include <QList>
#include <QStringList>
#include <QTest>

// One line: kind code, held text, inline comment (a GOSUB's label text in place of the comment).
inline QStringList goldenLine(Kind k, const QString& held, const QString& comment = {}) {
    return QStringList{QString::number(code(k)), held, comment};
}

inline void addGoldenPrograms() {
    QTest::addColumn<QList<QStringList>>("lines");
    QTest::addColumn<QString>("file");
    const auto row = [](Kind k, const QString& held, const QString& comment = {}) {
        return goldenLine(k, held, comment);
    };
    QTest::newRow("empty program") << QList<QStringList>{} << "empty.cvp";
    QTest::newRow("move, comment, end") << QList<QStringList>{row(Kind::Move, "MX, 2"), row(Kind::Comment, "'done"),
                                                              row(Kind::End, {})}
                                        << "six_lines.cvp";
    QTest::newRow("jog with inline comment")
        << QList<QStringList>{row(Kind::Jog, "JX, 3", "'slow")} << "jog_comment.cvp";
    // A free command is written as typed, also the part its block shows as a comment.
    QTest::newRow("free commands") << QList<QStringList>{row(Kind::Blank, "MX, 2 'home"),
                                                         row(Kind::Blank, "'only a comment"), row(Kind::Blank, "G0 X1")}
                                   << "free_commands.cvp";
    QTest::newRow("ampersands") << QList<QStringList>{row(Kind::Input, "INPUT \"Bit size?\" &&bit"),
                                                      row(Kind::Input, "INPUT \"a&&b\" &&x", "'why"),
                                                      row(Kind::Input, "INPUT \"\" "),
                                                      row(Kind::Variable, "&&depth = 0.5"),
                                                      row(Kind::IfThen, "IF &&a > 1 THEN GOTO x:")}
                                << "ampersands.cvp";
    // A PAUSE keeps no comment; a GOSUB brings its label and RETURN.
    QTest::newRow("fixed kinds and GOSUB")
        << QList<QStringList>{row(Kind::Pause, "PAUSE, 3", "'ignored"), row(Kind::GoSub, "GOSUB sub1:", "sub1:"),
                              row(Kind::Label, "Loop:", "'top")}
        << "fixed_kinds.cvp";
}

// Adds the lines to the panel; false when one is refused.
inline bool buildGoldenProgram(ProgramModel& panel, const QList<QStringList>& lines) {
    for (const QStringList& l : lines) {
        const Kind k = kindFromCode(l[0].toInt());
        if (!(k == Kind::GoSub ? panel.addGoSub(l[1], l[2]) : panel.add(k, l[1], l[2]))) return false;
    }
    return true;
}
