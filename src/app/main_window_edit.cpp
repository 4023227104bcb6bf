// Editing commands of the main window: the text box and the text commit, the font command,
// the edit history, zoom, the picture-size dialog and the text background dialog.
#include "app/main_window.h"

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

// The text box's initial size.
constexpr int kMemoWidth = 185;
constexpr int kMemoHeight = 74;
constexpr int kMemoMargin = 2;

} // namespace

void TFrmMain::ConnectEditHandlers() {
    FHistory = std::make_shared<EditHistory>();
    FShownPicture = std::make_shared<ShownPicture>();

    // A flat box with a thin border whose words wrap at its width; it never scrolls sideways.
    MemoText->setFrameStyle(QFrame::Box | QFrame::Plain);
    MemoText->setLineWidth(1);
    MemoText->setLineWrapMode(QTextEdit::WidgetWidth);
    MemoText->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    MemoText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MemoText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MemoText->setAcceptRichText(false);
    MemoText->document()->setDocumentMargin(kMemoMargin);
    MemoText->resize(kMemoWidth, kMemoHeight);

    auto* tap = new EventTap(this, [this](QObject* watched, QEvent* event) {
        const QEvent::Type type = event->type();
        if (watched == MemoText->viewport() && type == QEvent::MouseButtonPress) {
            MemoTextMouseDown();
        } else if (watched == MemoText &&
                   (type == QEvent::ShowToParent || type == QEvent::HideToParent)) {
            // The confirm and cancel buttons are there while a text is being added.
            const bool adding = !MemoText->isHidden();
            BtnAddTextOk->setVisible(adding);
            BtnCancelAddText->setVisible(adding);
        } else if (watched == ImgMain &&
                   (type == QEvent::MouseButtonPress || type == QEvent::Paint)) {
            // Seen before anything is drawn on a newly displayed picture.
            FShownPicture->note(ImgMain->picture());
        }
    });
    MemoText->viewport()->installEventFilter(tap);
    MemoText->installEventFilter(tap);
    ImgMain->installEventFilter(tap);

    connect(PmFont, &QMenu::aboutToShow, this, [this] { PmFontPopup(); });
}

// ---- text annotation

void TFrmMain::BtnAddTextClick() {
    MemoText->clear();
    MemoText->hide();
    FTools.arm(ttText);
}

void TFrmMain::BtnAddTextOkClick() {
    FShownPicture->note(ImgMain->picture());
    // The state before the text exists even when drawing it fails.
    SaveHistory();
    MemoText->hide();

    QImage& picture = ImgMain->picture();
    const QFont boxFont = MemoText->font();
    // The lines as the box shows them, drawn where its text area begins.
    const QRect area = MemoText->contentsRect();
    const int margin = static_cast<int>(MemoText->document()->documentMargin());
    const QStringList lines = VisualLines(*MemoText->document(), area.width());
    const QPoint origin = MemoText->pos() + area.topLeft() + QPoint(margin, margin);
    DrawTextLines(picture, lines, origin, PaintFont(boxFont, MemoText->logicalDpiY()),
                  MemoText->palette().color(QPalette::Text), LinePitch(boxFont));
    FShownPicture->keep(picture);
    ImgMain->pictureChanged();

    MemoText->clear();
    FTools.disarm();
}

void TFrmMain::BtnCancelAddTextClick() {
    FTools.disarm();
    MemoText->clear();
    MemoText->hide();
}

void TFrmMain::BtnSavePicClick() {
    // A text being added goes into the picture first; the save goes on when that fails.
    Guarded([this] { BtnAddTextOkClick(); });
    const QImage& picture = ImgMain->picture();
    if (picture.isNull()) return;
    // Written back only over the file the displayed picture came from; any other
    // picture is saved under a name the user chooses.
    if (FShownPicture->shownBy(FCurPicName)) {
        if (SavePicByExt(FCurPicName)) FShownPicture->saved(picture);
        return;
    }
    if (!EnsurePicPath()) return;
    const QString chosen =
        ChoosePictureToSave(this, FContext.picFolder, CbPicFomat->currentIndex());
    if (!chosen.isEmpty()) SavePicByExt(chosen);
}

