#include "clicks.h"
#include "core/panel/programmodel.h"
#include "core/partfile/partfile.h"
#include "gui/dialogs/commanddialog.h"
#include "gui/dialogs/filecalldialog.h"
#include "gui/dialogs/inlinecommentdialog.h"
#include "scriptedplatform.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

// What the inline-comment dialog showed and how the test answers it.
struct CommentScript {
    int opened = 0;
    QString shown;
    QString type;         // typed over the shown text
    bool retype = false;  // false: Done pressed on the text as shown
    bool closeIt = false; // closed through the frame instead of Done
    std::function<void()> whileOpen;
};

DialogRunner commentRunner(CommentScript& script) {
    return [&script](QDialog& dialog) {
        auto* comment = qobject_cast<InlineCommentDialog*>(&dialog);
        if (!comment) {
            QTest::qFail("the runner opened something else than frmInlineComment", __FILE__, __LINE__);
            return false;
        }
        ++script.opened;
        auto* box = comment->findChild<QLineEdit*>(QStringLiteral("txtInline"));
        script.shown = box->text();
        if (script.whileOpen) script.whileOpen();
        if (script.closeIt) {
            comment->close();
            return comment->doneRan();
        }
        if (script.retype) {
            box->selectAll();
            QTest::keyClick(box, Qt::Key_Delete);
            QTest::keyClicks(box, script.type);
        }
        QTest::mouseClick(comment->findChild<QPushButton*>(QStringLiteral("cmdInlineDone")), Qt::LeftButton);
        return comment->doneRan();
    };
}

// Types into a box as a user would: select what is there, delete it, type the new text.
void type(QWidget* dialog, const QString& box, const QString& text) {
    auto* edit = dialog->findChild<QLineEdit*>(box);
    QVERIFY2(edit, qPrintable(box));
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

QPushButton* doneButton(QWidget* dialog) {
    const QList<QPushButton*> buttons = dialog->findChildren<QPushButton*>();
    for (QPushButton* b : buttons)
        if (b->objectName().endsWith(QLatin1String("Done"))) return b;
    return nullptr;
}

QString nativePath(const char* path) {
    return QDir::toNativeSeparators(QString::fromLatin1(path));
}

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private:
    static void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        // Fixed-size dialogs ask the offscreen platform for something it cannot do; that is not a finding.
        if (!text.contains(QLatin1String("propagateSizeHints"))) previousHandler(type, context, text);
    }
    static inline QtMessageHandler previousHandler = nullptr;

    DialogContext context;
    ScriptedPlatform platform;
    CommentScript comment;
    std::unique_ptr<CommandDialog> open(Kind k) {
        auto dialog = createCommandDialog(k, context, platform, commentRunner(comment), nullptr);
        dialog->show();
        return dialog;
    }
    static FileCallDialog* fileCall(const std::unique_ptr<CommandDialog>& dialog) {
        return qobject_cast<FileCallDialog*>(dialog.get());
    }

private Q_SLOTS:
    void initTestCase() { previousHandler = qInstallMessageHandler(quietMessages); }
    void init();
    void cleanup();

    void opening_data();
    void opening();
    void keyboardOrder_data();
    void keyboardOrder();
    void typedDone_data();
    void typedDone();
    void editedLine_data();
    void editedLine();
    void inlineComment_data();
    void inlineComment();
    void inlineCommentClosed();
    void inlineCommentDialog_data();
    void inlineCommentDialog();
    void selectOnFocus_data();
    void selectOnFocus();
    void keysAndFrameClose_data();
    void keysAndFrameClose();
    void pastedBreaks_data();
    void pastedBreaks();
    void runModalTellsDone();

    void fileCallOpened();
    void fileCallChoice_data();
    void fileCallChoice();
    void fileCallOutsideNo();
    void fileCallCancelled();
    void fileCallEdited();
};

void TestDialogs::init() {
    context = DialogContext();
    platform = ScriptedPlatform();
    comment = CommentScript();
}

void TestDialogs::cleanup() {
    QVERIFY2(platform.yesNo.isEmpty() && platform.files.isEmpty(), "scripted answers left over");
}

// ---- Captions, initial texts, chkInline at open

