#include "e2e/hostile_input_support.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <iostream>
#include <unistd.h>

namespace {

int FailedParts() {
    const ::testing::TestResult* result =
        ::testing::UnitTest::GetInstance()->current_test_info()->result();
    int failed = 0;
    for (int i = 0; i < result->total_part_count(); ++i)
        failed += result->GetTestPartResult(i).failed() ? 1 : 0;
    return failed;
}

QString Folded(const QString& name) {
    return name.trimmed().toCaseFolded();
}

QString Shortened(const QString& line) {
    return line.size() <= 80 ? line
                             : line.left(60) + QStringLiteral("…(%1 characters)").arg(line.size());
}

// One call of xdotool: the program's visible windows whose name matches the pattern, each as
// "Window <id>", "  Position: ..." and "  Geometry: <width>x<height>"; empty when none.
QString ProgramWindowsText(E2eApp& app, const QString& namePattern) {
    QProcess xdotool;
    xdotool.start("xdotool",
                  {"search", "--all", "--onlyvisible", "--pid", QString::number(app.processId()),
                   "--name", namePattern, "getwindowgeometry", "%@"});
    if (!xdotool.waitForFinished(10000)) {
        xdotool.kill();
        xdotool.waitForFinished(1000);
    }
    return QString::fromLatin1(xdotool.readAllStandardOutput());
}

// The windows of ProgramWindowsText with their sizes.
QList<std::pair<QString, QSize>> ParseWindows(const QString& text) {
    QList<std::pair<QString, QSize>> windows;
    for (const QString& raw : text.split('\n')) {
        const QString line = raw.trimmed();
        if (line.startsWith("Window ")) {
            windows.append({line.section(' ', 1), QSize()});
        } else if (line.startsWith("Geometry: ") && !windows.isEmpty()) {
            const QString size = line.section(' ', 1);
            windows.last().second =
                QSize(size.section('x', 0, 0).toInt(), size.section('x', 1).toInt());
        }
    }
    return windows;
}

// Main window places: the picture list starts right of the tool column (frame 10 + column
// 145 + splitter 6) below the top bar (frame 12 + bar 74 + splitter 6), 16 pixels a row;
// the picture area starts right of the left area (frame 10 + 289 + splitter 6).
constexpr QPoint kListTopLeft{10 + 145 + 6, 12 + 74 + 6};
constexpr int kRowHeight = 16;
constexpr QPoint kPictureInside{10 + 289 + 6 + 60, 12 + 74 + 6 + 60};

} // namespace

CaseTally::~CaseTally() {
    std::cout << "hostile input, " << group_ << ": " << ran_ << " cases ran, " << held_
              << " held\n";
    // Property names are XML attribute names: no blanks.
    std::string name = group_;
    std::replace(name.begin(), name.end(), ' ', '_');
    ::testing::Test::RecordProperty(name + "_cases", ran_);
    ::testing::Test::RecordProperty(name + "_held", held_);
}

void CaseTally::run(const QString& name, const std::function<void()>& body) {
    SCOPED_TRACE("case \"" + name.toStdString() + '"');
    const int before = FailedParts();
    body();
    ++ran_;
    if (FailedParts() == before) {
        ++held_;
        return;
    }
    std::cout << "hostile input, " << group_ << ": case \"" << name.toStdString() << "\" failed\n";
}

QStringList SplitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' && text[i] != '\r') continue;
        lines << text.mid(start, i - start);
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines << text.mid(start);
    return lines;
}

QList<IniLine> ParseIni(const QStringList& lines) {
    QList<IniLine> parsed;
    parsed.reserve(lines.size());
    QString section;
    for (const QString& text : lines) {
        IniLine line;
        line.text = text;
        const QString trimmed = text.trimmed();
        if (trimmed.startsWith('[')) {
            const qsizetype close = trimmed.indexOf(']');
            section = Folded(close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1));
            line.header = true;
        } else if (const qsizetype eq = text.indexOf('='); eq >= 0) {
            line.key = Folded(text.left(eq));
            line.value = text.mid(eq + 1).trimmed();
        }
        line.section = section;
        parsed << line;
    }
    return parsed;
}

QList<IniLine> WrittenSettings(const QByteArray& written) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(written);
    EXPECT_FALSE(utf8.hasError()) << "the settings file is not UTF-8";
    return ParseIni(SplitLines(text));
}

