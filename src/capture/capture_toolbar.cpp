#include "capture/capture_toolbar.h"

#include "capture/capture_session.h"
#include "common/guard.h"
#include "common/picture_formats.h"
#include "common/resources.h"
#include "common/shell_routines.h"
#include "common/text_format.h"
#include "common/text_tables.h"
#include "widgets/image_control.h"
#include "widgets/skin_frame.h"
#include "widgets/speed_button.h"
#include "widgets/tiled_panel.h"
#include "widgets/window_flags.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QFontInfo>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTextLayout>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kWidth = 332;
constexpr int kHeight = 185;
constexpr int kTopEdge = 11;
constexpr int kBottomEdge = 11;
constexpr int kLeftEdge = 6;
constexpr int kRightEdge = 14;
constexpr int kClientWidth = kWidth - kLeftEdge - kRightEdge;
constexpr int kClientHeight = kHeight - kTopEdge - kBottomEdge;
constexpr int kHintHeight = 26;
constexpr int kButtonPanelWidth = 202;
constexpr int kListWidth = 73;
constexpr int kButtonWidth = 122;
const QColor kHintColor(255, 0, 0);

// A frame strip's picture cut or widened on its inner side to `thickness` (measured along
// x when `acrossX`), so that the darker outer edge stays at the window's edge.
QImage FitStrip(const QImage& strip, int thickness, bool acrossX, bool outerAtStart) {
    if (strip.isNull()) return strip;
    const int depth = acrossX ? strip.width() : strip.height();
    if (depth == thickness) return strip;
    QImage fitted(acrossX ? QSize(thickness, strip.height()) : QSize(strip.width(), thickness),
                  QImage::Format_RGB32);
    QPainter p(&fitted);
    for (int i = 0; i < thickness; ++i) {
        const int from = outerAtStart ? std::min(i, depth - 1) : std::max(0, depth - thickness + i);
        if (acrossX)
            p.drawImage(QPoint(i, 0), strip, QRect(from, 0, 1, strip.height()));
        else
            p.drawImage(QPoint(0, i), strip, QRect(0, from, strip.width(), 1));
    }
    return fitted;
}

TiledPanel* EdgePiece(QWidget* parent, const char* name, const char* bitmap, const QRect& place,
                      bool acrossX, bool outerAtStart) {
    TiledPanel* piece = FramePiece(parent, bitmap, place);
    piece->setObjectName(QString::fromLatin1(name));
    const int thickness = acrossX ? place.width() : place.height();
    piece->setImage(FitStrip(piece->image(), thickness, acrossX, outerAtStart));
    return piece;
}

// A button picture larger than the button is scaled down to fit inside its hover frame,
// keeping its proportions; one that fits is shown as it is.
QImage FitGlyph(const QImage& bitmap, const QSize& button) {
    const QSize room = button - QSize(2, 2);
    if (bitmap.isNull() || (bitmap.width() <= room.width() && bitmap.height() <= room.height()))
        return bitmap;
    return KeyedGlyph(bitmap).scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

SpeedButton* ColumnButton(QWidget* parent, const char* name, const QRect& place) {
    auto* button = new SpeedButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(place);
    return button;
}

void LoadButtonPicture(SpeedButton* button) {
    QImage bitmap;
    LoadResBitmap(bitmap, button->objectName());
    button->setGlyph(FitGlyph(bitmap, button->size()));
}

// The smallest type the hint line shrinks to before it shortens the text.
constexpr int kSmallestHintPixels = 11;

// The text wrapped at any character (paths have no spaces) into lines of `width`; with more
// than `room` lines, the last line that fits holds the rest of the text shortened in the
// middle, so that both the start and the end of the text stay readable. `complete` tells
// whether nothing had to be left out.
QStringList WrapHint(const QString& text, const QFont& font, int width, int room, bool* complete) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QList<int> starts;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        starts.append(line.textStart());
    }
    layout.endLayout();
    *complete = starts.size() <= room;
    QStringList lines;
    for (int i = 0; i < starts.size(); ++i) {
        if (i + 1 == room && !*complete) {
            lines.append(QFontMetrics(font).elidedText(text.mid(starts[i]).trimmed(),
                                                       Qt::ElideMiddle, width));
            break;
        }
        const int end = i + 1 < starts.size() ? starts[i + 1] : int(text.size());
        lines.append(text.mid(starts[i], end - starts[i]).trimmed());
    }
    return lines;
}

