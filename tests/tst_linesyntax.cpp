#include "core/language/linesyntax.h"

#include <QTest>

#include <algorithm>
#include <array>
#include <functional>

using namespace linesyntax;

namespace {

// Field values that have tripped line syntaxes before: blanks, ampersands, colons, quotes,
// separators, and the sample prompt "?".
const QStringList Samples = {
    QString(),
    QStringLiteral(" "),
    QStringLiteral("1"),
    QStringLiteral("-0.5"),
    QStringLiteral("a&b"),
    QStringLiteral("&&x"),
    QStringLiteral("&"),
    QStringLiteral("x:"),
    QStringLiteral(":"),
    QStringLiteral("'q"),
    QStringLiteral("say \"hi\""),
    QStringLiteral("  pad  "),
    QStringLiteral("1,5"),
    QStringLiteral("1, 5"),
    QStringLiteral("a = b"),
    QStringLiteral("?"),
    QStringLiteral(" ? "),
    QStringLiteral("IF a THEN b"),
};

// A small deterministic generator, so a failing combination can be reproduced.
struct Lcg {
    quint32 state = 12345;
    int next(int bound) {
        state = state * 1103515245u + 12345u;
        return int((state >> 16) % quint32(bound));
    }
};

QStringList samplesWith(std::initializer_list<QLatin1String> prompts) {
    QStringList s = Samples;
    for (QLatin1String p : prompts)
        s << QString(p) << QString(p) + u' ';
    return s;
}

} // namespace

class TestLineSyntax : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void axes_data();
    void axes();
    void axesFill_data();
    void axesFill();
    void axesEditedFields();
    void speed_data();
    void speed();
    void fileCall_data();
    void fileCall();
    void relativeName_data();
    void relativeName();
    void ifThen_data();
    void ifThen();
    void ifPromptComparedExactly();
    void ifHeldEndingInThen();
    void ampersands_data();
    void ampersands();
    void twoFields_data();
    void twoFields();
    void oneField_data();
    void oneField();
    void fill_data();
    void fill();

    void roundTripAxes();
    void roundTripSpeed();
    void roundTripFileCall();
    void roundTripIf();
    void roundTripVarAndInput();
    void roundTripOneField();
};

// ---- Move and Jog

void TestLineSyntax::axes_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("boxes"); // X, Y, Z, A, B
    QTest::addColumn<QString>("held");
    const auto row = [](const char* name, const char* cmd, QStringList boxes, const char* held) {
        QTest::newRow(name) << QString::fromLatin1(cmd) << boxes << QString::fromLatin1(held);
    };
    row("Y and B", "M", {"", "2", "", "", "45"}, "M5, , 2, , , 45");
    row("Y and Z", "M", {"", "2", "1", "", ""}, "M3, , 2, 1");
    row("Z alone", "M", {"", "", "1", "", ""}, "MZ, , , 1");
    row("Y alone", "M", {"", "2", "", "", ""}, "MY, , 2");
    row("jog X alone", "J", {"3", "", "", "", ""}, "JX, 3");
    row("blank Y counts as filled", "M", {"", " ", "1", "", ""}, "M3, ,  , 1");
    row("nothing filled", "M", {"", "", "", "", ""}, "");
    row("X alone", "M", {"1", "", "", "", ""}, "MX, 1");
    row("negative Z", "M", {"", "", "-0.5", "", ""}, "MZ, , , -0.5");
    row("jog Z alone", "J", {"", "", "1", "", ""}, "JZ, , , 1");
    row("X and Y", "M", {"1", "2", "", "", ""}, "M2, 1, 2");
    row("X and Z", "M", {"1", "", "3", "", ""}, "M3, 1, , 3");
    row("A alone", "M", {"", "", "", "90", ""}, "M4, , , , 90");
    row("B alone", "M", {"", "", "", "", "10"}, "M5, , , , , 10");
    row("X and B", "M", {"1", "", "", "", "10"}, "M5, 1, , , , 10");
    row("Y and A", "M", {"", "2", "", "90", ""}, "M4, , 2, , 90");
    row("letters taken unchanged", "M", {"abc", "", "", "", ""}, "MX, abc");
    row("blank-only X", "M", {" ", "", "", "", ""}, "MX,  ");
    row("nothing trimmed", "J", {" 1 ", "2 ", "", "", ""}, "J2,  1 , 2 ");
    row("jog all five", "J", {"1", "2", "3", "4", "5"}, "J5, 1, 2, 3, 4, 5");
    row("decimal comma kept as typed", "M", {"1,5", "", "", "", ""}, "MX, 1,5");
}