void TestDialogs::opening_data() {
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("texts"); // box, initial text, ...
    QTest::addColumn<bool>("hasInline");
    QTest::newRow("move") << Kind::Move << "[M]ove command settings" << QStringList{"txtAxis_1", "", "txtAxis_5", ""}
                          << true;
    QTest::newRow("jog") << Kind::Jog << "[J]og settings" << QStringList{"txtAxis_3", ""} << true;
    QTest::newRow("speed") << Kind::Speed << "Speed settings" << QStringList{"txtXYMoveSpeed", "", "txtBJogSpeed", ""}
                           << true;
    QTest::newRow("file") << Kind::FileCall << "File Properties" << QStringList{} << true;
    QTest::newRow("label") << Kind::Label << "Label name" << QStringList{"txtLabel", "Type label name here"} << true;
    QTest::newRow("goto") << Kind::GoTo << "GOTO label" << QStringList{"txtGoTo", "Type GOTO label here"} << true;
    QTest::newRow("gosub") << Kind::GoSub << "GoSub label" << QStringList{"txtGoSub", "Type GOSUB label here"} << false;
    QTest::newRow("if") << Kind::IfThen << "IF..THEN command setup" << QStringList{"txtTest", "?", "txtStatement", "?"}
                        << true;
    QTest::newRow("var") << Kind::Variable << "Variable declaration"
                         << QStringList{"txtVarName", "Type the variable name here", "txtVarVal",
                                        "Type it's starting value here"}
                         << true;
    QTest::newRow("input") << Kind::Input << "INPUT command"
                           << QStringList{"txtInputPrompt", "Type the message for your INPUT statement here",
                                          "txtInputVar", "&MyVar"}
                           << true;
    QTest::newRow("pause") << Kind::Pause << "Pause duration" << QStringList{"txtPause", "Type PAUSE length here"}
                           << false;
    QTest::newRow("comment") << Kind::Comment << "Comment text" << QStringList{"txtComment", "Type Comment text here"}
                             << false;
    QTest::newRow("blank") << Kind::Blank << "Blank command" << QStringList{"txtBlank", "Type any Corvane Command here"}
                           << false;
}

void TestDialogs::opening() {
    QFETCH(Kind, kind);
    QFETCH(QString, title);
    QFETCH(QStringList, texts);
    QFETCH(bool, hasInline);
    for (const bool editing : {false, true}) {
        context.editComment = editing ? QStringLiteral("'slow") : QString();
        auto dialog = open(kind);
        QCOMPARE(dialog->windowTitle(), title);
        for (int i = 0; i < texts.size(); i += 2)
            QCOMPARE(dialog->findChild<QLineEdit*>(texts[i])->text(), texts[i + 1]);
        auto* check = dialog->findChild<QCheckBox*>(QStringLiteral("chkInline"));
        QCOMPARE(check != nullptr, hasInline);
        if (check) {
            QCOMPARE(check->text(), QStringLiteral("Add a comment to this command line?"));
            QCOMPARE(check->isChecked(), editing);
        }
        QPushButton* done = doneButton(dialog.get());
        QVERIFY(done);
        QCOMPARE(done->text(), QStringLiteral("Done"));
        // Nothing but a click may press Done.
        for (QPushButton* b : dialog->findChildren<QPushButton*>())
            QVERIFY(!b->isDefault() && !b->autoDefault());
    }
    QVERIFY(!createCommandDialog(Kind::End, context, platform, {}, nullptr));
    QVERIFY(!createCommandDialog(Kind::Return, context, platform, {}, nullptr));
}

void TestDialogs::keyboardOrder_data() {
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("move") << Kind::Move << QStringList{"txtAxis_1", "txtAxis_2", "txtAxis_3",  "txtAxis_4",
                                                       "txtAxis_5", "chkInline", "cmdMoveDone"};
    QTest::newRow("speed") << Kind::Speed
                           << QStringList{"txtXYMoveSpeed", "txtZMoveSpeed", "txtAMoveSpeed", "txtBMoveSpeed",
                                          "txtXYJogSpeed",  "txtZJogSpeed",  "txtAJogSpeed",  "txtBJogSpeed",
                                          "chkInline",      "cmdSpeedDone"};
    QTest::newRow("file") << Kind::FileCall
                          << QStringList{"cmdSelectFile", "optNoOffset", "opt2d", "opt3d", "chkInline", "cmdFPDone"};
    QTest::newRow("if") << Kind::IfThen << QStringList{"txtTest", "txtStatement", "chkInline", "cmdIFDone"};
    QTest::newRow("var") << Kind::Variable << QStringList{"txtVarName", "txtVarVal", "chkInline", "cmdVarDone"};
    QTest::newRow("input") << Kind::Input << QStringList{"txtInputPrompt", "txtInputVar", "chkInline", "cmdInputDone"};
    QTest::newRow("goto") << Kind::GoTo << QStringList{"txtGoTo", "chkInline", "cmdGoTODone"};
    QTest::newRow("gosub") << Kind::GoSub << QStringList{"txtGoSub", "cmdGoSubDone"};
}

void TestDialogs::keyboardOrder() {
    QFETCH(Kind, kind);
    QFETCH(QStringList, order);
    auto dialog = open(kind);
    QStringList chain;
    for (QWidget* w = dialog->nextInFocusChain(); w != dialog.get(); w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus) chain << w->objectName();
    QCOMPARE(chain, order);
}

// ---- Done with typed fields

