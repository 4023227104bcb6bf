// What the hostile-input cases share: counting a group's cases, reading a settings file the
// way the program's format reads, the program's own keys as a first start writes them, and
// quick waits for the program's windows and pictures.
#pragma once

#include "e2e/e2e_app.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <functional>
#include <ostream>
#include <string>

inline const QString kSettingsFile = QStringLiteral("defualt.ini");

// Readable test output for colours.
inline void PrintTo(const QColor& c, std::ostream* os) {
    *os << c.name().toStdString();
}

// Runs the cases of one group; a case held when it added no failure. The counts go to
// stdout and into the test's properties when the tally ends.
class CaseTally {
  public:
    explicit CaseTally(std::string group) : group_(std::move(group)) {}
    ~CaseTally();
    CaseTally(const CaseTally&) = delete;
    CaseTally& operator=(const CaseTally&) = delete;

    void run(const QString& name, const std::function<void()>& body);

  private:
    std::string group_;
    int ran_ = 0;
    int held_ = 0;
};

// One line of a settings file: the section it lies in and its key, both trimmed and
// case-folded, and the trimmed value of a key line.
struct IniLine {
    QString text;
    QString section;
    bool header = false;
    QString key;
    QString value;
};

// Lines split at LF, CR and CRLF.
QStringList SplitLines(const QString& text);
QList<IniLine> ParseIni(const QStringList& lines);
// The written file as UTF-8, parsed; a failure when it is no UTF-8.
QList<IniLine> WrittenSettings(const QByteArray& written);
// The value of the first `key` in the first [section]; a null string when there is none.
QString ValueIn(const QList<IniLine>& file, const QString& section, const QString& key);
// How many headers of the (folded) section the file has.
int HeaderCount(const QList<IniLine>& file, const QString& section);

// The keys the program writes, by section, with the values of a first start.
struct ProgramKeys {
    QHash<QString, QStringList> keys;         // folded section -> folded keys, in order
    QHash<QString, QString> firstStartValues; // "section/key" -> value

    bool owns(const IniLine& line) const;
    // The lines that are not keys the program writes.
    QStringList foreignLines(const QList<IniLine>& lines) const;
};

// Starts the program without a settings file, ends it with its exit button and reads the
// keys of the file it wrote.
ProgramKeys ObserveProgramKeys(E2eApp& app);
// Every key of the program is in its section, with a number where a first start wrote one.
void ExpectProgramKeys(const QList<IniLine>& file, const ProgramKeys& own);
// The lines of `keep` are in the file, in their order.
void ExpectKept(const QList<IniLine>& file, const QStringList& keep);

// Polls the condition every 25 ms until it holds or the time is up; whether it held. The
// cases wait for the program very often, and waitUntil's 100 ms add up.
bool PollUntil(const std::function<bool()>& condition, int timeoutMs = 10000);

// The program's main window (its caption carries the version) once mapped with a settled
// geometry; empty, with a failure, when it does not come. Polled more often than
// E2eApp::waitForWindow, as the cases start the program many times.
QString WaitForMainWindow(E2eApp& app, int timeoutMs = 15000);
QString StartAndWaitForWindow(E2eApp& app);
// A left click at a place of the window, as E2eApp::click without xdotool's pause of 100 ms
// after every click: the cases click often.
void QuickClick(E2eApp& app, const QString& window, QPoint at);
// Clicks the exit button; true when the program ended with exit code 0.
bool ExitWithExitButton(E2eApp& app, const QString& window);
// A visible window of the program that is neither its main window nor full-screen: a
// dialog, a message box or the capture toolbar, whose title contains titlePart; empty when
// none comes.
QString WaitForDialog(E2eApp& app, int timeoutMs = 10000, const QString& titlePart = QString());
// Whether a visible window of the program covers the whole screen (the frozen screen of an
// area capture), seen twice in a row.
bool WaitForFullScreenWindow(E2eApp& app, int timeoutMs = 10000);

// Centre of a row of the picture list, in main-window coordinates.
QPoint ListRowCentre(int row);
// Whether the list row shows nothing (no name, no selection).
bool ListRowBlank(E2eApp& app, const QString& window, int row);
// Waits until the list row shows the selection's colour in its left margin, where no text is
// drawn: the program has taken the click on it.
bool WaitForListRowSelected(E2eApp& app, const QString& window, int row, int timeoutMs = 10000);
// Waits until the picture area of the main window shows the colour.
bool WaitForPictureColour(E2eApp& app, const QString& window, const QColor& colour,
                          int timeoutMs = 10000);
// The colour the picture area of the main window shows.
QColor PictureColour(E2eApp& app, const QString& window);
// The colour of one pixel of the screen.
QColor ScreenPixel(E2eApp& app, QPoint at);

// Makes the empty files first..last + extension in the folder.
bool MakeEmptyFiles(const QString& folder, int first, int last, const QString& extension);
// The name of a picture that appears in the folder besides `before`, once it reads whole;
// empty after the timeout.
QString WaitForNewPicture(const QString& folder, const QStringList& before, int timeoutMs = 15000);
// Every entry of the folder, hidden ones included, sorted.
QStringList FolderEntriesOf(const QString& folder);

// The most memory the process has held (VmHWM), in KB; 0 when unknown.
qint64 PeakMemoryKb(qint64 pid);
