#include "app/shortcut_set_dialog.h"

#include "app/hotkey_table.h"
#include "common/guard.h"
#include "common/text_tables.h"
#include "widgets/glyph_button.h"
#include "widgets/skin_frame.h"
#include "widgets/speed_button.h"
#include "widgets/tiled_panel.h"
#include "widgets/window_flags.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

namespace {

constexpr int kWidth = 590;
constexpr int kHeight = 290;
constexpr int kRowLabelLeft = 24;
constexpr int kRowHeight = 26;
const QColor kConflictColor(255, 0, 0); // colour value 255

QLabel* RowLabel(QWidget* parent, const char* name, int top) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(kRowLabelLeft, top, 130, kRowHeight);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

QFont InterfaceFont(const QString& family) {
    QFont font(family);
    font.setPointSize(12);
    return font;
}

} // namespace

TFrmShortcutSet::TFrmShortcutSet(Hotkeys& hotkeys, QWidget* owner)
    : QDialog(owner), FHotkeys(hotkeys) {
    setObjectName("TFrmShortcutSet");
    MakeFixedDialog(this);
    StyleFixedWindow(this, kWidth, kHeight);
    Guarded([this] { BuildForm(); });
    Guarded([this] { FormCreate(); });
}

void TFrmShortcutSet::BuildForm() {
    PnlTop = FramePiece(this, "PnlTop", QRect(0, 0, kWidth, 12));
    PnlBottom = FramePiece(this, "PnlBottom", QRect(0, kHeight - 12, kWidth, 12));
    PnlLeft = FramePiece(this, "PnlLeft", QRect(0, 12, 10, kHeight - 24));
    PnlRight = FramePiece(this, "PnlRight", QRect(kWidth - 10, 12, 10, kHeight - 24));
    SbCenter = new QWidget(this);
    SbCenter->setObjectName("SbCenter");
    SbCenter->setGeometry(10, 12, kWidth - 20, kHeight - 24 - 50);
    LblFullScreen = RowLabel(SbCenter, "LblFullScreen", 33);
    LblWindowShot = RowLabel(SbCenter, "LblWindowShot", 66);
    LblClientShot = RowLabel(SbCenter, "LblClientShot", 99);
    LabelAreaShots = RowLabel(SbCenter, "LabelAreaShots", 132);
    LblESC = RowLabel(SbCenter, "LblESC", 165);

    const int buttonTop = kHeight - 12 - 40;
    btndefault = GlyphButton(this, "btndefault", "btndefault",
                             QRect(kWidth - 10 - 3 * 90, buttonTop, 75, 25));
    btnsave =
        GlyphButton(this, "btnsave", "btnsave", QRect(kWidth - 10 - 2 * 90, buttonTop, 75, 25));
    BtnClose =
        GlyphButton(this, "BtnClose", "BtnClose", QRect(kWidth - 10 - 90, buttonTop, 75, 25));
    connect(btndefault, &QAbstractButton::clicked, this, [this] { btndefaultClick(); });
    connect(btnsave, &QAbstractButton::clicked, this, [this] { btnsaveClick(); });
    connect(BtnClose, &QAbstractButton::clicked, this, [this] { BtnCloseClick(); });
}

void TFrmShortcutSet::FormCreate() {
    setWindowTitle(texts::Texts().TxtHkTitle);
    LblFullScreen->setText(texts::Texts().TxtHkFullScreen);
    LblWindowShot->setText(texts::Texts().TxtHkWindow);
    LblClientShot->setText(texts::Texts().TxtHkClient);
    LabelAreaShots->setText(texts::Texts().TxtHkArea);
    LblESC->setText(texts::Texts().TxtHkStop);

    const QStringList modifiers = QString("Ctrl,Shift,Alt,ESC").split(',');
    for (int i = 0; i < 5; ++i) {
        const int top = LblFullScreen->y() + i * 33;
        HotkeyRowControls& row = Rows[size_t(i)];

        row.conflict = new QLabel(texts::Texts().TxtHkConflict, SbCenter);
        row.conflict->setFont(InterfaceFont(font().family()));
        QPalette red = row.conflict->palette();
        red.setColor(QPalette::WindowText, kConflictColor);
        row.conflict->setPalette(red);
        // The key box reaches past the label's left edge; the text starts beyond it.
        row.conflict->setIndent(14);
        row.conflict->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        row.conflict->adjustSize();
        row.conflict->setGeometry(380, top, row.conflict->width(), kRowHeight);
        row.conflict->hide();

        for (auto [box, left] : {std::pair{&row.first, 163}, std::pair{&row.second, 245}}) {
            *box = new QComboBox(SbCenter);
            (*box)->setEditable(true);
            (*box)->setInsertPolicy(QComboBox::NoInsert);
            (*box)->addItems(modifiers);
            (*box)->setFont(InterfaceFont(texts::Texts().UiFontName));
            (*box)->setGeometry(left, top, 65, kRowHeight);
            (*box)->show();
        }
        row.key = new QLineEdit(SbCenter);
        row.key->setFont(InterfaceFont(texts::Texts().UiFontName));
        row.key->setGeometry(329, top, 60, kRowHeight);
        row.key->show();
    }
}

void TFrmShortcutSet::FormShow() {
    for (int i = 0; i < 5; ++i) {
        const HotkeyRow& data = FHotkeys.table[size_t(i)];
        HotkeyRowControls& row = Rows[size_t(i)];
        row.first->setEditText(data[0]);
        row.second->setEditText(data[1]);
        row.key->setText(data[2]);
        row.conflict->setVisible(FHotkeys.conflicts[size_t(i)]);
    }
}

void TFrmShortcutSet::btnsaveClick() {
    Guarded([this] {
        for (int i = 0; i < 5; ++i) {
            const HotkeyRowControls& row = Rows[size_t(i)];
            FHotkeys.table[size_t(i)] = {row.first->currentText(), row.second->currentText(),
                                         row.key->text()};
            FHotkeys.conflicts[size_t(i)] = !row.conflict->isHidden();
        }
        accept();
    });
}

void TFrmShortcutSet::btndefaultClick() {
    Guarded([this] {
        FHotkeys.table = DefaultHotkeys();
        FormShow();
    });
}

void TFrmShortcutSet::BtnCloseClick() {
    Guarded([this] { reject(); });
}

void TFrmShortcutSet::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!e->spontaneous()) Guarded([this] { FormShow(); });
}
