// The edit toolbar of the main window: its buttons and the drawing tools' buttons as the
// table in app/main_window_controls.h lists them, on the toolbar's picture.
#pragma once

#include "app/main_window_controls.h"
#include "widgets/tiled_panel.h"

#include <cstdint>

class SpeedButton;

class EditToolbar : public TiledPanel {
    Q_OBJECT
  public:
    explicit EditToolbar(QWidget* parent = nullptr);

    // The button of a drawing tool; null for a tool without one.
    SpeedButton* toolButton(std::uint8_t tool) const;
    // The confirm and cancel buttons of a text are there only while one is being added.
    void showTextButtons(bool shown);
    void applyTexts();
    // Draws the buttons' glyphs and the toolbar's picture.
    void loadGlyphs();

  signals:
    // A button with a command of the window was clicked.
    void command(FormCommand handler);
    // A drawing tool's button was clicked.
    void toolChosen(std::uint8_t tool);
};
