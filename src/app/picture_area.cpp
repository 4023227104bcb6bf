#include "app/picture_area.h"

#include "app/control_rows.h"
#include "widgets/image_control.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QTextDocument>
#include <QTextEdit>

namespace {

// The text box's initial size.
constexpr int kMemoWidth = 185;
constexpr int kMemoHeight = 74;
constexpr int kMemoMargin = 2;

} // namespace

PictureArea::PictureArea(QWidget* parent) : QScrollArea(parent) {
    setObjectName("SBDisplay");
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    PnlPic = Named(new QWidget, "PnlPic");
    PaintBackground(PnlPic, Qt::white);
    setWidget(PnlPic);
    ImgMain = Named(new ImageControl(PnlPic), "ImgMain");
    ImgMain->move(0, 0);
    ImgMain->resize(0, 0);
    ImgMain->setContextMenuPolicy(Qt::CustomContextMenu);
    // The panel is never smaller than the picture, so that the box scrolls over all of it.
    ImgMain->installEventFilter(this);

    MemoText = Named(new QTextEdit(PnlPic), "MemoText");
    MemoText->setContextMenuPolicy(Qt::CustomContextMenu);
    MemoText->hide();
    // A flat box with a thin border whose words wrap at its width; it never scrolls sideways.
    MemoText->setFrameStyle(QFrame::Box | QFrame::Plain);
    MemoText->setLineWidth(1);
    MemoText->setLineWrapMode(QTextEdit::WidgetWidth);
    MemoText->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    MemoText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MemoText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MemoText->setAcceptRichText(false);
    MemoText->document()->setDocumentMargin(kMemoMargin);
    MemoText->resize(kMemoWidth, kMemoHeight);

    PmFont = Named(new QMenu(this), "PmFont");
    MakeMenuItems(PmFont, PictureMenuItems(),
                  [this](FormCommand handler) { emit command(handler); });
    for (QWidget* owner : {static_cast<QWidget*>(ImgMain), static_cast<QWidget*>(MemoText)})
        connect(owner, &QWidget::customContextMenuRequested, PmFont,
                [this, owner](const QPoint& p) { PmFont->popup(owner->mapToGlobal(p)); });
    connect(PmFont, &QMenu::aboutToShow, this, &PictureArea::menuAboutToShow);
}

void PictureArea::showMenuFor(bool textBox) {
    auto item = [this](const char* name) { return PmFont->findChild<QAction*>(name); };
    item("PnAddText")->setVisible(!textBox);
    for (const char* name : {"PmReturn", "PmConfirmAddText", "PmCancelAddText"})
        item(name)->setVisible(textBox);
    for (const char* name : {"MnFontSet", "MnBackgroundSet", "MnAddTextOK"})
        item(name)->setVisible(true);
}

void PictureArea::applyTexts() {
    WordMenuItems(PmFont, PictureMenuItems());
}

bool PictureArea::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ImgMain && event->type() == QEvent::Resize)
        PnlPic->setMinimumSize(ImgMain->size());
    return QScrollArea::eventFilter(watched, event);
}
