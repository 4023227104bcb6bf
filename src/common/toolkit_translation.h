// The toolkit's own texts (the buttons of message boxes, the open, save, font and colour
// dialogs) in the interface language, from the toolkit's translation catalogues.
#pragma once

#include <QString>

#include <memory>

class QTranslator;

// The catalogue its owner installed into the application, there while the owner lives (the
// program's context holds one for the whole run; each test window's context its own).
class ToolkitTranslation {
  public:
    ToolkitTranslation();
    ~ToolkitTranslation();
    ToolkitTranslation(const ToolkitTranslation&) = delete;
    ToolkitTranslation& operator=(const ToolkitTranslation&) = delete;

    // Installs the catalogue of `language` (0 Simplified Chinese, 1 Traditional Chinese,
    // 2 English) into the application, replacing the one this owner installed before.
    // False when the catalogue is not installed on the system (or there is no
    // application); the toolkit then stays as it was.
    bool install(int language);

  private:
    std::unique_ptr<QTranslator> translator_;
};

// The base name of the toolkit's catalogue for `language` ("qtbase_zh_CN", ...).
QString ToolkitCatalogue(int language);