// The hint line: centred and word-wrapped in the label's own type when it fits; a long
// text (a saved-to hint with its full path) takes a smaller type, down to
// kSmallestHintPixels, to fit in more lines, and is shortened only when even that is not
// enough. The whole text, whoever set it, is the tooltip.
class HintLabel : public QLabel {
  public:
    using QLabel::QLabel;

  protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::ToolTip) {
            if (text().isEmpty())
                QToolTip::hideText();
            else
                QToolTip::showText(static_cast<QHelpEvent*>(e)->globalPos(), text(), this);
            return true;
        }
        return QLabel::event(e);
    }

    void paintEvent(QPaintEvent*) override {
        const QRect box = contentsRect().adjusted(3, 0, -3, 0);
        QFont type = font();
        QStringList lines;
        const int largest = std::max(QFontInfo(type).pixelSize(), kSmallestHintPixels);
        for (int pixels = largest; pixels >= kSmallestHintPixels; --pixels) {
            type.setPixelSize(pixels);
            const int room = std::max(1, box.height() / QFontMetrics(type).lineSpacing());
            bool complete = false;
            lines = WrapHint(text(), type, box.width(), room, &complete);
            if (complete) break;
        }
        QPainter p(this);
        p.setPen(palette().color(QPalette::WindowText));
        p.setFont(type);
        const int lineHeight = QFontMetrics(type).lineSpacing();
        int y = box.top() + (box.height() - int(lines.size()) * lineHeight) / 2;
        for (const QString& line : lines) {
            p.drawText(QRect(box.left(), y, box.width(), lineHeight), Qt::AlignCenter, line);
            y += lineHeight;
        }
    }
};

} // namespace

TFrmToolBar::TFrmToolBar(CaptureSession* session)
    // A title and a close box: a window of fixed size has nothing to maximise, and a
    // minimised toolbar would leave a continuous run with no way back on the screen.
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      FSession(session) {
    setObjectName("TFrmToolBar");
    // Closing only hides the toolbar; it is never the window whose closing ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    StyleFixedWindow(this, kWidth, kHeight);
    BuildForm();
    FormCreate();
}