void TestDialogs::typedDone_data() {
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QStringList>("typed"); // box, text, ...
    QTest::addColumn<QString>("held");
    QTest::newRow("move Y and B") << Kind::Move << QStringList{"txtAxis_2", "2", "txtAxis_5", "45"}
                                  << "M5, , 2, , , 45";
    QTest::newRow("move nothing") << Kind::Move << QStringList{} << "";
    QTest::newRow("jog X") << Kind::Jog << QStringList{"txtAxis_1", "3"} << "JX, 3";
    QTest::newRow("speed") << Kind::Speed << QStringList{"txtXYMoveSpeed", "2", "txtZJogSpeed", "1"}
                           << "VS, 2, , , , , 1, , ";
    QTest::newRow("label untouched") << Kind::Label << QStringList{} << "Type label name here:";
    QTest::newRow("goto") << Kind::GoTo << QStringList{"txtGoTo", "loop"} << "GOTO loop:";
    QTest::newRow("goto untouched") << Kind::GoTo << QStringList{} << "";
    QTest::newRow("gosub") << Kind::GoSub << QStringList{"txtGoSub", "sub1"} << "GOSUB sub1:";
    QTest::newRow("if") << Kind::IfThen << QStringList{"txtTest", "&count > 3", "txtStatement", "GOTO done:"}
                        << "IF &&count > 3 THEN GOTO done:";
    QTest::newRow("var") << Kind::Variable << QStringList{"txtVarName", "&depth", "txtVarVal", "0.5"}
                         << "&&depth = 0.5";
    QTest::newRow("var untouched") << Kind::Variable << QStringList{} << " = ";
    QTest::newRow("input") << Kind::Input << QStringList{"txtInputPrompt", "Bit size?", "txtInputVar", "bit"}
                           << "INPUT \"Bit size?\" &&bit";
    QTest::newRow("input untouched") << Kind::Input << QStringList{} << "INPUT \"\" ";
    QTest::newRow("pause") << Kind::Pause << QStringList{"txtPause", " 2"} << "PAUSE,  2";
    QTest::newRow("pause untouched") << Kind::Pause << QStringList{} << "PAUSE";
    QTest::newRow("comment") << Kind::Comment << QStringList{"txtComment", "cut the pocket"} << "'cut the pocket";
    QTest::newRow("blank") << Kind::Blank << QStringList{"txtBlank", "MX, 2 'home"} << "MX, 2 'home";
}

void TestDialogs::typedDone() {
    QFETCH(Kind, kind);
    QFETCH(QStringList, typed);
    QFETCH(QString, held);
    auto dialog = open(kind);
    for (int i = 0; i < typed.size(); i += 2)
        type(dialog.get(), typed[i], typed[i + 1]);
    QTest::mouseClick(doneButton(dialog.get()), Qt::LeftButton);
    QVERIFY(dialog->doneRan());
    QVERIFY(!dialog->isVisible());
    QVERIFY(dialog->result());
    QCOMPARE(dialog->result()->held, held);
    QCOMPARE(comment.opened, 0);
    QCOMPARE(dialog->result()->goSubLabel, kind == Kind::GoSub ? QStringLiteral("sub1:") : QString());
    // An unticked chkInline gives no comment.
    QCOMPARE(dialog->result()->comment, QString());
}

// ---- The editing direction: fill from a held text, then Done at once

void TestDialogs::editedLine_data() {
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("held");
    QTest::addColumn<QString>("again");         // the held text Done gives at once
    QTest::addColumn<QString>("inlineComment"); // the line's comment, shown and kept by the comment dialog
    const auto same = [](const char* name, Kind k, const char* held) {
        QTest::newRow(name) << k << QString::fromLatin1(held) << QString::fromLatin1(held) << QString();
    };
    same("move", Kind::Move, "M3, 1, , 0.5");
    same("jog", Kind::Jog, "JY, , 2");
    same("speed", Kind::Speed, "VS, 2, 1, , , 4, 2, , ");
    same("if", Kind::IfThen, "IF &&a=1&&b THEN GOTO x:");
    same("label", Kind::Label, "start:");
    same("goto", Kind::GoTo, "GOTO start:");
    same("gosub", Kind::GoSub, "GOSUB sub1:");
    same("var", Kind::Variable, "&&depth = 0.5");
    same("input", Kind::Input, "INPUT \"Bit size?\" &&bit");
    same("pause", Kind::Pause, "PAUSE, 3");
    same("pause alone", Kind::Pause, "PAUSE");
    same("comment", Kind::Comment, "'cut");
    same("blank", Kind::Blank, "MX, 2 'home");
    // Blanks around a field are not part of it: a box never reopens holding an invisible blank that
    // Done would count as filled.
    QTest::newRow("jog, blank-only A") << Kind::Jog << "J4, , , 1,  "
                                       << "JZ, , , 1" << QString();
    QTest::newRow("move, blanks around values") << Kind::Move << "M2,  1 ,  2 "
                                                << "M2, 1, 2" << QString();
    QTest::newRow("speed, blanks around values") << Kind::Speed << "VS,  2, , , ,  , , , 9 "
                                                 << "VS, 2, , , , , , , 9" << QString();
    // Lines made from untouched prompts: the prompt is gone from the box.
    QTest::newRow("goto empty") << Kind::GoTo << ""
                                << "GOTO :" << QString();
    QTest::newRow("var without name") << Kind::Variable << " = 5"
                                      << "&& = 5" << QString();
    QTest::newRow("input without variable") << Kind::Input << "INPUT \"x\" "
                                            << "INPUT \"x\" &&" << QString();
    QTest::newRow("comment empty") << Kind::Comment << ""
                                   << "'" << QString();
    // Boxes filled to the most a box takes when typed, where filling adds a character back.
    const QString full(32767, u'n');
    const QString name = "&&" + full + " = 1";
    QTest::newRow("longest variable name") << Kind::Variable << name << name << QString();
    const QString input = "INPUT \"p\" &&" + full;
    QTest::newRow("longest INPUT variable") << Kind::Input << input << input << QString();
    QTest::newRow("longest comment") << Kind::Comment << "'" + full << "'" + full << QString();
    QTest::newRow("longest inline comment") << Kind::Move << "MX, 1"
                                            << "MX, 1"
                                            << "'" + full;
}

