// The text background dialog: a background style and a border style for text
// annotations, each with a colour. The values live in memory until the program ends; no
// drawing reads them.
#pragma once

#include <QColor>
#include <QDialog>

class QComboBox;
class QListWidget;
class SpeedButton;

// Process-wide, 0 (black for the colours) at start.
extern int TextBgStyle; // 0 no background, 1 transparent, 2 opaque
extern QColor TextBgColor;
extern int TextBorderStyle; // 0 no border, 1 rounded, 2 rectangular
extern QColor TextBorderColor;

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

    // The colour a colour box shows, and choosing one (added to the box when missing).
    static QColor SelectedColor(const QComboBox* box);
    static void SelectColor(QComboBox* box, const QColor& color);
};
