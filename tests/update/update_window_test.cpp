// The update window against a local HTTPS server: the version check, the download and its
// failures, and which addresses it refuses to fetch.
#include "common/text_tables.h"
#include "update/local_https_server.h"
#include "update/update_page.h"
#include "update/update_window.h"
#include "widgets/image_control.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <memory>

#include <gtest/gtest.h>

namespace {

const QString kLatest = QString::fromUtf8(u8"已经是最新版本");
const QString kPagePath = QStringLiteral("/update/gb/");
constexpr int kWaitMs = 20000;

QByteArray Page(const QString& content) {
    return ("<html><head><title>QEL</title></head><body><h1>" +
            QString::fromUtf8(u8"QEL屏幕截图助手 新版本") + "</h1>" + content + "</body></html>")
        .toUtf8();
}

QByteArray Marker() {
    return QByteArray("<!-- ") + UpdatePageMarker + " -->";
}

// An updater that notes how many parameters it got, padded so that it arrives in pieces.
QByteArray Updater() {
    QByteArray script = "#!/bin/sh\necho \"$#\" > \"$(dirname \"$0\")/started.txt\"\nexit 0\n";
    for (int i = 0; i < 8000; ++i)
        script += "# " + QByteArray(70, char('a' + i % 26)) + '\n';
    return script;
}

class UpdateWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(server.isRunning()) << server.error().toStdString();
        ASSERT_TRUE(folder.isValid());
        updateAddress = server.httpsBase() + kPagePath;
        // Message boxes are answered as a user would, and noted.
        watchMessages(&watcher);
    }

    void watchMessages(QTimer* timer) {
        timer->setInterval(20);
        QObject::connect(timer, &QTimer::timeout, [this] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(w);
                if (!box || !box->isVisible()) continue;
                messages << box->text();
                messagePositions << box->pos();
                box->accept();
            }
        });
        timer->start();
    }

    TFrmUpdate& open() {
        if (!window) {
            window = std::make_unique<TFrmUpdate>(nullptr, folder.path());
            window->UpdateAddress = updateAddress;
            window->AddCaCertificate(server.certificate());
        }
        window->show();
        return *window;
    }

    void servePage(const QByteArray& content) { server.serve("update/gb/index.html", content); }

    QStringList requestsFor(const QString& pathPart) const {
        return server.requests().filter(pathPart);
    }

    QStringList folderEntries() const {
        return QDir(folder.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    bool waitForMessage(int count = 1) {
        return QTest::qWaitFor([&] { return messages.size() >= count; }, kWaitMs);
    }

    LocalHttpsServer server;
    // The update page the window fetches: the local server's.
    QString updateAddress;
    QTemporaryDir folder;
    QTimer watcher;
    QStringList messages;
    QList<QPoint> messagePositions;
    std::unique_ptr<TFrmUpdate> window;
};

TEST_F(UpdateWindowTest, SameOrSlightlyHigherVersionIsTheLatest) {
    servePage(Page(Marker() + "softversion_3.31_softversion softurl_" +
                   server.httpsBase().toUtf8() + "/files/updater.bin_softurl"));
    server.serve("files/updater.bin", Updater());
    TFrmUpdate& w = open();
    const QPoint messageAt = w.pos() + QPoint(80, 30);
    ASSERT_TRUE(waitForMessage());
    EXPECT_EQ(messages, QStringList{kLatest});
    EXPECT_EQ(messagePositions.value(0), messageAt);
    EXPECT_FLOAT_EQ(w.PublishedVersion, 3.31f);
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.isHidden(); }, kWaitMs));
    // The page was shown over the panel.
    EXPECT_TRUE(w.Image1->isHidden());
    EXPECT_EQ(w.WebBrowser1->geometry(),
              QRect(-2, -2, w.PnlMain->width() + 4, w.PnlMain->height() + 4));
    EXPECT_TRUE(w.WebBrowser1->toPlainText().contains(QString::fromUtf8(u8"新版本")));

    // Opening the window again checks again.
    open();
    ASSERT_TRUE(waitForMessage(2));
    EXPECT_EQ(requestsFor(kPagePath).size(), 2);
    EXPECT_TRUE(requestsFor("/files/").isEmpty());
    EXPECT_TRUE(folderEntries().isEmpty());
}

