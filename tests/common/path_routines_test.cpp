#include "common/path_routines.h"
#include "support/private_home.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

void Touch(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

} // namespace

TEST(PathRoutines, NormalizeDirPathWithBothSeparators) {
    // The described examples, verbatim with backslashes.
    const QChar bs('\\');
    EXPECT_EQ(NormalizeDirPath("C:\\pics\\\\\\\\new", bs), "C:\\pics\\new\\");
    EXPECT_EQ(NormalizeDirPath("C:\\pics", bs), "C:\\pics\\");
    EXPECT_EQ(NormalizeDirPath("C:\\pics\\", bs), "C:\\pics\\");
    EXPECT_EQ(NormalizeDirPath("", bs), "\\");
    EXPECT_EQ(NormalizeDirPath("   ", bs), "\\");
    EXPECT_EQ(NormalizeDirPath("D:", bs), "D:\\");
    EXPECT_EQ(NormalizeDirPath("  C:\\a\\\\b  ", bs), "C:\\a\\b\\");
    EXPECT_EQ(NormalizeDirPath("a\\\\\\\\\\b", bs), "a\\\\b\\"); // five become two
    EXPECT_EQ(NormalizeDirPath("\\\\server\\share", bs), "\\server\\share\\");

    // The same rules with slashes.
    EXPECT_EQ(NormalizeDirPath("/pics////new"), "/pics/new/");
    EXPECT_EQ(NormalizeDirPath("/pics"), "/pics/");
    EXPECT_EQ(NormalizeDirPath("/pics/"), "/pics/");
    EXPECT_EQ(NormalizeDirPath(""), "/");
    EXPECT_EQ(NormalizeDirPath(" /a//b "), "/a/b/");
    EXPECT_EQ(NormalizeDirPath("/a/////b"), "/a//b/");
    // The other separator is an ordinary character.
    EXPECT_EQ(NormalizeDirPath("/a\\\\b", '/'), "/a\\\\b/");
}

TEST(PathRoutines, DrivesOfPaths) {
    const QChar bs('\\');
    EXPECT_EQ(DrivePart("D:\\shots\\2024", bs), "D:");
    EXPECT_EQ(DrivePart("shots", bs), "");
    EXPECT_EQ(DrivePart("\\server\\share\\", bs), "");
    EXPECT_EQ(DrivePart("/home/x", '/'), "/");
    EXPECT_EQ(DrivePart("home/x", '/'), "");
    EXPECT_EQ(DrivePart("", '/'), "");
    EXPECT_EQ(DrivePart("C:/x", '/'), "");

    const QStringList roots = {"C:\\", "D:\\"};
    EXPECT_TRUE(DriveExists("c:", bs, roots));
    EXPECT_TRUE(DriveExists(" D: ", bs, roots));
    EXPECT_FALSE(DriveExists("E:", bs, roots));
    EXPECT_FALSE(DriveExists("", bs, roots));
    EXPECT_FALSE(DriveExists("   ", bs, roots));
    // Here the one root always exists; a relative text has no drive.
    EXPECT_TRUE(DriveExists("/"));
    EXPECT_FALSE(DriveExists(""));
    EXPECT_FALSE(DriveExists("shots"));

    // A refused folder falls back to the home folder; a relative HOME is no folder to use.
    PrivateHome home;
    EXPECT_EQ(FallbackRoot(), home.path() + "/");
    qputenv("HOME", "relative/home");
    const QString account = FallbackRoot();
    EXPECT_TRUE(account.startsWith('/') && account.endsWith('/')) << account.toStdString();
    EXPECT_FALSE(account.contains("relative"));
}

TEST(PathRoutines, ListFolderFilesListsEveryFileAndNoFolder) {
    QTemporaryDir dir;
    const QString folder = dir.path() + '/';
    Touch(folder + "a.jpg");
    Touch(folder + ".hidden.png");
    Touch(folder + "名字 with blank.bmp");
    QDir(folder).mkdir("sub.jpg");
    QFile::link(folder + "sub.jpg", folder + "link-to-folder.jpg");
    QFile::link(folder + "a.jpg", folder + "link-to-file.jpg");
    Touch(folder + "sub.jpg/inner.jpg");

    QStringList list = {"kept"};
    EXPECT_EQ(ListFolderFiles(folder, list), 4);
    const QStringList expected = {"kept", folder + ".hidden.png", folder + "a.jpg",
                                  folder + "link-to-file.jpg", folder + "名字 with blank.bmp"};
    QStringList sorted = list.mid(1);
    sorted.sort();
    EXPECT_EQ(QStringList{"kept"} + sorted, expected);

    QStringList none;
    EXPECT_EQ(ListFolderFiles(folder + "missing/", none), 0);
    EXPECT_TRUE(none.isEmpty());
}

TEST(PathRoutines, SelectFolderPromptsWithAnExistingFolderOrTheHomeFolder) {
    PrivateHome home;
    QTemporaryDir dir;
    QString title;
    const auto answer = [&](bool accept) {
        QTimer::singleShot(0, [&, accept] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            title = dialog->windowTitle();
            if (accept) {
                dialog->setDirectory(dir.path());
                QMetaObject::invokeMethod(dialog, "accept");
            } else {
                dialog->reject();
            }
        });
    };
    answer(false);
    EXPECT_EQ(SelectFolder(nullptr, dir.path()), "");
    EXPECT_EQ(title, dir.path());
    answer(true);
    EXPECT_EQ(SelectFolder(nullptr, dir.path() + "/missing"), dir.path());
    EXPECT_EQ(title, home.path() + "/");
}
