#include "platform/clipboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QMimeData>

#include <future>

namespace {

// PNG at a low deflate level: a pasted capture is read once and thrown away, so speed
// counts more than size.
QByteArray FastPng(const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setQuality(85); // the toolkit maps this to deflate level 1
    if (!writer.write(image)) png.clear();
    return png;
}

// A picture on the clipboard. Other programs mostly ask for it as PNG (a clipboard manager
// does so at once); the toolkit would encode it then, on this thread, which stalls the
// window for a quarter of a second at 4K. The PNG is made at once on another thread
// instead, and a request that comes first waits only for the rest of that work.
class PictureMimeData : public QMimeData {
  public:
    explicit PictureMimeData(const QImage& image)
        : png_(std::async(std::launch::async, FastPng, image).share()) {
        setImageData(image);
    }

  protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override {
        if (mimeType == QLatin1String("image/png")) {
            const QByteArray png = png_.get();
            if (!png.isEmpty()) return png;
        }
        return QMimeData::retrieveData(mimeType, type);
    }

  private:
    std::shared_future<QByteArray> png_;
};

} // namespace

void PutImageOnClipboard(const QImage& image) {
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setMimeData(new PictureMimeData(image));
}
