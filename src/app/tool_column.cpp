#include "app/tool_column.h"

#include "app/control_rows.h"
#include "app/left_toolbar_layout.h"
#include "update/vendor_panel.h"
#include "widgets/glyph_button.h"
#include "widgets/speed_button.h"

#include <QAction>
#include <QMenu>

ToolColumn::ToolColumn(QWidget* parent) : QScrollArea(parent) {
    setObjectName("SbToollBar");
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(true);
    setMinimumWidth(60);
    FColumn = Named(new QWidget, "ToolColumn");
    PaintBackground(FColumn, BarColor());
    setWidget(FColumn);

    MakeButtons(FColumn, ToolColumnButtons(),
                [this](const FormButton& row) { emit command(row.handler); });
    // Shown when the window is created.
    button("BtnOtherFun")->hide();

    MnOtherFunButton = Named(new QMenu(this), "MnOtherFunButton");
    MakeMenuItems(MnOtherFunButton, OtherFunMenuItems(),
                  [this](FormCommand handler) { emit command(handler); });
    BtnSaveToCB = MnOtherFunButton->findChild<QAction*>("BtnSaveToCB");
    BtnContinueCut = MnOtherFunButton->findChild<QAction*>("BtnContinueCut");
}

SpeedButton* ToolColumn::button(const char* name) const {
    return ButtonOf(FColumn, name);
}

bool ToolColumn::clipboardWanted() const {
    return BtnSaveToCB->isChecked();
}

void ToolColumn::setClipboardWanted(bool wanted) {
    BtnSaveToCB->setChecked(wanted);
}

bool ToolColumn::continuous() const {
    return BtnContinueCut->isChecked();
}

void ToolColumn::setContinuous(bool on) {
    BtnContinueCut->setChecked(on);
    drawContinuousGlyph();
}

void ToolColumn::drawContinuousGlyph() {
    LoadGlyph(button("BtnContinueCut2"),
              BtnContinueCut->isChecked() ? "cCoutinueCut" : "ncCoutinueCut");
}

void ToolColumn::showOtherFunButton() {
    button("BtnOtherFun")->show();
}

QPoint ToolColumn::otherFunMenuPoint() const {
    // Beside the button: at its top-right corner on the screen, whatever frame the window
    // manager puts around the form.
    const SpeedButton* otherFun = button("BtnOtherFun");
    return otherFun->mapToGlobal(QPoint(otherFun->width(), 0));
}

void ToolColumn::popUpOtherFunMenu() {
    MnOtherFunButton->popup(otherFunMenuPoint());
}

void ToolColumn::addVendorPanel(const QString& programFolder, const NoProgramHook& noProgram) {
    auto* panel = new TPnlQelSoft(FColumn, programFolder, noProgram);
    VendorPanel = panel;
    VendorHelpButton = panel->BtnHelp;
    VendorUpdateButton = panel->BtnUpdate;
    panel->show();
}

void ToolColumn::layOut() {
    for (const char* name : {"BtnMouseAreatPIC", "BtnFullScreenCut", "BtnOtherFun", "BtnExit"}) {
        SpeedButton* b = button(name);
        b->resize(b->width(), ToolButtonHeight);
    }
    const int bottom =
        StackLeftToolbar({button("BtnContinueCut2"), button("BtnMouseAreatPIC"),
                          button("BtnFullScreenCut"), button("BtnOtherFun"), VendorHelpButton,
                          VendorUpdateButton, button("BtnExit"), VendorPanel});
    FColumn->setMinimumHeight(bottom + 3);
}

void ToolColumn::applyTexts() {
    WordButtons(FColumn, ToolColumnButtons());
    WordMenuItems(MnOtherFunButton, OtherFunMenuItems());
}

void ToolColumn::loadGlyphs() {
    DrawButtons(FColumn, ToolColumnButtons());
    drawContinuousGlyph();
}
