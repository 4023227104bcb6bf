// Captions, hints and glyphs of the main window.
#include "app/main_window.h"

#include "app/main_window_controls.h"
#include "common/resources.h"
#include "common/text_tables.h"
#include "library/resource_jpeg.h"
#include "widgets/glyph_button.h"
#include "widgets/speed_button.h"
#include "widgets/tiled_panel.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>

using namespace texts;

namespace {

// The button a table row made in `parent`.
SpeedButton* ButtonOf(const TFrmMain& form, QWidget* parent, const FormButton& row) {
    if (row.member) return form.*(row.member);
    return parent->findChild<SpeedButton*>(QString::fromLatin1(row.name),
                                           Qt::FindDirectChildrenOnly);
}

} // namespace

void TFrmMain::ApplyInterfaceTexts() {
    setWindowTitle(Texts().MainCaption());
    QApplication::setApplicationName(Texts().ProductTitle);

    for (const FormButton& row : EditToolbarButtons())
        ButtonOf(*this, ImgFuntoolbar, row)->setToolTip(row.hint ? row.hint() : QString());
    for (const FormButton& row : ToolColumnButtons())
        ButtonOf(*this, ToolColumn, row)->setToolTip(row.hint ? row.hint() : QString());
    for (auto rows : {PictureMenuItems(), ListMenuItems(), OtherFunMenuItems()})
        for (const FormMenuItem& row : rows) {
            if (!row.member) continue;
            QAction* item = this->*(row.member);
            item->setText(row.text ? row.text() : QString());
            if (row.hint) item->setToolTip(row.hint());
        }
    BitmapListBox->setToolTip(Texts().TxtListHint);
}

void TFrmMain::LoadGlyphs() {
    for (const FormButton& row : EditToolbarButtons())
        if (row.glyph)
            LoadGlyph(ButtonOf(*this, ImgFuntoolbar, row), QString::fromLatin1(row.glyph));
    for (const FormButton& row : ToolColumnButtons())
        if (row.glyph) LoadGlyph(ButtonOf(*this, ToolColumn, row), QString::fromLatin1(row.glyph));
    LoadGlyph(BtnOpenDir, "opendir");
    LoadGlyph(BtnSelectPath, "selectpath");
    LoadGlyph(BtnSPSaveImg, "BtnSPSaveImg");
    UpdateContinueCutGlyph();

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
    LoadGlyph(BtnContinueCut2, BtnContinueCut->isChecked() ? "cCoutinueCut" : "ncCoutinueCut");
}
