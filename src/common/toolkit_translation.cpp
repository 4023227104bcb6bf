#include "common/toolkit_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// The toolkit's catalogue without the font database's style names: the font dialog finds
// the style of the font it is given by that name among the style names of the fonts
// themselves, which stay untranslated, so a translated "Bold Italic" would open it on
// another style (and OK would then drop the bold).
class ToolkitTranslator : public QTranslator {
  public:
    using QTranslator::QTranslator;
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override {
        if (qstrcmp(context, "QFontDatabase") == 0) return QString();
        return QTranslator::translate(context, sourceText, disambiguation, n);
    }
};

} // namespace

QString ToolkitCatalogue(int language) {
    switch (language) {
    case 1:
        return QStringLiteral("qtbase_zh_TW");
    case 2:
        return QStringLiteral("qtbase_en");
    default:
        return QStringLiteral("qtbase_zh_CN");
    }
}

ToolkitTranslation::ToolkitTranslation() = default;

// A translator leaves the application's list when it is destroyed.
ToolkitTranslation::~ToolkitTranslation() = default;

bool ToolkitTranslation::install(int language) {
    if (!QCoreApplication::instance()) return false;
    auto translator = std::make_unique<ToolkitTranslator>();
    if (!translator->load(ToolkitCatalogue(language),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    if (translator_) QCoreApplication::removeTranslator(translator_.get());
    translator_ = std::move(translator);
    // The English catalogue is empty (the toolkit's own texts are English); the toolkit
    // reports that as a failure, yet takes it.
    QCoreApplication::installTranslator(translator_.get());
    return true;
}
