#include "platform/screen_rows.h"

#include "platform/root_layout.h"
#include "platform/shm_segment.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <sys/mman.h>
#include <vector>
#include <xcb/shm.h>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// How the server lays out the pixels of the root window's depth.
struct PixelLayout {
    ScreenPixels format = ScreenPixels::Unknown;
    int bitsPerPixel = 0;
    int scanlinePad = 32;
};

const xcb_visualtype_t* RootVisual(const X11Connection& x) {
    for (auto d = xcb_screen_allowed_depths_iterator(x.screen); d.rem; xcb_depth_next(&d)) {
        if (d.data->depth != x.screen->root_depth) continue;
        for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v))
            if (v.data->visual_id == x.screen->root_visual) return v.data;
    }
    return nullptr;
}

PixelLayout ServerLayout(const X11Connection& x) {
    PixelLayout layout;
    const xcb_setup_t* setup = xcb_get_setup(x.xcb);
    const bool native =
        (setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST) == (Q_BYTE_ORDER == Q_LITTLE_ENDIAN);
    for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f)) {
        if (f.data->depth != x.screen->root_depth) continue;
        layout.bitsPerPixel = f.data->bits_per_pixel;
        layout.scanlinePad = f.data->scanline_pad;
    }
    const xcb_visualtype_t* visual = RootVisual(x);
    if (!visual || !native) return layout;
    const uint32_t r = visual->red_mask, g = visual->green_mask, b = visual->blue_mask;
    const int bpp = layout.bitsPerPixel;
    if (bpp == 32 && r == 0xff0000 && g == 0xff00 && b == 0xff)
        layout.format = ScreenPixels::Rgb32;
    else if (bpp == 32 && r == 0x3ff00000 && g == 0xffc00 && b == 0x3ff)
        layout.format = ScreenPixels::Rgb30;
    else if (bpp == 24 && r == 0xff0000 && g == 0xff00 && b == 0xff)
        layout.format = ScreenPixels::Bgr888;
    else if (bpp == 16 && r == 0xf800 && g == 0x7e0 && b == 0x1f)
        layout.format = ScreenPixels::Rgb16;
    else if (bpp == 16 && r == 0x7c00 && g == 0x3e0 && b == 0x1f)
        layout.format = ScreenPixels::Rgb555;
    return layout;
}

// A fact of the one connection of the run, asked for once.
const PixelLayout& Layout(const X11Connection& x) {
    static const PixelLayout layout = ServerLayout(x);
    return layout;
}

qsizetype LineBytes(const PixelLayout& layout, int width) {
    const qsizetype bits = qsizetype(width) * layout.bitsPerPixel;
    const qsizetype pad = layout.scanlinePad > 0 ? layout.scanlinePad : 32;
    return (bits + pad - 1) / pad * pad / 8;
}

// The server leaves the padding byte of 32-bit pixels 0; a picture reads it as alpha, so
// the copy sets it.
void CopyOpaque(uchar* dst, const uchar* src, int pixels) {
    int i = 0;
#ifdef __SSE2__
    const __m128i alpha = _mm_set1_epi32(int(0xff000000u));
    for (; i + 4 <= pixels; i += 4) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i * 4));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i * 4), _mm_or_si128(v, alpha));
    }
#endif
    for (; i < pixels; ++i) {
        quint32 v;
        std::memcpy(&v, src + i * 4, 4);
        v |= 0xff000000u;
        std::memcpy(dst + i * 4, &v, 4);
    }
}

// A band of rows of the screen rectangle: its first row, row count, pixels, bytes per row.
using BandSink = std::function<void(int first, int rows, const uchar* data, qsizetype line)>;

constexpr int kBandsInFlight = 4;

