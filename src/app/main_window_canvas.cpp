// The canvas tools of the main window: the mouse on the picture, the shape buttons, the
// placing of the text box and the crop that ends an area capture.
#include "app/main_window.h"

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
    explicit CanvasMouseHook(TFrmMain* form)
        : QObject(form), form_(form),
          engine_(DragPoints{form->StartX, form->StartY, form->EndX, form->EndY}) {}

    CanvasToolEngine& engine() { return engine_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != form_->ImgMain) return false;
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
            type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
            return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint at = form_->ImgMain->pictureAt(mouse->position());
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
    CanvasToolEngine engine_;
};

// The annotation colour: the text colour of the text box is the pen of every shape.
QRgb PenColor(const TFrmMain& form) {
    return form.MemoText->palette().color(QPalette::Text).rgb();
}

// Drawing may convert the picture to a format it can draw on; it is still the displayed
// picture, which the save command may write back to its file.
void KeepShownPicture(TFrmMain& form) {
    if (form.FShownPicture) form.FShownPicture->keep(form.ImgMain->picture());
}

} // namespace

void TFrmMain::ConnectCanvasHandlers() {
    auto* hook = new CanvasMouseHook(this);
    FCanvasEngine = &hook->engine();
    ImgMain->installEventFilter(hook);
    // Moves without a button show the picture information.
    ImgMain->setMouseTracking(true);
}

void TFrmMain::ArmTool(std::uint8_t tool) {
    FTools.arm(tool);
}

SpeedButton* TFrmMain::ToolButton(std::uint8_t tool) const {
    const CanvasTool* row = FindCanvasTool(tool);
    if (!row || !row->button) return nullptr;
    return ImgFuntoolbar->findChild<SpeedButton*>(QString::fromLatin1(row->button),
                                                  Qt::FindDirectChildrenOnly);
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
        if (FCanvasEngine) FCanvasEngine->press(FTools.current(), QPoint(x, y), PenColor(*this));
    });
}

void TFrmMain::ImgMainMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers, int x, int y) {
    Guarded([&] {
        if (!FTools.armed()) {
            const QImage& picture = ImgMain->picture();
            PnlHint->setText(QString::asprintf(texts::Texts().TxtPictureInfo.toUtf8().constData(),
                                               picture.width(), picture.height(), x, y));
            return;
        }
        if (!(buttons & Qt::LeftButton) || !FCanvasEngine) return;
        ImgMain->pictureChanged(
            FCanvasEngine->drag(ImgMain->picture(), FTools.current(), QPoint(x, y)));
        KeepShownPicture(*this);
    });
}

void TFrmMain::ImgMainMouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
    Guarded([&] {
        const CanvasTool* tool = FTools.tool();
        // The area selection belongs to the frozen screen, not to this picture.
        if (!tool || tool->result == ToolResult::Selection || !FCanvasEngine) return;
        CanvasToolEngine& engine = *FCanvasEngine;
        ImgMain->pictureChanged(
            engine.release(ImgMain->picture(), tool->id, QPoint(x, y), PenColor(*this)));
        KeepShownPicture(*this);

        if (tool->result == ToolResult::TextBox) {
            // The text box takes the dragged box; a side of 10 pixels or less keeps its size.
            MemoText->show();
            MemoText->raise();
            MemoText->move(StartX, StartY);
            const QRect box = engine.selection();
            if (box.width() > 10) MemoText->resize(box.width(), MemoText->height());
            if (box.height() > 10) MemoText->resize(MemoText->width(), box.height());
            MemoText->setFocus();
            FTools.disarm();
            engine.setCopyMode();
            return;
        }

        MemoText->hide();
        ImgMain->pictureChanged(engine.commitShape(ImgMain->picture(), tool->id));
        KeepShownPicture(*this);
        FTools.disarm();
    });
}
