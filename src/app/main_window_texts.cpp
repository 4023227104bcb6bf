// Captions, hints and glyphs of the main window.
#include "app/main_window.h"

#include "app/edit_toolbar.h"
#include "app/path_bar.h"
#include "app/picture_area.h"
#include "app/picture_list.h"
#include "app/tool_column.h"
#include "common/resources.h"
#include "common/text_tables.h"
#include "widgets/glyph_button.h"
#include "widgets/speed_button.h"
#include "widgets/tiled_panel.h"

#include <QApplication>

using namespace texts;

void TFrmMain::ApplyInterfaceTexts() {
    setWindowTitle(Texts().MainCaption());
    QApplication::setApplicationName(Texts().ProductTitle);
    FEditToolbar->applyTexts();
    FToolColumn->applyTexts();
    FPictureArea->applyTexts();
    FPictureList->applyTexts();
}

void TFrmMain::LoadGlyphs() {
    FEditToolbar->loadGlyphs();
    FToolColumn->loadGlyphs();
    FPathBar->loadGlyphs();
    LoadGlyph(BtnSPSaveImg, "BtnSPSaveImg");
    for (TiledPanel* edge : {PnlTop, PnlBottom, PnlLeft, PnlRight}) {
        QImage tile;
        LoadResBitmap(tile, edge->objectName());
        edge->setImage(tile, TiledPanel::Mode::Tile);
    }
}
