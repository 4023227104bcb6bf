// Windows metafiles: libwmf converts the records to SVG, which is rendered onto a white
// bitmap. A placeable metafile is shown at the size of its frame (the header's bounding box
// at 96 dots per inch), the frame filling the bitmap; others at the size of their drawing.
#include "library/codec_support.h"
#include "library/picture_codecs.h"

#include <QStringDecoder>

#include <cmath>
#include <string>
#include <vector>

#include <libwmf/api.h>
#include <libwmf/ipa.h>
#include <libwmf/svg.h>

namespace {

constexpr quint32 kPlaceableKey = 0x9AC6CDD7;
constexpr qsizetype kPlaceableSize = 22;
constexpr qsizetype kHeaderSize = 18;
constexpr double kScreenDpi = 96.0;

// Record functions that set up the coordinate mapping, and those that draw.
bool IsMappingRecord(quint16 function) {
    switch (function) {
    case 0x0103: // SETMAPMODE
    case 0x020B: // SETWINDOWORG
    case 0x020C: // SETWINDOWEXT
    case 0x020D: // SETVIEWPORTORG
    case 0x020E: // SETVIEWPORTEXT
    case 0x020F: // OFFSETWINDOWORG
    case 0x0211: // OFFSETVIEWPORTORG
    case 0x0410: // SCALEWINDOWEXT
    case 0x0412: // SCALEVIEWPORTEXT
    case 0x001E: // SAVEDC
    case 0x0127: // RESTOREDC
        return true;
    default:
        return false;
    }
}

bool IsDrawingRecord(quint16 function) {
    switch (function) {
    case 0x0213:
    case 0x0418:
    case 0x0419:
    case 0x041B:
    case 0x041F:
    case 0x0324:
    case 0x0325:
    case 0x0538:
    case 0x0548:
    case 0x061C:
    case 0x061D:
    case 0x0817:
    case 0x081A:
    case 0x0830:
    case 0x0521:
    case 0x0A32:
    case 0x0922:
    case 0x0B23:
    case 0x0940:
    case 0x0B41:
    case 0x0F43:
    case 0x0D33:
    case 0x0228:
    case 0x0429:
    case 0x012A:
    case 0x012B:
        return true;
    default:
        return false;
    }
}

// A device-independent bitmap inside a record, from `at` up to `end`: its size within the
// pixel cap and, uncompressed, its pixels all there. libwmf allocates by the header alone.
bool DibAllowed(const QByteArray& data, qsizetype at, qsizetype end) {
    if (at + 12 > end) return false;
    const quint32 headerSize = Le32(data, at);
    qint64 width = 0, height = 0;
    int bits = 0;
    quint32 compression = 0, imageSize = 0, coloursUsed = 0;
    if (headerSize == 12) {
        width = Le16(data, at + 4);
        height = Le16(data, at + 6);
        bits = Le16(data, at + 10);
    } else {
        if (headerSize < 40 || at + 40 > end) return false;
        width = Le32s(data, at + 4);
        height = std::abs(qint64(Le32s(data, at + 8)));
        bits = Le16(data, at + 14);
        compression = Le32(data, at + 16);
        imageSize = Le32(data, at + 20);
        coloursUsed = Le32(data, at + 32);
    }
    if (!PixelCountAllowed(width, height) || coloursUsed > 256 || imageSize > end - at)
        return false;
    const qint64 stride = (width * bits + 31) / 32 * 4;
    switch (compression) {
    case 0: // plain rows
    case 3: // plain rows with colour masks
        if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
            return false;
        return qint64(headerSize) + stride * height <= end - at;
    case 1: // run-length, 8 bits
        return bits == 8;
    case 2: // run-length, 4 bits
        return bits == 4;
    default: // JPEG, PNG or unknown: not for a metafile here
        return false;
    }
}

// An old-style device-dependent bitmap (type, width, height, bytes a row, planes, bits).
bool Bitmap16Allowed(const QByteArray& data, qsizetype at, qsizetype end) {
    if (at + 10 > end) return false;
    const qint64 width = Le16s(data, at + 2);
    const qint64 height = Le16s(data, at + 4);
    const qint64 rowBytes = Le16(data, at + 6);
    return PixelCountAllowed(width, height) && rowBytes * height <= end - at - 10;
}

// The bitmap a record carries, if any, checked before libwmf sees it. `words` is the record's
// size; records of the bitmap-less size have none.
bool RecordBitmapAllowed(const QByteArray& data, qsizetype at, quint32 words, quint16 function) {
    const qsizetype params = at + 6;
    const qsizetype end = at + qsizetype(words) * 2;
    switch (function) {
    case 0x0F43: // STRETCHDIB
        return DibAllowed(data, params + 22, end);
    case 0x0B41: // DIBSTRETCHBLT
        return words == 14 || DibAllowed(data, params + 20, end);
    case 0x0940: // DIBBITBLT
        return words == 12 || DibAllowed(data, params + 16, end);
    case 0x0D33: // SETDIBTODEV
        return DibAllowed(data, params + 18, end);
    case 0x0142: // DIBCREATEPATTERNBRUSH
        return DibAllowed(data, params + 4, end);
    case 0x0922: // BITBLT
        return words == 12 || Bitmap16Allowed(data, params + 16, end);
    case 0x0B23: // STRETCHBLT
        return words == 14 || Bitmap16Allowed(data, params + 20, end);
    case 0x01F9: // CREATEPATTERNBRUSH
        return Bitmap16Allowed(data, params, end);
    default:
        return true;
    }
}

struct Metafile {
    bool placeable = false;
    qint16 left = 0, top = 0, right = 0, bottom = 0; // frame, in logical units
    int unitsPerInch = 0;
    qsizetype header = 0; // offset of the standard header
    QByteArray mapping;   // the mapping records met before the first drawing record
    QByteArray records;   // the metafile up to and with its end record, as libwmf gets it
};

// Checks the headers and walks the records: each must lie within the data and the list
// must end with the end record. libwmf is only handed data that passes, with the largest
// record size in the header set to the true one (libwmf allocates by it) and nothing after
// the end record.
bool ParseMetafile(const QByteArray& data, Metafile& m) {
    if (data.size() >= kPlaceableSize && Le32(data, 0) == kPlaceableKey) {
        m.placeable = true;
        m.left = Le16s(data, 6);
        m.top = Le16s(data, 8);
        m.right = Le16s(data, 10);
        m.bottom = Le16s(data, 12);
        m.unitsPerInch = Le16(data, 14);
        m.header = kPlaceableSize;
        if (m.unitsPerInch == 0 || m.left == m.right || m.top == m.bottom) return false;
    }
    const qsizetype h = m.header;
    if (data.size() < h + kHeaderSize) return false;
    const quint16 type = Le16(data, h);
    const quint16 version = Le16(data, h + 4);
    if ((type != 1 && type != 2) || Le16(data, h + 2) != 9 ||
        (version != 0x100 && version != 0x300))
        return false;
    quint32 largest = 3;
    bool drawn = false;
    for (qsizetype at = h + kHeaderSize;;) {
        if (at + 6 > data.size()) return false;
        const quint32 words = Le32(data, at);
        const quint16 function = Le16(data, at + 4);
        if (words < 3 || qint64(words) * 2 > data.size() - at) return false;
        largest = std::max(largest, words);
        if (!RecordBitmapAllowed(data, at, words, function)) return false;
        if (words == 3 && function == 0) {
            m.records = data.left(at + 6);
            qToLittleEndian<quint32>(largest, m.records.data() + h + 12);
            return true;
        }
        drawn = drawn || IsDrawingRecord(function);
        if (!drawn && IsMappingRecord(function)) m.mapping.append(data.mid(at, words * 2));
        at += qsizetype(words) * 2;
    }
}

void Append16(QByteArray& out, quint16 v) {
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}
void Append32(QByteArray& out, quint32 v) {
    Append16(out, quint16(v & 0xFFFF));
    Append16(out, quint16(v >> 16));
}

// A metafile that only sets up the mapping and then marks the two corners of the frame with
// flood fills (which libwmf registers without any pen width): scanning it gives the frame
// in libwmf's device coordinates, whatever the mapping.
QByteArray FrameProbe(const QByteArray& data, const Metafile& m) {
    QByteArray records = m.mapping;
    for (const auto& [x, y] : {std::pair{m.left, m.top}, std::pair{m.right, m.bottom}}) {
        Append32(records, 8);
        Append16(records, 0x0548); // EXTFLOODFILL: mode, colour, y, x
        Append16(records, 0);
        Append32(records, 0);
        Append16(records, quint16(y));
        Append16(records, quint16(x));
    }
    Append32(records, 3);
    Append16(records, 0);
    quint32 maxRecord = 8;
    for (qsizetype at = 0; at + 4 <= m.mapping.size(); at += qsizetype(Le32(m.mapping, at)) * 2)
        maxRecord = std::max(maxRecord, Le32(m.mapping, at));

    QByteArray probe = data.left(m.header);
    probe.append(data.mid(m.header, 6)); // type, header size, version
    Append32(probe, quint32((kHeaderSize + records.size()) / 2));
    probe.append(data.mid(m.header + 10, 2)); // number of objects
    Append32(probe, maxRecord);
    Append16(probe, 0);
    probe.append(records);
    return probe;
}

// One libwmf session with its SVG device; everything it allocated goes with it.
class WmfSession {
  public:
    explicit WmfSession(QByteArray data) : data_(std::move(data)) {
        wmfAPI_Options options{};
        options.function = wmf_svg_function;
        const unsigned long flags =
            WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
        if (wmf_api_create(&api_, flags, &options) != wmf_E_None) return;
        if (wmf_mem_open(api_, reinterpret_cast<unsigned char*>(data_.data()),
                         long(data_.size())) != wmf_E_None)
            return;
        ok_ = true;
    }
    ~WmfSession() {
        if (api_) wmf_api_destroy(api_);
    }
    WmfSession(const WmfSession&) = delete;
    WmfSession& operator=(const WmfSession&) = delete;

