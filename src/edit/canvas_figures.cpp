#include "edit/canvas_figures.h"

#include <QColor>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>

namespace {

// Coordinates beyond this are pulled in; no picture comes near it, and it keeps every
// product of the line arithmetic inside 64 bits.
constexpr int kCoordLimit = 1 << 28;

QPoint Clamped(QPoint p) {
    return QPoint(std::clamp(p.x(), -kCoordLimit, kCoordLimit),
                  std::clamp(p.y(), -kCoordLimit, kCoordLimit));
}

// The dash-dot-dot pattern of a 1-pixel pen: 9 on, 3 off, 3 on, 3 off, 3 on, 3 off.
bool PatternOn(long long index) {
    const long long k = index % 24;
    return k < 9 || (k >= 12 && k < 15) || (k >= 18 && k < 21);
}

// How many pixels row i of a box of height h lies inside the box's left (and right) edge
// when the corners are rounded with a cw x ch ellipse. The ellipse's upper half forms the top
// rows, its lower half the bottom rows, its widest row every row in between. A row's pixels
// are those whose centres lie inside the ellipse.
int CornerOffset(int i, int h, int cw, int ch) {
    if (cw <= 1 || ch <= 1) return 0;
    const int half = ch / 2;
    int ci = half;
    if (i < half)
        ci = i;
    else if (i >= h - half)
        ci = i - (h - ch);
    const double a = cw / 2.0;
    const double b = ch / 2.0;
    const double t = std::fabs(ci + 0.5 - b) / b;
    const double halfWidth = a * std::sqrt(std::max(0.0, 1.0 - t * t));
    const int offset = static_cast<int>(std::ceil(a - halfWidth - 0.5));
    return std::clamp(offset, 0, (cw - 1) / 2);
}

// A few rectangles covering the spans: rows grouped in bands of 16, runs closer than 32
// pixels joined. The rectangles are in the banded order a region is built from.
QRegion CoverRegion(const std::vector<PixelSpan>& spans) {
    constexpr int kBand = 16;
    constexpr int kGap = 32;
    std::vector<QRect> rects;
    std::vector<std::pair<int, int>> runs;
    std::size_t i = 0;
    while (i < spans.size()) {
        const int band = spans[i].y / kBand;
        const int top = spans[i].y;
        int bottom = top;
        runs.clear();
        for (; i < spans.size() && spans[i].y / kBand == band; ++i) {
            bottom = spans[i].y;
            runs.emplace_back(spans[i].x0, spans[i].x1);
        }
        std::sort(runs.begin(), runs.end());
        int x0 = runs.front().first, x1 = runs.front().second;
        for (std::size_t k = 1; k < runs.size(); ++k) {
            if (runs[k].first <= x1 + kGap) {
                x1 = std::max(x1, runs[k].second);
                continue;
            }
            rects.emplace_back(QPoint(x0, top), QPoint(x1, bottom));
            x0 = runs[k].first;
            x1 = runs[k].second;
        }
        rects.emplace_back(QPoint(x0, top), QPoint(x1, bottom));
    }
    QRegion region;
    if (!rects.empty()) region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}

void ApplySpans(QImage& picture, const std::vector<PixelSpan>& spans, QRgb color, RasterMode mode) {
    const int w = picture.width();
    const int h = picture.height();
    const qsizetype bpl = picture.bytesPerLine();
    uchar* bits = picture.bits();
    const bool wide = picture.format() != QImage::Format_RGB888;
    const std::uint32_t rgb = color & 0x00FFFFFFu;
    const std::uint32_t flip = ~color & 0x00FFFFFFu;
    const uchar bytes[3] = {static_cast<uchar>(qRed(color)), static_cast<uchar>(qGreen(color)),
                            static_cast<uchar>(qBlue(color))};
    for (const PixelSpan& s : spans) {
        if (s.y < 0 || s.y >= h) continue;
        const int x0 = std::max(s.x0, 0);
        const int x1 = std::min(s.x1, w - 1);
        uchar* row = bits + bpl * s.y;
        if (wide) {
            auto* p = reinterpret_cast<std::uint32_t*>(row);
            if (mode == RasterMode::NotXor) {
                // NOT(pen XOR pixel) is pixel XOR (NOT pen); the alpha byte stays.
                for (int x = x0; x <= x1; ++x)
                    p[x] ^= flip;
            } else {
                for (int x = x0; x <= x1; ++x)
                    p[x] = 0xFF000000u | rgb;
            }
        } else {
            for (int x = x0; x <= x1; ++x) {
                uchar* px = row + 3 * x;
                for (int c = 0; c < 3; ++c)
                    px[c] = mode == RasterMode::NotXor ? static_cast<uchar>(~(bytes[c] ^ px[c]))
                                                       : bytes[c];
            }
        }
    }
}

} // namespace

