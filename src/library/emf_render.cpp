// Enhanced metafiles: libemf2svg converts the records to SVG, which is rendered onto a
// white bitmap at the size of the header's frame (96 dots per inch), the frame filling it.
#include "library/codec_support.h"
#include "library/picture_codecs.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include <emf2svg.h>

namespace {

constexpr quint32 kEmrHeader = 1;
constexpr quint32 kEmrEof = 14;
constexpr quint32 kEmfSignature = 0x464D4520; // " EMF"
constexpr qsizetype kMinHeaderSize = 88;
constexpr double kHimetricPerInch = 2540.0;
constexpr double kScreenDpi = 96.0;

struct Rect {
    qint32 left, top, right, bottom;
};

Rect RectAt(const QByteArray& data, qsizetype at) {
    return {Le32s(data, at), Le32s(data, at + 4), Le32s(data, at + 8), Le32s(data, at + 12)};
}

struct EmfHeader {
    Rect bounds;                      // device units, inclusive
    Rect frame;                       // 0.01 mm, inclusive
    qint32 deviceWidth, deviceHeight; // reference device, pixels
    qint32 deviceWidthMm, deviceHeightMm;
};

// Checks the header and walks the records: each must be a whole number of 32-bit words
// within the data, and the list must end with the end record. libemf2svg is only handed
// data that passes; trailing bytes after the declared size are cut off, and the header's
// text fields are cleared.
bool ParseEmf(QByteArray& data, EmfHeader& h) {
    if (data.size() < kMinHeaderSize || Le32(data, 0) != kEmrHeader) return false;
    const quint32 headerSize = Le32(data, 4);
    if (headerSize < kMinHeaderSize || headerSize % 4 || headerSize > quint64(data.size()) ||
        Le32(data, 40) != kEmfSignature)
        return false;
    // The description and the pixel format are not drawn; libemf2svg reads the description
    // without regard to the header's size, so neither is handed over.
    std::memset(data.data() + 60, 0, 8);
    if (headerSize >= 100) std::memset(data.data() + 88, 0, 8);
    const quint32 declared = Le32(data, 48);
    if (declared < headerSize || declared > quint64(data.size())) return false;
    data.truncate(declared);
    h.bounds = RectAt(data, 8);
    h.frame = RectAt(data, 24);
    h.deviceWidth = Le32s(data, 72);
    h.deviceHeight = Le32s(data, 76);
    h.deviceWidthMm = Le32s(data, 80);
    h.deviceHeightMm = Le32s(data, 84);
    for (qsizetype at = 0;;) {
        if (at + 8 > data.size()) return false;
        const quint32 type = Le32(data, at);
        const quint32 size = Le32(data, at + 4);
        if (size < 8 || size % 4 || size > quint64(data.size() - at)) return false;
        if (at > 0 && type == kEmrHeader) return false;
        if (type == kEmrEof) return true;
        at += size;
    }
}

double Span(qint32 low, qint32 high) {
    return double(high) - double(low);
}

} // namespace

bool RenderEmfData(const QByteArray& input, QImage& out) {
    QByteArray data = input;
    EmfHeader h;
    if (!ParseEmf(data, h)) return false;

    // The picture's size: the frame at screen resolution, else the drawing's own bounds.
    const bool useFrame = Span(h.frame.left, h.frame.right) > 0 &&
                          Span(h.frame.top, h.frame.bottom) > 0 && h.deviceWidth > 0 &&
                          h.deviceHeight > 0 && h.deviceWidthMm > 0 && h.deviceHeightMm > 0;
    const double boundsWidth = Span(h.bounds.left, h.bounds.right);
    const double boundsHeight = Span(h.bounds.top, h.bounds.bottom);
    if (!useFrame && (boundsWidth <= 0 || boundsHeight <= 0)) return false;
    const double width =
        useFrame ? Span(h.frame.left, h.frame.right) * kScreenDpi / kHimetricPerInch : boundsWidth;
    const double height =
        useFrame ? Span(h.frame.top, h.frame.bottom) * kScreenDpi / kHimetricPerInch : boundsHeight;
    const qint64 pixelsWide = std::max<qint64>(1, std::llround(width));
    const qint64 pixelsHigh = std::max<qint64>(1, std::llround(height));
    // Refused before the converter runs or anything is drawn.
    if (!MetafilePixelCountAllowed(pixelsWide, pixelsHigh)) return false;

    generatorOptions options{};
    char noNamespace[] = "";
    options.nameSpace = noNamespace;
    options.verbose = false;
    options.emfplus = true;
    options.svgDelimiter = true;
    char* text = nullptr;
    size_t length = 0;
    const int converted = emf2svg(data.data(), size_t(data.size()), &text, &length, &options);
    const QByteArray svg = converted && text ? QByteArray(text, qsizetype(length)) : QByteArray();
    std::free(text);
    if (svg.isEmpty()) return false;

    // The converter's drawing is in device units, shifted so that the bounds start at 0.
    QRectF view(0, 0, boundsWidth, boundsHeight);
    if (useFrame) {
        const double perMmX = double(h.deviceWidth) / h.deviceWidthMm / 100.0;
        const double perMmY = double(h.deviceHeight) / h.deviceHeightMm / 100.0;
        view = QRectF(h.frame.left * perMmX - h.bounds.left, h.frame.top * perMmY - h.bounds.top,
                      Span(h.frame.left, h.frame.right) * perMmX,
                      Span(h.frame.top, h.frame.bottom) * perMmY);
    }
    return RenderSvgOnWhite(svg, QSize(int(pixelsWide), int(pixelsHigh)), view, out);
}
