// Builds the main window's regions, toolbars, picture area, hidden state controls and menus.
#include "app/main_window.h"

#include "app/main_window_controls.h"
#include "common/guarded_connect.h"
#include "widgets/image_control.h"
#include "widgets/speed_button.h"
#include "widgets/tiled_panel.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScrollArea>
#include <QSplitter>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QColor kBarColor(245, 250, 254);

void Paint(QWidget* w, const QColor& color) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, color);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

template <typename T> T* Named(T* object, const char* name) {
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

QAction* MenuItem(QMenu* menu, const char* name, bool checkable = false) {
    QAction* a = Named(menu->addAction(QString()), name);
    a->setCheckable(checkable);
    return a;
}

// Makes the buttons of a table row by row in `parent`, each connected (guarded) to its
// handler or, for a drawing tool, to arming its tool.
void AddButtons(TFrmMain& form, QWidget* parent, std::span<const FormButton> rows) {
    for (const FormButton& row : rows) {
        auto* button = Named(new SpeedButton(parent), row.name);
        button->setGeometry(row.place);
        if (row.member) form.*(row.member) = button;
        if (row.handler)
            ConnectGuarded(button, &QAbstractButton::clicked, &form,
                           [&form, handler = row.handler] { (form.*handler)(); });
        else
            ConnectGuarded(button, &QAbstractButton::clicked, &form,
                           [&form, tool = row.tool] { form.ArmTool(tool); });
    }
}

// Fills a menu from its table, each item connected (guarded) to its handler.
void AddMenuItems(TFrmMain& form, QMenu* menu, std::span<const FormMenuItem> rows) {
    for (const FormMenuItem& row : rows) {
        if (!row.member) {
            menu->addSeparator();
            continue;
        }
        QAction* item = MenuItem(menu, row.name, row.toggle);
        form.*(row.member) = item;
        ConnectGuarded(item, &QAction::triggered, &form, [&form, item, handler = row.handler] {
            // A toggle flips its own check mark before its handler inverts it,
            // so undo the toolkit's flip.
            if (item->isCheckable()) item->setChecked(!item->isChecked());
            (form.*handler)();
        });
    }
}

// A splitter whose bars can be taken away for good: the toolkit shows a splitter's bars
// again whenever it lays the splitter out, so a bar marked "gone" refuses to be shown.
class RemovableBarSplitter : public QSplitter {
  public:
    using QSplitter::QSplitter;

  protected:
    QSplitterHandle* createHandle() override {
        class Bar : public QSplitterHandle {
          public:
            using QSplitterHandle::QSplitterHandle;
            void setVisible(bool visible) override {
                QSplitterHandle::setVisible(visible && !property("gone").toBool());
            }
        };
        return new Bar(orientation(), this);
    }
};

} // namespace

void TFrmMain::BuildForm() {
    setObjectName("TFrmMain");
    Paint(this, Qt::white);
    QFont font("Arial");
    font.setPixelSize(13);
    setFont(font);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    PnlTop = Named(new TiledPanel(this), "PnlTop");
    PnlTop->setFixedHeight(12);
    PnlBottom = Named(new TiledPanel(this), "PnlBottom");
    PnlBottom->setFixedHeight(12);
    PnlLeft = Named(new TiledPanel(this), "PnlLeft");
    PnlLeft->setFixedWidth(10);
    PnlRight = Named(new TiledPanel(this), "PnlRight");
    PnlRight->setFixedWidth(10);
    SbMain = Named(new QWidget(this), "SbMain");
    Paint(SbMain, kBarColor);

    auto* middle = new QHBoxLayout;
    middle->setSpacing(0);
    middle->addWidget(PnlLeft);
    middle->addWidget(SbMain, 1);
    middle->addWidget(PnlRight);
    outer->addWidget(PnlTop);
    outer->addLayout(middle, 1);
    outer->addWidget(PnlBottom);

    auto* main = new QVBoxLayout(SbMain);
    main->setContentsMargins(0, 0, 0, 0);
    main->setSpacing(0);
    SplitterTop = Named(new QSplitter(Qt::Vertical, SbMain), "SplitterTop");
    SplitterTop->setHandleWidth(6);
    SplitterTop->setChildrenCollapsible(false);
    main->addWidget(SplitterTop, 1);

    SbPicName = Named(new QWidget, "SbPicName");
    Paint(SbPicName, kBarColor);
    SbPicName->setMinimumHeight(26);
    auto* top = new QVBoxLayout(SbPicName);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);
    BuildPathBar();
    BuildEditToolbar();
    auto* pathRow = new QHBoxLayout;
    pathRow->setSpacing(0);
    pathRow->addWidget(PnlPath);
    pathRow->addWidget(PnlPathText, 1);
    top->addLayout(pathRow);
    top->addWidget(ImgFuntoolbar);
    top->addStretch(1);
    SplitterTop->addWidget(SbPicName);

    Splitter1 = Named(new RemovableBarSplitter(Qt::Horizontal), "Splitter1");
    Splitter1->setHandleWidth(6);
    Splitter1->setChildrenCollapsible(false);
    BuildLeftArea();
    BuildPictureArea();
    Splitter1->addWidget(SbLeft);
    Splitter1->addWidget(SBDisplay);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({289, 700});
    SplitterTop->addWidget(Splitter1);
    SplitterTop->setStretchFactor(1, 1);
    SplitterTop->setSizes({74, 600});

    PnlHint = Named(new QLabel(SbMain), "PnlHint");
    PnlHint->setFixedHeight(25);
    PnlHint->setContentsMargins(8, 0, 8, 0);
    Paint(PnlHint, kBarColor);
    main->addWidget(PnlHint);

    BuildHiddenState();
    BuildMenus();

    TimerFirstRun = Named(new QTimer(this), "TimerFirstRun");
    TimerFirstRun->setInterval(1000);
    connect(TimerFirstRun, &QTimer::timeout, this, [this] { TimerFirstRunTimer(); });
    TimerHint = Named(new QTimer(this), "TimerHint");
    TimerHint->setInterval(3000);
    connect(TimerHint, &QTimer::timeout, this, [this] { TimerHintTimer(); });
}

