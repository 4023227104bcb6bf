// The path bar of the main window: the folder and picture-choice buttons, the format box and
// the picture folder box on its tiled strip.
#pragma once

#include <QStringList>
#include <QWidget>

class QComboBox;
class QLineEdit;
class SpeedButton;
class TiledPanel;

class PathBar : public QWidget {
    Q_OBJECT
  public:
    explicit PathBar(QWidget* parent = nullptr);

    // The picture folder box and the format box of new captures.
    QLineEdit* folderBox() const { return EdtPicPath; }
    QComboBox* formatBox() const { return CbPicFomat; }
    // Fills the format box, the first format chosen.
    void setFormats(const QStringList& formats);
    // Draws the buttons' glyphs and the strip's picture.
    void loadGlyphs();
    // Places the buttons side by side from the left, each as high as a tool button.
    void layOut();
    // The folder box spans the strip but for 20 pixels.
    void fitFolderBox();

  signals:
    void openFolderClicked();
    void chooseFolderClicked();
    // The user chose a format in the format box.
    void formatChosen();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* PnlPath = nullptr;
    SpeedButton* BtnOpenDir = nullptr;
    SpeedButton* BtnSelectPath = nullptr;
    QComboBox* CbPicFomat = nullptr;
    TiledPanel* PnlPathText = nullptr;
    TiledPanel* ImgText = nullptr;
    QLineEdit* EdtPicPath = nullptr;
};
