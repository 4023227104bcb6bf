#include "library/jpeg_decode.h"

#include <csetjmp>
#include <cstdio>
#include <memory>

#include <jerror.h>
#include <jpeglib.h>

namespace {

constexpr qint64 kDefaultMaxPixels = 100'000'000;
// Real progressive files have about ten scans; thousands of tiny scans only make the
// decoder spin over the same coefficients.
constexpr int kMaxScans = 256;

// libjpeg reports fatal errors by calling error_exit, which must not return: jump back
// to the decoder instead of ending the process.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    bool reachedEnd;
    bool endIsFatal;
};

[[noreturn]] void OnError(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

// Warnings are silent, except running out of data: libjpeg would pad the missing part
// with grey, a truncated file is a failure here. In a single-scan file, reaching the end
// alone is not (a file missing only its end marker is complete); needing bits beyond it
// is. A multi-scan file is read whole before any output, so its end must be there.
void OnMessage(j_common_ptr cinfo, int level) {
    if (level >= 0) return;
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    if (err->pub.msg_code == JWRN_JPEG_EOF) {
        if (err->endIsFatal) OnError(cinfo);
        err->reachedEnd = true;
    }
    if (err->pub.msg_code == JWRN_HIT_MARKER && err->reachedEnd) OnError(cinfo);
}

void OnOutput(j_common_ptr) {}

void OnProgress(j_common_ptr cinfo) {
    const auto* dinfo = reinterpret_cast<const jpeg_decompress_struct*>(cinfo);
    if (dinfo->input_scan_number > kMaxScans) OnError(cinfo);
}

struct Decoder {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    jpeg_progress_mgr progress;
    QImage image;
};

void StoreRow(const JSAMPLE* src, int components, bool adobeInverted, QRgb* dst, int width) {
    if (components == 1) {
        for (int x = 0; x < width; ++x)
            dst[x] = qRgb(src[x], src[x], src[x]);
    } else if (components == 3) {
        for (int x = 0; x < width; ++x, src += 3)
            dst[x] = qRgb(src[0], src[1], src[2]);
    } else {
        // Adobe applications store CMYK inverted (0 = full ink); plain CMYK is not.
        for (int x = 0; x < width; ++x, src += 4) {
            int c = src[0], m = src[1], y = src[2], k = src[3];
            if (!adobeInverted) {
                c = 255 - c;
                m = 255 - m;
                y = 255 - y;
                k = 255 - k;
            }
            dst[x] = qRgb(c * k / 255, m * k / 255, y * k / 255);
        }
    }
}

// Runs the whole decode with only the decoder's own state alive across setjmp, so a
// jump from inside libjpeg skips no destructor.
bool Run(Decoder& d, const QByteArray& data, qint64 maxPixels) {
    jpeg_decompress_struct& cinfo = d.cinfo;
    cinfo.err = jpeg_std_error(&d.err.pub);
    d.err.pub.error_exit = OnError;
    d.err.pub.emit_message = OnMessage;
    d.err.pub.output_message = OnOutput;
    d.err.reachedEnd = false;
    d.err.endIsFatal = true;
    if (setjmp(d.err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    d.progress.progress_monitor = OnProgress;
    cinfo.progress = &d.progress;
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&cinfo, TRUE);
    d.err.endIsFatal = jpeg_has_multiple_scans(&cinfo);

    const qint64 pixels = qint64(cinfo.image_width) * cinfo.image_height;
    if (pixels <= 0 || pixels > maxPixels) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    switch (cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
        cinfo.out_color_space = JCS_GRAYSCALE;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        cinfo.out_color_space = JCS_CMYK;
        break;
    default:
        cinfo.out_color_space = JCS_RGB;
        break;
    }
    jpeg_start_decompress(&cinfo);

    const int width = int(cinfo.output_width);
    const int height = int(cinfo.output_height);
    const int components = cinfo.output_components;
    if (components != 1 && components != 3 && components != 4) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    d.image = QImage(width, height, QImage::Format_RGB32);
    if (d.image.isNull()) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    JSAMPARRAY row = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                width * components, 1);
    const bool adobeInverted = cinfo.saw_Adobe_marker;
    while (cinfo.output_scanline < cinfo.output_height) {
        const int y = int(cinfo.output_scanline);
        if (jpeg_read_scanlines(&cinfo, row, 1) != 1) break;
        StoreRow(row[0], components, adobeInverted, reinterpret_cast<QRgb*>(d.image.scanLine(y)),
                 width);
    }
    const bool complete = cinfo.output_scanline == cinfo.output_height;
    // Whatever follows the last scan (a missing EOI, trailing bytes) does not spoil the
    // picture already read.
    jpeg_abort_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return complete;
}

} // namespace

bool DecodeJpeg(const QByteArray& data, QImage& out, qint64 maxPixels) {
    if (data.isEmpty()) return false;
    auto decoder = std::make_unique<Decoder>();
    if (!Run(*decoder, data, maxPixels)) return false;
    out = std::move(decoder->image);
    return true;
}

bool DecodeJpeg(const QByteArray& data, QImage& out) {
    return DecodeJpeg(data, out, kDefaultMaxPixels);
}
