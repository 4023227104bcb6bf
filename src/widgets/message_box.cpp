#include "widgets/message_box.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QShortcut>

void ShowMessage(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    // Ctrl+C copies the message, as the system's message boxes do on Windows.
    QObject::connect(new QShortcut(QKeySequence::Copy, &box), &QShortcut::activated, &box,
                     [&text] { QGuiApplication::clipboard()->setText(text); });
    box.exec();
}
