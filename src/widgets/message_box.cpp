#include "widgets/message_box.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QShortcut>

namespace {

MessageHook g_hook = nullptr;

} // namespace

void SetMessageHook(MessageHook hook) {
    g_hook = hook;
}

void ShowMessage(const QString& text) {
    if (g_hook) {
        g_hook(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    // Ctrl+C copies the message, as the system's message boxes do on Windows.
    QObject::connect(new QShortcut(QKeySequence::Copy, &box), &QShortcut::activated, &box,
                     [&text] { QGuiApplication::clipboard()->setText(text); });
    box.exec();
}
