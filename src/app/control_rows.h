// Makes, words and draws the controls of the main window's tables
// (app/main_window_controls.h) inside the part that owns them.
#pragma once

#include "app/main_window_controls.h"

#include <QColor>
#include <QString>

#include <functional>
#include <span>

class QMenu;
class QWidget;
class SpeedButton;

// The light blue of the window's bars.
QColor BarColor();
// Fills the widget's background with the colour.
void PaintBackground(QWidget* widget, const QColor& color);

// Names the object and hands it back.
template <typename T> T* Named(T* object, const char* name) {
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

// Makes the buttons of the rows in parent, each placed by its row; a click runs onClick with
// the row.
void MakeButtons(QWidget* parent, std::span<const FormButton> rows,
                 const std::function<void(const FormButton&)>& onClick);
// The button a row made in parent; null when there is none.
SpeedButton* ButtonOf(const QWidget* parent, const char* name);
// Gives the rows' buttons their hints and glyphs.
void WordButtons(const QWidget* parent, std::span<const FormButton> rows);
void DrawButtons(const QWidget* parent, std::span<const FormButton> rows);

// Fills the menu from its rows; choosing an item runs onChoose with its handler. A toggle
// item keeps its check mark for the handler to flip.
void MakeMenuItems(QMenu* menu, std::span<const FormMenuItem> rows,
                   const std::function<void(FormCommand)>& onChoose);
// Gives the menu's items their texts and hints.
void WordMenuItems(const QMenu* menu, std::span<const FormMenuItem> rows);
