#include "edit/background_dialog.h"

#include "common/guard.h"
#include "widgets/glyph_button.h"
#include "widgets/speed_button.h"
#include "widgets/window_flags.h"

#include <QComboBox>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>

namespace {

struct NamedColor {
    const char* name;
    QRgb rgb;
};

// The standard colours of the toolkit's colour box, in its order.
const NamedColor kStandardColors[] = {
    {"Black", 0x000000},  {"Maroon", 0x800000},  {"Green", 0x008000}, {"Olive", 0x808000},
    {"Navy", 0x000080},   {"Purple", 0x800080},  {"Teal", 0x008080},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0xFF0000},     {"Lime", 0x00FF00},  {"Yellow", 0xFFFF00},
    {"Blue", 0x0000FF},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0x00FFFF},  {"White", 0xFFFFFF},
};

QIcon Swatch(const QColor& color) {
    QPixmap pixmap(16, 12);
    pixmap.fill(color);
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.drawRect(0, 0, 15, 11);
    p.end();
    return QIcon(pixmap);
}

void AddColor(QComboBox* box, const QString& name, const QColor& color) {
    box->addItem(Swatch(color), name, color);
}

QComboBox* ColorBox(QWidget* parent, const char* name, int left) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(left, 84, 124, 22);
    for (const NamedColor& c : kStandardColors)
        AddColor(box, QString::fromLatin1(c.name), QColor::fromRgb(c.rgb));
    box->setCurrentIndex(0);
    return box;
}

QListWidget* StyleList(QWidget* parent, const char* name, int left, const QStringList& items) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setGeometry(left, 14, 124, 62);
    list->addItems(items);
    list->setCurrentRow(-1);
    return list;
}

int RowOrZero(const QListWidget* list) {
    return list->currentRow() < 0 ? 0 : list->currentRow();
}

} // namespace

TFrmBackgroundSet::TFrmBackgroundSet(QWidget* owner) : QDialog(owner) {
    setObjectName("TFrmBackgroundSet");
    MakeFixedDialog(this);
    setWindowTitle(QStringLiteral("FrmBackgroundSet"));
    setFixedSize(290, 160);
    QFont font("Arial");
    font.setPixelSize(13);
    setFont(font);
    Guarded([this] {
        LbBGStyle = StyleList(this, "LbBGStyle", 14,
                              {QString::fromUtf8(u8"无背景"), QString::fromUtf8(u8"透明背景"),
                               QString::fromUtf8(u8"不透明背景")});
        LbTextBorder = StyleList(this, "LbTextBorder", 152,
                                 {QString::fromUtf8(u8"无边框"), QString::fromUtf8(u8"圆角边框"),
                                  QString::fromUtf8(u8"矩形边框")});
        CbBgColor = ColorBox(this, "CbBgColor", 14);
        CbBorderColor = ColorBox(this, "CbBorderColor", 152);
        BtnDefaultSet = GlyphButton(this, "BtnDefaultSet", "btndefault", QRect(14, 120, 75, 25));
        BtnConfirm = GlyphButton(this, "BtnConfirm", "confirm", QRect(107, 120, 75, 25));
        BtnClose = GlyphButton(this, "BtnClose", "BtnClose", QRect(201, 120, 75, 25));
        connect(BtnDefaultSet, &QAbstractButton::clicked, this, [this] { BtnDefaultSetClick(); });
        connect(BtnConfirm, &QAbstractButton::clicked, this, [this] { BtnConfirmClick(); });
        connect(BtnClose, &QAbstractButton::clicked, this, [this] { BtnCloseClick(); });
    });
}

QColor TFrmBackgroundSet::SelectedColor(const QComboBox* box) {
    const QVariant data = box->currentData();
    return data.canConvert<QColor>() ? data.value<QColor>() : QColor(0, 0, 0);
}

void TFrmBackgroundSet::SelectColor(QComboBox* box, const QColor& color) {
    int index = box->findData(color);
    if (index < 0) {
        AddColor(box, color.name(), color);
        index = box->count() - 1;
    }
    box->setCurrentIndex(index);
}

void TFrmBackgroundSet::BtnDefaultSetClick() {
    Guarded([this] {
        LbBGStyle->setCurrentRow(0);
        LbTextBorder->setCurrentRow(0);
        SelectColor(CbBgColor, QColor(255, 255, 255));
        SelectColor(CbBorderColor, QColor(0, 0, 0));
    });
}

void TFrmBackgroundSet::BtnConfirmClick() {
    Guarded([this] {
        if (LbBGStyle->currentRow() < 0) LbBGStyle->setCurrentRow(0);
        if (LbTextBorder->currentRow() < 0) LbTextBorder->setCurrentRow(0);
        FStored.bgStyle = RowOrZero(LbBGStyle);
        FStored.bgColor = SelectedColor(CbBgColor);
        FStored.borderStyle = RowOrZero(LbTextBorder);
        FStored.borderColor = SelectedColor(CbBorderColor);
        accept();
    });
}

void TFrmBackgroundSet::BtnCloseClick() {
    Guarded([this] { reject(); });
}