void TFrmToolBar::BuildForm() {
    PnlTop = EdgePiece(this, "PnlTop", "PnlTop", QRect(0, 0, kWidth, kTopEdge), false, true);
    PnlBottom = EdgePiece(this, "PnlBottom", "PnlBottom",
                          QRect(0, kHeight - kBottomEdge, kWidth, kBottomEdge), false, false);
    ImgLeft = EdgePiece(this, "ImgLeft", "PnlLeft", QRect(0, kTopEdge, kLeftEdge, kClientHeight),
                        true, true);
    ImgRight =
        EdgePiece(this, "ImgRight", "PnlRight",
                  QRect(kWidth - kRightEdge, kTopEdge, kRightEdge, kClientHeight), true, false);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName("ScrollBox1");
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setGeometry(kLeftEdge, kTopEdge, kClientWidth, kClientHeight);
    auto* client = new QWidget;
    client->setObjectName("ScrollBox1Client");
    client->resize(kClientWidth, kClientHeight);
    ScrollBox1->setWidget(client);
    ScrollBox1->viewport()->setAutoFillBackground(false);
    client->setAutoFillBackground(false);

    const int bodyHeight = kClientHeight - kHintHeight;
    PnlButton = new QWidget(client);
    PnlButton->setObjectName("PnlButton");
    PnlButton->setGeometry(kClientWidth - kButtonPanelWidth, 0, kButtonPanelWidth, bodyHeight);

    GBImgList = new QGroupBox(PnlButton);
    GBImgList->setObjectName("GBImgList");
    GBImgList->setGeometry(0, 0, kListWidth, bodyHeight);
    LbImgs = new QListWidget(GBImgList);
    LbImgs->setObjectName("LbImgs");
    LbImgs->setFrameShape(QFrame::NoFrame);
    LbImgs->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    LbImgs->setTextElideMode(Qt::ElideMiddle);
    auto* listLayout = new QVBoxLayout(GBImgList);
    listLayout->setContentsMargins(3, 2, 3, 3);
    listLayout->addWidget(LbImgs);

    // The button column to the right of the list, the buttons centred in it.
    const int columnLeft = kListWidth + (kButtonPanelWidth - kListWidth - kButtonWidth) / 2;
    BtnSpMouseCutScreen =
        ColumnButton(PnlButton, "BtnSpMouseCutScreen", QRect(columnLeft, 6, kButtonWidth, 25));
    BtnSPFullScreenC = ColumnButton(PnlButton, "BtnSPFullScreenC",
                                    QRect(columnLeft, (bodyHeight - 26) / 2, kButtonWidth, 26));
    BtnSpExistMainWin = ColumnButton(PnlButton, "BtnSpExistMainWin",
                                     QRect(columnLeft, bodyHeight - 26 - 6, kButtonWidth, 26));

    GpSPPreview = new QGroupBox(client);
    GpSPPreview->setObjectName("GpSPPreview");
    GpSPPreview->setGeometry(0, 0, kClientWidth - kButtonPanelWidth, bodyHeight);
    ImgPreView = new ImageControl(GpSPPreview);
    ImgPreView->setObjectName("ImgPreView");
    ImgPreView->setAutoSize(false);
    ImgPreView->setStretch(true);
    ImgPreView->setCursor(Qt::PointingHandCursor);
    ImgPreView->installEventFilter(this);
    auto* previewLayout = new QVBoxLayout(GpSPPreview);
    previewLayout->setContentsMargins(3, 2, 3, 3);
    previewLayout->addWidget(ImgPreView);
    // Two small buttons in the caption's right end; they start hidden.
    const int previewWidth = GpSPPreview->width();
    BtnFileScreen = ColumnButton(GpSPPreview, "BtnFileScreen", QRect(previewWidth - 40, 0, 18, 18));
    BtnZoom = ColumnButton(GpSPPreview, "BtnZoom", QRect(previewWidth - 20, 0, 18, 18));
    BtnFileScreen->hide();
    BtnZoom->hide();

    PnlHint = new QWidget(client);
    PnlHint->setObjectName("PnlHint");
    PnlHint->setGeometry(0, bodyHeight, kClientWidth, kHintHeight);
    LblHint = new HintLabel(PnlHint);
    LblHint->setObjectName("LblHint");
    LblHint->setGeometry(0, 0, kClientWidth, kHintHeight);
    LblHint->setAlignment(Qt::AlignCenter);
    LblHint->setWordWrap(true);
    QFont hintFont = LblHint->font();
    hintFont.setPixelSize(12);
    LblHint->setFont(hintFont);
    QPalette red = LblHint->palette();
    red.setColor(QPalette::WindowText, kHintColor);
    LblHint->setPalette(red);

    connect(BtnSpMouseCutScreen, &QAbstractButton::clicked, this,
            [this] { BtnMouseScreenCutClick(); });
    connect(BtnSPFullScreenC, &QAbstractButton::clicked, this, [this] { BtnFullScreenClick(); });
    connect(BtnSpExistMainWin, &QAbstractButton::clicked, this, [this] { BtnCloseClick(); });
    connect(BtnZoom, &QAbstractButton::clicked, this, [this] { BtnZoomClick(); });
    connect(BtnFileScreen, &QAbstractButton::clicked, this, [this] { BtnFileScreenClick(); });
    // A new current entry, by mouse or keys, is previewed; so is a click on the entry that
    // was already current (a click that made it current has shown it already).
    connect(LbImgs, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) LbImgsClick();
    });
    LbImgs->viewport()->installEventFilter(this);
    connect(LbImgs, &QListWidget::itemClicked, this, [this] {
        if (LbImgs->currentRow() == FRowAtPress) LbImgsClick();
    });
    connect(LbImgs, &QListWidget::itemDoubleClicked, this, [this] { ImgPreViewClick(); });
}

void TFrmToolBar::FormCreate() {
    Guarded([this] {
        setWindowTitle(texts::Texts().ProductTitle);
        for (SpeedButton* button :
             {BtnSpExistMainWin, BtnSpMouseCutScreen, BtnSPFullScreenC, BtnFileScreen, BtnZoom})
            LoadButtonPicture(button);
        GpSPPreview->setTitle(texts::Texts().TxtPreview);
        GBImgList->setTitle(texts::Texts().TxtImageList);
        move(10, 10);
    });
}