    wmfAPI* api() const { return ok_ ? api_ : nullptr; }

    bool scan(wmfD_Rect& box) { return api() && wmf_scan(api_, 0, &box) == wmf_E_None; }

    // Plays the scanned metafile into SVG text that maps `box` onto width x height.
    bool play(const wmfD_Rect& box, unsigned width, unsigned height, QByteArray& svg);

  private:
    QByteArray data_;
    wmfAPI* api_ = nullptr;
    bool ok_ = false;
};

// libwmf's SVG device writes text as it is in the metafile; make it well-formed XML in
// UTF-8 (text that is not UTF-8 is taken as GBK, the code page of Chinese Windows).
std::string XmlText(const char* raw) {
    const QByteArray bytes(raw);
    QString text;
    auto utf8 = QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    text = utf8.decode(bytes);
    if (utf8.hasError()) {
        QStringDecoder gbk("GBK");
        text = gbk.isValid() ? QString(gbk.decode(bytes)) : QString::fromLatin1(bytes);
    }
    QString out;
    for (QChar c : text) {
        if (c == u'&')
            out += QLatin1String("&amp;");
        else if (c == u'<')
            out += QLatin1String("&lt;");
        else if (c == u'>')
            out += QLatin1String("&gt;");
        else if (c.unicode() < 0x20 || c.unicode() == 0xFFFE || c.unicode() == 0xFFFF)
            out += u' ';
        else
            out += c;
    }
    return out.toStdString();
}

// libwmf writes polylines without a fill, which SVG takes as black; a metafile's polyline
// is a line only.
QByteArray UnfilledPolylines(QByteArray svg) {
    static const QByteArray kElement("<polyline"), kStyle("style=\""), kNoFill("fill:none; ");
    for (qsizetype at = svg.indexOf(kElement); at >= 0; at = svg.indexOf(kElement, at + 1)) {
        const qsizetype end = svg.indexOf('>', at);
        const qsizetype style = svg.indexOf(kStyle, at);
        if (style < 0 || end < 0 || style > end) continue;
        svg.insert(style + kStyle.size(), kNoFill);
    }
    return svg;
}

// The SVG device's own text writer, called with the text made safe.
using DrawTextFunction = void (*)(wmfAPI*, wmfDrawText_t*);

void DrawEscapedText(wmfAPI* api, wmfDrawText_t* drawText) {
    auto original = reinterpret_cast<DrawTextFunction>(api->user_data);
    if (!drawText || !drawText->str || !original) return;
    std::string escaped = XmlText(drawText->str);
    char* raw = drawText->str;
    drawText->str = escaped.data();
    original(api, drawText);
    drawText->str = raw;
}

bool WmfSession::play(const wmfD_Rect& box, unsigned width, unsigned height, QByteArray& svg) {
    if (!api()) return false;
    auto* functions = static_cast<wmfFunctionReference*>(api_->function_reference);
    api_->user_data = reinterpret_cast<void*>(functions->draw_text);
    functions->draw_text = DrawEscapedText;
    wmf_svg_t* device = WMF_SVG_GetData(api_);
    device->out = wmf_stream_create(api_, nullptr);
    if (!device->out) return false;
    device->bbox = box;
    device->width = width;
    device->height = height;
    device->flags |= WMF_SVG_INLINE_IMAGES; // bitmaps as data: links, never files
    wmfD_Rect played = box;
    const bool ok = wmf_play(api_, 0, &played) == wmf_E_None;
    char* text = nullptr;
    unsigned long length = 0;
    wmf_stream_destroy(api_, device->out, &text, &length);
    device->out = nullptr;
    if (ok && text) svg = UnfilledPolylines(QByteArray(text, qsizetype(length)));
    if (text) wmf_free(api_, text);
    return ok && !svg.isEmpty();
}

bool Degenerate(const wmfD_Rect& box) {
    return !(box.BR.x - box.TL.x > 0) || !(box.BR.y - box.TL.y > 0) || !std::isfinite(box.TL.x) ||
           !std::isfinite(box.TL.y) || !std::isfinite(box.BR.x) || !std::isfinite(box.BR.y);
}

// The frame of a placeable metafile in libwmf's device coordinates.
bool FrameInDevice(const QByteArray& data, const Metafile& m, wmfD_Rect& frame) {
    WmfSession probe(FrameProbe(data, m));
    wmfD_Rect box{};
    if (!probe.scan(box)) return false;
    frame.TL.x = std::min(box.TL.x, box.BR.x);
    frame.TL.y = std::min(box.TL.y, box.BR.y);
    frame.BR.x = std::max(box.TL.x, box.BR.x);
    frame.BR.y = std::max(box.TL.y, box.BR.y);
    return !Degenerate(frame);
}

} // namespace

