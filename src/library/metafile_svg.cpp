// Rendering the SVG that the metafile converters produce onto a white bitmap.
#include "library/codec_support.h"

#include <QGuiApplication>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>

namespace {

// Every link in the document points into it ("#id") or carries its data ("data:"): a
// metafile must not make the renderer read other files.
bool OnlyInternalReferences(const QByteArray& svg) {
    static const QRegularExpression kHref(QStringLiteral("href\\s*=\\s*[\"']([^\"']*)"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QString text = QString::fromUtf8(svg);
    for (auto it = kHref.globalMatch(text); it.hasNext();) {
        const QString target = it.next().captured(1).trimmed();
        if (!target.startsWith(u'#') && !target.startsWith(QLatin1String("data:"))) return false;
    }
    return true;
}

} // namespace

bool RenderSvgOnWhite(const QByteArray& svg, QSize size, const QRectF& viewBox, QImage& out) {
    // Text in the drawing needs the font database, which needs the GUI application.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
    if (!MetafilePixelCountAllowed(size.width(), size.height()) || !viewBox.isValid()) return false;
    if (!OnlyInternalReferences(svg)) return false;
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) return false;
    renderer.setViewBox(viewBox);
    QImage bitmap(size, QImage::Format_RGB32);
    if (bitmap.isNull()) return false;
    bitmap.fill(Qt::white);
    QPainter painter(&bitmap);
    renderer.render(&painter);
    painter.end();
    out = std::move(bitmap);
    return true;
}
