// File operations of the main window on the main picture and the picture list: writing
// by extension, save as, delete, rename, the picture editor, clear, clipboard, folder.
#include "app/main_window.h"

#include "app/hint_bar.h"
#include "app/path_bar.h"
#include "app/picture_area.h"
#include "app/picture_list.h"

#include "capture/capture_session.h"
#include "capture/new_picture_file.h"
#include "common/guard.h"
#include "common/picture_formats.h"
#include "common/shell_routines.h"
#include "common/text_format.h"
#include "common/text_tables.h"
#include "library/file_ops.h"
#include "library/open_picture_dialog.h"
#include "library/pic_folder.h"
#include "library/picture_codecs.h"
#include "library/rename_dialog.h"
#include "library/save_failure.h"
#include "widgets/image_control.h"
#include "widgets/message_box.h"
#include "widgets/picture_clipboard.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace {

QString FolderPart(const QString& path) {
    return path.left(path.lastIndexOf('/') + 1);
}

} // namespace

bool TFrmMain::SavePicByExt(const QString& path) {
    bool written = false;
    Guarded([&] {
        const QString folder = FolderPart(path);
        if (folder.isEmpty()) {
            ShowMessage(FillIn(texts::Texts().TxtIllegalPath, folder));
            FPathBar->folderBox()->setFocus();
            return;
        }
        // A folder that cannot be made shows up as a failed write below.
        if (!QFileInfo(folder).isDir()) QDir().mkpath(folder);

        const QImage& picture = Picture()->picture();
        const QString ext = FileExtension(path).toUpper();
        // PNG files get a lower-case extension; every other extension than the JPEG and
        // PNG ones gets BMP data, and an empty picture writes nothing.
        const QString target =
            ext == ".PNG" ? path.chopped(ext.size()) + QStringLiteral(".png") : path;
        const bool bmpData = ext != ".JPG" && ext != ".JPEG" && ext != ".PNG";
        written = WritePictureByExt(picture, target);
        if (!written && bmpData && !picture.isNull()) ShowMessage(SaveFailedText(picture, path));
    });
    return written;
}

void TFrmMain::BtnSPSaveImgClick() {
    const int row = FPictureList->currentRow();
    if (row < 0) return;
    if (!QFileInfo(PicListPath(row)).isFile()) {
        ShowMessage(texts::Texts().TxtSelectOnePicture);
        return;
    }
    if (!EnsurePicPath()) return;
    const QString chosen =
        ChoosePictureToSave(this, FContext.picFolder, FPathBar->formatBox()->currentIndex());
    if (!chosen.isEmpty()) SavePicByExt(chosen);
}

void TFrmMain::DeleteSelectedPics() {
    Guarded([this] {
        QStringList paths;
        for (int row = 0; row < FPictureList->count(); ++row)
            if (FPictureList->item(row)->isSelected()) paths.append(PicListPath(row));
        if (paths.isEmpty()) {
            ShowMessage(texts::Texts().TxtSelectPictures);
            FPictureList->setFocus();
            return;
        }
        // At once and without a question, into the desktop trash where one takes them; a
        // file that cannot go is skipped.
        int trashed = 0, deleted = 0;
        for (const QString& path : paths) {
            const PicRemoval removal = RemovePicFile(path);
            trashed += removal == PicRemoval::Trashed;
            deleted += removal == PicRemoval::Deleted;
        }
        RefreshPicList();
        // The capture toolbar's list would name files that are gone.
        Capture().clearSavedList();
        QStringList said;
        if (trashed > 0) said << FillInCount(texts::Texts().TxtMovedToTrash, trashed);
        if (deleted > 0) said << FillInCount(texts::Texts().TxtDeletedAtOnce, deleted);
        if (!said.isEmpty()) FHintBar->setText(said.join(QStringLiteral("  ")));
    });
}

void TFrmMain::MnDeletePicClick() {
    DeleteSelectedPics();
}

bool TFrmMain::RenamePicFile(const QString& folder, const QString& name, const QString& ext) {
    bool ran = false;
    Guarded([&] {
        if (!FrmReName) FrmReName = new TFrmReName(this);
        FrmReName->SetName(name);
        FrmReName->exec();
        // A taken name leaves both files as they are.
        RenameNoReplace(folder + name, RenameTargetPath(folder, FrmReName->FNewName, ext));
        ran = true;
    });
    return ran;
}

void TFrmMain::MnRenamePicClick() {
    const int row = FPictureList->currentRow();
    if (row < 0) return;
    const QString path = PicListPath(row);
    const QString name = FileNamePart(path);
    if (RenamePicFile(FolderPart(path), name, FileExtension(name))) RefreshPicList();
}

void TFrmMain::PmOpenInPaintClick() {
    if (!EnsurePicPath()) return;
    const int row = FPictureList->currentRow();
    if (row >= 0) OpenWithPaint(PicListPath(row), NoProgramHint());
}

void TFrmMain::MnClearPicClick() {
    FPictureArea->panel()->show();
    Picture()->clearPicture();
    Picture()->update();
}

void TFrmMain::BtnSaveToClipboardClick() {
    CopyPicToClipboard(Picture());
}

void TFrmMain::BtnOpenDirClick() {
    Guarded([this] {
        if (EnsurePicPath()) OpenInExplorer(FContext.picFolder, NoProgramHint());
    });
}
