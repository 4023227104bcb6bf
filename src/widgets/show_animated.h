// Brings a window to the front and fades it in over 500 ms.
#pragma once

class QWidget;

inline constexpr int kFadeInMs = 500;

// Shows the window (its show handler runs) at zero opacity and raises it to full
// opacity over kFadeInMs; returns at once, the fade runs on the event loop.
void ShowAnimated(QWidget* window);
