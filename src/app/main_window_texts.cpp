// Captions, hints and glyphs of the main window.
#include "app/main_window.h"

#include "common/resources.h"
#include "common/text_tables.h"
#include "library/resource_jpeg.h"
#include "widgets/speed_button.h"
#include "widgets/tiled_panel.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>

using namespace texts;

void TFrmMain::ApplyInterfaceTexts() {
    setWindowTitle(MainCaption());
    QApplication::setApplicationName(ProductTitle);

    BtnContinueCut->setToolTip(TxtContinueCutHint);
    BtnContinueCut2->setToolTip(TxtContinueCutHint);
    BtnSaveToCB->setToolTip(TxtClipboardToggle);
    BtnSaveToCB->setText(TxtClipboardToggle);
    BtnAddText->setToolTip(TxtHintAddText);
    BtnFontSet->setToolTip(TxtHintFontSet);
    BtnAddLine->setToolTip(TxtHintLine);
    BtnAddSingleArrow->setToolTip(QString());
    BtnAddDoubleArrow->setToolTip(TxtHintDoubleArrow);
    BtnAddCircle->setToolTip(TxtHintCircle);
    BtnAddRoundRec->setToolTip(TxtHintRoundRect);
    BtnAddRECT->setToolTip(TxtHintRect);
    BtnSetPicParam->setToolTip(TxtHintPicSize);
    BtnReurnPic->setToolTip(TxtHintUndo);
    BtnBackupFore->setToolTip(TxtHintRedo);
    BtnZoomIn->setToolTip(TxtHintZoomIn);
    BtnZoomout->setToolTip(TxtHintZoomOut);
    BtnZoom->setToolTip(TxtHintActualSize);
    BtnFileScreen->setToolTip(TxtHintBestFit);
    BitmapListBox->setToolTip(TxtListHint);

    MnAddWaterMark->setText(TxtMenuAddWatermark);
    MnWaterMarkSet->setText(TxtMenuWatermarkSet);
    MnImgSaveAs->setText(TxtMenuSaveAs);
    MnDeleteImg->setText(TxtMenuDelete);
    MnOpenImg->setText(TxtMenuOpen);
    MnRenameImg->setText(TxtMenuRename);
    MnOpenInPaintBox->setText(TxtMenuOpenInPaint);
    MnFullScreenDis->setText(TxtMenuFullScreenView);
    MnSaveToClipbrd->setText(TxtMenuToClipboard);
    BtnContinueCut->setText(TxtMenuContinueCut);
    MnHotkeySet->setText(TxtMenuHotkeySet);
    MnSaveImg->setText(TxtListSaveAs);
    PmOpenInPaint->setText(TxtListOpenInPaint);
    MnDeletePic->setText(TxtListDelete);
    MnRenamePic->setText(TxtListRename);
    MnClearPic->setText(TxtListClear);
    PnAddText->setText(TxtTextAdd);
    MnFontSet->setText(TxtTextFont);
    MnBackgroundSet->setText(TxtTextBackground);
    PmReturn->setText(TxtTextReturn);
    PmConfirmAddText->setText(TxtTextConfirm);
    PmCancelAddText->setText(TxtTextCancel);
    MnAddTextOK->setText(TxtTextSave);
}

void TFrmMain::LoadGlyphs() {
    auto glyph = [](SpeedButton* button, const char* name) {
        QImage bitmap = button->glyphBitmap();
        LoadResBitmap(bitmap, QString::fromLatin1(name));
        button->setGlyph(bitmap);
    };
    glyph(BtnMouseAreatPIC, "BtnMouseAreatPIC");
    glyph(BtnFullScreenCut, "BtnFullScreenCut");
    glyph(BtnExit, "BtnExit");
    glyph(BtnOpenDir, "opendir");
    glyph(BtnSelectPath, "selectpath");
    glyph(BtnSPSaveImg, "BtnSPSaveImg");
    glyph(BtnOtherFun, "BtnOtherFun");
    UpdateContinueCutGlyph();

    for (SpeedButton* b : ImgFuntoolbar->findChildren<SpeedButton*>(Qt::FindDirectChildrenOnly))
        glyph(b, b->objectName().toLatin1().constData());

    QImage picture;
    LoadResJpeg(picture, "ImgFuntoolbar");
    ImgFuntoolbar->setImage(picture, TiledPanel::Mode::Once);
    QImage pathBar;
    LoadResJpeg(pathBar, "ImgText");
    ImgText->setImage(pathBar, TiledPanel::Mode::Tile);
    for (TiledPanel* edge : {PnlTop, PnlBottom, PnlLeft, PnlRight}) {
        QImage tile;
        LoadResBitmap(tile, edge->objectName());
        edge->setImage(tile, TiledPanel::Mode::Tile);
    }
}

void TFrmMain::UpdateContinueCutGlyph() {
    QImage bitmap = BtnContinueCut2->glyphBitmap();
    LoadResBitmap(bitmap, BtnContinueCut->isChecked() ? "cCoutinueCut" : "ncCoutinueCut");
    BtnContinueCut2->setGlyph(bitmap);
}
