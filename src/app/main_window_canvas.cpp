// The canvas tools of the main window: the mouse on the picture, the shape buttons, the
// placing of the text box and the crop that ends an area capture.
#include "app/main_window.h"

#include "app/edit_toolbar.h"
#include "app/hint_bar.h"
#include "app/picture_area.h"

#include "common/guard.h"
#include "common/text_tables.h"
#include "edit/canvas_tool_engine.h"
#include "edit/shown_picture.h"
#include "widgets/image_control.h"
#include "widgets/speed_button.h"
#include "widgets/tiled_panel.h"

#include <QCursor>
#include <QLabel>
#include <QMouseEvent>
#include <QTextEdit>

namespace {

// Hands the mouse events of the picture control to the window's handlers and owns the
// engine behind them. Never consumes an event.
class CanvasMouseHook : public QObject {
  public:
    CanvasMouseHook(TFrmMain* form, ImageControl* image, const DragPoints& points)
        : QObject(form), form_(form), image_(image), engine_(points) {}

    CanvasToolEngine& engine() { return engine_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != image_) return false;
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
            type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
            return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint at = image_->pictureAt(mouse->position());
        // A double click is a second press.
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)
            form_->ImgMainMouseDown(mouse->button(), mouse->modifiers(), at.x(), at.y());
        else if (type == QEvent::MouseMove)
            form_->ImgMainMouseMove(mouse->buttons(), mouse->modifiers(), at.x(), at.y());
        else
            form_->ImgMainMouseUp(mouse->button(), mouse->modifiers(), at.x(), at.y());
        return false;
    }

  private:
    TFrmMain* form_;
    ImageControl* image_;
    CanvasToolEngine engine_;
};

// The annotation colour: the text colour of the text box is the pen of every shape.
QRgb PenColor(const QTextEdit& textBox) {
    return textBox.palette().color(QPalette::Text).rgb();
}

// Drawing may convert the picture to a format it can draw on; it is still the displayed
// picture, which the save command may write back to its file.
void KeepShownPicture(ShownPicture* shown, ImageControl& image) {
    if (shown) shown->keep(image.picture());
}

} // namespace

void TFrmMain::ConnectCanvasHandlers() {
    auto* hook = new CanvasMouseHook(this, Picture(), DragPoints{StartX, StartY, EndX, EndY});
    FCanvasEngine = &hook->engine();
    Picture()->installEventFilter(hook);
    // Moves without a button show the picture information.
    Picture()->setMouseTracking(true);
}

void TFrmMain::ArmTool(std::uint8_t tool) {
    FTools.arm(tool);
}

SpeedButton* TFrmMain::ToolButton(std::uint8_t tool) const {
    return FEditToolbar->toolButton(tool);
}

void TFrmMain::BtnAddRECTClick() {
    ArmTool(ttRect);
}

void TFrmMain::BtnAddCircleClick() {
    ArmTool(ttCircle);
}

void TFrmMain::BtnAddLineClick() {
    ArmTool(ttLine);
}

void TFrmMain::BtnAddRoundRecClick() {
    ArmTool(ttRoundRec);
}

void TFrmMain::BtnAddSingleArrowClick() {
    ArmTool(ttSingleArrow);
}

void TFrmMain::BtnAddDoubleArrowClick() {
    ArmTool(ttDoubleArrow);
}

void TFrmMain::ImgMainMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
    Guarded([&] {
        TextBoxClicked = false;
        if (!FTools.armed()) {
            // A press beside the text box commits it.
            BtnAddTextOkClick();
            return;
        }
        if (FCanvasEngine)
            FCanvasEngine->press(FTools.current(), QPoint(x, y), PenColor(*TextBox()));
    });
}

void TFrmMain::ImgMainMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers, int x, int y) {
    Guarded([&] {
        if (!FTools.armed()) {
            const QImage& picture = Picture()->picture();
            FHintBar->setText(QString::asprintf(texts::Texts().TxtPictureInfo.toUtf8().constData(),
                                                picture.width(), picture.height(), x, y));
            return;
        }
        if (!(buttons & Qt::LeftButton) || !FCanvasEngine) return;
        Picture()->pictureChanged(
            FCanvasEngine->drag(Picture()->picture(), FTools.current(), QPoint(x, y)));
        KeepShownPicture(FShownPicture.get(), *Picture());
    });
}

void TFrmMain::ImgMainMouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
    Guarded([&] {
        const CanvasTool* tool = FTools.tool();
        // The area selection belongs to the frozen screen, not to this picture.
        if (!tool || tool->result == ToolResult::Selection || !FCanvasEngine) return;
        CanvasToolEngine& engine = *FCanvasEngine;
        Picture()->pictureChanged(
            engine.release(Picture()->picture(), tool->id, QPoint(x, y), PenColor(*TextBox())));
        KeepShownPicture(FShownPicture.get(), *Picture());

        if (tool->result == ToolResult::TextBox) {
            // The text box takes the dragged box; a side of 10 pixels or less keeps its size.
            TextBox()->show();
            TextBox()->raise();
            TextBox()->move(StartX, StartY);
            const QRect box = engine.selection();
            if (box.width() > 10) TextBox()->resize(box.width(), TextBox()->height());
            if (box.height() > 10) TextBox()->resize(TextBox()->width(), box.height());
            TextBox()->setFocus();
            FTools.disarm();
            engine.setCopyMode();
            return;
        }

        TextBox()->hide();
        Picture()->pictureChanged(engine.commitShape(Picture()->picture(), tool->id));
        KeepShownPicture(FShownPicture.get(), *Picture());
        FTools.disarm();
    });
}
