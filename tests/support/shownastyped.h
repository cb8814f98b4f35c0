#pragma once

#include <QTest>
#include <QTextDocument>

// What the user reads of a text handed to a tool tip (or a label in its automatic format): Qt takes
// text that looks like HTML for rich text, so a tag from a file would vanish, or load what it names.
inline QString shownAs(const QString& text, Qt::TextFormat format = Qt::AutoText) {
    QTextDocument document;
    if (format == Qt::RichText || (format == Qt::AutoText && Qt::mightBeRichText(text)))
        document.setHtml(text);
    else
        document.setPlainText(text);
    return document.toPlainText();
}

// Markup a hostile file may hold: an image that would be read, and bold that would vanish.
inline void addMarkupRows() {
    QTest::addColumn<QString>("markup");
    QTest::newRow("an image") << QStringLiteral("<img src=:/no-such-image> depth?");
    QTest::newRow("bold") << QStringLiteral("<b>depth</b>?");
}
