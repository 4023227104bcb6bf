// The main window: path bar, edit toolbar, left tool column, picture list, picture
// area, hint bar and the three pop-up menus.
#pragma once

#include "app/app_context.h"
#include "app/settings.h"
#include "common/shell_routines.h"
#include "edit/tool_state.h"

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
    // The window of the program whose shared state is `context`, which must outlive it.
    explicit TFrmMain(AppContext& context, QWidget* parent = nullptr);
    // A window with a context of its own for a program in appDir (a folder that holds
    // everything, as for a program its user can write to; empty means the places of the
    // running program, FindProgramPlaces).
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

    // The shared state this window works with.
    AppContext& Context() const { return FContext; }
    // The settings as read at start: the values no control shows (the automatic-name
    // prefix, the picture name, the auto-save mark, the font's character set) live here.
    SettingsValues& Settings() { return FSettings; }

    // The hook this window hands the shell routines: a command that finds no program to
    // start says so in the hint bar.
    NoProgramHook NoProgramHint() const;

    // Shows a message as the context says (the message box unless it has a sink). Inside the
    // window's members it stands in for the message box's ShowMessage.
    void ShowMessage(const QString& text) const;

    // Where the other-functions menu opens for the current geometry.
    QPoint OtherFunMenuPoint() const;

    // State of the window.
    QString FCurPicName;
    bool FullScreenView = false;
    int StartX = 0, StartY = 0, EndX = 0, EndY = 0;
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

    // Edit toolbar (app/main_window_controls.cpp); ToolButton finds the drawing tools' buttons.
    SpeedButton *BtnAddText = nullptr, *BtnFontSet = nullptr, *BtnSetPicParam = nullptr,
                *BtnCancelAddText = nullptr, *BtnAddTextOk = nullptr, *BtnReurnPic = nullptr,
                *BtnBackupFore = nullptr, *BtnSavePic = nullptr, *BtnZoomIn = nullptr,
                *BtnZoomout = nullptr, *BtnZoom = nullptr, *BtnFileScreen = nullptr;

    // Left tool column.
    SpeedButton *BtnContinueCut2 = nullptr, *BtnMouseAreatPIC = nullptr,
                *BtnFullScreenCut = nullptr, *BtnOtherFun = nullptr, *BtnExit = nullptr,
                *BtnSPSaveImg = nullptr;
    // The vendor panel and its two buttons, when present.
    QWidget* VendorPanel = nullptr;
    QWidget* VendorHelpButton = nullptr;
    QWidget* VendorUpdateButton = nullptr;

    // Hidden panels that only carry state.
    QWidget* PnSavePic = nullptr;

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

    QTimer* TimerFirstRun = nullptr;
    QTimer* TimerHint = nullptr;

    // ---- picture folder, list and file operations (main_window_library.cpp)
    // (the file operations themselves are in main_window_picture_files.cpp)
    // Wires the path bar, the picture list and the file menus to the handlers below.
    void ConnectLibraryHandlers();
    // Validates the folder box's text and adopts it as the picture folder (creating the folder).
    // A rejected text empties the picture list; an adopted folder other than the one the
    // list shows refills it, so list entries always name the files they show.
    bool EnsurePicPath();
    void InitPicFormats();
    bool IsPicFormat(const QString& ext) const;
    void RefreshPicList();
    // Loads a picture file into the control, the decoder chosen by the extension.
    bool LoadPicByExt(ImageControl* image, const QString& path);
    // Writes the main picture to path in the format its extension names; true when the
    // file was written.
    bool SavePicByExt(const QString& path);
    void GetSelectedPics(QStringList& names) const;
    void DeleteSelectedPics();
    bool RenamePicFile(const QString& folder, const QString& name, const QString& ext);
    // The file a list entry stands for; empty for a row that does not exist.
    QString PicListPath(int row) const;

    void EdtPicPathKeyDown(int key);
    void EdtPicPathExit();
    void BtnOpenPathClick();
    void CbPicFomatChange();
    void BitmapListBoxClick();
    // True when the key was handled.
    bool BitmapListBoxKeyDown(int key, Qt::KeyboardModifiers shift);
    void PmOpenInPaintClick();
    void Load1Click();
    void BtnSPSaveImgClick();
    void MnDeletePicClick();
    void MnRenamePicClick();
    void MnClearPicClick();
    void BtnSaveToClipboardClick();
    void BtnOpenDirClick();

    QStringList FPicExts;
    int FCurPicIndex = 0;
    class TFrmReName* FrmReName = nullptr;
    // The folder whose pictures the list shows; empty after a rejected folder text.
    QString FListFolder;
    // Set while the list is filled, so that programmatic selection loads nothing.
    bool FListFilling = false;
    // The button of a mouse press on the list that is being handled, else Qt::NoButton.
    Qt::MouseButton FListPressButton = Qt::NoButton;
    // ---- end picture folder, list and file operations

    // ---- hotkeys (main_window_hotkeys.cpp)
    // Sends hotkey presses to WMHotKey and opens the hotkey dialog from its menu item.
    void ConnectHotkeys();
    void BtnSetHotkeyClick();
    // A hotkey press by id: 1 full screen, 2 window, 3 client area, 4 area, 5 stop.
    void WMHotKey(int id);
    class TFrmShortcutSet* FrmShortcutSet = nullptr;
    // ---- end hotkeys

    // ---- capture commands (main_window_capture.cpp)
    // Creates the capture session with this window as its host and wires the capture buttons.
    void ConnectCaptureHandlers();
    // The captures of this window: their modes, frozen screen, continuous run and toolbar.
    class CaptureSession& Capture() const;
    void CaptureActiveWindow();
    void CaptureClientArea();
    // Grabs the screen and shows it frozen over every monitor for a dragged selection.
    void StartAreaCapture();
    void GrabMenuClick();
    void BtnFullScreenCutClick();
    // Shows the capture toolbar over the frozen screen and starts a continuous run.
    void ShowContinuousToolBar();
    // Ends the drag hint of the frozen screen.
    void HideAreaHint();
    // The bar between the picture list and the picture goes for good with the first area
    // or window capture.
    void HideListBar();
    // ---- end capture commands

    // ---- capture output and watermark (main_window_capture_output.cpp)
    // The full path for the next capture, or empty when no name could be formed.
    QString MakeAutoFileName();
    // Saves the main picture under the next automatic name; the written path, or empty.
    QString AutoSavePicture();
    // Blends the configured watermark into the control's picture, or into a picture.
    void ApplyWatermark(ImageControl* image);
    void ApplyWatermark(QImage& picture);
    class TFrmWaterMarkSet* WatermarkDialog();
    void BtnWatermarkSetClick();
    void BtnAddWatermarkClick();
    class TFrmWaterMarkSet* FrmWaterMarkSet = nullptr;
    // The prefix of automatic names, read afresh for every name.
    QString FAutoSavePre;
    // ---- end capture output and watermark

    // ---- vendor panel (main_window_vendor.cpp)
    // Creates the vendor's panel and its two buttons in the tool column.
    void CreateVendorPanel();
    // ---- end vendor panel

    // ---- editing (main_window_edit.cpp)
    // Wires the text box, text, history, zoom and picture-size commands; run once by the
    // constructor.
    void ConnectEditHandlers();
    // Text annotation.
    void BtnAddTextClick();
    void BtnAddTextOkClick();
    void BtnCancelAddTextClick();
    void BtnSavePicClick();
    void BtnFontSetClick();
    void MnFontSetClick();
    void MnBackgroundSetClick();
    void PmFontPopup();
    void MemoTextMouseDown();
    // Sets the annotation font and its colour (the pen colour of the shapes as well).
    void SetAnnotationFont(const QFont& font, const QColor& color);
    // Edit history: position back to 0 whenever a picture is chosen from the list.
    void SaveHistory();
    void BtnReurnPicClick();
    void BtnBackupForeClick();
    void ResetHistory();
    int HistoryPos() const;
    QRect HistoryRect() const;
    // Zoom and picture size.
    void BtnZoomInClick();
    void BtnZoomoutClick();
    void BtnZoomClick();
    void BtnFileScreenClick();
    void BtnSetPicParamClick();
    // Cuts or extends the picture to width x height; a size of 0 changes nothing.
    void SetPictureSize(int width, int height);
    // True when the last press was in the text box, false when it was on the picture.
    bool TextBoxClicked = false;
    class TFrmPicParam* FrmPicParam = nullptr;
    class TFrmBackgroundSet* FrmBackgroundSet = nullptr;
    std::shared_ptr<class EditHistory> FHistory;
    // The displayed picture as it came on display: the save command writes it back to
    // FCurPicName only while that file still shows it.
    std::shared_ptr<class ShownPicture> FShownPicture;
    // ---- end editing

    // ---- canvas tool engine (main_window_canvas.cpp)
    // Hooks the picture's mouse events; run once by the constructor.
    void ConnectCanvasHandlers();
    // The mouse on ImgMain; x and y are picture coordinates.
    void ImgMainMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void ImgMainMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, int x, int y);
    void ImgMainMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    // The tool armed on the picture, none at start.
    ToolState& Tools() { return FTools; }
    // Arms a tool of the table in edit/canvas_tools.h. The handlers below name the shape
    // buttons' tools; each arms its own.
    void ArmTool(std::uint8_t tool);
    // The edit toolbar's button of a drawing tool; null for a tool without one.
    SpeedButton* ToolButton(std::uint8_t tool) const;
    void BtnAddRECTClick();
    void BtnAddCircleClick();
    void BtnAddLineClick();
    void BtnAddRoundRecClick();
    void BtnAddSingleArrowClick();
    void BtnAddDoubleArrowClick();
    // The drag state and pen of the canvas tools, owned by the picture's mouse hook.
    class CanvasToolEngine* FCanvasEngine = nullptr;
    // ---- end canvas tool engine

  protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Construct();
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

    ToolState FTools;
    std::unique_ptr<ProfileFile> FIniFile;
    SettingsValues FSettings;
    std::unique_ptr<class CaptureHost> FCaptureHost;
    class CaptureSession* FCapture = nullptr;
    QPointer<QWidget> FEscHintText;
    // The context made for this window alone by the appDir constructor; FContext refers to
    // it then.
    std::unique_ptr<AppContext> FOwnContext;
    AppContext& FContext;
    // The key release last handed to FormKeyUp, to recognise it on its way up the parents.
    const QEvent* FKeyUpEvent = nullptr;
    quint64 FKeyUpTime = 0;
    QPointer<QWidget> FKeyUpReceiver;
    // The last key pressed in this window and the modifiers held at that moment.
    int FKeyDown = 0;
    Qt::KeyboardModifiers FKeyDownModifiers;
    bool FDestroyed = false;
};
