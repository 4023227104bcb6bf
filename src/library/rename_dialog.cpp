#include "library/rename_dialog.h"

#include "common/text_tables.h"
#include "widgets/glyph_button.h"
#include "widgets/speed_button.h"
#include "widgets/window_flags.h"

#include <QLabel>
#include <QLineEdit>

TFrmReName::TFrmReName(QWidget* parent) : QDialog(parent) {
    setObjectName("FrmReName");
    MakeFixedDialog(this);
    QFont font("Arial");
    font.setPixelSize(13);
    setFont(font);
    setFixedSize(272, 92);

    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(12, 14, 44, 22);
    EdtName = new QLineEdit(this);
    EdtName->setObjectName("EdtName");
    EdtName->setGeometry(60, 14, 198, 22);
    BtnConfirm = GlyphButton(this, "BtnConfirm", "confirm", QRect(50, 52, 75, 25));
    BtnClose = GlyphButton(this, "BtnClose", "BtnClose", QRect(147, 52, 75, 25));

    // Enter in the edit box confirms, as the confirm button does.
    connect(EdtName, &QLineEdit::returnPressed, this, [this] { BtnConfirmClick(); });
    connect(BtnConfirm, &QAbstractButton::clicked, this, [this] { BtnConfirmClick(); });
    connect(BtnClose, &QAbstractButton::clicked, this, [this] { BtnCloseClick(); });
    FormCreate();
}

void TFrmReName::FormCreate() {
    // The texts of the language active now stay for the dialog's whole life.
    setWindowTitle(texts::Texts().TxtRenameTitle);
    Label1->setText(texts::Texts().TxtRenameLabel);
}

void TFrmReName::SetName(const QString& name) {
    FNewName = name;
    EdtName->setText(name);
}

void TFrmReName::BtnConfirmClick() {
    FNewName = EdtName->text();
    accept();
}

void TFrmReName::BtnCloseClick() {
    reject();
}
