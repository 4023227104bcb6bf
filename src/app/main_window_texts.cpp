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
    setWindowTitle(Texts().MainCaption());
    QApplication::setApplicationName(Texts().ProductTitle);

    BtnContinueCut->setToolTip(Texts().TxtContinueCutHint);
    BtnContinueCut2->setToolTip(Texts().TxtContinueCutHint);
    BtnSaveToCB->setToolTip(Texts().TxtClipboardToggle);
    BtnSaveToCB->setText(Texts().TxtClipboardToggle);
    BtnAddText->setToolTip(Texts().TxtHintAddText);
    BtnFontSet->setToolTip(Texts().TxtHintFontSet);
    BtnAddLine->setToolTip(Texts().TxtHintLine);
    BtnAddSingleArrow->setToolTip(QString());
    BtnAddDoubleArrow->setToolTip(Texts().TxtHintDoubleArrow);
    BtnAddCircle->setToolTip(Texts().TxtHintCircle);
    BtnAddRoundRec->setToolTip(Texts().TxtHintRoundRect);
    BtnAddRECT->setToolTip(Texts().TxtHintRect);
    BtnSetPicParam->setToolTip(Texts().TxtHintPicSize);
    BtnReurnPic->setToolTip(Texts().TxtHintUndo);
    BtnBackupFore->setToolTip(Texts().TxtHintRedo);
    BtnZoomIn->setToolTip(Texts().TxtHintZoomIn);
    BtnZoomout->setToolTip(Texts().TxtHintZoomOut);
    BtnZoom->setToolTip(Texts().TxtHintActualSize);
    BtnFileScreen->setToolTip(Texts().TxtHintBestFit);
    BitmapListBox->setToolTip(Texts().TxtListHint);

    MnAddWaterMark->setText(Texts().TxtMenuAddWatermark);
    MnWaterMarkSet->setText(Texts().TxtMenuWatermarkSet);
    MnImgSaveAs->setText(Texts().TxtMenuSaveAs);
    MnDeleteImg->setText(Texts().TxtMenuDelete);
    MnOpenImg->setText(Texts().TxtMenuOpen);
    MnRenameImg->setText(Texts().TxtMenuRename);
    MnOpenInPaintBox->setText(Texts().TxtMenuOpenInPaint);
    MnFullScreenDis->setText(Texts().TxtMenuFullScreenView);
    MnSaveToClipbrd->setText(Texts().TxtMenuToClipboard);
    BtnContinueCut->setText(Texts().TxtMenuContinueCut);
    MnHotkeySet->setText(Texts().TxtMenuHotkeySet);
    MnSaveImg->setText(Texts().TxtListSaveAs);
    PmOpenInPaint->setText(Texts().TxtListOpenInPaint);
    MnDeletePic->setText(Texts().TxtListDelete);
    MnRenamePic->setText(Texts().TxtListRename);
    MnClearPic->setText(Texts().TxtListClear);
    PnAddText->setText(Texts().TxtTextAdd);
    MnFontSet->setText(Texts().TxtTextFont);
    MnBackgroundSet->setText(Texts().TxtTextBackground);
    PmReturn->setText(Texts().TxtTextReturn);
    PmConfirmAddText->setText(Texts().TxtTextConfirm);
    PmCancelAddText->setText(Texts().TxtTextCancel);
    MnAddTextOK->setText(Texts().TxtTextSave);
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