void TestLineSyntax::axes() {
    QFETCH(QString, command);
    QFETCH(QStringList, boxes);
    QFETCH(QString, held);
    AxisFields f;
    for (int i = 0; i < 5; ++i)
        f.axis[i] = boxes[i];
    QCOMPARE(composeAxes(command[0], f), held);
}

void TestLineSyntax::axesFill_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("held");
    QTest::addColumn<QStringList>("boxes");
    const auto row = [](const char* name, const char* cmd, const char* held, QStringList boxes) {
        QTest::newRow(name) << QString::fromLatin1(cmd) << QString::fromLatin1(held) << boxes;
    };
    row("M3 with empty Y", "M", "M3, 1, , 0.5", {"1", "", "0.5", "", ""});
    row("M4", "M", "M4, 1, 2, 3, 90", {"1", "2", "3", "90", ""});
    row("JY", "J", "JY, , 2", {"", "2", "", "", ""});
    row("MZ", "M", "MZ, , , 0.5", {"", "", "0.5", "", ""});
    row("M5", "M", "M5, , 2, , , 45", {"", "2", "", "", "45"});
    row("J2", "J", "J2, 1, 2", {"1", "2", "", "", ""});
    row("MX", "M", "MX, abc", {"abc", "", "", "", ""});
    row("empty held text", "M", "", {"", "", "", "", ""});
    row("other command letter", "M", "JX, 3", {"", "", "", "", ""});
    row("unknown command", "M", "MQ, 1", {"", "", "", "", ""});
    row("command without fields", "M", "M5", {"", "", "", "", ""});
    row("blank-only Y comes back empty", "M", "M3, ,  , 1", {"", "", "1", "", ""});
    row("blank-only A comes back empty", "J", "J4, , , 1,  ", {"", "", "1", "", ""});
    row("blanks around a value go", "J", "J2,  1 , 2 ", {"1", "2", "", "", ""});
    row("single axis trimmed", "M", "MY, ,  2 ", {"", "2", "", "", ""});
    row("comma without blank stays in its box", "M", "M2, 1,5, 2", {"1,5", "2", "", "", ""});
    row("last box keeps the rest", "M", "MX, 1, 2", {"1, 2", "", "", "", ""});
    row("single axis keeps the rest", "M", "MZ, , , 1, 2", {"", "", "1, 2", "", ""});
}

void TestLineSyntax::axesFill() {
    QFETCH(QString, command);
    QFETCH(QString, held);
    QFETCH(QStringList, boxes);
    const AxisFields f = fillAxes(command[0], held);
    QCOMPARE(QStringList(f.axis.begin(), f.axis.end()), boxes);
}

void TestLineSyntax::axesEditedFields() {
    AxisFields f = fillAxes(u'M', QStringLiteral("M3, 1, , 0.5"));
    f.axis[0].clear();
    f.axis[1].clear();
    QCOMPARE(composeAxes(u'M', f), QStringLiteral("MZ, , , 0.5"));

    f = fillAxes(u'M', QStringLiteral("M4, 1, 2, 3, 90"));
    f.axis[3].clear();
    QCOMPARE(composeAxes(u'M', f), QStringLiteral("M3, 1, 2, 3"));
}

// ---- Speed