void TestDialogs::editedLine() {
    QFETCH(Kind, kind);
    QFETCH(QString, held);
    QFETCH(QString, again);
    QFETCH(QString, inlineComment);
    context.editComment = inlineComment;
    auto dialog = open(kind);
    dialog->fillFrom(held);
    dialog->pressDone();
    QVERIFY(dialog->doneRan());
    QCOMPARE(dialog->result()->held, again);
    QCOMPARE(dialog->result()->comment, inlineComment);
}

// ---- chkInline and InlineCommentDialog

void TestDialogs::inlineComment_data() {
    QTest::addColumn<Kind>("kind");
    for (Kind k :
         {Kind::Move, Kind::Jog, Kind::Speed, Kind::Label, Kind::GoTo, Kind::IfThen, Kind::Variable, Kind::Input})
        QTest::newRow(qPrintable(QString::number(code(k)))) << k;
}

void TestDialogs::inlineComment() {
    QFETCH(Kind, kind);
    // A new line: ticking opens an empty comment dialog, before the fields are composed.
    comment.retype = true;
    comment.type = QStringLiteral("check depth");
    std::unique_ptr<CommandDialog> dialog;
    bool composedWhileOpen = true;
    comment.whileOpen = [&] { composedWhileOpen = dialog->result().has_value(); };
    dialog = open(kind);
    clickBox(dialog->findChild<QCheckBox*>(QStringLiteral("chkInline")));
    dialog->pressDone();
    QCOMPARE(comment.opened, 1);
    QCOMPARE(comment.shown, QString());
    QVERIFY(!composedWhileOpen);
    QVERIFY(dialog->result());
    QCOMPARE(dialog->result()->comment, QStringLiteral("'check depth"));

    // An edited line with a comment: ticked at open, the dialog shows it.
    comment = CommentScript();
    context.editComment = QStringLiteral("'slow");
    dialog = open(kind);
    dialog->pressDone();
    QCOMPARE(comment.opened, 1);
    QCOMPARE(comment.shown, QStringLiteral("'slow"));
    QCOMPARE(dialog->result()->comment, QStringLiteral("'slow"));

    // Unticked before Done: no comment dialog, and the comment is removed.
    comment = CommentScript();
    dialog = open(kind);
    clickBox(dialog->findChild<QCheckBox*>(QStringLiteral("chkInline")));
    dialog->pressDone();
    QCOMPARE(comment.opened, 0);
    QCOMPARE(dialog->result()->comment, QString());
}

void TestDialogs::inlineCommentClosed() {
    // Closing the comment dialog without its Done returns to the command dialog: nothing composed.
    context.editComment = QStringLiteral("'old");
    comment.closeIt = true;
    auto dialog = open(Kind::Move);
    type(dialog.get(), QStringLiteral("txtAxis_1"), QStringLiteral("1"));
    dialog->pressDone();
    QCOMPARE(comment.opened, 1);
    QVERIFY(!dialog->doneRan());
    QVERIFY(dialog->isVisible());
    QVERIFY(!dialog->result());

    comment.closeIt = false;
    dialog->pressDone();
    QVERIFY(dialog->doneRan());
    QCOMPARE(dialog->result()->held, QStringLiteral("MX, 1"));
    QCOMPARE(dialog->result()->comment, QStringLiteral("'old"));
}

void TestDialogs::inlineCommentDialog_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("marked") << "check depth"
                            << "'check depth";
    QTest::newRow("already marked") << "'ok"
                                    << "'ok";
    QTest::newRow("emptied") << ""
                             << "";
}

