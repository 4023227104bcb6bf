// Interface texts: one read-only table per language, with one member per key. The
// program reads the table of its interface language through Texts(); tests build the table
// of any language with TextsFor(). Keys a language does not assign stay empty.
#pragma once

#include <QList>
#include <QString>

namespace texts {

// The program's version, shown in the caption and compared by the update check.
inline constexpr double ProgramVersion = 3.3;

// The interface languages; any other value stands for Simplified Chinese.
inline constexpr int SimplifiedChinese = 0;
inline constexpr int TraditionalChinese = 1;
inline constexpr int English = 2;

struct InterfaceTexts {
    // The language of the table: SimplifiedChinese, TraditionalChinese or English.
    int UiLanguage = SimplifiedChinese;
    // Interface font of the windows built at run time and its Windows character set.
    QString UiFontName;
    int UiCharset = 0;

    QString TxtInvalidFolder;
    QString TxtDiskMissing;
    QString TxtCurrentFile;
    QString TxtPathMissing;
    QString TxtIllegalPath;
    QString TxtSaveFailed;
    QString TxtListHint;
    QString TxtSavedTo;
    QString TxtAbout;
    QString TxtRenameTitle;
    QString TxtRenameLabel;
    QString TxtVersionLabel;
    QString UrlPromo;
    QString TxtAuthorLine;
    QString TxtHomePageLine;

    QString ProductTitle;
    QString TxtPreview;
    QString TxtImageList;
    QString TxtAutoSaved;
    QString TxtSelectOnePicture;
    QString TxtPictureInfo;
    QString TxtHotkeyConflict;
    QString TxtEnterPicPath;
    QString TxtSelectPictures;
    QString TxtWatermarkSaved;
    QString TxtToolbarAreaHint;
    QString TxtWatermarkTitle;
    QString TxtContinueCutHint;
    QString TxtClipboardToggle;
    QString TxtAutoSaveFolderHint;
    QString TxtHintAddText;
    QString TxtHintFontSet;
    QString TxtHintLine;
    QString TxtHintDoubleArrow;
    QString TxtHintCircle;
    QString TxtHintRoundRect;
    QString TxtHintRect;
    QString TxtHintPicSize;
    QString TxtHintUndo;
    QString TxtHintRedo;
    QString TxtHintZoomIn;
    QString TxtHintZoomOut;
    QString TxtHintActualSize;
    QString TxtHintBestFit;
    QString TxtAreaCutHint;
    QString TxtMenuAddWatermark;
    QString TxtMenuWatermarkSet;
    QString TxtMenuSaveAs;
    QString TxtMenuDelete;
    QString TxtMenuOpen;
    QString TxtMenuRename;
    QString TxtMenuOpenInPaint;
    QString TxtMenuFullScreenView;
    QString TxtMenuToClipboard;
    QString TxtMenuAutoSaveFile;
    QString TxtMenuContinueCut;
    QString TxtMenuHotkeySet;
    QString TxtWmType;
    QString TxtWmTypeChoices;
    QString TxtWmPosition;
    QString TxtWmReverse;
    QString TxtWmPreview;
    QString TxtWmTransparency;
    QString TxtWmText;
    QString TxtEscHint;
    QString TxtListSaveAs;
    QString TxtListOpenInPaint;
    QString TxtListDelete;
    QString TxtListRename;
    QString TxtListClear;
    QString TxtTextAdd;
    QString TxtTextFont;
    QString TxtTextBackground;
    QString TxtTextReturn;
    QString TxtTextConfirm;
    QString TxtTextCancel;
    QString TxtTextSave;
    QString TxtHkConflict;
    QString TxtHkFullScreen;
    QString TxtHkWindow;
    QString TxtHkClient;
    QString TxtHkArea;
    QString TxtHkStop;
    QString TxtHkTitle;
    QString UrlHome;
    QString UrlDemo;
    QString UrlUpdate;

    // Messages of this edition for what the desktop adds: the trash, the reasons the system
    // gives for a failed save, programs that cannot be started, a missing display. They are
    // part of the general table.
    QString TxtMovedToTrash;
    QString TxtDeletedAtOnce;
    QString TxtFailureReason;
    QString TxtReasonNoPermission;
    QString TxtReasonReadOnly;
    QString TxtReasonDiskFull;
    QString TxtReasonTooLarge;
    QString TxtReasonFolderGone;
    QString TxtNoProgram;
    QString TxtNoDisplay;

    // "%s%1.1f " of the product title and the version: the main window's caption.
    QString MainCaption() const;

    bool operator==(const InterfaceTexts&) const = default;
};

// The whole table of `language`: 1 Traditional Chinese, 2 English, any other value
// Simplified Chinese. Builds a new table on every call and touches nothing else.
InterfaceTexts TextsFor(int language);

// The language the interface shows. The program has a Simplified Chinese interface and
// consults neither the environment nor the locale.
inline constexpr int InterfaceLanguage = SimplifiedChinese;

// The table of the interface language, built at the first call and never changed; every
// call returns the same table.
const InterfaceTexts& Texts();

// Every text key of the tables with its name, for checks that run over all keys.
struct TextKey {
    const char* name;
    QString InterfaceTexts::*member;
};
const QList<TextKey>& TextKeys();

} // namespace texts
