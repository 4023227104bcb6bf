// Opening files, folders and web pages and starting the picture editor. Each routine is
// silent: failures simply do nothing, except that a target for which no program can be
// started is handed to the caller's hook, also when the desktop's opener starts and then
// finds no handler for it.
#pragma once

#include <QString>

#include <functional>

// Receives the target (file, folder, address) for which no program could be started; the
// main window's says so in its hint bar. An empty hook says nothing. Each routine takes the
// hook of its caller, and keeps a copy for an opener that reports later.
using NoProgramHook = std::function<void(const QString& target)>;

// A web address, a file or a folder. Web addresses and bare host names (no scheme, no
// drive) open in the browser, the latter with "http://" in front; an existing file or
// folder opens with its default handler; a path that names nothing is ignored.
void OpenLocation(const QString& target, const NoProgramHook& noProgram);
// An address; one without "://" gets "http://" in front.
void OpenUrl(const QString& address, const NoProgramHook& noProgram);
// A file, folder or address with its default handler.
void ShellOpen(const QString& target, const NoProgramHook& noProgram);
// A file (a program) started hidden, without parameters.
void ShellOpenHidden(const QString& file, const NoProgramHook& noProgram);
// An existing picture file in the picture editor; nothing for a missing file.
void OpenWithPaint(const QString& file, const NoProgramHook& noProgram);
// A folder in the file manager.
void OpenInExplorer(const QString& folder, const NoProgramHook& noProgram);

// The form OpenLocation tests a target by: runs of forward slashes become one backslash,
// then lower case.
QString LocationTestForm(const QString& target);
