// The tables the main window's edit toolbar, left tool column and three pop-up menus are
// built from: per control its object name, place, glyph, hint or text, and handler. The
// window's parts make, word and draw their controls from these rows; the window connects
// their handlers (guarded).
#pragma once

#include "edit/canvas_tools.h"

#include <QRect>
#include <QString>

#include <cstdint>
#include <span>
#include <vector>

class TFrmMain;

using FormCommand = void (TFrmMain::*)();
using FormText = QString (*)();

// A button of the edit toolbar or of the left tool column.
struct FormButton {
    const char* name = nullptr;
    // Edit toolbar: the geometry within the toolbar. Tool column: the size; the column
    // stacks its buttons (app/left_toolbar_layout.h).
    QRect place;
    // The glyph bitmap; none where the window draws the glyph itself.
    const char* glyph = nullptr;
    FormText hint = nullptr;
    // What a click runs; none for a drawing tool's button, which arms `tool`.
    FormCommand handler = nullptr;
    std::uint8_t tool = ttNone;
};

// An item of a pop-up menu; a row without a name is a separator.
struct FormMenuItem {
    const char* name = nullptr;
    FormText text = nullptr;
    FormText hint = nullptr;
    // A check mark that the handler flips itself.
    bool toggle = false;
    FormCommand handler = nullptr;
};

// The edit toolbar from the left: its own buttons and those of the drawing tools
// (edit/canvas_tools.h) between them.
std::vector<FormButton> EditToolbarButtons();
// The left tool column's buttons, in the order they stack.
std::span<const FormButton> ToolColumnButtons();
// The menus of the picture and the text box, of the picture list, and of the
// other-functions button.
std::span<const FormMenuItem> PictureMenuItems();
std::span<const FormMenuItem> ListMenuItems();
std::span<const FormMenuItem> OtherFunMenuItems();
