// The vendor's corner of the main window's tool column.
#include "app/main_window.h"

#include "app/tool_column.h"
#include "common/guard.h"

void TFrmMain::CreateVendorPanel() {
    Guarded([this] {
        // The program's folder is not settled yet at this point of creation; the panel
        // takes the same one the window will use.
        FToolColumn->addVendorPanel(FContext.places.settingsFolder, NoProgramHint());
    });
}
