// The settings file as the main window reads it at start and writes it at exit.
#include "app/hotkey_table.h"
#include "app/main_window.h"
#include "support/controls.h"
#include "support/forked_child.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace {

void WriteFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(data), data.size());
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList Lines(const QString& path) {
    return QString::fromUtf8(ReadFile(path)).split('\n', Qt::SkipEmptyParts);
}

// What the process writes to stderr while it lives.
class StderrCapture {
  public:
    StderrCapture() {
        file_.open();
        std::fflush(stderr);
        saved_ = ::dup(2);
        ::dup2(file_.handle(), 2);
    }
    ~StderrCapture() { restore(); }
    QString text() {
        restore();
        file_.seek(0);
        return QString::fromLocal8Bit(file_.readAll());
    }

  private:
    void restore() {
        if (saved_ < 0) return;
        std::fflush(stderr);
        ::dup2(saved_, 2);
        ::close(saved_);
        saved_ = -1;
    }
    QTemporaryFile file_;
    int saved_ = -1;
};

const QByteArray kHotkeys = "[hotkey]\nhotkey1_1=Ctrl\nhotkey1_2=Alt\nhotkey1_3=Q\n";

} // namespace

TEST(MainWindowSettings, AUtf16FileIsReadAndWrittenBackWholeInUtf8) {
    QTemporaryDir dir;
    const QString appDir = dir.path() + "/";
    const QString ini = appDir + "defualt.ini";
    ASSERT_TRUE(QDir(appDir).mkpath(QString::fromUtf8(u8"截图")));
    const QString pics = appDir + QString::fromUtf8(u8"截图/");
    const QString text = "; " + QString::fromUtf8(u8"注释") + "\r\n[default]\r\nPicPath=" + pics +
                         "\r\nCurPicName=" + pics + "gone.png\r\n" + QString::fromUtf8(kHotkeys);
    QStringEncoder utf16(QStringEncoder::Utf16LE);
    WriteFile(ini, "\xFF\xFE" + QByteArray(utf16.encode(text)));
    {
        TFrmMain form(nullptr, dir.path());
        EXPECT_EQ(Control<QLineEdit>(form, "EdtPicPath").text(), pics);
        EXPECT_EQ(form.Context().hotkeys.table[0], (HotkeyRow{"Ctrl", "Alt", "Q"}));
    }
    const QByteArray saved = ReadFile(ini);
    const QStringList lines = QString::fromUtf8(saved).split('\n', Qt::SkipEmptyParts);
    EXPECT_FALSE(saved.contains('\0'));
    EXPECT_EQ(lines.value(0), "; " + QString::fromUtf8(u8"注释"));
    EXPECT_TRUE(lines.contains("PicPath=" + pics));
    EXPECT_TRUE(lines.contains("hotkey1_2=Alt"));
    EXPECT_TRUE(lines.contains("hotkey1_3=Q"));
    EXPECT_EQ(lines.count("[default]"), 1);
}

TEST(MainWindowSettings, AtExitTheFileAsItIsThenTakesTheProgramsKeys) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("defualt.ini");
    WriteFile(ini, "[default]\nPicName=PIC\nAutoSavePre=\n" + kHotkeys);
    auto form = std::make_unique<TFrmMain>(nullptr, dir.path());
    // While the program runs the user adds notes, a key and a section of another program.
    WriteFile(ini, "; notes of the user\n[default]\nPicName=PIC\nAutoSavePre=\nTheirKey=kept\n"
                   "[other program]\nkey=value\n" +
                       kHotkeys);
    form->Settings().autoSavePre = "shot";
    form.reset();
    const QStringList lines = Lines(ini);
    EXPECT_EQ(lines.value(0), "; notes of the user");
    EXPECT_TRUE(lines.contains("TheirKey=kept"));
    EXPECT_TRUE(lines.contains("[other program]"));
    EXPECT_TRUE(lines.contains("key=value"));
    EXPECT_TRUE(lines.contains("AutoSavePre=shot"));
    EXPECT_TRUE(lines.contains("hotkey1_3=Q"));
    EXPECT_EQ(lines.count("[default]"), 1);
    EXPECT_EQ(lines.count("[hotkey]"), 1);
}

TEST(MainWindowSettings, AFailedSaveAtExitKeepsTheFileAndSaysSoOnStderr) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("defualt.ini");
    const QByteArray old = "; hotkeys of the user\n" + kHotkeys;
    WriteFile(ini, old);
    auto form = std::make_unique<TFrmMain>(nullptr, dir.path());
    form->Settings().autoSavePre = QString(4000, u's');
    // Closed under a file-size limit, as on a full disk.
    const int rc = RunWithFileSizeLimit(old.size() + 100, [&] {
        StderrCapture err;
        form.reset();
        const QString said = err.text();
        return said.contains(ini) && said.contains(qt_error_string(EFBIG)) && said.count('\n') == 1
                   ? 0
                   : 2;
    });
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(ReadFile(ini), old);
    EXPECT_TRUE(QDir(dir.path()).entryList({".*"}, QDir::Files | QDir::Hidden).isEmpty());

    // A folder in the file's place.
    QFile::remove(ini);
    ASSERT_TRUE(QDir(dir.path()).mkdir("defualt.ini"));
    StderrCapture err;
    form.reset(new TFrmMain(nullptr, dir.path()));
    form.reset();
    const QString said = err.text();
    EXPECT_TRUE(said.contains(ini)) << said.toStdString();
    EXPECT_TRUE(said.contains(qt_error_string(EISDIR))) << said.toStdString();
    EXPECT_TRUE(QFileInfo(ini).isDir());
}
