#include "common/text_tables.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace texts;

namespace {

void UseLanguage(int language) {
    ClearTexts();
    InitGeneralTexts(language);
    InitMainWindowTexts(language);
}

} // namespace

TEST(TextTables, SelectLanguageShowsSimplifiedChineseWithItsFont) {
    ClearTexts();
    SelectLanguage();
    EXPECT_EQ(UiLanguage, 0);
    EXPECT_EQ(UiFontName, QString::fromUtf8(u8"宋体"));
    EXPECT_EQ(UiCharset, 134);
    EXPECT_EQ(MainCaption(), QString::fromUtf8(u8"QEL屏幕截图助手3.3 "));
    EXPECT_EQ(TxtEscHint, QString::fromUtf8(u8"按下『Esc』可退出全屏模式"));
    EXPECT_EQ(TxtVersionLabel, QString::fromUtf8(u8"版本号："));
    // The hotkey dialog's Simplified Chinese texts are written in Traditional characters.
    EXPECT_EQ(TxtHkConflict, QString::fromUtf8(u8"此快捷鍵沖突，請修改"));
    EXPECT_EQ(TxtHkWindow, QString::fromUtf8(u8"窗體截圖"));
    EXPECT_EQ(TxtHkTitle, QString::fromUtf8(u8"热键设置"));
    EXPECT_EQ(TxtListOpenInPaint, QString::fromUtf8(u8"在\"画图\"中打开"));
    const QStringList choices = TxtWmTypeChoices.split(',');
    ASSERT_EQ(choices.size(), 3);
    EXPECT_EQ(choices[2], QString::fromUtf8(u8"无水印"));
    // Vendor addresses are set for the Simplified Chinese edition.
    EXPECT_TRUE(UrlUpdate.startsWith("https://"));
    EXPECT_TRUE(UrlPromo.endsWith("/jz/"));
    EXPECT_FALSE(TxtAuthorLine.isEmpty());
}

TEST(TextTables, EnglishKeepsBlanksAndLeavesUnassignedKeysEmpty) {
    UseLanguage(2);
    EXPECT_EQ(ProductTitle, "QEL Screenshots ");
    EXPECT_EQ(MainCaption(), "QEL Screenshots 3.3 ");
    EXPECT_EQ(TxtSelectOnePicture, "Please select a picture in the list of an image. ");
    EXPECT_EQ(TxtMenuOpenInPaint, "Open with \"Paint\"");
    EXPECT_EQ(TxtDiskMissing, "Not exist disk:%s ,please reselect a path.");
    EXPECT_EQ(TxtAreaCutHint, "Drag left mouse");
    EXPECT_TRUE(TxtVersionLabel.isEmpty());
    EXPECT_TRUE(UrlUpdate.isEmpty());
    EXPECT_TRUE(UrlPromo.isEmpty());
    EXPECT_FALSE(UrlHome.isEmpty());
    SelectLanguage();
}

TEST(TextTables, TraditionalChineseTableAndItsGaps) {
    UseLanguage(1);
    EXPECT_EQ(ProductTitle, QString::fromUtf8(u8"QEL屏幕截圖助手"));
    EXPECT_EQ(TxtSavedTo, QString::fromUtf8(u8"自動保存為：%s"));
    // "same" entries hold the Simplified Chinese text.
    EXPECT_EQ(TxtAreaCutHint, QString::fromUtf8(u8"按住左键不放选择截图区域"));
    EXPECT_EQ(TxtMenuOpenInPaint, QString::fromUtf8(u8"在『画图』中打开"));
    // The capture toolbar's list caption and all seven hotkey dialog texts are empty.
    EXPECT_TRUE(TxtImageList.isEmpty());
    for (const QString* t : {&TxtHkConflict, &TxtHkFullScreen, &TxtHkWindow, &TxtHkClient,
                             &TxtHkArea, &TxtHkStop, &TxtHkTitle})
        EXPECT_TRUE(t->isEmpty());
    EXPECT_TRUE(UrlHome.endsWith("/big/"));
    EXPECT_TRUE(UrlDemo.contains("/demo/"));
    // Any value other than 1 and 2 selects Simplified Chinese.
    UseLanguage(7);
    EXPECT_EQ(TxtAbout, QString::fromUtf8(u8"关于"));
    SelectLanguage();
}
