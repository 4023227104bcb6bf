#include "common/text_tables.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>

#include <string>

using namespace texts;

namespace {

const int kLanguages[] = {SimplifiedChinese, TraditionalChinese, English};

// Sorted and joined, for readable comparisons.
std::string Names(const QSet<QString>& names) {
    QStringList sorted(names.begin(), names.end());
    sorted.sort();
    return sorted.join(' ').toStdString();
}

// The names of the keys a table leaves empty.
std::string EmptyKeys(const InterfaceTexts& table) {
    QSet<QString> empty;
    for (const TextKey& key : TextKeys())
        if ((table.*key.member).isEmpty()) empty << QString::fromLatin1(key.name);
    return Names(empty);
}

// The printf conversions of a text in their order ("%s %d ...").
std::string Conversions(const QString& text) {
    static const QRegularExpression conversion("%[-0-9.]*[a-zA-Z]");
    QStringList found;
    for (const QRegularExpressionMatch& m : conversion.globalMatch(text))
        found << m.captured();
    return found.join(' ').toStdString();
}

} // namespace

TEST(TextTables, InterfaceShowsSimplifiedChineseWithItsFont) {
    const InterfaceTexts& shown = Texts();
    // One table for the whole run, whatever other tables are built meanwhile.
    const InterfaceTexts english = TextsFor(English);
    EXPECT_EQ(&Texts(), &shown);
    EXPECT_TRUE(shown == TextsFor(SimplifiedChinese));
    EXPECT_FALSE(shown == english);

    EXPECT_EQ(shown.UiLanguage, SimplifiedChinese);
    EXPECT_EQ(shown.UiFontName, QString::fromUtf8(u8"宋体"));
    EXPECT_EQ(shown.UiCharset, 134);
    EXPECT_EQ(shown.MainCaption(), QString::fromUtf8(u8"QEL屏幕截图助手3.3 "));
    EXPECT_EQ(shown.TxtEscHint, QString::fromUtf8(u8"按下『Esc』可退出全屏模式"));
    EXPECT_EQ(shown.TxtVersionLabel, QString::fromUtf8(u8"版本号："));
    // The hotkey dialog's Simplified Chinese texts are written in Traditional characters.
    EXPECT_EQ(shown.TxtHkConflict, QString::fromUtf8(u8"此快捷鍵沖突，請修改"));
    EXPECT_EQ(shown.TxtHkWindow, QString::fromUtf8(u8"窗體截圖"));
    EXPECT_EQ(shown.TxtHkTitle, QString::fromUtf8(u8"热键设置"));
    EXPECT_EQ(shown.TxtListOpenInPaint, QString::fromUtf8(u8"在\"画图\"中打开"));
    EXPECT_EQ(shown.TxtFailureReason, QString::fromUtf8(u8"%s\n原因：%s"));
    const QStringList choices = shown.TxtWmTypeChoices.split(',');
    ASSERT_EQ(choices.size(), 3);
    EXPECT_EQ(choices[2], QString::fromUtf8(u8"无水印"));
    // Vendor addresses are set for the Simplified Chinese edition.
    EXPECT_TRUE(shown.UrlUpdate.startsWith("https://"));
    EXPECT_TRUE(shown.UrlPromo.endsWith("/jz/"));
    EXPECT_FALSE(shown.TxtAuthorLine.isEmpty());
}

TEST(TextTables, EachLanguageFillsEveryKeyItAssigns) {
    // Every key has one row of its own.
    QSet<QString> names;
    for (const TextKey& key : TextKeys()) {
        EXPECT_FALSE(names.contains(key.name)) << key.name;
        names << QString::fromLatin1(key.name);
    }

    const QSet<QString> vendorOnly = {"TxtVersionLabel", "UrlPromo", "TxtAuthorLine",
                                      "TxtHomePageLine", "UrlUpdate"};
    EXPECT_EQ(EmptyKeys(TextsFor(SimplifiedChinese)), "");
    EXPECT_EQ(EmptyKeys(TextsFor(English)), Names(vendorOnly));
    // Traditional Chinese also lacks the capture toolbar's list caption and all seven texts
    // of the hotkey dialog.
    const QSet<QString> traditionalGaps = {"TxtImageList", "TxtHkConflict", "TxtHkFullScreen",
                                           "TxtHkWindow",  "TxtHkClient",   "TxtHkArea",
                                           "TxtHkStop",    "TxtHkTitle"};
    EXPECT_EQ(EmptyKeys(TextsFor(TraditionalChinese)), Names(vendorOnly + traditionalGaps));

    for (int language : kLanguages)
        EXPECT_EQ(TextsFor(language).UiLanguage, language);
    // Any value other than 1 and 2 gives the Simplified Chinese table.
    for (int other : {-1, 3, 7})
        EXPECT_TRUE(TextsFor(other) == TextsFor(SimplifiedChinese)) << other;
}

