// The main window's lifecycle: creation, showing, keys, full-screen view, restore, exit.
#include "app/main_window.h"

#include "app/edit_toolbar.h"
#include "app/hint_bar.h"
#include "app/hotkeys.h"
#include "app/path_bar.h"
#include "app/picture_area.h"
#include "app/tool_column.h"
#include "capture/capture_session.h"
#include "common/guard.h"
#include "common/picture_formats.h"
#include "common/profile_file.h"
#include "common/shell_routines.h"
#include "common/text_format.h"
#include "common/text_tables.h"
#include "common/toolkit_translation.h"
#include "platform/autostart.h"
#include "platform/screen_text.h"
#include "widgets/image_control.h"
#include "widgets/message_box.h"
#include "widgets/speed_button.h"
#include "widgets/tiled_panel.h"
#include "widgets/window_flags.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QTimer>

namespace {

std::unique_ptr<AppContext> ContextFor(const QString& appDir) {
    return std::make_unique<AppContext>(
        appDir.isEmpty() ? FindProgramPlaces(QCoreApplication::applicationDirPath())
                         : ProgramPlaces::Beside(appDir));
}

} // namespace

TFrmMain::TFrmMain(QWidget* parent, const QString& appDir)
    : QWidget(parent), FOwnContext(ContextFor(appDir)), FContext(*FOwnContext) {
    Construct();
}

TFrmMain::TFrmMain(AppContext& context, QWidget* parent) : QWidget(parent), FContext(context) {
    Construct();
}

void TFrmMain::Construct() {
    BuildForm();
    ConnectHotkeys();
    resize(962, 655);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    setWindowState(Qt::WindowMaximized);
    qApp->installEventFilter(this);
    ConnectLibraryHandlers();
    ConnectEditHandlers();
    ConnectCanvasHandlers();
    ConnectCaptureHandlers();
    FormCreate();
}

void TFrmMain::ShowMessage(const QString& text) const {
    if (FContext.messages)
        FContext.messages(text);
    else
        ::ShowMessage(text);
}

NoProgramHook TFrmMain::NoProgramHint() const {
    return [hint = QPointer<QLabel>(FHintBar)](const QString& target) {
        if (hint) hint->setText(FillIn(texts::Texts().TxtNoProgram, target));
    };
}

TFrmMain::~TFrmMain() {
    qApp->removeEventFilter(this);
    FormDestroy();
    // The session (and the capture toolbar it owns) goes before the host it talks to.
    delete FCapture;
    FCapture = nullptr;
}

void TFrmMain::FormCreate() {
    Guarded([this] {
        // The toolkit's dialogs and buttons speak the interface language too.
        FContext.toolkitTranslation.install(texts::Texts().UiLanguage);
        ApplyInterfaceTexts();
        LoadGlyphs();
        QFont toolFont(texts::Texts().UiFontName);
        toolFont.setPixelSize(12);
        FToolColumn->setFont(toolFont);
        // Every widget paints double-buffered already; nothing to switch on.
        FToolColumn->showOtherFunButton();
        CreateVendorPanel();
        LayoutLeftToolbar();
        FPathBar->setFormats(PictureFormatList());
    });

    StartX = StartY = EndX = EndY = 0;
    FTools.disarm();
    FullScreenView = false;

    Guarded([this] {
        LoadSettings();
        PnSavePic->hide();
    });

    Guarded([this] {
        // Reopen the picture of the previous run and take its folder.
        const int cut = FCurPicName.lastIndexOf('/');
        const QString folder = cut >= 0 ? FCurPicName.left(cut + 1) : QString();
        const QString folderNoSep = folder.endsWith('/') ? folder.chopped(1) : folder;
        if (folderNoSep.isEmpty() || !QFileInfo(folder).isDir()) {
            FContext.picFolder = FContext.places.pictureFolder;
            FPathBar->folderBox()->setText(FContext.places.pictureFolder);
        } else if (QFileInfo(FCurPicName).isFile()) {
            FContext.picFolder = folder;
            FPathBar->folderBox()->setText(folder);
            LoadPicByExt(FPictureArea->image(), FCurPicName);
            const QString name = FCurPicName.mid(cut + 1);
            const int dot = name.lastIndexOf('.');
            const QString ext = dot >= 0 ? name.mid(dot) : QString();
            QComboBox* formats = FPathBar->formatBox();
            for (int i = 0; i < formats->count(); ++i) {
                if (formats->itemText(i).trimmed() == ext) {
                    formats->setCurrentIndex(i);
                    break;
                }
            }
        }
        RemoveAutostartValues();
        FormResize();
        TimerFirstRun->start();
    });
}

void TFrmMain::FormShow() {
    RefreshPicList();
}

void TFrmMain::FormResize() {
    FPathBar->fitFolderBox();
}

