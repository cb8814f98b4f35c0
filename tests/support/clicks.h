#pragma once

#include <QAbstractButton>
#include <QTest>

// A click on a check box or a radio button where its box is. Its middle can lie past the end of its
// label when a layout stretches it, and a click there does nothing; how far the label reaches
// depends on the system's fonts.
inline void clickBox(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->height() / 2, button->height() / 2));
}