void TFrmMain::BuildPathBar() {
    PnlPath = Named(new QWidget, "PnlPath");
    PnlPath->setFixedSize(300, 26);
    BtnOpenDir = Named(new SpeedButton(PnlPath), "BtnOpenDir");
    BtnOpenDir->setGeometry(3, 1, 24, 24);
    BtnSelectPath = Named(new SpeedButton(PnlPath), "BtnSelectPath");
    BtnSelectPath->setGeometry(30, 1, 24, 24);
    CbPicFomat = Named(new QComboBox(PnlPath), "CbPicFomat");
    CbPicFomat->setGeometry(57, 2, 76, 22);

    PnlPathText = Named(new TiledPanel, "PnlPathText");
    PnlPathText->setFixedHeight(26);
    auto* fill = new QHBoxLayout(PnlPathText);
    fill->setContentsMargins(0, 0, 0, 0);
    ImgText = Named(new TiledPanel(PnlPathText), "ImgText");
    fill->addWidget(ImgText);
    EdtPicPath = Named(new QLineEdit(ImgText), "EdtPicPath");
    EdtPicPath->setGeometry(8, 2, 200, 22);
    ImgText->installEventFilter(this);
}

void TFrmMain::BuildEditToolbar() {
    ImgFuntoolbar = Named(new TiledPanel, "ImgFuntoolbar");
    ImgFuntoolbar->setFixedHeight(48);
    AddButtons(*this, ImgFuntoolbar, EditToolbarButtons());
    // Text editing buttons appear only while a text is being added.
    BtnCancelAddText->hide();
    BtnAddTextOk->hide();
}

void TFrmMain::BuildLeftArea() {
    SbLeft = Named(new QWidget, "SbLeft");
    auto* box = new QHBoxLayout(SbLeft);
    box->setContentsMargins(0, 0, 0, 0);
    Splitter3 = Named(new QSplitter(Qt::Horizontal, SbLeft), "Splitter3");
    Splitter3->setHandleWidth(6);
    Splitter3->setChildrenCollapsible(false);
    box->addWidget(Splitter3);

    SbToollBar = Named(new QScrollArea, "SbToollBar");
    SbToollBar->setFrameShape(QFrame::NoFrame);
    SbToollBar->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SbToollBar->setWidgetResizable(true);
    SbToollBar->setMinimumWidth(60);
    ToolColumn = Named(new QWidget, "ToolColumn");
    Paint(ToolColumn, kBarColor);
    SbToollBar->setWidget(ToolColumn);

    AddButtons(*this, ToolColumn, ToolColumnButtons());
    // Shown when the window is created (FormCreate).
    BtnOtherFun->hide();

    BitmapListBox = Named(new QListWidget, "BitmapListBox");
    BitmapListBox->setSelectionMode(QAbstractItemView::ExtendedSelection);
    BitmapListBox->setContextMenuPolicy(Qt::CustomContextMenu);
    Splitter3->addWidget(SbToollBar);
    Splitter3->addWidget(BitmapListBox);
    Splitter3->setStretchFactor(1, 1);
    Splitter3->setSizes({145, 138});
}

void TFrmMain::BuildPictureArea() {
    SBDisplay = Named(new QScrollArea, "SBDisplay");
    SBDisplay->setFrameShape(QFrame::NoFrame);
    SBDisplay->setWidgetResizable(true);
    PnlPic = Named(new QWidget, "PnlPic");
    Paint(PnlPic, Qt::white);
    SBDisplay->setWidget(PnlPic);
    ImgMain = Named(new ImageControl(PnlPic), "ImgMain");
    ImgMain->move(0, 0);
    ImgMain->resize(0, 0);
    ImgMain->setContextMenuPolicy(Qt::CustomContextMenu);
    ImgMain->installEventFilter(this);
    MemoText = Named(new QTextEdit(PnlPic), "MemoText");
    MemoText->setContextMenuPolicy(Qt::CustomContextMenu);
    MemoText->hide();
}

void TFrmMain::BuildHiddenState() {
    PnSavePic = Named(new QWidget(this), "PnSavePic");
    BtnSPSaveImg = Named(new SpeedButton(PnSavePic), "BtnSPSaveImg");
    PnSavePic->hide();
}

void TFrmMain::BuildMenus() {
    auto popupAt = [](QMenu* menu, QWidget* owner) {
        connect(owner, &QWidget::customContextMenuRequested, menu,
                [menu, owner](const QPoint& p) { menu->popup(owner->mapToGlobal(p)); });
    };
    PmFont = Named(new QMenu(this), "PmFont");
    AddMenuItems(*this, PmFont, PictureMenuItems());
    popupAt(PmFont, ImgMain);
    popupAt(PmFont, MemoText);

    PmImgList = Named(new QMenu(this), "PmImgList");
    AddMenuItems(*this, PmImgList, ListMenuItems());
    popupAt(PmImgList, BitmapListBox);

    MnOtherFunButton = Named(new QMenu(this), "MnOtherFunButton");
    AddMenuItems(*this, MnOtherFunButton, OtherFunMenuItems());

    // Kept only for its check mark; never shown in a menu.
}
