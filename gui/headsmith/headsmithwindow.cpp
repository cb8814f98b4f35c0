#include "gui/headsmith/headsmithwindow.h"

#include "core/headsmith/cuttinglists.h"
#include "gui/headsmith/headerwriter.h"
#include "gui/headsmith/helpviewer.h"
#include "gui/oneline.h"
#include "platform/platform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <limits>

namespace {

QString openFilter() {
    return HeadsmithWindow::tr(" Corvane files (*.cvp)|*.cvp");
}
QString noFileTitle() {
    return HeadsmithWindow::tr("No file selected");
}
QString messageTitle() {
    return HeadsmithWindow::tr("Headsmith");
}

template <typename W> W* named(W* w, const char* name) {
    w->setObjectName(QLatin1String(name));
    return w;
}

// Every suggestion shows whole ("2450 x 1225"): the box is at least as wide as its widest entry
// plus what the edit field inside it keeps for its margins and caret.
void fitToEntries(QComboBox* box) {
    int widest = 0;
    for (int i = 0; i < box->count(); ++i)
        widest = qMax(widest, box->fontMetrics().horizontalAdvance(box->itemText(i)));
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = true;
    constexpr int EditMargins = 8;
    const QSize contents(widest + EditMargins, box->fontMetrics().height());
    box->setMinimumWidth(box->style()->sizeFromContents(QStyle::CT_ComboBox, &option, contents, box).width());
}

} // namespace

