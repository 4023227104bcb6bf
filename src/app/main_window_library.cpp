// The picture folder and the picture list of the main window: validating the folder box,
// filling and sorting the list, showing an entry, the open dialog and the loader by
// extension. The file operations on the list live in main_window_picture_files.cpp.
#include "app/main_window.h"

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
#include <QStyledItemDelegate>

namespace {

// Every entry of the picture list is 16 pixels high.
class PicListDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(16);
        return size;
    }
};

// Keys and focus of the folder box, keys and mouse buttons of the picture list.
class LibraryEvents : public QObject {
  public:
    explicit LibraryEvents(TFrmMain* form) : QObject(form), form_(form) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == form_->EdtPicPath) {
            if (event->type() == QEvent::KeyPress) {
                form_->EdtPicPathKeyDown(static_cast<QKeyEvent*>(event)->key());
            } else if (event->type() == QEvent::FocusOut) {
                // Focus that goes to another window (a message box, a menu) stays "in" the box.
                const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
                if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                    form_->EdtPicPathExit();
            }
        } else if (watched == form_->BitmapListBox && event->type() == QEvent::KeyPress) {
            // A release that went to a pop-up menu never reached the list.
            form_->FListPressButton = Qt::NoButton;
            auto* key = static_cast<QKeyEvent*>(event);
            return form_->BitmapListBoxKeyDown(key->key(), key->modifiers());
        } else if (watched == form_->BitmapListBox->viewport()) {
            if (event->type() == QEvent::MouseButtonPress ||
                event->type() == QEvent::MouseButtonDblClick)
                form_->FListPressButton = static_cast<QMouseEvent*>(event)->button();
            else if (event->type() == QEvent::MouseButtonRelease)
                form_->FListPressButton = Qt::NoButton;
        }
        return false;
    }

  private:
    TFrmMain* form_;
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
bool AdoptFolderText(TFrmMain& f) {
    const QString typed = f.EdtPicPath->text().trimmed();
    // The drive is read before normalisation, so that an empty text has none.
    const QString drive = DrivePart(typed);
    f.Context().picFolder = NormalizeDirPath(typed);
    f.EdtPicPath->setText(f.Context().picFolder);
    if (!DriveExists(drive)) {
        f.ShowMessage(FillIn(texts::Texts().TxtDiskMissing, drive));
        f.EdtPicPath->setText(FallbackRoot());
        return false;
    }
    // A folder that cannot be made is accepted; operations on it then fail one by one.
    if (!QFileInfo(f.Context().picFolder).isDir()) QDir().mkpath(f.Context().picFolder);
    return true;
}

bool ValidateFolderBox(TFrmMain& f) {
    try {
        return AdoptFolderText(f);
    } catch (...) {
        Guarded([&] {
            f.PnlHint->setText(texts::Texts().TxtInvalidFolder);
            f.EdtPicPath->setFocus();
        });
        return false;
    }
}

void ClearPicList(TFrmMain& f) {
    ListFilling filling(f.FListFilling);
    f.BitmapListBox->clear();
    f.FListFolder.clear();
}

// Lists the picture folder's pictures in their order and re-selects the current picture.
void FillPicList(TFrmMain& f) {
    ListFilling filling(f.FListFilling);
    QStringList paths;
    ListFolderFiles(f.Context().picFolder, paths);
    f.BitmapListBox->clear();
    f.FListFolder = f.Context().picFolder;
    if (paths.isEmpty()) return;
    const QStringList names = PicNamesOf(paths, f.FPicExts);
    f.BitmapListBox->addItems(names);
    const QString current = FileNamePart(f.FCurPicName);
    const qsizetype at = names.indexOf(current);
    if (!current.isEmpty() && at >= 0) f.FCurPicIndex = int(at);
    // Only the displayed picture's own entry is selected: a position remembered from another
    // folder or an earlier listing would mark a different file, which the watermark and
    // delete commands would then act on.
    const bool shownHere = at >= 0 && QFileInfo(f.FCurPicName).absolutePath() ==
                                          QFileInfo(f.Context().picFolder + current).absolutePath();
    if (shownHere && f.FCurPicIndex > 0 && f.FCurPicIndex < f.BitmapListBox->count())
        f.BitmapListBox->setCurrentRow(f.FCurPicIndex, QItemSelectionModel::ClearAndSelect);
}

} // namespace

