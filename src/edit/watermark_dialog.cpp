#include "edit/watermark_dialog.h"

#include "common/guard.h"
#include "common/str_to_int.h"
#include "common/text_tables.h"
#include "edit/watermark.h"
#include "edit/watermark_settings.h"
#include "library/picture_codecs.h"
#include "widgets/glyph_button.h"
#include "widgets/image_control.h"
#include "widgets/speed_button.h"
#include "widgets/window_flags.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>

TFrmWaterMarkSet::TFrmWaterMarkSet(WatermarkSettings& settings, QWidget* owner)
    : QDialog(owner), FSettings(settings) {
    setObjectName("TFrmWaterMarkSet");
    MakeFixedDialog(this, Qt::WindowStaysOnTopHint);
    setWindowTitle(texts::Texts().TxtWatermarkTitle);
    setFixedSize(420, 336);

    GbWaterType = new QGroupBox(texts::Texts().TxtWmType, this);
    GbWaterType->setGeometry(10, 8, 132, 104);
    LbWatermarkType = new QListWidget(GbWaterType);
    LbWatermarkType->setObjectName("LbWatermarkType");
    LbWatermarkType->setGeometry(10, 24, 112, 70);
    LbWatermarkType->addItems(texts::Texts().TxtWmTypeChoices.split(','));

    GbWaterLocation = new QGroupBox(texts::Texts().TxtWmPosition, this);
    GbWaterLocation->setGeometry(152, 8, 258, 104);
    auto* x = new QLabel("X", GbWaterLocation);
    x->setGeometry(12, 28, 14, 20);
    EdtMarkX = new QLineEdit(GbWaterLocation);
    EdtMarkX->setObjectName("EdtMarkX");
    EdtMarkX->setGeometry(30, 26, 80, 24);
    auto* y = new QLabel("Y", GbWaterLocation);
    y->setGeometry(12, 64, 14, 20);
    EdtMarkY = new QLineEdit(GbWaterLocation);
    EdtMarkY->setObjectName("EdtMarkY");
    EdtMarkY->setGeometry(30, 62, 80, 24);
    CbMarkContrst = new QCheckBox(texts::Texts().TxtWmReverse, GbWaterLocation);
    CbMarkContrst->setObjectName("CbMarkContrst");
    CbMarkContrst->setGeometry(128, 28, 120, 22);

    LblTranparent = new QLabel(texts::Texts().TxtWmTransparency, this);
    LblTranparent->setGeometry(12, 122, 70, 20);
    SbTransparent = new QScrollBar(Qt::Horizontal, this);
    SbTransparent->setObjectName("SbTransparent");
    SbTransparent->setRange(1, 10);
    SbTransparent->setPageStep(1);
    SbTransparent->setGeometry(86, 124, 280, 16);
    LbTrans = new QLabel(this);
    LbTrans->setObjectName("LbTrans");
    LbTrans->setGeometry(374, 122, 36, 20);

    LbMarkText = new QLabel(texts::Texts().TxtWmText, this);
    LbMarkText->setGeometry(12, 154, 70, 20);
    EdtWatermark = new QLineEdit(this);
    EdtWatermark->setObjectName("EdtWatermark");
    EdtWatermark->setGeometry(86, 152, 324, 24);
    EdtWatermarkIMGPath = new QLineEdit(this);
    EdtWatermarkIMGPath->setObjectName("EdtWatermarkIMGPath");
    EdtWatermarkIMGPath->setGeometry(12, 152, 312, 24);
    BtnSpSelectPicAdd =
        GlyphButton(this, "BtnSpSelectPicAdd", "BtnSpSelectPicAdd", QRect(334, 151, 77, 27));

    ImgPreview = new QGroupBox(texts::Texts().TxtWmPreview, this);
    ImgPreview->setGeometry(10, 184, 400, 106);
    ImgWatermark = new ImageControl(ImgPreview);
    ImgWatermark->setObjectName("ImgWatermark");
    ImgWatermark->setAutoSize(false);
    ImgWatermark->setStretch(true);
    ImgWatermark->setGeometry(10, 22, 0, 0);

    BtnConfirm = GlyphButton(this, "BtnConfirm", "confirm", QRect(238, 300, 77, 27));
    BtnClose = GlyphButton(this, "BtnClose", "cancel", QRect(326, 300, 77, 27));

    connect(LbWatermarkType, &QListWidget::currentRowChanged, this,
            [this] { LbWatermarkTypeClick(); });
    connect(SbTransparent, &QScrollBar::valueChanged, this, [this] { SbTransparentChange(); });
    connect(BtnSpSelectPicAdd, &QAbstractButton::clicked, this,
            [this] { BtnSpSelectPicAddClick(); });
    connect(EdtMarkX, &QLineEdit::editingFinished, this, [this] { EdtMarkXExit(); });
    connect(EdtMarkY, &QLineEdit::editingFinished, this, [this] { EdtMarkYExit(); });
    connect(CbMarkContrst, &QCheckBox::clicked, this, [this] { CbMarkContrstClick(); });
    connect(BtnConfirm, &QAbstractButton::clicked, this, [this] { BtnCloseClick(); });
    connect(BtnClose, &QAbstractButton::clicked, this, [this] { BtnCloseClick(); });
}

