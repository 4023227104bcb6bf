// What the program's windows share: where its files live, the picture folder in use, the
// watermark, the hotkeys, the toolkit's translation and where messages go. One context is made by
// main() (or by a test) and handed to the windows that need it; nothing of it is program-wide.
#pragma once

#include "app/hotkey_table.h"
#include "common/program_places.h"
#include "common/toolkit_translation.h"
#include "edit/watermark_settings.h"
#include "widgets/message_box.h"

#include <QString>

struct AppContext {
    explicit AppContext(ProgramPlaces programPlaces = {}) : places(std::move(programPlaces)) {}

    ProgramPlaces places;
    // The validated picture folder, ending in exactly one separator; empty until the
    // main window has checked one.
    QString picFolder;
    WatermarkSettings watermark;
    Hotkeys hotkeys;
    // The toolkit's own dialogs and buttons in the interface language.
    ToolkitTranslation toolkitTranslation;
    // The main window's messages; empty shows each in the message box.
    MessageSink messages;
};