Figure::Figure(QSize picture, PenStyle style) : size_(picture), style_(style) {}

void Figure::include(const QRect& r) {
    bounds_ = bounds_.isNull() ? r : bounds_.united(r);
}

void Figure::addPixel(int x, int y) {
    merged_ = false;
    if (!spans_.empty()) {
        PixelSpan& last = spans_.back();
        if (last.y == y && x == last.x1 + 1) {
            last.x1 = x;
            return;
        }
        if (last.y == y && x == last.x0 - 1) {
            last.x0 = x;
            return;
        }
    }
    spans_.push_back({y, x, x});
}

void Figure::addRun(int y, long long x0, long long x1) {
    if (y < 0 || y >= size_.height()) return;
    x0 = std::max<long long>(x0, 0);
    x1 = std::min<long long>(x1, size_.width() - 1);
    if (x0 > x1) return;
    spans_.push_back({y, static_cast<int>(x0), static_cast<int>(x1)});
    merged_ = false;
}

void Figure::addSegment(QPoint a, QPoint b) {
    a = Clamped(a);
    b = Clamped(b);
    const long long dx = static_cast<long long>(b.x()) - a.x();
    const long long dy = static_cast<long long>(b.y()) - a.y();
    if (dx == 0 && dy == 0) return;
    include(QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                  QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y()))));
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const long long n = std::max(std::llabs(dx), std::llabs(dy));
    const long long minorDelta = xMajor ? std::llabs(dy) : std::llabs(dx);
    const long long majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const long long minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const long long major0 = xMajor ? a.x() : a.y();
    const long long minor0 = xMajor ? a.y() : a.x();
    const long long majorSize = xMajor ? size_.width() : size_.height();
    const long long minorSize = xMajor ? size_.height() : size_.width();
    // Only the steps whose major coordinate lies on the picture are visited; the end point
    // (step n) is not drawn.
    long long lo = majorStep > 0 ? -major0 : major0 - (majorSize - 1);
    long long hi = majorStep > 0 ? majorSize - 1 - major0 : major0;
    lo = std::max(lo, 0LL);
    hi = std::min(hi, n - 1);
    for (long long i = lo; i <= hi; ++i) {
        if (style_ == PenStyle::DashDotDot && !PatternOn(i)) continue;
        const long long minor = minor0 + minorStep * ((2 * i * minorDelta + n) / (2 * n));
        if (minor < 0 || minor >= minorSize) continue;
        const long long major = major0 + majorStep * i;
        if (xMajor)
            addPixel(static_cast<int>(major), static_cast<int>(minor));
        else
            addPixel(static_cast<int>(minor), static_cast<int>(major));
    }
}

void Figure::addLine(QPoint a, QPoint b) {
    addSegment(a, b);
}

void Figure::addArrowHead(QPoint p, QPoint q) {
    const auto ends = ArrowBarbEnds(p, q);
    if (!ends) return;
    addSegment(q, (*ends)[0]);
    addSegment(q, (*ends)[1]);
}