TEST_F(UpdateWindowTest, NewerVersionIsDownloadedAndStarted) {
    const QByteArray updater = Updater();
    server.serve("files/updater.bin", updater);
    // Everything on the page counts in lower case, the address too.
    servePage(Page(Marker() + "SoftVersion_3.32_SoftVersion <p>SOFTURL_" +
                   server.httpsBase().toUtf8() + "/FILES/UPDATER.BIN_SOFTURL</p>"));
    TFrmUpdate& w = open();
    QList<int> progress;
    QObject::connect(w.ProgressBar1, &QProgressBar::valueChanged,
                     [&](int value) { progress << value; });

    ASSERT_TRUE(QTest::qWaitFor([&] { return w.SpeedButton3->isVisibleTo(&w); }, kWaitMs))
        << w.LblHint->text().toStdString();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(w.LblHint->text(), QString::fromUtf8(u8"更新完成，关闭后将自动重启软件"));
    EXPECT_EQ(w.DownloadAddress, server.httpsBase() + "/files/updater.bin");
    EXPECT_EQ(requestsFor("/files/"), QStringList{"https /files/updater.bin"});
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_EQ(w.ProgressBar1->maximum(), updater.size());
    EXPECT_EQ(progress.last(), updater.size());

    const QString target = folder.filePath("update.exe");
    EXPECT_EQ(folderEntries(), QStringList{"update.exe"});
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), updater);
    EXPECT_TRUE(QFileInfo(target).isExecutable());

    // The restart button starts the updater without parameters.
    QTest::mouseClick(w.SpeedButton3, Qt::LeftButton);
    const QString started = folder.filePath("started.txt");
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo(started).size() > 0; }, kWaitMs));
    QFile note(started);
    ASSERT_TRUE(note.open(QIODevice::ReadOnly));
    EXPECT_EQ(note.readAll(), "0\n");
}

TEST_F(UpdateWindowTest, PageWithoutTheMarkerIsNeverRead) {
    server.serve("files/updater.bin", Updater());
    servePage(Page("softversion_9.9_softversion softurl_" + server.httpsBase().toUtf8() +
                   "/files/updater.bin_softurl"));
    TFrmUpdate& w = open();
    ASSERT_TRUE(waitForMessage());
    EXPECT_EQ(messages, QStringList{kLatest});
    EXPECT_EQ(w.PublishedVersion, 0.0f);
    EXPECT_TRUE(w.DownloadAddress.isEmpty());
    EXPECT_FALSE(w.Image1->isHidden());
    EXPECT_TRUE(requestsFor("/files/").isEmpty());
}

TEST_F(UpdateWindowTest, PlainHttpDownloadAddressIsRefused) {
    server.serve("files/updater.bin", Updater());
    servePage(Page(Marker() + "softversion_3.5_softversion softurl_" + server.httpBase().toUtf8() +
                   "/files/updater.bin_softurl"));
    TFrmUpdate& w = open();
    ASSERT_TRUE(waitForMessage());
    EXPECT_EQ(messages, QStringList{kLatest});
    EXPECT_FLOAT_EQ(w.PublishedVersion, 3.5f);
    EXPECT_EQ(w.DownloadAddress, server.httpBase() + "/files/updater.bin");
    EXPECT_EQ(server.requests(), QStringList{"https " + kPagePath});
    EXPECT_TRUE(folderEntries().isEmpty());
}

TEST_F(UpdateWindowTest, BrokenOrCancelledDownloadLeavesNoUpdater) {
    server.serve("files/big.bin", Updater());
    servePage(Page(Marker() + "softversion_3.4_softversion softurl_" + server.httpsBase().toUtf8() +
                   "/half/files/big.bin_softurl"));
    TFrmUpdate& w = open();
    const QString failed = QString::fromUtf8(u8"更新下载失败，请稍后再试");
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.LblHint->text() == failed; }, kWaitMs))
        << w.LblHint->text().toStdString();
    EXPECT_EQ(requestsFor("/files/"), QStringList{"https /half/files/big.bin"});
    EXPECT_TRUE(folderEntries().isEmpty()) << folderEntries().join(' ').toStdString();
    EXPECT_TRUE(w.SpeedButton3->isHidden());
    EXPECT_TRUE(messages.isEmpty());

    // Closing the window while the file arrives stops the download.
    w.close();
    servePage(Page(Marker() + "softversion_3.4_softversion softurl_" + server.httpsBase().toUtf8() +
                   "/stall/files/big.bin_softurl"));
    open();
    const int size = int(Updater().size());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return !requestsFor("/stall/").isEmpty() && w.ProgressBar1->maximum() == size &&
                   w.ProgressBar1->value() > 0;
        },
        kWaitMs))
        << server.requests().join(' ').toStdString() << ' ' << w.LblHint->text().toStdString()
        << ' ' << w.ProgressBar1->value() << '/' << w.ProgressBar1->maximum();
    w.close();
    EXPECT_EQ(w.LblHint->text(), QString::fromUtf8(u8"已取消更新下载"));
    EXPECT_TRUE(folderEntries().isEmpty()) << folderEntries().join(' ').toStdString();
    EXPECT_TRUE(w.SpeedButton3->isHidden());
}

TEST_F(UpdateWindowTest, NoUpdateAddress) {
    // Unless told otherwise the window fetches the address of the interface texts.
    EXPECT_EQ(TFrmUpdate(nullptr, folder.path()).UpdateAddress, texts::Texts().UrlUpdate);
    updateAddress.clear();
    TFrmUpdate& w = open();
    ASSERT_TRUE(waitForMessage());
    EXPECT_EQ(messages, QStringList{"QELSoftCOMUpdate is null"});
    // No page arrives, so nothing further happens.
    QTest::qWait(300);
    EXPECT_EQ(messages.size(), 1);
    EXPECT_FALSE(w.isHidden());
    EXPECT_TRUE(server.requests().isEmpty());
}

} // namespace