QString ValueIn(const QList<IniLine>& file, const QString& section, const QString& key) {
    const QString s = Folded(section), k = Folded(key);
    bool seen = false;
    for (const IniLine& line : file) {
        if (line.header && line.section == s) {
            // Only the first section of the name counts.
            if (seen) break;
            seen = true;
            continue;
        }
        if (seen && line.header) break;
        if (seen && line.key == k) return line.value;
    }
    return QString();
}

int HeaderCount(const QList<IniLine>& file, const QString& section) {
    int count = 0;
    for (const IniLine& line : file)
        count += line.header && line.section == section ? 1 : 0;
    return count;
}

bool ProgramKeys::owns(const IniLine& line) const {
    return !line.header && !line.key.isEmpty() && keys.value(line.section).contains(line.key);
}

QStringList ProgramKeys::foreignLines(const QList<IniLine>& lines) const {
    QStringList foreign;
    for (const IniLine& line : lines)
        if (!owns(line)) foreign << line.text;
    return foreign;
}

ProgramKeys ObserveProgramKeys(E2eApp& app) {
    ProgramKeys observed;
    QFile::remove(app.appDir() + kSettingsFile);
    const QString window = StartAndWaitForWindow(app);
    if (window.isEmpty() || !ExitWithExitButton(app, window)) return observed;
    for (const IniLine& line : WrittenSettings(app.readFile(kSettingsFile))) {
        if (line.key.isEmpty()) continue;
        observed.keys[line.section] << line.key;
        observed.firstStartValues.insert(line.section + '/' + line.key, line.value);
    }
    EXPECT_GE(observed.keys.size(), 3) << "the first start wrote too few sections";
    return observed;
}

void ExpectProgramKeys(const QList<IniLine>& file, const ProgramKeys& own) {
    for (auto section = own.keys.cbegin(); section != own.keys.cend(); ++section)
        for (const QString& key : section.value()) {
            const QString value = ValueIn(file, section.key(), key);
            EXPECT_FALSE(value.isNull())
                << "no " << key.toStdString() << " in [" << section.key().toStdString() << ']';
            bool wasNumber = false, isNumber = false;
            own.firstStartValues.value(section.key() + '/' + key).toLongLong(&wasNumber);
            value.toLongLong(&isNumber);
            if (wasNumber) {
                EXPECT_TRUE(isNumber) << key.toStdString() << '=' << Shortened(value).toStdString();
            }
        }
}

void ExpectKept(const QList<IniLine>& file, const QStringList& keep) {
    qsizetype at = 0;
    for (const QString& line : keep) {
        while (at < file.size() && file[at].text != line)
            ++at;
        if (at == file.size()) {
            ADD_FAILURE() << "the settings file lost the line \"" << Shortened(line).toStdString()
                          << "\" (or its place)";
            return;
        }
        ++at;
    }
}

bool PollUntil(const std::function<bool()>& condition, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired()) return false;
        QThread::msleep(25);
    }
    return true;
}

QString WaitForMainWindow(E2eApp& app, int timeoutMs) {
    QString last;
    const QDeadlineTimer deadline(timeoutMs);
    while (app.isRunning() && !deadline.hasExpired()) {
        // The caption carries the version; the frozen screen of an area capture has the same
        // caption and covers the screen.
        const QString found = ProgramWindowsText(app, "3\\.3");
        QString main;
        for (const auto& [id, size] : ParseWindows(found))
            if (size != QSize(1280, 1024)) main = id;
        // Settled: the same windows at the same places twice in a row.
        if (!main.isEmpty() && found == last) return main;
        last = found;
        QThread::msleep(25);
    }
    ADD_FAILURE() << "the main window did not come up (program "
                  << (app.isRunning() ? "running" : "ended") << ")\n--- program stderr ---\n"
                  << app.programStderr().toStdString();
    return QString();
}

QString StartAndWaitForWindow(E2eApp& app) {
    return app.start() ? WaitForMainWindow(app) : QString();
}

void QuickClick(E2eApp& app, const QString& window, QPoint at) {
    app.runHelper("xdotool", {"mousemove", "--window", window, QString::number(at.x()),
                              QString::number(at.y()), "click", "--delay", "0", "1"});
}

bool ExitWithExitButton(E2eApp& app, const QString& window) {
    QuickClick(app, window, kExitButtonCentre);
    if (!app.waitForExit(10000)) return false;
    EXPECT_EQ(app.exitCode(), 0) << app.programStderr().toStdString();
    return app.exitCode() == 0;
}

