// The vendor's corner of the main window's tool column: a picture linking to the vendor's
// web site, a help button with the vendor menu (links and the about box) and the button
// that opens the online-update window.
#pragma once

#include "common/shell_routines.h"
#include "update/about_box.h"
#include "update/update_window.h"

#include <QPointer>
#include <QScrollArea>

class ImageControl;
class QAction;
class QMenu;
class SpeedButton;

// The vendor's main web page, the same for every edition.
inline constexpr char VendorMainPage[] = "https://www.qelsoft.example/";

class TPnlQelSoft : public QScrollArea {
    Q_OBJECT
  public:
    // toolColumn: the tool column; it holds the panel and the two buttons.
    // programFolder: where "update.txt" is written and the updater goes (the folder of the
    // settings file, created when needed); empty means the folder of the program file.
    // noProgram: told of a page or file for which no program could be started, here and
    // in the windows opened from the panel.
    explicit TPnlQelSoft(QWidget* toolColumn, const QString& programFolder = QString(),
                         NoProgramHook noProgram = {});

    ImageControl* ImgQelSoft = nullptr;
    SpeedButton* BtnHelp = nullptr;
    SpeedButton* BtnUpdate = nullptr;
    QMenu* PmVendor = nullptr;

    void BtnHelpClick();
    void BtnUpdateClick();
    // Acts on the menu item's tag: 1 examples page, 2 home page, 3 donation page, 4 about
    // box; anything else does nothing.
    void MenuItemClick(QAction* item);
    void ShowAbout();

    // The windows opened from the panel, once they exist.
    TFrmVersion* AboutBox() const { return FAboutBox; }
    TFrmUpdate* UpdateWindow() const { return FUpdateWindow; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    SpeedButton* MakeButton(QWidget* column, const char* name, const char* glyph);
    void BuildMenu(QWidget* owner);
    void WriteUpdateNote();

    QString FProgramFolder;
    NoProgramHook FNoProgram;
    QPointer<TFrmVersion> FAboutBox;
    QPointer<TFrmUpdate> FUpdateWindow;
};