void TestDialogs::inlineCommentDialog() {
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    context.editComment = QStringLiteral("'was");
    InlineCommentDialog dialog(context, platform, nullptr);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Add an inline Comment"));
    QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("txtInline"))->text(), QStringLiteral("'was"));
    type(&dialog, QStringLiteral("txtInline"), typed);
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cmdInlineDone")), Qt::LeftButton);
    QVERIFY(dialog.doneRan());
    QCOMPARE(dialog.result()->comment, stored);
}

// ---- Select-all on focus

void TestDialogs::selectOnFocus_data() {
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("selects");
    const QList<QPair<Kind, const char*>> selecting = {
        {Kind::Move, "txtAxis_1"},     {Kind::Move, "txtAxis_4"},       {Kind::Jog, "txtAxis_5"},
        {Kind::Label, "txtLabel"},     {Kind::GoTo, "txtGoTo"},         {Kind::GoSub, "txtGoSub"},
        {Kind::IfThen, "txtTest"},     {Kind::IfThen, "txtStatement"},  {Kind::Variable, "txtVarName"},
        {Kind::Variable, "txtVarVal"}, {Kind::Input, "txtInputPrompt"}, {Kind::Input, "txtInputVar"},
        {Kind::Pause, "txtPause"},     {Kind::Comment, "txtComment"},   {Kind::Blank, "txtBlank"},
    };
    for (const auto& [kind, box] : selecting)
        QTest::newRow(box) << kind << QString::fromLatin1(box) << true;
    QTest::newRow("txtXYMoveSpeed") << Kind::Speed << "txtXYMoveSpeed" << false;
    QTest::newRow("txtBJogSpeed") << Kind::Speed << "txtBJogSpeed" << false;
}

void TestDialogs::selectOnFocus() {
    QFETCH(Kind, kind);
    QFETCH(QString, box);
    QFETCH(bool, selects);
    auto dialog = open(kind);
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    auto* edit = dialog->findChild<QLineEdit*>(box);
    edit->setText(QStringLiteral("some text"));
    const QString expected = selects ? QStringLiteral("some text") : QString();

    // Reached with the keyboard.
    doneButton(dialog.get())->setFocus();
    edit->setFocus(Qt::TabFocusReason);
    QCOMPARE(edit->selectedText(), expected);

    // Reached with the mouse: the click that gives the focus keeps the selection.
    doneButton(dialog.get())->setFocus();
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->width() / 2, edit->height() / 2));
    QVERIFY(edit->hasFocus());
    QCOMPARE(edit->selectedText(), expected);
    QTest::keyClicks(edit, QStringLiteral("7"));
    if (selects)
        QCOMPARE(edit->text(), QStringLiteral("7")); // the first key replaced the whole text
    else
        QCOMPARE(edit->text().size(), 10);
}

// ---- Enter, Escape and the window frame

void TestDialogs::keysAndFrameClose_data() {
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("box");
    QTest::newRow("move") << Kind::Move << "txtAxis_1";
    QTest::newRow("speed") << Kind::Speed << "txtZMoveSpeed";
    QTest::newRow("label") << Kind::Label << "txtLabel";
    QTest::newRow("if") << Kind::IfThen << "txtStatement";
    QTest::newRow("input") << Kind::Input << "txtInputVar";
    QTest::newRow("pause") << Kind::Pause << "txtPause";
    QTest::newRow("blank") << Kind::Blank << "txtBlank";
}

void TestDialogs::keysAndFrameClose() {
    QFETCH(Kind, kind);
    QFETCH(QString, box);
    auto dialog = open(kind);
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    type(dialog.get(), box, QStringLiteral("1"));
    auto* edit = dialog->findChild<QLineEdit*>(box);
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Enter);
    QPushButton* done = doneButton(dialog.get());
    done->setFocus();
    QTest::keyClick(done, Qt::Key_Return);
    QVERIFY(dialog->isVisible());
    QVERIFY(!dialog->doneRan());

    // Escape closes without Done: a cancel, no line.
    QTest::keyClick(edit, Qt::Key_Escape);
    QVERIFY(!dialog->isVisible());
    QVERIFY(!dialog->doneRan());
    QVERIFY(!dialog->result());

    dialog = open(kind);
    type(dialog.get(), box, QStringLiteral("1"));
    QVERIFY(dialog->close());
    QVERIFY(!dialog->doneRan());
    QVERIFY(!dialog->result());
}

// ---- Line breaks and control characters entering a box

namespace {

// Puts text into a box the way it may arrive: inserted over a selection, set, or pasted with Ctrl+V.
void put(QLineEdit* box, const QString& way, const QString& text) {
    box->selectAll();
    if (way == QLatin1String("insert")) {
        box->insert(text);
    } else if (way == QLatin1String("set")) {
        box->setText(text);
    } else {
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    }
}

} // namespace

