#include "common/text_tables.h"

#include <cstddef>
#include <iterator>

namespace texts {

namespace {

// One key with its text in each language; nullptr where a language leaves it unassigned.
struct TextEntry {
    TextKey key;
    const char8_t* simplified;
    const char8_t* english;
    const char8_t* traditional;
};

// A row's key: the member and its name.
// clang-format off
#define KEY(name) {#name, &InterfaceTexts::name}
// clang-format on

const TextEntry kGeneralTable[] = {
    {KEY(TxtInvalidFolder), u8"请选择一个合法的文件夹名称", u8"Please Choose a valid path",
     u8"請選擇一個合法的文件夾名稱"},
    {KEY(TxtDiskMissing), u8"磁盘%s不存在，请重选择一个路径。",
     u8"Not exist disk:%s ,please reselect a path.", u8"磁盤%s不存在，請重選擇一個路徑。"},
    {KEY(TxtCurrentFile), u8"当前文件：%s", u8"Current File：%s", u8"當前文件：%s"},
    {KEY(TxtPathMissing), u8"此路径不存在：%s", u8"Not exists path ：%s", u8"此路徑不存在：%s"},
    {KEY(TxtIllegalPath), u8"不合法路径:%s,请重输入一个路径",
     u8"Illegal path: %s, please re-enter a path", u8"不合法路徑:%s,請重輸入一個路徑"},
    {KEY(TxtSaveFailed), u8"保存失败%s", u8"Save image failed: %s", u8"保存失敗%s"},
    {KEY(TxtListHint), u8"鼠标右键有更多功能", u8"Right click mouse to have more features",
     u8"鼠標右鍵有更多功能"},
    {KEY(TxtSavedTo), u8"已保存为：%s,按下『鼠标局部截屏』可继续截图", u8"saved to %s",
     u8"自動保存為：%s"},
    {KEY(TxtAbout), u8"关于", u8"About", u8"關於"},
    {KEY(TxtRenameTitle), u8"更改名称", u8"Alter Name", u8"更改名稱"},
    {KEY(TxtRenameLabel), u8"名称", u8"Name", u8"名稱"},
    {KEY(TxtVersionLabel), u8"版本号：", nullptr, nullptr},
    {KEY(UrlPromo), u8"https://www.qelsoft.example/jz/", nullptr, nullptr},
    {KEY(TxtAuthorLine), u8"作者：QEL软件工作室", nullptr, nullptr},
    {KEY(TxtHomePageLine), u8"主页：www.qelsoft.example", nullptr, nullptr},
};

const TextEntry kMainWindowTable[] = {
    {KEY(ProductTitle), u8"QEL屏幕截图助手", u8"QEL Screenshots ", u8"QEL屏幕截圖助手"},
    {KEY(TxtPreview), u8"图片预览", u8"Image Preview", u8"圖片預覽"},
    {KEY(TxtImageList), u8"图片列表", u8"Image List", nullptr},
    {KEY(TxtAutoSaved), u8"已保存图片为%s", u8"auto-save the image as %s", u8"自動保存圖片為%s"},
    {KEY(TxtSelectOnePicture), u8"请选择图片列表中的一个图片。",
     u8"Please select a picture in the list of an image. ", u8"請選擇圖片列表中的一個圖片。"},
    {KEY(TxtPictureInfo), u8"图片实际宽度为%d,实际高度为%d,鼠标所在图片的坐标:[%d,%d]",
     u8"image the actual width of %d, the actual height is %d, where the image coordinates of the "
     u8"mouse: [%d,%d]",
     u8"圖片實際寬度為%d,實際高度為%d,鼠標所在圖片的坐標:[%d,%d]"},
    {KEY(TxtHotkeyConflict), u8"热键冲突，请单击按钮『热键设置』，修改热键",
     u8"hotkey conflict, please click the button 『hotkey settings』, modify the hotkey",
     u8"熱鍵沖突，請單擊按鈕『熱鍵設置』，修改熱鍵"},
    {KEY(TxtEnterPicPath), u8"请输入图片路径", u8"Please enter the image path", u8"請輸入圖片路徑"},
    {KEY(TxtSelectPictures), u8"请选择一个或多个图片。", u8"Please select one or more pictures. ",
     u8"請選擇一個或多個圖片。"},
    {KEY(TxtWatermarkSaved), u8"已保存图片为%s", u8"image has been saved as %s",
     u8"已保存圖片為%s"},
    {KEY(TxtToolbarAreaHint), u8"按住左键不放选择截图区域",
     u8"Please move the mouse to the needs of the local cut-off screen, press the mouse after "
     u8"dragging the mouse to the end point, release the mouse, the mouse dragging part of the "
     u8"screen will automatically be cut. ",
     u8"請移動鼠標到需要截屏的地方，按下鼠標後拖拉鼠標到結束點，松開鼠標，鼠標拖拉部分將自動截屏"
     u8"。"},
    {KEY(TxtWatermarkTitle), u8"水印设置", u8"Watermark settings", u8"水印設置"},
    {KEY(TxtContinueCutHint), u8"连续截图功能", u8"continuous shots feature", u8"連續截圖功能"},
    {KEY(TxtClipboardToggle), u8"截图自动放入剪贴板",
     u8"screenshot is automatically placed in the clipboard", u8"截圖自動放入剪貼板"},
    {KEY(TxtAutoSaveFolderHint), u8"自动保存到文件夹", u8"auto-save to a folder",
     u8"自動保存到文件夾"},
    {KEY(TxtHintAddText), u8"在图片中加入文字", u8"in the picture by adding the text",
     u8"在圖片中加入文字"},
    {KEY(TxtHintFontSet), u8"设置字体格式", u8"set the font format", u8"設置字體格式"},
    {KEY(TxtHintLine), u8"加入直线", u8"join line", u8"加入直線"},
    {KEY(TxtHintDoubleArrow), u8"加入双箭头", u8"join the pairs of arrows", u8"加入雙箭頭"},
    {KEY(TxtHintCircle), u8"加入圆形", u8"join the circle", u8"加入圓形"},
    {KEY(TxtHintRoundRect), u8"加入圆角矩形", u8"join the rounded rectangle", u8"加入圓角矩形"},
    {KEY(TxtHintRect), u8"加入长方形", u8"Add a rectangle", u8"加入長方形"},
    {KEY(TxtHintPicSize), u8"设置图片宽度和高度", u8"Set image width and height",
     u8"設置圖片寬度和高度"},
    {KEY(TxtHintUndo), u8"向前回复", u8"forward reply", u8"向前回復"},
    {KEY(TxtHintRedo), u8"向后恢复", u8"backward recovery", u8"向後恢復"},
    {KEY(TxtHintZoomIn), u8"放大图片", u8"Enlarge Image", u8"放大圖片"},
    {KEY(TxtHintZoomOut), u8"缩小图片", u8"zoom out", u8"縮小圖片"},
    {KEY(TxtHintActualSize), u8"图片恢复到实际大小", u8"image back to the actual size",
     u8"圖片恢復到實際大小"},
    {KEY(TxtHintBestFit), u8"图片最佳合适", u8"image the best fit", u8"圖片最佳合適"},
    {KEY(TxtAreaCutHint), u8"按住左键不放选择截图区域", u8"Drag left mouse",
     u8"按住左键不放选择截图区域"},
    {KEY(TxtMenuAddWatermark), u8"加入水印", u8"Join Watermark", u8"加入水印"},
    {KEY(TxtMenuWatermarkSet), u8"水印设置", u8"Watermark Settings", u8"水印设置"},
    {KEY(TxtMenuSaveAs), u8"图片另存为", u8"Save Picture as", u8"图片另存为"},
    {KEY(TxtMenuDelete), u8"删除图片", u8"Delete Image", u8"删除图片"},
    {KEY(TxtMenuOpen), u8"打开图片", u8"Open Image", u8"打开图片"},
    {KEY(TxtMenuRename), u8"重命名图片", u8"Rename", u8"重命名图片"},
    {KEY(TxtMenuOpenInPaint), u8"在『画图』中打开", u8R"(Open with "Paint")", u8"在『画图』中打开"},
    {KEY(TxtMenuFullScreenView), u8"图片全屏显示", u8"Full Screen Display", u8"图片全屏显示"},
    {KEY(TxtMenuToClipboard), u8"保存到剪贴板", u8"Save To Clipboard", u8"保存到剪贴板"},
    {KEY(TxtMenuAutoSaveFile), u8"自动保存到文件", u8"auto-save to a file", u8"自动保存到文件"},
    {KEY(TxtMenuContinueCut), u8"连续可控式截图", u8"Continuous Shot", u8"连续可控式截图"},
    {KEY(TxtMenuHotkeySet), u8"热键设置", u8"Hot Key Settings", u8"热键设置"},
    {KEY(TxtWmType), u8"水印类型", u8"Coordinate", u8"水印類型"},
    {KEY(TxtWmTypeChoices), u8"文字水印,图片水印,无水印", u8"Text,Image,None",
     u8"文字水印,圖片水印,無水印"},
    {KEY(TxtWmPosition), u8"水印位置", u8"Position", u8"水印位置"},
    {KEY(TxtWmReverse), u8"反向坐标", u8"Reverse", u8"反向坐標"},
    {KEY(TxtWmPreview), u8"图片预览", u8"Picture Preview", u8"圖片預覽"},
    {KEY(TxtWmTransparency), u8"透明度", u8"Transparent", u8"透明度"},
    {KEY(TxtWmText), u8"水印文字", u8"Text", u8"水印文字"},
    {KEY(TxtEscHint), u8"按下『Esc』可退出全屏模式", u8"Press [Esc] to exit full screen mode",
     u8"按下『Esc』可退出全屏模式"},
    {KEY(TxtListSaveAs), u8"图片另存为", u8"Save Picture As", u8"圖片另存為"},
    {KEY(TxtListOpenInPaint), u8R"(在"画图"中打开)", u8R"(in the "Paint" to open)",
     u8R"(在"畫圖"中打開)"},
    {KEY(TxtListDelete), u8"删除图片", u8"Delete Image", u8"刪除圖片"},
    {KEY(TxtListRename), u8"重命名图片", u8"Rename", u8"重命名圖片"},
    {KEY(TxtListClear), u8"清空图片", u8"Clear picture", u8"清空圖片"},
    {KEY(TxtTextAdd), u8"加入文本", u8"added the text", u8"加入文本"},
    {KEY(TxtTextFont), u8"字体设置", u8"font", u8"字體設置"},
    {KEY(TxtTextBackground), u8"背景设置", u8"background set", u8"背景設置"},
    {KEY(TxtTextReturn), u8"返回", u8"return", u8"返回"},
    {KEY(TxtTextConfirm), u8"确认加入文本", u8"to confirm the text", u8"確認加入文本"},
    {KEY(TxtTextCancel), u8"取消加入文本", u8"Cancel join text", u8"取消加入文本"},
    {KEY(TxtTextSave), u8"保存加入文本", u8"Save to join text", u8"保存加入文本"},
    {KEY(TxtHkConflict), u8"此快捷鍵沖突，請修改", u8"Chortcut key conflict", nullptr},
    {KEY(TxtHkFullScreen), u8"全屏幕截圖", u8"full screen shot", nullptr},
    {KEY(TxtHkWindow), u8"窗體截圖", u8"Form Download", nullptr},
    {KEY(TxtHkClient), u8"客戶端截圖", u8"client capture", nullptr},
    {KEY(TxtHkArea), u8"局部區域截圖", u8"local area shots", nullptr},
    {KEY(TxtHkStop), u8"退出", u8"Exit", nullptr},
    {KEY(TxtHkTitle), u8"热键设置", u8"Hotkey Settings", nullptr},
    {KEY(UrlHome), u8"https://www.qelsoft.example/gb/", u8"https://www.qelsoft.example/en/",
     u8"https://www.qelsoft.example/big/"},
    {KEY(UrlDemo), u8"https://www.qelsoft.example/demo/gb/",
     u8"https://www.qelsoft.example/demo/en/", u8"https://www.qelsoft.example/demo/big/"},
    {KEY(UrlUpdate), u8"https://www.qelsoft.example/update/gb/", nullptr, nullptr},
};
// The desktop's messages; "%d" takes a count, "%s" a text.
const TextEntry kDesktopTable[] = {
    {KEY(TxtMovedToTrash), u8"已将%d张图片移到回收站", u8"%d picture(s) moved to the trash",
     u8"已將%d張圖片移到資源回收筒"},
    {KEY(TxtDeletedAtOnce), u8"%d张图片无法移到回收站，已直接删除",
     u8"%d picture(s) could not go to the trash and were deleted",
     u8"%d張圖片無法移到資源回收筒，已直接刪除"},
    {KEY(TxtFailureReason), u8"%s\n原因：%s", u8"%s\nReason: %s", u8"%s\n原因：%s"},
    {KEY(TxtReasonNoPermission), u8"没有写入此文件夹的权限",
     u8"no permission to write into the folder", u8"沒有寫入此文件夾的權限"},
    {KEY(TxtReasonReadOnly), u8"磁盘是只读的", u8"the disk is read-only", u8"磁盤是唯讀的"},
    {KEY(TxtReasonDiskFull), u8"磁盘已满", u8"the disk is full", u8"磁盤已滿"},
    {KEY(TxtReasonTooLarge), u8"文件超过了允许的大小", u8"the file is larger than allowed",
     u8"文件超過了允許的大小"},
    {KEY(TxtReasonFolderGone), u8"文件夹不存在", u8"the folder does not exist", u8"文件夾不存在"},
    {KEY(TxtNoProgram), u8"没有可以启动的程序来打开：%s",
     u8"No program could be started to open %s", u8"沒有可以啟動的程式來打開：%s"},
    {KEY(TxtNoDisplay), u8"找不到X显示（DISPLAY=%s），程序无法启动",
     u8"No X display found (DISPLAY=%s); the program cannot start",
     u8"找不到X顯示（DISPLAY=%s），程式無法啟動"},
};

#undef KEY

// Counts the members of an aggregate: the most initialisers it takes.
struct AnyMember {
    template <class T> operator T() const;
};
template <class T, class... Given> constexpr std::size_t MemberCount(Given... given) {
    if constexpr (requires { T{given..., AnyMember{}}; })
        return MemberCount<T>(given..., AnyMember{});
    else
        return sizeof...(Given);
}

// Every text member has its row: the language, the font name and the character set are
// the only members the rows do not fill.
static_assert(MemberCount<InterfaceTexts>() == 3 + std::size(kGeneralTable) +
                                                   std::size(kMainWindowTable) +
                                                   std::size(kDesktopTable));

template <std::size_t N>
void Fill(InterfaceTexts& table, const TextEntry (&rows)[N], int language) {
    for (const TextEntry& e : rows) {
        const char8_t* text = language == TraditionalChinese ? e.traditional
                              : language == English          ? e.english
                                                             : e.simplified;
        if (text) table.*e.key.member = QString::fromUtf8(text);
    }
}

template <std::size_t N> void AddKeys(QList<TextKey>& keys, const TextEntry (&table)[N]) {
    for (const TextEntry& e : table)
        keys << e.key;
}

} // namespace

InterfaceTexts TextsFor(int language) {
    InterfaceTexts table;
    const bool known = language == TraditionalChinese || language == English;
    table.UiLanguage = known ? language : SimplifiedChinese;
    // The interface font is named for Simplified Chinese only; the other languages leave it
    // to the toolkit.
    if (table.UiLanguage == SimplifiedChinese) {
        table.UiFontName = QString::fromUtf8(u8"宋体");
        table.UiCharset = 134;
    }
    Fill(table, kGeneralTable, table.UiLanguage);
    Fill(table, kMainWindowTable, table.UiLanguage);
    Fill(table, kDesktopTable, table.UiLanguage);
    return table;
}

const InterfaceTexts& Texts() {
    static const InterfaceTexts table = TextsFor(InterfaceLanguage);
    return table;
}

const QList<TextKey>& TextKeys() {
    static const QList<TextKey> keys = [] {
        QList<TextKey> all;
        AddKeys(all, kGeneralTable);
        AddKeys(all, kMainWindowTable);
        AddKeys(all, kDesktopTable);
        return all;
    }();
    return keys;
}

QString InterfaceTexts::MainCaption() const {
    return QString::asprintf("%s%1.1f ", ProductTitle.toUtf8().constData(), ProgramVersion);
}

} // namespace texts
