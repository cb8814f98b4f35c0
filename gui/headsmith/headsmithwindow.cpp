#include "gui/headsmith/headsmithwindow.h"

#include "core/headsmith/cuttinglists.h"
#include "core/headsmith/headeranswers.h"
#include "core/headsmith/rewrite.h"
#include "core/program/modProgVar.h"
#include "core/textfile.h"
#include "gui/oneline.h"
#include "platform/platform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString CreatedByDefault = QStringLiteral("My Name");
const QString CopyrightDefault = QStringLiteral("My Name and/or My Company name");
const QString ContactDefault = QStringLiteral("Contact person's name");
const QString EmailDefault = QStringLiteral("myname@example.com");
const QString PhoneDefault = QStringLiteral("555.555.5555");
const QString EnterInfoDefault =
    QStringLiteral("Type additional info here... hit the ENTER key to add line to preview below ");
const QString EnterInfoHint =
    QStringLiteral("Type additional comments here... and hit the ENTER key at the end of each line.");
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

QLabel* prompt(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QStringLiteral("lbl_") + buddy->objectName());
    label->setBuddy(buddy);
    return label;
}

QComboBox* editableCombo(const char* name, QWidget* parent) {
    auto* box = named(new QComboBox(parent), name);
    box->setEditable(true);
    // The lists only suggest: what is typed stays typed, and Enter does not grow the list.
    box->setInsertPolicy(QComboBox::NoInsert);
    return box;
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

HeadsmithWindow::HeadsmithWindow(modProgVar& vars, modHeaderProgVar& header, Platform& platform, QWidget* parent)
    : QDialog(parent), m_vars(vars), m_header(header), m_platform(platform) {
    setObjectName(QStringLiteral("frmHeader"));
    setWindowTitle(tr("Corvane Headsmith"));

    SSTab1 = named(new QTabWidget(this), "SSTab1");
    auto* general = new QWidget(SSTab1);
    auto* cutting = new QWidget(SSTab1);
    buildGeneralTab(general);
    buildCuttingTab(cutting);
    SSTab1->addTab(general, tr("General information"));
    SSTab1->addTab(cutting, tr("Part File and Material Information"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
    // Wide enough that a long date, a phone number and the copyright holder show whole.
    resize(820, 660);

    // These boxes select their whole text on focus, so that typing replaces a sample value.
    for (QLineEdit* box : {txtCreatedBy, txtDate, txtCopyright, txtCopyrightYear, txtDescription, txtContactName,
                           txtPhone, txtEmail, txtXOffset, txtYOffset, txtZOffset, txtEnterInfo})
        box->installEventFilter(this);
    txtAdditionalInfo->viewport()->installEventFilter(this);
    // Every one-line box, the editable lists' included, shows and holds exactly one line: a line
    // break that got into an answer would put a live command into the header.
    for (QLineEdit* box : findChildren<QLineEdit*>())
        keepOneLine(box);

    connect(chkHeader, &QCheckBox::toggled, this, [this] { chkHeader_Click(); });
    connect(chkFooter, &QCheckBox::toggled, this, [this] { chkFooter_Click(); });
    connect(chk2d, &QCheckBox::toggled, this, [this] { chk2d_Click(); });
    connect(chk3d, &QCheckBox::toggled, this, [this] { chk3d_Click(); });
    connect(optInch, &QRadioButton::toggled, this, [this](bool on) {
        if (on) optInch_Click();
    });
    connect(optMetric, &QRadioButton::toggled, this, [this](bool on) {
        if (on) optMetric_Click();
    });
    connect(cmdDone, &QPushButton::clicked, this, [this] { cmdDone_Click(); });
    connect(cmdInfo, &QPushButton::clicked, this, [this] { cmdInfo_Click(); });

    Form_Load();
}

HeadsmithWindow::~HeadsmithWindow() = default;

void HeadsmithWindow::buildGeneralTab(QWidget* page) {
    fraGeneral = named(new QGroupBox(tr("General info"), page), "fraGeneral");
    txtDescription = named(new QLineEdit(fraGeneral), "txtDescription");
    txtDescription->setMaxLength(80);
    txtCreatedBy = named(new QLineEdit(CreatedByDefault, fraGeneral), "txtCreatedBy");
    txtCreatedBy->setToolTip(tr("Name of original file creator"));
    txtDate = named(new QLineEdit(fraGeneral), "txtDate");
    txtDate->setToolTip(tr("Date file was created or modified"));
    txtCopyright = named(new QLineEdit(CopyrightDefault, fraGeneral), "txtCopyright");
    txtCopyright->setToolTip(tr("Person or company holding copyright"));
    txtCopyrightYear = named(new QLineEdit(fraGeneral), "txtCopyrightYear");
    txtCopyrightYear->setToolTip(tr("Years that copyright takes effect"));
    {
        auto* grid = new QGridLayout(fraGeneral);
        grid->addWidget(prompt(tr("A brief description of file"), txtDescription, fraGeneral), 0, 0);
        grid->addWidget(txtDescription, 0, 1, 1, 3);
        grid->addWidget(prompt(tr("Created by"), txtCreatedBy, fraGeneral), 1, 0);
        grid->addWidget(txtCreatedBy, 1, 1);
        grid->addWidget(prompt(tr("Date"), txtDate, fraGeneral), 1, 2);
        grid->addWidget(txtDate, 1, 3);
        grid->addWidget(prompt(tr("Copyright holder"), txtCopyright, fraGeneral), 2, 0);
        grid->addWidget(txtCopyright, 2, 1);
        grid->addWidget(prompt(tr("Copyright years"), txtCopyrightYear, fraGeneral), 2, 2);
        grid->addWidget(txtCopyrightYear, 2, 3);
        grid->setColumnStretch(1, 3);
        grid->setColumnStretch(3, 1);
        txtDate->setMinimumWidth(130);
        txtCopyrightYear->setMinimumWidth(130);
    }

    contactFrame = named(new QGroupBox(tr("Contact info"), page), "Frame4");
    cmbUse = editableCombo("cmbUse", contactFrame);
    cmbUse->addItems({QStringLiteral("no restrictions... free for any use"),
                      QStringLiteral("free for personal use, $ **  fee for commercial use"),
                      QStringLiteral("free for educational use"), QStringLiteral("fee for any and all use"),
                      QStringLiteral("contact copyright holder")});
    cmbUse->setCurrentIndex(0);
    cmbUse->setToolTip(tr("Any restrictions that are put on end user's use of file"));
    txtContactName = named(new QLineEdit(ContactDefault, contactFrame), "txtContactName");
    txtContactName->setToolTip(tr("Person to contact if more info is needed on using file"));
    txtEmail = named(new QLineEdit(EmailDefault, contactFrame), "txtEmail");
    txtPhone = named(new QLineEdit(PhoneDefault, contactFrame), "txtPhone");
    {
        auto* grid = new QGridLayout(contactFrame);
        grid->addWidget(prompt(tr("Use restrictions"), cmbUse, contactFrame), 0, 0);
        grid->addWidget(cmbUse, 0, 1, 1, 3);
        grid->addWidget(prompt(tr("Contact Name"), txtContactName, contactFrame), 1, 0);
        grid->addWidget(txtContactName, 1, 1, 1, 3);
        grid->addWidget(prompt(tr("Contact email"), txtEmail, contactFrame), 2, 0);
        grid->addWidget(txtEmail, 2, 1);
        grid->addWidget(prompt(tr("Contact phone"), txtPhone, contactFrame), 2, 2);
        grid->addWidget(txtPhone, 2, 3);
        grid->setColumnStretch(1, 3);
        grid->setColumnStretch(3, 1);
        txtPhone->setMinimumWidth(150);
    }

    // The opening and closing frames are alike: a check box, the chosen path, and how to add it.
    auto fileFrame = [page](const QString& title, const char* frameName, const QString& check, const char* chkName,
                            const char* txtName, const QString& asText, const char* optTextName, const QString& asFP,
                            const char* optFPName, QCheckBox*& chk, QLineEdit*& txt, QRadioButton*& optText,
                            QRadioButton*& optFP) {
        auto* frame = named(new QGroupBox(title, page), frameName);
        chk = named(new QCheckBox(check, frame), chkName);
        txt = named(new QLineEdit(frame), txtName);
        txt->setReadOnly(true);
        txt->setEnabled(false);
        optText = named(new QRadioButton(asText, frame), optTextName);
        optText->setEnabled(false);
        optFP = named(new QRadioButton(asFP, frame), optFPName);
        optFP->setEnabled(false);
        auto* grid = new QGridLayout(frame);
        grid->addWidget(chk, 0, 0);
        grid->addWidget(txt, 0, 1);
        grid->addWidget(optText, 1, 0, 1, 2);
        grid->addWidget(optFP, 2, 0, 1, 2);
        grid->setColumnStretch(1, 1);
        return frame;
    };
    openingFrame = fileFrame(tr("Opening file?"), "Frame7", tr("Add Opening file?"), "chkHeader", "txtHeaderFile",
                             tr("Write Opening file info into the part file as text?"), "optHeaderText",
                             tr("Call Opening file with FP command?"), "optHeaderFP", chkHeader, txtHeaderFile,
                             optHeaderText, optHeaderFP);
    closingFrame = fileFrame(tr("Closing file"), "Frame8", tr("Add Closing file?"), "chkFooter", "txtFooterFile",
                             tr("Write Closing file info into the part file as text?"), "optFooterText",
                             tr("Call Closing file with FP command?"), "optFooterFP", chkFooter, txtFooterFile,
                             optFooterText, optFooterFP);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(fraGeneral);
    layout->addWidget(contactFrame);
    layout->addWidget(openingFrame);
    layout->addWidget(closingFrame);
    layout->addStretch(1);

    QWidget* order[] = {txtDescription, txtCreatedBy, txtDate,       txtCopyright,  txtCopyrightYear, cmbUse,
                        txtContactName, txtEmail,     txtPhone,      chkHeader,     txtHeaderFile,    optHeaderText,
                        optHeaderFP,    chkFooter,    txtFooterFile, optFooterText, optFooterFP};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void HeadsmithWindow::buildCuttingTab(QWidget* page) {
    cuttingFrame = buildCuttingFrame(page);
    QGroupBox* notesFrame = buildNotesFrame(page);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(cuttingFrame);
    layout->addWidget(notesFrame, 1);

    QWidget* order[] = {optInch,    optMetric,  optTableTop,  optMatSurface, chk2d,        chk3d,
                        txtXOffset, txtYOffset, txtZOffset,   cmbBlank,      cmbThickness, cmbMaterial,
                        cmbBitSize, cmbBitType, txtEnterInfo, cmdDone,       cmdInfo};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

QGroupBox* HeadsmithWindow::buildUnitsFrame(QWidget* parent) {
    auto* frame = named(new QGroupBox(tr("Units"), parent), "Frame6");
    optInch = named(new QRadioButton(tr("inch"), frame), "optInch");
    optInch->setChecked(true);
    optMetric = named(new QRadioButton(tr("mm"), frame), "optMetric");
    optMetric->setToolTip(tr("Sizes in millimeters"));
    auto* box = new QVBoxLayout(frame);
    box->addWidget(optInch);
    box->addWidget(optMetric);
    box->addStretch(1);
    return frame;
}

QGroupBox* HeadsmithWindow::buildZeroFrame(QWidget* parent) {
    auto* frame = named(new QGroupBox(tr("Z-axis zero"), parent), "Frame3");
    optTableTop = named(new QRadioButton(tr("Table top surface"), frame), "optTableTop");
    optMatSurface = named(new QRadioButton(tr("Material top surface"), frame), "optMatSurface");
    optMatSurface->setChecked(true);
    auto* box = new QVBoxLayout(frame);
    box->addWidget(optTableTop);
    box->addWidget(optMatSurface);
    box->addStretch(1);
    return frame;
}

QGroupBox* HeadsmithWindow::buildOffsetFrame(QWidget* parent) {
    auto* frame = named(new QGroupBox(tr("Cut in offset mode?"), parent), "Frame1");
    chk2d = named(new QCheckBox(tr("2d"), frame), "chk2d");
    chk3d = named(new QCheckBox(tr("3d"), frame), "chk3d");
    auto* grid = new QGridLayout(frame);
    grid->addWidget(chk2d, 0, 0);
    grid->addWidget(chk3d, 0, 1);
    const char* boxNames[] = {"txtXOffset", "txtYOffset", "txtZOffset"};
    const char* labelNames[] = {"Label20", "Label21", "Label22"};
    const QString captions[] = {tr("X offset"), tr("Y offset"), tr("Z offset")};
    QLineEdit** boxes[] = {&txtXOffset, &txtYOffset, &txtZOffset};
    QLabel** labels[] = {&xOffsetLabel, &yOffsetLabel, &zOffsetLabel};
    for (int i = 0; i < 3; ++i) {
        auto* box = named(new QLineEdit(QStringLiteral(" "), frame), boxNames[i]);
        box->setEnabled(false);
        box->setFocusPolicy(Qt::NoFocus);
        box->setMaximumWidth(70);
        auto* label = named(new QLabel(captions[i], frame), labelNames[i]);
        label->setEnabled(false);
        label->setBuddy(box);
        grid->addWidget(box, 1, i);
        grid->addWidget(label, 2, i);
        *boxes[i] = box;
        *labels[i] = label;
    }
    return frame;
}

QGroupBox* HeadsmithWindow::buildCuttingFrame(QWidget* parent) {
    auto* frame = named(new QGroupBox(tr("Cutting Info"), parent), "Frame2");
    auto* grid = new QGridLayout(frame);
    grid->addWidget(buildUnitsFrame(frame), 0, 0);
    grid->addWidget(buildZeroFrame(frame), 0, 1);
    grid->addWidget(buildOffsetFrame(frame), 0, 2);

    cmbBlank = editableCombo("cmbBlank", frame);
    cmbThickness = editableCombo("cmbThickness", frame);
    cmbMaterial = editableCombo("cmbMaterial", frame);
    cmbBitSize = editableCombo("cmbBitSize", frame);
    cmbBitType = editableCombo("cmbBitType", frame);
    // Shown until the lists are filled at load.
    cmbBlank->setEditText(QStringLiteral("96 x 48"));
    cmbThickness->setEditText(QStringLiteral("1/2"));
    cmbMaterial->setEditText(QStringLiteral("plywood"));
    cmbBitSize->setEditText(QStringLiteral("1/2"));
    cmbBitType->setEditText(QStringLiteral("straight bit"));
    const auto labelled = [frame](const QString& text, QComboBox* box) {
        auto* w = new QWidget(frame);
        auto* v = new QVBoxLayout(w);
        v->setContentsMargins(0, 0, 0, 0);
        v->addWidget(prompt(text, box, w));
        v->addWidget(box);
        return w;
    };
    grid->addWidget(labelled(tr("Blank size"), cmbBlank), 1, 0);
    grid->addWidget(labelled(tr("Blank thickness"), cmbThickness), 1, 1);
    grid->addWidget(labelled(tr("Material"), cmbMaterial), 1, 2);
    grid->addWidget(labelled(tr("Bit size"), cmbBitSize), 2, 0);
    grid->addWidget(labelled(tr("Bit type"), cmbBitType), 2, 1);
    return frame;
}

QGroupBox* HeadsmithWindow::buildNotesFrame(QWidget* parent) {
    auto* frame = named(new QGroupBox(tr("Additional notes"), parent), "Frame5");
    auto* howTo = named(new QLabel(tr(" To add some additional info to your header, type it into the top "
                                      "box on the right and then hit the ENTER key to add it to the "
                                      "larger preview box beneath it."),
                                   frame),
                        "Label19");
    howTo->setWordWrap(true);
    cmdDone = named(new QPushButton(tr("Write the information"), frame), "cmdDone");
    cmdDone->setMinimumHeight(48);
    cmdDone->setStyleSheet(QStringLiteral("QPushButton { background-color: #2f9e44; color: white; font-weight: bold; "
                                          "border: 1px solid #1e6e2e; border-radius: 3px; padding: 6px; }"
                                          "QPushButton:pressed { background-color: #237a34; }"));
    cmdInfo = named(new QPushButton(frame), "cmdInfo");
    cmdInfo->setIcon(style()->standardIcon(QStyle::SP_MessageBoxQuestion));
    cmdInfo->setIconSize(QSize(24, 24));
    cmdInfo->setFixedSize(36, 36);
    cmdInfo->setToolTip(tr("Find out more about the Headsmith"));
    // Enter belongs to the notes entry box: no button may take it as a default.
    cmdDone->setAutoDefault(false);
    cmdInfo->setAutoDefault(false);

    txtEnterInfo = named(new QLineEdit(frame), "txtEnterInfo");
    txtEnterInfo->setMaxLength(80);
    txtEnterInfo->setText(EnterInfoDefault);
    txtAdditionalInfo = named(new QPlainTextEdit(frame), "txtAdditionalInfo");
    txtAdditionalInfo->setReadOnly(true);
    txtAdditionalInfo->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtAdditionalInfo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtAdditionalInfo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtAdditionalInfo->setFocusPolicy(Qt::ClickFocus);
    txtAdditionalInfo->setToolTip(tr("Add additionallines of info text box above"));
    QPalette pal = txtAdditionalInfo->palette();
    pal.setColor(QPalette::Base, QColor(0xd4, 0xd4, 0xd4));
    txtAdditionalInfo->setPalette(pal);
    // The notes box takes drags so that dragging over it can select the entry line.
    txtAdditionalInfo->viewport()->setAcceptDrops(true);

    auto* grid = new QGridLayout(frame);
    auto* left = new QVBoxLayout;
    left->addWidget(howTo);
    left->addStretch(1);
    left->addWidget(cmdDone);
    left->addWidget(cmdInfo, 0, Qt::AlignLeft);
    grid->addLayout(left, 0, 0, 2, 1);
    grid->addWidget(txtEnterInfo, 0, 1);
    grid->addWidget(txtAdditionalInfo, 1, 1);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 5);
    return frame;
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
    if (watched == txtAdditionalInfo->viewport()) {
        if (event->type() == QEvent::MouseButtonRelease) {
            txtAdditionalInfo_Click();
        } else if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            txtAdditionalInfo_DragOver();
            event->ignore(); // nothing may be dropped into the notes
            return true;
        }
        return QDialog::eventFilter(watched, event);
    }
    if (auto* box = qobject_cast<QLineEdit*>(watched)) {
        if (event->type() == QEvent::FocusIn) {
            // Queued: a mouse press that brought the focus would otherwise place the caret over the selection.
            QMetaObject::invokeMethod(box, &QLineEdit::selectAll, Qt::QueuedConnection);
        } else if (box == txtEnterInfo && event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                txtEnterInfo_KeyDown(13);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void HeadsmithWindow::Form_Load() {
    SSTab1->setCurrentIndex(0);
    LoadHeaderSettings();
    InitHeaderFields();
    // Setting a text leaves the caret at its end, and a box narrower than its text would then show
    // only the tail ("...Company name"). Every box opens showing the start of its text.
    for (QLineEdit* box : findChildren<QLineEdit*>())
        box->setCursorPosition(0);
}

void HeadsmithWindow::chkHeader_Click() {
    if (chkHeader->isChecked()) {
        txtHeaderFile->setEnabled(true);
        // A cancelled choice has unchecked the box and disabled its controls again: they stay so.
        if (!ChooseOpeningFile()) return;
        optHeaderText->setEnabled(true);
        optHeaderFP->setEnabled(true);
        optHeaderFP->setChecked(true);
    } else {
        txtHeaderFile->setEnabled(false);
        txtHeaderFile->clear();
        optHeaderText->setEnabled(false);
        optHeaderFP->setEnabled(false);
    }
}

void HeadsmithWindow::chkFooter_Click() {
    if (chkFooter->isChecked()) {
        txtFooterFile->setEnabled(true);
        if (!ChooseClosingFile()) return;
        optFooterText->setEnabled(true);
        optFooterFP->setEnabled(true);
        optFooterFP->setChecked(true);
    } else {
        txtFooterFile->setEnabled(false);
        txtFooterFile->clear();
        optFooterText->setEnabled(false);
        optFooterFP->setEnabled(false);
    }
}

void HeadsmithWindow::offsetsNeitherChecked() {
    if (chk2d->isChecked() || chk3d->isChecked()) return;
    for (QLabel* label : {xOffsetLabel, yOffsetLabel, zOffsetLabel})
        label->setEnabled(false);
    // Out of the tab order as well as disabled, as the boxes were when the window opened.
    for (QLineEdit* box : {txtXOffset, txtYOffset, txtZOffset}) {
        box->setEnabled(false);
        box->clear();
        box->setFocusPolicy(Qt::NoFocus);
    }
}

void HeadsmithWindow::chk2d_Click() {
    if (chk2d->isChecked()) {
        xOffsetLabel->setEnabled(true);
        yOffsetLabel->setEnabled(true);
        zOffsetLabel->setEnabled(false);
        for (QLineEdit* box : {txtXOffset, txtYOffset}) {
            box->setEnabled(true);
            box->setText(QStringLiteral("0"));
            box->setFocusPolicy(Qt::StrongFocus);
        }
        txtZOffset->setEnabled(false);
        txtZOffset->clear();
        txtZOffset->setFocusPolicy(Qt::NoFocus);
        chk3d->setChecked(false);
    }
    offsetsNeitherChecked();
}

void HeadsmithWindow::chk3d_Click() {
    if (chk3d->isChecked()) {
        for (QLabel* label : {xOffsetLabel, yOffsetLabel, zOffsetLabel})
            label->setEnabled(true);
        for (QLineEdit* box : {txtXOffset, txtYOffset, txtZOffset}) {
            box->setEnabled(true);
            box->setText(QStringLiteral("0"));
            box->setFocusPolicy(Qt::StrongFocus);
        }
        chk2d->setChecked(false);
    }
    offsetsNeitherChecked();
}

void HeadsmithWindow::optInch_Click() {
    FillInchLists();
}

void HeadsmithWindow::optMetric_Click() {
    FillMetricLists();
}

void HeadsmithWindow::txtEnterInfo_KeyDown(int keyCode) {
    if (keyCode != 13) return;
    m_notes += QStringLiteral("'' ") + txtEnterInfo->text() + u'\n';
    txtAdditionalInfo->setPlainText(m_notes);
    txtAdditionalInfo->verticalScrollBar()->setValue(txtAdditionalInfo->verticalScrollBar()->maximum());
    txtEnterInfo->clear();
}

void HeadsmithWindow::txtAdditionalInfo_Click() {
    txtEnterInfo->setText(EnterInfoHint);
    txtEnterInfo->deselect();
    txtEnterInfo->setCursorPosition(int(EnterInfoHint.size()));
}

void HeadsmithWindow::txtAdditionalInfo_DragOver() {
    txtEnterInfo->selectAll();
}

HeaderFields HeadsmithWindow::fields() const {
    HeaderFields f;
    f.Description = txtDescription->text();
    f.CreatedBy = txtCreatedBy->text();
    f.Date = txtDate->text();
    f.Copyright = txtCopyright->text();
    f.CopyrightYear = txtCopyrightYear->text();
    f.Use = cmbUse->currentText();
    f.ContactName = txtContactName->text();
    f.Email = txtEmail->text();
    f.Phone = txtPhone->text();
    f.Metric = optMetric->isChecked();
    f.TableTop = optTableTop->isChecked();
    f.Offset2d = chk2d->isChecked();
    f.Offset3d = chk3d->isChecked();
    f.XOffset = txtXOffset->text();
    f.YOffset = txtYOffset->text();
    f.ZOffset = txtZOffset->text();
    f.Blank = cmbBlank->currentText();
    f.Thickness = cmbThickness->currentText();
    f.Material = cmbMaterial->currentText();
    f.BitSize = cmbBitSize->currentText();
    f.BitType = cmbBitType->currentText();
    f.AdditionalInfo = m_notes;
    f.AddOpening = chkHeader->isChecked();
    f.OpeningAsFP = optHeaderFP->isChecked();
    f.OpeningPath = m_header.HeaderFilePath;
    f.AddClosing = chkFooter->isChecked();
    f.ClosingAsFP = optFooterFP->isChecked();
    f.ClosingPath = m_header.FooterFilePath;
    return f;
}

void HeadsmithWindow::cmdDone_Click() {
    // The progress window lets events through; a second click must not start a second rewrite.
    if (m_writing) return;
    const QScopedValueRollback<bool> writing(m_writing, true);
    const HeaderFields f = fields();
    headsmith::RewriteResult result;
    {
        QProgressDialog progress(tr("Writing the header into the part file..."), tr("Cancel"), 0, 1000, this);
        progress.setObjectName(QStringLiteral("prgHeader"));
        progress.setWindowTitle(tr("Corvane Headsmith"));
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(progressDelayMs);
        progress.setAutoClose(false);
        progress.setAutoReset(false);
        progress.setValue(0);
        QElapsedTimer sinceEvents;
        sinceEvents.start();
        const auto report = [&](qint64 done, qint64 total) {
            const int value = total > 0 ? int(done * 1000 / total) : 0;
            if (value != progress.value()) progress.setValue(value);
            // Keep the Cancel button alive even while the bar does not move.
            if (sinceEvents.elapsed() >= 50) {
                QCoreApplication::processEvents();
                sinceEvents.restart();
            }
            return !progress.wasCanceled();
        };
        result = headsmith::rewritePartFile(m_vars.PartFileName, f, m_platform, report);
    }

    switch (result.outcome) {
    case headsmith::RewriteResult::Outcome::Written: {
        const FileResult saved = headeranswers::SaveHeaderVariables(m_platform, m_header, f);
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

void HeadsmithWindow::FindPath() {
    PAthString = headeranswers::FindPath(m_platform.programFolder()).value_or(QString());
}

void HeadsmithWindow::cmdInfo_Click() {
    FindPath();
    const QString help = headeranswers::helpFilePath(m_platform.programFolder());
    if (!PAthString.isEmpty()) {
        const QString editor = headeranswers::editorPath(PAthString);
        if (QFileInfo::exists(editor) && m_platform.startDetached(editor, {help})) return;
    }
    showHelpWindow();
}

void HeadsmithWindow::showHelpWindow() {
    const QString path = headeranswers::helpFilePath(m_platform.programFolder());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_platform.tell(tr("The Headsmith help file could not be opened:\n%1\n\n%2").arg(path, file.errorString()),
                        messageTitle(), Platform::Icon::Warning);
        return;
    }
    const QString text = textfile::decode(file.readAll());
    if (!m_help) {
        m_help = new QDialog(this);
        m_help->setObjectName(QStringLiteral("frmHeadsmithHelp"));
        m_help->setWindowTitle(tr("Corvane Headsmith help"));
        m_help->setAttribute(Qt::WA_DeleteOnClose);
        auto* view = named(new QPlainTextEdit(m_help), "txtHelp");
        view->setReadOnly(true);
        view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, m_help);
        connect(buttons, &QDialogButtonBox::rejected, m_help.data(), &QDialog::close);
        auto* layout = new QVBoxLayout(m_help);
        layout->addWidget(view);
        layout->addWidget(buttons);
        m_help->resize(720, 560);
    }
    m_help->findChild<QPlainTextEdit*>(QStringLiteral("txtHelp"))->setPlainText(text);
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

bool HeadsmithWindow::chooseFile(bool opening) {
    QString& dir = opening ? m_header.HeaderFileDir : m_header.FooterFileDir;
    QString& name = opening ? m_header.HeaderFileName : m_header.FooterFileName;
    QString& full = opening ? m_header.HeaderFilePath : m_header.FooterFilePath;
    QLineEdit* box = opening ? txtHeaderFile : txtFooterFile;

    const std::optional<QString> chosen = m_platform.chooseOpenFile(tr("Open"), dir, name, openFilter());
    if (!chosen || chosen->isEmpty()) {
        m_platform.tell(opening ? tr("No header file will be added") : tr("No footer file will be added"),
                        noFileTitle(), Platform::Icon::Warning);
        box->setEnabled(false);
        box->clear();
        (opening ? optHeaderText : optFooterText)->setEnabled(false);
        (opening ? optHeaderFP : optFooterFP)->setEnabled(false);
        (opening ? chkHeader : chkFooter)->setChecked(false);
        return false;
    }
    full = *chosen;
    const qsizetype cut = qMax(full.lastIndexOf(u'\\'), full.lastIndexOf(u'/'));
    dir = cut >= 0 ? full.left(cut) : QString();
    name = cut >= 0 ? full.mid(cut + 1) : full;
    box->setText(full);
    return true;
}

bool HeadsmithWindow::ChooseOpeningFile() {
    return chooseFile(true);
}

bool HeadsmithWindow::ChooseClosingFile() {
    return chooseFile(false);
}

void HeadsmithWindow::LoadHeaderSettings() {
    const headeranswers::Loaded loaded = headeranswers::LoadHeaderSettings(m_platform, m_header);
    if (loaded.metric) (*loaded.metric ? optMetric : optInch)->setChecked(true);
    if (loaded.tableTop) (*loaded.tableTop ? optTableTop : optMatSurface)->setChecked(true);
    if (loaded.source != headeranswers::Loaded::Source::None) {
        txtCreatedBy->setText(m_header.StoredName);
        txtCopyright->setText(m_header.StoredCopyrightHolder);
        txtContactName->setText(m_header.StoredContactName);
        txtPhone->setText(m_header.StoredPhone);
        txtEmail->setText(m_header.StoredEmail);
        cmbBitSize->setEditText(m_header.StoredBitSize);
        cmbBitType->setEditText(m_header.StoredBitType);
        cmbBlank->setEditText(m_header.StoredBlank);
        cmbMaterial->setEditText(m_header.StoredMaterial);
        cmbThickness->setEditText(m_header.StoredThickness);
        cmbUse->setEditText(m_header.StoredRestrictions);
    }
    if (!loaded.error.isEmpty()) m_platform.tell(loaded.error, messageTitle(), Platform::Icon::Warning);
}

void HeadsmithWindow::InitHeaderFields() {
    txtDate->setText(m_platform.shortDate());
    txtCopyrightYear->setText(cuttinglists::yearOf(txtDate->text()));
    if (optInch->isChecked())
        FillInchLists();
    else
        FillMetricLists();
}

void HeadsmithWindow::FillInchLists() {
    fillLists(false);
}

void HeadsmithWindow::FillMetricLists() {
    fillLists(true);
}

void HeadsmithWindow::fillLists(bool metric) {
    const cuttinglists::Lists& lists = cuttinglists::lists(metric);
    for (QComboBox* box : {cmbBlank, cmbBitSize, cmbBitType, cmbThickness, cmbMaterial})
        box->clear();
    cmbBlank->addItems(lists.blank);
    cmbBitSize->addItems(lists.bitSize);
    cmbBitType->addItems(lists.bitType);
    cmbThickness->addItems(lists.thickness);
    cmbMaterial->addItems(lists.material);
    for (QComboBox* box : {cmbBlank, cmbBitSize, cmbBitType, cmbThickness, cmbMaterial})
        fitToEntries(box);
    cmbBitSize->setEditText(m_header.StoredBitSize);
    cmbBitType->setEditText(m_header.StoredBitType);
    cmbBlank->setCurrentIndex(0);
    cmbMaterial->setEditText(m_header.StoredMaterial);
    cmbThickness->setCurrentIndex(0);
}
