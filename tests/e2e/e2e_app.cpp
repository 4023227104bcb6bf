#include "e2e/e2e_app.h"

#include <QBuffer>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QThread>

#include <gtest/gtest.h>

#include <iostream>

namespace {

constexpr int kPollMs = 100;
constexpr int kToolTimeoutMs = 10000;

QString programPath(const QString& root) {
    return root + '/' + QFileInfo(QStringLiteral(QELSHOT_BINARY)).fileName();
}

} // namespace

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired()) return false;
        QThread::msleep(kPollMs);
    }
    return true;
}

E2eApp::E2eApp() : m_tempDir(QDir::tempPath() + QStringLiteral("/qelshot-e2e-XXXXXX")) {
    if (!m_tempDir.isValid()) {
        ADD_FAILURE() << "cannot create a temporary folder: "
                      << m_tempDir.errorString().toStdString();
        return;
    }
    // The program sees its own folder through /proc/self/exe, which has no symlinks.
    m_root = QDir(m_tempDir.path()).canonicalPath();
    QDir().mkpath(homeDir());
    QDir().mkpath(configDir());
    const QString runtimeDir = m_root + QStringLiteral("/runtime");
    QDir().mkpath(runtimeDir);
    QFile::setPermissions(runtimeDir,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    const QString binary = programPath(m_root);
    if (!QFile::copy(QStringLiteral(QELSHOT_BINARY), binary)) {
        ADD_FAILURE() << "cannot copy " << QELSHOT_BINARY << " to " << binary.toStdString();
        return;
    }
    QFile::setPermissions(binary,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // The window module the program loads from its own folder.
    const QString module =
        m_root + '/' + QFileInfo(QStringLiteral(QELSHOT_WINDOW_MODULE)).fileName();
    if (!QFile::copy(QStringLiteral(QELSHOT_WINDOW_MODULE), module))
        ADD_FAILURE() << "cannot copy " << QELSHOT_WINDOW_MODULE << " to " << module.toStdString();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), homeDir());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configDir());
    // The desktop trash lies here too, so a deletion never reaches the real one.
    env.insert(QStringLiteral("XDG_DATA_HOME"), homeDir() + QStringLiteral("/.local/share"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
    env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    // Keep the program on the X display and away from the user's desktop session.
    for (const char* name : {"LC_ALL", "LANGUAGE", "QT_QPA_PLATFORM", "DBUS_SESSION_BUS_ADDRESS"})
        env.remove(QString::fromLatin1(name));
    m_process.setProcessEnvironment(env);
    m_process.setProgram(binary);
    // Started from its home so that paths relative to the working folder stay private too.
    m_process.setWorkingDirectory(homeDir());
    m_process.setStandardOutputFile(m_root + QStringLiteral("/stdout.log"));
    m_process.setStandardErrorFile(m_root + QStringLiteral("/stderr.log"));
}

E2eApp::~E2eApp() {
    if (isRunning()) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    // Leave the folder of a failed test behind for inspection.
    if (::testing::Test::HasFailure() && m_tempDir.isValid()) {
        m_tempDir.setAutoRemove(false);
        std::cerr << "e2e: files of the failed test kept in " << m_root.toStdString() << '\n';
    }
}

void E2eApp::writeFile(const QString& relativePath, const QByteArray& data) {
    const QString path = appDir() + relativePath;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size())
        ADD_FAILURE() << "cannot write " << path.toStdString();
}

QByteArray E2eApp::readFile(const QString& relativePath) const {
    QFile file(appDir() + relativePath);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

void E2eApp::setEnvironment(const QString& name, const QString& value) {
    QProcessEnvironment env = m_process.processEnvironment();
    if (value.isEmpty())
        env.remove(name);
    else
        env.insert(name, value);
    m_process.setProcessEnvironment(env);
}

bool E2eApp::setXftDpi(int dpi) {
    const QString path = m_root + QStringLiteral("/xresources");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(QStringLiteral("Xft.dpi: %1\n").arg(dpi).toLatin1()) < 0) {
        ADD_FAILURE() << "cannot write " << path.toStdString();
        return false;
    }
    file.close();
    // -nocpp: the line needs no preprocessor, which may not be installed.
    if (!runTool(QStringLiteral("xrdb"),
                 {QStringLiteral("-nocpp"), QStringLiteral("-merge"), path}))
        return false;
    QByteArray resources;
    runTool(QStringLiteral("xrdb"), {QStringLiteral("-query")}, &resources);
    if (resources.contains(QStringLiteral("Xft.dpi:\t%1\n").arg(dpi).toLatin1())) return true;
    ADD_FAILURE() << "the display's resources do not hold Xft.dpi " << dpi << ":\n"
                  << resources.toStdString();
    return false;
}