void TestLineSyntax::speed_data() {
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("held");
    QTest::newRow("XY move and Z jog") << QStringList{"2", "", "", "", "", "1", "", ""}
                                       << QStringLiteral("VS, 2, , , , , 1, , ");
    QTest::newRow("all empty") << QStringList(8) << QStringLiteral("VS, , , , , , , , ");
    QTest::newRow("edited line") << QStringList{"2", "1", "", "", "4", "2", "", ""}
                                 << QStringLiteral("VS, 2, 1, , , 4, 2, , ");
    QTest::newRow("typed blanks kept, filled back trimmed")
        << QStringList{" 2", "", "", "", " ", "", "", "9 "} << QStringLiteral("VS,  2, , , ,  , , , 9 ");
}

void TestLineSyntax::speed() {
    QFETCH(QStringList, boxes);
    QFETCH(QString, held);
    SpeedFields f;
    for (int i = 0; i < 8; ++i)
        f.speed[i] = boxes[i];
    QCOMPARE(composeSpeed(f), held);
    const SpeedFields back = fillSpeed(held);
    QStringList trimmed;
    for (const QString& box : boxes)
        trimmed << box.trimmed();
    QCOMPARE(QStringList(back.speed.begin(), back.speed.end()), trimmed);
}

// ---- File call

void TestLineSyntax::fileCall_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("held");
    QTest::addColumn<QString>("modeBack"); // the mode an edit selects
    QTest::newRow("2d") << "pocket.cvp"
                        << "2"
                        << "FP, pocket.cvp,,,,, 2"
                        << "2";
    QTest::newRow("no offset, full path") << "D:\\other\\x.cvp"
                                          << "0"
                                          << "FP, D:\\other\\x.cvp,,,,, 0"
                                          << "0";
    QTest::newRow("3d") << "a.cvp"
                        << "1"
                        << "FP, a.cvp,,,,, 1"
                        << "1";
    QTest::newRow("comma in the file name") << "a,b.cvp"
                                            << "2"
                                            << "FP, a,b.cvp,,,,, 2"
                                            << "2";
    QTest::newRow("unknown mode selects 3d") << "a.cvp"
                                             << "7"
                                             << "FP, a.cvp,,,,, 7"
                                             << "1";
}

void TestLineSyntax::fileCall() {
    QFETCH(QString, file);
    QFETCH(QString, mode);
    QFETCH(QString, held);
    QFETCH(QString, modeBack);
    // Only the three modes can be composed; any other field is read as 3d.
    for (const OffsetMode m : {OffsetMode::None, OffsetMode::Offset2d, OffsetMode::Offset3d})
        if (offsetModeText(m) == mode) QCOMPARE(composeFileCall({file, m}), held);
    const FileCallFields back = fillFileCall(held);
    QCOMPARE(back.fileName, file);
    QCOMPARE(QString(offsetModeText(back.offsetMode)), modeBack);
}

void TestLineSyntax::relativeName_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("ignoreCase");
    QTest::addColumn<QString>("relative"); // empty: not in or below the folder
    const QString sign = QStringLiteral("C:\\jobs\\sign\\");
    QTest::newRow("same folder") << sign << "C:\\jobs\\sign\\pocket.cvp" << true << "pocket.cvp";
    QTest::newRow("subfolder") << sign << "C:\\jobs\\sign\\parts\\logo.cvp" << true << "parts\\logo.cvp";
    QTest::newRow("other case, ignoring case") << sign << "c:\\JOBS\\Sign\\pocket.cvp" << true << "pocket.cvp";
    QTest::newRow("other case, exact") << sign << "c:\\JOBS\\Sign\\pocket.cvp" << false << "";
    QTest::newRow("outside") << sign << "D:\\other\\x.cvp" << true << "";
    QTest::newRow("folder text in the middle") << sign << "D:\\copy\\C:\\jobs\\sign\\x.cvp" << true << "";
    QTest::newRow("sibling with a longer name") << "/jobs/sign"
                                                << "/jobs/signs/x.cvp" << false << "";
    QTest::newRow("folder without its separator") << "/jobs/sign"
                                                  << "/jobs/sign/x.cvp" << false << "x.cvp";
    QTest::newRow("no master folder") << ""
                                      << "/jobs/x.cvp" << false << "";
    QTest::newRow("the folder itself") << "/jobs/"
                                       << "/jobs/" << false << "";
}

