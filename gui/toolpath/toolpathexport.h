#pragma once

#include "gui/toolpath/toolpathscene.h"

#include <QImage>
#include <QString>

// Pictures of a toolpath as files, drawn by the same scene as the window. These need a
// QGuiApplication (fonts), which may run on the offscreen platform: no window is shown.

// The whole path fitted into size, in one of the views; a pixel ratio above 1 draws it sharper for
// paper, its lines and labels as they stand at size.
QImage renderToolpathImage(const dryrun::Trace& trace, ViewKind view, QSize size, qreal pixelRatio = 1.0);
bool writeToolpathPng(const dryrun::Trace& trace, ViewKind view, QSize size, const QString& path, QString* error);
// An SVG drawing: the path as vector paths, so it scales without blurring.
bool writeToolpathSvg(const dryrun::Trace& trace, ViewKind view, QSize size, const QString& path, QString* error);

// A scene as it stands (zoom, turn, highlight, scrub position), for exporting what a view shows.
QImage renderSceneImage(const ToolpathScene& scene, QSize size, qreal pixelRatio = 1.0);
// The file replaces path only when written whole; on false, error says why.
bool writeImagePng(const QImage& image, const QString& path, QString* error);
bool writeScenePng(const ToolpathScene& scene, QSize size, const QString& path, QString* error);
bool writeSceneSvg(const ToolpathScene& scene, QSize size, const QString& path, QString* error);
