// Draws the program's artwork (button pictures, glyphs, frame strips, backgrounds) and
// writes it as 24-bit BMP files into <resources>/bmp and baseline JPEG files into
// <resources>/jpg, and the program's icon as SVG and PNG files into <resources>/icons.
// Run on the offscreen platform: draw_artwork <resources folder>.
//
// Glyph bitmaps keep the speed-button convention: their bottom-left pixel holds the key
// colour RGB(255,0,255), and every pixel of that colour shows as transparent. Picture
// buttons are opaque and drawn complete.
#include <QDir>
#include <QFileInfo>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>
#include <QtMath>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

const QColor kPanel(245, 250, 254);
const QColor kKey(255, 0, 255);
const QColor kAccent(0x2b, 0x6c, 0xb0);
const QColor kAccentDark(0x1f, 0x4e, 0x84);
const QColor kAccentSoft(0xdb, 0xe9, 0xf8);
const QColor kInk(0x2d, 0x37, 0x48);
const QColor kBorder(0xbc, 0xce, 0xe2);
const QColor kRed(0xe0, 0x3e, 0x3e);
const QColor kGreen(0x2f, 0x9e, 0x5b);
const QColor kFolder(0xf4, 0xc4, 0x4e);
const QColor kFolderBack(0xe0, 0xa3, 0x2a);
const QColor kFolderEdge(0xb0, 0x7b, 0x16);

const QString kCjkFamily = QStringLiteral("WenQuanYi Micro Hei");
const QString kLatinFamily = QStringLiteral("Liberation Sans");

