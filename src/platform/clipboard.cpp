#include "platform/clipboard.h"

#include "platform/background_png.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

namespace {

// A picture on the clipboard. Other programs mostly ask for it as PNG (a clipboard manager
// does so at once, and again when this program ends); the toolkit would encode it then, on
// this thread, which stalls the window for a quarter of a second at 4K. The PNG is made at
// once on another thread instead, and a request that comes first waits only for the rest of
// that work. When the program ends, the toolkit hands the clipboard to a running clipboard
// manager before it deletes this object, so the manager still gets the finished PNG; the
// deletion then stops any unfinished encoding at once. (The toolkit sends that PNG in one
// piece, so one larger than the server's largest request, 16 MB on Xorg, stays behind.)
class PictureMimeData : public QMimeData {
  public:
    explicit PictureMimeData(const QImage& image) : png_(image) { setImageData(image); }

  protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override {
        if (mimeType == QLatin1String("image/png")) {
            const QByteArray& png = png_.result();
            if (!png.isEmpty()) return png;
        }
        return QMimeData::retrieveData(mimeType, type);
    }

  private:
    BackgroundPng png_;
};

} // namespace

void PutImageOnClipboard(const QImage& image) {
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setMimeData(new PictureMimeData(image));
}
