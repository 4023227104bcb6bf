// A main window over a private program folder with a picture folder "pics/" of solid-colour
// pictures, and the messages it shows, caught instead of modal boxes.
#pragma once

#include "app/main_window.h"
#include "library/picture_codecs.h"
#include "support/controls.h"
#include "support/fake_programs.h"
#include "widgets/image_control.h"
#include "widgets/message_box.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

inline QStringList& Messages() {
    static QStringList messages;
    return messages;
}

inline void RecordMessage(const QString& text) {
    Messages().append(text);
}

// A picture file of one colour, written by its extension; other files get a line of text.
struct PicFile {
    QString name;
    QColor color = Qt::white;
};

inline void WritePicture(const QString& path, const QColor& color, QSize size = QSize(16, 12)) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    const QString ext = path.mid(path.lastIndexOf('.')).toLower();
    if (ext == ".jpg" || ext == ".jpeg")
        WriteJpegFile(image, path);
    else if (ext == ".png")
        WritePngFile(image, path);
    else if (ext == ".bmp")
        WriteBmpFile(image, path);
    else {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) file.write("text\n");
    }
}

// The main picture shows `color` (JPEG pictures within a small tolerance).
inline bool Shows(const TFrmMain& form, const QColor& color) {
    const QImage& picture = Control<ImageControl>(form, "ImgMain").picture();
    if (picture.isNull()) return false;
    const QColor c = picture.pixelColor(picture.width() / 2, picture.height() / 2);
    return qAbs(c.red() - color.red()) < 8 && qAbs(c.green() - color.green()) < 8 &&
           qAbs(c.blue() - color.blue()) < 8;
}

class LibraryForm {
  public:
    // curPic: the previous run's picture in pics/ (empty: one that is gone); picFormat: the
    // stored format box index.
    explicit LibraryForm(const QList<PicFile>& files, const QString& curPic = QString(),
                         int picFormat = 0) {
        QDir().mkpath(pics());
        for (const PicFile& file : files)
            write(file);
        QFile ini(appDir() + "defualt.ini");
        if (ini.open(QIODevice::WriteOnly))
            ini.write(("[default]\nPicPath=" + pics() +
                       "\nPicFormat=" + QString::number(picFormat) + "\nCurPicName=" + pics() +
                       (curPic.isEmpty() ? QString("gone.png") : curPic) + "\n")
                          .toUtf8());
        Messages().clear();
        // The window's messages are recorded instead of shown in modal boxes.
        context_.messages = RecordMessage;
    }
    ~LibraryForm() { form_.reset(); }

    QString appDir() const { return dir_.path() + '/'; }
    QString pics() const { return appDir() + "pics/"; }
    void write(const PicFile& file) const { WritePicture(pics() + file.name, file.color); }
    void writeRaw(const QString& name, const QByteArray& data) const {
        QFile file(pics() + name);
        if (file.open(QIODevice::WriteOnly)) file.write(data);
    }

    TFrmMain& start() {
        form_ = std::make_unique<TFrmMain>(context_);
        form_->showNormal();
        form_->resize(1000, 700);
        QApplication::processEvents();
        return *form_;
    }

    QStringList entries() const {
        QStringList names;
        for (int i = 0; i < Control<QListWidget>(*form_, "BitmapListBox").count(); ++i)
            names << Control<QListWidget>(*form_, "BitmapListBox").item(i)->text();
        return names;
    }

    void click(int row, Qt::MouseButton button = Qt::LeftButton) const {
        QListWidget* list = &Control<QListWidget>(*form_, "BitmapListBox");
        list->scrollToItem(list->item(row));
        QTest::mouseClick(list->viewport(), button, {},
                          list->visualItemRect(list->item(row)).center());
    }

  private:
    QTemporaryDir dir_;
    // A program in dir_ that keeps everything beside itself.
    AppContext context_{ProgramPlaces::Beside(dir_.path())};
    std::unique_ptr<TFrmMain> form_;
};
