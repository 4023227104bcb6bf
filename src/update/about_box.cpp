#include "update/about_box.h"

#include "common/guard.h"
#include "common/shell_routines.h"
#include "common/text_tables.h"
#include "widgets/glyph_button.h"
#include "widgets/skin_frame.h"
#include "widgets/speed_button.h"
#include "widgets/tiled_panel.h"
#include "widgets/window_flags.h"

#include <QLabel>
#include <QMouseEvent>

namespace {

constexpr int kWidth = 394;
constexpr int kHeight = 354;
constexpr int kTextLeft = 36;
const QColor kVersionColor(0x22, 0x22, 0x22);

QLabel* MakeLabel(QWidget* parent, const char* name, int top) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(kTextLeft, top);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

} // namespace

TFrmVersion::TFrmVersion(QWidget* owner, const texts::InterfaceTexts& table,
                         NoProgramHook noProgram)
    : QWidget(owner, Qt::Dialog), FHomePage(table.UrlHome), FNoProgram(std::move(noProgram)) {
    setObjectName("TFrmVersion");
    MakeFixedDialog(this);
    StyleFixedWindow(this, kWidth, kHeight);
    Guarded([this, &table] {
        BuildFrame();
        Label1 = MakeLabel(this, "Label1", 48);
        QFont title("Arial");
        title.setPixelSize(28);
        title.setBold(true);
        Label1->setFont(title);
        Label2 = MakeLabel(this, "Label2", 122);
        LblVersion = MakeLabel(this, "LblVersion", 122);
        QPalette grey = LblVersion->palette();
        grey.setColor(QPalette::WindowText, kVersionColor);
        LblVersion->setPalette(grey);
        Label3 = MakeLabel(this, "Label3", 162);
        Label4 = MakeLabel(this, "Label4", 196);
        BtnClose = GlyphButton(this, "BtnClose", "BtnClose", QRect((kWidth - 75) / 2, 280, 75, 25));
        connect(BtnClose, &QAbstractButton::clicked, this, [this] { close(); });
        ApplyTexts(table);
    });
}

void TFrmVersion::BuildFrame() {
    PnlTop = FramePiece(this, "PnlTop", QRect(0, 0, kWidth, 12));
    PnlBottom = FramePiece(this, "PnlBottom", QRect(0, kHeight - 12, kWidth, 12));
    ImgLeft = FramePiece(this, "PnlLeft", QRect(0, 12, 10, kHeight - 24));
    ImgLeft->setObjectName("ImgLeft");
    ImgRight = FramePiece(this, "PnlRight", QRect(kWidth - 10, 12, 10, kHeight - 24));
    ImgRight->setObjectName("ImgRight");
}

void TFrmVersion::ApplyTexts(const texts::InterfaceTexts& table) {
    setWindowTitle(table.TxtAbout + ' ' + table.ProductTitle);
    Label1->setText(table.ProductTitle);
    Label2->setText(table.TxtVersionLabel);
    LblVersion->setText(QString::asprintf("%1.1f", texts::ProgramVersion));
    Label3->setText(table.TxtAuthorLine);
    Label4->setText(table.TxtHomePageLine);
    for (QLabel* label : {Label1, Label2, LblVersion, Label3, Label4})
        label->adjustSize();
    // The version follows its label; without a label it stands where the label would.
    LblVersion->move(Label2->text().isEmpty() ? kTextLeft : Label2->geometry().right() + 3,
                     LblVersion->y());
}

void TFrmVersion::mousePressEvent(QMouseEvent* e) {
    // Presses on the labels reach here too: they do not take mouse presses themselves.
    Guarded([this] { OpenUrl(FHomePage, FNoProgram); });
    e->accept();
}