HeadsmithWindow::HeadsmithWindow(const QString& partFile, HeaderAnswers& answers, Platform& platform, QWidget* parent)
    : QDialog(parent), m_partFile(partFile), m_answers(answers), m_platform(platform),
      m_helpViewer(new HelpViewer(platform, this)) {
    setObjectName(QStringLiteral("frmHeader"));
    setWindowTitle(tr("Corvane Headsmith"));

    m_tabs = named(new QTabWidget(this), "SSTab1");
    auto* general = new QWidget(m_tabs);
    auto* cutting = new QWidget(m_tabs);
    m_general = headsmithpages::buildGeneral(general);
    m_cutting = headsmithpages::buildCutting(cutting);
    m_tabs->addTab(general, tr("General information"));
    m_tabs->addTab(cutting, tr("Part File and Material Information"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    // Wide enough that a long date, a phone number and the copyright holder show whole.
    resize(820, 660);
    connectControls();
    loadAnswers();
}

HeadsmithWindow::~HeadsmithWindow() = default;

void HeadsmithWindow::connectControls() {
    // These boxes select their whole text on focus, so that typing replaces a sample value.
    const GeneralPage& g = m_general;
    for (QLineEdit* box :
         {g.createdBy, g.date, g.copyright, g.copyrightYear, g.description, g.contactName, g.phone, g.email,
          m_cutting.offsets[0], m_cutting.offsets[1], m_cutting.offsets[2], m_cutting.enterInfo})
        box->installEventFilter(this);
    m_cutting.notes->viewport()->installEventFilter(this);
    // Every one-line box, the editable lists' included, shows and holds exactly one line: a line
    // break that got into an answer would put a live command into the header. Nor is an answer cut
    // at the length a line edit takes by default: a remembered one comes back whole, however long.
    constexpr int QtDefaultMaxLength = 32767;
    for (QLineEdit* box : findChildren<QLineEdit*>()) {
        keepOneLine(box);
        if (box->maxLength() == QtDefaultMaxLength) box->setMaxLength(std::numeric_limits<int>::max());
    }

    connect(g.opening.add, &QCheckBox::toggled, this, [this] { fileChoiceToggled(true); });
    connect(g.closing.add, &QCheckBox::toggled, this, [this] { fileChoiceToggled(false); });
    connect(m_cutting.offset2d, &QCheckBox::toggled, this, [this] { offsetToggled(false); });
    connect(m_cutting.offset3d, &QCheckBox::toggled, this, [this] { offsetToggled(true); });
    connect(m_cutting.inch, &QRadioButton::toggled, this, [this](bool on) {
        if (on) fillLists(false);
    });
    connect(m_cutting.metric, &QRadioButton::toggled, this, [this](bool on) {
        if (on) fillLists(true);
    });
    connect(m_cutting.done, &QPushButton::clicked, this, &HeadsmithWindow::writeHeader);
    connect(m_cutting.info, &QPushButton::clicked, m_helpViewer, &HelpViewer::show);
}

void HeadsmithWindow::keyPressEvent(QKeyEvent* event) {
    // Escape would close the window and throw away every answer typed so far; only the close box
    // of the frame leaves without writing.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool HeadsmithWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_cutting.notes->viewport()) {
        if (event->type() == QEvent::MouseButtonRelease) {
            showNotesHint();
        } else if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            m_cutting.enterInfo->selectAll();
            event->ignore(); // nothing may be dropped into the notes
            return true;
        }
        return QDialog::eventFilter(watched, event);
    }
    if (auto* box = qobject_cast<QLineEdit*>(watched)) {
        if (event->type() == QEvent::FocusIn) {
            // Queued: a mouse press that brought the focus would otherwise place the caret over the selection.
            QMetaObject::invokeMethod(box, &QLineEdit::selectAll, Qt::QueuedConnection);
        } else if (box == m_cutting.enterInfo && event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                addNote();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void HeadsmithWindow::loadAnswers() {
    m_tabs->setCurrentIndex(0);
    const headeranswers::Loaded loaded = headeranswers::load(m_platform, m_answers);
    if (loaded.metric) (*loaded.metric ? m_cutting.metric : m_cutting.inch)->setChecked(true);
    if (loaded.tableTop) (*loaded.tableTop ? m_cutting.tableTop : m_cutting.materialTop)->setChecked(true);
    if (loaded.source != headeranswers::Loaded::Source::None) {
        m_general.createdBy->setText(m_answers.createdBy);
        m_general.copyright->setText(m_answers.copyrightHolder);
        m_general.contactName->setText(m_answers.contactName);
        m_general.phone->setText(m_answers.phone);
        m_general.email->setText(m_answers.email);
        m_cutting.bitSize->setEditText(m_answers.bitSize);
        m_cutting.bitType->setEditText(m_answers.bitType);
        m_cutting.blank->setEditText(m_answers.blank);
        m_cutting.material->setEditText(m_answers.material);
        m_cutting.thickness->setEditText(m_answers.thickness);
        m_general.use->setEditText(m_answers.restrictions);
    }
    if (!loaded.error.isEmpty()) m_platform.tell(loaded.error, messageTitle(), Platform::Icon::Warning);

    m_general.date->setText(m_platform.shortDate());
    m_general.copyrightYear->setText(cuttinglists::yearOf(m_general.date->text()));
    fillLists(!m_cutting.inch->isChecked());
    // Setting a text leaves the caret at its end, and a box narrower than its text would then show
    // only the tail ("...Company name"). Every box opens showing the start of its text.
    for (QLineEdit* box : findChildren<QLineEdit*>())
        box->setCursorPosition(0);
}

void HeadsmithWindow::fileChoiceToggled(bool opening) {
    const FileChoiceControls& c = opening ? m_general.opening : m_general.closing;
    if (c.add->isChecked()) {
        c.path->setEnabled(true);
        // A cancelled choice has unchecked the box and disabled its controls again: they stay so.
        if (!chooseFile(opening)) return;
        c.asText->setEnabled(true);
        c.asFP->setEnabled(true);
        c.asFP->setChecked(true);
    } else {
        c.path->setEnabled(false);
        c.path->clear();
        c.asText->setEnabled(false);
        c.asFP->setEnabled(false);
    }
}

void HeadsmithWindow::offsetsNeitherChecked() {
    if (m_cutting.offset2d->isChecked() || m_cutting.offset3d->isChecked()) return;
    for (QLabel* label : {m_cutting.offsetLabels[0], m_cutting.offsetLabels[1], m_cutting.offsetLabels[2]})
        label->setEnabled(false);
    // Out of the tab order as well as disabled, as the boxes were when the window opened.
    for (QLineEdit* box : {m_cutting.offsets[0], m_cutting.offsets[1], m_cutting.offsets[2]}) {
        box->setEnabled(false);
        box->clear();
        box->setFocusPolicy(Qt::NoFocus);
    }
}

void HeadsmithWindow::offsetToggled(bool threeD) {
    QCheckBox* box = threeD ? m_cutting.offset3d : m_cutting.offset2d;
    if (box->isChecked()) {
        // 2d offsets X and Y; 3d offsets Z as well.
        for (int axis = 0; axis < 3; ++axis) {
            const bool used = axis < 2 || threeD;
            m_cutting.offsetLabels[axis]->setEnabled(used);
            QLineEdit* offset = m_cutting.offsets[axis];
            offset->setEnabled(used);
            if (used)
                offset->setText(QStringLiteral("0"));
            else
                offset->clear();
            offset->setFocusPolicy(used ? Qt::StrongFocus : Qt::NoFocus);
        }
        (threeD ? m_cutting.offset2d : m_cutting.offset3d)->setChecked(false);
    }
    offsetsNeitherChecked();
}

void HeadsmithWindow::addNote() {
    m_notes += QStringLiteral("'' ") + m_cutting.enterInfo->text() + u'\n';
    m_cutting.notes->setPlainText(m_notes);
    m_cutting.notes->verticalScrollBar()->setValue(m_cutting.notes->verticalScrollBar()->maximum());
    m_cutting.enterInfo->clear();
}

void HeadsmithWindow::showNotesHint() {
    const QString hint = QLatin1String(headsmithpages::EnterInfoHint);
    m_cutting.enterInfo->setText(hint);
    m_cutting.enterInfo->deselect();
    m_cutting.enterInfo->setCursorPosition(int(hint.size()));
}

HeaderFields HeadsmithWindow::fields() const {
    HeaderFields f;
    f.description = m_general.description->text();
    f.createdBy = m_general.createdBy->text();
    f.date = m_general.date->text();
    f.copyright = m_general.copyright->text();
    f.copyrightYear = m_general.copyrightYear->text();
    f.use = m_general.use->currentText();
    f.contactName = m_general.contactName->text();
    f.email = m_general.email->text();
    f.phone = m_general.phone->text();
    f.metric = m_cutting.metric->isChecked();
    f.tableTop = m_cutting.tableTop->isChecked();
    f.offset2d = m_cutting.offset2d->isChecked();
    f.offset3d = m_cutting.offset3d->isChecked();
    f.xOffset = m_cutting.offsets[0]->text();
    f.yOffset = m_cutting.offsets[1]->text();
    f.zOffset = m_cutting.offsets[2]->text();
    f.blank = m_cutting.blank->currentText();
    f.thickness = m_cutting.thickness->currentText();
    f.material = m_cutting.material->currentText();
    f.bitSize = m_cutting.bitSize->currentText();
    f.bitType = m_cutting.bitType->currentText();
    f.additionalInfo = m_notes;
    f.addOpening = m_general.opening.add->isChecked();
    f.openingAsFP = m_general.opening.asFP->isChecked();
    f.openingPath = m_answers.openingPath;
    f.addClosing = m_general.closing.add->isChecked();
    f.closingAsFP = m_general.closing.asFP->isChecked();
    f.closingPath = m_answers.closingPath;
    return f;
}

void HeadsmithWindow::writeHeader() {
    // The progress window lets events through; a second click must not start a second rewrite.
    if (m_writing) return;
    const QScopedValueRollback<bool> writing(m_writing, true);
    const HeaderFields f = fields();
    const headsmith::RewriteResult result =
        writeHeaderWithProgress(m_partFile, f, m_platform, this, progressDelayMs, m_encoding);
    switch (result.outcome) {
    case headsmith::RewriteResult::Outcome::Written: {
        const FileResult saved = headeranswers::save(m_platform, m_answers, f);
        if (!saved.ok)
            m_platform.tell(tr("The header was written, but your answers could not be saved for next "
                               "time:\n") +
                                saved.error,
                            messageTitle(), Platform::Icon::Warning);
        accept();
        break;
    }
    case headsmith::RewriteResult::Outcome::Failed:
        m_platform.tell(result.error, messageTitle(), Platform::Icon::Warning);
        break;
    case headsmith::RewriteResult::Outcome::Declined:
    case headsmith::RewriteResult::Outcome::Cancelled:
        // The part file is as it was; the window stays open for another try.
        break;
    }
}

QString HeadsmithWindow::installFolder() const {
    return m_helpViewer->installFolder();
}

bool HeadsmithWindow::chooseFile(bool opening) {
    QString& dir = opening ? m_answers.openingFolder : m_answers.closingFolder;
    QString& name = opening ? m_answers.openingName : m_answers.closingName;
    QString& full = opening ? m_answers.openingPath : m_answers.closingPath;
    QLineEdit* box = opening ? m_general.opening.path : m_general.closing.path;

    const std::optional<QString> chosen = m_platform.chooseOpenFile(tr("Open"), dir, name, openFilter());
    if (!chosen || chosen->isEmpty()) {
        m_platform.tell(opening ? tr("No header file will be added") : tr("No footer file will be added"),
                        noFileTitle(), Platform::Icon::Warning);
        box->setEnabled(false);
        box->clear();
        (opening ? m_general.opening.asText : m_general.closing.asText)->setEnabled(false);
        (opening ? m_general.opening.asFP : m_general.closing.asFP)->setEnabled(false);
        (opening ? m_general.opening.add : m_general.closing.add)->setChecked(false);
        return false;
    }
    full = *chosen;
    const qsizetype cut = qMax(full.lastIndexOf(u'\\'), full.lastIndexOf(u'/'));
    dir = cut >= 0 ? full.left(cut) : QString();
    name = cut >= 0 ? full.mid(cut + 1) : full;
    box->setText(full);
    return true;
}

void HeadsmithWindow::fillLists(bool metric) {
    const cuttinglists::Lists& lists = cuttinglists::lists(metric);
    for (QComboBox* box :
         {m_cutting.blank, m_cutting.bitSize, m_cutting.bitType, m_cutting.thickness, m_cutting.material})
        box->clear();
    m_cutting.blank->addItems(lists.blank);
    m_cutting.bitSize->addItems(lists.bitSize);
    m_cutting.bitType->addItems(lists.bitType);
    m_cutting.thickness->addItems(lists.thickness);
    m_cutting.material->addItems(lists.material);
    for (QComboBox* box :
         {m_cutting.blank, m_cutting.bitSize, m_cutting.bitType, m_cutting.thickness, m_cutting.material})
        fitToEntries(box);
    m_cutting.bitSize->setEditText(m_answers.bitSize);
    m_cutting.bitType->setEditText(m_answers.bitType);
    m_cutting.blank->setCurrentIndex(0);
    m_cutting.material->setEditText(m_answers.material);
    m_cutting.thickness->setCurrentIndex(0);
}
