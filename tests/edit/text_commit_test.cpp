#include "edit/text_commit.h"

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
    const QFont font("WenQuanYi Micro Hei", 11);
    EXPECT_EQ(LinePitch(font), 15);
    EXPECT_EQ(LinePitch(QFont("Arial", 20)), 24);
    const QColor red(255, 0, 0), paper(250, 250, 250);
    QImage picture(200, 80, QImage::Format_RGB32);
    picture.fill(paper);
    const QString line = QString::fromUtf8(u8"田田");
    DrawTextLines(picture, {line, line}, QPoint(20, 10), PaintFont(font, 96), red, 15);

    // Glyph pixels take the font colour exactly and nothing is drawn behind them; the
    // second line repeats the first 15 rows lower.
    QRect glyphs;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QColor c = picture.pixelColor(x, y);
            ASSERT_TRUE(c == red || c == paper) << x << "," << y;
            if (c == red) glyphs |= QRect(x, y, 1, 1);
        }
    ASSERT_GT(glyphs.height(), 15);
    EXPECT_GE(glyphs.left(), 20);
    EXPECT_GE(glyphs.top(), 10);
    for (int y = glyphs.top(); y < glyphs.top() + 15; ++y)
        for (int x = glyphs.left(); x <= glyphs.right(); ++x)
            ASSERT_EQ(picture.pixelColor(x, y), picture.pixelColor(x, y + 15)) << x << "," << y;
}
