// The program's message box: a modal box with the text and one OK button.
#pragma once

#include <QString>

// Shows `text` in a modal box with one OK button, titled with the application's name,
// over the active window; Ctrl+C in the box copies the text. Returns when the user has
// closed it.
void ShowMessage(const QString& text);

// A function that receives the text instead of the box; tests set one to see the messages
// without a modal box. nullptr restores the box.
using MessageHook = void (*)(const QString& text);
void SetMessageHook(MessageHook hook);
