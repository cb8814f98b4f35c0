#include "gui/headsmith/headsmithpages.h"

#include "gui/plaintext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace headsmithpages {

const char* const EnterInfoDefault = "Type additional info here... hit the ENTER key to add line to preview below ";
const char* const EnterInfoHint = "Type additional comments here... and hit the ENTER key at the end of each line.";

namespace {

// The pages' texts belong to the Headsmith window.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(HeadsmithWindow)
};

const QString CreatedByDefault = QStringLiteral("My Name");
const QString CopyrightDefault = QStringLiteral("My Name and/or My Company name");
const QString ContactDefault = QStringLiteral("Contact person's name");
const QString EmailDefault = QStringLiteral("myname@example.com");
const QString PhoneDefault = QStringLiteral("555.555.5555");

template <typename W> W* named(W* w, const char* name) {
    w->setObjectName(QLatin1String(name));
    return w;
}

QLabel* prompt(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = plainLabel(text, parent);
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

// The opening and closing frames are alike: a check box, the chosen path, and how to add it.
FileChoiceControls fileChoice(QWidget* page, const QString& title, const char* frameName, const QString& check,
                              const char* checkName, const char* pathName, const QString& asText,
                              const char* asTextName, const QString& asFP, const char* asFPName) {
    FileChoiceControls c;
    c.frame = named(new QGroupBox(title, page), frameName);
    c.add = named(new QCheckBox(check, c.frame), checkName);
    c.path = named(new QLineEdit(c.frame), pathName);
    c.path->setReadOnly(true);
    c.path->setEnabled(false);
    c.asText = named(new QRadioButton(asText, c.frame), asTextName);
    c.asText->setEnabled(false);
    c.asFP = named(new QRadioButton(asFP, c.frame), asFPName);
    c.asFP->setEnabled(false);
    auto* grid = new QGridLayout(c.frame);
    grid->addWidget(c.add, 0, 0);
    grid->addWidget(c.path, 0, 1);
    grid->addWidget(c.asText, 1, 0, 1, 2);
    grid->addWidget(c.asFP, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    return c;
}

QGroupBox* buildUnitsFrame(CuttingPage& p, QWidget* parent) {
    auto* frame = named(new QGroupBox(Texts::tr("Units"), parent), "Frame6");
    p.inch = named(new QRadioButton(Texts::tr("inch"), frame), "optInch");
    p.inch->setChecked(true);
    p.metric = named(new QRadioButton(Texts::tr("mm"), frame), "optMetric");
    p.metric->setToolTip(Texts::tr("Sizes in millimeters"));
    auto* box = new QVBoxLayout(frame);
    box->addWidget(p.inch);
    box->addWidget(p.metric);
    box->addStretch(1);
    return frame;
}

QGroupBox* buildZeroFrame(CuttingPage& p, QWidget* parent) {
    auto* frame = named(new QGroupBox(Texts::tr("Z-axis zero"), parent), "Frame3");
    p.tableTop = named(new QRadioButton(Texts::tr("Table top surface"), frame), "optTableTop");
    p.materialTop = named(new QRadioButton(Texts::tr("Material top surface"), frame), "optMatSurface");
    p.materialTop->setChecked(true);
    auto* box = new QVBoxLayout(frame);
    box->addWidget(p.tableTop);
    box->addWidget(p.materialTop);
    box->addStretch(1);
    return frame;
}

QGroupBox* buildOffsetFrame(CuttingPage& p, QWidget* parent) {
    auto* frame = named(new QGroupBox(Texts::tr("Cut in offset mode?"), parent), "Frame1");
    p.offset2d = named(new QCheckBox(Texts::tr("2d"), frame), "chk2d");
    p.offset3d = named(new QCheckBox(Texts::tr("3d"), frame), "chk3d");
    auto* grid = new QGridLayout(frame);
    grid->addWidget(p.offset2d, 0, 0);
    grid->addWidget(p.offset3d, 0, 1);
    const char* boxNames[] = {"txtXOffset", "txtYOffset", "txtZOffset"};
    const char* labelNames[] = {"Label20", "Label21", "Label22"};
    const QString captions[] = {Texts::tr("X offset"), Texts::tr("Y offset"), Texts::tr("Z offset")};

    for (int i = 0; i < 3; ++i) {
        auto* box = named(new QLineEdit(QStringLiteral(" "), frame), boxNames[i]);
        box->setEnabled(false);
        box->setFocusPolicy(Qt::NoFocus);
        box->setMaximumWidth(70);
        auto* label = named(plainLabel(captions[i], frame), labelNames[i]);
        label->setEnabled(false);
        label->setBuddy(box);
        grid->addWidget(box, 1, i);
        grid->addWidget(label, 2, i);
        p.offsets[i] = box;
        p.offsetLabels[i] = label;
    }
    return frame;
}

QGroupBox* buildCuttingFrame(CuttingPage& p, QWidget* parent) {
    auto* frame = named(new QGroupBox(Texts::tr("Cutting Info"), parent), "Frame2");
    auto* grid = new QGridLayout(frame);
    grid->addWidget(buildUnitsFrame(p, frame), 0, 0);
    grid->addWidget(buildZeroFrame(p, frame), 0, 1);
    grid->addWidget(buildOffsetFrame(p, frame), 0, 2);

    p.blank = editableCombo("cmbBlank", frame);
    p.thickness = editableCombo("cmbThickness", frame);
    p.material = editableCombo("cmbMaterial", frame);
    p.bitSize = editableCombo("cmbBitSize", frame);
    p.bitType = editableCombo("cmbBitType", frame);
    // Shown until the lists are filled at load.
    p.blank->setEditText(QStringLiteral("96 x 48"));
    p.thickness->setEditText(QStringLiteral("1/2"));
    p.material->setEditText(QStringLiteral("plywood"));
    p.bitSize->setEditText(QStringLiteral("1/2"));
    p.bitType->setEditText(QStringLiteral("straight bit"));
    const auto labelled = [frame](const QString& text, QComboBox* box) {
        auto* w = new QWidget(frame);
        auto* v = new QVBoxLayout(w);
        v->setContentsMargins(0, 0, 0, 0);
        v->addWidget(prompt(text, box, w));
        v->addWidget(box);
        return w;
    };
    grid->addWidget(labelled(Texts::tr("Blank size"), p.blank), 1, 0);
    grid->addWidget(labelled(Texts::tr("Blank thickness"), p.thickness), 1, 1);
    grid->addWidget(labelled(Texts::tr("Material"), p.material), 1, 2);
    grid->addWidget(labelled(Texts::tr("Bit size"), p.bitSize), 2, 0);
    grid->addWidget(labelled(Texts::tr("Bit type"), p.bitType), 2, 1);
    return frame;
}

QGroupBox* buildNotesFrame(CuttingPage& p, QWidget* parent) {
    auto* frame = named(new QGroupBox(Texts::tr("Additional notes"), parent), "Frame5");
    auto* howTo = named(plainLabel(Texts::tr(" To add some additional info to your header, type it into the top "
                                             "box on the right and then hit the ENTER key to add it to the "
                                             "larger preview box beneath it."),
                                   frame),
                        "Label19");
    howTo->setWordWrap(true);
    p.done = named(new QPushButton(Texts::tr("Write the information"), frame), "cmdDone");
    p.done->setMinimumHeight(48);
    p.done->setStyleSheet(QStringLiteral("QPushButton { background-color: #2f9e44; color: white; font-weight: bold; "
                                         "border: 1px solid #1e6e2e; border-radius: 3px; padding: 6px; }"
                                         "QPushButton:pressed { background-color: #237a34; }"));
    p.info = named(new QPushButton(frame), "cmdInfo");
    p.info->setIcon(frame->style()->standardIcon(QStyle::SP_MessageBoxQuestion));
    p.info->setIconSize(QSize(24, 24));
    p.info->setFixedSize(36, 36);
    p.info->setToolTip(Texts::tr("Find out more about the Headsmith"));
    // Enter belongs to the notes entry box: no button may take it as a default.
    p.done->setAutoDefault(false);
    p.info->setAutoDefault(false);

    p.enterInfo = named(new QLineEdit(frame), "txtEnterInfo");
    p.enterInfo->setMaxLength(80);
    p.enterInfo->setText(QLatin1String(EnterInfoDefault));
    p.notes = named(new QPlainTextEdit(frame), "txtAdditionalInfo");
    p.notes->setReadOnly(true);
    p.notes->setLineWrapMode(QPlainTextEdit::NoWrap);
    p.notes->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    p.notes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    p.notes->setFocusPolicy(Qt::ClickFocus);
    p.notes->setToolTip(Texts::tr("Add additionallines of info text box above"));
    QPalette pal = p.notes->palette();
    pal.setColor(QPalette::Base, QColor(0xd4, 0xd4, 0xd4));
    p.notes->setPalette(pal);
    // The notes box takes drags so that dragging over it can select the entry line.
    p.notes->viewport()->setAcceptDrops(true);

    auto* grid = new QGridLayout(frame);
    auto* left = new QVBoxLayout;
    left->addWidget(howTo);
    left->addStretch(1);
    left->addWidget(p.done);
    left->addWidget(p.info, 0, Qt::AlignLeft);
    grid->addLayout(left, 0, 0, 2, 1);
    grid->addWidget(p.enterInfo, 0, 1);
    grid->addWidget(p.notes, 1, 1);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 5);
    return frame;
}

} // namespace

