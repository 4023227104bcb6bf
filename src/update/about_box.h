// The about box: product title, version, the vendor's studio and home page. A press on
// the box or on any of its labels opens the home page.
#pragma once

#include "common/shell_routines.h"
#include "common/text_tables.h"

#include <QWidget>

class QLabel;
class SpeedButton;
class TiledPanel;

class TFrmVersion : public QWidget {
    Q_OBJECT
  public:
    // owner: the main window; the box stays on top of it. table: the table whose texts and
    // home page the box shows, the interface language's unless told otherwise. noProgram:
    // told when no program could open the home page.
    explicit TFrmVersion(QWidget* owner = nullptr,
                         const texts::InterfaceTexts& table = texts::Texts(),
                         NoProgramHook noProgram = {});

    TiledPanel *PnlTop = nullptr, *PnlBottom = nullptr, *ImgLeft = nullptr, *ImgRight = nullptr;
    QLabel* Label1 = nullptr; // product title
    QLabel* Label2 = nullptr; // "version:" label
    QLabel* LblVersion = nullptr;
    QLabel* Label3 = nullptr; // author line
    QLabel* Label4 = nullptr; // home-page line
    SpeedButton* BtnClose = nullptr;

  protected:
    void mousePressEvent(QMouseEvent* e) override;

  private:
    void BuildFrame();
    void ApplyTexts(const texts::InterfaceTexts& table);

    QString FHomePage;
    NoProgramHook FNoProgram;
};
