#include "library/parallel_deflate.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>

#include <zlib.h>

namespace {

// What a piece is primed with: the most deflate can refer back to.
constexpr qint64 kWindowBytes = 32768;
// A piece's input reaches zlib in slices of this size, so a large piece costs no more
// memory than a small one.
constexpr qint64 kSliceBytes = 256 * 1024;
constexpr size_t kOutputChunk = 64 * 1024;

struct Piece {
    std::vector<unsigned char> data; // raw deflate data, ending on a byte boundary
    uLong adler = 1;                 // Adler-32 of the piece's own bytes
    qint64 length = 0;
};

// One thread's deflater and buffers, reused from piece to piece.
class PieceDeflater {
  public:
    explicit PieceDeflater(int level) {
        ok_ = deflateInit2(&z_, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) == Z_OK;
    }
    ~PieceDeflater() {
        if (ok_) deflateEnd(&z_);
    }
    PieceDeflater(const PieceDeflater&) = delete;
    PieceDeflater& operator=(const PieceDeflater&) = delete;

    bool ok() const { return ok_; }

    // Deflates the stream's bytes [start, start + length) into `piece`, primed with the
    // window before `start`; the last piece finishes the deflate data, the others end with
    // a sync flush.
    bool run(const StreamBytes& source, qint64 start, qint64 length, bool last, Piece& piece) {
        if (deflateReset(&z_) != Z_OK) return false;
        const qint64 primed = std::min(start, kWindowBytes);
        input_.resize(size_t(std::max(primed, std::min(length, kSliceBytes))));
        output_.resize(kOutputChunk);
        if (primed > 0) {
            source(start - primed, primed, input_.data());
            if (deflateSetDictionary(&z_, input_.data(), uInt(primed)) != Z_OK) return false;
        }
        piece.length = length;
        piece.adler = adler32(0, Z_NULL, 0);
        piece.data.clear();
        qint64 done = 0;
        do {
            const qint64 slice = std::min(length - done, kSliceBytes);
            source(start + done, slice, input_.data());
            piece.adler = adler32_z(piece.adler, input_.data(), z_size_t(slice));
            done += slice;
            const int flush = done < length ? Z_NO_FLUSH : last ? Z_FINISH : Z_SYNC_FLUSH;
            z_.next_in = input_.data();
            z_.avail_in = uInt(slice);
            int status = Z_OK;
            do {
                z_.next_out = output_.data();
                z_.avail_out = uInt(output_.size());
                status = deflate(&z_, flush);
                if (status == Z_STREAM_ERROR) return false;
                piece.data.insert(piece.data.end(), output_.data(),
                                  output_.data() + (output_.size() - z_.avail_out));
            } while (z_.avail_out == 0);
            if (z_.avail_in != 0 || (flush == Z_FINISH && status != Z_STREAM_END)) return false;
        } while (done < length);
        return true;
    }

  private:
    z_stream z_{};
    bool ok_ = false;
    std::vector<unsigned char> input_;
    std::vector<unsigned char> output_;
};

// The two bytes zlib itself starts a stream with at this level (window of 32 KB).
void AppendHeader(int level, std::vector<unsigned char>& out) {
    const unsigned levelFlags = level < 2 ? 0 : level < 6 ? 1 : level == 6 ? 2 : 3;
    unsigned header = ((Z_DEFLATED + ((MAX_WBITS - 8) << 4)) << 8) | (levelFlags << 6);
    header += 31 - header % 31;
    out.push_back(static_cast<unsigned char>(header >> 8));
    out.push_back(static_cast<unsigned char>(header & 0xff));
}

bool Deflate(const StreamBytes& source, qint64 total, int level, qint64 pieceBytes, int workers,
             std::vector<unsigned char>& out) {
    level = std::clamp(level, 0, 9);
    pieceBytes = std::max<qint64>(pieceBytes, 1);
    const qint64 count = std::max<qint64>(1, (total + pieceBytes - 1) / pieceBytes);
    std::vector<Piece> pieces(size_t(count), Piece{});

    std::atomic<qint64> next{0};
    std::atomic<bool> failed{false};
    auto work = [&] {
        try {
            PieceDeflater deflater(level);
            if (!deflater.ok()) {
                failed = true;
                return;
            }
            for (qint64 i = next++; i < count && !failed; i = next++) {
                const qint64 start = i * pieceBytes;
                const qint64 length = std::min(pieceBytes, total - start);
                if (!deflater.run(source, start, length, i == count - 1, pieces[size_t(i)]))
                    failed = true;
            }
        } catch (...) {
            failed = true;
        }
    };
    // The calling thread is one of the workers; a thread the system refuses is done without.
    std::vector<std::thread> helpers;
    const qint64 threads = std::min<qint64>(std::max(workers, 1), count);
    try {
        helpers.reserve(size_t(threads - 1));
        for (qint64 t = 1; t < threads; ++t)
            helpers.emplace_back(work);
    } catch (...) {
    }
    work();
    for (std::thread& helper : helpers)
        helper.join();
    if (failed) return false;

    size_t bytes = 6;
    for (const Piece& piece : pieces)
        bytes += piece.data.size();
    out.reserve(out.size() + bytes);
    AppendHeader(level, out);
    uLong adler = adler32(0, Z_NULL, 0);
    for (Piece& piece : pieces) {
        out.insert(out.end(), piece.data.begin(), piece.data.end());
        adler = adler32_combine(adler, piece.adler, z_off_t(piece.length));
        std::vector<unsigned char>().swap(piece.data);
    }
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>(adler >> shift));
    return true;
}

} // namespace

bool DeflateInPieces(const StreamBytes& source, qint64 total, int level, qint64 pieceBytes,
                     int workers, std::vector<unsigned char>& out) {
    if (total < 0) return false;
    // Memory runs out before the threads start or after they have ended; while they run,
    // each catches its own failures.
    try {
        return Deflate(source, total, level, pieceBytes, workers, out);
    } catch (const std::exception&) {
        return false;
    }
}

int DeflateWorkers() {
    return int(std::clamp(std::thread::hardware_concurrency(), 1u, 64u));
}
