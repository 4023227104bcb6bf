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

    QTextEdit* memo = TextBox();
    ImageControl* image = Picture();
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
    TextBox()->clear();
    TextBox()->hide();
    FTools.arm(ttText);
}

void TFrmMain::BtnAddTextOkClick() {
    FShownPicture->note(Picture()->picture());
    // The state before the text exists even when drawing it fails.
    SaveHistory();
    TextBox()->hide();

    QImage& picture = Picture()->picture();
    const QFont boxFont = TextBox()->font();
    // The lines as the box shows them, drawn where its text area begins.
    const QRect area = TextBox()->contentsRect();
    const int margin = static_cast<int>(TextBox()->document()->documentMargin());
    const QStringList lines = VisualLines(*TextBox()->document(), area.width());
    const QPoint origin = TextBox()->pos() + area.topLeft() + QPoint(margin, margin);
    DrawTextLines(picture, lines, origin, PaintFont(boxFont, TextBox()->logicalDpiY()),
                  TextBox()->palette().color(QPalette::Text), LinePitch(boxFont));
    FShownPicture->keep(picture);
    Picture()->pictureChanged();

    TextBox()->clear();
    FTools.disarm();
}

void TFrmMain::BtnCancelAddTextClick() {
    FTools.disarm();
    TextBox()->clear();
    TextBox()->hide();
}

void TFrmMain::BtnSavePicClick() {
    // A text being added goes into the picture first; the save goes on when that fails.
    Guarded([this] { BtnAddTextOkClick(); });
    const QImage& picture = Picture()->picture();
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
    QFontDialog fontDialog(TextBox()->font(), this);
    fontDialog.setWindowTitle(texts::Texts().TxtTextFont);
    if (fontDialog.exec() != QDialog::Accepted) return;
    const QFont font = fontDialog.selectedFont();
    // The toolkit's font dialog has no colour; the colour follows at once.
    QColor color = TextBox()->palette().color(QPalette::Text);
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
        TextBox()->setFont(font);
        QPalette pal = TextBox()->palette();
        pal.setColor(QPalette::Text, color);
        TextBox()->setPalette(pal);
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
    Guarded([this] { FHistory->save(Picture()->picture(), Picture()->size()); });
}

void TFrmMain::BtnReurnPicClick() {
    StepHistory(&EditHistory::stepBack);
}

void TFrmMain::BtnBackupForeClick() {
    StepHistory(&EditHistory::stepForward);
}

void TFrmMain::StepHistory(bool (EditHistory::*step)(QImage&)) {
    FTools.disarm();
    TextBox()->clear();
    TextBox()->hide();
    FShownPicture->note(Picture()->picture());
    if (!((*FHistory).*step)(Picture()->picture())) return;
    FShownPicture->keep(Picture()->picture());
    Picture()->pictureChanged();
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
    Picture()->setStretch(true);
    Picture()->setAutoSize(false);
    Picture()->resize(ZoomInSide(Picture()->width()), Picture()->height());
    Picture()->resize(Picture()->width(), ZoomInSide(Picture()->height()));
}

void TFrmMain::BtnZoomoutClick() {
    Picture()->setStretch(true);
    Picture()->setAutoSize(false);
    Picture()->resize(ZoomOutSide(Picture()->width()), Picture()->height());
    Picture()->resize(Picture()->width(), ZoomOutSide(Picture()->height()));
}

void TFrmMain::BtnZoomClick() {
    Picture()->resize(Picture()->picture().size());
    Picture()->setStretch(false);
}

void TFrmMain::BtnFileScreenClick() {
    Picture()->setAutoSize(false);
    Picture()->resize(FPictureArea->width(), FPictureArea->height());
    Picture()->setStretch(true);
}

void TFrmMain::BtnSetPicParamClick() {
    if (!FrmPicParam) FrmPicParam = new TFrmPicParam(this);
    // Offers the displayed size; closing without OK keeps it.
    FrmPicParam->ShowSizeDialog(Picture()->width(), Picture()->height());
    SetPictureSize(FrmPicParam->NewWidth, FrmPicParam->NewHeight);
}

void TFrmMain::SetPictureSize(int width, int height) {
    Guarded([&] {
        if (width <= 0 || height <= 0) return;
        FShownPicture->note(Picture()->picture());
        QImage picture = Picture()->picture();
        if (!ResizeThroughBmpFile(picture, width, height)) return;
        FHistory->setRect(QRect(0, 0, width, height));
        Picture()->setPicture(picture);
        FShownPicture->keep(Picture()->picture());
    });
}
