// Interface texts: one program-wide variable per key, assigned once at start
// for the chosen language. Keys a language does not assign stay empty.
#pragma once

#include <QString>

namespace texts {

// 0 Simplified Chinese, 1 Traditional Chinese, 2 English.
extern int UiLanguage;
// Interface font of the windows built at run time and its Windows character set.
extern QString UiFontName;
extern int UiCharset;

// The program's version, shown in the caption and compared by the update check.
inline constexpr double ProgramVersion = 3.3;

extern QString TxtInvalidFolder;
extern QString TxtDiskMissing;
extern QString TxtCurrentFile;
extern QString TxtPathMissing;
extern QString TxtIllegalPath;
extern QString TxtSaveFailed;
extern QString TxtListHint;
extern QString TxtSavedTo;
extern QString TxtAbout;
extern QString TxtRenameTitle;
extern QString TxtRenameLabel;
extern QString TxtVersionLabel;
extern QString UrlPromo;
extern QString TxtAuthorLine;
extern QString TxtHomePageLine;

extern QString ProductTitle;
extern QString TxtPreview;
extern QString TxtImageList;
extern QString TxtAutoSaved;
extern QString TxtSelectOnePicture;
extern QString TxtPictureInfo;
extern QString TxtHotkeyConflict;
extern QString TxtEnterPicPath;
extern QString TxtSelectPictures;
extern QString TxtWatermarkSaved;
extern QString TxtToolbarAreaHint;
extern QString TxtWatermarkTitle;
extern QString TxtContinueCutHint;
extern QString TxtClipboardToggle;
extern QString TxtAutoSaveFolderHint;
extern QString TxtHintAddText;
extern QString TxtHintFontSet;
extern QString TxtHintLine;
extern QString TxtHintDoubleArrow;
extern QString TxtHintCircle;
extern QString TxtHintRoundRect;
extern QString TxtHintRect;
extern QString TxtHintPicSize;
extern QString TxtHintUndo;
extern QString TxtHintRedo;
extern QString TxtHintZoomIn;
extern QString TxtHintZoomOut;
extern QString TxtHintActualSize;
extern QString TxtHintBestFit;
extern QString TxtAreaCutHint;
extern QString TxtMenuAddWatermark;
extern QString TxtMenuWatermarkSet;
extern QString TxtMenuSaveAs;
extern QString TxtMenuDelete;
extern QString TxtMenuOpen;
extern QString TxtMenuRename;
extern QString TxtMenuOpenInPaint;
extern QString TxtMenuFullScreenView;
extern QString TxtMenuToClipboard;
extern QString TxtMenuAutoSaveFile;
extern QString TxtMenuContinueCut;
extern QString TxtMenuHotkeySet;
extern QString TxtWmType;
extern QString TxtWmTypeChoices;
extern QString TxtWmPosition;
extern QString TxtWmReverse;
extern QString TxtWmPreview;
extern QString TxtWmTransparency;
extern QString TxtWmText;
extern QString TxtEscHint;
extern QString TxtListSaveAs;
extern QString TxtListOpenInPaint;
extern QString TxtListDelete;
extern QString TxtListRename;
extern QString TxtListClear;
extern QString TxtTextAdd;
extern QString TxtTextFont;
extern QString TxtTextBackground;
extern QString TxtTextReturn;
extern QString TxtTextConfirm;
extern QString TxtTextCancel;
extern QString TxtTextSave;
extern QString TxtHkConflict;
extern QString TxtHkFullScreen;
extern QString TxtHkWindow;
extern QString TxtHkClient;
extern QString TxtHkArea;
extern QString TxtHkStop;
extern QString TxtHkTitle;
extern QString UrlHome;
extern QString UrlDemo;
extern QString UrlUpdate;

// Messages of this edition for what the desktop adds: the trash, the reasons the system
// gives for a failed save, programs that cannot be started, a missing display. They are
// part of the general table.
extern QString TxtMovedToTrash;
extern QString TxtDeletedAtOnce;
extern QString TxtFailureReason;
extern QString TxtReasonNoPermission;
extern QString TxtReasonReadOnly;
extern QString TxtReasonDiskFull;
extern QString TxtReasonTooLarge;
extern QString TxtReasonFolderGone;
extern QString TxtNoProgram;
extern QString TxtNoDisplay;

// Chooses the language and runs both tables' initialisers for it.
void SelectLanguage();

// The initialisers: 1 Traditional Chinese, 2 English, any other value Simplified Chinese.
void InitGeneralTexts(int language);
void InitMainWindowTexts(int language);

// Empties every key (used before switching language in tests).
void ClearTexts();

// "%s%1.1f " of the product title and the version: the main window's caption.
QString MainCaption();

} // namespace texts
