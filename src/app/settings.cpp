#include "app/settings.h"

#include "common/profile_file.h"

namespace {

const QString kDefault = QStringLiteral("default");
const QString kFont = QStringLiteral("font");
const QString kHotkey = QStringLiteral("hotkey");

QString HotkeyKey(int id, int column) {
    return QString::asprintf("hotkey%d_%d", id, column);
}

} // namespace

SettingsValues DefaultSettings(const ProgramPlaces& places) {
    SettingsValues v;
    v.picPath = places.besideProgram ? places.programFolder + QString::fromUtf8(u8"截图")
                                     : places.pictureFolder;
    v.picName = QStringLiteral("PIC");
    v.font.name = QString::fromUtf8(u8"宋体");
    v.hotkeys = DefaultHotkeys();
    return v;
}

void ReadSettings(const ProfileFile& f, const ProgramPlaces& places, SettingsValues& v) {
    const SettingsValues d = DefaultSettings(places);

    v.picPath = f.readString(kDefault, "PicPath", d.picPath).trimmed();
    v.picName = f.readString(kDefault, "PicName", d.picName);

    WatermarkSettings& w = v.watermark;
    w.text = f.readString(kDefault, "WatermarkText", d.watermark.text);
    w.imgPath = f.readString(kDefault, "WatermarkImgPath", d.watermark.imgPath);
    w.transparent = f.readInteger(kDefault, "WaterMarkTransparent", d.watermark.transparent);
    w.type = f.readInteger(kDefault, "WatermarkType", d.watermark.type);
    w.reverse = f.readBool(kDefault, "CbMarkContrst", d.watermark.reverse);
    w.markX = f.readInteger(kDefault, "MarkX", d.watermark.markX);
    w.markY = f.readInteger(kDefault, "MarkY", d.watermark.markY);

    v.picFormat = f.readInteger(kDefault, "PicFormat", d.picFormat);
    v.autoSaveToCB = f.readBool(kDefault, "autoSaveToCB", d.autoSaveToCB);
    v.needLoadLeftMess = f.readBool(kDefault, "needLoadLeftMess", d.needLoadLeftMess);
    v.continueCut = f.readBool(kDefault, "ContinueCut", d.continueCut);
    v.autoSaveToPath = f.readBool(kDefault, "autoSaveToPath", v.autoSaveToPath);
    v.autoSavePre = f.readString(kDefault, "AutoSavePre", d.autoSavePre);

    AnnotationFontSettings& font = v.font;
    font.size = f.readInteger(kFont, "FontSize", d.font.size);
    font.charset = f.readInteger(kFont, "FontCharset", d.font.charset) & 0xFF;
    font.color = f.readInteger(kFont, "FontColor", d.font.color);
    font.name = f.readString(kFont, "FontName", d.font.name);
    font.bold = f.readBool(kFont, "FontBold", d.font.bold);
    font.italic = f.readBool(kFont, "FontItalic", d.font.italic);
    font.underline = f.readBool(kFont, "FontUnderline", d.font.underline);
    font.strikeOut = f.readBool(kFont, "FontStrikeOut", d.font.strikeOut);

    v.curPicName = f.readString(kDefault, "CurPicName", d.curPicName);

    if (!f.existedAtOpen()) {
        v.hotkeys = DefaultHotkeys();
        return;
    }
    for (int id = 1; id <= 5; ++id)
        for (int column = 1; column <= 3; ++column)
            v.hotkeys[id - 1][column - 1] = f.readString(kHotkey, HotkeyKey(id, column), "");
}

void WriteSettings(ProfileFile& f, const SettingsValues& v) {
    const WatermarkSettings& w = v.watermark;
    f.writeString(kDefault, "PicPath", v.picPath);
    f.writeString(kDefault, "PicName", v.picName);
    f.writeString(kDefault, "WatermarkText", w.text);
    f.writeString(kDefault, "WatermarkImgPath", w.imgPath);
    f.writeInteger(kDefault, "WaterMarkTransparent", w.transparent);
    f.writeInteger(kDefault, "WatermarkType", w.type);
    f.writeBool(kDefault, "CbMarkContrst", w.reverse);
    f.writeInteger(kDefault, "MarkX", w.markX);
    f.writeInteger(kDefault, "MarkY", w.markY);
    f.writeInteger(kDefault, "PicFormat", v.picFormat);
    f.writeBool(kDefault, "autoSaveToCB", v.autoSaveToCB);
    f.writeBool(kDefault, "autoSaveToPath", v.autoSaveToPath);
    f.writeBool(kDefault, "needLoadLeftMess", v.needLoadLeftMess);
    f.writeBool(kDefault, "ContinueCut", v.continueCut);
    f.writeString(kDefault, "AutoSavePre", v.autoSavePre.trimmed());

    f.writeInteger(kFont, "FontSize", v.font.size);
    f.writeInteger(kFont, "FontCharset", v.font.charset);
    f.writeInteger(kFont, "FontColor", v.font.color);
    f.writeString(kFont, "FontName", v.font.name);

    f.writeString(kDefault, "CurPicName", v.curPicName);

    f.writeBool(kFont, "FontBold", v.font.bold);
    f.writeBool(kFont, "FontItalic", v.font.italic);
    f.writeBool(kFont, "FontUnderLine", v.font.underline);
    f.writeBool(kFont, "FontStrikeOut", v.font.strikeOut);

    for (int id = 1; id <= 5; ++id)
        for (int column = 1; column <= 3; ++column)
            f.writeString(kHotkey, HotkeyKey(id, column), v.hotkeys[id - 1][column - 1]);
}
