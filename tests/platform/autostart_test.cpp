#include "platform/autostart.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Autostart, RemovesOnlyEntriesOfExactlyTheGivenNames) {
    QTemporaryDir config;
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    QDir(config.path()).mkpath("autostart");
    const QString folder = AutostartFolder();
    EXPECT_EQ(folder, config.path() + "/autostart");
    const QStringList files = {QString::fromUtf8(u8"QEL屏幕截图助手.desktop"), "other.desktop",
                               QString::fromUtf8(u8"QEL屏幕截图助手1.3.desktop"),
                               "keep.desktop.bak"};
    for (const QString& f : files) {
        QFile file(folder + "/" + f);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    // A name that would reach outside the folder is ignored.
    QFile outside(config.path() + "/escape.desktop");
    ASSERT_TRUE(outside.open(QIODevice::WriteOnly));
    outside.close();

    RemoveAutostartEntries({QString::fromUtf8(u8"QEL屏幕截图助手"), "missing", "../escape", ""});

    EXPECT_FALSE(QFile::exists(folder + "/" + files[0]));
    for (int i = 1; i < files.size(); ++i)
        EXPECT_TRUE(QFile::exists(folder + "/" + files[i]));
    EXPECT_TRUE(outside.exists());
    if (saved.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", saved);
}
