// The program's command line: --help, --version and a capture without the main window
// (qelshot --capture screen|window|client|area [--output FILE] [--clipboard]
// [--delay SECONDS]). Without arguments the program opens its window.
#pragma once

#include "capture/capture_session.h"

#include <QString>
#include <QStringList>

#include <cstdio>
#include <optional>

struct CommandLineRequest {
    enum class Action { Window, Help, Version, Capture, UsageError };
    Action action = Action::Window;
    CaptureMode mode = CaptureMode::Screen;
    // Absolute path of the file to write; empty: the next automatic name in the picture
    // folder.
    QString output;
    bool clipboard = false;
    int delayMs = 0;
    // What is wrong with a command line that cannot be run, one line.
    QString error;
};

// Reads the arguments (the program's name first) and checks them: an unknown mode or
// option, an extension no writer knows, an output folder that does not exist, a negative or
// non-numeric delay are usage errors.
CommandLineRequest ParseCommandLine(const QStringList& arguments);
// The same for the process's own arguments; the window when there are none.
CommandLineRequest ParseCommandLine(int argc, char** argv);

QString CommandLineHelp();
QString CommandLineVersion();

// Runs a command line that asks for more than the window; the process's exit code: 0 saved
// (its path on stdout), 1 nothing saved (the reason on stderr), 2 a usage error.
int RunCommandLine(int& argc, char** argv, const CommandLineRequest& request);

// Answers a usage error (exit code 2), --help and --version (0); nothing for a capture.
std::optional<int> AnswerWithoutCapture(int& argc, char** argv, const CommandLineRequest& request);

// Why a capture of the screen, the window or its client area got no picture.
QString NothingGrabbedReason(CaptureMode mode);

// Writes a line to a standard stream at once.
void SayLine(FILE* stream, const QString& text);
// Writes the one line that says why the program ends without doing what it was asked,
// "qelshot：" and the reason, to stderr.
void SayFailure(const QString& reason);
