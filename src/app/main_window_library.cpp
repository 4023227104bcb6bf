// The picture folder and the picture list of the main window: validating the folder box,
// filling and sorting the list, showing an entry, the open dialog and the loader by
// extension. The file operations on the list live in main_window_picture_files.cpp.
#include "app/main_window.h"

#include "app/hint_bar.h"
#include "app/path_bar.h"
#include "app/picture_area.h"
#include "app/picture_list.h"

#include "common/guard.h"
#include "common/guarded_connect.h"
#include "common/path_routines.h"
#include "common/picture_formats.h"
#include "common/shell_routines.h"
#include "common/text_format.h"
#include "common/text_tables.h"
#include "library/open_picture_dialog.h"
#include "library/pic_folder.h"
#include "library/picture_codecs.h"
#include "widgets/image_control.h"
#include "widgets/message_box.h"
#include "widgets/speed_button.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>

namespace {

// Keys and focus of the folder box, keys and mouse buttons of the picture list.
class LibraryEvents : public QObject {
  public:
    LibraryEvents(TFrmMain* form, QLineEdit* folderBox, QListWidget* list,
                  Qt::MouseButton& pressButton)
        : QObject(form), form_(form), folderBox_(folderBox), list_(list),
          pressButton_(pressButton) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == folderBox_) {
            if (event->type() == QEvent::KeyPress) {
                form_->EdtPicPathKeyDown(static_cast<QKeyEvent*>(event)->key());
            } else if (event->type() == QEvent::FocusOut) {
                // Focus that goes to another window (a message box, a menu) stays "in" the box.
                const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
                if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                    form_->EdtPicPathExit();
            }
        } else if (watched == list_ && event->type() == QEvent::KeyPress) {
            // A release that went to a pop-up menu never reached the list.
            pressButton_ = Qt::NoButton;
            auto* key = static_cast<QKeyEvent*>(event);
            return form_->BitmapListBoxKeyDown(key->key(), key->modifiers());
        } else if (watched == list_->viewport()) {
            if (event->type() == QEvent::MouseButtonPress ||
                event->type() == QEvent::MouseButtonDblClick)
                pressButton_ = static_cast<QMouseEvent*>(event)->button();
            else if (event->type() == QEvent::MouseButtonRelease)
                pressButton_ = Qt::NoButton;
        }
        return false;
    }

  private:
    TFrmMain* form_;
    QLineEdit* folderBox_;
    QListWidget* list_;
    Qt::MouseButton& pressButton_;
};

// Marks the list as being filled by the program for the lifetime of the object.
class ListFilling {
  public:
    explicit ListFilling(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~ListFilling() { flag_ = old_; }
    ListFilling(const ListFilling&) = delete;
    ListFilling& operator=(const ListFilling&) = delete;

  private:
    bool& flag_;
    bool old_;
};

// Steps of the folder validation: the box's text becomes the picture folder, normalised; a text
// without an existing drive is refused and the box falls back to the root.
bool AdoptFolderText(QLineEdit& box, const TFrmMain& f) {
    AppContext& context = f.Context();
    const QString typed = box.text().trimmed();
    // The drive is read before normalisation, so that an empty text has none.
    const QString drive = DrivePart(typed);
    context.picFolder = NormalizeDirPath(typed);
    box.setText(context.picFolder);
    if (!DriveExists(drive)) {
        f.ShowMessage(FillIn(texts::Texts().TxtDiskMissing, drive));
        box.setText(FallbackRoot());
        return false;
    }
    // A folder that cannot be made is accepted; operations on it then fail one by one.
    if (!QFileInfo(context.picFolder).isDir()) QDir().mkpath(context.picFolder);
    return true;
}

} // namespace

bool TFrmMain::ValidateFolderBox() {
    try {
        return AdoptFolderText(*FPathBar->folderBox(), *this);
    } catch (...) {
        Guarded([&] {
            FHintBar->setText(texts::Texts().TxtInvalidFolder);
            FPathBar->folderBox()->setFocus();
        });
        return false;
    }
}

