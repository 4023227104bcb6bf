// Access to the compiled-in pictures: bitmaps under :/bmp, JPEG pictures under :/jpg,
// looked up by name without regard to letter case. The JPEG pictures are decoded by
// library/resource_jpeg.h, beside the program's JPEG decoder.
#pragma once

#include <QByteArray>
#include <QIcon>
#include <QImage>
#include <QString>

// Registers the compiled-in pictures (they live in a static library whose initialiser the
// linker would otherwise drop). Safe to call any number of times; the loaders call it.
void InitResources();

// The bytes of the resource :/<type>/<name>; empty when there is none or it cannot be read.
QByteArray ReadResource(const QString& name, const QString& type);

// Loads the bitmap :/<type>/<name>. A missing or unreadable resource leaves target as it was.
void LoadResBitmap(QImage& target, const QString& name, const QString& type = "bmp");

// A glyph bitmap whose bottom-left pixel is the key colour RGB(255,0,255) gets every pixel
// of that colour made transparent; any other bitmap is returned unchanged (as ARGB32).
QImage KeyedGlyph(const QImage& bmp);

// The icon of a glyph bitmap after the key colour is applied; empty for a null image.
QIcon GlyphIcon(const QImage& bmp);
