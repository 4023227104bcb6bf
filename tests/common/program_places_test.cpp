// Where the program keeps its files: beside a program its user can write to, in the user's
// folders for an installed one.
#include "common/program_places.h"

#include "common/program_identity.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Sets an environment variable for the life of the object.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        qputenv(name, value);
    }
    ~ScopedVariable() {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

  private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

} // namespace

TEST(ProgramPlaces, BesideAWritableProgramElseInTheUsersFolders) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString home = dir.path() + "/home";
    const QString pictures = home + QString::fromUtf8(u8"/图片");
    ASSERT_TRUE(QDir().mkpath(pictures));
    ASSERT_TRUE(QDir().mkpath(dir.path() + "/config"));
    ScopedVariable homeVar("HOME", QFile::encodeName(home));
    ScopedVariable configVar("XDG_CONFIG_HOME", QFile::encodeName(dir.path() + "/config"));

    // A folder the user may write to holds everything, also written without a last slash.
    const ProgramPlaces own = FindProgramPlaces(dir.path() + "/./");
    EXPECT_TRUE(own.besideProgram);
    EXPECT_EQ(own.settingsFile(), dir.path() + "/defualt.ini");
    EXPECT_EQ(own.pictureFolder, dir.path() + '/');

    // An installed program: the user's configuration folder and home, as long as the user
    // names no pictures folder.
    ProgramPlaces installed = FindProgramPlaces("/usr/bin");
    EXPECT_FALSE(installed.besideProgram);
    EXPECT_EQ(installed.programFolder, "/usr/bin/");
    EXPECT_EQ(installed.settingsFile(), dir.path() + "/config/" + ProgramId() + "/defualt.ini");
    EXPECT_EQ(installed.pictureFolder, home + '/');

    // The pictures folder the user named, once it exists.
    QFile dirs(dir.path() + "/config/user-dirs.dirs");
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write(QString::fromUtf8(u8"XDG_PICTURES_DIR=\"$HOME/图片\"\n").toUtf8());
    dirs.close();
    installed = FindProgramPlaces("/usr/local/bin/");
    EXPECT_EQ(installed.pictureFolder, pictures + '/');
    ASSERT_TRUE(QDir(pictures).removeRecursively());
    EXPECT_EQ(FindProgramPlaces("/usr/bin").pictureFolder, home + '/');

    // The settings folder is made with its parents when it is first written.
    EXPECT_TRUE(EnsureFolder(installed.settingsFolder));
    EXPECT_TRUE(QFileInfo(installed.settingsFolder).isDir());
    QFile blocker(dir.path() + "/a-file");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    EXPECT_FALSE(EnsureFolder(blocker.fileName() + "/settings"));
}
