#include "app/edit_toolbar.h"

#include "app/control_rows.h"
#include "library/resource_jpeg.h"
#include "widgets/speed_button.h"

EditToolbar::EditToolbar(QWidget* parent) : TiledPanel(parent) {
    setObjectName("ImgFuntoolbar");
    setFixedHeight(48);
    MakeButtons(this, EditToolbarButtons(), [this](const FormButton& row) {
        if (row.handler)
            emit command(row.handler);
        else
            emit toolChosen(row.tool);
    });
    showTextButtons(false);
}

SpeedButton* EditToolbar::toolButton(std::uint8_t tool) const {
    const CanvasTool* row = FindCanvasTool(tool);
    if (!row || !row->button) return nullptr;
    return ButtonOf(this, row->button);
}

void EditToolbar::showTextButtons(bool shown) {
    for (const char* name : {"BtnAddTextOk", "BtnCancelAddText"})
        ButtonOf(this, name)->setVisible(shown);
}

void EditToolbar::applyTexts() {
    WordButtons(this, EditToolbarButtons());
}

void EditToolbar::loadGlyphs() {
    DrawButtons(this, EditToolbarButtons());
    QImage picture;
    LoadResJpeg(picture, "ImgFuntoolbar");
    setImage(picture, TiledPanel::Mode::Once);
}
