// The vendor's corner of the main window's tool column.
#include "app/main_window.h"

#include "common/guard.h"
#include "update/vendor_panel.h"
#include "widgets/speed_button.h"

void TFrmMain::CreateVendorPanel() {
    Guarded([this] {
        // The program's folder is not settled yet at this point of creation; the panel
        // takes the same one the window will use.
        auto* panel = new TPnlQelSoft(ToolColumn, FContext.places.settingsFolder, NoProgramHint());
        VendorPanel = panel;
        VendorHelpButton = panel->BtnHelp;
        VendorUpdateButton = panel->BtnUpdate;
        panel->show();
    });
}