void TestLineSyntax::relativeName() {
    QFETCH(QString, folder);
    QFETCH(QString, path);
    QFETCH(bool, ignoreCase);
    QFETCH(QString, relative);
    const auto got = relativeToFolder(path, folder, ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive);
    QCOMPARE(got.value_or(QString()), relative);
}

// ---- IF..THEN

void TestLineSyntax::ifThen_data() {
    QTest::addColumn<QString>("test");
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("held");
    QTest::addColumn<QString>("testBack");
    QTest::addColumn<QString>("statementBack");
    QTest::newRow("ampersand") << "&count > 3"
                               << "GOTO done:"
                               << "IF &&count > 3 THEN GOTO done:"
                               << "&count > 3"
                               << "GOTO done:";
    QTest::newRow("both untouched") << "?"
                                    << "?"
                                    << "IF  THEN "
                                    << ""
                                    << "";
    QTest::newRow("two ampersands") << "&a=1&b"
                                    << "GOTO x:"
                                    << "IF &&a=1&&b THEN GOTO x:"
                                    << "&a=1&b"
                                    << "GOTO x:";
    QTest::newRow("run at the end") << "p&&"
                                    << "?"
                                    << "IF p&&&& THEN "
                                    << "p&&"
                                    << "";
    QTest::newRow("trimmed before doubling") << "  &a > 1  "
                                             << " END "
                                             << "IF &&a > 1 THEN END"
                                             << "&a > 1"
                                             << "END";
    QTest::newRow("THEN inside the test, empty statement") << "IF a THEN b"
                                                           << "?"
                                                           << "IF IF a THEN b THEN "
                                                           << "IF a THEN b"
                                                           << "";
    QTest::newRow("THEN inside the test") << "a THEN b"
                                          << "c"
                                          << "IF a THEN b THEN c"
                                          << "a"
                                          << "b THEN c";
    QTest::newRow("empty test") << ""
                                << "x THEN y"
                                << "IF  THEN x THEN y"
                                << ""
                                << "x THEN y";
}

void TestLineSyntax::ifThen() {
    QFETCH(QString, test);
    QFETCH(QString, statement);
    QFETCH(QString, held);
    QFETCH(QString, testBack);
    QFETCH(QString, statementBack);
    QCOMPARE(composeIf({test, statement}), held);
    const IfFields back = fillIf(held);
    QCOMPARE(back.test, testBack);
    QCOMPARE(back.statement, statementBack);
    QCOMPARE(composeIf(back), held);
}

// A held text no dialog composed may end in " THEN" with no blank after it: nothing follows the split.
void TestLineSyntax::ifHeldEndingInThen() {
    const std::pair<QString, QString> cases[] = {{QStringLiteral("IF a > 1 THEN"), QStringLiteral("a > 1")},
                                                 {QStringLiteral(" THEN"), QString()}};
    for (const auto& [held, test] : cases) {
        const IfFields f = fillIf(held);
        QCOMPARE(f.test, test);
        QCOMPARE(f.statement, QString());
    }
}

void TestLineSyntax::ifPromptComparedExactly() {
    // " ?" is not the sample text, so it is kept, trimmed; filled back it is the sample and dropped.
    const QString held = composeIf({QStringLiteral(" ?"), QString()});
    QCOMPARE(held, QStringLiteral("IF ? THEN "));
    QCOMPARE(composeIf(fillIf(held)), QStringLiteral("IF  THEN "));
}

