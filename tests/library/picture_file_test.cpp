// Decoding by file name, bad and oversized input, and writes that fail without losing the
// file they were meant to replace.
#include "library/codec_support.h"
#include "library/picture_codecs.h"
#include "library/picture_samples.h"
#include "support/forked_child.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace samples;

namespace {

using Decoder = bool (*)(const QByteArray&, QImage&);

struct Format {
    const char* name;
    Decoder decode;
    QByteArray good;
    QByteArray oversized;
};

QList<Format> MakeFormats() {
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    EncodeBmp(picture, buffer);
    return {
        {"jpeg", DecodeJpegData, FlatJpeg(64, 48), OversizedJpeg()},
        {"png", DecodePngData, MonoPng(64, 48), OversizedPng()},
        {"bmp", DecodeBmpData, bmp, OversizedBmp()},
        {"rle bmp", DecodeBmpData, Rle8Bmp(64, 48), OversizedBmp()},
        {"ico", RenderIcoData, PngIcon(MonoPng(64, 48)), OversizedIcon()},
        {"wmf", RenderWmfData, EllipseWmf(2000, 1000, 1000, 500, 250, 1500, 750, 0xFF),
         OversizedWmf()},
        {"emf", RenderEmfData,
         Emf({0, 0, 99, 49}, {0, 0, 2646, 1323}, EllipseEmfRecords(0, 0, 99, 49, 0xFF)),
         OversizedEmf()},
    };
}

// Made once: the oversized samples take a moment.
const QList<Format>& Formats() {
    static const QList<Format> formats = MakeFormats();
    return formats;
}

QStringList Entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                               QDir::NoDotAndDotDot);
}

void WriteRaw(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(PictureDecoders, CompleteSamplesDecodeAndOversizedOnesAreRefused) {
    for (const Format& f : Formats()) {
        QImage out;
        EXPECT_TRUE(f.decode(f.good, out)) << f.name;
        EXPECT_FALSE(out.isNull()) << f.name;
        // The same picture declaring more than 200 million pixels: nothing else is wrong.
        QImage untouched(2, 2, QImage::Format_RGB32);
        untouched.fill(Qt::green);
        const QImage before = untouched;
        EXPECT_FALSE(f.decode(f.oversized, untouched)) << f.name;
        EXPECT_EQ(untouched, before) << f.name;
    }
    // The oversized pictures are complete: the same data a little smaller decodes.
    QImage out;
    EXPECT_TRUE(DecodeJpegData(FlatJpeg(65500, 30), out));
    EXPECT_EQ(out.size(), QSize(65500, 30));
}

TEST(PictureDecoders, BrokenDataFailsAndLeavesTheTargetAlone) {
    QImage target(3, 3, QImage::Format_RGB32);
    target.fill(Qt::green);
    const QImage before = target;
    QByteArray noise(3000, '\0');
    for (qsizetype i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 7919 + 13) % 251);
    for (const Format& f : Formats()) {
        for (const QByteArray& bad :
             {QByteArray(), QByteArray("not a picture"), noise, f.good.left(f.good.size() / 2),
              f.good.left(f.good.size() * 3 / 4), f.good.left(40), f.good.left(8)}) {
            EXPECT_FALSE(f.decode(bad, target)) << f.name << " " << bad.size();
        }
        // Every other decoder refuses this format too.
        for (const Format& other : Formats()) {
            if (other.decode == f.decode) continue;
            EXPECT_FALSE(other.decode(f.good, target)) << f.name << " by " << other.name;
        }
    }
    // Records that run past the end, and a metafile without its end record.
    QByteArray wmf = EllipseWmf(2000, 1000, 1000, 500, 250, 1500, 750, 0xFF);
    EXPECT_FALSE(RenderWmfData(wmf.left(wmf.size() - 6), target));
    wmf[22 + 18] = char(0x7F); // first record's size
    EXPECT_FALSE(RenderWmfData(wmf, target));
    QByteArray emf = Emf({0, 0, 99, 49}, {0, 0, 2646, 1323}, EllipseEmfRecords(0, 0, 99, 49, 0xFF));
    emf[108 + 4] = char(0x7E); // first record's size, not a multiple of 4
    EXPECT_FALSE(RenderEmfData(emf, target));
    EXPECT_EQ(target, before);
}