void TFrmWaterMarkSet::LoadWatermarkDialog() {
    Guarded([this] {
        EdtWatermark->setText(FSettings.text);
        LbWatermarkType->setCurrentRow(FSettings.type >= 0 && FSettings.type < 3 ? FSettings.type
                                                                                 : -1);
        EdtWatermarkIMGPath->setText(FSettings.imgPath);
        SbTransparent->setValue(FSettings.transparent);
        SbTransparentChange();
        CbMarkContrst->setChecked(FSettings.reverse);
        EdtMarkX->setText(QString::number(FSettings.markX));
        EdtMarkY->setText(QString::number(FSettings.markY));
        LbWatermarkTypeClick();
        if (QFileInfo(FSettings.imgPath).isFile()) LoadPreview(FSettings.imgPath);
    });
}

void TFrmWaterMarkSet::DrawWatermark(QImage& picture) const {
    Guarded([&] {
        ::DrawWatermark(picture, FSettings, CbMarkContrst->isChecked(), ImgWatermark->picture());
    });
}

void TFrmWaterMarkSet::LbWatermarkTypeClick() {
    const int type = LbWatermarkType->currentRow();
    LbMarkText->setVisible(type == 0);
    EdtWatermark->setVisible(type == 0);
    EdtWatermarkIMGPath->setVisible(type == 1);
    BtnSpSelectPicAdd->setVisible(type == 1);
    ImgPreview->setVisible(type == 1);
}

void TFrmWaterMarkSet::SbTransparentChange() {
    LbTrans->setText(QString::asprintf("%d", SbTransparent->value()));
}

void TFrmWaterMarkSet::BtnSpSelectPicAddClick() {
    Guarded([this] {
        const QString file = QFileDialog::getOpenFileName(
            this, QString(), QFileInfo(EdtWatermarkIMGPath->text()).absolutePath(),
            "*.jpg *.jpeg *.bmp *.png *.ico *.emf *.wmf;;*.*");
        if (file.isEmpty()) return;
        EdtWatermarkIMGPath->setText(file);
        LoadPreview(file);
    });
}

int TFrmWaterMarkSet::OffsetOf(QLineEdit* field) {
    int value = 0;
    if (!TryStrToInt(field->text(), value)) {
        value = 0;
        field->setText("0");
    }
    return value;
}

void TFrmWaterMarkSet::EdtMarkXExit() {
    FSettings.markX = OffsetOf(EdtMarkX);
}

void TFrmWaterMarkSet::EdtMarkYExit() {
    FSettings.markY = OffsetOf(EdtMarkY);
}

void TFrmWaterMarkSet::CbMarkContrstClick() {
    FSettings.reverse = CbMarkContrst->isChecked();
}

void TFrmWaterMarkSet::BtnCloseClick() {
    Guarded([this] {
        EdtMarkXExit();
        EdtMarkYExit();
        CbMarkContrstClick();
        close();
    });
}

void TFrmWaterMarkSet::FormCloseQuery() {
    FSettings.text = EdtWatermark->text();
    FSettings.type = LbWatermarkType->currentRow();
    FSettings.imgPath = EdtWatermarkIMGPath->text();
    FSettings.transparent = SbTransparent->value();
}

void TFrmWaterMarkSet::showEvent(QShowEvent* e) {
    if (LbWatermarkType->currentRow() < 0 && LbWatermarkType->count() > 0)
        LbWatermarkType->setCurrentRow(0);
    QDialog::showEvent(e);
}

void TFrmWaterMarkSet::closeEvent(QCloseEvent* e) {
    // Every way of closing keeps the edits; closing is never refused.
    FormCloseQuery();
    e->accept();
    QDialog::closeEvent(e);
}

void TFrmWaterMarkSet::done(int r) {
    // Esc ends the dialog through here without a close event.
    FormCloseQuery();
    QDialog::done(r);
}

void TFrmWaterMarkSet::LoadPreview(const QString& file) {
    QImage picture;
    if (!DecodePictureFile(file, picture)) return;
    ImgWatermark->setPicture(picture);
    FitPreview();
}

void TFrmWaterMarkSet::FitPreview() {
    const QSize room(380, 74);
    QSize shown = ImgWatermark->picture().size();
    if (shown.width() > room.width() || shown.height() > room.height())
        shown.scale(room, Qt::KeepAspectRatio);
    ImgWatermark->setGeometry(10, 22, shown.width(), shown.height());
}
