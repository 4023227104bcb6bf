// The order of a capture's steps, with a grabber that hands out prepared pictures and a host
// that records what it is asked to do; no display needed.
#include "capture/capture_session.h"
#include "capture/capture_toolbar.h"
#include "capture/frozen_screen.h"
#include "support/fake_capture.h"

#include <QCoreApplication>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Every pixel's colour tells its position.
QImage Pattern(QSize size = QSize(200, 150)) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x, y, 7));
    return image;
}

} // namespace

TEST(CaptureSession, DirectCapturesRunTheirStepsInOrder) {
    {
        RecordingHost host;
        CaptureSession session(host,
                               std::make_unique<FakeGrabber>(host.log, QList<QImage>{Pattern()}));
        session.captureDirect(CaptureMode::Window);
        EXPECT_EQ(host.log, QStringList({"hide", "wait 500 after events", "grab 1", "watermark",
                                         "take", "show as before", "clipboard", "save", "list"}));
        // What is shown, copied and saved is the watermarked grab.
        ASSERT_EQ(host.savedPictures.size(), 1);
        EXPECT_EQ(host.savedPictures[0].pixel(0, 0), qRgb(1, 2, 3));
        EXPECT_EQ(host.savedPictures[0].pixel(150, 100), qRgb(150, 100, 7));
        EXPECT_EQ(host.copied, host.savedPictures[0]);
        EXPECT_EQ(host.shown, host.savedPictures[0]);
    }
    {
        // Continuous mode: copied and saved at once, then the window as it was; no list.
        RecordingHost host;
        host.continuous = true;
        CaptureSession session(host,
                               std::make_unique<FakeGrabber>(host.log, QList<QImage>{Pattern()}));
        session.captureDirect(CaptureMode::ClientArea);
        EXPECT_EQ(host.log, QStringList({"hide", "wait 500 after events", "grab 2", "watermark",
                                         "take", "clipboard", "save", "show as before"}));
    }
    {
        // The clipboard toggle off; a hidden window stays hidden in continuous mode.
        RecordingHost host;
        host.clipboard = false;
        host.continuous = true;
        host.visible = false;
        CaptureSession session(host,
                               std::make_unique<FakeGrabber>(host.log, QList<QImage>{Pattern()}));
        session.captureDirect(CaptureMode::Screen);
        EXPECT_EQ(host.log, QStringList({"hide", "wait 500 after events", "grab 0", "watermark",
                                         "take", "save"}));
    }
    {
        // Nothing to grab: the window comes back, nothing is taken or saved.
        RecordingHost host;
        CaptureSession session(host, std::make_unique<FakeGrabber>(host.log, QList<QImage>{}));
        session.captureDirect(CaptureMode::Window);
        EXPECT_EQ(host.log,
                  QStringList({"hide", "wait 500 after events", "grab 1", "show as before"}));
    }
}

TEST(CaptureSession, AreaCaptureSavesExactlyTheDraggedRectangle) {
    RecordingHost host;
    auto* grabber = new FakeGrabber(host.log, {Pattern(), Pattern()});
    CaptureSession session(host, std::unique_ptr<ScreenGrabber>(grabber));
    // Hotkeys and a second capture wait while the screen is being grabbed.
    grabber->duringWait = [&] {
        EXPECT_TRUE(session.busy());
        session.hotkey(1);
        session.startArea();
    };
    session.startArea();
    grabber->duringWait = nullptr;
    EXPECT_FALSE(session.busy());
    EXPECT_EQ(host.log,
              QStringList({"hide", "wait 600", "grab 0", "take", "unregister", "register"}));
    // The grab is shown frozen, with the drag hint, and is the main picture meanwhile.
    ASSERT_TRUE(session.frozen());
    EXPECT_TRUE(session.frozenScreen()->isVisible());
    EXPECT_TRUE(session.frozenScreen()->hintShown());
    EXPECT_EQ(host.shown, Pattern());
    host.log.clear();

    // A click without a drag keeps the screen frozen.
    session.frozenScreen()->press(QPoint(20, 20));
    session.frozenScreen()->release(QPoint(20, 20));
    EXPECT_TRUE(session.frozen());
    EXPECT_TRUE(host.log.isEmpty());

    // Dragged backwards: the rectangle is put in order.
    FrozenScreen* frozen = session.frozenScreen();
    frozen->press(QPoint(110, 90));
    frozen->move(QPoint(80, 60), true);
    frozen->move(QPoint(60, 40), true);
    frozen->release(QPoint(60, 40));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(session.frozen());
    EXPECT_EQ(host.log, QStringList({"unregister", "watermark", "take", "show normal", "clipboard",
                                     "save", "list"}));
    ASSERT_EQ(host.savedPictures.size(), 1);
    const QImage saved = host.savedPictures[0];
    EXPECT_EQ(saved.size(), QSize(50, 50));
    // No trace of the rubber band: every pixel but the watermark's is the screen's.
    int wrong = 0;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x)
            if ((x || y) && saved.pixel(x, y) != qRgb(60 + x, 40 + y, 7)) ++wrong;
    EXPECT_EQ(wrong, 0);

    // A hotkey conflict is reported, and the capture goes on.
    host.hotkeysFree = false;
    host.log.clear();
    session.startArea();
    EXPECT_TRUE(host.log.contains("conflict"));
    EXPECT_TRUE(session.frozen());
}

