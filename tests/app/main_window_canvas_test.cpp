#include "app/main_window.h"
#include "capture/capture_state.h"
#include "common/image_control.h"
#include "common/speed_button.h"
#include "common/text_tables.h"
#include "edit/tool_type.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

#include <functional>

namespace {

QImage White(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// A main window in a private folder showing a white picture.
struct Canvas {
    QTemporaryDir dir;
    TFrmMain form{nullptr, dir.path()};

    Canvas() {
        form.showNormal();
        form.resize(1000, 700);
        form.ImgMain->setPicture(White(300, 200));
        setPen(QColor(255, 0, 0));
        ToolType = ttNone;
        QApplication::processEvents();
    }
    ~Canvas() { ToolType = ttNone; }

    void setPen(const QColor& color) {
        QPalette pal = form.MemoText->palette();
        pal.setColor(QPalette::Text, color);
        form.MemoText->setPalette(pal);
    }
    const QImage& picture() const { return form.ImgMain->picture(); }
    void drag(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(form.ImgMain, button, {}, from);
        QTest::mouseMove(form.ImgMain, (from + to) / 2);
        QTest::mouseMove(form.ImgMain, to);
        QTest::mouseRelease(form.ImgMain, button, {}, to);
    }
    void send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent e(type, at, form.ImgMain->mapToGlobal(at), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(form.ImgMain, &e);
    }
};

} // namespace

TEST(MainWindowCanvas, EveryShapeButtonDrawsItsFigureInThePenColour) {
    struct Case {
        SpeedButton* TFrmMain::*button;
        std::uint8_t tool;
        std::vector<QPoint> onFigure;
        std::vector<QPoint> offFigure;
    };
    // Dragged from (40,30) to (140,110), i.e. backwards for the box tools below.
    const std::vector<Case> cases = {
        {&TFrmMain::BtnAddRECT, ttRect, {{40, 30}, {139, 30}, {40, 109}, {90, 109}}, {{90, 70}}},
        {&TFrmMain::BtnAddCircle, ttCircle, {{90, 30}, {40, 70}, {139, 70}}, {{40, 30}, {90, 70}}},
        {&TFrmMain::BtnAddRoundRec, ttRoundRec, {{90, 30}, {40, 70}}, {{40, 30}, {90, 70}}},
        {&TFrmMain::BtnAddLine, ttLine, {{40, 30}, {90, 70}, {139, 109}}, {{140, 110}, {45, 30}}},
        {&TFrmMain::BtnAddSingleArrow, ttSingleArrow, {{40, 30}, {90, 70}, {49, 32}}, {{130, 107}}},
        {&TFrmMain::BtnAddDoubleArrow, ttDoubleArrow, {{40, 30}, {49, 32}, {130, 107}}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.tool));
        Canvas canvas;
        TFrmMain& form = canvas.form;
        (form.*c.button)->click();
        EXPECT_EQ(ToolType, c.tool);
        form.MemoText->show();
        const bool boxTool = c.tool == ttRect || c.tool == ttCircle || c.tool == ttRoundRec;
        if (boxTool)
            canvas.drag({140, 110}, {40, 30});
        else
            canvas.drag({40, 30}, {140, 110});
        EXPECT_EQ(ToolType, ttNone);
        EXPECT_TRUE(form.MemoText->isHidden());
        for (QPoint p : c.onFigure)
            EXPECT_EQ(canvas.picture().pixel(p), qRgb(255, 0, 0)) << p.x() << "," << p.y();
        for (QPoint p : c.offFigure)
            EXPECT_EQ(canvas.picture().pixel(p), qRgb(255, 255, 255)) << p.x() << "," << p.y();
    }

    // The pen is the text box's colour; the drag draws nothing the release does not erase.
    Canvas canvas;
    canvas.setPen(QColor(0, 0, 255));
    canvas.form.BtnAddRECT->click();
    QTest::mousePress(canvas.form.ImgMain, Qt::LeftButton, {}, {10, 10});
    QTest::mouseMove(canvas.form.ImgMain, {60, 50});
    EXPECT_EQ(canvas.picture().pixel(30, 10), qRgb(0, 0, 255));
    QTest::mouseMove(canvas.form.ImgMain, {20, 20});
    EXPECT_EQ(canvas.picture().pixel(30, 10), qRgb(255, 255, 255));
    QTest::mouseRelease(canvas.form.ImgMain, Qt::LeftButton, {}, {20, 20});
    EXPECT_EQ(canvas.picture().pixel(15, 10), qRgb(0, 0, 255));
    EXPECT_EQ(canvas.picture().pixel(19, 19), qRgb(0, 0, 255));
    EXPECT_EQ(canvas.picture().pixel(30, 10), qRgb(255, 255, 255));
}