bool E2eApp::start(const QStringList& arguments) {
    if (m_wrapper.isEmpty()) {
        m_process.setProgram(programPath(m_root));
        m_process.setArguments(arguments);
    } else {
        m_process.setProgram(m_wrapper.first());
        m_process.setArguments(m_wrapper.mid(1) + QStringList{programPath(m_root)} + arguments);
    }
    m_process.start();
    if (m_process.waitForStarted(kToolTimeoutMs)) return true;
    ADD_FAILURE() << "the program did not start: " << m_process.errorString().toStdString()
                  << failureContext();
    return false;
}

bool E2eApp::isRunning() const {
    if (m_process.state() == QProcess::NotRunning) return false;
    m_process.waitForFinished(0);
    return m_process.state() != QProcess::NotRunning;
}

bool E2eApp::waitForExit(int timeoutMs) {
    if (isRunning() && !m_process.waitForFinished(timeoutMs) && isRunning()) {
        ADD_FAILURE() << "the program did not exit within " << timeoutMs << " ms"
                      << failureContext();
        return false;
    }
    return true;
}

int E2eApp::exitCode() const {
    if (isRunning() || m_process.exitStatus() != QProcess::NormalExit ||
        m_process.error() == QProcess::FailedToStart)
        return -1;
    return m_process.exitCode();
}

QString E2eApp::programStderr() const {
    QFile file(m_root + QStringLiteral("/stderr.log"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

std::string E2eApp::failureContext() const {
    std::string text;
    if (!isRunning() && m_process.error() != QProcess::FailedToStart)
        text +=
            m_process.exitStatus() == QProcess::CrashExit
                ? "\n[the program crashed]"
                : "\n[the program exited with code " + std::to_string(m_process.exitCode()) + "]";
    return text + "\n--- program stderr ---\n" + programStderr().toStdString() + "--- end ---";
}

bool E2eApp::runTool(const QString& program, const QStringList& args, QByteArray* output,
                     bool expectFailure) {
    QProcess tool;
    tool.start(program, args);
    const bool finished =
        tool.waitForStarted(kToolTimeoutMs) && tool.waitForFinished(kToolTimeoutMs);
    if (!finished) {
        tool.kill();
        tool.waitForFinished(1000);
    }
    if (output) *output = tool.readAllStandardOutput();
    const bool ok = finished && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
    if (!ok && !expectFailure)
        ADD_FAILURE() << program.toStdString() << ' ' << args.join(' ').toStdString()
                      << (finished ? " failed: " : " did not finish: ")
                      << tool.readAllStandardError().toStdString() << failureContext();
    return ok;
}

QString E2eApp::startWithPicture(const QImage& picture, const QString& extraSettings) {
    writeFile(QStringLiteral("pics/1.bmp"), BmpOf(picture));
    const QString pics = appDir() + QStringLiteral("pics/");
    writeFile(
        QStringLiteral("defualt.ini"),
        QString("[default]\nPicPath=" + pics + "\nCurPicName=" + pics + "1.bmp\n" + extraSettings)
            .toUtf8());
    if (!start()) return QString();
    // The caption's version number tells the main window from the other windows.
    return waitForWindow(QStringLiteral("3.3"));
}

QString E2eApp::waitForWindow(const QString& titleSubstring, int timeoutMs) {
    const QStringList args{QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                           QStringLiteral("--name"), QRegularExpression::escape(titleSubstring)};
    QDeadlineTimer deadline(timeoutMs);
    QString lastId;
    QRect lastGeometry;
    while (isRunning()) {
        QByteArray found;
        runTool(QStringLiteral("xdotool"), args, &found, true);
        const QString id = QString::fromLatin1(found).section('\n', 0, 0).trimmed();
        if (!id.isEmpty()) {
            // The window manager may still be placing a freshly mapped window.
            const QRect geometry = geometryOf(id, true);
            if (id == lastId && geometry == lastGeometry) return id;
            lastId = id;
            lastGeometry = geometry;
        }
        if (deadline.hasExpired()) break;
        QThread::msleep(kPollMs);
    }
    QByteArray names;
    runTool(QStringLiteral("bash"),
            {QStringLiteral("-c"),
             QStringLiteral("for w in $(xdotool search --onlyvisible --name .); do "
                            "xdotool getwindowname $w; done")},
            &names, true);
    ADD_FAILURE() << "no visible window named like \"" << titleSubstring.toStdString()
                  << "\"; visible windows:\n"
                  << names.toStdString() << failureContext();
    return {};
}

QString E2eApp::windowName(const QString& id) {
    QByteArray name;
    runTool(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), id}, &name);
    // Only the newline xdotool adds goes; blanks belong to the name.
    if (name.endsWith('\n')) name.chop(1);
    return QString::fromUtf8(name);
}

QRect E2eApp::windowGeometry(const QString& id) {
    return geometryOf(id, false);
}

QRect E2eApp::geometryOf(const QString& id, bool quiet) {
    // Without an id xwininfo would wait for a click on a window.
    if (id.isEmpty()) {
        if (!quiet) ADD_FAILURE() << "no window to measure" << failureContext();
        return {};
    }
    // xwininfo, because xdotool getwindowgeometry counts the frame offset twice under openbox.
    QByteArray info;
    if (!runTool(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id}, &info, quiet)) return {};
    int x = 0, y = 0, width = 0, height = 0;
    for (const QByteArray& raw : info.split('\n')) {
        const QByteArray line = raw.trimmed();
        const int value = line.mid(line.indexOf(':') + 1).trimmed().toInt();
        if (line.startsWith("Absolute upper-left X:"))
            x = value;
        else if (line.startsWith("Absolute upper-left Y:"))
            y = value;
        else if (line.startsWith("Width:"))
            width = value;
        else if (line.startsWith("Height:"))
            height = value;
    }
    return QRect(x, y, width, height);
}

