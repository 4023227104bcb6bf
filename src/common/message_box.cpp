#include "common/message_box.h"

#include <QApplication>
#include <QMessageBox>

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
    box.exec();
}
