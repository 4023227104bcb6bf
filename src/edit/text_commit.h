// Painting the text box's lines onto the picture: each line as the box shows it (soft
// word-wrap breaks included), at a pitch of the font's point size plus 4 pixels, glyphs in
// the font colour with nothing behind them.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QStringList>

class QTextDocument;

// The lines of the document when it is laid out at textWidth (the width of the box's
// text area), each without its line-break character. An empty document gives one empty line.
QStringList VisualLines(const QTextDocument& document, qreal textWidth);

// Line pitch in pixels: the point size plus 4 (11 pt gives 15).
int LinePitch(const QFont& font);

// The annotation font as it is painted on the picture: the same family and style at the
// pixel size the box shows it at dpi, without anti-aliasing so that glyph pixels take
// exactly the font colour.
QFont PaintFont(const QFont& boxFont, int dpi);

// Draws line i with its top-left corner at origin + (0, i * pitch). Pictures that cannot be
// drawn on are converted first; a null picture stays null.
void DrawTextLines(QImage& picture, const QStringList& lines, QPoint origin, const QFont& font,
                   const QColor& color, int pitch);
