// libFuzzer harness for one picture decoder, chosen at compile time by FUZZ_DECODER (the
// function's name). The decoder must never crash, hang or leak, whatever the input; when it
// accepts an input, the picture must be usable.
#include "library/picture_codecs.h"

#include <QGuiApplication>

#include <cstddef>
#include <cstdint>

#ifndef FUZZ_DECODER
#error "FUZZ_DECODER names the decoder to fuzz"
#endif

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Metafile text needs the font database, which needs the GUI application.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_decoder";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QImage out;
    if (FUZZ_DECODER(bytes, out)) {
        if (out.isNull() || !out.constBits()) __builtin_trap();
        // Touch the first and the last row.
        volatile uchar sink = out.constScanLine(0)[0] ^ out.constScanLine(out.height() - 1)[0];
        (void)sink;
    }
    return 0;
}
