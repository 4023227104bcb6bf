// Moves the settings file's values into the main window's controls and back.
#include "app/main_window.h"

#include "app/path_bar.h"
#include "app/picture_area.h"
#include "app/tool_column.h"

#include "common/color_ref.h"
#include "common/picture_formats.h"
#include "common/profile_file.h"
#include "edit/watermark_settings.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTextEdit>

#include <cstdio>

void TFrmMain::LoadSettings() {
    FIniFile = std::make_unique<ProfileFile>(FContext.places.settingsFile());
    SettingsValues values = CollectSettings();
    ReadSettings(*FIniFile, FContext.places, values);
    ApplySettings(values);
}

void TFrmMain::SaveSettings() {
    // The file as it is now: lines and keys another program or the user put there while
    // this one ran stay, and only this program's keys take its values.
    FIniFile = std::make_unique<ProfileFile>(FContext.places.settingsFile());
    WriteSettings(*FIniFile, CollectSettings());
    // An installed program's settings folder appears with its first settings.
    EnsureFolder(FContext.places.settingsFolder);
    if (!FIniFile->save()) {
        // The window is gone by now; the old file, if any, is still there as it was.
        const QString line =
            QStringLiteral("qelshot: the settings were not saved to %1: %2\n")
                .arg(QDir::toNativeSeparators(FIniFile->path()), FIniFile->errorString());
        std::fputs(line.toLocal8Bit().constData(), stderr);
        std::fflush(stderr);
    }
}

void TFrmMain::ApplySettings(const SettingsValues& v) {
    // The values without a control stay in the settings object; the others go to theirs.
    FSettings = v;
    FPathBar->folderBox()->setText(v.picPath);
    FContext.watermark = v.watermark;
    FPathBar->formatBox()->setCurrentIndex(
        v.picFormat >= 0 && v.picFormat < FPathBar->formatBox()->count() ? v.picFormat : -1);
    OpenPictureDialog1Dir = v.picPath;
    SavePictureDialog1Dir = v.picPath;
    FToolColumn->setClipboardWanted(v.autoSaveToCB);
    FToolColumn->setContinuous(v.continueCut);

    QFont font(v.font.name);
    if (v.font.size > 0) font.setPointSize(v.font.size);
    font.setBold(v.font.bold);
    font.setItalic(v.font.italic);
    font.setUnderline(v.font.underline);
    font.setStrikeOut(v.font.strikeOut);
    TextBox()->setFont(font);
    QPalette pal = TextBox()->palette();
    pal.setColor(QPalette::Text, ColorFromRef(v.font.color));
    TextBox()->setPalette(pal);

    FCurPicName = v.curPicName;
    FContext.hotkeys.table = v.hotkeys;
}

SettingsValues TFrmMain::CollectSettings() const {
    SettingsValues v = FSettings;
    v.picPath = FPathBar->folderBox()->text();
    v.watermark = FContext.watermark;
    v.picFormat = FPathBar->formatBox()->currentIndex();
    v.autoSaveToCB = FToolColumn->clipboardWanted();
    v.continueCut = FToolColumn->continuous();

    const QFont font = TextBox()->font();
    v.font.size = font.pointSize();
    v.font.color = RefFromColor(TextBox()->palette().color(QPalette::Text));
    v.font.name = font.family();
    v.font.bold = font.bold();
    v.font.italic = font.italic();
    v.font.underline = font.underline();
    v.font.strikeOut = font.strikeOut();

    v.curPicName = FCurPicName;
    v.hotkeys = FContext.hotkeys.table;
    return v;
}
