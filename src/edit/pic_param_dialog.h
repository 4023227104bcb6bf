// The picture-size dialog: the width and height the picture is to have, in two masked
// fields of up to eight digits. Enter in either field confirms like the OK button.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class SpeedButton;

class TFrmPicParam : public QDialog {
    Q_OBJECT
  public:
    explicit TFrmPicParam(QWidget* owner = nullptr);

    QLabel *LblPicWidth = nullptr, *LblPicHeight = nullptr;
    QLineEdit *EdtPicWidth = nullptr, *EdtPicHeight = nullptr;
    SpeedButton *BtnConfirm = nullptr, *BtnClose = nullptr;

    // The size the dialog returns. Confirming reads the fields into them; closing keeps
    // the values preset by ShowSizeDialog.
    int NewWidth = 0;
    int NewHeight = 0;

    // Presets both fields and the result with the size, then shows the dialog modally.
    void ShowSizeDialog(int width, int height);
    // Presets without showing.
    void PresetSize(int width, int height);

    void BtnConfirmClick();
    void BtnCloseClick();
    void EdtPicWidthKeyDown(int key);
    void EdtPicHeightKeyDown(int key);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ReadFields();
};
