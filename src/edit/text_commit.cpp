#include "edit/text_commit.h"

#include "edit/paint_target.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetrics>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <memory>

QStringList VisualLines(const QTextDocument& document, qreal textWidth) {
    // Lay out a copy so the box's own document and its view stay untouched.
    const std::unique_ptr<QTextDocument> copy(document.clone());
    copy->setTextWidth(textWidth);
    copy->documentLayout()->documentSize(); // finishes the layout of every block

    QStringList lines;
    for (QTextBlock block = copy->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        const QTextLayout* layout = block.layout();
        if (!layout || layout->lineCount() == 0) {
            lines << text;
            continue;
        }
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            QString part = text.mid(line.textStart(), line.textLength());
            // A forced line break inside a paragraph ends its line.
            if (part.endsWith(QChar::LineSeparator)) part.chop(1);
            lines << part;
        }
    }
    return lines;
}

int LinePitch(const QFont& font) {
    long points = font.pointSize();
    if (points <= 0) points = std::lround(font.pointSizeF());
    // A font sized in pixels counts at 96 dots per inch.
    if (points <= 0 && font.pixelSize() > 0) points = std::lround(font.pixelSize() * 0.75);
    return static_cast<int>(std::max(points, 0L)) + 4;
}

QFont PaintFont(const QFont& boxFont, int dpi) {
    QFont font = boxFont;
    if (boxFont.pointSizeF() > 0 && dpi > 0)
        font.setPixelSize(
            std::max(1, static_cast<int>(std::lround(boxFont.pointSizeF() * dpi / 72.0))));
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

void DrawTextLines(QImage& picture, const QStringList& lines, QPoint origin, const QFont& font,
                   const QColor& color, int pitch) {
    if (picture.isNull()) return;
    EnsurePaintable(picture);
    QPainter p(&picture);
    p.setFont(font);
    p.setPen(color);
    p.setBackgroundMode(Qt::TransparentMode);
    const int ascent = QFontMetrics(font, &picture).ascent();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].isEmpty()) continue;
        p.drawText(QPoint(origin.x(), origin.y() + int(i) * pitch + ascent), lines[i]);
    }
}
