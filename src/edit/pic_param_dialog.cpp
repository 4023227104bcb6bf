#include "edit/pic_param_dialog.h"

#include "common/guard.h"
#include "edit/picture_size.h"
#include "widgets/glyph_button.h"
#include "widgets/speed_button.h"
#include "widgets/window_flags.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int kEnterKey = 13;
// Up to eight optional digits; unfilled positions show as blanks.
const QString kSizeMask = QStringLiteral("99999999; ");

QLineEdit* SizeField(QWidget* parent, const char* name, int top) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setGeometry(96, top, 110, 22);
    field->setInputMask(kSizeMask);
    return field;
}

QLabel* FieldLabel(QWidget* parent, const char* name, const QString& text, int top) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(24, top, 70, 22);
    return label;
}

int KeyCode(const QKeyEvent* e) {
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter ? kEnterKey : e->key();
}

} // namespace

TFrmPicParam::TFrmPicParam(QWidget* owner) : QDialog(owner) {
    setObjectName("TFrmPicParam");
    MakeFixedDialog(this);
    setWindowTitle(QString::fromUtf8(u8"设置图片宽度"));
    setFixedSize(240, 140);
    QFont font("Arial");
    font.setPixelSize(13);
    setFont(font);
    Guarded([this] {
        LblPicWidth = FieldLabel(this, "LblPicWidth", QString::fromUtf8(u8"图片宽度"), 20);
        EdtPicWidth = SizeField(this, "EdtPicWidth", 20);
        LblPicHeight = FieldLabel(this, "LblPicHeight", QString::fromUtf8(u8"图片高度"), 54);
        EdtPicHeight = SizeField(this, "EdtPicHeight", 54);
        BtnConfirm = GlyphButton(this, "BtnConfirm", "confirm", QRect(36, 96, 75, 25));
        BtnClose = GlyphButton(this, "BtnClose", "BtnClose", QRect(129, 96, 75, 25));
        EdtPicWidth->installEventFilter(this);
        EdtPicHeight->installEventFilter(this);
        connect(BtnConfirm, &QAbstractButton::clicked, this, [this] { BtnConfirmClick(); });
        connect(BtnClose, &QAbstractButton::clicked, this, [this] { BtnCloseClick(); });
    });
}

void TFrmPicParam::PresetSize(int width, int height) {
    EdtPicHeight->setText(QString::number(height));
    EdtPicWidth->setText(QString::number(width));
    ReadFields();
}

void TFrmPicParam::ShowSizeDialog(int width, int height) {
    PresetSize(width, height);
    EdtPicWidth->setFocus();
    EdtPicWidth->selectAll();
    exec();
}

void TFrmPicParam::ReadFields() {
    // The fields are read as shown, blanks included: "12 4" is 12.
    NewWidth = ReadSizeField(EdtPicWidth->displayText());
    NewHeight = ReadSizeField(EdtPicHeight->displayText());
}

void TFrmPicParam::BtnConfirmClick() {
    Guarded([this] {
        ReadFields();
        accept();
    });
}

void TFrmPicParam::BtnCloseClick() {
    Guarded([this] { reject(); });
}

void TFrmPicParam::EdtPicWidthKeyDown(int key) {
    if (key == kEnterKey) BtnConfirmClick();
}

void TFrmPicParam::EdtPicHeightKeyDown(int key) {
    if (key == kEnterKey) BtnConfirmClick();
}

bool TFrmPicParam::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = KeyCode(static_cast<QKeyEvent*>(event));
        if (watched == EdtPicWidth) EdtPicWidthKeyDown(key);
        if (watched == EdtPicHeight) EdtPicHeightKeyDown(key);
        if (key == kEnterKey) return true;
    }
    return QDialog::eventFilter(watched, event);
}
