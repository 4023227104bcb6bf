// The hotkey dialog: one row per hotkey id with two modifier boxes, a key box and the red
// conflict label.
#pragma once

#include "app/hotkey_table.h"

#include <QDialog>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class SpeedButton;
class TiledPanel;

class TFrmShortcutSet : public QDialog {
    Q_OBJECT
  public:
    // Shows and edits `hotkeys`, which must outlive the dialog.
    explicit TFrmShortcutSet(Hotkeys& hotkeys, QWidget* owner = nullptr);

    void FormCreate();
    void FormShow();
    void btnsaveClick();
    void btndefaultClick();
    void BtnCloseClick();

    struct HotkeyRowControls {
        QLabel* conflict = nullptr;
        QComboBox* first = nullptr;
        QComboBox* second = nullptr;
        QLineEdit* key = nullptr;
    };

    TiledPanel *PnlTop = nullptr, *PnlBottom = nullptr, *PnlLeft = nullptr, *PnlRight = nullptr;
    QWidget* SbCenter = nullptr;
    QLabel *LblFullScreen = nullptr, *LblWindowShot = nullptr, *LblClientShot = nullptr,
           *LabelAreaShots = nullptr, *LblESC = nullptr;
    SpeedButton *btndefault = nullptr, *btnsave = nullptr, *BtnClose = nullptr;
    // Rows for hotkey ids 1 to 5.
    std::array<HotkeyRowControls, 5> Rows;

  protected:
    void showEvent(QShowEvent* e) override;

  private:
    void BuildForm();
    Hotkeys& FHotkeys;
};
