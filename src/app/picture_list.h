// The picture list of the main window: one 16-pixel entry per picture file, several
// selectable, and its pop-up menu. Each entry stands for one file: of the folder the list
// was filled from, or its own path for a picture opened from elsewhere.
#pragma once

#include "app/main_window_controls.h"

#include <QListWidget>

class QMenu;

class PictureList : public QListWidget {
    Q_OBJECT
  public:
    explicit PictureList(QWidget* parent = nullptr);

    // The folder the entries were filled from; empty after clear().
    const QString& folder() const { return FFolder; }
    // Makes the entries of the folder's pictures, by name.
    void fill(const QString& folder, const QStringList& names);
    // Removes every entry and forgets the folder.
    void clearAll();
    // Adds an entry for a picture file outside the folder.
    void addFile(const QString& path);
    // The file an entry stands for; empty for a row that does not exist.
    QString pathOf(int row) const;
    void applyTexts();

  signals:
    // A menu item with a command of the window was chosen.
    void command(FormCommand handler);

  private:
    QMenu* PmImgList = nullptr;
    QString FFolder;
};
