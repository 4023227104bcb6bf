// The left tool column of the main window: the capture buttons of the table in
// app/main_window_controls.h, the vendor's panel below them and the other-functions menu
// with its two toggles (clipboard, continuous captures).
#pragma once

#include "app/main_window_controls.h"
#include "common/shell_routines.h"

#include <QScrollArea>

class QAction;
class QMenu;
class SpeedButton;

class ToolColumn : public QScrollArea {
    Q_OBJECT
  public:
    explicit ToolColumn(QWidget* parent = nullptr);

    // The toggles of the other-functions menu. Setting the continuous one redraws the
    // continuous button's glyph.
    bool clipboardWanted() const;
    void setClipboardWanted(bool wanted);
    bool continuous() const;
    void setContinuous(bool on);

    // Shows the other-functions button, hidden until the window is created.
    void showOtherFunButton();
    // Opens the other-functions menu beside its button.
    void popUpOtherFunMenu();
    // Where the other-functions menu opens: the button's top-right corner on the screen.
    QPoint otherFunMenuPoint() const;
    // Makes the vendor's panel and its two buttons in the column; programFolder and
    // noProgram as TPnlQelSoft takes them.
    void addVendorPanel(const QString& programFolder, const NoProgramHook& noProgram);
    // Stacks the buttons and the vendor's panel from the top.
    void layOut();
    void applyTexts();
    void loadGlyphs();

  signals:
    // A button or menu item with a command of the window was chosen.
    void command(FormCommand handler);

  private:
    SpeedButton* button(const char* name) const;
    void drawContinuousGlyph();

    QWidget* FColumn = nullptr;
    QMenu* MnOtherFunButton = nullptr;
    QAction* BtnSaveToCB = nullptr;
    QAction* BtnContinueCut = nullptr;
    QWidget* VendorPanel = nullptr;
    QWidget* VendorHelpButton = nullptr;
    QWidget* VendorUpdateButton = nullptr;
};
