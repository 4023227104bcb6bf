#include "platform/atomic_file.h"
#include "support/folder_entries.h"
#include "support/forked_child.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void Write(const QString& path, const QByteArray& data) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(data), data.size());
}

// Write for the child processes, where an assertion would go unseen.
bool Put(const QString& path, const QByteArray& data) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

mode_t ModeOf(const QString& path) {
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 07777;
}

} // namespace

TEST(AtomicFile, ReplacesTheFileWholeOnlyOnCommit) {
    QTemporaryDir dir;
    const QString path = dir.filePath("defualt.ini");
    Write(path, "old");
    ::chmod(QFile::encodeName(path).constData(), 0640);
    {
        AtomicFile file(path);
        ASSERT_TRUE(file.open());
        ASSERT_EQ(file.write("new contents"), 12);
        // Until the commit the data has no name: the folder shows the old file alone.
        EXPECT_EQ(FolderEntries(dir.path()), QStringList{"defualt.ini"});
        EXPECT_EQ(Read(path), "old");
        ASSERT_TRUE(file.commit());
    }
    EXPECT_EQ(Read(path), "new contents");
    EXPECT_EQ(ModeOf(path), mode_t(0640));
    EXPECT_EQ(FolderEntries(dir.path()), QStringList{"defualt.ini"});

    // A symbolic link is followed: the file it names is replaced, the link stays.
    Write(dir.filePath("real.ini"), "real");
    ASSERT_TRUE(QFile::link(dir.filePath("real.ini"), dir.filePath("link.ini")));
    AtomicFile viaLink(dir.filePath("link.ini"));
    ASSERT_TRUE(viaLink.open());
    viaLink.write("through the link");
    ASSERT_TRUE(viaLink.commit());
    EXPECT_EQ(Read(dir.filePath("real.ini")), "through the link");
    EXPECT_TRUE(QFileInfo(dir.filePath("link.ini")).isSymLink());

    // A folder in the file's place is not replaced, and nothing is left over.
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.ini"));
    AtomicFile overFolder(dir.filePath("folder.ini"));
    ASSERT_TRUE(overFolder.open());
    overFolder.write("x");
    EXPECT_FALSE(overFolder.commit());
    EXPECT_NE(overFolder.systemError(), 0);
    EXPECT_TRUE(QFileInfo(dir.filePath("folder.ini")).isDir());
    EXPECT_EQ(FolderEntries(dir.path()),
              QStringList({"defualt.ini", "folder.ini", "link.ini", "real.ini"}));

    // A missing folder fails at once, with the system's reason.
    AtomicFile nowhere(dir.filePath("no/such/a.ini"));
    EXPECT_FALSE(nowhere.open());
    EXPECT_EQ(nowhere.systemError(), ENOENT);
    EXPECT_FALSE(nowhere.errorString().isEmpty());
}

TEST(AtomicFile, AbandonedAndFailedWritesLeaveTheOldFileAndNothingElse) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.ini");
    Write(path, "old");
    {
        AtomicFile dropped(path);
        ASSERT_TRUE(dropped.open());
        dropped.write("never committed");
    }
    AtomicFile cancelled(path);
    ASSERT_TRUE(cancelled.open());
    cancelled.write("cancelled");
    cancelled.cancel();
    EXPECT_FALSE(cancelled.commit());
    EXPECT_EQ(Read(path), "old");
    EXPECT_EQ(FolderEntries(dir.path()), QStringList{"a.ini"});

    // A file-size limit makes a write fall short and then fail; the commit refuses even
    // when the writer did not look at the write's result.
    const int rc = RunWithFileSizeLimit(16, [&] {
        AtomicFile file(path);
        if (!file.open()) return 2;
        if (file.write(QByteArray(100, 'x')) != -1) return 3;
        file.write("more");
        if (file.commit()) return 4;
        return file.systemError() == EFBIG ? 0 : 5;
    });
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(Read(path), "old");
    EXPECT_EQ(FolderEntries(dir.path()), QStringList{"a.ini"});
}

