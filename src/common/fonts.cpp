#include "common/fonts.h"

#include <QFont>
#include <QStringList>

const char* CjkFontFamily() {
    return "WenQuanYi Micro Hei";
}

void InstallFontSubstitutions() {
    const QString cjk = QString::fromLatin1(CjkFontFamily());
    for (const char8_t* name : {u8"宋体", u8"SimSun", u8"新宋体", u8"NSimSun", u8"黑体", u8"SimHei",
                                u8"微软雅黑", u8"Microsoft YaHei"})
        QFont::insertSubstitutions(QString::fromUtf8(name), {cjk, "DejaVu Sans"});
    QFont::insertSubstitutions("Arial", {"Liberation Sans", cjk});
    QFont::insertSubstitutions("Tahoma", {"DejaVu Sans", cjk});
    QFont::insertSubstitutions("Courier New", {"Liberation Mono", cjk});
    QFont::insertSubstitutions("Times New Roman", {"Liberation Serif", cjk});
}
