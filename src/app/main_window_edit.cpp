// Editing commands of the main window: the text box and the text commit, the font command,
// the edit history, zoom, the picture-size dialog and the text background dialog.
#include "app/main_window.h"

#include "app/edit_toolbar.h"
#include "app/path_bar.h"
#include "app/picture_area.h"

#include "common/guard.h"
#include "common/picture_formats.h"
#include "common/text_tables.h"
#include "edit/background_dialog.h"
#include "edit/edit_history.h"
#include "edit/pic_param_dialog.h"
#include "edit/picture_size.h"
#include "edit/shown_picture.h"
#include "edit/text_commit.h"
#include "edit/zoom.h"
#include "library/open_picture_dialog.h"
#include "widgets/image_control.h"
#include "widgets/speed_button.h"

#include <QAction>
#include <QColorDialog>
#include <QComboBox>
#include <QEvent>
#include <QFontDialog>
#include <QMenu>
#include <QScrollArea>
#include <QTextDocument>
#include <QTextEdit>
#include <functional>

namespace {

// Hands the events of the watched widgets to a callback; never consumes them.
class EventTap : public QObject {
  public:
    EventTap(QObject* parent, std::function<void(QObject*, QEvent*)> onEvent)
        : QObject(parent), onEvent_(std::move(onEvent)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        Guarded([&] { onEvent_(watched, event); });
        return false;
    }

  private:
    std::function<void(QObject*, QEvent*)> onEvent_;
};

} // namespace

void TFrmMain::ConnectEditHandlers() {
    FHistory = std::make_shared<EditHistory>();
    FShownPicture = std::make_shared<ShownPicture>();

    QTextEdit* memo = FPictureArea->textBox();
    ImageControl* image = FPictureArea->image();
    auto* tap = new EventTap(this, [this, memo, image](QObject* watched, QEvent* event) {
        const QEvent::Type type = event->type();
        if (watched == memo->viewport() && type == QEvent::MouseButtonPress) {
            MemoTextMouseDown();
        } else if (watched == memo &&
                   (type == QEvent::ShowToParent || type == QEvent::HideToParent)) {
            // The confirm and cancel buttons are there while a text is being added.
            FEditToolbar->showTextButtons(!memo->isHidden());
        } else if (watched == image &&
                   (type == QEvent::MouseButtonPress || type == QEvent::Paint)) {
            // Seen before anything is drawn on a newly displayed picture.
            FShownPicture->note(image->picture());
        }
    });
    memo->viewport()->installEventFilter(tap);
    memo->installEventFilter(tap);
    image->installEventFilter(tap);

    connect(FPictureArea, &PictureArea::menuAboutToShow, this, [this] { PmFontPopup(); });
}

// ---- text annotation

void TFrmMain::BtnAddTextClick() {
    FPictureArea->textBox()->clear();
    FPictureArea->textBox()->hide();
    FTools.arm(ttText);
}

void TFrmMain::BtnAddTextOkClick() {
    FShownPicture->note(FPictureArea->image()->picture());
    // The state before the text exists even when drawing it fails.
    SaveHistory();
    FPictureArea->textBox()->hide();

    QImage& picture = FPictureArea->image()->picture();
    const QFont boxFont = FPictureArea->textBox()->font();
    // The lines as the box shows them, drawn where its text area begins.
    const QRect area = FPictureArea->textBox()->contentsRect();
    const int margin = static_cast<int>(FPictureArea->textBox()->document()->documentMargin());
    const QStringList lines = VisualLines(*FPictureArea->textBox()->document(), area.width());
    const QPoint origin = FPictureArea->textBox()->pos() + area.topLeft() + QPoint(margin, margin);
    DrawTextLines(picture, lines, origin,
                  PaintFont(boxFont, FPictureArea->textBox()->logicalDpiY()),
                  FPictureArea->textBox()->palette().color(QPalette::Text), LinePitch(boxFont));
    FShownPicture->keep(picture);
    FPictureArea->image()->pictureChanged();

    FPictureArea->textBox()->clear();
    FTools.disarm();
}

void TFrmMain::BtnCancelAddTextClick() {
    FTools.disarm();
    FPictureArea->textBox()->clear();
    FPictureArea->textBox()->hide();
}

void TFrmMain::BtnSavePicClick() {
    // A text being added goes into the picture first; the save goes on when that fails.
    Guarded([this] { BtnAddTextOkClick(); });
    const QImage& picture = FPictureArea->image()->picture();
    if (picture.isNull()) return;
    // Written back only over the file the displayed picture came from; any other
    // picture is saved under a name the user chooses.
    if (FShownPicture->shownBy(FCurPicName)) {
        if (SavePicByExt(FCurPicName)) FShownPicture->saved(picture);
        return;
    }
    if (!EnsurePicPath()) return;
    const QString chosen =
        ChoosePictureToSave(this, FContext.picFolder, FPathBar->formatBox()->currentIndex());
    if (!chosen.isEmpty()) SavePicByExt(chosen);
}

