// The values kept in the settings file "defualt.ini", and their reading and writing
// in the file's fixed order.
#pragma once

#include "app/hotkey_table.h"
#include "common/program_places.h"
#include "edit/watermark_settings.h"

#include <QString>

class ProfileFile;

// Font of text annotations, as the settings file stores it.
struct AnnotationFontSettings {
    int size = 11;
    int charset = 134; // Windows character set; only the low 8 bits are used
    int color = 255;   // 0x00BBGGRR
    QString name;      // "宋体" by default
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

struct SettingsValues {
    QString picPath;
    QString picName;
    WatermarkSettings watermark;
    int picFormat = 0;
    bool autoSaveToCB = true;
    bool autoSaveToPath = false;
    bool needLoadLeftMess = false;
    bool continueCut = false;
    QString autoSavePre;
    AnnotationFontSettings font;
    QString curPicName;
    HotkeyTableData hotkeys;
};

// Every value's default: the picture folder is "截图" beside a program the user can write
// to, else the user's pictures folder.
SettingsValues DefaultSettings(const ProgramPlaces& places);

// Reads every key over `values`. `values` comes in holding the current state, which is
// the default where the file has no key (autoSaveToPath, for one, defaults to it).
// Without a settings file the hotkey table takes its defaults; with one, missing hotkey
// keys read as empty.
void ReadSettings(const ProfileFile& file, const ProgramPlaces& places, SettingsValues& values);

// Writes every key in the file's fixed order.
void WriteSettings(ProfileFile& file, const SettingsValues& values);