void TFrmMain::FormDestroy() {
    if (FDestroyed) return;
    FDestroyed = true;
    Guarded([this] {
        UnregisterHotkeys();
        SaveSettings();
        FIniFile.reset();
    });
}

void TFrmMain::FormKeyUp(int key, Qt::KeyboardModifiers shift) {
    Guarded([&] {
        if (key == Qt::Key_Escape) {
            if (FullScreenView) RestoreMainWindow();
            FTools.disarm();
        } else if (key == Qt::Key_F && (shift & Qt::ControlModifier)) {
            CaptureFullScreen();
        }
    });
}

void TFrmMain::FullScreenMenuItemClick() {
    if (FullScreenView) {
        FullScreenView = false;
        RestoreMainWindow();
        return;
    }
    SbLeft->hide();
    FHintBar->hide();
    SbPicName->hide();
    FullScreenView = true;
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    const int y = s ? s->geometry().height() / 2 : 300;
    RemoveScreenText(FEscHintText);
    FEscHintText = PaintScreenText(texts::Texts().TxtEscHint, QPoint(100, y), "Tahoma", 30,
                                   QColor(0, 0x80, 0));
    FHintBar->startHintTimer();
}

void TFrmMain::TimerHintTimer() {
    Guarded([this] {
        FHintBar->stopHintTimer();
        RemoveScreenText(FEscHintText);
        FPictureArea->panel()->repaint();
    });
}

void TFrmMain::TimerFirstRunTimer() {
    Guarded([this] {
        TimerFirstRun->stop();
        QCoreApplication::processEvents();
    });
}

void TFrmMain::RestoreMainWindow() {
    Guarded([this] {
        // An area capture under way is given up: its frozen screen goes, the hotkeys are
        // released and the window comes back as a normal window.
        if (FCapture && FCapture->frozen()) {
            FCapture->giveUp();
        } else {
            UnregisterHotkeys();
            setWindowState(Qt::WindowNoState);
            show();
        }
        FullScreenView = false;
        const QList<QWidget*> panels = {PnlTop, PnlLeft,   PnlRight,  FHintBar,
                                        SbLeft, SbPicName, PnlBottom, SplitterTop->handle(1)};
        for (QWidget* w : panels)
            w->show();
    });
}

void TFrmMain::RemoveAutostartValues() {
    Guarded([] {
        RemoveAutostartEntries(
            {QString::fromUtf8(u8"QEL屏幕截图助手"), QString::fromUtf8(u8"QELQel屏幕截图助手"),
             QString::fromUtf8(u8"QEL屏幕截图助手1.2"), QString::fromUtf8(u8"QEL屏幕截图助手1.1"),
             texts::Texts().ProductTitle});
    });
}

void TFrmMain::BtnExitClick() {
    QCoreApplication::quit();
}

void TFrmMain::BtnOtherFunClick() {
    FToolColumn->popUpOtherFunMenu();
}

void TFrmMain::BtnContinueCut2Click() {
    FToolColumn->setContinuous(!FToolColumn->continuous());
}

void TFrmMain::BtnSaveToCBClick() {
    FToolColumn->setClipboardWanted(!FToolColumn->clipboardWanted());
}

void TFrmMain::LayoutLeftToolbar() {
    FPathBar->layOut();
    FToolColumn->layOut();
}

void TFrmMain::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (!e->spontaneous()) Guarded([this] { FormShow(); });
}

void TFrmMain::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    FormResize();
}

void TFrmMain::closeEvent(QCloseEvent* e) {
    // Closing the main window ends the program like the exit button.
    e->accept();
    QCoreApplication::quit();
}

bool TFrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && w->window() == this && !key->isAutoRepeat()) {
            FKeyDown = key->key();
            FKeyDownModifiers = key->modifiers();
        }
    } else if (event->type() == QEvent::KeyRelease) {
        // Key preview: every key released in any control of this window reaches FormKeyUp.
        // A key event then travels up the parents of its receiver; act on it only once.
        auto* w = qobject_cast<QWidget*>(watched);
        auto* key = static_cast<QKeyEvent*>(event);
        // The window system's own window object is no widget; keys reach its widgets next.
        if (!w) return QWidget::eventFilter(watched, event);
        const bool propagated = event == FKeyUpEvent && key->timestamp() == FKeyUpTime &&
                                FKeyUpReceiver && w != FKeyUpReceiver &&
                                w->isAncestorOf(FKeyUpReceiver);
        if (w->window() == this && !propagated) {
            FKeyUpEvent = event;
            FKeyUpTime = key->timestamp();
            FKeyUpReceiver = w;
            // A combination counts with the modifiers held when its key went down: Ctrl
            // may come up a moment before the F of Ctrl+F.
            Qt::KeyboardModifiers shift = key->modifiers();
            if (key->key() == FKeyDown) shift |= FKeyDownModifiers;
            if (!key->isAutoRepeat()) FormKeyUp(key->key(), shift);
        }
    }
    return QWidget::eventFilter(watched, event);
}
