// The program's icon on its windows and the desktop entry they are tied to.
#include "app/main_window.h"
#include "common/program_identity.h"
#include "support/desktop_entry.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>

TEST(ProgramIdentity, MainWindowShowsTheIconInEveryThemeSizeAndNamesTheDesktopEntry) {
    ApplyProgramIdentity();
    QTemporaryDir dir;
    TFrmMain form(nullptr, dir.path());
    const QIcon icon = form.windowIcon();
    ASSERT_FALSE(icon.isNull());

    // A picture drawn for each size the icon theme installs, none scaled from another.
    QList<int> sides;
    for (const QSize& size : icon.availableSizes()) {
        EXPECT_EQ(size.width(), size.height());
        sides << size.width();
    }
    std::sort(sides.begin(), sides.end());
    EXPECT_EQ(sides, QList<int>({16, 22, 24, 32, 48, 64, 128, 256}));
    for (int side : sides) {
        const QImage picture = icon.pixmap(QSize(side, side), 1.0).toImage();
        ASSERT_EQ(picture.size(), QSize(side, side)) << side;
        // A rounded tile: clear in the corner, opaque in the middle.
        EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0) << side;
        EXPECT_EQ(qAlpha(picture.pixel(side / 2, side / 8)), 255) << side;
    }

    // The taskbar finds the desktop entry by this name: the file the build installs, whose
    // icon carries the same id.
    const QString id = QGuiApplication::desktopFileName();
    EXPECT_EQ(id, ProgramId());
    EXPECT_GE(id.count('.'), 2) << "a reverse-DNS id";
    const QString entry = QStringLiteral(QELSHOT_BINARY_DIR "/packaging/") + id + ".desktop";
    ASSERT_TRUE(QFile::exists(entry)) << entry.toStdString();
    EXPECT_EQ(DesktopEntryValue(entry, "Icon"), id);
    EXPECT_EQ(DesktopEntryValue(entry, "Exec"), "qelshot");
}