void E2eApp::click(const QString& id, int x, int y, int button) {
    runTool(QStringLiteral("xdotool"),
            {QStringLiteral("mousemove"), QStringLiteral("--window"), id, QString::number(x),
             QString::number(y), QStringLiteral("click"), QString::number(button)});
}

void E2eApp::key(const QString& keys) {
    runTool(QStringLiteral("xdotool"),
            QStringList{QStringLiteral("key")} + keys.split(' ', Qt::SkipEmptyParts));
}

void E2eApp::type(const QString& text) {
    runTool(QStringLiteral("xdotool"), {QStringLiteral("type"), QStringLiteral("--"), text});
}

void E2eApp::closeWindow(const QString& id) {
    // xdotool cannot send _NET_CLOSE_WINDOW; openbox binds alt+F4 to the same close request.
    // A busy window manager may drop the key; ask again while the window is still there.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (!runTool(QStringLiteral("xdotool"),
                     {QStringLiteral("windowactivate"), QStringLiteral("--sync"), id}, nullptr,
                     attempt > 0))
            return;
        key(QStringLiteral("alt+F4"));
        const bool gone = waitUntil(
            [&] {
                QByteArray info;
                runTool(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id}, &info, true);
                return !isRunning() || !info.contains("IsViewable");
            },
            3000);
        if (gone) return;
    }
}