CuttingPage buildCutting(QWidget* page) {
    CuttingPage p;
    QGroupBox* cuttingFrame = buildCuttingFrame(p, page);
    QGroupBox* notesFrame = buildNotesFrame(p, page);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(cuttingFrame);
    layout->addWidget(notesFrame, 1);

    QWidget* order[] = {p.inch,       p.metric,     p.tableTop,   p.materialTop, p.offset2d,  p.offset3d,
                        p.offsets[0], p.offsets[1], p.offsets[2], p.blank,       p.thickness, p.material,
                        p.bitSize,    p.bitType,    p.enterInfo,  p.done,        p.info};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    return p;
}

GeneralPage buildGeneral(QWidget* page) {
    GeneralPage p;
    auto* general = named(new QGroupBox(Texts::tr("General info"), page), "fraGeneral");
    p.description = named(new QLineEdit(general), "txtDescription");
    p.description->setMaxLength(80);
    p.createdBy = named(new QLineEdit(CreatedByDefault, general), "txtCreatedBy");
    p.createdBy->setToolTip(Texts::tr("Name of original file creator"));
    p.date = named(new QLineEdit(general), "txtDate");
    p.date->setToolTip(Texts::tr("Date file was created or modified"));
    p.copyright = named(new QLineEdit(CopyrightDefault, general), "txtCopyright");
    p.copyright->setToolTip(Texts::tr("Person or company holding copyright"));
    p.copyrightYear = named(new QLineEdit(general), "txtCopyrightYear");
    p.copyrightYear->setToolTip(Texts::tr("Years that copyright takes effect"));
    {
        auto* grid = new QGridLayout(general);
        grid->addWidget(prompt(Texts::tr("A brief description of file"), p.description, general), 0, 0);
        grid->addWidget(p.description, 0, 1, 1, 3);
        grid->addWidget(prompt(Texts::tr("Created by"), p.createdBy, general), 1, 0);
        grid->addWidget(p.createdBy, 1, 1);
        grid->addWidget(prompt(Texts::tr("Date"), p.date, general), 1, 2);
        grid->addWidget(p.date, 1, 3);
        grid->addWidget(prompt(Texts::tr("Copyright holder"), p.copyright, general), 2, 0);
        grid->addWidget(p.copyright, 2, 1);
        grid->addWidget(prompt(Texts::tr("Copyright years"), p.copyrightYear, general), 2, 2);
        grid->addWidget(p.copyrightYear, 2, 3);
        grid->setColumnStretch(1, 3);
        grid->setColumnStretch(3, 1);
        p.date->setMinimumWidth(130);
        p.copyrightYear->setMinimumWidth(130);
    }

    auto* contact = named(new QGroupBox(Texts::tr("Contact info"), page), "Frame4");
    p.use = editableCombo("cmbUse", contact);
    p.use->addItems({QStringLiteral("no restrictions... free for any use"),
                     QStringLiteral("free for personal use, $ **  fee for commercial use"),
                     QStringLiteral("free for educational use"), QStringLiteral("fee for any and all use"),
                     QStringLiteral("contact copyright holder")});
    p.use->setCurrentIndex(0);
    p.use->setToolTip(Texts::tr("Any restrictions that are put on end user's use of file"));
    p.contactName = named(new QLineEdit(ContactDefault, contact), "txtContactName");
    p.contactName->setToolTip(Texts::tr("Person to contact if more info is needed on using file"));
    p.email = named(new QLineEdit(EmailDefault, contact), "txtEmail");
    p.phone = named(new QLineEdit(PhoneDefault, contact), "txtPhone");
    {
        auto* grid = new QGridLayout(contact);
        grid->addWidget(prompt(Texts::tr("Use restrictions"), p.use, contact), 0, 0);
        grid->addWidget(p.use, 0, 1, 1, 3);
        grid->addWidget(prompt(Texts::tr("Contact Name"), p.contactName, contact), 1, 0);
        grid->addWidget(p.contactName, 1, 1, 1, 3);
        grid->addWidget(prompt(Texts::tr("Contact email"), p.email, contact), 2, 0);
        grid->addWidget(p.email, 2, 1);
        grid->addWidget(prompt(Texts::tr("Contact phone"), p.phone, contact), 2, 2);
        grid->addWidget(p.phone, 2, 3);
        grid->setColumnStretch(1, 3);
        grid->setColumnStretch(3, 1);
        p.phone->setMinimumWidth(150);
    }

    p.opening = fileChoice(page, Texts::tr("Opening file?"), "Frame7", Texts::tr("Add Opening file?"), "chkHeader",
                           "txtHeaderFile", Texts::tr("Write Opening file info into the part file as text?"),
                           "optHeaderText", Texts::tr("Call Opening file with FP command?"), "optHeaderFP");
    p.closing = fileChoice(page, Texts::tr("Closing file"), "Frame8", Texts::tr("Add Closing file?"), "chkFooter",
                           "txtFooterFile", Texts::tr("Write Closing file info into the part file as text?"),
                           "optFooterText", Texts::tr("Call Closing file with FP command?"), "optFooterFP");

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(general);
    layout->addWidget(contact);
    layout->addWidget(p.opening.frame);
    layout->addWidget(p.closing.frame);
    layout->addStretch(1);

    QWidget* order[] = {
        p.description,  p.createdBy,   p.date,         p.copyright,      p.copyrightYear, p.use,
        p.contactName,  p.email,       p.phone,        p.opening.add,    p.opening.path,  p.opening.asText,
        p.opening.asFP, p.closing.add, p.closing.path, p.closing.asText, p.closing.asFP};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    return p;
}

} // namespace headsmithpages
