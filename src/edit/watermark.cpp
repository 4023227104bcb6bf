#include "edit/watermark.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

float WatermarkWeight(int transparent) {
    // The bar yields 1..10; a value from elsewhere is kept within what a blend can take.
    const int t = std::clamp(transparent, 0, 10);
    return static_cast<float>(t / 10.0);
}

int BlendByte(int old, int mark, float a) {
    return static_cast<int>(std::trunc((1.0 - a) * old + static_cast<double>(a) * mark));
}

QImage MakeTextWatermark(const QString& text) {
    QFont font("Courier New");
    font.setPointSize(11);
    font.setBold(true);
    QImage probe(1, 1, QImage::Format_RGB888);
    const QFontMetrics fm(font, &probe);
    QImage label(fm.horizontalAdvance(text) + 20, fm.height() + 5, QImage::Format_RGB888);
    label.fill(Qt::white);
    QPainter p(&label);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(10, 5 + fm.ascent(), text);
    return label;
}

QImage MakeWatermarkImage(const WatermarkSettings& s, const QImage& preview) {
    if (s.type == 0) return MakeTextWatermark(s.text);
    if (s.type == 1 && !preview.isNull()) return preview.convertToFormat(QImage::Format_RGB888);
    return QImage();
}

QPoint WatermarkOrigin(QSize picture, QSize mark, int markX, int markY, bool reverse) {
    if (reverse)
        return QPoint(picture.width() - mark.width() - markX,
                      picture.height() - mark.height() - markY);
    return QPoint(markX, markY);
}

namespace {

// Every (old, mark) pair's result for one weight: the blend then runs on raw rows.
using BlendTable = std::array<std::array<uchar, 256>, 256>;

void FillTable(BlendTable& table, float a) {
    for (int old = 0; old < 256; ++old)
        for (int mark = 0; mark < 256; ++mark)
            table[old][mark] = static_cast<uchar>(std::clamp(BlendByte(old, mark, a), 0, 255));
}

} // namespace

void BlendWatermark(QImage& picture, const QImage& markIn, QPoint origin, float a) {
    // The blend runs down the mark's rows and ends at the first row outside the picture: a
    // mark that starts above the picture blends nothing, one reaching below it is blended
    // down to the picture's last row. Columns outside the picture are skipped.
    if (picture.isNull() || markIn.isNull() || origin.y() < 0) return;
    const QRect covered =
        QRect(origin, markIn.size()).intersected(QRect(QPoint(0, 0), picture.size()));
    if (covered.isEmpty()) return;

    const QImage mark = markIn.format() == QImage::Format_RGB888
                            ? markIn
                            : markIn.convertToFormat(QImage::Format_RGB888);
    int step = 0, r = 0, g = 0, b = 0; // byte layout of one picture pixel
    switch (picture.format()) {
    case QImage::Format_RGB888:
        step = 3, r = 0, g = 1, b = 2;
        break;
    case QImage::Format_BGR888:
        step = 3, r = 2, g = 1, b = 0;
        break;
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
        // 0xAARRGGBB in native (little-endian) order: B, G, R, A.
        step = 4, r = 2, g = 1, b = 0;
        break;
    default:
        picture = picture.convertToFormat(QImage::Format_RGB32);
        step = 4, r = 2, g = 1, b = 0;
        break;
    }

    // A pure cache: the table of the last weight, refilled when the weight changes (the
    // pictures are blended on the interface thread only).
    static BlendTable table;
    static float tableWeight = -1.0f;
    if (tableWeight != a) {
        FillTable(table, a);
        tableWeight = a;
    }

    for (int y = covered.top(); y <= covered.bottom(); ++y) {
        uchar* dst = picture.scanLine(y) + covered.left() * step;
        const uchar* src = mark.constScanLine(y - origin.y()) + (covered.left() - origin.x()) * 3;
        for (int x = covered.left(); x <= covered.right(); ++x, dst += step, src += 3) {
            dst[r] = table[dst[r]][src[0]];
            dst[g] = table[dst[g]][src[1]];
            dst[b] = table[dst[b]][src[2]];
        }
    }
}

void DrawWatermark(QImage& picture, const WatermarkSettings& s, bool reverse,
                   const QImage& preview) {
    if (s.type != 0 && s.type != 1) return;
    const QImage mark = MakeWatermarkImage(s, preview);
    if (mark.isNull()) return;
    const QPoint origin = WatermarkOrigin(picture.size(), mark.size(), s.markX, s.markY, reverse);
    BlendWatermark(picture, mark, origin, WatermarkWeight(s.transparent));
}
