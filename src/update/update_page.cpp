#include "update/update_page.h"

#include "common/text_tables.h"

#include <QLocale>

#include <cmath>
#include <limits>

QString LowerAscii(const QString& text) {
    QString lower = text;
    for (QChar& c : lower)
        if (c >= u'A' && c <= u'Z') c = QChar(c.unicode() + (u'a' - u'A'));
    return lower;
}

QString BodyOfPage(const QString& html) {
    const qsizetype start = html.indexOf(QLatin1String("<body"), 0, Qt::CaseInsensitive);
    if (start < 0) return html;
    const QLatin1String close("</body>");
    const qsizetype end = html.indexOf(close, start, Qt::CaseInsensitive);
    return end < 0 ? html.mid(start) : html.mid(start, end + close.size() - start);
}

bool IsVendorPage(const QString& pageText) {
    return pageText.contains(LowerAscii(QString::fromLatin1(UpdatePageMarker)));
}

namespace {

// The text between the first opening tag and the first closing tag; empty when either is
// missing or the closing tag comes first.
QString Between(const QString& text, QLatin1String open, QLatin1String close) {
    const qsizetype openAt = text.indexOf(open);
    const qsizetype closeAt = text.indexOf(close);
    if (openAt < 0 || closeAt < 0) return {};
    const qsizetype start = openAt + open.size();
    return closeAt > start ? text.mid(start, closeAt - start) : QString();
}

} // namespace

void ParseUpdatePage(const QString& pageText, float& publishedVersion, QString& downloadAddress) {
    const QString number =
        Between(pageText, QLatin1String("softversion_"), QLatin1String("_softversion"));
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = c.toDouble(number, &ok);
    if (ok && std::isfinite(value) && std::fabs(value) <= std::numeric_limits<float>::max())
        publishedVersion = static_cast<float>(value);
    downloadAddress = Between(pageText, QLatin1String("softurl_"), QLatin1String("_softurl"));
}

bool IsNewerThanProgram(float publishedVersion) {
    // Compared in extended precision, as the version has always been: 3.31f lies just
    // under 3.3 + 0.01.
    return static_cast<long double>(publishedVersion) -
               static_cast<long double>(texts::ProgramVersion) >
           0.01L;
}

QUrl SafeDownloadUrl(const QString& downloadAddress, const QUrl& pageUrl) {
    const QUrl address(downloadAddress.trimmed(), QUrl::StrictMode);
    if (downloadAddress.trimmed().isEmpty() || !address.isValid()) return {};
    if (address.scheme() == QLatin1String("https"))
        return address.host().isEmpty() ? QUrl() : address;
    if (!address.scheme().isEmpty() || pageUrl.scheme() != QLatin1String("https") ||
        pageUrl.host().isEmpty())
        return {};
    const QUrl resolved = pageUrl.resolved(address);
    return resolved.scheme() == QLatin1String("https") && !resolved.host().isEmpty() ? resolved
                                                                                     : QUrl();
}
