// Runs every file of the decoder corpus through every decoder, with the normal compiler.
// Failures it reports (exit status 1):
//   - a crash or hang (the test runner sees those),
//   - a well-formed sample ("seed-*") that its own decoder refuses,
//   - a picture declaring more than the pixel cap ("overcap-*") that any decoder accepts, or
//     for which any allocation of 64 MB or more was made.
// Usage: codec_corpus_check CORPUS_DIR
#include "library/picture_codecs.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <atomic>
#include <cstdio>
#include <cstdlib>

// The largest single allocation since the last reset. glibc's own entry points stay
// reachable under their internal names, so the program's malloc can count and forward.
#ifdef __GLIBC__
extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void* __libc_memalign(size_t, size_t);
}

namespace {
std::atomic<size_t> gLargest{0};

void Note(size_t bytes) {
    size_t seen = gLargest.load(std::memory_order_relaxed);
    while (bytes > seen && !gLargest.compare_exchange_weak(seen, bytes))
        ;
}
} // namespace

extern "C" {
void* malloc(size_t bytes) {
    Note(bytes);
    return __libc_malloc(bytes);
}
void* calloc(size_t count, size_t bytes) {
    Note(count * bytes);
    return __libc_calloc(count, bytes);
}
void* realloc(void* old, size_t bytes) {
    Note(bytes);
    return __libc_realloc(old, bytes);
}
void* aligned_alloc(size_t alignment, size_t bytes) {
    Note(bytes);
    return __libc_memalign(alignment, bytes);
}
int posix_memalign(void** out, size_t alignment, size_t bytes) {
    Note(bytes);
    *out = __libc_memalign(alignment, bytes);
    return *out ? 0 : 12; // ENOMEM
}
}
constexpr bool kCountsAllocations = true;
#else
namespace {
std::atomic<size_t> gLargest{0};
}
constexpr bool kCountsAllocations = false;
#endif

namespace {

constexpr size_t kLargeAllocation = size_t(64) << 20;

struct Decoder {
    const char* format; // the corpus folder whose pictures it is meant for
    bool (*decode)(const QByteArray&, QImage&);
};

bool DecodeAsSystemPicture(const QByteArray& data, QImage& out) {
    return DecodePictureData(PicFileKind::Other, data, out);
}

const Decoder kDecoders[] = {
    {"jpeg", DecodeJpegData},    {"png", DecodePngData}, {"bmp", DecodeBmpData},
    {"ico", RenderIcoData},      {"wmf", RenderWmfData}, {"emf", RenderEmfData},
    {"", DecodeAsSystemPicture},
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR\n", argv[0]);
        return 2;
    }
    int files = 0, failures = 0, accepted = 0;
    qint64 slowestMs = 0;
    QString slowest;
    QDirIterator it(QString::fromLocal8Bit(argv[1]), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        const QString folder = info.dir().dirName();
        const QString name = info.fileName();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) continue;
        const QByteArray data = file.readAll();
        ++files;
        QElapsedTimer timer;
        timer.start();
        for (const Decoder& d : kDecoders) {
            gLargest = 0;
            QImage out;
            const bool ok = d.decode(data, out);
            accepted += ok;
            const bool own = folder == QLatin1String(d.format);
            if (name.startsWith("seed-") && own && (!ok || out.isNull())) {
                std::printf("FAIL %s: refused by its own decoder\n", qPrintable(path));
                ++failures;
            }
            if (name.startsWith("overcap-") && ok) {
                std::printf("FAIL %s: accepted by the %s decoder\n", qPrintable(path),
                            *d.format ? d.format : "system picture");
                ++failures;
            }
            if (name.startsWith("overcap-") && gLargest >= kLargeAllocation) {
                std::printf("FAIL %s: %zu MB allocated by the %s decoder\n", qPrintable(path),
                            size_t(gLargest) >> 20, *d.format ? d.format : "system picture");
                ++failures;
            }
        }
        if (timer.elapsed() > slowestMs) {
            slowestMs = timer.elapsed();
            slowest = path;
        }
    }
    std::printf("%d files, %d decodes accepted, slowest %s (%lld ms), allocations %s\n", files,
                accepted, qPrintable(slowest), slowestMs,
                kCountsAllocations ? "counted" : "not counted");
    if (files == 0) {
        std::printf("FAIL: no corpus files\n");
        return 1;
    }
    std::printf("%d failures\n", failures);
    return failures ? 1 : 0;
}