TEST(PictureFile, DecoderChosenByExtensionOrByContent) {
    EXPECT_EQ(PicKindOfExtension(".jpg"), PicFileKind::Jpeg);
    EXPECT_EQ(PicKindOfExtension(".JPEG"), PicFileKind::Jpeg);
    EXPECT_EQ(PicKindOfExtension(".Png"), PicFileKind::Png);
    EXPECT_EQ(PicKindOfExtension(".bmp"), PicFileKind::Bmp);
    EXPECT_EQ(PicKindOfExtension(".ICO"), PicFileKind::Icon);
    EXPECT_EQ(PicKindOfExtension(".wmf"), PicFileKind::Wmf);
    EXPECT_EQ(PicKindOfExtension(".emf"), PicFileKind::Emf);
    EXPECT_EQ(PicKindOfExtension(".gif"), PicFileKind::Other);
    EXPECT_EQ(PicKindOfExtension("jpg"), PicFileKind::Other);
    EXPECT_EQ(PicKindOfExtension(""), PicFileKind::Other);
    EXPECT_EQ(PicExtensionOf("/pics/7.Jpeg"), ".Jpeg");
    EXPECT_EQ(PicExtensionOf("/pics.old/readme"), "");
    EXPECT_EQ(PicExtensionOf("/pics/a.tar.gz"), ".gz");

    QTemporaryDir dir;
    const QByteArray png = MonoPng(8, 8);
    const QByteArray icon = PngIcon(png);
    const QByteArray wmf = EllipseWmf(2000, 1000, 1000, 500, 250, 1500, 750, 0xFF);
    const struct {
        const char* name;
        QByteArray bytes;
        bool decodes;
    } files[] = {
        {"a.PNG", png, true},
        {"b.jpg", png, false}, // JPEG decoder by name
        {"c.bmp", icon, false},
        {"d.ico", icon, true},
        {"e.dat", icon, true},
        {"f.emf", wmf, true},
        {"g", wmf, true},
        {"h.wmf", Rle8Bmp(4, 4), true},
        {"i.ico", FlatJpeg(8, 8), true},
        {"j.wmf", png, false}, // PNG is not a system picture
    };
    for (const auto& f : files) {
        WriteRaw(dir.filePath(f.name), f.bytes);
        QImage out;
        EXPECT_EQ(DecodePictureFile(dir.filePath(f.name), out), f.decodes) << f.name;
    }
    QImage out;
    EXPECT_FALSE(DecodePictureFile(dir.filePath("missing.png"), out));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.png"));
    EXPECT_FALSE(DecodePictureFile(dir.filePath("folder.png"), out));
    EXPECT_FALSE(DecodePictureFile("/dev/zero", out));
}

TEST(PictureWriters, FailedWritesKeepTheOldFileAndLeaveNothingBehind) {
    QTemporaryDir dir;
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    using Writer = bool (*)(const QImage&, const QString&);
    const Writer writers[] = {WriteJpegFile, WritePngFile, WriteBmpFile};

    // Missing folder, a folder in the way, a null picture.
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.jpg"));
    for (Writer write : writers) {
        EXPECT_FALSE(write(picture, dir.filePath("missing/x.jpg")));
        EXPECT_FALSE(write(picture, dir.filePath("taken.jpg")));
        EXPECT_FALSE(write(QImage(), dir.filePath("null.jpg")));
    }
    EXPECT_EQ(Entries(dir.path()), QStringList{"taken.jpg"});
    EXPECT_TRUE(Entries(dir.filePath("taken.jpg")).isEmpty());

    // A write that fails half-way leaves the old file as it was.
    const QString old = dir.filePath("old.jpg");
    WriteRaw(old, "keep me");
    EXPECT_FALSE(WriteJpegFile(QImage(70000, 1, QImage::Format_RGB32), old)); // too wide for JPEG
    EXPECT_FALSE(WriteFileReplacing(old, [](QIODevice& device) {
        device.write("half a picture");
        return false;
    }));
    EXPECT_EQ(ReadAll(old), "keep me");
    EXPECT_EQ(Entries(dir.path()), (QStringList{"old.jpg", "taken.jpg"}));

    // Out of room half-way, as on a full disk (here a file-size limit): the old file stays,
    // whether the room ends in the middle of the data or at its last flush.
    for (QSize size : {QSize(300, 200), QSize(40, 30)}) {
        QImage noisy(size, QImage::Format_RGB32);
        for (int y = 0; y < noisy.height(); ++y)
            for (int x = 0; x < noisy.width(); ++x)
                noisy.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x ^ y) % 256));
        for (Writer write : writers)
            EXPECT_EQ(RunWithFileSizeLimit(1000, [&] { return write(noisy, old) ? 1 : 0; }), 0);
    }
    EXPECT_EQ(ReadAll(old), "keep me");
    EXPECT_EQ(Entries(dir.path()), (QStringList{"old.jpg", "taken.jpg"}));

    // A successful write replaces it.
    for (Writer write : writers)
        EXPECT_TRUE(write(picture, old));
    EXPECT_TRUE(ReadAll(old).startsWith("BM"));
    EXPECT_EQ(Entries(dir.path()), (QStringList{"old.jpg", "taken.jpg"}));
}