TEST(TextTables, TranslationsKeepEveryPlaceholderInItsOrder) {
    const InterfaceTexts simplified = TextsFor(SimplifiedChinese);
    for (int language : {TraditionalChinese, English}) {
        const InterfaceTexts table = TextsFor(language);
        for (const TextKey& key : TextKeys()) {
            const QString& text = table.*key.member;
            if (text.isEmpty()) continue;
            EXPECT_EQ(Conversions(text), Conversions(simplified.*key.member))
                << key.name << " in language " << language;
        }
    }
    EXPECT_EQ(Conversions(simplified.TxtPictureInfo), "%d %d %d %d");
}

TEST(TextTables, EnglishAndTraditionalChineseDifferWhereTheyTranslate) {
    const InterfaceTexts simplified = TextsFor(SimplifiedChinese);
    const InterfaceTexts traditional = TextsFor(TraditionalChinese);
    const InterfaceTexts english = TextsFor(English);

    // English translates every key it assigns, the addresses included.
    for (const TextKey& key : TextKeys()) {
        const QString& text = english.*key.member;
        if (text.isEmpty()) continue;
        EXPECT_NE(text, simplified.*key.member) << key.name;
        EXPECT_NE(text, traditional.*key.member) << key.name;
    }
    EXPECT_EQ(english.ProductTitle, "QEL Screenshots ");
    EXPECT_EQ(english.MainCaption(), "QEL Screenshots 3.3 ");
    EXPECT_EQ(english.TxtSelectOnePicture, "Please select a picture in the list of an image. ");
    EXPECT_EQ(english.TxtMenuOpenInPaint, "Open with \"Paint\"");
    EXPECT_EQ(english.TxtDiskMissing, "Not exist disk:%s ,please reselect a path.");
    EXPECT_EQ(english.TxtAreaCutHint, "Drag left mouse");
    EXPECT_TRUE(english.UrlHome.endsWith("/en/"));

    // The area hint and the main window's menu items show the Simplified Chinese text in the
    // Traditional Chinese table.
    QSet<QString> simplifiedText = {"TxtAreaCutHint"};
    for (const TextKey& key : TextKeys())
        if (QByteArray(key.name).startsWith("TxtMenu")) simplifiedText << key.name;
    EXPECT_EQ(simplifiedText.size(), 13);
    for (const TextKey& key : TextKeys()) {
        if (!simplifiedText.contains(key.name)) continue;
        EXPECT_EQ(traditional.*key.member, simplified.*key.member) << key.name;
    }

    // Every other Traditional Chinese text is free of the Simplified characters that the
    // tables themselves translate (the characters that differ between two texts of the same
    // length).
    QSet<QChar> translated;
    for (const TextKey& key : TextKeys()) {
        const QString& from = simplified.*key.member;
        const QString& to = traditional.*key.member;
        if (from.size() != to.size()) continue;
        for (qsizetype i = 0; i < from.size(); ++i)
            if (from[i] != to[i]) translated << from[i];
    }
    EXPECT_GT(translated.size(), 40);
    for (const TextKey& key : TextKeys()) {
        if (simplifiedText.contains(key.name)) continue;
        const QString& text = traditional.*key.member;
        for (QChar c : text)
            EXPECT_FALSE(translated.contains(c)) << key.name << ": " << text.toStdString();
    }
    EXPECT_EQ(traditional.ProductTitle, QString::fromUtf8(u8"QEL屏幕截圖助手"));
    EXPECT_EQ(traditional.TxtSavedTo, QString::fromUtf8(u8"自動保存為：%s"));
    EXPECT_EQ(traditional.TxtMenuOpenInPaint, QString::fromUtf8(u8"在『画图』中打开"));
    EXPECT_TRUE(traditional.UrlHome.endsWith("/big/"));
    EXPECT_TRUE(traditional.UrlDemo.contains("/demo/"));
}
