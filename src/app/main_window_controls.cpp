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
    {"BtnAddText", Bar(300, 21), "BtnAddText", [] { return texts::Texts().TxtHintAddText; },
     &TFrmMain::BtnAddTextClick},
    {"BtnFontSet", Bar(322, 21), "BtnFontSet", [] { return texts::Texts().TxtHintFontSet; },
     &TFrmMain::BtnFontSetClick},
    {"BtnSetPicParam", Bar(486, 24), "BtnSetPicParam", [] { return texts::Texts().TxtHintPicSize; },
     &TFrmMain::BtnSetPicParamClick},
    {"BtnCancelAddText", Bar(514, 20), "BtnCancelAddText", nullptr,
     &TFrmMain::BtnCancelAddTextClick},
    {"BtnAddTextOk", Bar(532, 20), "BtnAddTextOk", nullptr, &TFrmMain::BtnAddTextOkClick},
    {"BtnReurnPic", Bar(553, 19), "BtnReurnPic", [] { return texts::Texts().TxtHintUndo; },
     &TFrmMain::BtnReurnPicClick},
    {"BtnBackupFore", Bar(572, 19), "BtnBackupFore", [] { return texts::Texts().TxtHintRedo; },
     &TFrmMain::BtnBackupForeClick},
    {"BtnSavePic", Bar(592, 22), "BtnSavePic", nullptr, &TFrmMain::BtnSavePicClick},
    {"BtnZoomIn", Bar(614, 23), "BtnZoomIn", [] { return texts::Texts().TxtHintZoomIn; },
     &TFrmMain::BtnZoomInClick},
    {"BtnZoomout", Bar(637, 22), "BtnZoomout", [] { return texts::Texts().TxtHintZoomOut; },
     &TFrmMain::BtnZoomoutClick},
    {"BtnZoom", Bar(657, 22), "BtnZoom", [] { return texts::Texts().TxtHintActualSize; },
     &TFrmMain::BtnZoomClick},
    {"BtnFileScreen", Bar(680, 22), "BtnFileScreen", [] { return texts::Texts().TxtHintBestFit; },
     &TFrmMain::BtnFileScreenClick},
};

const FormButton kToolColumn[] = {
    // Its glyph shows the continuous toggle's state (TFrmMain::UpdateContinueCutGlyph).
    {"BtnContinueCut2", Column(116, 22), nullptr, [] { return texts::Texts().TxtContinueCutHint; },
     &TFrmMain::BtnContinueCut2Click},
    {"BtnMouseAreatPIC", Column(122, 24), "BtnMouseAreatPIC", nullptr, &TFrmMain::GrabMenuClick},
    {"BtnFullScreenCut", Column(122, 24), "BtnFullScreenCut", nullptr,
     &TFrmMain::BtnFullScreenCutClick},
    {"BtnOtherFun", Column(122, 24), "BtnOtherFun", nullptr, &TFrmMain::BtnOtherFunClick},
    {"BtnExit", Column(122, 24), "BtnExit", nullptr, &TFrmMain::BtnExitClick},
};

const FormMenuItem kPictureMenu[] = {
    {"PnAddText", [] { return texts::Texts().TxtTextAdd; }, nullptr, false,
     &TFrmMain::BtnAddTextClick},
    {"MnFontSet", [] { return texts::Texts().TxtTextFont; }, nullptr, false,
     &TFrmMain::MnFontSetClick},
    {"MnBackgroundSet", [] { return texts::Texts().TxtTextBackground; }, nullptr, false,
     &TFrmMain::MnBackgroundSetClick},
    {"PmReturn", [] { return texts::Texts().TxtTextReturn; }, nullptr, false,
     &TFrmMain::BtnReurnPicClick},
    {"PmConfirmAddText", [] { return texts::Texts().TxtTextConfirm; }, nullptr, false,
     &TFrmMain::BtnAddTextOkClick},
    {"PmCancelAddText", [] { return texts::Texts().TxtTextCancel; }, nullptr, false,
     &TFrmMain::BtnCancelAddTextClick},
    {"MnAddTextOK", [] { return texts::Texts().TxtTextSave; }, nullptr, false,
     &TFrmMain::BtnSavePicClick},
};

const FormMenuItem kListMenu[] = {
    {"MnSaveImg", [] { return texts::Texts().TxtListSaveAs; }, nullptr, false,
     &TFrmMain::BtnSPSaveImgClick},
    {"PmOpenInPaint", [] { return texts::Texts().TxtListOpenInPaint; }, nullptr, false,
     &TFrmMain::PmOpenInPaintClick},
    {"MnDeletePic", [] { return texts::Texts().TxtListDelete; }, nullptr, false,
     &TFrmMain::MnDeletePicClick},
    {"MnRenamePic", [] { return texts::Texts().TxtListRename; }, nullptr, false,
     &TFrmMain::MnRenamePicClick},
    {"MnClearPic", [] { return texts::Texts().TxtListClear; }, nullptr, false,
     &TFrmMain::MnClearPicClick},
};

const FormMenuItem kOtherFunMenu[] = {
    {"MnAddWaterMark", [] { return texts::Texts().TxtMenuAddWatermark; }, nullptr, false,
     &TFrmMain::BtnAddWatermarkClick},
    {"MnWaterMarkSet", [] { return texts::Texts().TxtMenuWatermarkSet; }, nullptr, false,
     &TFrmMain::BtnWatermarkSetClick},
    {},
    {"MnImgSaveAs", [] { return texts::Texts().TxtMenuSaveAs; }, nullptr, false,
     &TFrmMain::BtnSPSaveImgClick},
    {"MnDeleteImg", [] { return texts::Texts().TxtMenuDelete; }, nullptr, false,
     &TFrmMain::MnDeletePicClick},
    {"MnOpenImg", [] { return texts::Texts().TxtMenuOpen; }, nullptr, false, &TFrmMain::Load1Click},
    {"MnRenameImg", [] { return texts::Texts().TxtMenuRename; }, nullptr, false,
     &TFrmMain::MnRenamePicClick},
    {"MnOpenInPaintBox", [] { return texts::Texts().TxtMenuOpenInPaint; }, nullptr, false,
     &TFrmMain::PmOpenInPaintClick},
    {"MnFullScreenDis", [] { return texts::Texts().TxtMenuFullScreenView; }, nullptr, false,
     &TFrmMain::FullScreenMenuItemClick},
    {"MnSaveToClipbrd", [] { return texts::Texts().TxtMenuToClipboard; }, nullptr, false,
     &TFrmMain::BtnSaveToClipboardClick},
    {},
    {"BtnSaveToCB", [] { return texts::Texts().TxtClipboardToggle; },
     [] { return texts::Texts().TxtClipboardToggle; }, true, &TFrmMain::BtnSaveToCBClick},
    {"BtnContinueCut", [] { return texts::Texts().TxtMenuContinueCut; },
     [] { return texts::Texts().TxtContinueCutHint; }, true, &TFrmMain::BtnContinueCut2Click},
    {"MnHotkeySet", [] { return texts::Texts().TxtMenuHotkeySet; }, nullptr, false,
     &TFrmMain::BtnSetHotkeyClick},
};

} // namespace

std::vector<FormButton> EditToolbarButtons() {
    std::vector<FormButton> buttons(std::begin(kEditButtons), std::end(kEditButtons));
    for (const CanvasTool& tool : CanvasTools())
        if (tool.button)
            buttons.push_back(
                {tool.button, Bar(tool.left, tool.width), tool.glyph, tool.hint, nullptr, tool.id});
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