void TFrmToolBar::AddSavedPicture(const QString& name) {
    Guarded([&] {
        auto* item = new QListWidgetItem(QFileInfo(name).fileName());
        item->setToolTip(item->text());
        {
            // The new entry shows the file it came from, not the one in the picture folder.
            const QSignalBlocker quiet(LbImgs);
            LbImgs->addItem(item);
            LbImgs->setCurrentItem(item);
        }
        LbImgs->scrollToItem(item);
        LblHint->setText(FillIn(texts::Texts().TxtSavedTo, name));
        ShowPreview(name);
    });
}

void TFrmToolBar::ClearSavedList() {
    Guarded([this] { LbImgs->clear(); });
}

void TFrmToolBar::KeepOnTop() {
    Guarded([this] {
        ChangeWindowFlags(this, windowFlags() | Qt::WindowStaysOnTopHint);
        if (!isVisible()) return;
        raise();
        // The frozen screen is a full-screen window, which window managers keep above every
        // other window while it has the focus; the toolbar takes the focus to stay in view.
        activateWindow();
    });
}

void TFrmToolBar::BtnMouseScreenCutClick() {
    Guarded([this] {
        try {
            hide();
            FSession->startArea();
            show();
            LblHint->setText(texts::Texts().TxtToolbarAreaHint);
        } catch (...) {
            KeepOnTop();
            throw;
        }
        KeepOnTop();
    });
}

void TFrmToolBar::BtnFullScreenClick() {
    Guarded([this] {
        try {
            hide();
            FSession->captureDirect(CaptureMode::Screen);
            show();
        } catch (...) {
            KeepOnTop();
            throw;
        }
        KeepOnTop();
    });
}

void TFrmToolBar::BtnCloseClick() {
    Guarded([this] {
        RestoreOnClose = true;
        FSession->host().unregisterHotkeys();
        close();
        FSession->hideAreaHint();
    });
}

bool TFrmToolBar::FormCloseQuery() {
    Guarded([this] {
        // The run ends; the area capture and its frozen screen with it.
        FSession->endRun(RestoreOnClose);
    });
    return true;
}

void TFrmToolBar::closeEvent(QCloseEvent* e) {
    if (FormCloseQuery())
        e->accept();
    else
        e->ignore();
}

bool TFrmToolBar::EnsureSelection() {
    if (LbImgs->count() == 0) return false;
    if (!LbImgs->currentItem()) {
        const QSignalBlocker quiet(LbImgs);
        LbImgs->setCurrentRow(0);
    }
    return LbImgs->currentItem() != nullptr;
}

void TFrmToolBar::ShowPreview(const QString& path) {
    // Start from an empty preview: a file the loader accepts without decoding it must not
    // leave the previous picture under the new name.
    ImgPreView->clearPicture();
    const bool loaded = FSession->host().loadPreview(ImgPreView, path) && ImgPreView->hasPicture();
    ImgPreView->setVisible(loaded);
}

void TFrmToolBar::LbImgsClick() {
    Guarded([this] {
        if (EnsureSelection())
            ShowPreview(FSession->host().pictureFolder() + LbImgs->currentItem()->text());
    });
}

void TFrmToolBar::ImgPreViewClick() {
    Guarded([this] {
        if (!EnsureSelection()) return;
        const QString path = FSession->host().pictureFolder() + LbImgs->currentItem()->text();
        if (QFileInfo(path).isFile())
            OpenLocation(path, [this](const QString& target) {
                if (FSession) FSession->host().reportNoProgram(target);
            });
    });
}

void TFrmToolBar::BtnZoomClick() {
    Guarded([this] { ImgPreView->setStretch(false); });
}

void TFrmToolBar::BtnFileScreenClick() {
    Guarded([this] { ImgPreView->setStretch(true); });
}

bool TFrmToolBar::eventFilter(QObject* watched, QEvent* event) {
    if (LbImgs && watched == LbImgs->viewport() && event->type() == QEvent::MouseButtonPress)
        FRowAtPress = LbImgs->currentRow();
    if (watched == ImgPreView && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            ImgPreView->rect().contains(mouse->position().toPoint()))
            ImgPreViewClick();
    }
    return QWidget::eventFilter(watched, event);
}
