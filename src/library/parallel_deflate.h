// One zlib stream (RFC 1950) deflated in pieces side by side, as pigz does: each piece is
// raw deflate data primed with the 32 KB of the stream before it, ended on a byte boundary
// by a sync flush (the last one finished), and the pieces joined behind one zlib header
// with the Adler-32 of the whole stream. Any inflater reads the result as a single stream.
#pragma once

#include <QtGlobal>

#include <functional>
#include <vector>

// Fills `out` with the `length` bytes of the uncompressed stream that start at `offset`.
// Called from several threads at once, for different ranges.
using StreamBytes = std::function<void(qint64 offset, qint64 length, unsigned char* out)>;

// Deflates the `total` bytes of `source` at `level` (0..9, windowBits 15, memLevel 8, the
// default strategy) in pieces of `pieceBytes` (at least 1) on up to `workers` threads, the
// calling thread being one of them, and appends the zlib stream to `out`. False when zlib,
// memory or the threads fail; `out` may then hold part of the stream.
bool DeflateInPieces(const StreamBytes& source, qint64 total, int level, qint64 pieceBytes,
                     int workers, std::vector<unsigned char>& out);

// The number of threads DeflateInPieces is given by the picture writers: one per core.
int DeflateWorkers();