void Figure::addBox(QPoint a, QPoint b) {
    a = Clamped(a);
    b = Clamped(b);
    const int x0 = std::min(a.x(), b.x()), x1 = std::max(a.x(), b.x());
    const int y0 = std::min(a.y(), b.y()), y1 = std::max(a.y(), b.y());
    const int w = x1 - x0, h = y1 - y0;
    if (w == 0 && h == 0) return;
    if (w <= 1 || h <= 1) {
        // One column or one row. A box without width or height is drawn as that line too:
        // its two edges would otherwise fall on the same pixels.
        if (h == 0 || (h == 1 && w > 1))
            addSegment(QPoint(x0, y0), QPoint(x1, y0));
        else
            addSegment(QPoint(x0, y0), QPoint(x0, y1));
        return;
    }
    include(QRect(x0, y0, w, h));
    if (style_ == PenStyle::DashDotDot) {
        addStyledBox(x0, y0, w, h);
        return;
    }
    addRun(y0, x0, x1 - 1);
    for (int y = std::max(y0 + 1, 0); y <= std::min(y1 - 2, size_.height() - 1); ++y) {
        addRun(y, x0, x0);
        addRun(y, x1 - 1, x1 - 1);
    }
    addRun(y1 - 1, x0, x1 - 1);
}

void Figure::addStyledBox(int x0, int y0, int w, int h) {
    // The outline is walked clockwise from the top-left corner; the pattern runs along it.
    const int x1 = x0 + w, y1 = y0 + h;
    const long long W = size_.width(), H = size_.height();
    if (y0 >= 0 && y0 < H) {
        for (long long k = std::max(0LL, -1LL * x0); k <= std::min<long long>(w - 1, W - 1 - x0);
             ++k)
            if (PatternOn(k)) addPixel(static_cast<int>(x0 + k), y0);
    }
    if (x1 - 1 >= 0 && x1 - 1 < W) {
        for (long long k = std::max(1LL, -1LL * y0); k <= std::min<long long>(h - 1, H - 1 - y0);
             ++k)
            if (PatternOn(w - 1 + k)) addPixel(x1 - 1, static_cast<int>(y0 + k));
    }
    if (y1 - 1 >= 0 && y1 - 1 < H) {
        for (long long k = std::max<long long>(1, x1 - W); k <= std::min<long long>(w - 1, x1 - 1);
             ++k)
            if (PatternOn(w - 1 + h - 1 + k)) addPixel(static_cast<int>(x1 - 1 - k), y1 - 1);
    }
    if (x0 >= 0 && x0 < W) {
        for (long long k = std::max<long long>(1, y1 - H); k <= std::min<long long>(h - 2, y1 - 1);
             ++k)
            if (PatternOn(2LL * (w - 1) + h - 1 + k)) addPixel(x0, static_cast<int>(y1 - 1 - k));
    }
}

void Figure::addEllipse(QPoint a, QPoint b) {
    a = Clamped(a);
    b = Clamped(b);
    addRounded(a, b, std::abs(b.x() - a.x()), std::abs(b.y() - a.y()));
}

void Figure::addRoundRect(QPoint a, QPoint b, QSize corner) {
    a = Clamped(a);
    b = Clamped(b);
    const int cw = std::min(std::abs(corner.width()), std::abs(b.x() - a.x()));
    const int ch = std::min(std::abs(corner.height()), std::abs(b.y() - a.y()));
    addRounded(a, b, cw, ch);
}

void Figure::addRounded(QPoint a, QPoint b, int cw, int ch) {
    const int x0 = std::min(a.x(), b.x()), x1 = std::max(a.x(), b.x());
    const int y0 = std::min(a.y(), b.y()), y1 = std::max(a.y(), b.y());
    const int w = x1 - x0, h = y1 - y0;
    if (w == 0 || h == 0) {
        addBox(a, b);
        return;
    }
    include(QRect(x0, y0, w, h));
    std::vector<PixelSpan> others;
    const bool styled = style_ == PenStyle::DashDotDot;
    if (styled) {
        // The outline is built alone first and then walked for the pattern.
        spans();
        others.swap(spans_);
    }
    const int top = std::max(y0, 0), bottom = std::min(y1 - 1, size_.height() - 1);
    for (int y = top; y <= bottom; ++y) {
        const int i = y - y0;
        const int offset = CornerOffset(i, h, cw, ch);
        const long long left = static_cast<long long>(x0) + offset;
        const long long right = static_cast<long long>(x1) - 1 - offset;
        if (i == 0 || i == h - 1) {
            addRun(y, left, right);
            continue;
        }
        // Each side reaches over to where the next row outwards begins, so the outline has no
        // gaps where it runs flat.
        const int outer = CornerOffset(i <= (h - 1) / 2 ? i - 1 : i + 1, h, cw, ch);
        addRun(y, left, std::max(left, static_cast<long long>(x0) + outer - 1));
        addRun(y, std::min(right, static_cast<long long>(x1) - outer), right);
    }
    if (styled) {
        spans();
        std::vector<PixelSpan> outline;
        outline.swap(spans_);
        spans_.swap(others);
        merged_ = false;
        addStyledClosed(std::move(outline), QPointF(x0 + w / 2.0, y0 + h / 2.0), QPointF(x0, y0));
    }
}

