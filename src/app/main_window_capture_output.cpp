// Capture output (automatic names, saving, clipboard) and the watermark commands.
#include "app/main_window.h"

#include "app/hint_bar.h"
#include "app/path_bar.h"
#include "app/picture_area.h"
#include "app/picture_list.h"

#include "capture/auto_file_name.h"
#include "capture/new_picture_file.h"
#include "common/guard.h"
#include "common/path_routines.h"
#include "common/picture_formats.h"
#include "common/text_format.h"
#include "common/text_tables.h"
#include "edit/shown_picture.h"
#include "edit/watermark_dialog.h"
#include "edit/watermark_settings.h"
#include "library/save_failure.h"
#include "widgets/image_control.h"
#include "widgets/message_box.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

QString TFrmMain::MakeAutoFileName() {
    FAutoSavePre = FSettings.autoSavePre.trimmed();
    const QString folder = FContext.picFolder;
    if (folder.isEmpty()) {
        ShowMessage(texts::Texts().TxtInvalidFolder);
        FPathBar->folderBox()->setFocus();
        return QString();
    }
    // A folder that cannot be made shows up as a failed save.
    if (!QDir(folder).exists()) QDir().mkpath(folder);
    const int index = FPathBar->formatBox()->currentIndex();
    const QString ext = index < 0 ? QStringLiteral(".bmp") : FPathBar->formatBox()->itemText(index);
    return NextAutoFileName(folder, FAutoSavePre, ext);
}

QString TFrmMain::AutoSavePicture() {
    QString saved;
    Guarded([&] {
        const QString name = MakeAutoFileName();
        if (name.isEmpty()) return;
        FCurPicName = name;
        // Never over a file that appeared under this name since it was worked out: the
        // capture then takes the next free number.
        const QString written =
            WriteNewPicture(Picture()->picture(), name, [this] { return MakeAutoFileName(); });
        if (written.isEmpty()) {
            if (Picture()->hasPicture()) ShowMessage(SaveFailedText(Picture()->picture(), name));
            return;
        }
        FCurPicName = written;
        FHintBar->setText(FillIn(texts::Texts().TxtAutoSaved, written));
        saved = written;
    });
    return saved;
}

TFrmWaterMarkSet* TFrmMain::WatermarkDialog() {
    if (!FrmWaterMarkSet) {
        FrmWaterMarkSet = new TFrmWaterMarkSet(FContext.watermark, this);
        FrmWaterMarkSet->LoadWatermarkDialog();
    }
    return FrmWaterMarkSet;
}

void TFrmMain::ApplyWatermark(ImageControl* image) {
    Guarded([&] {
        if (!image || !image->hasPicture()) return;
        ApplyWatermark(image->picture());
        image->pictureChanged();
    });
}

void TFrmMain::ApplyWatermark(QImage& picture) {
    Guarded([&] {
        if (picture.isNull()) return;
        if (FContext.watermark.type != 0 && FContext.watermark.type != 1)
            return; // nothing to blend
        WatermarkDialog()->DrawWatermark(picture);
    });
}

void TFrmMain::BtnWatermarkSetClick() {
    TFrmWaterMarkSet* dialog = WatermarkDialog();
    dialog->LoadWatermarkDialog();
    dialog->exec();
}

void TFrmMain::BtnAddWatermarkClick() {
    if (FPictureList->count() == 0) return;
    TFrmWaterMarkSet* dialog = WatermarkDialog();
    dialog->LoadWatermarkDialog();
    if (FContext.watermark.type == 2) dialog->exec();
    // The stamped picture goes back to its own file only: the selection must hold the
    // entry of the current picture, and that file must still hold the picture on
    // display (not one opened from elsewhere meanwhile, nor a file that has gone).
    // Otherwise ask for a selection: a picture file is never written over with another
    // picture.
    FShownPicture->note(Picture()->picture());
    QString path;
    for (QListWidgetItem* item : FPictureList->selectedItems()) {
        const QString entry = PicListPath(FPictureList->row(item));
        if (QFileInfo(entry).absoluteFilePath() == QFileInfo(FCurPicName).absoluteFilePath())
            path = entry;
    }
    if (path.isEmpty() || !FShownPicture->shownBy(path)) {
        ShowMessage(texts::Texts().TxtSelectOnePicture);
        FPictureList->setFocus();
        return;
    }
    if (FContext.watermark.type != 0 && FContext.watermark.type != 1) return;
    ApplyWatermark(Picture());
    if (!SavePicByExt(path)) return;
    // The file now holds the stamped picture, which may be stamped again.
    FShownPicture->saved(Picture()->picture());
    FHintBar->setText(FillIn(texts::Texts().TxtWatermarkSaved, path));
}
