#include "app/main_window_controls.h"

#include "app/main_window.h"
#include "common/text_tables.h"

#include <algorithm>

namespace {

// The edit toolbar's buttons stand 38 down the 74-pixel top bar, whose lower 48 pixels the
// toolbar is; they are 22 high.
constexpr QRect Bar(int left, int width) {
    return QRect(left, 38 - 26, width, 22);
}

constexpr QRect Column(int width, int height) {
    return QRect(0, 0, width, height);
}

// The edit toolbar's own buttons; the drawing tools' stand between the font button and the
// picture-size button.
const FormButton kEditButtons[] = {
    {&TFrmMain::BtnAddText, "BtnAddText", Bar(300, 21), "BtnAddText",
     [] { return texts::Texts().TxtHintAddText; }, &TFrmMain::BtnAddTextClick},
    {&TFrmMain::BtnFontSet, "BtnFontSet", Bar(322, 21), "BtnFontSet",
     [] { return texts::Texts().TxtHintFontSet; }, &TFrmMain::BtnFontSetClick},
    {&TFrmMain::BtnSetPicParam, "BtnSetPicParam", Bar(486, 24), "BtnSetPicParam",
     [] { return texts::Texts().TxtHintPicSize; }, &TFrmMain::BtnSetPicParamClick},
    {&TFrmMain::BtnCancelAddText, "BtnCancelAddText", Bar(514, 20), "BtnCancelAddText", nullptr,
     &TFrmMain::BtnCancelAddTextClick},
    {&TFrmMain::BtnAddTextOk, "BtnAddTextOk", Bar(532, 20), "BtnAddTextOk", nullptr,
     &TFrmMain::BtnAddTextOkClick},
    {&TFrmMain::BtnReurnPic, "BtnReurnPic", Bar(553, 19), "BtnReurnPic",
     [] { return texts::Texts().TxtHintUndo; }, &TFrmMain::BtnReurnPicClick},
    {&TFrmMain::BtnBackupFore, "BtnBackupFore", Bar(572, 19), "BtnBackupFore",
     [] { return texts::Texts().TxtHintRedo; }, &TFrmMain::BtnBackupForeClick},
    {&TFrmMain::BtnSavePic, "BtnSavePic", Bar(592, 22), "BtnSavePic", nullptr,
     &TFrmMain::BtnSavePicClick},
    {&TFrmMain::BtnZoomIn, "BtnZoomIn", Bar(614, 23), "BtnZoomIn",
     [] { return texts::Texts().TxtHintZoomIn; }, &TFrmMain::BtnZoomInClick},
    {&TFrmMain::BtnZoomout, "BtnZoomout", Bar(637, 22), "BtnZoomout",
     [] { return texts::Texts().TxtHintZoomOut; }, &TFrmMain::BtnZoomoutClick},
    {&TFrmMain::BtnZoom, "BtnZoom", Bar(657, 22), "BtnZoom",
     [] { return texts::Texts().TxtHintActualSize; }, &TFrmMain::BtnZoomClick},
    {&TFrmMain::BtnFileScreen, "BtnFileScreen", Bar(680, 22), "BtnFileScreen",
     [] { return texts::Texts().TxtHintBestFit; }, &TFrmMain::BtnFileScreenClick},
};

const FormButton kToolColumn[] = {
    // Its glyph shows the continuous toggle's state (TFrmMain::UpdateContinueCutGlyph).
    {&TFrmMain::BtnContinueCut2, "BtnContinueCut2", Column(116, 22), nullptr,
     [] { return texts::Texts().TxtContinueCutHint; }, &TFrmMain::BtnContinueCut2Click},
    {&TFrmMain::BtnMouseAreatPIC, "BtnMouseAreatPIC", Column(122, 24), "BtnMouseAreatPIC", nullptr,
     &TFrmMain::GrabMenuClick},
    {&TFrmMain::BtnFullScreenCut, "BtnFullScreenCut", Column(122, 24), "BtnFullScreenCut", nullptr,
     &TFrmMain::BtnFullScreenCutClick},
    {&TFrmMain::BtnOtherFun, "BtnOtherFun", Column(122, 24), "BtnOtherFun", nullptr,
     &TFrmMain::BtnOtherFunClick},
    {&TFrmMain::BtnExit, "BtnExit", Column(122, 24), "BtnExit", nullptr, &TFrmMain::BtnExitClick},
};

const FormMenuItem kPictureMenu[] = {
    {&TFrmMain::PnAddText, "PnAddText", [] { return texts::Texts().TxtTextAdd; }, nullptr, false,
     &TFrmMain::BtnAddTextClick},
    {&TFrmMain::MnFontSet, "MnFontSet", [] { return texts::Texts().TxtTextFont; }, nullptr, false,
     &TFrmMain::MnFontSetClick},
    {&TFrmMain::MnBackgroundSet, "MnBackgroundSet", [] { return texts::Texts().TxtTextBackground; },
     nullptr, false, &TFrmMain::MnBackgroundSetClick},
    {&TFrmMain::PmReturn, "PmReturn", [] { return texts::Texts().TxtTextReturn; }, nullptr, false,
     &TFrmMain::BtnReurnPicClick},
    {&TFrmMain::PmConfirmAddText, "PmConfirmAddText", [] { return texts::Texts().TxtTextConfirm; },
     nullptr, false, &TFrmMain::BtnAddTextOkClick},
    {&TFrmMain::PmCancelAddText, "PmCancelAddText", [] { return texts::Texts().TxtTextCancel; },
     nullptr, false, &TFrmMain::BtnCancelAddTextClick},
    {&TFrmMain::MnAddTextOK, "MnAddTextOK", [] { return texts::Texts().TxtTextSave; }, nullptr,
     false, &TFrmMain::BtnSavePicClick},
};

const FormMenuItem kListMenu[] = {
    {&TFrmMain::MnSaveImg, "MnSaveImg", [] { return texts::Texts().TxtListSaveAs; }, nullptr, false,
     &TFrmMain::BtnSPSaveImgClick},
    {&TFrmMain::PmOpenInPaint, "PmOpenInPaint", [] { return texts::Texts().TxtListOpenInPaint; },
     nullptr, false, &TFrmMain::PmOpenInPaintClick},
    {&TFrmMain::MnDeletePic, "MnDeletePic", [] { return texts::Texts().TxtListDelete; }, nullptr,
     false, &TFrmMain::MnDeletePicClick},
    {&TFrmMain::MnRenamePic, "MnRenamePic", [] { return texts::Texts().TxtListRename; }, nullptr,
     false, &TFrmMain::MnRenamePicClick},
    {&TFrmMain::MnClearPic, "MnClearPic", [] { return texts::Texts().TxtListClear; }, nullptr,
     false, &TFrmMain::MnClearPicClick},
};

const FormMenuItem kOtherFunMenu[] = {
    {&TFrmMain::MnAddWaterMark, "MnAddWaterMark", [] { return texts::Texts().TxtMenuAddWatermark; },
     nullptr, false, &TFrmMain::BtnAddWatermarkClick},
    {&TFrmMain::MnWaterMarkSet, "MnWaterMarkSet", [] { return texts::Texts().TxtMenuWatermarkSet; },
     nullptr, false, &TFrmMain::BtnWatermarkSetClick},
    {},
    {&TFrmMain::MnImgSaveAs, "MnImgSaveAs", [] { return texts::Texts().TxtMenuSaveAs; }, nullptr,
     false, &TFrmMain::BtnSPSaveImgClick},
    {&TFrmMain::MnDeleteImg, "MnDeleteImg", [] { return texts::Texts().TxtMenuDelete; }, nullptr,
     false, &TFrmMain::MnDeletePicClick},
    {&TFrmMain::MnOpenImg, "MnOpenImg", [] { return texts::Texts().TxtMenuOpen; }, nullptr, false,
     &TFrmMain::Load1Click},
    {&TFrmMain::MnRenameImg, "MnRenameImg", [] { return texts::Texts().TxtMenuRename; }, nullptr,
     false, &TFrmMain::MnRenamePicClick},
    {&TFrmMain::MnOpenInPaintBox, "MnOpenInPaintBox",
     [] { return texts::Texts().TxtMenuOpenInPaint; }, nullptr, false,
     &TFrmMain::PmOpenInPaintClick},
    {&TFrmMain::MnFullScreenDis, "MnFullScreenDis",
     [] { return texts::Texts().TxtMenuFullScreenView; }, nullptr, false,
     &TFrmMain::FullScreenMenuItemClick},
    {&TFrmMain::MnSaveToClipbrd, "MnSaveToClipbrd",
     [] { return texts::Texts().TxtMenuToClipboard; }, nullptr, false,
     &TFrmMain::BtnSaveToClipboardClick},
    {},
    {&TFrmMain::BtnSaveToCB, "BtnSaveToCB", [] { return texts::Texts().TxtClipboardToggle; },
     [] { return texts::Texts().TxtClipboardToggle; }, true, &TFrmMain::BtnSaveToCBClick},
    {&TFrmMain::BtnContinueCut, "BtnContinueCut", [] { return texts::Texts().TxtMenuContinueCut; },
     [] { return texts::Texts().TxtContinueCutHint; }, true, &TFrmMain::BtnContinueCut2Click},
    {&TFrmMain::MnHotkeySet, "MnHotkeySet", [] { return texts::Texts().TxtMenuHotkeySet; }, nullptr,
     false, &TFrmMain::BtnSetHotkeyClick},
};

} // namespace

std::vector<FormButton> EditToolbarButtons() {
    std::vector<FormButton> buttons(std::begin(kEditButtons), std::end(kEditButtons));
    for (const CanvasTool& tool : CanvasTools())
        if (tool.button)
            buttons.push_back({nullptr, tool.button, Bar(tool.left, tool.width), tool.glyph,
                               tool.hint, nullptr, tool.id});
    // Made from the left, so that of two overlapping buttons the right one lies on top.
    std::stable_sort(buttons.begin(), buttons.end(), [](const FormButton& a, const FormButton& b) {
        return a.place.left() < b.place.left();
    });
    return buttons;
}

std::span<const FormButton> ToolColumnButtons() {
    return kToolColumn;
}

std::span<const FormMenuItem> PictureMenuItems() {
    return kPictureMenu;
}

std::span<const FormMenuItem> ListMenuItems() {
    return kListMenu;
}

std::span<const FormMenuItem> OtherFunMenuItems() {
    return kOtherFunMenu;
}
