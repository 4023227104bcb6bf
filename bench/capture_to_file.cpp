// A capture as one process: grab the whole screen (cursor included) and write it the way a
// capture saves it, PNG or JPEG by the file's extension. scripts/bench-capture times it
// beside other screenshot programs.
// Usage: capture_to_file <file.png|file.jpg>
#include "capture/screen_grab.h"
#include "library/picture_codecs.h"

#include <QString>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <file.png|file.jpg>\n", argv[0]);
        return 2;
    }
    QImage bitmap;
    GrabScreen(bitmap, 0);
    if (bitmap.isNull()) {
        std::fprintf(stderr, "no screen to grab\n");
        return 1;
    }
    // The extension picked by hand: the program's own lookup lives beside the picture loaders
    // and would load their libraries too.
    const QString path = QString::fromLocal8Bit(argv[1]);
    const bool jpeg =
        path.endsWith(".jpg", Qt::CaseInsensitive) || path.endsWith(".jpeg", Qt::CaseInsensitive);
    const bool written = jpeg ? WriteJpegFile(bitmap, path) : WritePngFile(bitmap, path);
    return written ? 0 : 1;
}
