// Picture decoders and writers: the pure codec layer under the picture loader and writer
// of the main window. Nothing here shows a message or touches a widget.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// The largest picture any decoder accepts, in pixels (width x height). Larger declared
// sizes are refused before anything is allocated for the pixels. (Fuzzing builds use a
// lower cap so that the fuzzer spends its time on the parsers, not on filling bitmaps.)
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
inline constexpr qint64 kMaxPicturePixels = 1'000'000;
#else
inline constexpr qint64 kMaxPicturePixels = 200'000'000;
#endif
// Metafiles are drawn onto a bitmap of the size their header claims, a claim that costs
// the file nothing (a few hundred bytes may claim the whole pixel cap); their size is
// held to this lower cap, under 64 MB as RGB32 and enough for an A0 page at 96 dots per
// inch.
inline constexpr qint64 kMaxMetafilePixels =
    kMaxPicturePixels < 16'000'000 ? kMaxPicturePixels : 16'000'000;

// Decoders: false on any failure, `out` untouched then. They never crash or hang on
// corrupt, truncated or hostile data.
//
// JPEG: an RGB32 picture (grayscale, YCbCr, CMYK and YCCK files; baseline or progressive).
bool DecodeJpegData(const QByteArray& data, QImage& out);
// PNG: palette pictures as Indexed8 (Mono for 1 bit), grayscale as Grayscale8, colour as
// RGB32, anything with transparency as ARGB32; 16-bit samples are reduced to 8 bits.
bool DecodePngData(const QByteArray& data, QImage& out);
// BMP keeping its depth: 1 bit Mono, 4 and 8 bits Indexed8 (16 or fewer colours for 4
// bits), 16 bits RGB555 or RGB16, 24 bits BGR888, 32 bits RGB32 (ARGB32 with an alpha mask).
bool DecodeBmpData(const QByteArray& data, QImage& out);
// Icons, Windows metafiles (placeable or not) and enhanced metafiles are rendered onto a
// white RGB32 bitmap: the largest image of an icon at its own size, a metafile at the size
// of its frame at 96 dots per inch (refused beyond kMaxMetafilePixels, before drawing).
bool RenderIcoData(const QByteArray& data, QImage& out);
bool RenderWmfData(const QByteArray& data, QImage& out);
bool RenderEmfData(const QByteArray& data, QImage& out);

// The decoder a file name's extension chooses, compared without regard to case: ".jpg" and
// ".jpeg" JPEG, ".bmp" BMP, ".png" PNG; everything else goes to the system picture loader,
// which recognises its pictures by their content (Icon, Wmf and Emf name the usual
// extensions ".ico", ".wmf" and ".emf", Other every other one).
enum class PicFileKind { Jpeg, Png, Bmp, Icon, Wmf, Emf, Other };
PicFileKind PicKindOfExtension(const QString& ext);
// The extension of a path: from the last dot of its file name, dot included; empty when
// the name has no dot.
QString PicExtensionOf(const QString& path);
// Decodes data the way a file of that kind is decoded (see PicKindOfExtension).
bool DecodePictureData(PicFileKind kind, const QByteArray& data, QImage& out);
// Reads the file (at most kMaxPictureFileBytes) and decodes it by its extension.
bool DecodePictureFile(const QString& path, QImage& out);
inline constexpr qint64 kMaxPictureFileBytes = qint64(1) << 30;

// Writers. Each writes into a file without a name in the target folder and gives it the
// target's name once complete, so a failed save never destroys an existing file and leaves
// nothing behind. False on failure; a null image writes nothing and gives false.
//
// JPEG: baseline, quality 100, the codec's defaults otherwise; full colour.
bool WriteJpegFile(const QImage& image, const QString& path);
// PNG: no interlacing, filter None on every row; Mono as a 1-bit palette, Indexed8 as a
// 4-bit (16 colours or fewer) or 8-bit palette, everything else as 8-bit RGB.
bool WritePngFile(const QImage& image, const QString& path);
// The deflate level WritePngFile uses.
inline constexpr int kPngDeflateLevel = 6;
// BMP: the depths DecodeBmpData produces are written as they are (Grayscale8 as an 8-bit
// grey palette); other formats as 24 or 32 bits by their depth.
bool WriteBmpFile(const QImage& image, const QString& path);
