// JPEG files: decoding through the shared libjpeg decoder, writing baseline JPEG at
// quality 100.
#include "library/codec_support.h"
#include "library/jpeg_decode.h"
#include "library/picture_codecs.h"

#include <QIODevice>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <memory>

#include <jpeglib.h>

namespace {

constexpr size_t kOutputChunk = 256 * 1024;
constexpr int kRowsPerCall = 16;

struct Encoder {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    std::jmp_buf jump;
    jpeg_destination_mgr dest;
    QIODevice* device;
    JOCTET buffer[kOutputChunk];
    JSAMPROW rows[kRowsPerCall];
};

Encoder& EncoderOf(j_compress_ptr cinfo) {
    return *static_cast<Encoder*>(cinfo->client_data);
}

[[noreturn]] void OnError(j_common_ptr cinfo) {
    std::longjmp(static_cast<Encoder*>(cinfo->client_data)->jump, 1);
}

void OnMessage(j_common_ptr, int) {}

void InitDestination(j_compress_ptr cinfo) {
    Encoder& e = EncoderOf(cinfo);
    e.dest.next_output_byte = e.buffer;
    e.dest.free_in_buffer = kOutputChunk;
}

bool Flush(Encoder& e, size_t bytes) {
    return e.device->write(reinterpret_cast<const char*>(e.buffer), qint64(bytes)) == qint64(bytes);
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
    Encoder& e = EncoderOf(cinfo);
    if (!Flush(e, kOutputChunk)) OnError(reinterpret_cast<j_common_ptr>(cinfo));
    InitDestination(cinfo);
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
    Encoder& e = EncoderOf(cinfo);
    if (!Flush(e, kOutputChunk - e.dest.free_in_buffer))
        OnError(reinterpret_cast<j_common_ptr>(cinfo));
}

// Only the encoder's own state lives across setjmp, so a jump out of libjpeg skips no
// destructor. `image` is RGB32, ARGB32 or ARGB32_Premultiplied: its rows are handed to
// libjpeg as they are, the fourth byte ignored.
bool Run(Encoder& e, const QImage& image) {
    jpeg_compress_struct& cinfo = e.cinfo;
    cinfo.err = jpeg_std_error(&e.err);
    cinfo.client_data = &e; // kept by jpeg_create_compress
    e.err.error_exit = OnError;
    e.err.emit_message = OnMessage;
    if (setjmp(e.jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    e.dest.init_destination = InitDestination;
    e.dest.empty_output_buffer = EmptyOutputBuffer;
    e.dest.term_destination = TermDestination;
    cinfo.dest = &e.dest;

    cinfo.image_width = JDIMENSION(image.width());
    cinfo.image_height = JDIMENSION(image.height());
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        const int first = int(cinfo.next_scanline);
        const int count = std::min(kRowsPerCall, image.height() - first);
        for (int i = 0; i < count; ++i)
            e.rows[i] = const_cast<JSAMPROW>(image.constScanLine(first + i));
        jpeg_write_scanlines(&cinfo, e.rows, JDIMENSION(count));
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

bool IsBgrx(QImage::Format format) {
    // In memory these are B, G, R, A/X on a little-endian machine.
    return Q_BYTE_ORDER == Q_LITTLE_ENDIAN &&
           (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
            format == QImage::Format_ARGB32_Premultiplied);
}

} // namespace

bool DecodeJpegData(const QByteArray& data, QImage& out) {
    return DecodeJpeg(data, out, kMaxPicturePixels);
}

bool EncodeJpeg(const QImage& image, QIODevice& device) {
    if (image.isNull()) return false;
    const QImage rows =
        IsBgrx(image.format()) ? image : image.convertToFormat(QImage::Format_RGB32);
    if (rows.isNull()) return false;
    auto encoder = std::make_unique<Encoder>();
    encoder->device = &device;
    return Run(*encoder, rows);
}

bool WriteJpegFile(const QImage& image, const QString& path) {
    if (image.isNull()) return false;
    return WriteFileReplacing(path, [&](QIODevice& device) { return EncodeJpeg(image, device); });
}
