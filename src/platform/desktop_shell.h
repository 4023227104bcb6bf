// Starting other programs through the desktop: documents, folders and web addresses with
// their default handlers, pictures in a picture editor. Processes are never waited for;
// arguments are passed as they are, no shell is involved. All return false when nothing
// could be started. The desktop's opener may start and then find no handler for the
// target: `failedLater` is then called from the event loop when it ends so.
#pragma once

#include <QString>

#include <functional>

using FailedLater = std::function<void()>;

// Opens a file, folder or address with the desktop's default handler (xdg-open).
bool DesktopOpen(const QString& target, const FailedLater& failedLater = {});

// Starts the first picture editor found (kolourpaint, pinta, gimp, drawing) on the file,
// or the default handler when none is installed.
bool StartPictureEditor(const QString& file, const FailedLater& failedLater = {});

// Shows a folder in the file manager.
bool ShowFolder(const QString& folder, const FailedLater& failedLater = {});

// Starts a program file without a window of ours and without parameters; a file that is
// not executable is opened with its default handler instead.
bool StartHidden(const QString& file, const FailedLater& failedLater = {});
