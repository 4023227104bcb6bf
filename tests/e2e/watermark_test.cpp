// Watermarks through the real program: a text watermark set up in the settings dialog, then
// stamped into the selected picture and written back to its file, blended at the strength
// and place chosen, with the settings kept for the next run; a picture opened from
// elsewhere is never stamped into the selected entry's file.

#include "e2e/e2e_app.h"

#include <QImage>
#include <QProcess>
#include <QSet>

#include <cmath>

#include <gtest/gtest.h>

namespace {

const QString kCaptionStem = QStringLiteral("QEL屏幕截图助手");
const QString kDialogTitle = QStringLiteral("水印设置");
// Distinct channels, so that a swapped channel shows. Each is an odd multiple of 5: at
// strength 7 its blend with black ends in .5 and with white lies a hair below a whole
// number, so truncation is told from rounding, and the single-precision weight 0.7f from
// a double 0.7.
const QColor kPaper(55, 105, 165);
constexpr QSize kPictureSize(400, 300);
// Offsets typed into the dialog; with reversed coordinates they count from the right and
// bottom edges.
constexpr int kMarkX = 30;
constexpr int kMarkY = 20;
// The strength bar starts at 6 from the settings file; one click on its arrow makes it 7.
constexpr int kStrength = 7;

// Main window, client coordinates. The "other functions" button is the fourth item of the
// tool column: frame 10 + margin 3 + half its 122 px width; frame 12 + top bar 74 + splitter
// 6 + its top 82 + half its 24 px height.
constexpr QPoint kOtherFunctions{10 + 3 + 122 / 2, 12 + 74 + 6 + 82 + 24 / 2};
// The first entry of the picture list, right of the tool column (145 + splitter 6); entries
// are 16 pixels high.
constexpr QPoint kFirstEntry{10 + 145 + 6 + 40, 12 + 74 + 6 + 2 + 8};
// Empty part of the picture list, which the menu of the button covers once it is open.
constexpr QRect kUnderMenu(170, 200, 110, 200);

// Watermark dialog, client coordinates: controls inside the group boxes are offset by the
// boxes' corners (10, 8) and (152, 8).
constexpr QPoint kTextType{10 + 10 + 40, 8 + 24 + 8};   // first row of the type list
constexpr QPoint kOffsetX{152 + 30 + 40, 8 + 26 + 12};  // X field
constexpr QPoint kOffsetY{152 + 30 + 40, 8 + 62 + 12};  // Y field
constexpr QPoint kReverse{152 + 128 + 10, 8 + 28 + 11}; // reversed-coordinates box
constexpr QPoint kStrengthUp{86 + 280 - 7, 124 + 8};    // right arrow of the strength bar
constexpr QPoint kWatermarkText{86 + 100, 152 + 12};    // text field
constexpr QPoint kConfirm{238 + 77 / 2, 300 + 27 / 2};  // OK button

// The blend of one channel: trunc((1 - a) * old + a * mark), a = T/10 held in single
// precision.
int Blend(int old, int mark, float a) {
    return static_cast<int>(std::trunc((1.0 - a) * old + static_cast<double>(a) * mark));
}

bool WindowShown(const QString& title) {
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"),
                  {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                   QStringLiteral("--name"), title});
    return xdotool.waitForFinished(10000) && xdotool.exitCode() == 0 &&
           !xdotool.readAllStandardOutput().trimmed().isEmpty();
}

QImage Region(const QImage& screen, const QRect& client, const QRect& area) {
    return screen.copy(area.translated(client.topLeft()));
}

// Opens the menu of the "other functions" button and chooses its entry at `row` (from 0)
// with the keyboard, once the menu shows over the picture list.
bool ChooseOtherFunction(E2eApp& app, const QString& window, int row) {
    const QRect client = app.windowGeometry(window);
    const QImage before = Region(app.screenshot(), client, kUnderMenu);
    app.click(window, kOtherFunctions);
    if (!waitUntil([&] { return Region(app.screenshot(), client, kUnderMenu) != before; }, 10000))
        return false;
    QString keys;
    for (int i = 0; i <= row; ++i)
        keys += QStringLiteral("Down ");
    app.key(keys + QStringLiteral("Return"));
    return true;
}

// Click into a line edit, replace its text.
void Retype(E2eApp& app, const QString& window, QPoint field, const QString& text) {
    app.click(window, field);
    app.key(QStringLiteral("ctrl+a BackSpace"));
    app.type(text);
}

QStringList SettingsLines(const QByteArray& data) {
    QStringList lines = QString::fromUtf8(data).split('\n');
    for (QString& line : lines)
        line = line.trimmed();
    return lines;
}

} // namespace

