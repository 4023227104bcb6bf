#include "app/command_line.h"

#include "common/picture_formats.h"
#include "common/text_tables.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

// The extensions whose writers exist: JPEG, PNG, and BMP data under the other picture
// extensions.
bool WriterKnows(const QString& path) {
    const QString ext = QFileInfo(path).suffix();
    return !ext.isEmpty() && PictureFormatList().contains("." + ext, Qt::CaseInsensitive);
}

CommandLineRequest Usage(const QString& error) {
    CommandLineRequest r;
    r.action = CommandLineRequest::Action::UsageError;
    r.error = error;
    return r;
}

struct Options {
    QCommandLineOption help{{"h", "help"}, QString::fromUtf8(u8"显示本帮助并退出。")};
    QCommandLineOption version{{"v", "version"}, QString::fromUtf8(u8"显示程序名称和版本并退出。")};
    QCommandLineOption capture{
        "capture",
        QString::fromUtf8(u8"不打开主窗口截图：screen 全屏，window 前台窗口，"
                          u8"client 前台窗口的客户区，area 拖出的区域。"),
        "mode"};
    QCommandLineOption output{{"o", "output"},
                              QString::fromUtf8(u8"保存为此文件，格式由扩展名决定；"
                                                u8"省略时按自动编号保存到图片文件夹。"),
                              "file"};
    QCommandLineOption clipboard{"clipboard", QString::fromUtf8(u8"同时把截图放入剪贴板。")};
    QCommandLineOption delay{"delay", QString::fromUtf8(u8"截图前等待的秒数。"), "seconds"};

    void addTo(QCommandLineParser& parser) const {
        parser.setApplicationDescription(
            QString::fromUtf8(u8"QEL屏幕截图助手：截取屏幕并保存为图片。"));
        parser.addOptions({help, version, capture, output, clipboard, delay});
    }
};

} // namespace

CommandLineRequest ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    Options o;
    o.addTo(parser);
    if (!parser.parse(arguments)) return Usage(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return Usage(
            QString::fromUtf8(u8"多余的参数：%1").arg(parser.positionalArguments().join(' ')));
    CommandLineRequest r;
    if (parser.isSet(o.help)) {
        r.action = CommandLineRequest::Action::Help;
        return r;
    }
    if (parser.isSet(o.version)) {
        r.action = CommandLineRequest::Action::Version;
        return r;
    }
    if (!parser.isSet(o.capture)) {
        if (parser.isSet(o.output) || parser.isSet(o.clipboard) || parser.isSet(o.delay))
            return Usage(QString::fromUtf8(u8"--output、--clipboard 和 --delay 只用于 --capture"));
        return r;
    }
    static const QStringList modes = {"screen", "window", "client", "area"};
    const int mode = modes.indexOf(parser.value(o.capture));
    if (mode < 0)
        return Usage(QString::fromUtf8(u8"未知的截图方式：%1（可用 screen、window、client、area）")
                         .arg(parser.value(o.capture)));
    r.action = CommandLineRequest::Action::Capture;
    r.mode = static_cast<CaptureMode>(mode);
    r.clipboard = parser.isSet(o.clipboard);
    if (parser.isSet(o.delay)) {
        bool ok = false;
        const double seconds = parser.value(o.delay).toDouble(&ok);
        if (!ok || seconds < 0 || seconds > 24 * 3600)
            return Usage(
                QString::fromUtf8(u8"等待时间须为不小于 0 的秒数：%1").arg(parser.value(o.delay)));
        r.delayMs = int(seconds * 1000 + 0.5);
    }
    if (parser.isSet(o.output)) {
        const QFileInfo file(parser.value(o.output));
        if (parser.value(o.output).isEmpty() || file.fileName().isEmpty())
            return Usage(QString::fromUtf8(u8"没有给出文件名"));
        if (!WriterKnows(file.fileName()))
            return Usage(QString::fromUtf8(u8"不支持的图片格式：%1（可用 %2）")
                             .arg(file.fileName(), PictureFormatList().join(' ')));
        if (!file.absoluteDir().exists())
            return Usage(QString::fromUtf8(u8"文件夹不存在：%1").arg(file.absolutePath()));
        if (file.isDir())
            return Usage(QString::fromUtf8(u8"这是一个文件夹：%1").arg(file.absoluteFilePath()));
        r.output = file.absoluteFilePath();
    }
    return r;
}

QString CommandLineHelp() {
    QCommandLineParser parser;
    Options o;
    o.addTo(parser);
    return parser.helpText();
}

QString CommandLineVersion() {
    return QString::fromUtf8(u8"QEL屏幕截图助手 (qelshot) %1\n").arg(QString::number(3.3, 'f', 1));
}

CommandLineRequest ParseCommandLine(int argc, char** argv) {
    if (argc <= 1) return {};
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return ParseCommandLine(arguments);
}

void SayLine(FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

void SayFailure(const QString& reason) {
    SayLine(stderr, QString::fromUtf8(u8"qelshot：") + reason);
}

std::optional<int> AnswerWithoutCapture(int& argc, char** argv, const CommandLineRequest& request) {
    using Action = CommandLineRequest::Action;
    if (request.action == Action::UsageError) {
        SayFailure(request.error);
        SayLine(stderr, QString::fromUtf8(u8"用 qelshot --help 查看用法。"));
        return 2;
    }
    if (request.action == Action::Help || request.action == Action::Version) {
        QCoreApplication app(argc, argv);
        std::fputs((request.action == Action::Help ? CommandLineHelp() : CommandLineVersion())
                       .toLocal8Bit()
                       .constData(),
                   stdout);
        return 0;
    }
    return std::nullopt;
}

QString NothingGrabbedReason(CaptureMode mode) {
    return mode == CaptureMode::Screen ? QString::fromUtf8(u8"无法截取屏幕")
                                       : QString::fromUtf8(u8"没有前台窗口");
}
