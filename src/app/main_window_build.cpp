// Builds the main window's frame around its parts and connects the parts' commands.
#include "app/main_window.h"

#include "app/control_rows.h"
#include "app/edit_toolbar.h"
#include "app/hint_bar.h"
#include "app/path_bar.h"
#include "app/picture_area.h"
#include "app/picture_list.h"
#include "app/tool_column.h"
#include "common/guard.h"
#include "widgets/speed_button.h"
#include "widgets/tiled_panel.h"

#include <QHBoxLayout>
#include <QSplitter>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace {

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

// Runs each command a part asks for on the window, guarded.
template <typename Part> void RunCommands(Part* part, TFrmMain* form) {
    QObject::connect(part, &Part::command, form,
                     [form](FormCommand handler) { Guarded([&] { (form->*handler)(); }); });
}

} // namespace

void TFrmMain::BuildForm() {
    setObjectName("TFrmMain");
    PaintBackground(this, Qt::white);
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
    PaintBackground(SbMain, BarColor());

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

    // The top bar: the path bar over the edit toolbar.
    SbPicName = Named(new QWidget, "SbPicName");
    PaintBackground(SbPicName, BarColor());
    SbPicName->setMinimumHeight(26);
    auto* top = new QVBoxLayout(SbPicName);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);
    FPathBar = new PathBar;
    FEditToolbar = new EditToolbar;
    top->addWidget(FPathBar);
    top->addWidget(FEditToolbar);
    top->addStretch(1);
    SplitterTop->addWidget(SbPicName);

    // Below it the left area (tool column and picture list) beside the picture area.
    Splitter1 = Named(new RemovableBarSplitter(Qt::Horizontal), "Splitter1");
    Splitter1->setHandleWidth(6);
    Splitter1->setChildrenCollapsible(false);
    SbLeft = Named(new QWidget, "SbLeft");
    auto* box = new QHBoxLayout(SbLeft);
    box->setContentsMargins(0, 0, 0, 0);
    Splitter3 = Named(new QSplitter(Qt::Horizontal, SbLeft), "Splitter3");
    Splitter3->setHandleWidth(6);
    Splitter3->setChildrenCollapsible(false);
    box->addWidget(Splitter3);
    FToolColumn = new ToolColumn;
    FPictureList = new PictureList;
    Splitter3->addWidget(FToolColumn);
    Splitter3->addWidget(FPictureList);
    Splitter3->setStretchFactor(1, 1);
    Splitter3->setSizes({145, 138});
    FPictureArea = new PictureArea;
    Splitter1->addWidget(SbLeft);
    Splitter1->addWidget(FPictureArea);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({289, 700});
    SplitterTop->addWidget(Splitter1);
    SplitterTop->setStretchFactor(1, 1);
    SplitterTop->setSizes({74, 600});

    FHintBar = new HintBar(SbMain);
    main->addWidget(FHintBar);

    PnSavePic = Named(new QWidget(this), "PnSavePic");
    BtnSPSaveImg = Named(new SpeedButton(PnSavePic), "BtnSPSaveImg");
    PnSavePic->hide();

    TimerFirstRun = Named(new QTimer(this), "TimerFirstRun");
    TimerFirstRun->setInterval(1000);
    connect(TimerFirstRun, &QTimer::timeout, this, [this] { TimerFirstRunTimer(); });
    connect(FHintBar, &HintBar::hintTimeout, this, [this] { TimerHintTimer(); });
    ConnectParts();
}

void TFrmMain::ConnectParts() {
    RunCommands(FEditToolbar, this);
    connect(FEditToolbar, &EditToolbar::toolChosen, this,
            [this](std::uint8_t tool) { Guarded([&] { ArmTool(tool); }); });
    RunCommands(FToolColumn, this);
    RunCommands(FPictureList, this);
    RunCommands(FPictureArea, this);
}

ImageControl* TFrmMain::Picture() const {
    return FPictureArea->image();
}

QTextEdit* TFrmMain::TextBox() const {
    return FPictureArea->textBox();
}