void Figure::addStyledClosed(std::vector<PixelSpan> outline, QPointF centre, QPointF start) {
    // Walk the closed outline clockwise from the direction of `start`, ordering its pixels by
    // their angle around the centre; the pattern counts the visible pixels.
    struct Walked {
        double angle;
        int y, x;
    };
    std::vector<Walked> pixels;
    const double startAngle = std::atan2(start.y() - centre.y(), start.x() - centre.x());
    constexpr double kTurn = 2 * std::numbers::pi;
    for (const PixelSpan& s : outline) {
        for (int x = s.x0; x <= s.x1; ++x) {
            const double angle =
                std::atan2(s.y + 0.5 - centre.y(), x + 0.5 - centre.x()) - startAngle;
            pixels.push_back({std::fmod(angle + 2 * kTurn, kTurn), s.y, x});
        }
    }
    std::sort(pixels.begin(), pixels.end(), [](const Walked& l, const Walked& r) {
        if (l.angle != r.angle) return l.angle < r.angle;
        return l.y != r.y ? l.y < r.y : l.x < r.x;
    });
    for (std::size_t k = 0; k < pixels.size(); ++k)
        if (PatternOn(static_cast<long long>(k))) addPixel(pixels[k].x, pixels[k].y);
}

const std::vector<PixelSpan>& Figure::spans() {
    if (merged_) return spans_;
    std::sort(spans_.begin(), spans_.end(), [](const PixelSpan& l, const PixelSpan& r) {
        return l.y != r.y ? l.y < r.y : l.x0 < r.x0;
    });
    std::size_t out = 0;
    for (std::size_t i = 0; i < spans_.size(); ++i) {
        if (out > 0 && spans_[out - 1].y == spans_[i].y && spans_[i].x0 <= spans_[out - 1].x1 + 1) {
            spans_[out - 1].x1 = std::max(spans_[out - 1].x1, spans_[i].x1);
            continue;
        }
        spans_[out++] = spans_[i];
    }
    spans_.resize(out);
    merged_ = true;
    return spans_;
}

QRegion Figure::draw(QImage& picture, QRgb color, RasterMode mode) {
    const std::vector<PixelSpan>& visible = spans();
    if (visible.empty() || !MakeDrawable(picture)) return QRegion();
    ApplySpans(picture, visible, color, mode);
    return CoverRegion(visible);
}

QRegion DrawBox(QImage& picture, QPoint a, QPoint b, const CanvasPen& pen) {
    Figure f(picture.size(), pen.style);
    f.addBox(a, b);
    return f.draw(picture, pen.color, pen.mode);
}

QRegion DrawEllipse(QImage& picture, QPoint a, QPoint b, const CanvasPen& pen) {
    Figure f(picture.size(), pen.style);
    f.addEllipse(a, b);
    return f.draw(picture, pen.color, pen.mode);
}

QRegion DrawRoundRect(QImage& picture, QPoint a, QPoint b, QSize corner, const CanvasPen& pen) {
    Figure f(picture.size(), pen.style);
    f.addRoundRect(a, b, corner);
    return f.draw(picture, pen.color, pen.mode);
}

QRegion DrawLine(QImage& picture, QPoint a, QPoint b, const CanvasPen& pen) {
    Figure f(picture.size(), pen.style);
    f.addLine(a, b);
    return f.draw(picture, pen.color, pen.mode);
}

QRegion DrawArrowHead(QImage& picture, QPoint p, QPoint q, const CanvasPen& pen) {
    Figure f(picture.size(), pen.style);
    f.addArrowHead(p, q);
    return f.draw(picture, pen.color, pen.mode);
}

