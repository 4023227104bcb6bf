// Which file the displayed picture may be written back to. The picture is remembered as it
// was when it came on display (loaded, captured); a file "shows" it when reading the file
// gives that picture, directly or after the loss of the file's format.
#pragma once

#include <QImage>
#include <QString>

// True when reading the picture file gives `picture`'s pixels, or the pixels `picture`
// has after being written in the file's format (JPEG loses detail) and read back.
bool FileShowsPicture(const QString& path, const QImage& picture);

class ShownPicture {
  public:
    // Takes the picture as newly displayed when it is held in other data than seen last:
    // something else replaced it (a load, a capture, a crop).
    void note(const QImage& picture);
    // The picture continues the displayed one although its data changed (converted or
    // resized by an edit of this program's own).
    void keep(const QImage& picture);
    // The picture was just written to a file, which therefore shows it now.
    void saved(const QImage& picture);
    // Whether the file still shows the displayed picture as it came on display.
    bool shownBy(const QString& path) const;

    const QImage& base() const { return base_; }

  private:
    QImage base_;
    qint64 data_ = 0;
};