void TestLineSyntax::ampersands_data() {
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("doubled");
    QTest::newRow("none") << "abc"
                          << "abc";
    QTest::newRow("one") << "&a"
                         << "&&a";
    QTest::newRow("run of three") << "x&&&y"
                                  << "x&&&&&&y";
    QTest::newRow("last character") << "a&"
                                    << "a&&";
    QTest::newRow("empty") << ""
                           << "";
}

void TestLineSyntax::ampersands() {
    QFETCH(QString, plain);
    QFETCH(QString, doubled);
    QCOMPARE(doubleAmpersands(plain), doubled);
    QCOMPARE(undoubleAmpersands(doubled), plain);
}

// ---- Variable and INPUT

void TestLineSyntax::twoFields_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("held");
    const QString var = QStringLiteral("var"), input = QStringLiteral("input");
    QTest::newRow("var name") << var << "depth"
                              << "0.5"
                              << "&&depth = 0.5";
    QTest::newRow("var name with &") << var << "&depth"
                                     << "0.5"
                                     << "&&depth = 0.5";
    QTest::newRow("var name emptied") << var << ""
                                      << "5"
                                      << "&& = 5";
    QTest::newRow("var untouched") << var << QString(VarNamePrompt) << QString(VarValuePrompt) << " = ";
    QTest::newRow("var name already doubled") << var << "&&x"
                                              << "1"
                                              << "&&&x = 1";
    QTest::newRow("var value untouched") << var << "x" << QString(VarValuePrompt) << "&&x = ";
    QTest::newRow("var value kept as typed") << var << "x"
                                             << " a = b "
                                             << "&&x =  a = b ";
    QTest::newRow("var prompt compared exactly") << var << "type the variable name here"
                                                 << "1"
                                                 << "&&type the variable name here = 1";
    QTest::newRow("input") << input << "Bit size?"
                           << "bit"
                           << "INPUT \"Bit size?\" &&bit";
    QTest::newRow("input untouched") << input << QString(InputPromptPrompt) << QString(InputVarPrompt) << "INPUT \"\" ";
    QTest::newRow("input variable emptied") << input << "x"
                                            << ""
                                            << "INPUT \"x\" &&";
    QTest::newRow("input variable with &") << input << "x"
                                           << "&bit"
                                           << "INPUT \"x\" &&bit";
    QTest::newRow("input trimmed") << input << "  Depth?  "
                                   << " d "
                                   << "INPUT \"Depth?\" &&d";
    QTest::newRow("input sample compared exactly") << input << "x"
                                                   << "&myvar"
                                                   << "INPUT \"x\" &&myvar";
    QTest::newRow("input quote in prompt") << input << "Enter \"depth\""
                                           << "d"
                                           << "INPUT \"Enter \"depth\"\" &&d";
}

void TestLineSyntax::twoFields() {
    QFETCH(QString, kind);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, held);
    if (kind == QLatin1String("var"))
        QCOMPARE(composeVar({first, second}), held);
    else
        QCOMPARE(composeInput({first, second}), held);
}

// ---- One-box kinds and the inline comment