TEST(Watermark, TextWatermarkIsSetUpStampedIntoTheSelectedPictureAndKept) {
    E2eApp app;
    QImage paper(kPictureSize, QImage::Format_RGB32);
    paper.fill(kPaper);
    // Settings of an earlier run: a longer text, no watermark, plain offsets, strength 6.
    const QString window =
        app.startWithPicture(paper, "WatermarkText=earlier watermark\nWatermarkType=2\n"
                                    "WaterMarkTransparent=6\nCbMarkContrst=0\nMarkX=5\nMarkY=7\n");
    ASSERT_FALSE(window.isEmpty());

    // Second entry of the menu: the watermark settings.
    ASSERT_TRUE(ChooseOtherFunction(app, window, 1)) << "the menu did not open";
    const QString dialog = app.waitForWindow(kDialogTitle);
    ASSERT_FALSE(dialog.isEmpty());
    app.click(dialog, kTextType);
    Retype(app, dialog, kWatermarkText, QStringLiteral("QEL"));
    Retype(app, dialog, kOffsetX, QString::number(kMarkX));
    Retype(app, dialog, kOffsetY, QString::number(kMarkY));
    app.click(dialog, kReverse);
    app.click(dialog, kStrengthUp);
    app.click(dialog, kConfirm);
    ASSERT_TRUE(waitUntil([&] { return !WindowShown(kDialogTitle); }, 10000))
        << "the dialog did not close";

    // Select the picture, then the first entry of the menu: add the watermark.
    const QByteArray original = app.readFile("pics/1.bmp");
    app.click(window, kFirstEntry);
    ASSERT_TRUE(ChooseOtherFunction(app, window, 0)) << "the menu did not open";
    // The file is rewritten; it counts once two reads in a row agree.
    QImage saved;
    QByteArray last;
    ASSERT_TRUE(waitUntil(
        [&] {
            const QByteArray now = app.readFile("pics/1.bmp");
            const bool settled = now == last && now != original;
            last = now;
            saved = QImage::fromData(now, "BMP");
            return settled && !saved.isNull();
        },
        10000))
        << "the picture file was not rewritten" << app.programStderr().toStdString();
    ASSERT_EQ(saved.size(), kPictureSize);
    saved = saved.convertToFormat(QImage::Format_RGB32);

    // The changed pixels form the label's rectangle, its lower right corner kMarkX and kMarkY
    // in from the right and bottom edges.
    QRect label;
    for (int y = 0; y < saved.height(); ++y)
        for (int x = 0; x < saved.width(); ++x)
            if (saved.pixelColor(x, y) != kPaper) label |= QRect(x, y, 1, 1);
    ASSERT_FALSE(label.isEmpty()) << "nothing was blended in";
    EXPECT_EQ(label.right(), kPictureSize.width() - 1 - kMarkX);
    EXPECT_EQ(label.bottom(), kPictureSize.height() - 1 - kMarkY);
    // Ten pixels of white left and right of the three letters, five above them: the label
    // holds the new text, not the earlier one.
    EXPECT_GT(label.width(), 20 + 3 * 4);
    EXPECT_LT(label.width(), 20 + 3 * 20);
    EXPECT_GT(label.height(), 5 + 8);
    EXPECT_LT(label.height(), 60);

    // White blended over the paper at the chosen strength, and the text's black.
    const float weight = kStrength / 10.0f;
    const QColor background(Blend(kPaper.red(), 255, weight), Blend(kPaper.green(), 255, weight),
                            Blend(kPaper.blue(), 255, weight));
    const QColor ink(Blend(kPaper.red(), 0, weight), Blend(kPaper.green(), 0, weight),
                     Blend(kPaper.blue(), 0, weight));
    // Every value a channel of the paper can take under some mark byte.
    QSet<int> reachable[3];
    for (int mark = 0; mark < 256; ++mark) {
        reachable[0].insert(Blend(kPaper.red(), mark, weight));
        reachable[1].insert(Blend(kPaper.green(), mark, weight));
        reachable[2].insert(Blend(kPaper.blue(), mark, weight));
    }
    int margin = 0, marginBackground = 0, text = 0, inked = 0, unreachable = 0;
    for (int y = label.top(); y <= label.bottom(); ++y)
        for (int x = label.left(); x <= label.right(); ++x) {
            const QColor c = saved.pixelColor(x, y);
            if (x < label.left() + 10 || y < label.top() + 5) {
                ++margin;
                marginBackground += c == background;
            } else if (c != background) {
                ++text;
                inked += c == ink;
            }
            unreachable += !reachable[0].contains(c.red()) || !reachable[1].contains(c.green()) ||
                           !reachable[2].contains(c.blue());
        }
    EXPECT_EQ(marginBackground, margin) << "the margins are not white blended at strength 7";
    EXPECT_GT(text, 30) << "no text in the label";
    EXPECT_GT(inked, 0) << "no pixel of the text is black blended at strength 7";
    EXPECT_EQ(unreachable, 0) << "pixels that no blend of the paper gives";

    // The rest of the picture is untouched.
    int outside = 0;
    for (int y = 0; y < saved.height(); ++y)
        for (int x = 0; x < saved.width(); ++x)
            outside += !label.contains(x, y) && saved.pixelColor(x, y) != kPaper;
    EXPECT_EQ(outside, 0);

    // The settings file keeps the watermark for the next run.
    app.click(window, kExitButtonCentre);
    ASSERT_TRUE(app.waitForExit(10000));
    EXPECT_EQ(app.exitCode(), 0) << app.programStderr().toStdString();
    const QStringList settings = SettingsLines(app.readFile("defualt.ini"));
    for (const char* line : {"WatermarkText=QEL", "WatermarkType=0", "WaterMarkTransparent=7",
                             "CbMarkContrst=1", "MarkX=30", "MarkY=20"})
        EXPECT_TRUE(settings.contains(QString::fromLatin1(line)))
            << line << " missing from\n"
            << settings.join('\n').toStdString();
}

