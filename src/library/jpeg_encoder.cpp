// Writing baseline JPEG files at quality 100 through libjpeg from screen rows, which it
// reads as they are (B, G, R, X). EncodeJpeg hands it the rows of a QImage; nothing here
// needs one, so the command line's captures write through the same code.
#include "library/rgb32_encoders.h"

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
// destructor. The rows are handed to libjpeg as they are, the fourth byte ignored.
bool Run(Encoder& e, const Rgb32Rows& rows) {
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

    cinfo.image_width = JDIMENSION(rows.width);
    cinfo.image_height = JDIMENSION(rows.height);
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        const int first = int(cinfo.next_scanline);
        const int count = std::min(kRowsPerCall, rows.height - first);
        for (int i = 0; i < count; ++i)
            e.rows[i] = rows.row(first + i);
        jpeg_write_scanlines(&cinfo, e.rows, JDIMENSION(count));
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

} // namespace

bool EncodeJpegRows(const Rgb32Rows& rows, QIODevice& device) {
    // A stride shorter than a row would have libjpeg read past the last one.
    if (rows.isNull() || rows.stride < qsizetype(rows.width) * 4) return false;
    auto encoder = std::make_unique<Encoder>();
    encoder->device = &device;
    return Run(*encoder, rows);
}
