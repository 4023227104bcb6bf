// Speed buttons that show a glyph bitmap of the compiled-in pictures, as the dialogs and
// the main window's toolbars have them.
#pragma once

class QRect;
class QString;
class QWidget;
class SpeedButton;

// Gives the button the glyph bitmap `glyph` (a resource name under :/bmp). A missing or
// unreadable bitmap leaves the button's glyph as it was.
void LoadGlyph(SpeedButton* button, const QString& glyph);

// A speed button named `name` at `place` (parent coordinates) showing the bitmap `glyph`.
SpeedButton* GlyphButton(QWidget* parent, const char* name, const char* glyph, const QRect& place);
