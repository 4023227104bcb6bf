// The dialogs' glyph buttons: name, place and the bitmap of the resources.
#include "common/resources.h"
#include "widgets/glyph_button.h"
#include "widgets/speed_button.h"

#include <QWidget>
#include <gtest/gtest.h>

TEST(GlyphButton, ShowsTheNamedBitmapAndKeepsItsGlyphWhenABitmapIsMissing) {
    QWidget dialog;
    QImage confirm;
    LoadResBitmap(confirm, "confirm");
    ASSERT_FALSE(confirm.isNull());

    // The object name and the glyph's name differ, as on the dialogs' confirm buttons.
    SpeedButton* button = GlyphButton(&dialog, "BtnConfirm", "confirm", QRect(36, 96, 75, 25));
    EXPECT_EQ(button->parentWidget(), &dialog);
    EXPECT_EQ(button->objectName(), "BtnConfirm");
    EXPECT_EQ(button->geometry(), QRect(36, 96, 75, 25));
    EXPECT_EQ(button->glyphBitmap(), confirm);

    // A name the resources do not hold changes nothing; a known one replaces the glyph.
    LoadGlyph(button, "no such glyph");
    EXPECT_EQ(button->glyphBitmap(), confirm);
    LoadGlyph(button, "BtnClose");
    EXPECT_NE(button->glyphBitmap(), confirm);
    EXPECT_FALSE(button->glyphBitmap().isNull());
    EXPECT_TRUE(GlyphButton(&dialog, "BtnNone", "no such glyph", QRect())->glyphBitmap().isNull());
}
