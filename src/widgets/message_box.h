// The program's message box: a modal box with the text and one OK button.
#pragma once

#include <QString>

#include <functional>

// Shows `text` in a modal box with one OK button, titled with the application's name,
// over the active window; Ctrl+C in the box copies the text. Returns when the user has
// closed it.
void ShowMessage(const QString& text);

// Where a window's messages go instead of the box (its context holds one; tests record the
// messages so). An empty one means the box.
using MessageSink = std::function<void(const QString& text)>;
