#include "app/path_bar.h"

#include "app/control_rows.h"
#include "library/resource_jpeg.h"
#include "widgets/glyph_button.h"
#include "widgets/speed_button.h"
#include "widgets/tiled_panel.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>

PathBar::PathBar(QWidget* parent) : QWidget(parent) {
    setObjectName("PathBar");
    PnlPath = Named(new QWidget(this), "PnlPath");
    PnlPath->setFixedSize(300, 26);
    BtnOpenDir = Named(new SpeedButton(PnlPath), "BtnOpenDir");
    BtnOpenDir->setGeometry(3, 1, 24, 24);
    BtnSelectPath = Named(new SpeedButton(PnlPath), "BtnSelectPath");
    BtnSelectPath->setGeometry(30, 1, 24, 24);
    CbPicFomat = Named(new QComboBox(PnlPath), "CbPicFomat");
    CbPicFomat->setGeometry(57, 2, 76, 22);

    PnlPathText = Named(new TiledPanel(this), "PnlPathText");
    PnlPathText->setFixedHeight(26);
    auto* fill = new QHBoxLayout(PnlPathText);
    fill->setContentsMargins(0, 0, 0, 0);
    ImgText = Named(new TiledPanel(PnlPathText), "ImgText");
    fill->addWidget(ImgText);
    EdtPicPath = Named(new QLineEdit(ImgText), "EdtPicPath");
    EdtPicPath->setGeometry(8, 2, 200, 22);
    ImgText->installEventFilter(this);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(PnlPath);
    row->addWidget(PnlPathText, 1);

    connect(BtnOpenDir, &QAbstractButton::clicked, this, &PathBar::openFolderClicked);
    connect(BtnSelectPath, &QAbstractButton::clicked, this, &PathBar::chooseFolderClicked);
    connect(CbPicFomat, &QComboBox::activated, this, &PathBar::formatChosen);
}

void PathBar::setFormats(const QStringList& formats) {
    CbPicFomat->clear();
    CbPicFomat->addItems(formats);
}

void PathBar::loadGlyphs() {
    LoadGlyph(BtnOpenDir, "opendir");
    LoadGlyph(BtnSelectPath, "selectpath");
    QImage strip;
    LoadResJpeg(strip, "ImgText");
    ImgText->setImage(strip, TiledPanel::Mode::Tile);
}

void PathBar::layOut() {
    BtnOpenDir->move(3, BtnOpenDir->y());
    BtnSelectPath->move(BtnOpenDir->x() + BtnOpenDir->width() + 3, BtnSelectPath->y());
    CbPicFomat->move(BtnSelectPath->x() + BtnSelectPath->width() + 3, CbPicFomat->y());
    PnlPath->setFixedWidth(300);
    for (SpeedButton* b : {BtnOpenDir, BtnSelectPath})
        b->resize(b->width(), ToolButtonHeight);
}

void PathBar::fitFolderBox() {
    EdtPicPath->resize(ImgText->width() - 20, EdtPicPath->height());
}

bool PathBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ImgText && event->type() == QEvent::Resize) fitFolderBox();
    return QWidget::eventFilter(watched, event);
}
