// Where a capture from the command line goes: the --output file, else the picture folder
// of the settings, else the first start's folder; an installed program asks the desktop
// for the user's pictures folder only when a capture goes there.
#include "app/command_line_save.h"

#include "support/fake_programs.h"
#include "support/private_home.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(CommandLineSaver, AnInstalledProgramLooksUpThePicturesFolderOnlyWhenACaptureGoesThere) {
    PrivateHome home;
    // Answers nothing, so the home folder stands in for the pictures folder.
    FakePrograms desktop({"xdg-user-dir"});
    desktop.setExitCode("xdg-user-dir", 1);
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(Qt::red);

    const ProgramPlaces places = FindProgramPlaces("/usr/bin", false);
    EXPECT_FALSE(places.besideProgram);
    EXPECT_TRUE(places.pictureFolder.isEmpty());
    const SettingsValues defaults = DefaultSettings(places);

    // Into the named file: the desktop is never asked.
    CommandLineSaver named(out.path() + "/shot.png", defaults, places);
    EXPECT_EQ(named.save(picture), out.path() + "/shot.png");
    EXPECT_TRUE(QFileInfo(out.path() + "/shot.png").size() > 0);
    EXPECT_TRUE(desktop.calls("xdg-user-dir").isEmpty());

    // A folder named in the settings: not asked either.
    SettingsValues withFolder = defaults;
    withFolder.picPath = out.path() + "/mine";
    CommandLineSaver settingsFolder(QString(), withFolder, places);
    const QString inMine = settingsFolder.save(picture);
    EXPECT_EQ(QFileInfo(inMine).absolutePath(), out.path() + "/mine") << inMine.toStdString();
    EXPECT_TRUE(desktop.calls("xdg-user-dir").isEmpty());

    // The next automatic name in the user's pictures folder: asked once, for two captures.
    CommandLineSaver automatic(QString(), defaults, places);
    const QString first = automatic.save(picture);
    const QString second = automatic.save(picture);
    EXPECT_EQ(QFileInfo(first).absolutePath(), home.path()) << first.toStdString();
    EXPECT_EQ(QFileInfo(second).absolutePath(), home.path()) << second.toStdString();
    EXPECT_NE(first, second);
    EXPECT_TRUE(QFileInfo(first).size() > 0 && QFileInfo(second).size() > 0);
    EXPECT_EQ(desktop.calls("xdg-user-dir"), QList<QStringList>({{"PICTURES"}}));
    EXPECT_EQ(automatic.pictureFolder(), home.path() + '/');

    // A file that cannot be written: nothing saved, and the reason names it.
    CommandLineSaver blocked(out.path() + "/missing/shot.png", defaults, places);
    EXPECT_TRUE(blocked.save(picture).isEmpty());
    EXPECT_TRUE(blocked.failure().contains(out.path() + "/missing/shot.png"));
}
