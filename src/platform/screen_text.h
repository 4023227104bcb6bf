// Text written straight onto the screen: transparent background, above every window,
// letting the mouse through, until the caller removes it.
#pragma once

#include <QColor>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWidget>

// Shows `text` with its top-left corner at the screen point `at` in `fontName` of
// `pointSize` points. Returns the surface; delete it (or call RemoveScreenText) to wipe it.
QWidget* PaintScreenText(const QString& text, QPoint at, const QString& fontName, int pointSize,
                         const QColor& color);

void RemoveScreenText(QPointer<QWidget>& surface);
