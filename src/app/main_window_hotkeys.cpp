// The main window's side of the global hotkeys: the hotkey message and the hotkey dialog.
#include "app/main_window.h"

#include "app/shortcut_set_dialog.h"
#include "capture/capture_session.h"
#include "common/guard.h"
#include "platform/global_hotkeys.h"

#include <QAction>

void TFrmMain::ConnectHotkeys() {
    SetHotkeyReceiver(this, [this](int id) { WMHotKey(id); });
}

void TFrmMain::BtnSetHotkeyClick() {
    if (!FrmShortcutSet) FrmShortcutSet = new TFrmShortcutSet(FContext.hotkeys, this);
    FrmShortcutSet->hide();
    FrmShortcutSet->exec();
}

void TFrmMain::WMHotKey(int id) {
    Guarded([this, id] {
        // An area capture being set up takes no hotkeys.
        if (Capture().busy()) return;
        switch (id) {
        case 1:
            CaptureFullScreen();
            break;
        case 2:
            CaptureActiveWindow();
            break;
        case 3:
            CaptureClientArea();
            break;
        case 4:
            StartAreaCapture();
            break;
        case 5:
            // Esc held as a hotkey never reaches the window's key handler: it disarms the
            // tool here as it does there.
            RestoreMainWindow();
            FTools.disarm();
            break;
        default:
            break;
        }
    });
}
