// The rename dialog: one edit box for the new name, a confirm and a close button.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class SpeedButton;

class TFrmReName : public QDialog {
    Q_OBJECT
  public:
    explicit TFrmReName(QWidget* parent = nullptr);

    // Puts the name into the edit box and into FNewName.
    void SetName(const QString& name);

    void BtnConfirmClick();
    void BtnCloseClick();

    QLabel* Label1 = nullptr;
    QLineEdit* EdtName = nullptr;
    SpeedButton* BtnConfirm = nullptr;
    SpeedButton* BtnClose = nullptr;
    // The name the dialog hands back; unchanged when the dialog is closed without confirming.
    QString FNewName;

  private:
    void FormCreate();
};
