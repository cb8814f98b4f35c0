#include "gui/toolpath/toolpathdock.h"

#include "gui/carve/carvedpane.h"
#include "gui/carve/carvedsurface.h"
#include "gui/carve/carvedview.h"
#include "gui/toolpath/toolpathexport.h"
#include "gui/toolpath/toolpathpanels.h"
#include "gui/toolpath/toolpathview.h"
#include "platform/regularfile.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

// The view box's carved entries, beside the ViewKind values of the line views.
constexpr int CarvedTop = 100;
constexpr int CarvedThreeD = 101;

} // namespace

ToolpathDock::ToolpathDock(QWidget* parent) : QDockWidget(tr("Toolpath"), parent) {
    setObjectName(QStringLiteral("dockToolpath"));
    auto* content = new QWidget(this);
    content->setObjectName(QStringLiteral("fraToolpath"));
    m_view = new ToolpathView(content);
    m_carved = new CarvedPane(content);
    m_views = new QStackedWidget(content);
    m_views->addWidget(m_view);
    m_views->addWidget(m_carved);
    m_scrubber = new ToolpathScrubber(content);
    m_summary = new ToolpathSummary(content);
    m_answers = new InputAnswersTable(content);

    m_viewKind = new QComboBox(content);
    m_viewKind->setObjectName(QStringLiteral("cmbToolpathView"));
    m_viewKind->addItem(tr("Top"), static_cast<int>(ViewKind::Top));
    m_viewKind->addItem(tr("Front"), static_cast<int>(ViewKind::Front));
    m_viewKind->addItem(tr("Side"), static_cast<int>(ViewKind::Side));
    m_viewKind->addItem(tr("3D"), static_cast<int>(ViewKind::ThreeD));
    m_viewKind->addItem(tr("Carved"), CarvedTop);
    m_viewKind->addItem(tr("Carved 3D"), CarvedThreeD);
    m_viewKind->setToolTip(tr("Top: X right, Y up. Front: X right, Z up. Side: Y right, Z up. "
                              "3D: turn it with a right drag, or Shift and a left drag. "
                              "Carved: the blank as the bit leaves it, from the top or in 3D."));
    m_fit = new QPushButton(tr("Fit"), content);
    m_fit->setObjectName(QStringLiteral("cmdFitToolpath"));
    m_fit->setToolTip(tr("Show the whole path (or double click the picture)"));
    m_busy = new QLabel(tr("Computing…"), content);
    m_busy->setObjectName(QStringLiteral("lblComputing"));
    QSizePolicy keepRoom = m_busy->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    m_busy->setSizePolicy(keepRoom);
    m_busy->hide();
    m_export = new QPushButton(tr("Export…"), content);
    m_export->setObjectName(QStringLiteral("cmdExportToolpath"));
    m_export->setToolTip(tr("Save the picture as shown, as PNG or SVG"));
    m_settings = new QPushButton(tr("Settings…"), content);
    m_settings->setObjectName(QStringLiteral("cmdDryRunSettings"));
    m_settings->setToolTip(tr("Speeds, the table, the blank and the run-time model of the dry run"));
    m_exportStatus = new QLabel(content);
    m_exportStatus->setObjectName(QStringLiteral("lblExportStatus"));
    m_exportStatus->setWordWrap(true);
    m_exportStatus->hide();

    auto* bar = new QHBoxLayout;
    auto* viewLabel = new QLabel(tr("&View:"), content);
    viewLabel->setBuddy(m_viewKind);
    bar->addWidget(viewLabel);
    bar->addWidget(m_viewKind);
    bar->addWidget(m_fit);
    bar->addStretch(1);
    bar->addWidget(m_busy);
    bar->addWidget(m_settings);
    bar->addWidget(m_export);

    // Below the picture: summary and answers side by side, in a part the splitter can make smaller.
    auto* lower = new QWidget(content);
    auto* details = new QHBoxLayout;
    details->addWidget(m_summary, 1);
    details->addWidget(m_answers, 1);
    auto* lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->addWidget(m_scrubber);
    lowerLayout->addLayout(details, 1);

    auto* split = new QSplitter(Qt::Vertical, content);
    split->setObjectName(QStringLiteral("splToolpath"));
    split->setChildrenCollapsible(false);
    split->addWidget(m_views);
    split->addWidget(lower);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);

    auto* layout = new QVBoxLayout(content);
    layout->addLayout(bar);
    layout->addWidget(m_exportStatus);
    layout->addWidget(split, 1);
    setWidget(content);

    m_chooseFile = [this](const QString& proposed) {
        return QFileDialog::getSaveFileName(this, tr("Export Toolpath"), proposed,
                                            isCarved() ? tr("PNG image (*.png)")
                                                       : tr("PNG image (*.png);;SVG drawing (*.svg)"));
    };

    connect(m_viewKind, &QComboBox::currentIndexChanged, this, &ToolpathDock::showViewKind);
    connect(m_fit, &QPushButton::clicked, this, [this] {
        if (!isCarved()) return m_view->fitToView();
        m_carved->topView()->fitToView();
        m_carved->surface()->resetView();
    });
    connect(m_export, &QPushButton::clicked, this, [this] { exportPicture(); });
    connect(m_settings, &QPushButton::clicked, this, &ToolpathDock::settingsRequested);
    connect(m_scrubber, &ToolpathScrubber::scrubPositionChanged, this, [this](int position) {
        m_view->setScrubPosition(position);
        m_carved->setMoment(position);
    });
    connect(m_view, &ToolpathView::lineHovered, this, &ToolpathDock::lineHovered);
    connect(m_view, &ToolpathView::lineActivated, this, &ToolpathDock::lineActivated);
    connect(m_summary, &ToolpathSummary::lineActivated, this, &ToolpathDock::lineActivated);
    connect(m_answers, &InputAnswersTable::answersChanged, this, &ToolpathDock::answersChanged);
    setTrace(nullptr);
    for (QLabel* label : findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText); // an exported file's name is the user's, "<b>" and all
}