void TFrmMain::BtnFontSetClick() {
    QFontDialog fontDialog(FPictureArea->textBox()->font(), this);
    fontDialog.setWindowTitle(texts::Texts().TxtTextFont);
    if (fontDialog.exec() != QDialog::Accepted) return;
    const QFont font = fontDialog.selectedFont();
    // The toolkit's font dialog has no colour; the colour follows at once.
    QColor color = FPictureArea->textBox()->palette().color(QPalette::Text);
    QColorDialog colorDialog(color, this);
    colorDialog.setWindowTitle(texts::Texts().TxtTextFont);
    if (colorDialog.exec() == QDialog::Accepted && colorDialog.selectedColor().isValid())
        color = colorDialog.selectedColor();
    SetAnnotationFont(font, color);
}

void TFrmMain::MnFontSetClick() {
    BtnFontSetClick();
}

void TFrmMain::SetAnnotationFont(const QFont& font, const QColor& color) {
    Guarded([&] {
        FPictureArea->textBox()->setFont(font);
        QPalette pal = FPictureArea->textBox()->palette();
        pal.setColor(QPalette::Text, color);
        FPictureArea->textBox()->setPalette(pal);
    });
}

void TFrmMain::MnBackgroundSetClick() {
    if (!FrmBackgroundSet) FrmBackgroundSet = new TFrmBackgroundSet(this);
    FrmBackgroundSet->exec();
}

void TFrmMain::PmFontPopup() {
    Guarded([this] { FPictureArea->showMenuFor(TextBoxClicked); });
}

void TFrmMain::MemoTextMouseDown() {
    TextBoxClicked = true;
}

// ---- edit history

void TFrmMain::SaveHistory() {
    Guarded([this] {
        FHistory->save(FPictureArea->image()->picture(), FPictureArea->image()->size());
    });
}

void TFrmMain::BtnReurnPicClick() {
    FTools.disarm();
    FPictureArea->textBox()->clear();
    FPictureArea->textBox()->hide();
    FShownPicture->note(FPictureArea->image()->picture());
    if (!FHistory->stepBack(FPictureArea->image()->picture())) return;
    FShownPicture->keep(FPictureArea->image()->picture());
    FPictureArea->image()->pictureChanged();
}

void TFrmMain::BtnBackupForeClick() {
    FTools.disarm();
    FPictureArea->textBox()->clear();
    FPictureArea->textBox()->hide();
    FShownPicture->note(FPictureArea->image()->picture());
    if (!FHistory->stepForward(FPictureArea->image()->picture())) return;
    FShownPicture->keep(FPictureArea->image()->picture());
    FPictureArea->image()->pictureChanged();
}

void TFrmMain::ResetHistory() {
    Guarded([this] { FHistory->resetPos(); });
}

int TFrmMain::HistoryPos() const {
    return FHistory ? FHistory->pos() : 0;
}

QRect TFrmMain::HistoryRect() const {
    return FHistory ? FHistory->rect() : QRect();
}

// ---- zoom and picture size

void TFrmMain::BtnZoomInClick() {
    FPictureArea->image()->setStretch(true);
    FPictureArea->image()->setAutoSize(false);
    FPictureArea->image()->resize(ZoomInSide(FPictureArea->image()->width()),
                                  FPictureArea->image()->height());
    FPictureArea->image()->resize(FPictureArea->image()->width(),
                                  ZoomInSide(FPictureArea->image()->height()));
}

void TFrmMain::BtnZoomoutClick() {
    FPictureArea->image()->setStretch(true);
    FPictureArea->image()->setAutoSize(false);
    FPictureArea->image()->resize(ZoomOutSide(FPictureArea->image()->width()),
                                  FPictureArea->image()->height());
    FPictureArea->image()->resize(FPictureArea->image()->width(),
                                  ZoomOutSide(FPictureArea->image()->height()));
}

void TFrmMain::BtnZoomClick() {
    FPictureArea->image()->resize(FPictureArea->image()->picture().size());
    FPictureArea->image()->setStretch(false);
}

void TFrmMain::BtnFileScreenClick() {
    FPictureArea->image()->setAutoSize(false);
    FPictureArea->image()->resize(FPictureArea->width(), FPictureArea->height());
    FPictureArea->image()->setStretch(true);
}

void TFrmMain::BtnSetPicParamClick() {
    if (!FrmPicParam) FrmPicParam = new TFrmPicParam(this);
    // Offers the displayed size; closing without OK keeps it.
    FrmPicParam->ShowSizeDialog(FPictureArea->image()->width(), FPictureArea->image()->height());
    SetPictureSize(FrmPicParam->NewWidth, FrmPicParam->NewHeight);
}

void TFrmMain::SetPictureSize(int width, int height) {
    Guarded([&] {
        if (width <= 0 || height <= 0) return;
        FShownPicture->note(FPictureArea->image()->picture());
        QImage picture = FPictureArea->image()->picture();
        if (!ResizeThroughBmpFile(picture, width, height)) return;
        FHistory->setRect(QRect(0, 0, width, height));
        FPictureArea->image()->setPicture(picture);
        FShownPicture->keep(FPictureArea->image()->picture());
    });
}
