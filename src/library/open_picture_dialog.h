// The open and save picture dialogs: the toolkit's file dialog with a preview of the
// selected picture and its width and height beside the file list, and a file-type filter
// for each of the seven picture extensions.
#pragma once

#include <QFileDialog>

class QLabel;

class PictureFileDialog : public QFileDialog {
    Q_OBJECT
  public:
    enum class Mode { Open, Save };
    // formatIndex: the format box's index; its type's filter is preselected (all picture
    // types when it names none).
    PictureFileDialog(QWidget* parent, Mode mode, const QString& folder, int formatIndex);

    // Shows the picture file in the preview, or clears the preview when it is none.
    void showPreview(const QString& path);

    QLabel* PreviewImage = nullptr;
    QLabel* PreviewSize = nullptr;
};

// "All" first, then one entry per extension in the format box's order.
QStringList PictureFileFilters();

// Modal dialogs. The open dialog returns the chosen files (empty when cancelled), the save
// dialog the chosen path (".jpg" added when none is typed; empty when cancelled).
QStringList ChoosePicturesToOpen(QWidget* parent, const QString& folder, int formatIndex);
QString ChoosePictureToSave(QWidget* parent, const QString& folder, int formatIndex);