QImage E2eApp::screenshot() {
    QByteArray png;
    if (!runTool(QStringLiteral("import"),
                 {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-")},
                 &png))
        return {};
    QImage image = QImage::fromData(png, "PNG");
    if (image.isNull()) ADD_FAILURE() << "import gave no readable PNG" << failureContext();
    return image;
}

QPoint E2eApp::waitForSolidRect(QSize size, const QColor& color, int timeoutMs) {
    QPoint at(-1, -1);
    waitUntil(
        [&] {
            at = FindSolidRect(screenshot(), size, color);
            return at.x() >= 0;
        },
        timeoutMs);
    return at;
}

bool E2eApp::dragAlong(const std::vector<QPoint>& path, const QString& id) {
    if (path.empty()) return false;
    const auto moveTo = [&](QPoint p) {
        QStringList move{QStringLiteral("mousemove")};
        if (!id.isEmpty()) move << QStringLiteral("--window") << id;
        return move << QString::number(p.x()) << QString::number(p.y());
    };
    QStringList args = moveTo(path.front()) << QStringLiteral("mousedown") << QStringLiteral("1");
    for (std::size_t i = 1; i < path.size(); ++i)
        args << QStringLiteral("sleep") << QStringLiteral("0.1") << moveTo(path[i]);
    args << QStringLiteral("sleep") << QStringLiteral("0.1") << QStringLiteral("mouseup")
         << QStringLiteral("1");
    return runTool(QStringLiteral("xdotool"), args);
}

bool E2eApp::dragOnScreen(QPoint from, QPoint to) {
    std::vector<QPoint> path = {from};
    for (int step = 1; step <= 4; ++step)
        path.push_back(from + (to - from) * step / 4);
    return dragAlong(path);
}

void E2eApp::moveMouse(QPoint to) {
    runTool(QStringLiteral("xdotool"),
            {QStringLiteral("mousemove"), QString::number(to.x()), QString::number(to.y())});
}

bool E2eApp::setRootPicture(const QImage& picture) {
    const QString path = m_root + QStringLiteral("/root-picture.png");
    if (!picture.save(path, "PNG")) {
        ADD_FAILURE() << "cannot write " << path.toStdString();
        return false;
    }
    // display sets the background and ends; its exit code says nothing about that.
    runTool(QStringLiteral("display"), {QStringLiteral("-window"), QStringLiteral("root"), path},
            nullptr, true);
    return true;
}

QImage E2eApp::clipboardImage() {
    QByteArray png;
    if (!runTool(QStringLiteral("xclip"),
                 {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-t"),
                  QStringLiteral("image/png"), QStringLiteral("-o")},
                 &png, true))
        return {};
    return QImage::fromData(png, "PNG");
}

QString E2eApp::clipboardText() {
    QByteArray text;
    if (!runTool(QStringLiteral("xclip"),
                 {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-o")},
                 &text, true))
        return {};
    return QString::fromUtf8(text);
}

QStringList E2eApp::visibleWindows(const QString& titleSubstring) {
    QByteArray out;
    runTool(QStringLiteral("xdotool"),
            {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
             QRegularExpression::escape(titleSubstring)},
            &out, true);
    return QString::fromUtf8(out).split('\n', Qt::SkipEmptyParts);
}

QStringList E2eApp::visibleProgramWindows() {
    if (!isRunning()) return {};
    QByteArray out;
    runTool(QStringLiteral("xdotool"),
            {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
             QString::number(m_process.processId())},
            &out, true);
    return QString::fromLatin1(out).split('\n', Qt::SkipEmptyParts);
}

bool E2eApp::windowExists(const QString& id) {
    return !id.isEmpty() &&
           runTool(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id}, nullptr, true);
}

QString E2eApp::windowProperty(const QString& id, const QString& property) {
    QByteArray out;
    if (id.isEmpty() ||
        !runTool(QStringLiteral("xprop"), {QStringLiteral("-id"), id, property}, &out, true))
        return QString();
    return QString::fromUtf8(out).trimmed();
}

QByteArray FileOf(const QImage& image, const char* format) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return data;
}

QByteArray BmpOf(const QImage& image) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return data;
}

QPoint FindSolidRect(const QImage& screen, QSize size, const QColor& color) {
    for (int y = 0; y + size.height() <= screen.height(); ++y)
        for (int x = 0; x + size.width() <= screen.width(); ++x)
            if (screen.pixelColor(x, y) == color &&
                screen.pixelColor(x + size.width() - 1, y) == color &&
                screen.pixelColor(x, y + size.height() - 1) == color &&
                (x == 0 || screen.pixelColor(x - 1, y) != color) &&
                (y == 0 || screen.pixelColor(x, y - 1) != color))
                return QPoint(x, y);
    return QPoint(-1, -1);
}