// Through the kept segment, one band per quarter of it; the next bands are already asked
// for while this process copies one out. False when the server gave nothing usable; bands
// handed over before a failure stay handed over.
bool ThroughSharedMemory(const X11Connection& x, const QRect& r, const PixelLayout& layout,
                         const BandSink& sink, bool& anyBand) {
    const ShmSegment* segment = ScreenShmSegment(x);
    if (!segment) return false;
    const qsizetype line = LineBytes(layout, r.width());
    const qsizetype slot = qsizetype(segment->size) / kBandsInFlight;
    const int bandRows = int(std::min<qsizetype>(slot / line, r.height()));
    if (bandRows < 1) return false;
    const int bands = (r.height() + bandRows - 1) / bandRows;
    auto rowsOf = [&](int band) { return std::min(bandRows, r.height() - band * bandRows); };
    std::vector<xcb_shm_get_image_cookie_t> cookies(static_cast<size_t>(bands));
    auto ask = [&](int band) {
        cookies[size_t(band)] = xcb_shm_get_image(
            x.xcb, x.root, int16_t(r.x()), int16_t(r.y() + band * bandRows), uint16_t(r.width()),
            uint16_t(rowsOf(band)), ~0u, XCB_IMAGE_FORMAT_Z_PIXMAP, segment->id,
            uint32_t((band % kBandsInFlight) * slot));
    };
    for (int band = 0; band < std::min(bands, kBandsInFlight); ++band)
        ask(band);
    for (int band = 0; band < bands; ++band) {
        xcb_generic_error_t* error = nullptr;
        xcb_shm_get_image_reply_t* reply =
            xcb_shm_get_image_reply(x.xcb, cookies[size_t(band)], &error);
        const bool copied = reply && !error;
        const bool refused = error && error->error_code != XCB_MATCH;
        std::free(reply);
        std::free(error);
        if (!copied) {
            const int asked = std::min(bands, band + kBandsInFlight);
            for (int rest = band + 1; rest < asked; ++rest)
                xcb_discard_reply(x.xcb, cookies[size_t(rest)].sequence);
            // A segment the server cannot write is given up; a rectangle it will not copy
            // is no reason to.
            if (refused) DisableScreenShm(x);
            return false;
        }
        sink(band * bandRows, rowsOf(band), segment->data + (band % kBandsInFlight) * slot, line);
        anyBand = true;
        if (band + kBandsInFlight < bands) ask(band + kBandsInFlight);
    }
    return true;
}

// In the reply of one plain image request, where shared memory cannot be used. One request
// rather than bands: each band would wait once more for this process to be scheduled.
bool ThroughImageRequest(const X11Connection& x, const QRect& r, const PixelLayout& layout,
                         const BandSink& sink) {
    xcb_get_image_reply_t* reply = xcb_get_image_reply(
        x.xcb,
        xcb_get_image(x.xcb, XCB_IMAGE_FORMAT_Z_PIXMAP, x.root, int16_t(r.x()), int16_t(r.y()),
                      uint16_t(r.width()), uint16_t(r.height()), ~0u),
        nullptr);
    const qsizetype line = LineBytes(layout, r.width());
    const bool complete = reply && xcb_get_image_data_length(reply) >= line * r.height();
    if (complete) sink(0, r.height(), xcb_get_image_data(reply), line);
    std::free(reply);
    return complete;
}

bool Fetch(const X11Connection& x, const QRect& r, const PixelLayout& layout,
           GrabTransport transport, const BandSink& sink) {
    if (transport == GrabTransport::Auto) {
        bool anyBand = false;
        if (ThroughSharedMemory(x, r, layout, sink, anyBand)) return true;
        if (anyBand) return false;
    }
    return ThroughImageRequest(x, r, layout, sink);
}

// Bytes per pixel of rows in a layout (those of Rgb32 for Unknown).
int BytesPerScreenPixel(ScreenPixels pixels) {
    switch (pixels) {
    case ScreenPixels::Bgr888:
        return 3;
    case ScreenPixels::Rgb16:
    case ScreenPixels::Rgb555:
        return 2;
    default:
        return 4;
    }
}

// The black pixel of a layout, as the toolkit's painter fills it.
quint32 BlackPixel(ScreenPixels pixels) {
    switch (pixels) {
    case ScreenPixels::Rgb30:
        return 0xc0000000u;
    case ScreenPixels::Rgb16:
    case ScreenPixels::Rgb555:
    case ScreenPixels::Bgr888:
        return 0;
    default:
        return 0xff000000u;
    }
}

