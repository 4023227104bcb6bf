// The text background dialog: a background style and a border style for text
// annotations, each with a colour. The values live in the dialog, which the main window
// keeps until the program ends; no drawing reads them.
#pragma once

#include <QColor>
#include <QDialog>

class QComboBox;
class QListWidget;
class SpeedButton;

// The stored values, 0 (black for the colours) at start.
struct TextBackground {
    int bgStyle = 0; // 0 no background, 1 transparent, 2 opaque
    QColor bgColor = QColor(0, 0, 0);
    int borderStyle = 0; // 0 no border, 1 rounded, 2 rectangular
    QColor borderColor = QColor(0, 0, 0);
};

class TFrmBackgroundSet : public QDialog {
    Q_OBJECT
  public:
    explicit TFrmBackgroundSet(QWidget* owner = nullptr);

    QListWidget *LbBGStyle = nullptr, *LbTextBorder = nullptr;
    QComboBox *CbBgColor = nullptr, *CbBorderColor = nullptr;
    SpeedButton *BtnDefaultSet = nullptr, *BtnConfirm = nullptr, *BtnClose = nullptr;

    // Item 0 in both lists, white and black in the colour boxes; nothing is stored.
    void BtnDefaultSetClick();
    // Stores the four values (a list without selection counts as item 0) and closes.
    void BtnConfirmClick();
    // Closes without storing.
    void BtnCloseClick();
    // The values the last confirmation stored.
    const TextBackground& Stored() const { return FStored; }

    // The colour a colour box shows, and choosing one (added to the box when missing).
    static QColor SelectedColor(const QComboBox* box);
    static void SelectColor(QComboBox* box, const QColor& color);

  private:
    TextBackground FStored;
};