void TestDialogs::pastedBreaks_data() {
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("box"); // txtInline: the inline comment of a Move line
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    const QList<QPair<Kind, QStringList>> boxes = {
        {Kind::Move, {"txtAxis_1", "txtAxis_2", "txtAxis_3", "txtAxis_4", "txtAxis_5", "txtInline"}},
        {Kind::Jog, {"txtAxis_1", "txtAxis_2", "txtAxis_3", "txtAxis_4", "txtAxis_5"}},
        {Kind::Speed,
         {"txtXYMoveSpeed", "txtZMoveSpeed", "txtAMoveSpeed", "txtBMoveSpeed", "txtXYJogSpeed", "txtZJogSpeed",
          "txtAJogSpeed", "txtBJogSpeed"}},
        {Kind::IfThen, {"txtTest", "txtStatement"}},
        {Kind::Label, {"txtLabel"}},
        {Kind::GoTo, {"txtGoTo"}},
        {Kind::GoSub, {"txtGoSub"}},
        {Kind::Variable, {"txtVarName", "txtVarVal"}},
        {Kind::Input, {"txtInputPrompt", "txtInputVar"}},
        {Kind::Pause, {"txtPause"}},
        {Kind::Comment, {"txtComment"}},
        {Kind::Blank, {"txtBlank"}},
    };
    // LF, CR LF, CR, and other control characters: each run becomes one blank, a tab stays.
    const QList<QPair<QString, QString>> texts = {
        {"first line\nGOTO start:", "first line GOTO start:"},
        {"1\r\nMX, 2\r\n", "1 MX, 2 "},
        {"a\rb\x01\x1f\x7f"
         "c\td",
         "a b c\td"},
    };
    for (const auto& [kind, names] : boxes)
        for (const QString& name : names)
            for (const char* way : {"insert", "set", "paste"})
                for (qsizetype t = 0; t < texts.size(); ++t)
                    QTest::addRow("%d %s %s %lld", code(kind), qPrintable(name), way, t)
                        << kind << name << QString::fromLatin1(way) << texts[t].first << texts[t].second;
}

void TestDialogs::pastedBreaks() {
    QFETCH(Kind, kind);
    QFETCH(QString, box);
    QFETCH(QString, way);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QTemporaryDir dir;
    // The same line entered once with the breaks and once with blanks typed in their place must show,
    // hold and write the same: one line, never two.
    QByteArray written[2];
    for (int clean = 0; clean < 2; ++clean) {
        context = DialogContext();
        comment = CommentScript();
        const bool inlineBox = box == QLatin1String("txtInline");
        QString seen;
        const auto enter = [&](QLineEdit* edit) {
            QVERIFY2(edit, qPrintable(box));
            put(edit, clean ? QStringLiteral("set") : way, clean ? shown : text);
            seen = edit->text();
        };
        auto dialog = open(kind);
        if (inlineBox) {
            comment.whileOpen = [&] { enter(dialog->findChild<QLineEdit*>(box)); };
            dialog->findChild<QCheckBox*>(QStringLiteral("chkInline"))->setChecked(true);
        } else {
            enter(dialog->findChild<QLineEdit*>(box));
        }
        dialog->pressDone();
        QVERIFY(dialog->doneRan());
        QCOMPARE(seen, shown);

        const ComposedLine line = *dialog->result();
        QVERIFY2(!line.held.contains(u'\n') && !line.held.contains(u'\r'), qPrintable(line.held));
        ProgramModel panel([](const QString& s) { return 6 * int(s.size()); });
        QVERIFY(kind == Kind::GoSub ? panel.addGoSub(line.held, line.goSubLabel)
                                    : panel.add(kind, line.held, line.comment));
        const QString path = dir.filePath(QStringLiteral("part%1.cvp").arg(clean));
        const FileResult result = partfile::write(path, panel, {});
        QVERIFY2(result.ok, qPrintable(result.error));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        written[clean] = file.readAll();
        QCOMPARE(written[clean].count("\r\n"), partfile::programLines(panel).size());
        QCOMPARE(written[clean].count('\n') + written[clean].count('\r'), 2 * written[clean].count("\r\n"));
    }
    QCOMPARE(written[0], written[1]);
}

void TestDialogs::runModalTellsDone() {
    auto dialog = createCommandDialog(Kind::Pause, context, platform, {}, nullptr);
    QTimer::singleShot(0, dialog.get(), [&] { dialog->pressDone(); });
    QVERIFY(runModal(*dialog));
    QCOMPARE(dialog->result()->held, QStringLiteral("PAUSE"));

    dialog = createCommandDialog(Kind::Pause, context, platform, {}, nullptr);
    QTimer::singleShot(0, dialog.get(), [&] { dialog->close(); });
    QVERIFY(!runModal(*dialog));
}

// ---- File call