void TFrmMain::ClearPicList() {
    ListFilling filling(FListFilling);
    FPictureList->clearAll();
}

void TFrmMain::FillPicList() {
    ListFilling filling(FListFilling);
    QStringList paths;
    ListFolderFiles(FContext.picFolder, paths);
    const QStringList names = paths.isEmpty() ? QStringList() : PicNamesOf(paths, FPicExts);
    FPictureList->fill(FContext.picFolder, names);
    if (names.isEmpty()) return;
    const QString current = FileNamePart(FCurPicName);
    const qsizetype at = names.indexOf(current);
    if (!current.isEmpty() && at >= 0) FCurPicIndex = int(at);
    // Only the displayed picture's own entry is selected: a position remembered from another
    // folder or an earlier listing would mark a different file, which the watermark and
    // delete commands would then act on.
    const bool shownHere = at >= 0 && QFileInfo(FCurPicName).absolutePath() ==
                                          QFileInfo(FContext.picFolder + current).absolutePath();
    if (shownHere && FCurPicIndex > 0 && FCurPicIndex < FPictureList->count())
        FPictureList->setCurrentRow(FCurPicIndex, QItemSelectionModel::ClearAndSelect);
}

void TFrmMain::ConnectLibraryHandlers() {
    InitPicFormats();
    QLineEdit* folderBox = FPathBar->folderBox();
    folderBox->setToolTip(QStringLiteral("Modify the path and press Enter key to save"));

    auto* events = new LibraryEvents(this, folderBox, FPictureList, FListPressButton);
    folderBox->installEventFilter(events);
    FPictureList->installEventFilter(events);
    FPictureList->viewport()->installEventFilter(events);

    // A change of the current entry by keyboard shows it: the keyboard selects as it moves,
    // and the selection is complete once the key has been handled. A change made by the
    // program, or by focus alone, selects nothing and shows nothing. A mouse press shows
    // the pressed entry even when it was current already.
    connect(FPictureList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (FListFilling || FListPressButton != Qt::NoButton || row < 0) return;
        QMetaObject::invokeMethod(
            this,
            [this, row] {
                const QListWidgetItem* item = FPictureList->item(row);
                if (FPictureList->currentRow() == row && item && item->isSelected())
                    BitmapListBoxClick();
            },
            Qt::QueuedConnection);
    });
    connect(FPictureList, &QAbstractItemView::pressed, this, [this] {
        const Qt::MouseButton button = FListPressButton;
        FListPressButton = Qt::NoButton;
        if (button == Qt::LeftButton) BitmapListBoxClick();
    });
    ConnectGuarded(FPictureList, &QAbstractItemView::doubleClicked, this,
                   [this] { PmOpenInPaintClick(); });
    connect(FPathBar, &PathBar::formatChosen, this, [this] { CbPicFomatChange(); });
    connect(FPathBar, &PathBar::chooseFolderClicked, this, [this] { BtnOpenPathClick(); });
    connect(FPathBar, &PathBar::openFolderClicked, this, [this] { BtnOpenDirClick(); });
    ConnectGuarded(BtnSPSaveImg, &QAbstractButton::clicked, this, [this] { BtnSPSaveImgClick(); });
}

void TFrmMain::InitPicFormats() {
    Guarded([this] {
        FPicExts = PictureFormatList();
        FPathBar->setFormats(FPicExts);
    });
}

bool TFrmMain::IsPicFormat(const QString& ext) const {
    return ::IsPicFormat(ext, FPicExts);
}

bool TFrmMain::EnsurePicPath() {
    bool adopted = false;
    Guarded([&] {
        adopted = ValidateFolderBox();
        if (!adopted)
            ClearPicList();
        else if (FContext.picFolder != FPictureList->folder())
            FillPicList();
    });
    return adopted;
}

void TFrmMain::RefreshPicList() {
    Guarded([this] {
        if (ValidateFolderBox())
            FillPicList();
        else
            ClearPicList();
    });
}

QString TFrmMain::PicListPath(int row) const {
    return FPictureList->pathOf(row);
}

