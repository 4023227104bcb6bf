// The look the program's windows share: the bar colour, Arial 13 px, and the edge
// pictures of the frame.
#pragma once

#include <QColor>
#include <QRect>

class QWidget;
class TiledPanel;

// Colour of bars, panels and dialogs (Windows colour 16710389).
inline const QColor kBarColor(245, 250, 254);

// A fixed-size window painted in the bar colour with the interface font.
void StyleFixedWindow(QWidget* window, int width, int height);

// One edge of the frame: the bitmap resource `name` tiled over `place`.
TiledPanel* FramePiece(QWidget* parent, const char* name, const QRect& place);
