#include "edit/text_commit.h"

#include "app/settings.h"

#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <gtest/gtest.h>

TEST(TextCommit, LinesAreTheLinesTheBoxShows) {
    QTextEdit box;
    box.setFont(QFont("WenQuanYi Micro Hei", 11));
    box.setFrameStyle(QFrame::NoFrame);
    box.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box.resize(120, 200);
    box.setPlainText(QString::fromUtf8(u8"one two three four five 一二三四五六七八九十\n\nlast"));
    box.show();
    QStringList shown; // the box's own layout
    for (QTextBlock b = box.document()->begin(); b.isValid(); b = b.next())
        for (int i = 0; i < b.layout()->lineCount(); ++i)
            shown << b.text().mid(b.layout()->lineAt(i).textStart(),
                                  b.layout()->lineAt(i).textLength());
    const QStringList lines = VisualLines(*box.document(), box.viewport()->width());
    EXPECT_EQ(lines, shown);
    EXPECT_GT(lines.size(), 4); // the long paragraph wraps
    EXPECT_EQ(lines.mid(lines.size() - 2), QStringList({QString(), "last"}));
}

TEST(TextCommit, GlyphsInTheFontColourAtAPitchOfPointSizePlusFour) {
    // The annotation font a user has until choosing another, made as the window makes it
    // from the settings.
    const AnnotationFontSettings settings = DefaultSettings(ProgramPlaces()).font;
    QFont font(settings.name);
    font.setPointSize(settings.size);
    EXPECT_EQ(LinePitch(QFont("Arial", 20)), 24);
    const QColor red(255, 0, 0), paper(250, 250, 250);
    const QString line = QString::fromUtf8(u8"田田");
    // The lines drawn as the window commits them: the box font at 96 dpi, at its pitch.
    const auto draw = [&](const QStringList& lines) {
        QImage picture(200, 80, QImage::Format_RGB32);
        picture.fill(paper);
        DrawTextLines(picture, lines, QPoint(20, 10), PaintFont(font, 96), red, LinePitch(font));
        return picture;
    };
    const auto glyphsOf = [&](const QImage& picture) {
        QRect glyphs;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if (picture.pixelColor(x, y) == red) glyphs |= QRect(x, y, 1, 1);
        return glyphs;
    };

    // The second line's glyphs begin the point size plus 4 pixels below the first line's.
    const int firstTop = glyphsOf(draw({line})).top();
    const int secondTop = glyphsOf(draw({QString(), line})).top();
    ASSERT_GE(firstTop, 10);
    const int pitch = secondTop - firstTop;
    EXPECT_EQ(pitch, font.pointSize() + 4);

    // Glyph pixels take the font colour exactly and nothing is drawn behind them; the
    // second line repeats the first a pitch lower.
    const QImage picture = draw({line, line});
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QColor c = picture.pixelColor(x, y);
            ASSERT_TRUE(c == red || c == paper) << x << "," << y;
        }
    const QRect glyphs = glyphsOf(picture);
    ASSERT_GT(glyphs.height(), pitch);
    EXPECT_GE(glyphs.left(), 20);
    EXPECT_EQ(glyphs.top(), firstTop);
    for (int y = glyphs.top(); y < glyphs.top() + pitch; ++y)
        for (int x = glyphs.left(); x <= glyphs.right(); ++x)
            ASSERT_EQ(picture.pixelColor(x, y), picture.pixelColor(x, y + pitch)) << x << "," << y;
}