TEST(Watermark, APictureOpenedFromElsewhereIsNeverWrittenOverTheSelectedFile) {
    E2eApp app;
    QImage paper(kPictureSize, QImage::Format_RGB32);
    paper.fill(kPaper);
    QImage other(QSize(240, 180), QImage::Format_RGB32);
    other.fill(QColor(200, 40, 40));
    app.writeFile("elsewhere/other.bmp", BmpOf(other));
    const QString window = app.startWithPicture(paper, "WatermarkText=QEL\nWatermarkType=0\n");
    ASSERT_FALSE(window.isEmpty());
    const QByteArray original = app.readFile("pics/1.bmp");

    // Select the entry, then open the other picture with the open dialog (fifth entry of the
    // menu): it is shown, while the selection still stands for pics/1.bmp.
    app.click(window, kFirstEntry);
    const QStringList before = app.visibleWindows("");
    ASSERT_TRUE(ChooseOtherFunction(app, window, 4)) << "the menu did not open";
    QString dialog;
    ASSERT_TRUE(waitUntil(
        [&] {
            for (const QString& id : app.visibleWindows(""))
                if (!before.contains(id)) dialog = id;
            return !dialog.isEmpty();
        },
        10000))
        << "the open dialog did not come up";
    app.type(app.appDir() + "elsewhere/other.bmp");
    app.key("Return");
    ASSERT_TRUE(app.waitForSolidRect(other.size(), other.pixelColor(0, 0)).x() >= 0)
        << "the other picture is not on the screen";

    // Add the watermark: the program asks for a picture of the list instead.
    ASSERT_TRUE(ChooseOtherFunction(app, window, 0)) << "the menu did not open";
    QString message;
    EXPECT_TRUE(waitUntil(
        [&] {
            for (const QString& id : app.visibleWindows(kCaptionStem))
                if (id != window) message = id;
            return !message.isEmpty();
        },
        10000))
        << "no request to select a picture";
    EXPECT_EQ(app.readFile("pics/1.bmp"), original) << "the selected file was written over";
    app.key("Return");

    app.click(window, kExitButtonCentre);
    ASSERT_TRUE(app.waitForExit(10000));
    EXPECT_EQ(app.readFile("pics/1.bmp"), original) << "the selected file was written over";
}

TEST(Watermark, ReusedDialogsOpenWhereTheyWere) {
    E2eApp app;
    QImage paper(kPictureSize, QImage::Format_RGB32);
    paper.fill(kPaper);
    const QString window = app.startWithPicture(paper);
    ASSERT_FALSE(window.isEmpty());

    // The watermark settings (second entry of the menu) and the hotkey settings (the last).
    const struct {
        int row;
        QString title;
    } dialogs[] = {{1, kDialogTitle}, {11, QString::fromUtf8(u8"热键设置")}};
    for (const auto& d : dialogs) {
        QRect first, moved;
        for (int showing = 0; showing < 4; ++showing) {
            ASSERT_TRUE(ChooseOtherFunction(app, window, d.row)) << "the menu did not open";
            const QString id = app.waitForWindow(d.title);
            ASSERT_FALSE(id.isEmpty());
            const QRect place = app.windowGeometry(id);
            if (showing == 0) {
                first = place;
            } else if (showing == 3) {
                // Where the user moved it, it opens again.
                EXPECT_EQ(place, moved) << d.title.toStdString();
            } else {
                EXPECT_EQ(place, first) << d.title.toStdString() << ", showing " << showing + 1;
            }
            if (showing == 2) {
                QProcess::execute(QStringLiteral("xdotool"),
                                  {QStringLiteral("windowmove"), QStringLiteral("--relative"), id,
                                   QStringLiteral("-100"), QStringLiteral("-80")});
                ASSERT_TRUE(waitUntil(
                    [&] { return (moved = app.windowGeometry(id)).topLeft() != place.topLeft(); },
                    10000))
                    << "the dialog was not moved";
            }
            app.key(QStringLiteral("Escape"));
            ASSERT_TRUE(waitUntil([&] { return !WindowShown(d.title); }, 10000))
                << "the dialog did not close";
        }
    }
}