namespace {
struct FpState {
    bool select, options, done, inlineBox, fileBox;
    const char* caption;
};

void checkState(QWidget* d, const FpState& s) {
    QCOMPARE(d->findChild<QPushButton*>(QStringLiteral("cmdSelectFile"))->isEnabled(), s.select);
    for (const char* name : {"optNoOffset", "opt2d", "opt3d"})
        QCOMPARE(d->findChild<QRadioButton*>(QLatin1String(name))->isEnabled(), s.options);
    QCOMPARE(d->findChild<QPushButton*>(QStringLiteral("cmdFPDone"))->isEnabled(), s.done);
    QCOMPARE(d->findChild<QPushButton*>(QStringLiteral("cmdFPDone"))->text(), QLatin1String(s.caption));
    QCOMPARE(d->findChild<QCheckBox*>(QStringLiteral("chkInline"))->isEnabled(), s.inlineBox);
    QCOMPARE(d->findChild<QPlainTextEdit*>(QStringLiteral("txtFileName"))->isEnabled(), s.fileBox);
    QVERIFY(d->findChild<QGroupBox*>()->isEnabled());
}

constexpr FpState Opened{true, false, false, false, false, "Done"};
constexpr FpState Chosen{false, true, true, true, true, "Done"};
constexpr FpState Cancelled{true, false, true, true, false, "Cancel"};

const char* const ChooseTitle = "Select the name of the file that you want to run";
const char* const DoomText =
    "This file is NOT in the same folder as your Master file so we'll have to write a full path to this file which "
    "will cause big problems if you move the files. You're just asking for trouble...are you SURE this is what you "
    "want to do!!!";
const char* const DoomTitle = "Impending disaster! Doom and Gloom!";

void click(QWidget* d, const char* name) {
    auto* button = d->findChild<QAbstractButton*>(QLatin1String(name));
    // An option button reacts to its indicator and caption, not to the empty end of a stretched row.
    const QPoint at = qobject_cast<QPushButton*>(button) ? button->rect().center() : QPoint(6, button->height() / 2);
    QTest::mouseClick(button, Qt::LeftButton, {}, at);
}
} // namespace

void TestDialogs::fileCallOpened() {
    auto dialog = open(Kind::FileCall);
    QCOMPARE(fileCall(dialog)->offsetMode(), linesyntax::OffsetMode::None);
    checkState(dialog.get(), Opened);
    QVERIFY(dialog->findChild<QRadioButton*>(QStringLiteral("optNoOffset"))->isChecked());
    QCOMPARE(dialog->findChild<QGroupBox*>()->title(), QStringLiteral("Offset mode"));
    dialog->pressDone(); // disabled: nothing happens
    QVERIFY(!dialog->doneRan());
    QVERIFY(!dialog->result());
}

void TestDialogs::fileCallChoice_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("outside"); // the full-path question is asked and answered Yes
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("held");
    QTest::newRow("same folder, 2d") << nativePath("/jobs/sign/pocket.cvp") << false << "opt2d"
                                     << "FP, pocket.cvp,,,,, 2";
    QTest::newRow("subfolder, 3d") << nativePath("/jobs/sign/parts/logo.cvp") << false << "opt3d"
                                   << "FP, " + nativePath("parts/logo.cvp") + ",,,,, 1";
    QTest::newRow("outside, Yes") << nativePath("/other/x.cvp") << true << "optNoOffset"
                                  << "FP, " + nativePath("/other/x.cvp") + ",,,,, 0";
    QTest::newRow("folder text in the middle") << nativePath("/backup/jobs/sign/x.cvp") << true << "opt2d"
                                               << "FP, " + nativePath("/backup/jobs/sign/x.cvp") + ",,,,, 2";
    // The other letter case is the same folder where the platform ignores case, elsewhere outside.
    const bool ignoresCase = fileNameCaseSensitivity() == Qt::CaseInsensitive;
    QTest::newRow("other letter case") << nativePath("/JOBS/Sign/pocket.cvp") << !ignoresCase << "optNoOffset"
                                       << (ignoresCase ? QStringLiteral("FP, pocket.cvp,,,,, 0")
                                                       : "FP, " + nativePath("/JOBS/Sign/pocket.cvp") + ",,,,, 0");
}