bool TFrmMain::LoadPicByExt(ImageControl* image, const QString& path) {
    if (!image) return false;
    bool loaded = false;
    try {
        image->show();
        QImage picture;
        const bool decoded = DecodePictureFile(path, picture);
        switch (PicKindOfExtension(FileExtension(path))) {
        case PicFileKind::Jpeg:
            // A JPEG this program cannot read may still open in the associated program.
            if (decoded)
                image->setPicture(picture);
            else
                OpenLocation(path, NoProgramHint());
            loaded = true;
            break;
        case PicFileKind::Png:
            if (decoded) image->setPicture(picture);
            loaded = true;
            break;
        case PicFileKind::Bmp:
            if (decoded) image->setPicture(picture);
            loaded = decoded;
            if (!decoded) image->hide();
            break;
        default:
            if (decoded) {
                image->setPicture(picture);
                image->show();
                loaded = true;
            } else {
                image->hide();
                OpenLocation(path, NoProgramHint());
            }
            break;
        }
    } catch (...) {
        Guarded([&] { image->hide(); });
        loaded = false;
    }
    return loaded;
}

void TFrmMain::EdtPicPathKeyDown(int key) {
    Guarded([&] {
        if (key == Qt::Key_Return || key == Qt::Key_Enter) RefreshPicList();
    });
}

void TFrmMain::EdtPicPathExit() {
    Guarded([this] {
        // Typed but unconfirmed text is thrown away.
        FPathBar->folderBox()->setText(FContext.picFolder);
        if (FPathBar->folderBox()->text().isEmpty())
            ShowMessage(texts::Texts().TxtEnterPicPath);
        else
            RefreshPicList();
    });
}

void TFrmMain::BtnOpenPathClick() {
    Guarded([this] {
        const QString chosen = SelectFolder(this, FPathBar->folderBox()->text());
        if (chosen.isEmpty()) return;
        FContext.picFolder = NormalizeDirPath(chosen);
        FPathBar->folderBox()->setText(FContext.picFolder);
        OpenPictureDialog1Dir = chosen;
        SavePictureDialog1Dir = chosen;
        RefreshPicList();
    });
}

void TFrmMain::CbPicFomatChange() {
    Guarded([this] {
        if (!IsPicFormat(FPathBar->formatBox()->currentText().trimmed()))
            FPathBar->formatBox()->setCurrentIndex(0);
        RefreshPicList();
    });
}

void TFrmMain::BitmapListBoxClick() {
    Guarded([this] {
        const int row = FPictureList->currentRow();
        if (row < 0) return;
        ResetHistory();
        FCurPicName = PicListPath(row);
        if (!QFileInfo(FCurPicName).isFile()) return;
        FHintBar->setText(FillIn(texts::Texts().TxtCurrentFile, FCurPicName));
        LoadPicByExt(Picture(), FCurPicName);
    });
}

bool TFrmMain::BitmapListBoxKeyDown(int key, Qt::KeyboardModifiers shift) {
    bool handled = false;
    Guarded([&] {
        if (key == Qt::Key_A && (shift & Qt::ControlModifier)) {
            FPictureList->selectAll();
            handled = true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            const int row = FPictureList->currentRow();
            if (row >= 0) ShellOpen(PicListPath(row), NoProgramHint());
            handled = true;
        } else if (key == Qt::Key_Delete) {
            DeleteSelectedPics();
            handled = true;
        } else if (key == Qt::Key_F5) {
            RefreshPicList();
            handled = true;
        }
    });
    return handled;
}

void TFrmMain::Load1Click() {
    if (!EnsurePicPath()) return;
    const QStringList files =
        ChoosePicturesToOpen(this, FContext.picFolder, FPathBar->formatBox()->currentIndex());
    if (files.isEmpty()) return;
    // The chosen files join the end of the list as they are; each entry keeps its own
    // path, so that it always stands for the file that was chosen.
    for (const QString& file : files)
        FPictureList->addFile(file);
    LoadPicByExt(Picture(), files.first());
}
