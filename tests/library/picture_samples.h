// Hand-made picture files for the codec tests: PNG chunks, metafiles record by record,
// icons, and headers that declare more pixels than any decoder accepts.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

#include <initializer_list>

namespace samples {

QByteArray Le16(int v);
QByteArray Le32(qint64 v);

// ---- PNG
QByteArray PngChunk(const char* type, const QByteArray& body);
// A PNG from its IHDR fields and the raw (filtered) image data, with optional extra
// chunks placed before the data.
QByteArray Png(quint32 width, quint32 height, int depth, int colourType, int interlace,
               const QByteArray& raw, const QByteArray& before = QByteArray());
// Raw data of an 8-bit picture (`channels` bytes a pixel, sample(x, y, c)), filter None,
// laid out either plainly or in the seven interlace passes.
QByteArray PngRaw8(int width, int height, int channels, bool interlaced,
                   int (*sample)(int, int, int));
// The chunks of a PNG file in order, with their bodies.
QList<QPair<QByteArray, QByteArray>> PngChunks(const QByteArray& png);

// ---- Windows metafiles
// One record: size in words, function, 16-bit parameters.
QByteArray WmfRecord(int function, std::initializer_list<int> params);
// A placeable metafile with the frame and units per inch, the records, and the end record.
QByteArray PlaceableWmf(int left, int top, int right, int bottom, int unitsPerInch,
                        const QByteArray& records);
// The usual picture: window origin and extent on the frame, a solid brush of `colour`
// (0x00BBGGRR) selected, an ellipse over the given box.
QByteArray EllipseWmf(int frameWidth, int frameHeight, int unitsPerInch, int left, int top,
                      int right, int bottom, quint32 colour);

// ---- enhanced metafiles
QByteArray EmfRecord(quint32 type, const QByteArray& body);
// An EMF whose header has these bounds (device pixels, inclusive) and frame (0.01 mm), a
// reference device of exactly 96 dots per inch, then the records and the end record.
QByteArray Emf(const QList<int>& bounds, const QList<int>& frame, const QByteArray& records);
// A solid brush of `colour` selected and an ellipse over the box, in device pixels.
QByteArray EllipseEmfRecords(int left, int top, int right, int bottom, quint32 colour);

// ---- icons and bitmaps
// An icon file holding these images, each stored as PNG data or as a 32-bit DIB with mask.
QByteArray Icon(const QList<QImage>& images, const QList<bool>& asPng);
// A BMP file header and BITMAPINFOHEADER for an 8-bit RLE picture of that size whose data is
// just the end-of-picture code: a complete picture of colour 0.
QByteArray Rle8Bmp(qint32 width, qint32 height);

// ---- complete pictures that are cheap to make at any size
QByteArray FlatJpeg(int width, int height);        // grayscale baseline, every block flat
QByteArray MonoPng(quint32 width, quint32 height); // 1-bit palette, all colour 0
QByteArray PngIcon(const QByteArray& png);         // an icon with that one PNG entry

// ---- pictures that declare more pixels than the cap, complete otherwise
QByteArray OversizedJpeg(); // grayscale baseline, 65500 x 3054, every block flat
QByteArray OversizedPng();  // 1-bit palette, 20000 x 10001
QByteArray OversizedBmp();  // RLE8, 20000 x 10001
QByteArray OversizedIcon(); // one PNG entry of 20000 x 10001
QByteArray OversizedWmf();  // frame of 20000 x 10001 pixels
QByteArray OversizedEmf();  // frame of about 20000 x 10001 pixels

} // namespace samples
