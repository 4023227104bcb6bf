#include "app/display_required.h"

#include "common/text_format.h"
#include "common/text_tables.h"
#include "platform/display_check.h"

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstring>

namespace {

// The value of a command-line option of the toolkit ("-platform xcb", "--display=:1").
QByteArray OptionValue(int argc, char** argv, const char* name) {
    const QByteArray single = QByteArray("-") + name;
    const QByteArray doubled = QByteArray("--") + name;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if ((arg == single || arg == doubled) && i + 1 < argc) return QByteArray(argv[i + 1]);
        for (const QByteArray& form : {single, doubled})
            if (arg.startsWith(form + '=')) return arg.mid(form.size() + 1);
    }
    return QByteArray();
}

} // namespace

bool XDisplayAvailable(int argc, char** argv) {
    QByteArray platform = OptionValue(argc, argv, "platform");
    if (platform.isEmpty()) platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb")) return true;
    QByteArray display = OptionValue(argc, argv, "display");
    if (display.isEmpty()) display = qgetenv("DISPLAY");
    if (!display.isEmpty() && XDisplayReachable(display)) return true;
    const QByteArray line =
        FillIn(texts::Texts().TxtNoDisplay, QString::fromLocal8Bit(display)).toUtf8() + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    return false;
}