void TestLineSyntax::oneField_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("held");
    const auto row = [](const char* name, const char* kind, const QString& typed, const char* held) {
        QTest::newRow(name) << QString::fromLatin1(kind) << typed << QString::fromLatin1(held);
    };
    row("label", "label", "loop", "loop:");
    row("label with colon", "label", "loop:", "loop:");
    row("label untouched", "label", LabelPrompt, "Type label name here:");
    row("label empty", "label", "", ":");
    row("goto", "goto", "loop", "GOTO loop:");
    row("goto with colon", "goto", "start:", "GOTO start:");
    row("goto untouched", "goto", GoToPrompt, "");
    row("goto empty", "goto", "", "GOTO :");
    row("goto prompt compared exactly", "goto", "Type GOTO label here ", "GOTO Type GOTO label here :");
    row("gosub", "gosub", "sub1", "GOSUB sub1:");
    row("gosub label", "gosublabel", "sub1", "sub1:");
    row("gosub untouched", "gosub", GoSubPrompt, "GOSUB Type GOSUB label here:");
    row("gosub label untouched", "gosublabel", GoSubPrompt, "Type GOSUB label here:");
    row("gosub empty", "gosub", "", "GOSUB :");
    row("gosub label empty", "gosublabel", "", ":");
    row("pause", "pause", "3", "PAUSE, 3");
    row("pause decimal", "pause", "2.5", "PAUSE, 2.5");
    row("pause empty", "pause", "", "PAUSE");
    row("pause untouched", "pause", PausePrompt, "PAUSE");
    row("pause leading blank kept", "pause", " 2", "PAUSE,  2");
    row("comment", "comment", "cut the pocket", "'cut the pocket");
    row("comment already marked", "comment", "'already", "'already");
    row("comment empty", "comment", "", "'");
    row("comment untouched", "comment", CommentPrompt, "");
    row("blank", "blank", "MH", "MH");
    row("blank untouched", "blank", BlankPrompt, "");
    row("blank with comment", "blank", "MX, 2 'home", "MX, 2 'home");
    row("inline", "inline", "check depth", "'check depth");
    row("inline already marked", "inline", "'ok", "'ok");
    row("inline emptied", "inline", "", "");
}

void TestLineSyntax::oneField() {
    QFETCH(QString, kind);
    QFETCH(QString, typed);
    QFETCH(QString, held);
    const QHash<QString, std::function<QString(const QString&)>> compose = {
        {"label", [](const QString& t) { return composeLabel({t}); }},
        {"goto", [](const QString& t) { return composeGoTo({t}); }},
        {"gosub", [](const QString& t) { return composeGoSub({t}).line; }},
        {"gosublabel", [](const QString& t) { return composeGoSub({t}).label; }},
        {"pause", [](const QString& t) { return composePause({t}); }},
        {"comment", [](const QString& t) { return composeComment({t}); }},
        {"blank", [](const QString& t) { return composeBlank({t}); }},
        {"inline", [](const QString& t) { return composeInlineComment(t); }},
    };
    QCOMPARE(compose.value(kind)(typed), held);
}

// ---- Filling the boxes of an edited line

void TestLineSyntax::fill_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("held");
    QTest::addColumn<QStringList>("boxes");
    const auto row = [](const char* name, const char* kind, const char* held, QStringList boxes) {
        QTest::newRow(name) << QString::fromLatin1(kind) << QString::fromLatin1(held) << boxes;
    };
    row("label", "label", "loop:", {"loop:"});
    row("goto", "goto", "GOTO start:", {"start:"});
    row("goto empty", "goto", "", {""});
    row("goto blanks kept", "goto", "GOTO  x:", {" x:"});
    row("gosub", "gosub", "GOSUB sub1:", {"sub1:"});
    row("var", "var", "&&depth = 0.5", {"&depth", "0.5"});
    row("var without name", "var", " = 5", {"", "5"});
    row("var emptied name", "var", "&& = 5", {"&", "5"});
    row("var already doubled name", "var", "&&&x = 1", {"&&x", "1"});
    row("var value with equals", "var", "&&x = a = b", {"&x", "a = b"});
    row("var value with bare equals", "var", "&&x = a=b", {"&x", "a=b"});
    row("input", "input", "INPUT \"Bit size?\" &&bit", {"Bit size?", "&bit"});
    row("input defaults", "input", "INPUT \"\" ", {"", ""});
    row("input emptied variable", "input", "INPUT \"x\" &&", {"x", "&"});
    row("input quotes in prompt", "input", "INPUT \"Enter \"depth\"\" &&d", {"Enter \"depth\"", "&d"});
    row("input quote at prompt end, no variable", "input", "INPUT \"say \"hi\"\" ", {"say \"hi\"", ""});
    row("input && in prompt", "input", "INPUT \"a\" &&b\" &&c", {"a\" &&b", "&c"});
    row("input blank before a quote in the variable", "input", "INPUT \"a\" &&b \" &&c", {"a", "&b \" &&c"});
    // "&MyVar" in the box would read as the untouched sample on Done, and the variable would be lost.
    row("input variable named like the sample", "input", "INPUT \"p\" &&MyVar", {"p", "MyVar"});
    row("pause", "pause", "PAUSE, 3", {"3"});
    row("pause alone", "pause", "PAUSE", {""});
    row("pause leading blank", "pause", "PAUSE,  2", {" 2"});
    row("pause with comma", "pause", "PAUSE, 1,5", {"1,5"});
    row("comment", "comment", "'cut", {"'cut"});
    row("blank", "blank", "MX, 2 'home", {"MX, 2 'home"});
}

