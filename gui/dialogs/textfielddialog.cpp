#include "gui/dialogs/textfielddialog.h"

#include "core/language/linesyntax.h"
#include "gui/dialogs/textbox.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <span>

using namespace linesyntax;

// Where a dialog's captions stand: none, bold headings left of the boxes, or plain names right of them.
enum class CaptionSide { None, Left, Right };

// One box: its control name, its text on opening, its width in average characters, and its caption.
struct TextFieldBox {
    const char* name;
    QLatin1String prompt;
    int widthChars;
    const char* captionName = nullptr;
    const char* caption = nullptr;
};

struct TextFieldDialogRow {
    Kind kind;
    const char* name; // the window's object name
    const char* title;
    const char* doneName;
    CaptionSide captions;
    bool selectOnFocus;
    bool inlineCheck; // chkInline under the boxes
    std::span<const TextFieldBox> boxes;
    ComposedLine (*compose)(const QStringList& boxes); // Done: the line the boxes make
    QStringList (*fill)(const QString& held);          // editing: the boxes of a held text
    const char* betweenName = nullptr; // a large caption between the first two boxes, drawn close to them
    const char* between = nullptr;
    int airAfter = 0; // the number of boxes after which a little air stands
    int airHeight = 0;
};

namespace {

constexpr int NameChars = 30;
constexpr int WideChars = 60;
constexpr int AxisChars = 14;
constexpr int SpeedChars = 10;

template <std::size_t N> QStringList listOf(const std::array<QString, N>& fields) {
    return QStringList(fields.begin(), fields.end());
}
template <std::size_t N> std::array<QString, N> arrayOf(const QStringList& boxes) {
    std::array<QString, N> fields;
    for (std::size_t i = 0; i < N; ++i)
        fields[i] = boxes.value(qsizetype(i));
    return fields;
}

constexpr TextFieldBox AxisBoxes[] = {
    {"txtAxis_1", {}, AxisChars, "lblAxis_1", QT_TRANSLATE_NOOP("TextFieldDialog", "X axis")},
    {"txtAxis_2", {}, AxisChars, "lblAxis_2", QT_TRANSLATE_NOOP("TextFieldDialog", "Y axis")},
    {"txtAxis_3", {}, AxisChars, "lblAxis_3", QT_TRANSLATE_NOOP("TextFieldDialog", "Z axis")},
    {"txtAxis_4", {}, AxisChars, "lblAxis_4", QT_TRANSLATE_NOOP("TextFieldDialog", "A axis")},
    {"txtAxis_5", {}, AxisChars, "lblAxis_5", QT_TRANSLATE_NOOP("TextFieldDialog", "B axis")},
};
constexpr TextFieldBox SpeedBoxes[] = {
    {"txtXYMoveSpeed",
     {},
     SpeedChars,
     "lblXYMoveSpeed",
     QT_TRANSLATE_NOOP("TextFieldDialog", "X and Y-Axis Move Speed")},
    {"txtZMoveSpeed", {}, SpeedChars, "lblZMoveSpeed", QT_TRANSLATE_NOOP("TextFieldDialog", "Z-Axis Move Speed")},
    {"txtAMoveSpeed", {}, SpeedChars, "lblAMoveSpeed", QT_TRANSLATE_NOOP("TextFieldDialog", "A-Axis Move Speed")},
    {"txtBMoveSpeed", {}, SpeedChars, "lblBMoveSpeed", QT_TRANSLATE_NOOP("TextFieldDialog", "B-Axis Move Speed")},
    {"txtXYJogSpeed", {}, SpeedChars, "lblXYJogSpeed", QT_TRANSLATE_NOOP("TextFieldDialog", "X and Y-Axis Jog Speed")},
    {"txtZJogSpeed", {}, SpeedChars, "lblZJogSpeed", QT_TRANSLATE_NOOP("TextFieldDialog", "Z-Axis Jog Speed")},
    {"txtAJogSpeed", {}, SpeedChars, "lblAJogSpeed", QT_TRANSLATE_NOOP("TextFieldDialog", "A-Axis Jog Speed")},
    {"txtBJogSpeed", {}, SpeedChars, "lblBJogSpeed", QT_TRANSLATE_NOOP("TextFieldDialog", "B-Axis Jog Speed")},
};
constexpr TextFieldBox IfBoxes[] = {
    {"txtTest", IfPrompt, WideChars, "lblIf", QT_TRANSLATE_NOOP("TextFieldDialog", "IF")},
    {"txtStatement", IfPrompt, WideChars, "lblThen", QT_TRANSLATE_NOOP("TextFieldDialog", "THEN")},
};
constexpr TextFieldBox LabelBoxes[] = {{"txtLabel", LabelPrompt, NameChars}};
constexpr TextFieldBox GoToBoxes[] = {
    {"txtGoTo", GoToPrompt, NameChars, "lblGoToCaption", QT_TRANSLATE_NOOP("TextFieldDialog", "GOTO")}};
constexpr TextFieldBox GoSubBoxes[] = {{"txtGoSub", GoSubPrompt, NameChars}};
constexpr TextFieldBox VarBoxes[] = {
    {"txtVarName", VarNamePrompt, NameChars + 4, "lblVarName", QT_TRANSLATE_NOOP("TextFieldDialog", "Variable name")},
    {"txtVarVal", VarValuePrompt, NameChars + 4, "lblVarValue", QT_TRANSLATE_NOOP("TextFieldDialog", "Starting Value")},
};
constexpr TextFieldBox InputBoxes[] = {
    {"txtInputPrompt", InputPromptPrompt, WideChars, "lblPrompt", QT_TRANSLATE_NOOP("TextFieldDialog", "Prompt")},
    {"txtInputVar", InputVarPrompt, NameChars, "lblInputVar", QT_TRANSLATE_NOOP("TextFieldDialog", "Variable name")},
};
constexpr TextFieldBox PauseBoxes[] = {{"txtPause", PausePrompt, NameChars}};
constexpr TextFieldBox CommentBoxes[] = {{"txtComment", CommentPrompt, WideChars}};
constexpr TextFieldBox BlankBoxes[] = {{"txtBlank", BlankPrompt, WideChars}};

// Kinds in the order of the toolbox; Move and Jog differ only here.
constexpr TextFieldDialogRow Rows[] = {
    {Kind::Move, "frmMove", QT_TRANSLATE_NOOP("TextFieldDialog", "[M]ove command settings"), "cmdMoveDone",
     CaptionSide::Right, true, true, AxisBoxes,
     [](const QStringList& b) { return ComposedLine{composeAxes(u'M', {arrayOf<5>(b)})}; },
     [](const QString& held) { return listOf(fillAxes(u'M', held).axis); }},
    {Kind::Jog, "frmJog", QT_TRANSLATE_NOOP("TextFieldDialog", "[J]og settings"), "cmdJogDone", CaptionSide::Right,
     true, true, AxisBoxes, [](const QStringList& b) { return ComposedLine{composeAxes(u'J', {arrayOf<5>(b)})}; },
     [](const QString& held) { return listOf(fillAxes(u'J', held).axis); }},
    // Focusing a speed box leaves its text unselected.
    {Kind::Speed, "frmSpeed", QT_TRANSLATE_NOOP("TextFieldDialog", "Speed settings"), "cmdSpeedDone",
     CaptionSide::Right, false, true, SpeedBoxes,
     [](const QStringList& b) { return ComposedLine{composeSpeed({arrayOf<8>(b)})}; },
     [](const QString& held) { return listOf(fillSpeed(held).speed); }, nullptr, nullptr, 4, 4},
    {Kind::IfThen, "frmIfTest", QT_TRANSLATE_NOOP("TextFieldDialog", "IF..THEN command setup"), "cmdIFDone",
     CaptionSide::Left, true, true, IfBoxes,
     [](const QStringList& b) {
         return ComposedLine{composeIf({b[0], b[1]})};
     },
     [](const QString& held) {
         const IfFields f = fillIf(held);
         return QStringList{f.test, f.statement};
     }},
    {Kind::Label, "frmLabel", QT_TRANSLATE_NOOP("TextFieldDialog", "Label name"), "cmdLabelDone", CaptionSide::None,
     true, true, LabelBoxes, [](const QStringList& b) { return ComposedLine{composeLabel({b[0]})}; },
     [](const QString& held) { return QStringList{fillLabel(held).name}; }},
    {Kind::GoTo, "frmGoTo", QT_TRANSLATE_NOOP("TextFieldDialog", "GOTO label"), "cmdGoTODone", CaptionSide::Left, true,
     true, GoToBoxes, [](const QStringList& b) { return ComposedLine{composeGoTo({b[0]})}; },
     [](const QString& held) { return QStringList{fillGoTo(held).name}; }},
    // A GOSUB Done hands back both its line and the label line it jumps to.
    {Kind::GoSub, "frmGoSub", QT_TRANSLATE_NOOP("TextFieldDialog", "GoSub label"), "cmdGoSubDone", CaptionSide::None,
     true, false, GoSubBoxes,
     [](const QStringList& b) {
         const GoSubTexts texts = composeGoSub({b[0]});
         return ComposedLine{texts.line, {}, texts.label};
     },
     [](const QString& held) { return QStringList{fillGoSub(held).name}; }},
    {Kind::Variable, "frmVar", QT_TRANSLATE_NOOP("TextFieldDialog", "Variable declaration"), "cmdVarDone",
     CaptionSide::Left, true, true, VarBoxes,
     [](const QStringList& b) {
         return ComposedLine{composeVar({b[0], b[1]})};
     },
     [](const QString& held) {
         const VarFields f = fillVar(held);
         return QStringList{f.name, f.value};
     },
     "lblEquals", "=", 2, 6},
    {Kind::Input, "frmInput", QT_TRANSLATE_NOOP("TextFieldDialog", "INPUT command"), "cmdInputDone", CaptionSide::Left,
     true, true, InputBoxes,
     [](const QStringList& b) {
         return ComposedLine{composeInput({b[0], b[1]})};
     },
     [](const QString& held) {
         const InputFields f = fillInput(held);
         return QStringList{f.prompt, f.variable};
     }},
    {Kind::Pause, "frmPause", QT_TRANSLATE_NOOP("TextFieldDialog", "Pause duration"), "cmdPauseDone", CaptionSide::None,
     true, false, PauseBoxes, [](const QStringList& b) { return ComposedLine{composePause({b[0]})}; },
     [](const QString& held) { return QStringList{fillPause(held).time}; }},
    {Kind::Comment, "frmComment", QT_TRANSLATE_NOOP("TextFieldDialog", "Comment text"), "cmdCommentDone",
     CaptionSide::None, true, false, CommentBoxes,
     [](const QStringList& b) { return ComposedLine{composeComment({b[0]})}; },
     [](const QString& held) { return QStringList{fillComment(held).text}; }},
    // Any command typed in full.
    {Kind::Blank, "frmBlank", QT_TRANSLATE_NOOP("TextFieldDialog", "Blank command"), "cmdBlankDone", CaptionSide::None,
     true, false, BlankBoxes, [](const QStringList& b) { return ComposedLine{composeBlank({b[0]})}; },
     [](const QString& held) { return QStringList{fillBlank(held).text}; }},
};

} // namespace

