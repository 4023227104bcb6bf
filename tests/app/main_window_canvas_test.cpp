#include "app/main_window.h"
#include "common/text_tables.h"
#include "support/controls.h"
#include "widgets/image_control.h"
#include "widgets/speed_button.h"
#include "widgets/tiled_panel.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

#include <functional>

namespace {

// The edit toolbar's button of that name; it fails the test when there is none.
SpeedButton* EditButton(const TFrmMain& form, const char* name) {
    auto* button = Control<TiledPanel>(form, "ImgFuntoolbar")
                       .findChild<SpeedButton*>(name, Qt::FindDirectChildrenOnly);
    EXPECT_NE(button, nullptr) << name;
    return button;
}

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
        Control<ImageControl>(form, "ImgMain").setPicture(White(300, 200));
        setPen(QColor(255, 0, 0));
        QApplication::processEvents();
    }

    void setPen(const QColor& color) {
        QPalette pal = Control<QTextEdit>(form, "MemoText").palette();
        pal.setColor(QPalette::Text, color);
        Control<QTextEdit>(form, "MemoText").setPalette(pal);
    }
    const QImage& picture() const { return Control<ImageControl>(form, "ImgMain").picture(); }
    void drag(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(&Control<ImageControl>(form, "ImgMain"), button, {}, from);
        QTest::mouseMove(&Control<ImageControl>(form, "ImgMain"), (from + to) / 2);
        QTest::mouseMove(&Control<ImageControl>(form, "ImgMain"), to);
        QTest::mouseRelease(&Control<ImageControl>(form, "ImgMain"), button, {}, to);
    }
    void send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent e(type, at, Control<ImageControl>(form, "ImgMain").mapToGlobal(at), button,
                      buttons, Qt::NoModifier);
        QApplication::sendEvent(&Control<ImageControl>(form, "ImgMain"), &e);
    }
};

} // namespace

TEST(MainWindowCanvas, EveryShapeButtonDrawsItsFigureInThePenColour) {
    struct Case {
        const char* button;
        void (TFrmMain::*handler)();
        std::uint8_t tool;
        std::vector<QPoint> onFigure;
        std::vector<QPoint> offFigure;
    };
    // Dragged from (40,30) to (140,110), i.e. backwards for the box tools below.
    const std::vector<Case> cases = {
        {"BtnAddRECT",
         &TFrmMain::BtnAddRECTClick,
         ttRect,
         {{40, 30}, {139, 30}, {40, 109}, {90, 109}},
         {{90, 70}}},
        {"BtnAddCircle",
         &TFrmMain::BtnAddCircleClick,
         ttCircle,
         {{90, 30}, {40, 70}, {139, 70}},
         {{40, 30}, {90, 70}}},
        {"BtnAddRoundRec",
         &TFrmMain::BtnAddRoundRecClick,
         ttRoundRec,
         {{90, 30}, {40, 70}},
         {{40, 30}, {90, 70}}},
        {"BtnAddLine",
         &TFrmMain::BtnAddLineClick,
         ttLine,
         {{40, 30}, {90, 70}, {139, 109}},
         {{140, 110}, {45, 30}}},
        {"BtnAddSingleArrow",
         &TFrmMain::BtnAddSingleArrowClick,
         ttSingleArrow,
         {{40, 30}, {90, 70}, {49, 32}},
         {{130, 107}}},
        {"BtnAddDoubleArrow",
         &TFrmMain::BtnAddDoubleArrowClick,
         ttDoubleArrow,
         {{40, 30}, {49, 32}, {130, 107}},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.tool));
        Canvas canvas;
        TFrmMain& form = canvas.form;
        // The handler the button runs arms the same tool.
        (form.*c.handler)();
        EXPECT_EQ(form.Tools().current(), c.tool);
        form.Tools().disarm();
        ASSERT_NE(EditButton(form, c.button), nullptr);
        EditButton(form, c.button)->click();
        EXPECT_EQ(form.Tools().current(), c.tool);
        Control<QTextEdit>(form, "MemoText").show();
        const bool boxTool = c.tool == ttRect || c.tool == ttCircle || c.tool == ttRoundRec;
        if (boxTool)
            canvas.drag({140, 110}, {40, 30});
        else
            canvas.drag({40, 30}, {140, 110});
        EXPECT_EQ(form.Tools().current(), ttNone);
        EXPECT_TRUE(Control<QTextEdit>(form, "MemoText").isHidden());
        for (QPoint p : c.onFigure)
            EXPECT_EQ(canvas.picture().pixel(p), qRgb(255, 0, 0)) << p.x() << "," << p.y();
        for (QPoint p : c.offFigure)
            EXPECT_EQ(canvas.picture().pixel(p), qRgb(255, 255, 255)) << p.x() << "," << p.y();
    }

    // The pen is the text box's colour; the drag draws nothing the release does not erase.
    Canvas canvas;
    canvas.setPen(QColor(0, 0, 255));
    EditButton(canvas.form, "BtnAddRECT")->click();
    QTest::mousePress(&Control<ImageControl>(canvas.form, "ImgMain"), Qt::LeftButton, {}, {10, 10});
    QTest::mouseMove(&Control<ImageControl>(canvas.form, "ImgMain"), {60, 50});
    EXPECT_EQ(canvas.picture().pixel(30, 10), qRgb(0, 0, 255));
    QTest::mouseMove(&Control<ImageControl>(canvas.form, "ImgMain"), {20, 20});
    EXPECT_EQ(canvas.picture().pixel(30, 10), qRgb(255, 255, 255));
    QTest::mouseRelease(&Control<ImageControl>(canvas.form, "ImgMain"), Qt::LeftButton, {},
                        {20, 20});
    EXPECT_EQ(canvas.picture().pixel(15, 10), qRgb(0, 0, 255));
    EXPECT_EQ(canvas.picture().pixel(19, 19), qRgb(0, 0, 255));
    EXPECT_EQ(canvas.picture().pixel(30, 10), qRgb(255, 255, 255));
}

