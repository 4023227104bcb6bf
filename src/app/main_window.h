// The main window: path bar, edit toolbar, left tool column, picture list, picture
// area, hint bar and the three pop-up menus.
#pragma once

#include "app/settings.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class QAction;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QScrollArea;
class QSplitter;
class QTextEdit;
class QTimer;
class ImageControl;
class ProfileFile;
class SpeedButton;
class TiledPanel;

class TFrmMain : public QWidget {
    Q_OBJECT
  public:
    // appDir: the program's folder; empty means the folder of the program file.
    explicit TFrmMain(QWidget* parent = nullptr, const QString& appDir = QString());
    ~TFrmMain() override;

    // Lifecycle (run by the constructor, the show event, the destructor).
    void FormCreate();
    void FormShow();
    void FormResize();
    void FormDestroy();
    void FormKeyUp(int key, Qt::KeyboardModifiers shift);

    void FullScreenMenuItemClick();
    void TimerHintTimer();
    void TimerFirstRunTimer();
    void RestoreMainWindow();
    void RemoveAutostartValues();
    void BtnExitClick();
    void BtnOtherFunClick();
    void BtnContinueCut2Click();
    void BtnSaveToCBClick();

    void ApplyInterfaceTexts();
    void LoadSettings();
    void SaveSettings();
    void LayoutLeftToolbar();

    // Full-screen capture (also Ctrl+F in this window).
    void CaptureFullScreen();

    // Where the other-functions menu opens for the current geometry.
    QPoint OtherFunMenuPoint() const;

    // State of the window.
    QString FCurPicName;
    bool FullScreenView = false;
    bool CaptureBusy = false;
    bool AreaHintShown = false;
    int StartX = 0, StartY = 0, EndX = 0, EndY = 0;
    bool NeedLoadLeftMess = false;
    int FontCharset = 134;
    // Initial folders of the open and save-as picture dialogs.
    QString OpenPictureDialog1Dir;
    QString SavePictureDialog1Dir;

    // Frame and regions.
    TiledPanel *PnlTop = nullptr, *PnlBottom = nullptr, *PnlLeft = nullptr, *PnlRight = nullptr;
    QWidget* SbMain = nullptr;
    QSplitter* SplitterTop = nullptr;
    QWidget* SbPicName = nullptr;
    QWidget* PnlPath = nullptr;
    TiledPanel* PnlPathText = nullptr;
    TiledPanel* ImgText = nullptr;
    QLineEdit* EdtPicPath = nullptr;
    SpeedButton *BtnOpenDir = nullptr, *BtnSelectPath = nullptr;
    QComboBox* CbPicFomat = nullptr;
    TiledPanel* ImgFuntoolbar = nullptr;
    QSplitter* Splitter1 = nullptr;
    QSplitter* Splitter3 = nullptr;
    QWidget* SbLeft = nullptr;
    QScrollArea* SbToollBar = nullptr;
    QWidget* ToolColumn = nullptr; // the scroll box's content
    QListWidget* BitmapListBox = nullptr;
    QScrollArea* SBDisplay = nullptr;
    QWidget* PnlPic = nullptr;
    ImageControl* ImgMain = nullptr;
    QTextEdit* MemoText = nullptr;
    QLabel* PnlHint = nullptr;
    QLabel* PnlAreaCutHint = nullptr;

    // Edit toolbar.
    SpeedButton *BtnAddText = nullptr, *BtnFontSet = nullptr, *BtnAddLine = nullptr,
                *BtnAddSingleArrow = nullptr, *BtnAddDoubleArrow = nullptr, *BtnAddCircle = nullptr,
                *BtnAddRoundRec = nullptr, *BtnAddRECT = nullptr, *BtnSetPicParam = nullptr,
                *BtnCancelAddText = nullptr, *BtnAddTextOk = nullptr, *BtnReurnPic = nullptr,
                *BtnBackupFore = nullptr, *BtnSavePic = nullptr, *BtnZoomIn = nullptr,
                *BtnZoomout = nullptr, *BtnZoom = nullptr, *BtnFileScreen = nullptr;

    // Left tool column.
    SpeedButton *BtnContinueCut2 = nullptr, *BtnMouseAreatPIC = nullptr,
                *BtnFullScreenCut = nullptr, *BtnOtherFun = nullptr, *BtnExit = nullptr,
                *BtnSPSaveImg = nullptr;
    // The vendor panel and its two buttons, when present.
    QWidget* VendorPanel = nullptr;
    QWidget* VendorButton1 = nullptr;
    QWidget* VendorButton2 = nullptr;

    // Hidden panels that only carry state.
    QWidget* PnlAutoSave = nullptr;
    QWidget* PnSavePic = nullptr;
    QLineEdit* EdtAutoSavePre = nullptr;
    QLineEdit* EdtPicName = nullptr;

    // Menus.
    QMenu* PmFont = nullptr;
    QMenu* PmImgList = nullptr;
    QMenu* MnOtherFunButton = nullptr;
    QAction *PnAddText = nullptr, *MnFontSet = nullptr, *MnBackgroundSet = nullptr,
            *PmReturn = nullptr, *PmConfirmAddText = nullptr, *PmCancelAddText = nullptr,
            *MnAddTextOK = nullptr;
    QAction *MnSaveImg = nullptr, *PmOpenInPaint = nullptr, *MnDeletePic = nullptr,
            *MnRenamePic = nullptr, *MnClearPic = nullptr;
    QAction *MnAddWaterMark = nullptr, *MnWaterMarkSet = nullptr, *MnImgSaveAs = nullptr,
            *MnDeleteImg = nullptr, *MnOpenImg = nullptr, *MnRenameImg = nullptr,
            *MnOpenInPaintBox = nullptr, *MnFullScreenDis = nullptr, *MnSaveToClipbrd = nullptr,
            *BtnSaveToCB = nullptr, *BtnContinueCut = nullptr, *MnHotkeySet = nullptr;
    // Hidden menu item whose check mark is only kept in the settings file.
    QAction* BtnAutoSaveToPath = nullptr;

    QTimer* TimerFirstRun = nullptr;
    QTimer* TimerHint = nullptr;

    // ---- picture folder, list and file operations (main_window_library.cpp)
    // ---- end picture folder, list and file operations

    // ---- hotkeys (main_window_hotkeys.cpp)
    // ---- end hotkeys

    // ---- capture output and watermark (main_window_capture_output.cpp)
    // ---- end capture output and watermark

    // ---- vendor panel (main_window_vendor.cpp)
    // ---- end vendor panel

  protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildForm();
    void BuildPathBar();
    void BuildEditToolbar();
    void BuildLeftArea();
    void BuildPictureArea();
    void BuildMenus();
    void BuildHiddenState();
    void LoadGlyphs();
    void UpdateContinueCutGlyph();
    SettingsValues CollectSettings() const;
    void ApplySettings(const SettingsValues& v);

    std::unique_ptr<ProfileFile> FIniFile;
    QPointer<QWidget> FEscHintText;
    QString FAppDirOverride;
    // The key release last handed to FormKeyUp, to recognise it on its way up the parents.
    const QEvent* FKeyUpEvent = nullptr;
    quint64 FKeyUpTime = 0;
    QPointer<QWidget> FKeyUpReceiver;
    bool FDestroyed = false;
};
