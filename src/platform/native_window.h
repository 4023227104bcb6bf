// Where a native window lies on the screen, in device pixels.
#pragma once

#include <QPoint>
#include <QtGlobal>
#include <optional>

// The position on the root window of the top-left pixel of the native window (a
// QWidget::winId()), in device pixels whatever the toolkit's scale factor; nothing when the
// window does not exist or there is no X server.
std::optional<QPoint> NativeWindowOrigin(quintptr windowId);

// Where the pointer stands on the screen, in device pixels; nothing without an X server.
std::optional<QPoint> PointerPosition();