TEST(AtomicFile, NewNamesNeverReplaceAnything) {
    QTemporaryDir dir;
    const QString taken = dir.filePath("1.png");
    Write(taken, "someone else's");
    ASSERT_TRUE(QDir(dir.path()).mkdir("2.png"));
    const mode_t mask = ::umask(027);
    AtomicFile file(taken);
    ASSERT_TRUE(file.open());
    file.write("picture");
    EXPECT_FALSE(file.commitNew(taken));
    EXPECT_TRUE(file.nameTaken());
    EXPECT_FALSE(file.commitNew(dir.filePath("2.png")));
    EXPECT_TRUE(file.nameTaken());
    // The data stays ready for the next name.
    ASSERT_TRUE(file.commitNew(dir.filePath("3.png")));
    ::umask(mask);
    EXPECT_FALSE(file.nameTaken());
    EXPECT_EQ(Read(taken), "someone else's");
    EXPECT_EQ(Read(dir.filePath("3.png")), "picture");
    // An ordinary new file of the user's: read and write as the umask allows.
    EXPECT_EQ(ModeOf(dir.filePath("3.png")), mode_t(0640));
    EXPECT_EQ(FolderEntries(dir.path()), QStringList({"1.png", "2.png", "3.png"}));
}

TEST(AtomicFile, KilledDuringTheWriteLeavesNothingBehind) {
    QTemporaryDir dir;
    const QString path = dir.filePath("defualt.ini");
    Write(path, "old");
    ForkedChild child([&] {
        AtomicFile file(path);
        if (!file.open() || file.write(QByteArray(100000, 'n')) != 100000) return 2;
        ForkedChild::mark();
        ::pause();
        return 3;
    });
    ASSERT_TRUE(child.waitForMark());
    child.kill(SIGKILL);
    EXPECT_EQ(child.wait(), 128 + SIGKILL);
    EXPECT_EQ(Read(path), "old");
    EXPECT_EQ(FolderEntries(dir.path()), QStringList{"defualt.ini"});
}

TEST(AtomicFile, FullDiskKeepsTheOldFile) {
    QTemporaryDir dir;
    const int rc = RunOnSmallTmpfs(dir.path(), 64 * 1024, [&] {
        const QString path = dir.filePath("defualt.ini");
        if (!Put(path, "[S]\nK=old\n") || !FillFileSystem(dir.path())) return 2;
        AtomicFile file(path);
        // The file without a name takes no space until written.
        if (!file.open()) return 3;
        file.write(QByteArray(3000, 'k'));
        if (file.commit() || file.systemError() != ENOSPC) return 4;
        if (Read(path) != "[S]\nK=old\n") return 5;
        return FolderEntries(dir.path()) == QStringList({"defualt.ini", "filler"}) ? 0 : 6;
    });
    if (rc < 0) GTEST_SKIP() << "no private mounts here (needs root)";
    EXPECT_EQ(rc, 0);
}

TEST(AtomicFile, WithoutProcTheDataGoesThroughAHiddenTemporaryName) {
    // Without /proc a file without a name cannot be given one: the hidden temporary file
    // takes its place, and it is gone again after a commit or a cancel.
    QTemporaryDir dir;
    const int rc = RunOnSmallTmpfs(QStringLiteral("/proc"), 4096, [&] {
        const QString path = dir.filePath("a.ini");
        AtomicFile file(path);
        if (!Put(path, "old") || !file.open()) return 2;
        file.write("new");
        QStringList during = FolderEntries(dir.path());
        if (!during.removeOne("a.ini") || during.size() != 1 || !IsAtomicFileTempName(during[0]))
            return 3;
        if (!file.commit() || Read(path) != "new") return 4;
        AtomicFile fresh(path);
        if (!fresh.open()) return 5;
        fresh.write("other");
        if (fresh.commitNew(path) || !fresh.nameTaken()) return 6;
        if (!fresh.commitNew(dir.filePath("b.ini")) || Read(dir.filePath("b.ini")) != "other")
            return 7;
        AtomicFile dropped(path);
        if (!dropped.open()) return 8;
        dropped.cancel();
        return FolderEntries(dir.path()) == QStringList({"a.ini", "b.ini"}) ? 0 : 9;
    });
    if (rc < 0) GTEST_SKIP() << "no private mounts here (needs root)";
    EXPECT_EQ(rc, 0);
}

TEST(AtomicFile, TemporaryNamesAreRecognised) {
    for (const char* name : {".qelshot-AbC123.png", ".qelshot-000000.tmp", ".qelshot-zzzzzz.jpg"})
        EXPECT_TRUE(IsAtomicFileTempName(name)) << name;
    for (const char* name : {"qelshot-AbC123.png", ".qelshot-AbC12.png", ".qelshot-AbC1234.png",
                             ".qelshot-AbC123.png.png", ".qelshot-AbC_23.png", "1.png"})
        EXPECT_FALSE(IsAtomicFileTempName(name)) << name;
}