TEST(MainWindowCanvas, RightButtonDrawsWithoutFeedback) {
    Canvas canvas;
    TFrmMain& form = canvas.form;
    EditButton(form, "BtnAddLine")->click();
    canvas.send(QEvent::MouseButtonPress, {10, 10}, Qt::RightButton, Qt::RightButton);
    canvas.send(QEvent::MouseMove, {50, 10}, Qt::NoButton, Qt::RightButton);
    EXPECT_EQ(canvas.picture(), White(300, 200));
    canvas.send(QEvent::MouseButtonRelease, {50, 10}, Qt::RightButton, Qt::NoButton);
    // No move with the left button: the line ends where the press was.
    EXPECT_EQ(canvas.picture(), White(300, 200));
    EXPECT_EQ(form.Tools().current(), ttNone);
}

TEST(MainWindowCanvas, TextToolPlacesTheBoxAndMovesShowThePictureInformation) {
    Canvas canvas;
    TFrmMain& form = canvas.form;
    const QSize initial = Control<QTextEdit>(form, "MemoText").size();
    form.Tools().arm(ttText);
    canvas.drag({150, 120}, {30, 40});
    EXPECT_EQ(form.Tools().current(), ttNone);
    EXPECT_FALSE(Control<QTextEdit>(form, "MemoText").isHidden());
    EXPECT_EQ(Control<QTextEdit>(form, "MemoText").geometry(), QRect(30, 40, 120, 80));
    EXPECT_EQ(canvas.picture(), White(300, 200));

    // A drag of 10 pixels or less leaves that side as it was.
    form.Tools().arm(ttText);
    canvas.drag({5, 6}, {15, 50});
    EXPECT_EQ(Control<QTextEdit>(form, "MemoText").geometry(), QRect(5, 6, 120, 44));
    form.Tools().arm(ttText);
    canvas.drag({7, 8}, {7, 8});
    EXPECT_EQ(Control<QTextEdit>(form, "MemoText").geometry(), QRect(7, 8, 120, 44));
    EXPECT_NE(initial, QSize(120, 44));

    // With no tool a move reports the picture's size and the mouse position.
    canvas.send(QEvent::MouseMove, {17, 23}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(
        Control<QLabel>(form, "PnlHint").text(),
        QString::asprintf(texts::Texts().TxtPictureInfo.toUtf8().constData(), 300, 200, 17, 23));
    // A press with no tool commits the text and marks the picture as the last place pressed.
    form.MemoTextMouseDown();
    ASSERT_TRUE(form.TextBoxWasClicked());
    canvas.send(QEvent::MouseButtonPress, {17, 23}, Qt::LeftButton, Qt::LeftButton);
    canvas.send(QEvent::MouseButtonRelease, {17, 23}, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(form.TextBoxWasClicked());
}

TEST(MainWindowCanvas, FiguresLandOnThePicturePixelUnderTheMouseWhenZoomed) {
    Canvas canvas;
    TFrmMain& form = canvas.form;
    // Twice the picture's size, stretched: the mouse at (81, 41) is over pixel (40, 20).
    Control<ImageControl>(form, "ImgMain").setAutoSize(false);
    Control<ImageControl>(form, "ImgMain").setStretch(true);
    Control<ImageControl>(form, "ImgMain").resize(600, 400);
    EditButton(form, "BtnAddLine")->click();
    canvas.drag({81, 41}, {161, 41});
    const QImage picture = canvas.picture();
    EXPECT_NE(picture.pixel(40, 20), qRgb(255, 255, 255));
    EXPECT_NE(picture.pixel(79, 20), qRgb(255, 255, 255));
    EXPECT_EQ(picture.pixel(81, 20), qRgb(255, 255, 255));
    EXPECT_EQ(picture.pixel(39, 20), qRgb(255, 255, 255));
    EXPECT_EQ(picture.pixel(60, 41), qRgb(255, 255, 255));

    // A position between pixels (a scaled desktop) belongs to the pixel it lies in.
    EXPECT_EQ(Control<ImageControl>(form, "ImgMain").pictureAt(QPointF(9.9, 9.4)), QPoint(4, 4));
    Control<ImageControl>(form, "ImgMain").setStretch(false);
    EXPECT_EQ(Control<ImageControl>(form, "ImgMain").pictureAt(QPointF(9.9, 9.4)), QPoint(9, 9));
    EXPECT_EQ(Control<ImageControl>(form, "ImgMain").pictureAt(QPointF(-0.5, 3)), QPoint(-1, 3));
}