bool RenderWmfData(const QByteArray& data, QImage& out) {
    Metafile m;
    if (!ParseMetafile(data, m)) return false;
    qint64 width = 0, height = 0;
    if (m.placeable) {
        width = std::lround(std::abs(int(m.right) - int(m.left)) * kScreenDpi / m.unitsPerInch);
        height = std::lround(std::abs(int(m.bottom) - int(m.top)) * kScreenDpi / m.unitsPerInch);
        if (!MetafilePixelCountAllowed(width, height)) return false;
    }
    WmfSession session(m.records);
    wmfD_Rect drawing{};
    if (!session.scan(drawing)) return false;
    wmfD_Rect box = drawing;
    if (m.placeable) {
        if (!FrameInDevice(m.records, m, box)) box = drawing;
    } else {
        unsigned w = 0, h = 0;
        if (wmf_display_size(session.api(), &w, &h, kScreenDpi, kScreenDpi) != wmf_E_None)
            return false;
        width = w;
        height = h;
        if (!MetafilePixelCountAllowed(width, height)) return false;
    }
    if (Degenerate(box)) return false;
    QByteArray svg;
    if (!session.play(box, unsigned(width), unsigned(height), svg)) return false;
    return RenderSvgOnWhite(svg, QSize(int(width), int(height)), QRectF(0, 0, width, height), out);
}