void ToolpathDock::setTrace(std::shared_ptr<const dryrun::Trace> trace) {
    setTrace(std::move(trace), nullptr, 0);
}

void ToolpathDock::setTrace(std::shared_ptr<const dryrun::Trace> trace, std::shared_ptr<const carve::Job> job,
                            std::size_t budgetBytes) {
    m_view->setTrace(trace);
    m_carved->setTrace(trace, std::move(job), budgetBytes);
    m_scrubber->setTrace(trace);
    m_summary->setTrace(trace);
    m_answers->setTrace(trace);
    m_export->setEnabled(trace != nullptr);
}

void ToolpathDock::setLineText(std::function<QString(dryrun::LineRef)> provider) {
    m_view->setLineText(std::move(provider));
}

bool ToolpathDock::isCarved() const {
    const int kind = m_viewKind->currentData().toInt();
    return kind == CarvedTop || kind == CarvedThreeD;
}

void ToolpathDock::showViewKind() {
    const int kind = m_viewKind->currentData().toInt();
    const bool carved = isCarved();
    if (!carved) m_view->setViewKind(static_cast<ViewKind>(kind));
    m_carved->setThreeD(kind == CarvedThreeD);
    m_views->setCurrentWidget(carved ? static_cast<QWidget*>(m_carved) : static_cast<QWidget*>(m_view));
}

void ToolpathDock::setCurrentLine(dryrun::LineRef line) {
    m_view->setCurrentLine(line);
    m_carved->setCurrentLine(line);
    m_summary->setCurrentLine(line);
}

void ToolpathDock::setAnswers(const dryrun::Answers& answers) {
    m_answers->setAnswers(answers);
}

void ToolpathDock::setBusy(bool busy) {
    m_busy->setVisible(busy);
}

bool ToolpathDock::exportTo(const QString& path, QString* error) const {
    const bool svg = QFileInfo(path).suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0;
    if (isCarved()) {
        // The carved blank is a picture of cells, not lines: PNG alone says it as it is.
        if (svg) {
            if (error)
                *error = tr("The carved blank is saved as PNG only; %1 was not written.")
                             .arg(QDir::toNativeSeparators(path));
            return false;
        }
        const QImage image = m_carved->renderImage();
        if (image.isNull()) {
            if (error)
                *error =
                    tr("Nothing is carved to save: %1").arg(CarvedPane::whyNotCarved(m_view->scene().trace().get()));
            return false;
        }
        return writeImagePng(image, path, error);
    }
    if (svg) return writeSceneSvg(m_view->scene(), m_view->size(), path, error);
    return writeScenePng(m_view->scene(), m_view->size(), path, error);
}

void ToolpathDock::exportPicture() {
    QString proposed;
    if (!m_partFile.isEmpty()) {
        const QFileInfo main(m_partFile);
        proposed = main.dir().filePath(main.completeBaseName() +
                                       (isCarved() ? QStringLiteral("-carved.png") : QStringLiteral("-toolpath.png")));
    }
    QString path = m_chooseFile ? m_chooseFile(proposed) : QString();
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".png");
    QString error;
    // A picture in the part file's place would lose the program.
    const bool partFile = regularfile::sameFile(path, m_partFile);
    if (partFile) error = tr("%1 is the part file; the picture was not saved.").arg(QDir::toNativeSeparators(path));
    const bool ok = !partFile && exportTo(path, &error);
    m_exportStatus->setText(ok ? tr("Saved %1").arg(QDir::toNativeSeparators(path)) : error);
    m_exportStatus->setStyleSheet(ok ? QString() : QStringLiteral("color: #b00000"));
    m_exportStatus->show();
}
