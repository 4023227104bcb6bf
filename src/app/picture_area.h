// The picture area of the main window: the scroll box with the picture, the text box that
// annotations are typed into over it, and the pop-up menu of both.
#pragma once

#include "app/main_window_controls.h"

#include <QScrollArea>

class ImageControl;
class QMenu;
class QTextEdit;

class PictureArea : public QScrollArea {
    Q_OBJECT
  public:
    explicit PictureArea(QWidget* parent = nullptr);

    ImageControl* image() const { return ImgMain; }
    QTextEdit* textBox() const { return MemoText; }
    // The panel under the picture.
    QWidget* panel() const { return PnlPic; }
    // The menu's items for a press in the text box (its return, confirm and cancel items)
    // or on the picture (its add-text item).
    void showMenuFor(bool textBox);
    void applyTexts();

  signals:
    // A menu item with a command of the window was chosen.
    void command(FormCommand handler);
    // The menu is about to open.
    void menuAboutToShow();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* PnlPic = nullptr;
    ImageControl* ImgMain = nullptr;
    QTextEdit* MemoText = nullptr;
    QMenu* PmFont = nullptr;
};
