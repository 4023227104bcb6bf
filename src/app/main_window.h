// The main window: path bar, edit toolbar, left tool column, picture list, picture area and
// hint bar, each a part of its own (app/path_bar.h, edit_toolbar.h, tool_column.h,
// picture_list.h, picture_area.h, hint_bar.h), in a frame of tiled edges and splitters. The
// window holds the handlers of their controls and the state they work on.
#pragma once

#include "app/app_context.h"
#include "app/settings.h"
#include "common/shell_routines.h"
#include "edit/tool_state.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class EditHistory;
class EditToolbar;
class HintBar;
class ImageControl;
class PathBar;
class PictureArea;
class PictureList;
class ProfileFile;
class QSplitter;
class QTextEdit;
class QTimer;
class SpeedButton;
class TiledPanel;
class ToolColumn;

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

    // The file of the picture on display, whether it is shown full screen, whether the last
    // press was in the text box rather than on the picture, and the folder the open picture
    // dialog starts in.
    const QString& CurPicName() const { return FCurPicName; }
    bool InFullScreenView() const { return FullScreenView; }
    bool TextBoxWasClicked() const { return TextBoxClicked; }
    const QString& OpenDialogFolder() const { return OpenPictureDialog1Dir; }

    // ---- picture folder, list and file operations (main_window_library.cpp)
    // (the file operations themselves are in main_window_picture_files.cpp)
    // Validates the folder box's text and adopts it as the picture folder (creating the folder).
    // A rejected text empties the picture list; an adopted folder other than the one the
    // list shows refills it, so list entries always name the files they show.
    bool EnsurePicPath();
    void RefreshPicList();
    // Loads a picture file into the control, the decoder chosen by the extension.
    bool LoadPicByExt(ImageControl* image, const QString& path);
    // Writes the main picture to path in the format its extension names; true when the
    // file was written.
    bool SavePicByExt(const QString& path);
    void DeleteSelectedPics();

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
    // ---- end picture folder, list and file operations

    // ---- hotkeys (main_window_hotkeys.cpp)
    void BtnSetHotkeyClick();
    // A hotkey press by id: 1 full screen, 2 window, 3 client area, 4 area, 5 stop.
    void WMHotKey(int id);
    // ---- end hotkeys

    // ---- capture commands (main_window_capture.cpp)
    // The captures of this window: their modes, frozen screen, continuous run and toolbar.
    class CaptureSession& Capture() const;
    void CaptureActiveWindow();
    void CaptureClientArea();
    // Grabs the screen and shows it frozen over every monitor for a dragged selection.
    void StartAreaCapture();
    void GrabMenuClick();
    void BtnFullScreenCutClick();
    // ---- end capture commands

    // ---- capture output and watermark (main_window_capture_output.cpp)
    // Saves the main picture under the next automatic name; the written path, or empty.
    QString AutoSavePicture();
    // Blends the configured watermark into the control's picture, or into a picture.
    void ApplyWatermark(ImageControl* image);
    void ApplyWatermark(QImage& picture);
    void BtnWatermarkSetClick();
    void BtnAddWatermarkClick();
    // ---- end capture output and watermark

    // ---- editing (main_window_edit.cpp)
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
    // Edit history: position back to 0 whenever a picture is chosen from the list.
    void BtnReurnPicClick();
    void BtnBackupForeClick();
    int HistoryPos() const;
    QRect HistoryRect() const;
    // Zoom and picture size.
    void BtnZoomInClick();
    void BtnZoomoutClick();
    void BtnZoomClick();
    void BtnFileScreenClick();
    void BtnSetPicParamClick();
    // ---- end editing

    // ---- canvas tool engine (main_window_canvas.cpp)
    // The mouse on ImgMain; x and y are picture coordinates.
    void ImgMainMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void ImgMainMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, int x, int y);
    void ImgMainMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    // The tool armed on the picture, none at start.
    ToolState& Tools() { return FTools; }
    // The edit toolbar's button of a drawing tool; null for a tool without one.
    SpeedButton* ToolButton(std::uint8_t tool) const;
    void BtnAddRECTClick();
    void BtnAddCircleClick();
    void BtnAddLineClick();
    void BtnAddRoundRecClick();
    void BtnAddSingleArrowClick();
    void BtnAddDoubleArrowClick();
    // ---- end canvas tool engine

  protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Construct();
    // main_window_build.cpp: the frame and the parts, their commands connected (guarded).
    void BuildForm();
    void ConnectParts();
    // The picture on display and the text box over it (the picture area's).
    ImageControl* Picture() const;
    QTextEdit* TextBox() const;
    void ApplyInterfaceTexts();
    void LoadGlyphs();
    void LayoutLeftToolbar();
    // main_window_settings.cpp
    void LoadSettings();
    void SaveSettings();
    SettingsValues CollectSettings() const;
    void ApplySettings(const SettingsValues& v);

    // main_window_library.cpp: wires the path bar and the picture list to the handlers.
    void ConnectLibraryHandlers();
    void InitPicFormats();
    bool IsPicFormat(const QString& ext) const;
    // The box's text adopted as the picture folder; false (with the reason said) when it
    // cannot be.
    bool ValidateFolderBox();
    // Lists the picture folder's pictures and re-selects the current picture.
    void FillPicList();
    void ClearPicList();
    bool RenamePicFile(const QString& folder, const QString& name, const QString& ext);
    // The file a list entry stands for; empty for a row that does not exist.
    QString PicListPath(int row) const;

    // main_window_hotkeys.cpp: sends hotkey presses to WMHotKey.
    void ConnectHotkeys();

    // main_window_capture.cpp
    // Creates the capture session with this window as its host.
    void ConnectCaptureHandlers();
    // Shows the capture toolbar over the frozen screen and starts a continuous run.
    void ShowContinuousToolBar();
    // Ends the drag hint of the frozen screen.
    void HideAreaHint();
    // The bar between the picture list and the picture goes for good with the first area
    // or window capture.
    void HideListBar();

    // main_window_capture_output.cpp
    // The full path for the next capture, or empty when no name could be formed.
    QString MakeAutoFileName();
    class TFrmWaterMarkSet* WatermarkDialog();

    // main_window_vendor.cpp: the vendor's panel and its two buttons in the tool column.
    void CreateVendorPanel();

    // main_window_edit.cpp: the text box, the picture's menu and the history; run once by
    // the constructor.
    void ConnectEditHandlers();
    // Sets the annotation font and its colour (the pen colour of the shapes as well).
    void SetAnnotationFont(const QFont& font, const QColor& color);
    void SaveHistory();
    void ResetHistory();
    // Undo and redo: one step of the history with `step`, the drawing tool and text box put
    // away first.
    void StepHistory(bool (EditHistory::*step)(QImage&));
    // Cuts or extends the picture to width x height; a size of 0 changes nothing.
    void SetPictureSize(int width, int height);

    // main_window_canvas.cpp: hooks the picture's mouse events; run once by the constructor.
    void ConnectCanvasHandlers();
    // Arms a tool of the table in edit/canvas_tools.h.
    void ArmTool(std::uint8_t tool);

    // The parts.
    PathBar* FPathBar = nullptr;
    EditToolbar* FEditToolbar = nullptr;
    ToolColumn* FToolColumn = nullptr;
    PictureList* FPictureList = nullptr;
    PictureArea* FPictureArea = nullptr;
    HintBar* FHintBar = nullptr;

    // The frame: tiled edges, the bars' box, the splitters and the left area that holds the
    // tool column and the picture list.
    TiledPanel *PnlTop = nullptr, *PnlBottom = nullptr, *PnlLeft = nullptr, *PnlRight = nullptr;
    QWidget* SbMain = nullptr;
    QSplitter* SplitterTop = nullptr;
    QWidget* SbPicName = nullptr;
    QSplitter* Splitter1 = nullptr;
    QSplitter* Splitter3 = nullptr;
    QWidget* SbLeft = nullptr;
    // A hidden panel whose button saves the chosen picture under another name.
    QWidget* PnSavePic = nullptr;
    SpeedButton* BtnSPSaveImg = nullptr;
    QTimer* TimerFirstRun = nullptr;

    // State of the window.
    QString FCurPicName;
    bool FullScreenView = false;
    int StartX = 0, StartY = 0, EndX = 0, EndY = 0;
    // Initial folders of the open and save-as picture dialogs.
    QString OpenPictureDialog1Dir;
    QString SavePictureDialog1Dir;

    QStringList FPicExts;
    int FCurPicIndex = 0;
    class TFrmReName* FrmReName = nullptr;
    // Set while the list is filled, so that programmatic selection loads nothing.
    bool FListFilling = false;
    // The button of a mouse press on the list that is being handled, else Qt::NoButton.
    Qt::MouseButton FListPressButton = Qt::NoButton;

    class TFrmShortcutSet* FrmShortcutSet = nullptr;
    class TFrmWaterMarkSet* FrmWaterMarkSet = nullptr;
    // The prefix of automatic names, read afresh for every name.
    QString FAutoSavePre;

    // True when the last press was in the text box, false when it was on the picture.
    bool TextBoxClicked = false;
    class TFrmPicParam* FrmPicParam = nullptr;
    class TFrmBackgroundSet* FrmBackgroundSet = nullptr;
    std::shared_ptr<EditHistory> FHistory;
    // The displayed picture as it came on display: the save command writes it back to
    // FCurPicName only while that file still shows it.
    std::shared_ptr<class ShownPicture> FShownPicture;
    // The drag state and pen of the canvas tools, owned by the picture's mouse hook.
    class CanvasToolEngine* FCanvasEngine = nullptr;

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