void TestLineSyntax::fill() {
    QFETCH(QString, kind);
    QFETCH(QString, held);
    QFETCH(QStringList, boxes);
    QStringList got;
    if (kind == QLatin1String("label"))
        got << fillLabel(held).name;
    else if (kind == QLatin1String("goto"))
        got << fillGoTo(held).name;
    else if (kind == QLatin1String("gosub"))
        got << fillGoSub(held).name;
    else if (kind == QLatin1String("var"))
        got << fillVar(held).name << fillVar(held).value;
    else if (kind == QLatin1String("input"))
        got << fillInput(held).prompt << fillInput(held).variable;
    else if (kind == QLatin1String("pause"))
        got << fillPause(held).time;
    else if (kind == QLatin1String("comment"))
        got << fillComment(held).text;
    else if (kind == QLatin1String("blank"))
        got << fillBlank(held).text;
    QCOMPARE(got, boxes);
}

// ---- Round trips: an edit closed at once with Done gives back the same held text

// Boxes come back trimmed: blanks around a field are not part of it.
template <std::size_t N> std::array<QString, N> trimmedBoxes(const std::array<QString, N>& boxes) {
    std::array<QString, N> out;
    for (std::size_t i = 0; i < N; ++i)
        out[i] = boxes[i].trimmed();
    return out;
}

template <std::size_t N> bool anyPadded(const std::array<QString, N>& boxes) {
    return std::any_of(boxes.begin(), boxes.end(), [](const QString& s) { return s != s.trimmed(); });
}

void TestLineSyntax::roundTripAxes() {
    Lcg rng;
    const QStringList values = Samples + QStringList{QStringLiteral(", 5"), QStringLiteral(" 2 ")};
    for (int n = 0; n < 4000; ++n) {
        AxisFields f;
        // Leave most boxes empty so every command, not only M5, comes up often.
        for (QString& box : f.axis)
            box = rng.next(3) == 0 ? values[rng.next(int(values.size()))] : QString();
        const QChar command = rng.next(2) ? u'M' : u'J';
        const QString held = composeAxes(command, f);
        const AxisFields back = fillAxes(command, held);
        bool holdsSeparator = false;
        for (const QString& box : f.axis)
            holdsSeparator |= box.contains(QStringLiteral(", "));
        const QByteArray where = held.toUtf8();
        // A box holding ", " moves the fields after it (and one beginning with it can hide the boxes
        // before it from the axis rule).
        if (holdsSeparator) continue;
        if (!anyPadded(f.axis)) QVERIFY2(composeAxes(command, back) == held, where.constData());
        QVERIFY2(back.axis == trimmedBoxes(f.axis), where.constData());
        // A second edit closed at once changes nothing more.
        QVERIFY2(fillAxes(command, composeAxes(command, back)).axis == back.axis, where.constData());
    }
}

void TestLineSyntax::roundTripSpeed() {
    Lcg rng;
    const QStringList values = Samples + QStringList{QStringLiteral(" 2 ")};
    for (int n = 0; n < 2000; ++n) {
        SpeedFields f;
        for (QString& box : f.speed)
            box = values[rng.next(int(values.size()))];
        const QString held = composeSpeed(f);
        const SpeedFields back = fillSpeed(held);
        const bool holdsSeparator =
            std::any_of(f.speed.begin(), f.speed.end(), [](const QString& s) { return s.contains(u", "); });
        if (holdsSeparator) continue;
        if (!anyPadded(f.speed)) QCOMPARE(composeSpeed(back), held);
        QVERIFY(back.speed == trimmedBoxes(f.speed));
        QVERIFY(fillSpeed(composeSpeed(back)).speed == back.speed);
    }
}

