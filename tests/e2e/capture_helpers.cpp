#include "e2e/capture_helpers.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

QRgb PatternAt(int x, int y) {
    return qRgb(x & 0xFF, y & 0xFF, ((x >> 8) << 4) | (y >> 8));
}

QImage Pattern(const QRect& part) {
    QImage image(part.size(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            row[x] = PatternAt(part.x() + x, part.y() + y);
    }
    return image;
}

int Mismatches(const QImage& picture, QPoint origin, const QRect& skip) {
    const QImage p = picture.convertToFormat(QImage::Format_RGB32);
    int wrong = 0;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x) {
            const QPoint at = origin + QPoint(x, y);
            if (skip.contains(at)) continue;
            if ((p.pixel(x, y) & 0xFFFFFF) != (PatternAt(at.x(), at.y()) & 0xFFFFFF)) ++wrong;
        }
    return wrong;
}

QPoint FindPixel(const QImage& screen, const QRect& area, QRgb rgb) {
    const QImage s = screen.convertToFormat(QImage::Format_RGB32);
    const QRect inside = area & s.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if ((s.pixel(x, y) & 0xFFFFFF) == (rgb & 0xFFFFFF)) return QPoint(x, y);
    return QPoint(-1, -1);
}

QPoint FindPatternBlock(const QImage& screen, const QRect& area, const QRect& block) {
    const QImage s = screen.convertToFormat(QImage::Format_RGB32);
    const QRect inside = area & s.rect();
    const QRgb first = PatternAt(block.x(), block.y()) & 0xFFFFFF;
    for (int y = inside.top(); y + block.height() - 1 <= inside.bottom(); ++y)
        for (int x = inside.left(); x + block.width() - 1 <= inside.right(); ++x)
            if ((s.pixel(x, y) & 0xFFFFFF) == first &&
                Mismatches(s.copy(QRect(QPoint(x, y), block.size())), block.topLeft()) == 0)
                return QPoint(x, y);
    return QPoint(-1, -1);
}

QRect AroundPointer(QPoint at, int size) {
    return QRect(at - QPoint(size / 2, size / 2), QSize(size, size));
}

const QString kDefaultHotkeys = "[hotkey]\n"
                                "hotkey1_1=Ctrl\nhotkey1_2=Shift\nhotkey1_3=F\n"
                                "hotkey2_1=Ctrl\nhotkey2_2=Shift\nhotkey2_3=W\n"
                                "hotkey3_1=Ctrl\nhotkey3_2=Shift\nhotkey3_3=C\n"
                                "hotkey4_1=Ctrl\nhotkey4_2=Shift\nhotkey4_3=A\n"
                                "hotkey5_1=\nhotkey5_2=\nhotkey5_3=ESC\n";

CaptureSetup::CaptureSetup(E2eApp& a, const QString& extraSettings, const QString& firstName,
                           const QByteArray& firstFile)
    : app(a), pics(a.appDir() + "pics/") {
    QDir().mkpath(pics);
    if (firstFile.isEmpty()) {
        QImage first(40, 30, QImage::Format_RGB32);
        first.fill(Qt::white);
        first.save(pics + firstName);
    } else {
        app.writeFile("pics/" + firstName, firstFile);
    }
    QString settings = "[default]\nPicPath=" + pics + "\nCurPicName=" + pics + firstName +
                       "\nPicFormat=3\nAutoSavePre=img\n" + extraSettings;
    if (!settings.endsWith('\n')) settings += '\n';
    app.writeFile("defualt.ini", (settings + kDefaultHotkeys).toUtf8());
}

bool CaptureSetup::startOnPattern() {
    if (!app.setRootPicture(Pattern()) || !app.start()) return false;
    main = app.waitForWindow("3.3");
    return !main.isEmpty();
}

QStringList CaptureSetup::files() const {
    return QDir(pics).entryList(QDir::Files, QDir::Name);
}

QImage CaptureSetup::waitForPicture(const QString& name, int timeoutMs) const {
    QImage image;
    waitUntil([&] { return image.load(pics + name) && !image.isNull(); }, timeoutMs);
    return image;
}

QString CaptureSetup::mainWindow() {
    if (app.windowExists(main)) return main;
    // The toolkit gave the main window a new X window: the program's window of its caption.
    for (const QString& id : app.visibleProgramWindows())
        if (app.windowProperty(id, "_NET_WM_NAME").contains("3.3")) return id;
    return QString();
}

bool CaptureSetup::mainWindowVisible() {
    const QString id = mainWindow();
    return !id.isEmpty() && app.visibleProgramWindows().contains(id);
}

QString CaptureSetup::frozenScreen() {
    for (const QString& id : app.visibleProgramWindows())
        if (app.windowGeometryIfAny(id) == QRect(QPoint(0, 0), kScreen)) return id;
    return QString();
}

bool CaptureSetup::waitForFrozenScreen(int timeoutMs) {
    // Settled: the same window seen twice in a row.
    QString id;
    int seen = 0;
    return waitUntil(
        [&] {
            const QString now = frozenScreen();
            seen = now.isEmpty() ? 0 : now == id ? seen + 1 : 1;
            id = now;
            return seen >= 2;
        },
        timeoutMs);
}

