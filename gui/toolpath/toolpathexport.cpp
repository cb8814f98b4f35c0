#include "gui/toolpath/toolpathexport.h"

#include "gui/svgwriter.h"
#include "platform/savefile.h"

#include <QFileInfo>
#include <QPainter>

namespace {

// A scene over a trace the caller keeps alive for the call: the pointer owns nothing.
ToolpathScene fittedScene(const dryrun::Trace& trace, ViewKind view, QSize size) {
    ToolpathScene scene;
    scene.setTrace(std::shared_ptr<const dryrun::Trace>(std::shared_ptr<void>(), &trace));
    scene.setViewKind(view);
    scene.fit(size);
    return scene;
}

bool fail(QString* error, const QString& text) {
    if (error) *error = text;
    return false;
}

bool commit(SaveFile& file, const QString& path, QString* error) {
    if (file.commit()) return true;
    return fail(error, QCoreApplication::translate("ToolpathExport", "The picture could not be written to \"%1\": %2")
                           .arg(path, file.errorString()));
}

bool open(SaveFile& file, const QString& path, QString* error) {
    if (file.open(QIODevice::WriteOnly)) return true;
    return fail(error, QCoreApplication::translate("ToolpathExport", "The picture could not be written to \"%1\": %2")
                           .arg(path, file.errorString()));
}

} // namespace

QImage renderSceneImage(const ToolpathScene& scene, QSize size, qreal pixelRatio) {
    QImage image(size * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    QPainter painter(&image);
    scene.paint(painter, size);
    return image;
}

bool writeScenePng(const ToolpathScene& scene, QSize size, const QString& path, QString* error) {
    return writeImagePng(renderSceneImage(scene, size), path, error);
}

bool writeImagePng(const QImage& image, const QString& path, QString* error) {
    SaveFile file(path);
    if (!open(file, path, error)) return false;
    if (!image.save(&file, "PNG")) {
        file.cancelWriting();
        return fail(
            error,
            QCoreApplication::translate("ToolpathExport", "The picture could not be written to \"%1\".").arg(path));
    }
    return commit(file, path, error);
}

bool writeSceneSvg(const ToolpathScene& scene, QSize size, const QString& path, QString* error) {
    SaveFile file(path);
    if (!open(file, path, error)) return false;
    SvgWriter svg(file, size, QFileInfo(path).completeBaseName());
    QPainter painter;
    bool written = painter.begin(&svg);
    if (written) {
        scene.paint(painter, size);
        written = painter.end();
    }
    if (!written) {
        file.cancelWriting();
        return fail(
            error,
            QCoreApplication::translate("ToolpathExport", "The picture could not be written to \"%1\".").arg(path));
    }
    return commit(file, path, error);
}

QImage renderToolpathImage(const dryrun::Trace& trace, ViewKind view, QSize size, qreal pixelRatio) {
    return renderSceneImage(fittedScene(trace, view, size), size, pixelRatio);
}

bool writeToolpathPng(const dryrun::Trace& trace, ViewKind view, QSize size, const QString& path, QString* error) {
    return writeScenePng(fittedScene(trace, view, size), size, path, error);
}

bool writeToolpathSvg(const dryrun::Trace& trace, ViewKind view, QSize size, const QString& path, QString* error) {
    return writeSceneSvg(fittedScene(trace, view, size), size, path, error);
}