void TFrmMain::BtnFontSetClick() {
    QFontDialog fontDialog(MemoText->font(), this);
    fontDialog.setWindowTitle(texts::Texts().TxtTextFont);
    if (fontDialog.exec() != QDialog::Accepted) return;
    const QFont font = fontDialog.selectedFont();
    // The toolkit's font dialog has no colour; the colour follows at once.
    QColor color = MemoText->palette().color(QPalette::Text);
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
        MemoText->setFont(font);
        QPalette pal = MemoText->palette();
        pal.setColor(QPalette::Text, color);
        MemoText->setPalette(pal);
    });
}

void TFrmMain::MnBackgroundSetClick() {
    if (!FrmBackgroundSet) FrmBackgroundSet = new TFrmBackgroundSet(this);
    FrmBackgroundSet->exec();
}

void TFrmMain::PmFontPopup() {
    Guarded([this] {
        PnAddText->setVisible(!TextBoxClicked);
        for (QAction* item : {PmReturn, PmConfirmAddText, PmCancelAddText})
            item->setVisible(TextBoxClicked);
        for (QAction* item : {MnFontSet, MnBackgroundSet, MnAddTextOK})
            item->setVisible(true);
    });
}

void TFrmMain::MemoTextMouseDown() {
    TextBoxClicked = true;
}

// ---- edit history

void TFrmMain::SaveHistory() {
    Guarded([this] { FHistory->save(ImgMain->picture(), ImgMain->size()); });
}

void TFrmMain::BtnReurnPicClick() {
    FTools.disarm();
    MemoText->clear();
    MemoText->hide();
    FShownPicture->note(ImgMain->picture());
    if (!FHistory->stepBack(ImgMain->picture())) return;
    FShownPicture->keep(ImgMain->picture());
    ImgMain->pictureChanged();
}

void TFrmMain::BtnBackupForeClick() {
    FTools.disarm();
    MemoText->clear();
    MemoText->hide();
    FShownPicture->note(ImgMain->picture());
    if (!FHistory->stepForward(ImgMain->picture())) return;
    FShownPicture->keep(ImgMain->picture());
    ImgMain->pictureChanged();
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
    ImgMain->setStretch(true);
    ImgMain->setAutoSize(false);
    ImgMain->resize(ZoomInSide(ImgMain->width()), ImgMain->height());
    ImgMain->resize(ImgMain->width(), ZoomInSide(ImgMain->height()));
}

void TFrmMain::BtnZoomoutClick() {
    ImgMain->setStretch(true);
    ImgMain->setAutoSize(false);
    ImgMain->resize(ZoomOutSide(ImgMain->width()), ImgMain->height());
    ImgMain->resize(ImgMain->width(), ZoomOutSide(ImgMain->height()));
}

void TFrmMain::BtnZoomClick() {
    ImgMain->resize(ImgMain->picture().size());
    ImgMain->setStretch(false);
}

void TFrmMain::BtnFileScreenClick() {
    ImgMain->setAutoSize(false);
    ImgMain->resize(SBDisplay->width(), SBDisplay->height());
    ImgMain->setStretch(true);
}

void TFrmMain::BtnSetPicParamClick() {
    if (!FrmPicParam) FrmPicParam = new TFrmPicParam(this);
    // Offers the displayed size; closing without OK keeps it.
    FrmPicParam->ShowSizeDialog(ImgMain->width(), ImgMain->height());
    SetPictureSize(FrmPicParam->NewWidth, FrmPicParam->NewHeight);
}

void TFrmMain::SetPictureSize(int width, int height) {
    Guarded([&] {
        if (width <= 0 || height <= 0) return;
        FShownPicture->note(ImgMain->picture());
        QImage picture = ImgMain->picture();
        if (!ResizeThroughBmpFile(picture, width, height)) return;
        FHistory->setRect(QRect(0, 0, width, height));
        ImgMain->setPicture(picture);
        FShownPicture->keep(ImgMain->picture());
    });
}
