#include "widgets/glyph_button.h"

#include "common/resources.h"
#include "widgets/speed_button.h"

#include <QRect>

void LoadGlyph(SpeedButton* button, const QString& glyph) {
    QImage bitmap = button->glyphBitmap();
    LoadResBitmap(bitmap, glyph);
    button->setGlyph(bitmap);
}

SpeedButton* GlyphButton(QWidget* parent, const char* name, const char* glyph, const QRect& place) {
    auto* button = new SpeedButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(place);
    LoadGlyph(button, QString::fromLatin1(glyph));
    return button;
}