void TestDialogs::fileCallChoice() {
    QFETCH(QString, chosen);
    QFETCH(bool, outside);
    QFETCH(QString, option);
    QFETCH(QString, held);
    context.partFolder = nativePath("/jobs/sign/");
    context.editComment = QStringLiteral("'keep");
    platform.files << chosen;
    if (outside) platform.yesNo << true;
    auto dialog = open(Kind::FileCall);
    click(dialog.get(), "cmdSelectFile");

    QCOMPARE(platform.asked.size(), outside ? 2 : 1);
    QCOMPARE(platform.asked[0].what, QStringLiteral("save"));
    QCOMPARE(platform.asked[0].text, QLatin1String(ChooseTitle));
    QCOMPARE(platform.asked[0].title, context.partFolder);
    QCOMPARE(platform.asked[0].filter, QStringLiteral(" Corvane (*.cvp)|*.cvp"));
    if (outside) {
        QCOMPARE(platform.asked[1].what, QStringLiteral("yesno"));
        QCOMPARE(platform.asked[1].text, QLatin1String(DoomText));
        QCOMPARE(platform.asked[1].title, QLatin1String(DoomTitle));
    }
    checkState(dialog.get(), Chosen);
    QCOMPARE(fileCall(dialog)->choice(), FileCallDialog::FileChoice::Chosen);
    QCOMPARE(dialog->findChild<QPlainTextEdit*>()->toPlainText(), fileCall(dialog)->calledFile());

    click(dialog.get(), qPrintable(option));
    // Text typed into the file box after the choice is not used.
    dialog->findChild<QPlainTextEdit*>()->setPlainText(QStringLiteral("typed.cvp"));
    click(dialog.get(), "cmdFPDone");
    QVERIFY(dialog->doneRan());
    QCOMPARE(dialog->result()->held, held);
    QCOMPARE(dialog->result()->calledFile, fileCall(dialog)->calledFile());
    QCOMPARE(comment.opened, 1); // chkInline was ticked for the edited line's comment
    QCOMPARE(dialog->result()->comment, QStringLiteral("'keep"));
}

void TestDialogs::fileCallOutsideNo() {
    context.partFolder = nativePath("/jobs/sign/");
    platform.files << nativePath("/other/x.cvp") << nativePath("/jobs/sign/y.cvp");
    platform.yesNo << false;
    auto dialog = open(Kind::FileCall);
    click(dialog.get(), "cmdSelectFile");
    QStringList asked;
    for (const auto& a : platform.asked)
        asked << a.what;
    QCOMPARE(asked, (QStringList{"save", "yesno", "save"}));
    QCOMPARE(fileCall(dialog)->calledFile(), QStringLiteral("y.cvp"));
    checkState(dialog.get(), Chosen);
}

void TestDialogs::fileCallCancelled() {
    context.partFolder = nativePath("/jobs/sign/");
    context.editComment = QStringLiteral("'c");
    platform.files << std::nullopt;
    auto dialog = open(Kind::FileCall);
    click(dialog.get(), "cmdSelectFile");
    QCOMPARE(platform.asked.size(), 2);
    QCOMPARE(platform.asked[1].what, QStringLiteral("tell"));
    QCOMPARE(platform.asked[1].text,
             QStringLiteral("To continue you must select a name for your file ...please try again"));
    QCOMPARE(platform.asked[1].title, QStringLiteral("Try Again"));
    checkState(dialog.get(), Cancelled);
    QCOMPARE(fileCall(dialog)->choice(), FileCallDialog::FileChoice::Cancelled);
    QCOMPARE(fileCall(dialog)->calledFile(), QString());

    // Choosing again from the cancelled state.
    platform.files << nativePath("/jobs/sign/b.cvp");
    click(dialog.get(), "cmdSelectFile");
    checkState(dialog.get(), Chosen);
    QCOMPARE(fileCall(dialog)->choice(), FileCallDialog::FileChoice::Chosen);

    // Cancelled once more, then closed with the button now reading "Cancel".
    auto again = open(Kind::FileCall);
    platform.files << std::nullopt;
    click(again.get(), "cmdSelectFile");
    click(again.get(), "cmdFPDone");
    QVERIFY(again->doneRan());
    QCOMPARE(fileCall(again)->choice(), FileCallDialog::FileChoice::Cancelled);
    QCOMPARE(comment.opened, 0);
    QVERIFY(!again->result());
}

void TestDialogs::fileCallEdited() {
    context.partFolder = nativePath("/jobs/sign/");
    auto dialog = open(Kind::FileCall);
    dialog->fillFrom(QStringLiteral("FP, pocket.cvp,,,,, 2"));
    QVERIFY(dialog->findChild<QRadioButton*>(QStringLiteral("opt2d"))->isChecked());
    QCOMPARE(fileCall(dialog)->offsetMode(), linesyntax::OffsetMode::Offset2d);
    QCOMPARE(dialog->findChild<QPlainTextEdit*>()->toPlainText(), QString());
    checkState(dialog.get(), Opened);

    platform.files << nativePath("/jobs/sign/new.cvp");
    click(dialog.get(), "cmdSelectFile");
    dialog->pressDone();
    QCOMPARE(dialog->result()->held, QStringLiteral("FP, new.cvp,,,,, 2"));

    dialog = open(Kind::FileCall);
    dialog->fillFrom(QStringLiteral("FP, a.cvp,,,,, 1"));
    QVERIFY(dialog->findChild<QRadioButton*>(QStringLiteral("opt3d"))->isChecked());
    QCOMPARE(fileCall(dialog)->offsetMode(), linesyntax::OffsetMode::Offset3d);
}

#include "testmain.h"
QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