QFont CjkFont(int pixels) {
    QFont font(kCjkFamily);
    font.setPixelSize(pixels);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QFont LatinFont(int pixels, bool bold = true) {
    QFont font(kLatinFamily);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// Latin letters from Liberation Sans, Chinese characters from WenQuanYi.
QFont MixedFont(int pixels, bool bold) {
    QFont font;
    font.setFamilies({kLatinFamily, kCjkFamily});
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QPen Stroke(const QColor& colour, qreal width) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Draws an icon into a design box of the given size; the caller scales it.
using Icon = std::function<void(QPainter&)>;

// Renders an icon on a transparent layer of size x size pixels from a design box of
// `design` units.
QImage RenderIcon(int size, qreal design, const Icon& icon) {
    QImage layer(size, size, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    QPainter p(&layer);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(size / design, size / design);
    icon(p);
    return layer;
}

// A filled arrowhead whose tip is at `tip`, pointing along `dir`.
void ArrowHead(QPainter& p, QPointF tip, QPointF dir, qreal length, qreal halfWidth,
               const QColor& colour) {
    const qreal norm = std::hypot(dir.x(), dir.y());
    const QPointF d(dir.x() / norm, dir.y() / norm);
    const QPointF n(-d.y(), d.x());
    const QPointF base = tip - d * length;
    const QPointF head[3] = {tip, base + n * halfWidth, base - n * halfWidth};
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(head, 3);
    p.restore();
}

// ---- icons of the picture buttons, 16-unit design box ----

// The classic pointer arrow with its tip at `tip`.
void Cursor(QPainter& p, QPointF tip, qreal scale) {
    const QPointF shape[] = {{0, 0},      {0, 10.5},  {2.6, 8.2}, {4.3, 12},
                             {6.1, 11.2}, {4.5, 7.6}, {7.8, 7.6}};
    QPolygonF polygon;
    for (const QPointF& point : shape)
        polygon << tip + point * scale;
    p.setPen(QPen(Qt::white, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(kInk);
    p.drawPolygon(polygon);
}

void IconSelection(QPainter& p) {
    QPen dashed(kAccent, 1.3, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
    dashed.setDashPattern({2.0, 1.4});
    p.setPen(dashed);
    p.setBrush(QColor(43, 108, 176, 40));
    p.drawRect(QRectF(1.2, 1.7, 11, 9.3));
    Cursor(p, {7.6, 5.2}, 0.88);
}

void IconMonitor(QPainter& p) {
    p.setPen(Stroke(kAccent, 1.5));
    p.setBrush(kAccentSoft);
    p.drawRoundedRect(QRectF(1.25, 1.75, 13.5, 9.5), 1.5, 1.5);
    p.drawLine(QPointF(8, 11.5), QPointF(8, 13.6));
    p.drawLine(QPointF(4.8, 14.3), QPointF(11.2, 14.3));
    // Capture corners on the screen.
    p.setPen(Stroke(kAccentDark, 1.1));
    const qreal l = 3.6, r = 12.4, t = 4.0, b = 9.0, a = 2.0;
    p.drawPolyline(QPolygonF({{l, t + a}, {l, t}, {l + a, t}}));
    p.drawPolyline(QPolygonF({{r - a, t}, {r, t}, {r, t + a}}));
    p.drawPolyline(QPolygonF({{l, b - a}, {l, b}, {l + a, b}}));
    p.drawPolyline(QPolygonF({{r - a, b}, {r, b}, {r, b - a}}));
}

void IconGear(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.save();
    p.translate(8, 8);
    for (int i = 0; i < 8; ++i) {
        p.drawRoundedRect(QRectF(-1.6, -7.4, 3.2, 4), 0.7, 0.7);
        p.rotate(45);
    }
    p.restore();
    p.drawEllipse(QPointF(8, 8), 5.4, 5.4);
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.drawEllipse(QPointF(8, 8), 2.3, 2.3);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void IconPower(QPainter& p) {
    p.setPen(Stroke(kRed, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(2.2, 2.6, 11.6, 11.6), 125 * 16, 290 * 16);
    p.drawLine(QPointF(8, 1.3), QPointF(8, 7.6));
}

void IconQuestion(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawEllipse(QRectF(1, 1, 14, 14));
    p.setPen(Qt::white);
    p.setFont(LatinFont(12));
    p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, QStringLiteral("?"));
}

void IconRefresh(QPainter& p) {
    const QRectF ring(2.3, 2.3, 11.4, 11.4);
    const QPointF c = ring.center();
    const qreal r = ring.width() / 2;
    p.setPen(Stroke(kGreen, 1.7));
    p.setBrush(Qt::NoBrush);
    // Two arcs running counter-clockwise, each ending in an arrowhead.
    for (int start : {20, 200}) {
        const int span = 130;
        p.drawArc(ring, start * 16, span * 16);
        const qreal end = qDegreesToRadians(qreal(start + span + 18));
        const QPointF tip = c + QPointF(r * std::cos(end), -r * std::sin(end));
        ArrowHead(p, tip, {-std::sin(end), -std::cos(end)}, 4.2, 2.9, kGreen);
    }
}

void IconDoor(QPainter& p) {
    // Door frame on the right, the arrow leaving it to the left.
    p.setPen(Stroke(kAccent, 1.4));
    p.setBrush(kAccentSoft);
    p.drawRoundedRect(QRectF(6.2, 1.5, 8.3, 13), 1.2, 1.2);
    p.setBrush(kAccent);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(12.3, 8.3), 0.8, 0.8);
    p.setPen(Stroke(kAccentDark, 1.8));
    p.drawLine(QPointF(10.2, 8), QPointF(3.6, 8));
    ArrowHead(p, {0.8, 8}, {-1, 0}, 4.2, 3.4, kAccentDark);
}

// ---- edit toolbar glyphs, 18-unit design box ----

void GlyphText(QPainter& p) {
    p.setPen(kInk);
    p.setFont(LatinFont(15));
    p.drawText(QRectF(0, 0, 13, 18), Qt::AlignCenter, QStringLiteral("A"));
    p.setPen(QPen(kAccent, 1.0, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(15.5, 3), QPointF(15.5, 15));
    p.drawLine(QPointF(13.5, 2.5), QPointF(17.5, 2.5));
    p.drawLine(QPointF(13.5, 15.5), QPointF(17.5, 15.5));
}

void GlyphFont(QPainter& p) {
    p.setPen(kInk);
    p.setFont(LatinFont(15));
    p.drawText(QRectF(0, 0, 11, 17), Qt::AlignCenter, QStringLiteral("A"));
    p.setPen(kAccent);
    p.setFont(LatinFont(12));
    p.drawText(QRectF(9.5, 2, 8.5, 15), Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("a"));
}

void GlyphLine(QPainter& p) {
    p.setPen(Stroke(kAccent, 2.2));
    p.drawLine(QPointF(3, 15), QPointF(15, 3));
}

void GlyphSingleArrow(QPainter& p) {
    p.setPen(Stroke(kAccent, 2));
    p.drawLine(QPointF(3, 15), QPointF(12, 6));
    ArrowHead(p, {16, 2}, {1, -1}, 6.8, 3.6, kAccent);
}

void GlyphDoubleArrow(QPainter& p) {
    p.setPen(Stroke(kAccent, 2));
    p.drawLine(QPointF(6, 12), QPointF(12, 6));
    ArrowHead(p, {16, 2}, {1, -1}, 6.8, 3.6, kAccent);
    ArrowHead(p, {2, 16}, {-1, 1}, 6.8, 3.6, kAccent);
}

void GlyphEllipse(QPainter& p) {
    p.setPen(Stroke(kAccent, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(1.6, 3.6, 14.8, 10.8));
}

void GlyphRoundRect(QPainter& p) {
    p.setPen(Stroke(kAccent, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(2, 4, 14, 10), 3.5, 3.5);
}

void GlyphRect(QPainter& p) {
    p.setPen(QPen(kAccent, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(2, 4, 14, 10));
}

void GlyphResize(QPainter& p) {
    QPen dashed(kInk, 1.0, Qt::CustomDashLine, Qt::FlatCap);
    dashed.setDashPattern({2, 2});
    p.setPen(dashed);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(3.5, 3.5, 11, 11));
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    for (QPointF corner : {QPointF(2, 2), QPointF(13, 2), QPointF(2, 13), QPointF(13, 13)})
        p.drawRect(QRectF(corner, QSizeF(3, 3)));
    p.setPen(Stroke(kAccent, 1.2));
    p.drawLine(QPointF(7.2, 10.8), QPointF(10.8, 7.2));
    ArrowHead(p, {11.9, 6.1}, {1, -1}, 3, 1.9, kAccent);
    ArrowHead(p, {6.1, 11.9}, {-1, 1}, 3, 1.9, kAccent);
}

void GlyphCancel(QPainter& p) {
    p.setPen(Stroke(kRed, 2.6));
    p.drawLine(QPointF(4, 4), QPointF(14, 14));
    p.drawLine(QPointF(14, 4), QPointF(4, 14));
}

void GlyphOk(QPainter& p) {
    p.setPen(Stroke(kGreen, 2.8));
    p.drawPolyline(QPolygonF({{2.8, 9.6}, {7.2, 14}, {15.4, 4.4}}));
}

void GlyphUndo(QPainter& p) {
    QPainterPath path;
    path.moveTo(15, 15);
    path.cubicTo(15, 9.5, 12, 6.5, 7.5, 6.5);
    path.lineTo(5.5, 6.5);
    p.setPen(Stroke(kAccent, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    ArrowHead(p, {1, 6.5}, {-1, 0}, 5.2, 3.8, kAccent);
}

void GlyphRedo(QPainter& p) {
    p.translate(18, 0);
    p.scale(-1, 1);
    GlyphUndo(p);
}

void GlyphFloppy(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    const QPointF body[] = {{2, 2}, {13.2, 2}, {16, 4.8}, {16, 16}, {2, 16}};
    p.drawPolygon(body, 5);
    p.setBrush(kAccentSoft);
    p.drawRect(QRectF(5, 2, 7, 5));
    p.setBrush(kAccent);
    p.drawRect(QRectF(9.5, 3, 1.6, 3));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 10, 9, 6));
    p.setBrush(kBorder);
    p.drawRect(QRectF(6, 12, 6, 1));
}

void Lens(QPainter& p) {
    p.setPen(Stroke(kAccent, 2.8));
    p.drawLine(QPointF(12.3, 12.3), QPointF(16.2, 16.2));
    p.setPen(Stroke(kAccent, 1.6));
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(QPointF(7.5, 7.5), 5.9, 5.9);
}

void GlyphZoomIn(QPainter& p) {
    Lens(p);
    p.setPen(QPen(kInk, 1.5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(4.5, 7.5), QPointF(10.5, 7.5));
    p.drawLine(QPointF(7.5, 4.5), QPointF(7.5, 10.5));
}

void GlyphZoomOut(QPainter& p) {
    Lens(p);
    p.setPen(QPen(kInk, 1.5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(4.5, 7.5), QPointF(10.5, 7.5));
}

void GlyphZoomActual(QPainter& p) {
    Lens(p);
    // "1:1" set pixel by pixel: too small for a font.
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    for (int x : {4, 10}) {
        p.drawRect(QRectF(x, 5, 1, 5));
        p.drawRect(QRectF(x - 1, 6, 1, 1));
    }
    p.drawRect(QRectF(7, 6, 1, 1));
    p.drawRect(QRectF(7, 9, 1, 1));
}

void GlyphFit(QPainter& p) {
    p.setPen(QPen(kInk, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(kAccentSoft);
    p.drawRect(QRectF(7.5, 7.5, 3, 3));
    // An arrow out of the middle into each corner.
    for (int sx : {-1, 1}) {
        for (int sy : {-1, 1}) {
            const QPointF corner(9 + sx * 7, 9 + sy * 7);
            p.setPen(QPen(kAccent, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
            p.drawPolyline(
                QPolygonF({corner - QPointF(0, sy * 4), corner, corner - QPointF(sx * 4, 0)}));
            p.setPen(Stroke(kAccent, 1.5));
            p.drawLine(corner, corner - QPointF(sx * 4.6, sy * 4.6));
        }
    }
}

void GlyphWatermark(QPainter& p) {
    QPainterPath drop;
    drop.moveTo(9, 1.2);
    drop.cubicTo(11.5, 5.2, 15.2, 8.2, 15.2, 11.3);
    drop.arcTo(QRectF(2.8, 5.1, 12.4, 12.4), 0, -180);
    drop.cubicTo(2.8, 8.2, 6.5, 5.2, 9, 1.2);
    p.setPen(Stroke(kAccent, 1.3));
    p.setBrush(kAccentSoft);
    p.drawPath(drop);
    p.setPen(kAccentDark);
    p.setFont(LatinFont(8));
    p.drawText(QRectF(3, 7.5, 12, 9), Qt::AlignCenter, QStringLiteral("W"));
}

// ---- path bar glyphs, 20-unit design box ----

void FolderBack(QPainter& p, qreal right, qreal bottom) {
    QPainterPath back;
    back.moveTo(1.5, bottom);
    back.lineTo(1.5, 3.5);
    back.lineTo(6.5, 3.5);
    back.lineTo(8, 5.5);
    back.lineTo(right, 5.5);
    back.lineTo(right, bottom);
    back.closeSubpath();
    p.setPen(QPen(kFolderEdge, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(kFolderBack);
    p.drawPath(back);
}

void GlyphOpenFolder(QPainter& p) {
    FolderBack(p, 16.5, 16.5);
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(4, 6.5, 10, 4));
    const QPointF front[] = {{5.5, 9.5}, {19, 9.5}, {16.5, 16.5}, {1.5, 16.5}};
    p.setPen(QPen(kFolderEdge, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(kFolder);
    p.drawPolygon(front, 4);
}

void GlyphSelectPath(QPainter& p) {
    FolderBack(p, 16.5, 14.5);
    p.setPen(QPen(kFolderEdge, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(kFolder);
    p.drawRect(QRectF(1.5, 7.5, 15, 7));
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    for (qreal x : {10.5, 14.0, 17.5})
        p.drawEllipse(QPointF(x, 17.5), 1.5, 1.5);
}

void GlyphSaveSmall(QPainter& p) {
    p.translate(1, 1);
    GlyphFloppy(p);
}

// ---- bitmaps ----

// Flattens an icon layer onto the key colour: opaque enough pixels are blended over the
// toolbar colour they will be shown on, the rest become the key.
QImage KeyedGlyph(int size, const Icon& icon) {
    const QImage layer = RenderIcon(size, size, icon);
    QImage out(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(layer.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < size; ++x) {
            const int a = qAlpha(src[x]);
            if (a < 96) {
                dst[x] = kKey.rgb();
                continue;
            }
            // Premultiplied source over the panel colour.
            const int r = qRed(src[x]) + kPanel.red() * (255 - a) / 255;
            const int g = qGreen(src[x]) + kPanel.green() * (255 - a) / 255;
            const int b = qBlue(src[x]) + kPanel.blue() * (255 - a) / 255;
            QRgb colour = qRgb(qMin(r, 255), qMin(g, 255), qMin(b, 255));
            if ((colour & 0xFFFFFF) == (kKey.rgb() & 0xFFFFFF)) colour = qRgb(254, 0, 254);
            dst[x] = colour;
        }
    }
    out.setPixel(0, size - 1, kKey.rgb());
    return out;
}

QImage Opaque(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kPanel);
    return image;
}

QLinearGradient Vertical(qreal top, qreal bottom, const QColor& from, const QColor& to) {
    QLinearGradient gradient(0, top, 0, bottom);
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    return gradient;
}

void LightButtonFace(QPainter& p, const QRectF& rect, qreal radius) {
    p.setPen(QPen(kBorder, 1));
    p.setBrush(Vertical(rect.top(), rect.bottom(), Qt::white, QColor(233, 241, 250)));
    p.drawRoundedRect(rect, radius, radius);
}

// Left tool column button: icon at the left, label beside it.
QImage ToolColumnButton(const QString& label, const Icon& icon) {
    QImage image = Opaque(122, 24);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    LightButtonFace(p, QRectF(0.5, 0.5, 121, 23), 4);
    p.drawImage(QPoint(8, 4), RenderIcon(16, 16, icon));
    p.setPen(kInk);
    p.setFont(CjkFont(13));
    p.drawText(QRectF(32, 0, 88, 24), Qt::AlignLeft | Qt::AlignVCenter, label);
    return image;
}

QImage ContinueToggle(bool active) {
    QImage image = Opaque(116, 22);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box(5.5, 4.5, 13, 13);
    if (active) {
        p.setPen(QPen(QColor(0x7f, 0xaa, 0xd8), 1));
        p.setBrush(kAccentSoft);
        p.drawRoundedRect(QRectF(0.5, 0.5, 115, 21), 4, 4);
        p.setPen(Qt::NoPen);
        p.setBrush(kAccent);
        p.drawRoundedRect(box, 2.5, 2.5);
        p.setPen(Stroke(Qt::white, 1.8));
        p.drawPolyline(QPolygonF({{8.6, 11.2}, {11, 13.6}, {15.4, 8.2}}));
        p.setPen(kAccentDark);
    } else {
        p.setPen(QPen(QColor(0x9a, 0xab, 0xbf), 1));
        p.setBrush(Qt::white);
        p.drawRoundedRect(box, 2.5, 2.5);
        p.setPen(kInk);
    }
    p.setFont(CjkFont(13));
    p.drawText(QRectF(25, 0, 89, 22), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("连续截图"));
    return image;
}

QImage DialogButton(const QString& label, bool primary) {
    QImage image = Opaque(75, 25);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF face(0.5, 0.5, 74, 24);
    if (primary) {
        p.setPen(QPen(kAccentDark, 1));
        p.setBrush(Vertical(face.top(), face.bottom(), QColor(0x3d, 0x80, 0xc6), kAccent));
        p.drawRoundedRect(face, 4, 4);
        p.setPen(Qt::white);
    } else {
        LightButtonFace(p, face, 4);
        p.setPen(kInk);
    }
    p.setFont(CjkFont(13));
    p.drawText(QRectF(0, 0, 75, 25), Qt::AlignCenter, label);
    return image;
}

// Capture toolbar button, in the look of the left tool column: an 18-pixel icon at the
// left, the label beside it. The toolbar shows a picture unscaled only when it leaves its
// button's one-pixel hover frame free, so the face is drawn two pixels smaller than the
// button each way.
QImage CaptureBarButton(QSize button, const QString& label, const Icon& icon) {
    const QSize size = button - QSize(2, 2);
    QImage image = Opaque(size.width(), size.height());
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    LightButtonFace(p, QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 4);
    p.drawImage(QPoint(7, (size.height() - 18) / 2), RenderIcon(18, 16, icon));
    p.setPen(kInk);
    p.setFont(CjkFont(13));
    p.drawText(QRectF(32, 0, size.width() - 34, size.height()), Qt::AlignLeft | Qt::AlignVCenter,
               label);
    return image;
}

// Frame strip, uniform along the axis it is tiled on: darkest at the outer edge.
QImage FrameStrip(int width, int height, Qt::Orientation tiled, bool outerAtStart) {
    QImage image(width, height, QImage::Format_RGB32);
    const int depth = tiled == Qt::Horizontal ? height : width;
    const QColor outer(0x9d, 0xb9, 0xd8), inner = kPanel, edge(0x6f, 0x97, 0xc4);
    QPainter p(&image);
    for (int i = 0; i < depth; ++i) {
        const int fromOuter = outerAtStart ? i : depth - 1 - i;
        QColor colour = edge;
        if (fromOuter > 0) {
            const qreal t = qreal(fromOuter - 1) / (depth - 2);
            const qreal s = 1 - (1 - t) * (1 - t);
            colour = QColor::fromRgbF(outer.redF() + (inner.redF() - outer.redF()) * s,
                                      outer.greenF() + (inner.greenF() - outer.greenF()) * s,
                                      outer.blueF() + (inner.blueF() - outer.blueF()) * s);
        }
        if (tiled == Qt::Horizontal)
            p.fillRect(0, i, width, 1, colour);
        else
            p.fillRect(i, 0, 1, height, colour);
    }
    return image;
}

QImage ToolbarBackground() {
    QImage image(1600, 48, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(image.rect(), Vertical(0, 48, QColor(251, 253, 255), QColor(238, 244, 251)));
    p.fillRect(0, 0, 1600, 1, Qt::white);
    p.fillRect(0, 47, 1600, 1, QColor(0xcf, 0xdc, 0xeb));
    return image;
}

QImage PathBarBackground() {
    QImage image(1600, 26, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(image.rect(), Vertical(0, 26, QColor(252, 253, 255), kPanel));
    p.fillRect(0, 25, 1600, 1, QColor(0xdc, 0xe6, 0xf1));
    return image;
}

QImage VendorCard() {
    QImage image(122, 160, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 122, 160);
    sky.setColorAt(0, QColor(0x4a, 0x94, 0xd8));
    sky.setColorAt(1, kAccentDark);
    p.fillRect(image.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 22));
    p.drawEllipse(QPointF(108, 18), 44, 44);
    p.drawEllipse(QPointF(4, 150), 36, 36);

    // Emblem: a white tile with capture corners around a "Q".
    const QRectF tile(39, 16, 44, 44);
    p.setBrush(Qt::white);
    p.drawRoundedRect(tile, 11, 11);
    p.setPen(Stroke(kAccent, 2.4));
    const qreal l = 47, r = 75, t = 24, b = 52, a = 6;
    p.drawPolyline(QPolygonF({{l, t + a}, {l, t}, {l + a, t}}));
    p.drawPolyline(QPolygonF({{r - a, t}, {r, t}, {r, t + a}}));
    p.drawPolyline(QPolygonF({{l, b - a}, {l, b}, {l + a, b}}));
    p.drawPolyline(QPolygonF({{r - a, b}, {r, b}, {r, b - a}}));
    p.setPen(kAccent);
    p.setFont(LatinFont(22));
    p.drawText(tile, Qt::AlignCenter, QStringLiteral("Q"));

    p.setPen(Qt::white);
    p.setFont(MixedFont(19, true));
    p.drawText(QRectF(0, 66, 122, 26), Qt::AlignCenter, QStringLiteral("QEL软件"));
    p.setPen(QColor(255, 255, 255, 210));
    p.setFont(CjkFont(11));
    p.drawText(QRectF(0, 92, 122, 16), Qt::AlignCenter, QStringLiteral("截图 · 编辑 · 分享"));

    const QRectF pill(19, 120, 84, 26);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(pill, 13, 13);
    p.setPen(kAccentDark);
    p.setFont(CjkFont(13));
    p.drawText(pill, Qt::AlignCenter, QStringLiteral("更多软件 ›"));
    return image;
}

// ---- the program's icon, 256-unit design box ----

// The emblem of the vendor card turned round for the desktop: the card's blue sky as a
// rounded tile, white capture corners, and a white "Q" built from a ring and a tail (no
// font, so the SVG needs none). Below 32 pixels the corners are left out and the letter
// drawn larger and heavier, so that it stays readable at 16 pixels.
void ProgramIcon(QPainter& p, bool small) {
    const QRectF tileRect = small ? QRectF(4, 4, 248, 248) : QRectF(12, 12, 232, 232);
    const qreal radius = small ? 44 : 52;
    QPainterPath tile;
    tile.addRoundedRect(tileRect, radius, radius);
    QLinearGradient sky(tileRect.topLeft(), tileRect.bottomRight());
    sky.setColorAt(0, QColor(0x4a, 0x94, 0xd8));
    sky.setColorAt(1, kAccentDark);
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawPath(tile);
    p.setBrush(Qt::NoBrush);
    if (small) {
        const QPointF centre(122, 120);
        p.setPen(Stroke(Qt::white, 42));
        p.drawEllipse(centre, 62, 62);
        p.drawLine(centre + QPointF(34, 38), centre + QPointF(88, 90));
        return;
    }
    // The card's two soft circles, kept inside the tile.
    QPainterPath glow;
    glow.addEllipse(QPointF(222, 40), 86, 86);
    glow.addEllipse(QPointF(26, 232), 62, 62);
    p.setBrush(QColor(255, 255, 255, 26));
    p.drawPath(glow.intersected(tile));
    p.setBrush(Qt::NoBrush);

    p.setPen(Stroke(Qt::white, 20));
    const qreal l = 52, r = 204, t = 52, b = 204, a = 44;
    p.drawPolyline(QPolygonF({{l, t + a}, {l, t}, {l + a, t}}));
    p.drawPolyline(QPolygonF({{r - a, t}, {r, t}, {r, t + a}}));
    p.drawPolyline(QPolygonF({{l, b - a}, {l, b}, {l + a, b}}));
    p.drawPolyline(QPolygonF({{r - a, b}, {r, b}, {r, b - a}}));

    const QPointF centre(124, 122);
    p.setPen(Stroke(Qt::white, 22));
    p.drawEllipse(centre, 40, 40);
    p.drawLine(centre + QPointF(22, 24), centre + QPointF(46, 48));
}

constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// Writes icons/qelshot.svg and icons/qelshot-<size>.png for every size the desktop's icon
// theme asks for; returns the number of files that could not be written.
int WriteProgramIcon(const QDir& root) {
    int failures = 0;
    const QString svgPath = root.filePath("icons/qelshot.svg");
    QSvgGenerator svg;
    svg.setFileName(svgPath);
    svg.setSize(QSize(256, 256));
    svg.setViewBox(QRect(0, 0, 256, 256));
    svg.setTitle(QStringLiteral("QEL屏幕截图助手"));
    {
        QPainter p;
        if (p.begin(&svg)) {
            p.setRenderHint(QPainter::Antialiasing);
            ProgramIcon(p, false);
            p.end();
        }
    }
    if (!QFileInfo(svgPath).isFile() || QFileInfo(svgPath).size() == 0) {
        std::fprintf(stderr, "draw_artwork: cannot write %s\n", qPrintable(svgPath));
        ++failures;
    }
    for (int size : kIconSizes) {
        const bool small = size < 32;
        const QImage icon = RenderIcon(size, 256, [small](QPainter& p) {
                                ProgramIcon(p, small);
                            }).convertToFormat(QImage::Format_ARGB32);
        const QString path = root.filePath(QStringLiteral("icons/qelshot-%1.png").arg(size));
        if (!icon.save(path, "PNG")) {
            std::fprintf(stderr, "draw_artwork: cannot write %s\n", qPrintable(path));
            ++failures;
        }
    }
    return failures;
}

struct Artwork {
    QString name;
    bool jpeg;
    std::function<QImage()> draw;
};

std::vector<Artwork> Catalogue() {
    std::vector<Artwork> all;
    auto bmp = [&all](const char* name, std::function<QImage()> draw) {
        all.push_back({QString::fromLatin1(name), false, std::move(draw)});
    };
    auto jpg = [&all](const char* name, std::function<QImage()> draw) {
        all.push_back({QString::fromLatin1(name), true, std::move(draw)});
    };
    auto column = [&bmp](const char* name, const char* label, Icon icon) {
        bmp(name, [=] { return ToolColumnButton(QString::fromUtf8(label), icon); });
    };
    auto glyph = [&bmp](const char* name, int size, Icon icon) {
        bmp(name, [=] { return KeyedGlyph(size, icon); });
    };
    auto dialog = [&bmp](const char* name, const char* label, bool primary) {
        bmp(name, [=] { return DialogButton(QString::fromUtf8(label), primary); });
    };
    auto bar = [&bmp](const char* name, QSize button, const char* label, Icon icon) {
        bmp(name, [=] { return CaptureBarButton(button, QString::fromUtf8(label), icon); });
    };

    column("BtnMouseAreatPIC", "局部截图", IconSelection);
    column("BtnFullScreenCut", "全屏截图", IconMonitor);
    column("BtnOtherFun", "其他功能", IconGear);
    column("BtnExit", "退出", IconPower);
    column("BtnHelp", "帮助", IconQuestion);
    column("BtnOnlineUpdate", "在线更新", IconRefresh);

    bmp("cCoutinueCut", [] { return ContinueToggle(true); });
    bmp("ncCoutinueCut", [] { return ContinueToggle(false); });

    glyph("opendir", 20, GlyphOpenFolder);
    glyph("selectpath", 20, GlyphSelectPath);
    glyph("BtnSPSaveImg", 20, GlyphSaveSmall);

    glyph("BtnAddText", 18, GlyphText);
    glyph("BtnFontSet", 18, GlyphFont);
    glyph("BtnAddLine", 18, GlyphLine);
    glyph("BtnAddSingleArrow", 18, GlyphSingleArrow);
    glyph("BtnAddDoubleArrow", 18, GlyphDoubleArrow);
    glyph("BtnAddCircle", 18, GlyphEllipse);
    glyph("BtnAddRoundRec", 18, GlyphRoundRect);
    glyph("BtnAddRECT", 18, GlyphRect);
    glyph("BtnSetPicParam", 18, GlyphResize);
    glyph("BtnCancelAddText", 18, GlyphCancel);
    glyph("BtnAddTextOk", 18, GlyphOk);
    glyph("BtnReurnPic", 18, GlyphUndo);
    glyph("BtnBackupFore", 18, GlyphRedo);
    glyph("BtnSavePic", 18, GlyphFloppy);
    glyph("BtnZoomIn", 18, GlyphZoomIn);
    glyph("BtnZoomout", 18, GlyphZoomOut);
    glyph("BtnZoom", 18, GlyphZoomActual);
    glyph("BtnFileScreen", 18, GlyphFit);
    glyph("BtnWatermarkSet", 18, GlyphWatermark);

    dialog("btndefault", "默认", false);
    dialog("btnsave", "保存", true);
    dialog("BtnClose", "关闭", false);
    dialog("confirm", "确定", true);
    dialog("cancel", "取消", false);
    dialog("BtnSpSelectPicAdd", "浏览…", false);

    bar("BtnSpExistMainWin", {122, 26}, "返回", IconDoor);
    bar("BtnSpMouseCutScreen", {122, 25}, "局部截屏", IconSelection);
    bar("BtnSPFullScreenC", {122, 26}, "全屏截屏", IconMonitor);

    bmp("PnlTop", [] { return FrameStrip(64, 12, Qt::Horizontal, true); });
    bmp("PnlBottom", [] { return FrameStrip(64, 12, Qt::Horizontal, false); });
    bmp("PnlLeft", [] { return FrameStrip(10, 64, Qt::Vertical, true); });
    bmp("PnlRight", [] { return FrameStrip(10, 64, Qt::Vertical, false); });

    jpg("ImgFuntoolbar", ToolbarBackground);
    jpg("ImgText", PathBarBackground);
    jpg("QelSoft", VendorCard);
    return all;
}

bool FontPresent(const QString& family) {
    return QFontInfo(QFont(family)).family().compare(family, Qt::CaseInsensitive) == 0;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_artwork <resources folder>\n");
        return 2;
    }
    for (const QString& family : {kCjkFamily, kLatinFamily}) {
        if (!FontPresent(family)) {
            std::fprintf(stderr, "draw_artwork: font \"%s\" is not installed\n",
                         qPrintable(family));
            return 1;
        }
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    if (!root.mkpath("bmp") || !root.mkpath("jpg") || !root.mkpath("icons")) {
        std::fprintf(stderr, "draw_artwork: cannot create folders in %s\n", argv[1]);
        return 1;
    }
    int failures = 0;
    for (const Artwork& art : Catalogue()) {
        const QImage image = art.draw().convertToFormat(QImage::Format_RGB32);
        const QString path = art.jpeg ? root.filePath("jpg/" + art.name + ".jpg")
                                      : root.filePath("bmp/" + art.name + ".bmp");
        // Qt writes RGB32 as a 24-bit BMP with its file header, and JPEG as baseline.
        const bool saved = art.jpeg ? image.save(path, "JPG", 95) : image.save(path, "BMP");
        if (!saved) {
            std::fprintf(stderr, "draw_artwork: cannot write %s\n", qPrintable(path));
            ++failures;
        }
    }
    failures += WriteProgramIcon(root);
    return failures == 0 ? 0 : 1;
}