TEST(CaptureSession, EveryWayOutOfAnAreaCaptureEndsIt) {
    RecordingHost host;
    auto* grabber = new FakeGrabber(host.log, QList<QImage>(8, Pattern()));
    CaptureSession session(host, std::unique_ptr<ScreenGrabber>(grabber));
    const QStringList gaveUp = {"unregister", "show normal"};

    session.startArea();
    ASSERT_TRUE(session.frozen());
    host.log.clear();
    QTest::keyClick(session.frozenScreen()->windows().first(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(session.frozen());
    EXPECT_EQ(host.log, gaveUp) << "Esc";

    session.startArea();
    host.log.clear();
    session.hotkey(5);
    EXPECT_FALSE(session.frozen());
    EXPECT_EQ(host.log, gaveUp) << "hotkey 5";

    // The window manager closes the frozen screen.
    session.startArea();
    host.log.clear();
    session.frozenScreen()->windows().first()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(session.frozen());
    EXPECT_EQ(host.log, gaveUp) << "closed";

    // A full-screen hotkey ends the area capture with its own capture.
    session.startArea();
    host.log.clear();
    session.hotkey(1);
    EXPECT_FALSE(session.frozen());
    EXPECT_EQ(host.log,
              QStringList({"hide", "wait 500 after events", "grab 0", "unregister", "watermark",
                           "take", "show as before", "clipboard", "save", "list"}));
    EXPECT_EQ(host.savedPictures.last().size(), Pattern().size());

    // In continuous mode it is saved at once and the screen stays frozen.
    host.continuous = true;
    session.startArea();
    host.log.clear();
    session.hotkey(1);
    EXPECT_TRUE(session.frozen());
    EXPECT_TRUE(session.frozenScreen()->isVisible());
    EXPECT_EQ(host.log, QStringList({"hide", "wait 500 after events", "grab 0", "watermark", "take",
                                     "clipboard", "save"}));
}

TEST(CaptureSession, ContinuousRunSavesEveryAreaToTheToolbarUntilItCloses) {
    RecordingHost host;
    host.continuous = true;
    auto* grabber = new FakeGrabber(host.log, QList<QImage>(4, Pattern()));
    CaptureSession session(host, std::unique_ptr<ScreenGrabber>(grabber));
    session.startArea();
    session.startRun();
    ASSERT_NE(session.toolbar(), nullptr);
    EXPECT_TRUE(session.runActive());
    EXPECT_TRUE(session.toolbar()->isVisible());

    for (int i = 0; i < 3; ++i) {
        if (i > 0) session.hotkey(4);
        ASSERT_TRUE(session.frozen());
        host.log.clear();
        FrozenScreen* frozen = session.frozenScreen();
        frozen->press(QPoint(10, 10));
        frozen->move(QPoint(40 + i, 30), true);
        frozen->release(QPoint(40 + i, 30));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // Saved, listed in the toolbar; the window stays hidden, the hotkeys hold and
        // nothing goes to the clipboard.
        EXPECT_FALSE(session.frozen());
        EXPECT_EQ(host.log, QStringList({"watermark", "take", "save"}));
        EXPECT_FALSE(host.visible);
    }
    ASSERT_EQ(session.toolbar()->LbImgs->count(), 3);
    EXPECT_EQ(session.toolbar()->LbImgs->item(2)->text(), "3.png");
    EXPECT_EQ(host.savedPictures[2].size(), QSize(32, 20));

    // Closing the toolbar ends the run and brings the window back.
    host.log.clear();
    session.toolbar()->close();
    EXPECT_FALSE(session.runActive());
    EXPECT_EQ(host.log, QStringList({"unregister", "show normal"}));
    session.clearSavedList();
    EXPECT_EQ(session.toolbar()->LbImgs->count(), 0);
}
