// The small stay-on-top window of a continuous-capture run: the next area capture, a
// full-screen capture and the way back to the main window, the pictures saved during the
// run with a preview of the chosen one, and a red line saying what to do next.
#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;
class QListWidget;
class QScrollArea;
class ImageControl;
class SpeedButton;
class CaptureSession;
class TiledPanel;

class TFrmToolBar : public QWidget {
    Q_OBJECT
  public:
    // A window of its own (no parent): the capture session creates it once and deletes it
    // in its destructor. Closing it only hides it and never ends the program.
    explicit TFrmToolBar(CaptureSession* session);

    void FormCreate();
    // Lists the file name of the saved picture `name` (a full path), selects it, says
    // where it went and previews it.
    void AddSavedPicture(const QString& name);
    void ClearSavedList();

    void BtnMouseScreenCutClick();
    void BtnFullScreenClick();
    // Back to the main window: ends the run and closes the toolbar.
    void BtnCloseClick();
    // Run for every close, the close box included: ends the run and, when asked for,
    // brings the main window back. True: the toolbar may close (it is then hidden).
    bool FormCloseQuery();
    // Previews the selected entry (the first when none is), found in the current picture folder.
    void LbImgsClick();
    // Opens the selected entry (the first when none is) with its program.
    void ImgPreViewClick();
    // The preview at the picture's own size, or stretched over the preview box.
    void BtnZoomClick();
    void BtnFileScreenClick();

    // The main window comes back when the toolbar closes.
    bool RestoreOnClose = false;

    // Frame.
    TiledPanel *PnlTop = nullptr, *PnlBottom = nullptr, *ImgLeft = nullptr, *ImgRight = nullptr;
    // The client area inside the frame and what it holds.
    QScrollArea* ScrollBox1 = nullptr;
    QWidget* PnlButton = nullptr;
    SpeedButton *BtnSpMouseCutScreen = nullptr, *BtnSPFullScreenC = nullptr,
                *BtnSpExistMainWin = nullptr;
    QGroupBox* GBImgList = nullptr;
    QListWidget* LbImgs = nullptr;
    QGroupBox* GpSPPreview = nullptr;
    ImageControl* ImgPreView = nullptr;
    SpeedButton *BtnFileScreen = nullptr, *BtnZoom = nullptr;
    QWidget* PnlHint = nullptr;
    QLabel* LblHint = nullptr;

  protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildForm();
    // Loads `path` into the preview; the preview is hidden when no picture came of it.
    void ShowPreview(const QString& path);
    // Selects the first entry when none is selected; false for an empty list.
    bool EnsureSelection();
    // The toolbar over every other window again, after it was hidden for a capture.
    void KeepOnTop();

    CaptureSession* FSession = nullptr;
    // The list's current row when the mouse was last pressed on it.
    int FRowAtPress = -1;
};
