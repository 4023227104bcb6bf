#include "update/vendor_panel.h"

#include "common/guard.h"
#include "common/picture_formats.h"
#include "common/program_places.h"
#include "common/shell_routines.h"
#include "common/text_tables.h"
#include "library/resource_jpeg.h"
#include "platform/atomic_file.h"
#include "update/about_box.h"
#include "update/update_window.h"
#include "widgets/glyph_button.h"
#include "widgets/image_control.h"
#include "widgets/show_animated.h"
#include "widgets/speed_button.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace {

constexpr int kButtonWidth = 122;
const QColor kPanelColor(249, 255, 255); // 16777209

struct VendorMenuItem {
    const char8_t* caption;
    int tag;
};

const VendorMenuItem kVendorMenu[] = {
    {u8"实例说明(&D)", 1}, {u8"官方主页(&H)", 2}, {u8"-", 0},
    {u8"软件捐助(&J)", 3}, {u8"关于(&A)...", 4},
};

} // namespace

TPnlQelSoft::TPnlQelSoft(QWidget* toolColumn, const QString& programFolder, NoProgramHook noProgram)
    : QScrollArea(toolColumn),
      FProgramFolder(programFolder.isEmpty() ? QCoreApplication::applicationDirPath()
                                             : programFolder),
      FNoProgram(std::move(noProgram)) {
    setObjectName("PnlQelSoft");
    // Each step stands alone: a failure keeps what was built before it.
    Guarded([this] {
        setFrameShape(QFrame::NoFrame);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setWidgetResizable(true);
        QPalette pal = viewport()->palette();
        pal.setColor(QPalette::Window, kPanelColor);
        viewport()->setPalette(pal);
        viewport()->setAutoFillBackground(true);
        resize(120, 62);
    });
    Guarded([this] {
        ImgQelSoft = new ImageControl;
        ImgQelSoft->setObjectName("ImgQelSoft");
        ImgQelSoft->setAutoSize(false);
        ImgQelSoft->setToolTip(QString::fromUtf8(u8"点击可查看更多软件更新"));
        ImgQelSoft->setCursor(Qt::PointingHandCursor);
        QImage picture;
        LoadResJpeg(picture, "QelSoft");
        ImgQelSoft->setPicture(picture);
        setWidget(ImgQelSoft);
        // The whole picture shows in the column: the panel takes its size.
        if (!picture.isNull()) resize(picture.size());
        ImgQelSoft->installEventFilter(this);
    });
    Guarded([&] {
        BtnHelp = MakeButton(toolColumn, "BtnHelp", "BtnHelp");
        connect(BtnHelp, &QAbstractButton::clicked, this, [this] { BtnHelpClick(); });
    });
    Guarded([&] {
        BtnUpdate = MakeButton(toolColumn, "BtnOnlineUpdate", "BtnOnlineUpdate");
        connect(BtnUpdate, &QAbstractButton::clicked, this, [this] { BtnUpdateClick(); });
    });
    Guarded([&] { BuildMenu(toolColumn ? toolColumn->window() : nullptr); });
    Guarded([this] { WriteUpdateNote(); });
}

SpeedButton* TPnlQelSoft::MakeButton(QWidget* column, const char* name, const char* glyph) {
    auto* button = new SpeedButton(column);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(0, 0, kButtonWidth, ToolButtonHeight);
    LoadGlyph(button, QString::fromLatin1(glyph));
    button->show();
    return button;
}

void TPnlQelSoft::BuildMenu(QWidget* owner) {
    PmVendor = new QMenu(owner ? owner : this);
    PmVendor->setObjectName("PmVendor");
    for (const VendorMenuItem& item : kVendorMenu) {
        // The separator keeps no caption: a menu would draw it beside the line.
        auto* action =
            new QAction(item.tag == 0 ? QString() : QString::fromUtf8(item.caption), PmVendor);
        action->setData(item.tag);
        action->setSeparator(item.tag == 0);
        PmVendor->addAction(action);
    }
    connect(PmVendor, &QMenu::triggered, this, [this](QAction* item) { MenuItemClick(item); });
}

void TPnlQelSoft::WriteUpdateNote() {
    // The updater reads which program to start again from this file.
    // Only a whole note replaces the old one.
    EnsureFolder(FProgramFolder);
    AtomicFile note(QDir(FProgramFolder).filePath(QStringLiteral("update.txt")));
    if (!note.open()) return;
    note.write(QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8() + '\n');
    note.commit();
}

void TPnlQelSoft::BtnHelpClick() {
    Guarded([this] {
        if (PmVendor) PmVendor->popup(QCursor::pos());
    });
}

void TPnlQelSoft::BtnUpdateClick() {
    Guarded([this] {
        if (!FUpdateWindow) FUpdateWindow = new TFrmUpdate(this, FProgramFolder, FNoProgram);
        FUpdateWindow->show();
        FUpdateWindow->raise();
        FUpdateWindow->activateWindow();
    });
}

void TPnlQelSoft::MenuItemClick(QAction* item) {
    Guarded([&] {
        if (!item) return;
        switch (item->data().toInt()) {
        case 1:
            OpenLocation(texts::Texts().UrlDemo, FNoProgram);
            break;
        case 2:
            OpenLocation(texts::Texts().UrlHome, FNoProgram);
            break;
        case 3:
            OpenLocation(texts::Texts().UrlPromo, FNoProgram);
            break;
        case 4:
            ShowAbout();
            break;
        default:
            break;
        }
    });
}

void TPnlQelSoft::ShowAbout() {
    Guarded([this] {
        if (!FAboutBox) {
            QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
            FAboutBox = new TFrmVersion(owner, texts::Texts(), FNoProgram);
        }
        ShowAnimated(FAboutBox);
    });
}

bool TPnlQelSoft::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ImgQelSoft && event->type() == QEvent::MouseButtonPress)
        Guarded([this] { OpenLocation(QString::fromLatin1(VendorMainPage), FNoProgram); });
    return QScrollArea::eventFilter(watched, event);
}