// Every pixel of the rows outside the `keep` rectangles becomes black: per row, the gaps
// between the rectangles that cross it.
void BlackenOutside(uchar* bits, qsizetype stride, QSize size, int bytesPerPixel, quint32 black,
                    const QList<QRect>& keep) {
    uchar pattern[4];
    std::memcpy(pattern, &black, 4);
    auto fill = [&](uchar* row, int from, int to) {
        for (int x = from; x < to; ++x)
            std::memcpy(row + qsizetype(x) * bytesPerPixel, pattern, size_t(bytesPerPixel));
    };
    std::vector<std::pair<int, int>> spans;
    for (int y = 0; y < size.height(); ++y) {
        spans.clear();
        for (const QRect& r : keep)
            if (y >= r.top() && y <= r.bottom())
                spans.emplace_back(std::max(0, r.left()), std::min(size.width(), r.right() + 1));
        std::sort(spans.begin(), spans.end());
        uchar* row = bits + qsizetype(y) * stride;
        int x = 0;
        for (const auto& [from, to] : spans) {
            if (from > x) fill(row, x, from);
            x = std::max(x, to);
        }
        fill(row, x, size.width());
    }
}

} // namespace

ScreenPixels ScreenPixelsOf(const X11Connection& x) {
    return Layout(x).format;
}

void CopyScreenRows(const X11Connection& x, const QRect& rect, uchar* bits, qsizetype stride,
                    GrabTransport transport) {
    if (rect.isEmpty() || !bits) return;
    const RootLayout root = QueryRootLayout(x, false);
    const QRect visible = rect & root.root;
    const PixelLayout& layout = Layout(x);
    const QPoint at = visible.topLeft() - rect.topLeft();
    const int bytesPerPixel = BytesPerScreenPixel(layout.format);
    int done = 0;
    const bool complete =
        !visible.isEmpty() && layout.format != ScreenPixels::Unknown &&
        Fetch(x, visible, layout, transport,
              [&](int first, int rows, const uchar* data, qsizetype line) {
                  for (int i = 0; i < rows; ++i) {
                      uchar* dst = bits + (at.y() + first + i) * stride + at.x() * bytesPerPixel;
                      const uchar* src = data + i * line;
                      if (layout.format == ScreenPixels::Rgb32)
                          CopyOpaque(dst, src, visible.width());
                      else
                          std::memcpy(dst, src, size_t(visible.width()) * bytesPerPixel);
                  }
                  done = first + rows;
              });
    DrainUnreadX11Events(x);
    // What the server did not give, lies off the screen or on no monitor, is black.
    const QRect given(visible.topLeft(),
                      QSize(visible.width(), complete ? visible.height() : done));
    QList<QRect> keep;
    for (const Monitor& monitor : root.monitors)
        if (const QRect shown = monitor.rect & given; !shown.isEmpty())
            keep.append(shown.translated(-rect.topLeft()));
    BlackenOutside(bits, stride, rect.size(), bytesPerPixel, BlackPixel(layout.format), keep);
}

uchar* AllocatePixels(size_t bytes) {
    constexpr size_t kHuge = 2 << 20;
    if (bytes < 2 * kHuge) return static_cast<uchar*>(std::malloc(std::max<size_t>(bytes, 1)));
    const size_t rounded = (bytes + kHuge - 1) / kHuge * kHuge;
    void* data = std::aligned_alloc(kHuge, rounded);
    if (data) madvise(data, rounded, MADV_HUGEPAGE);
    return static_cast<uchar*>(data);
}

bool Rgb32Capture::grab(const X11Connection& x, const QRect& rect, GrabTransport transport) {
    rows_ = {};
    memory_.reset();
    if (rect.isEmpty() || ScreenPixelsOf(x) != ScreenPixels::Rgb32) return false;
    const qsizetype stride = qsizetype(rect.width()) * 4;
    memory_.reset(AllocatePixels(size_t(stride) * size_t(rect.height())));
    if (!memory_) return false;
    CopyScreenRows(x, rect, memory_.get(), stride, transport);
    rows_ = {memory_.get(), rect.width(), rect.height(), stride};
    return true;
}