QString CaptureSetup::waitForNormalWindow(int timeoutMs) {
    // Settled: seen twice in a row, as the toolkit may map a window anew on the way.
    QString id;
    int seen = 0;
    const bool normal = waitUntil(
        [&] {
            const QString now = mainWindow();
            const int width = app.windowGeometryIfAny(now).width();
            const bool shown =
                app.visibleProgramWindows().contains(now) && width > 0 && width < kScreen.width();
            seen = !shown ? 0 : now == id ? seen + 1 : 1;
            id = now;
            return seen >= 2;
        },
        timeoutMs);
    return normal ? id : QString();
}

std::string CaptureSetup::windowsReport() {
    std::string text = "main window of the start " + main.toStdString() +
                       (app.windowExists(main) ? " (exists)" : " (gone)") +
                       "; program windows shown:";
    for (const QString& id : app.visibleProgramWindows())
        text += ' ' + id.toStdString() + ' ' +
                app.windowProperty(id, "_NET_WM_NAME").section('=', 1).trimmed().toStdString() +
                ' ' + ::testing::PrintToString(app.windowGeometryIfAny(id));
    return text;
}

QString CaptureSetup::toolbar() {
    const QString own = mainWindow();
    for (const QString& id : app.visibleProgramWindows()) {
        const QString name = app.windowProperty(id, "_NET_WM_NAME");
        if (id != own && name.contains(QString::fromUtf8(u8"QEL屏幕截图助手")) &&
            !name.contains("3.3"))
            return id;
    }
    return QString();
}

QString CaptureSetup::startContinuousRun(double scale) {
    app.click(mainWindow(), Scaled(kAreaButton, scale));
    QString bar;
    if (!waitForFrozenScreen() || !waitUntil([&] { return !(bar = toolbar()).isEmpty(); }, 10000))
        return QString();
    return bar;
}

QPoint Scaled(QPoint at, double scale) {
    return QPoint(qRound(at.x() * scale), qRound(at.y() * scale));
}

ProbeWindow::ProbeWindow(E2eApp& app, const QRect& part, QPoint at) : m_app(app) {
    const QString file = app.appDir() + "probe.png";
    const QString title =
        "qelshot-probe-" + QString::number(part.x()) + "-" + QString::number(part.y());
    if (!Pattern(part).save(file, "PNG")) {
        ADD_FAILURE() << "cannot write " << file.toStdString();
        return;
    }
    m_process.start(
        "display", {"-title", title, "-geometry", QString("+%1+%2").arg(at.x()).arg(at.y()), file});
    if (!m_process.waitForStarted(10000)) {
        ADD_FAILURE() << "display did not start";
        return;
    }
    // Up once it shows the picture in its size.
    const bool shown = waitUntil(
        [&] {
            const QStringList ids = m_app.visibleWindows(title);
            if (ids.isEmpty()) return false;
            m_id = ids.first();
            const QRect client = m_app.windowGeometryIfAny(m_id);
            return client.size() == part.size() &&
                   Mismatches(m_app.screenshot().copy(client), part.topLeft()) == 0;
        },
        15000);
    if (!shown) {
        ADD_FAILURE() << "the probe window did not come up showing its picture";
        m_id.clear();
    }
}

ProbeWindow::~ProbeWindow() {
    if (m_process.state() == QProcess::NotRunning) return;
    m_process.kill();
    m_process.waitForFinished(5000);
}

bool ProbeWindow::activate() {
    if (m_id.isEmpty()) return false;
    // A busy window manager may pass over one request; ask again until it names the window.
    return waitUntil(
        [&] {
            if (ActiveWindow(m_app) == m_id) return true;
            m_app.runHelper("xdotool", {"windowactivate", m_id});
            return false;
        },
        10000);
}

QString ActiveWindow(E2eApp& app) {
    QByteArray out;
    app.runHelper("xprop", {"-root", "_NET_ACTIVE_WINDOW"}, &out);
    const QRegularExpressionMatch m =
        QRegularExpression("window id # 0x([0-9a-fA-F]+)").match(QString::fromLatin1(out));
    bool ok = false;
    const qulonglong id = m.hasMatch() ? m.captured(1).toULongLong(&ok, 16) : 0;
    return ok && id ? QString::number(id) : QString();
}

bool HasWmState(E2eApp& app, const QString& id, const char* state) {
    return app.windowProperty(id, "_NET_WM_STATE").contains(QLatin1String(state));
}

QList<int> FrameExtents(E2eApp& app, const QString& id) {
    const QString text = app.windowProperty(id, "_NET_FRAME_EXTENTS");
    const int equals = text.indexOf('=');
    if (equals < 0) return {};
    QList<int> extents;
    for (const QString& part : text.mid(equals + 1).split(',')) {
        bool ok = false;
        extents << part.trimmed().toInt(&ok);
        if (!ok) return {};
    }
    return extents.size() == 4 ? extents : QList<int>();
}

QRect FrameRect(E2eApp& app, const QString& id) {
    const QRect client = app.windowGeometryIfAny(id);
    const QList<int> e = FrameExtents(app, id);
    if (client.isEmpty() || e.size() != 4) return client;
    return client.adjusted(-e[0], -e[2], e[1], e[3]);
}