void TFrmMain::ConnectLibraryHandlers() {
    InitPicFormats();
    EdtPicPath->setToolTip(QStringLiteral("Modify the path and press Enter key to save"));
    BitmapListBox->setItemDelegate(new PicListDelegate(BitmapListBox));
    BitmapListBox->setUniformItemSizes(true);

    auto* events = new LibraryEvents(this);
    EdtPicPath->installEventFilter(events);
    BitmapListBox->installEventFilter(events);
    BitmapListBox->viewport()->installEventFilter(events);

    // A change of the current entry by keyboard shows it: the keyboard selects as it moves,
    // and the selection is complete once the key has been handled. A change made by the
    // program, or by focus alone, selects nothing and shows nothing. A mouse press shows
    // the pressed entry even when it was current already.
    connect(BitmapListBox, &QListWidget::currentRowChanged, this, [this](int row) {
        if (FListFilling || FListPressButton != Qt::NoButton || row < 0) return;
        QMetaObject::invokeMethod(
            this,
            [this, row] {
                const QListWidgetItem* item = BitmapListBox->item(row);
                if (BitmapListBox->currentRow() == row && item && item->isSelected())
                    BitmapListBoxClick();
            },
            Qt::QueuedConnection);
    });
    connect(BitmapListBox, &QAbstractItemView::pressed, this, [this] {
        const Qt::MouseButton button = FListPressButton;
        FListPressButton = Qt::NoButton;
        if (button == Qt::LeftButton) BitmapListBoxClick();
    });
    ConnectGuarded(BitmapListBox, &QAbstractItemView::doubleClicked, this,
                   [this] { PmOpenInPaintClick(); });
    connect(CbPicFomat, &QComboBox::activated, this, [this] { CbPicFomatChange(); });
    connect(BtnSelectPath, &QAbstractButton::clicked, this, [this] { BtnOpenPathClick(); });
    connect(BtnOpenDir, &QAbstractButton::clicked, this, [this] { BtnOpenDirClick(); });
    ConnectGuarded(BtnSPSaveImg, &QAbstractButton::clicked, this, [this] { BtnSPSaveImgClick(); });
}

void TFrmMain::InitPicFormats() {
    Guarded([this] {
        FPicExts = PictureFormatList();
        CbPicFomat->clear();
        CbPicFomat->addItems(FPicExts);
    });
}

bool TFrmMain::IsPicFormat(const QString& ext) const {
    return ::IsPicFormat(ext, FPicExts);
}

bool TFrmMain::EnsurePicPath() {
    bool adopted = false;
    Guarded([&] {
        adopted = ValidateFolderBox(*this);
        if (!adopted)
            ClearPicList(*this);
        else if (FContext.picFolder != FListFolder)
            FillPicList(*this);
    });
    return adopted;
}

void TFrmMain::RefreshPicList() {
    Guarded([this] {
        if (ValidateFolderBox(*this))
            FillPicList(*this);
        else
            ClearPicList(*this);
    });
}

QString TFrmMain::PicListPath(int row) const {
    const QListWidgetItem* item = BitmapListBox->item(row);
    if (!item) return QString();
    // Entries added by the open dialog carry their own path; the others lie in the
    // folder the list was filled from.
    const QVariant own = item->data(Qt::UserRole);
    return own.isValid() ? own.toString() : FListFolder + item->text();
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
        EdtPicPath->setText(FContext.picFolder);
        if (EdtPicPath->text().isEmpty())
            ShowMessage(texts::Texts().TxtEnterPicPath);
        else
            RefreshPicList();
    });
}

void TFrmMain::BtnOpenPathClick() {
    Guarded([this] {
        const QString chosen = SelectFolder(this, EdtPicPath->text());
        if (chosen.isEmpty()) return;
        FContext.picFolder = NormalizeDirPath(chosen);
        EdtPicPath->setText(FContext.picFolder);
        OpenPictureDialog1Dir = chosen;
        SavePictureDialog1Dir = chosen;
        RefreshPicList();
    });
}

void TFrmMain::CbPicFomatChange() {
    Guarded([this] {
        if (!IsPicFormat(CbPicFomat->currentText().trimmed())) CbPicFomat->setCurrentIndex(0);
        RefreshPicList();
    });
}

void TFrmMain::BitmapListBoxClick() {
    Guarded([this] {
        const int row = BitmapListBox->currentRow();
        if (row < 0) return;
        ResetHistory();
        FCurPicName = PicListPath(row);
        if (!QFileInfo(FCurPicName).isFile()) return;
        PnlHint->setText(FillIn(texts::Texts().TxtCurrentFile, FCurPicName));
        LoadPicByExt(ImgMain, FCurPicName);
    });
}

bool TFrmMain::BitmapListBoxKeyDown(int key, Qt::KeyboardModifiers shift) {
    bool handled = false;
    Guarded([&] {
        if (key == Qt::Key_A && (shift & Qt::ControlModifier)) {
            BitmapListBox->selectAll();
            handled = true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            const int row = BitmapListBox->currentRow();
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
        ChoosePicturesToOpen(this, FContext.picFolder, CbPicFomat->currentIndex());
    if (files.isEmpty()) return;
    // The chosen files join the end of the list as they are; each entry keeps its own
    // path, so that it always stands for the file that was chosen.
    for (const QString& file : files) {
        auto* item = new QListWidgetItem(FileNamePart(file));
        item->setData(Qt::UserRole, file);
        BitmapListBox->addItem(item);
    }
    LoadPicByExt(ImgMain, files.first());
}
