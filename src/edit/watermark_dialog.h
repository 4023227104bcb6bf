// The watermark settings dialog: kind, position, strength, text or picture.
#pragma once

#include "edit/watermark_settings.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QScrollBar;
class ImageControl;
class SpeedButton;

class TFrmWaterMarkSet : public QDialog {
    Q_OBJECT
  public:
    // Shows and edits `settings`, which must outlive the dialog.
    explicit TFrmWaterMarkSet(WatermarkSettings& settings, QWidget* owner = nullptr);

    // Copies the watermark settings into the controls and loads the picture preview.
    void LoadWatermarkDialog();
    // Blends the watermark as the controls and settings say into a picture.
    void DrawWatermark(QImage& picture) const;

    void LbWatermarkTypeClick();
    void SbTransparentChange();
    void BtnSpSelectPicAddClick();
    void EdtMarkXExit();
    void EdtMarkYExit();
    void CbMarkContrstClick();
    void BtnCloseClick();

    QGroupBox* GbWaterType = nullptr;
    QListWidget* LbWatermarkType = nullptr;
    QGroupBox* GbWaterLocation = nullptr;
    QLineEdit* EdtMarkX = nullptr;
    QLineEdit* EdtMarkY = nullptr;
    QCheckBox* CbMarkContrst = nullptr;
    QLabel* LblTranparent = nullptr;
    QScrollBar* SbTransparent = nullptr;
    QLabel* LbTrans = nullptr;
    QGroupBox* ImgPreview = nullptr;
    ImageControl* ImgWatermark = nullptr;
    QLabel* LbMarkText = nullptr;
    QLineEdit* EdtWatermark = nullptr;
    QLineEdit* EdtWatermarkIMGPath = nullptr;
    SpeedButton* BtnSpSelectPicAdd = nullptr;
    SpeedButton* BtnConfirm = nullptr;
    SpeedButton* BtnClose = nullptr;

  protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void done(int r) override;

  private:
    WatermarkSettings& FSettings;
    void FormCloseQuery();
    void LoadPreview(const QString& file);
    void FitPreview();
    static int OffsetOf(QLineEdit* field);
};