TEST(MainWindowCanvas, RightButtonDrawsWithoutFeedbackAndBusyCaptureIgnoresTheMouse) {
    Canvas canvas;
    TFrmMain& form = canvas.form;
    form.BtnAddLine->click();
    canvas.send(QEvent::MouseButtonPress, {10, 10}, Qt::RightButton, Qt::RightButton);
    canvas.send(QEvent::MouseMove, {50, 10}, Qt::NoButton, Qt::RightButton);
    EXPECT_EQ(canvas.picture(), White(300, 200));
    canvas.send(QEvent::MouseButtonRelease, {50, 10}, Qt::RightButton, Qt::NoButton);
    // No move with the left button: the line ends where the press was.
    EXPECT_EQ(canvas.picture(), White(300, 200));
    EXPECT_EQ(ToolType, ttNone);

    form.BtnAddRECT->click();
    form.CaptureBusy = true;
    canvas.drag({10, 10}, {50, 50});
    EXPECT_EQ(canvas.picture(), White(300, 200));
    EXPECT_EQ(ToolType, ttRect);
    form.CaptureBusy = false;
}

TEST(MainWindowCanvas, TextToolPlacesTheBoxAndMovesShowThePictureInformation) {
    Canvas canvas;
    TFrmMain& form = canvas.form;
    const QSize initial = form.MemoText->size();
    ToolType = ttText;
    canvas.drag({150, 120}, {30, 40});
    EXPECT_EQ(ToolType, ttNone);
    EXPECT_FALSE(form.MemoText->isHidden());
    EXPECT_EQ(form.MemoText->geometry(), QRect(30, 40, 120, 80));
    EXPECT_EQ(canvas.picture(), White(300, 200));

    // A drag of 10 pixels or less leaves that side as it was.
    ToolType = ttText;
    canvas.drag({5, 6}, {15, 50});
    EXPECT_EQ(form.MemoText->geometry(), QRect(5, 6, 120, 44));
    ToolType = ttText;
    canvas.drag({7, 8}, {7, 8});
    EXPECT_EQ(form.MemoText->geometry(), QRect(7, 8, 120, 44));
    EXPECT_NE(initial, QSize(120, 44));

    // With no tool a move reports the picture's size and the mouse position.
    canvas.send(QEvent::MouseMove, {17, 23}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(form.PnlHint->text(),
              QString::asprintf(texts::TxtPictureInfo.toUtf8().constData(), 300, 200, 17, 23));
    // A press with no tool commits the text and marks the picture as the last place pressed.
    form.TextBoxClicked = true;
    canvas.send(QEvent::MouseButtonPress, {17, 23}, Qt::LeftButton, Qt::LeftButton);
    canvas.send(QEvent::MouseButtonRelease, {17, 23}, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(form.TextBoxClicked);
}

TEST(MainWindowCanvas, AreaSelectionCropsTheFrozenScreen) {
    Canvas canvas;
    TFrmMain& form = canvas.form;
    QImage screen(300, 200, QImage::Format_RGB32);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x)
            screen.setPixel(x, y, qRgb(x % 256, y, (x + y) % 256));
    form.ImgMain->setPicture(screen);

    // The drag hint follows the cursor and goes away at the first press.
    ToolType = ttAreaCut;
    form.AreaHintShown = true;
    form.PnlAreaCutHint->show();
    QCursor::setPos(form.ImgMain->mapToGlobal(QPoint(100, 80)));
    canvas.send(QEvent::MouseMove, {100, 80}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(form.PnlAreaCutHint->pos(),
              form.mapFromGlobal(form.ImgMain->mapToGlobal(QPoint(110, 60))));

    canvas.drag({120, 90}, {20, 10});
    EXPECT_FALSE(form.AreaHintShown);
    EXPECT_TRUE(form.PnlAreaCutHint->isHidden());
    EXPECT_EQ(ToolType, ttNone);
    EXPECT_EQ(canvas.picture(), screen.copy(20, 10, 100, 80));
    EXPECT_EQ(form.ImgMain->geometry(), QRect(0, 0, 100, 80));

    // In a continuous run the tool stays armed for the next capture and the window hides.
    ContinuousActive = true;
    ToolType = ttAreaCut;
    canvas.drag({10, 5}, {30, 25});
    ContinuousActive = false;
    EXPECT_EQ(ToolType, ttAreaCut);
    EXPECT_TRUE(form.isHidden());
    EXPECT_EQ(canvas.picture(), screen.copy(30, 15, 20, 20));

    // A press and release at one point leaves an empty picture.
    canvas.drag({5, 5}, {5, 5});
    EXPECT_TRUE(canvas.picture().isNull());
    EXPECT_EQ(form.ImgMain->size(), QSize(0, 0));
    EXPECT_EQ(ToolType, ttNone);
}