void TestLineSyntax::roundTripFileCall() {
    for (const QString& name : Samples) {
        for (const OffsetMode mode : {OffsetMode::None, OffsetMode::Offset2d, OffsetMode::Offset3d}) {
            const FileCallFields f{name, mode};
            const FileCallFields back = fillFileCall(composeFileCall(f));
            QCOMPARE(back.fileName, f.fileName);
            QCOMPARE(back.offsetMode, f.offsetMode);
        }
    }
}

void TestLineSyntax::roundTripIf() {
    const QStringList values = samplesWith({IfPrompt});
    for (const QString& test : values) {
        for (const QString& statement : values) {
            const QString held = composeIf({test, statement});
            // A box whose text only becomes "?" by trimming is dropped on the second Done.
            const auto becomesPrompt = [](const QString& s) { return s != IfPrompt && s.trimmed() == IfPrompt; };
            if (becomesPrompt(test) || becomesPrompt(statement)) continue;
            QCOMPARE(composeIf(fillIf(held)), held);
        }
    }
}

void TestLineSyntax::roundTripVarAndInput() {
    const QStringList names = samplesWith({VarNamePrompt, InputVarPrompt}) << QStringLiteral("MyVar");
    const QStringList values = samplesWith({VarValuePrompt, InputPromptPrompt});
    for (const QString& name : names) {
        for (const QString& value : values) {
            const QString varHeld = composeVar({name, value});
            if (name == VarNamePrompt)
                QCOMPARE(composeVar(fillVar(varHeld)), QStringLiteral("&&") + varHeld); // the name comes back
            else
                QCOMPARE(composeVar(fillVar(varHeld)), varHeld);

            const QString inputHeld = composeInput({value, name});
            const bool promptByTrim = value != InputPromptPrompt && value.trimmed() == InputPromptPrompt;
            const bool sampleByTrim = name != InputVarPrompt && name.trimmed() == InputVarPrompt;
            if (promptByTrim || sampleByTrim) continue;
            if (name == InputVarPrompt)
                QCOMPARE(composeInput(fillInput(inputHeld)), inputHeld + QStringLiteral("&&"));
            else
                QCOMPARE(composeInput(fillInput(inputHeld)), inputHeld);
        }
    }
}

void TestLineSyntax::roundTripOneField() {
    const QStringList values =
        samplesWith({LabelPrompt, GoToPrompt, GoSubPrompt, PausePrompt, CommentPrompt, BlankPrompt});
    for (const QString& t : values) {
        QCOMPARE(composeLabel(fillLabel(composeLabel({t}))), composeLabel({t}));
        const GoSubTexts gosub = composeGoSub({t});
        const GoSubTexts gosubBack = composeGoSub(fillGoSub(gosub.line));
        QCOMPARE(gosubBack.line, gosub.line);
        QCOMPARE(gosubBack.label, gosub.label);
        QCOMPARE(composePause(fillPause(composePause({t}))), composePause({t}));
        QCOMPARE(composeBlank(fillBlank(composeBlank({t}))), composeBlank({t}));
        // An untouched GOTO or Comment box leaves an empty text, which comes back as "GOTO :" and "'".
        QCOMPARE(composeGoTo(fillGoTo(composeGoTo({t}))),
                 t == GoToPrompt ? QStringLiteral("GOTO :") : composeGoTo({t}));
        QCOMPARE(composeComment(fillComment(composeComment({t}))),
                 t == CommentPrompt ? QStringLiteral("'") : composeComment({t}));
    }
}

#include "testmain.h"
QTEST_GUILESS_MAIN(TestLineSyntax)
#include "tst_linesyntax.moc"