TextFieldDialog::TextFieldDialog(const TextFieldDialogRow& row, const DialogContext& context, Platform& platform,
                                 const DialogRunner& runner, QWidget* parent)
    : CommandDialog(context, platform, runner, parent), m_row(row) {
    setObjectName(QLatin1String(row.name));
    setWindowTitle(tr(row.title));
    const bool headings = row.captions == CaptionSide::Left;
    const int boxColumn = headings ? 1 : 0;
    const int widest = std::ranges::max(row.boxes, {}, &TextFieldBox::widthChars).widthChars;

    auto* grid = new QGridLayout;
    int line = 0;
    for (const TextFieldBox& spec : row.boxes) {
        TextBox* box = makeTextBox(spec.name, spec.prompt, spec.widthChars, row.selectOnFocus);
        // A box narrower than the others keeps its own width instead of filling the column.
        grid->addWidget(box, line, boxColumn, spec.widthChars < widest ? Qt::AlignLeft : Qt::Alignment());
        if (spec.caption)
            grid->addWidget(makeCaption(tr(spec.caption), spec.captionName, headings), line, headings ? 0 : 1);
        m_boxes << box;
        ++line;
        if (m_boxes.size() == 1 && row.between) {
            QLabel* between = makeCaption(QLatin1String(row.between), row.betweenName, true);
            QFont large = between->font();
            large.setPointSizeF(large.pointSizeF() * 2);
            between->setFont(large);
            grid->addWidget(between, line++, boxColumn, Qt::AlignHCenter);
            grid->setVerticalSpacing(0);
        }
        if (m_boxes.size() == row.airAfter) grid->setRowMinimumHeight(line++, row.airHeight);
    }
    auto* layout = new QVBoxLayout;
    layout->addLayout(grid);
    if (row.inlineCheck) {
        chkInline = makeInlineCheck();
        // Under headings the check lines up with the boxes.
        if (headings)
            grid->addWidget(chkInline, line, boxColumn);
        else
            layout->addWidget(chkInline);
    }
    cmdDone = makeButton(row.doneName, tr("Done"));
    layout->addLayout(centred(cmdDone));
    setFixedLayout(layout);

    QWidget* previous = m_boxes.first();
    for (qsizetype i = 1; i < m_boxes.size(); ++i) {
        setTabOrder(previous, m_boxes[i]);
        previous = m_boxes[i];
    }
    if (chkInline) {
        setTabOrder(previous, chkInline);
        previous = chkInline;
    }
    setTabOrder(previous, cmdDone);

    connect(cmdDone, &QPushButton::clicked, this, &TextFieldDialog::done);
}

void TextFieldDialog::fillFrom(const QString& heldText) {
    const QStringList texts = m_row.fill(heldText);
    for (qsizetype i = 0; i < m_boxes.size(); ++i)
        m_boxes[i]->fill(texts.value(i));
}

void TextFieldDialog::pressDone() {
    cmdDone->click();
}

void TextFieldDialog::done() {
    runDone(chkInline, [this] { return m_row.compose(texts()); });
}

QStringList TextFieldDialog::texts() const {
    QStringList out;
    for (const TextBox* box : m_boxes)
        out << box->text();
    return out;
}

std::unique_ptr<CommandDialog> createTextFieldDialog(Kind k, const DialogContext& context, Platform& platform,
                                                     const DialogRunner& runner, QWidget* parent) {
    for (const TextFieldDialogRow& row : Rows)
        if (row.kind == k) return std::make_unique<TextFieldDialog>(row, context, platform, runner, parent);
    return nullptr;
}