QString WaitForDialog(E2eApp& app, int timeoutMs, const QString& titlePart) {
    QString dialog;
    PollUntil(
        [&] {
            for (const QString& window : app.visibleProgramWindows()) {
                const QRect at = app.windowGeometryIfAny(window);
                const QString name = app.windowProperty(window, "_NET_WM_NAME");
                if (!name.contains("3.3") && name.contains(titlePart) && !at.isEmpty() &&
                    at.width() < 1280) {
                    dialog = window;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return dialog;
}

bool WaitForFullScreenWindow(E2eApp& app, int timeoutMs) {
    int seen = 0;
    return PollUntil(
        [&] {
            bool covered = false;
            for (const auto& [id, size] : ParseWindows(ProgramWindowsText(app, ".")))
                covered = covered || size == QSize(1280, 1024);
            seen = covered ? seen + 1 : 0;
            return seen >= 2;
        },
        timeoutMs);
}

QPoint ListRowCentre(int row) {
    return kListTopLeft + QPoint(40, 2 + row * kRowHeight + kRowHeight / 2);
}

bool ListRowBlank(E2eApp& app, const QString& window, int row) {
    const QRect client = app.windowGeometry(window);
    const QImage screen = app.screenshot();
    const QPoint corner = client.topLeft() + kListTopLeft + QPoint(4, 2 + row * kRowHeight + 2);
    for (int y = 0; y < kRowHeight - 4; ++y)
        for (int x = 0; x < 100; ++x)
            if (screen.pixelColor(corner + QPoint(x, y)) != QColor(Qt::white)) return false;
    return true;
}

bool WaitForListRowSelected(E2eApp& app, const QString& window, int row, int timeoutMs) {
    const QPoint margin = app.windowGeometry(window).topLeft() + kListTopLeft +
                          QPoint(3, 2 + row * kRowHeight + kRowHeight / 2);
    QColor shown;
    if (PollUntil(
            [&] {
                shown = ScreenPixel(app, margin);
                return shown.blue() > shown.red() + 80;
            },
            timeoutMs))
        return true;
    ADD_FAILURE() << "list row " << row << " does not show as selected: its margin is "
                  << shown.name().toStdString();
    return false;
}

QColor ScreenPixel(E2eApp& app, QPoint at) {
    QByteArray rgb;
    app.runHelper("import",
                  {"-window", "root", "-crop", QStringLiteral("1x1+%1+%2").arg(at.x()).arg(at.y()),
                   "-depth", "8", "rgb:-"},
                  &rgb);
    if (rgb.size() != 3) return QColor();
    return QColor(quint8(rgb[0]), quint8(rgb[1]), quint8(rgb[2]));
}

QColor PictureColour(E2eApp& app, const QString& window) {
    return ScreenPixel(app, app.windowGeometry(window).topLeft() + kPictureInside);
}

bool WaitForPictureColour(E2eApp& app, const QString& window, const QColor& colour, int timeoutMs) {
    const QPoint at = app.windowGeometry(window).topLeft() + kPictureInside;
    QColor shown;
    if (PollUntil([&] { return (shown = ScreenPixel(app, at)) == colour; }, timeoutMs)) return true;
    ADD_FAILURE() << "the picture area shows " << shown.name().toStdString() << ", not "
                  << colour.name().toStdString();
    return false;
}

bool MakeEmptyFiles(const QString& folder, int first, int last, const QString& extension) {
    for (int i = first; i <= last; ++i) {
        const QByteArray path = QFile::encodeName(folder + QString::number(i) + extension);
        const int fd = ::open(path.constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        if (fd < 0) return false;
        ::close(fd);
    }
    return true;
}

QString WaitForNewPicture(const QString& folder, const QStringList& before, int timeoutMs) {
    const QSet<QString> old(before.cbegin(), before.cend());
    QString found;
    PollUntil(
        [&] {
            for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
                if (old.contains(name)) continue;
                QImageReader reader(folder + name);
                if (!reader.read().isNull()) {
                    found = name;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

QStringList FolderEntriesOf(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

qint64 PeakMemoryKb(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    const QRegularExpression peak(QStringLiteral("VmHWM:\\s*(\\d+) kB"));
    const QRegularExpressionMatch m = peak.match(QString::fromLatin1(status.readAll()));
    return m.hasMatch() ? m.captured(1).toLongLong() : 0;
}
