#include "common/text_tables.h"

namespace texts {

int UiLanguage = 0;
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

namespace {

// One key with its text in each language; nullptr where a language leaves it unassigned.
struct TextEntry {
    QString* target;
    const char8_t* simplified;
    const char8_t* english;
    const char8_t* traditional;
};

const TextEntry kGeneralTable[] = {
    {&TxtInvalidFolder, u8"请选择一个合法的文件夹名称", u8"Please Choose a valid path",
     u8"請選擇一個合法的文件夾名稱"},
    {&TxtDiskMissing, u8"磁盘%s不存在，请重选择一个路径。",
     u8"Not exist disk:%s ,please reselect a path.", u8"磁盤%s不存在，請重選擇一個路徑。"},
    {&TxtCurrentFile, u8"当前文件：%s", u8"Current File：%s", u8"當前文件：%s"},
    {&TxtPathMissing, u8"此路径不存在：%s", u8"Not exists path ：%s", u8"此路徑不存在：%s"},
    {&TxtIllegalPath, u8"不合法路径:%s,请重输入一个路径",
     u8"Illegal path: %s, please re-enter a path", u8"不合法路徑:%s,請重輸入一個路徑"},
    {&TxtSaveFailed, u8"保存失败%s", u8"Save image failed: %s", u8"保存失敗%s"},
    {&TxtListHint, u8"鼠标右键有更多功能", u8"Right click mouse to have more features",
     u8"鼠標右鍵有更多功能"},
    {&TxtSavedTo, u8"已保存为：%s,按下『鼠标局部截屏』可继续截图", u8"saved to %s",
     u8"自動保存為：%s"},
    {&TxtAbout, u8"关于", u8"About", u8"關於"},
    {&TxtRenameTitle, u8"更改名称", u8"Alter Name", u8"更改名稱"},
    {&TxtRenameLabel, u8"名称", u8"Name", u8"名稱"},
    {&TxtVersionLabel, u8"版本号：", nullptr, nullptr},
    {&UrlPromo, u8"https://www.qelsoft.example/jz/", nullptr, nullptr},
    {&TxtAuthorLine, u8"作者：QEL软件工作室", nullptr, nullptr},
    {&TxtHomePageLine, u8"主页：www.qelsoft.example", nullptr, nullptr},
};

const TextEntry kMainWindowTable[] = {
    {&ProductTitle, u8"QEL屏幕截图助手", u8"QEL Screenshots ", u8"QEL屏幕截圖助手"},
    {&TxtPreview, u8"图片预览", u8"Image Preview", u8"圖片預覽"},
    {&TxtImageList, u8"图片列表", u8"Image List", nullptr},
    {&TxtAutoSaved, u8"已保存图片为%s", u8"auto-save the image as %s", u8"自動保存圖片為%s"},
    {&TxtSelectOnePicture, u8"请选择图片列表中的一个图片。",
     u8"Please select a picture in the list of an image. ", u8"請選擇圖片列表中的一個圖片。"},
    {&TxtPictureInfo, u8"图片实际宽度为%d,实际高度为%d,鼠标所在图片的坐标:[%d,%d]",
     u8"image the actual width of %d, the actual height is %d, where the image coordinates of the "
     u8"mouse: [%d,%d]",
     u8"圖片實際寬度為%d,實際高度為%d,鼠標所在圖片的坐標:[%d,%d]"},
    {&TxtHotkeyConflict, u8"热键冲突，请单击按钮『热键设置』，修改热键",
     u8"hotkey conflict, please click the button 『hotkey settings』, modify the hotkey",
     u8"熱鍵沖突，請單擊按鈕『熱鍵設置』，修改熱鍵"},
    {&TxtEnterPicPath, u8"请输入图片路径", u8"Please enter the image path", u8"請輸入圖片路徑"},
    {&TxtSelectPictures, u8"请选择一个或多个图片。", u8"Please select one or more pictures. ",
     u8"請選擇一個或多個圖片。"},
    {&TxtWatermarkSaved, u8"已保存图片为%s", u8"image has been saved as %s", u8"已保存圖片為%s"},
    {&TxtToolbarAreaHint, u8"按住左键不放选择截图区域",
     u8"Please move the mouse to the needs of the local cut-off screen, press the mouse after "
     u8"dragging the mouse to the end point, release the mouse, the mouse dragging part of the "
     u8"screen will automatically be cut. ",
     u8"請移動鼠標到需要截屏的地方，按下鼠標後拖拉鼠標到結束點，松開鼠標，鼠標拖拉部分將自動截屏"
     u8"。"},
    {&TxtWatermarkTitle, u8"水印设置", u8"Watermark settings", u8"水印設置"},
    {&TxtContinueCutHint, u8"连续截图功能", u8"continuous shots feature", u8"連續截圖功能"},
    {&TxtClipboardToggle, u8"截图自动放入剪贴板",
     u8"screenshot is automatically placed in the clipboard", u8"截圖自動放入剪貼板"},
    {&TxtAutoSaveFolderHint, u8"自动保存到文件夹", u8"auto-save to a folder", u8"自動保存到文件夾"},
    {&TxtHintAddText, u8"在图片中加入文字", u8"in the picture by adding the text",
     u8"在圖片中加入文字"},
    {&TxtHintFontSet, u8"设置字体格式", u8"set the font format", u8"設置字體格式"},
    {&TxtHintLine, u8"加入直线", u8"join line", u8"加入直線"},
    {&TxtHintDoubleArrow, u8"加入双箭头", u8"join the pairs of arrows", u8"加入雙箭頭"},
    {&TxtHintCircle, u8"加入圆形", u8"join the circle", u8"加入圓形"},
    {&TxtHintRoundRect, u8"加入圆角矩形", u8"join the rounded rectangle", u8"加入圓角矩形"},
    {&TxtHintRect, u8"加入长方形", u8"Add a rectangle", u8"加入長方形"},
    {&TxtHintPicSize, u8"设置图片宽度和高度", u8"Set image width and height",
     u8"設置圖片寬度和高度"},
    {&TxtHintUndo, u8"向前回复", u8"forward reply", u8"向前回復"},
    {&TxtHintRedo, u8"向后恢复", u8"backward recovery", u8"向後恢復"},
    {&TxtHintZoomIn, u8"放大图片", u8"Enlarge Image", u8"放大圖片"},
    {&TxtHintZoomOut, u8"缩小图片", u8"zoom out", u8"縮小圖片"},
    {&TxtHintActualSize, u8"图片恢复到实际大小", u8"image back to the actual size",
     u8"圖片恢復到實際大小"},
    {&TxtHintBestFit, u8"图片最佳合适", u8"image the best fit", u8"圖片最佳合適"},
    {&TxtAreaCutHint, u8"按住左键不放选择截图区域", u8"Drag left mouse",
     u8"按住左键不放选择截图区域"},
    {&TxtMenuAddWatermark, u8"加入水印", u8"Join Watermark", u8"加入水印"},
    {&TxtMenuWatermarkSet, u8"水印设置", u8"Watermark Settings", u8"水印设置"},
    {&TxtMenuSaveAs, u8"图片另存为", u8"Save Picture as", u8"图片另存为"},
    {&TxtMenuDelete, u8"删除图片", u8"Delete Image", u8"删除图片"},
    {&TxtMenuOpen, u8"打开图片", u8"Open Image", u8"打开图片"},
    {&TxtMenuRename, u8"重命名图片", u8"Rename", u8"重命名图片"},
    {&TxtMenuOpenInPaint, u8"在『画图』中打开", u8R"(Open with "Paint")", u8"在『画图』中打开"},
    {&TxtMenuFullScreenView, u8"图片全屏显示", u8"Full Screen Display", u8"图片全屏显示"},
    {&TxtMenuToClipboard, u8"保存到剪贴板", u8"Save To Clipboard", u8"保存到剪贴板"},
    {&TxtMenuAutoSaveFile, u8"自动保存到文件", u8"auto-save to a file", u8"自动保存到文件"},
    {&TxtMenuContinueCut, u8"连续可控式截图", u8"Continuous Shot", u8"连续可控式截图"},
    {&TxtMenuHotkeySet, u8"热键设置", u8"Hot Key Settings", u8"热键设置"},
    {&TxtWmType, u8"水印类型", u8"Coordinate", u8"水印類型"},
    {&TxtWmTypeChoices, u8"文字水印,图片水印,无水印", u8"Text,Image,None",
     u8"文字水印,圖片水印,無水印"},
    {&TxtWmPosition, u8"水印位置", u8"Position", u8"水印位置"},
    {&TxtWmReverse, u8"反向坐标", u8"Reverse", u8"反向坐標"},
    {&TxtWmPreview, u8"图片预览", u8"Picture Preview", u8"圖片預覽"},
    {&TxtWmTransparency, u8"透明度", u8"Transparent", u8"透明度"},
    {&TxtWmText, u8"水印文字", u8"Text", u8"水印文字"},
    {&TxtEscHint, u8"按下『Esc』可退出全屏模式", u8"Press [Esc] to exit full screen mode",
     u8"按下『Esc』可退出全屏模式"},
    {&TxtListSaveAs, u8"图片另存为", u8"Save Picture As", u8"圖片另存為"},
    {&TxtListOpenInPaint, u8R"(在"画图"中打开)", u8R"(in the "Paint" to open)",
     u8R"(在"畫圖"中打開)"},
    {&TxtListDelete, u8"删除图片", u8"Delete Image", u8"刪除圖片"},
    {&TxtListRename, u8"重命名图片", u8"Rename", u8"重命名圖片"},
    {&TxtListClear, u8"清空图片", u8"Clear picture", u8"清空圖片"},
    {&TxtTextAdd, u8"加入文本", u8"added the text", u8"加入文本"},
    {&TxtTextFont, u8"字体设置", u8"font", u8"字體設置"},
    {&TxtTextBackground, u8"背景设置", u8"background set", u8"背景設置"},
    {&TxtTextReturn, u8"返回", u8"return", u8"返回"},
    {&TxtTextConfirm, u8"确认加入文本", u8"to confirm the text", u8"確認加入文本"},
    {&TxtTextCancel, u8"取消加入文本", u8"Cancel join text", u8"取消加入文本"},
    {&TxtTextSave, u8"保存加入文本", u8"Save to join text", u8"保存加入文本"},
    {&TxtHkConflict, u8"此快捷鍵沖突，請修改", u8"Chortcut key conflict", nullptr},
    {&TxtHkFullScreen, u8"全屏幕截圖", u8"full screen shot", nullptr},
    {&TxtHkWindow, u8"窗體截圖", u8"Form Download", nullptr},
    {&TxtHkClient, u8"客戶端截圖", u8"client capture", nullptr},
    {&TxtHkArea, u8"局部區域截圖", u8"local area shots", nullptr},
    {&TxtHkStop, u8"退出", u8"Exit", nullptr},
    {&TxtHkTitle, u8"热键设置", u8"Hotkey Settings", nullptr},
    {&UrlHome, u8"https://www.qelsoft.example/gb/", u8"https://www.qelsoft.example/en/",
     u8"https://www.qelsoft.example/big/"},
    {&UrlDemo, u8"https://www.qelsoft.example/demo/gb/", u8"https://www.qelsoft.example/demo/en/",
     u8"https://www.qelsoft.example/demo/big/"},
    {&UrlUpdate, u8"https://www.qelsoft.example/update/gb/", nullptr, nullptr},
};
// The desktop's messages; "%d" takes a count, "%s" a text.
const TextEntry kDesktopTable[] = {
    {&TxtMovedToTrash, u8"已将%d张图片移到回收站", u8"%d picture(s) moved to the trash",
     u8"已將%d張圖片移到資源回收筒"},
    {&TxtDeletedAtOnce, u8"%d张图片无法移到回收站，已直接删除",
     u8"%d picture(s) could not go to the trash and were deleted",
     u8"%d張圖片無法移到資源回收筒，已直接刪除"},
    {&TxtFailureReason, u8"%s\n原因：%s", u8"%s\nReason: %s", u8"%s\n原因：%s"},
    {&TxtReasonNoPermission, u8"没有写入此文件夹的权限", u8"no permission to write into the folder",
     u8"沒有寫入此文件夾的權限"},
    {&TxtReasonReadOnly, u8"磁盘是只读的", u8"the disk is read-only", u8"磁盤是唯讀的"},
    {&TxtReasonDiskFull, u8"磁盘已满", u8"the disk is full", u8"磁盤已滿"},
    {&TxtReasonTooLarge, u8"文件超过了允许的大小", u8"the file is larger than allowed",
     u8"文件超過了允許的大小"},
    {&TxtReasonFolderGone, u8"文件夹不存在", u8"the folder does not exist", u8"文件夾不存在"},
    {&TxtNoProgram, u8"没有可以启动的程序来打开：%s", u8"No program could be started to open %s",
     u8"沒有可以啟動的程式來打開：%s"},
    {&TxtNoDisplay, u8"找不到X显示（DISPLAY=%s），程序无法启动",
     u8"No X display found (DISPLAY=%s); the program cannot start",
     u8"找不到X顯示（DISPLAY=%s），程式無法啟動"},
};

template <std::size_t N> void RunInitialiser(const TextEntry (&table)[N], int language) {
    for (const TextEntry& e : table) {
        const char8_t* text = language == 1   ? e.traditional
                              : language == 2 ? e.english
                                              : e.simplified;
        if (text) *e.target = QString::fromUtf8(text);
    }
}

template <std::size_t N> void Clear(const TextEntry (&table)[N]) {
    for (const TextEntry& e : table)
        e.target->clear();
}

} // namespace

void InitGeneralTexts(int language) {
    RunInitialiser(kGeneralTable, language);
    RunInitialiser(kDesktopTable, language);
}

void InitMainWindowTexts(int language) {
    RunInitialiser(kMainWindowTable, language);
}

void ClearTexts() {
    Clear(kGeneralTable);
    Clear(kDesktopTable);
    Clear(kMainWindowTable);
}

void SelectLanguage() {
    UiLanguage = 0;
    UiFontName = QString::fromUtf8(u8"宋体");
    UiCharset = 134;
    InitGeneralTexts(UiLanguage);
    InitMainWindowTexts(UiLanguage);
}

QString MainCaption() {
    return QString::asprintf("%s%1.1f ", ProductTitle.toUtf8().constData(), ProgramVersion);
}

} // namespace texts