std::optional<std::array<QPoint, 2>> ArrowBarbEnds(QPoint p, QPoint q) {
    // Differences and the sum of squares wrap around like 32-bit integers.
    const auto dx = static_cast<std::int32_t>(static_cast<std::uint32_t>(p.x()) -
                                              static_cast<std::uint32_t>(q.x()));
    const auto dy = static_cast<std::int32_t>(static_cast<std::uint32_t>(p.y()) -
                                              static_cast<std::uint32_t>(q.y()));
    const auto sum =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(dx) * static_cast<std::uint32_t>(dx) +
                                  static_cast<std::uint32_t>(dy) * static_cast<std::uint32_t>(dy));
    const double l = std::sqrt(static_cast<double>(sum));
    if (!(l > 0.0)) return std::nullopt;
    const double ends[4] = {
        std::trunc(((dx + dy / 2.0) * 10.0 / l) + q.x()),
        std::trunc(((dy - dx / 2.0) * 10.0 / l) + q.y()),
        std::trunc(((dx - dy / 2.0) * 10.0 / l) + q.x()),
        std::trunc(((dy + dx / 2.0) * 10.0 / l) + q.y()),
    };
    for (double v : ends)
        if (!(v >= INT32_MIN && v <= INT32_MAX)) return std::nullopt;
    return std::array<QPoint, 2>{QPoint(static_cast<int>(ends[0]), static_cast<int>(ends[1])),
                                 QPoint(static_cast<int>(ends[2]), static_cast<int>(ends[3]))};
}

bool MakeDrawable(QImage& picture) {
    if (picture.isNull()) return false;
    switch (picture.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_RGB888:
        return true;
    default:
        break;
    }
    picture.convertTo(picture.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    return !picture.isNull() &&
           (picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32);
}

namespace {

// Fills the picture with black, or with the palette entry nearest to black.
void FillBlack(QImage& out) {
    const QImage::Format f = out.format();
    if (f == QImage::Format_Indexed8 || f == QImage::Format_Mono || f == QImage::Format_MonoLSB) {
        const QList<QRgb> table = out.colorTable();
        uint black = 0;
        for (qsizetype i = 1; i < table.size(); ++i)
            if (qRed(table[i]) + qGreen(table[i]) + qBlue(table[i]) <
                qRed(table[black]) + qGreen(table[black]) + qBlue(table[black]))
                black = static_cast<uint>(i);
        out.fill(black);
    } else {
        out.fill(QColor(Qt::black));
    }
}

} // namespace

QImage CropPicture(const QImage& picture, QRect selection) {
    if (selection.width() <= 0 || selection.height() <= 0) return QImage();
    const QImage::Format format = picture.isNull() ? QImage::Format_RGB32 : picture.format();
    QImage out(selection.size(), format);
    if (out.isNull()) return out;
    out.setColorTable(picture.colorTable());
    if (!picture.isNull()) {
        out.setDotsPerMeterX(picture.dotsPerMeterX());
        out.setDotsPerMeterY(picture.dotsPerMeterY());
    }
    const QRect inside = selection & picture.rect();
    // A selection within the picture overwrites every byte of the rows; only one reaching
    // past its edges, or rows with padding or bit pixels, need the black background first.
    const bool copiedWhole = inside == selection && picture.depth() % 8 == 0 &&
                             out.bytesPerLine() == qsizetype(out.width()) * (out.depth() / 8);
    if (!copiedWhole) FillBlack(out);
    if (inside.isEmpty()) return out;
    const int depth = picture.depth();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        const int outY = y - selection.y();
        if (depth % 8 == 0) {
            const int bpp = depth / 8;
            std::memcpy(out.scanLine(outY) +
                            static_cast<qsizetype>(inside.x() - selection.x()) * bpp,
                        picture.constScanLine(y) + static_cast<qsizetype>(inside.x()) * bpp,
                        static_cast<std::size_t>(inside.width()) * bpp);
        } else {
            for (int x = inside.left(); x <= inside.right(); ++x)
                out.setPixel(x - selection.x(), outY, picture.pixelIndex(x, y));
        }
    }
    return out;
}
