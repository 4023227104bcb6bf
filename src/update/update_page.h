// The vendor's update page: recognising it, reading the published version and the download
// address out of its text, and deciding whether the version is newer and the address safe.
#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

// The text every genuine update page carries in its body (compared in lower case).
inline constexpr char UpdatePageMarker[] =
    "QELSoft-Update-Page:QEL-Screen-Capture-Assistant:Edition-GB:Vendor-QELSoft-3";
static_assert(sizeof(UpdatePageMarker) - 1 == 76);

// Lower case for the letters A to Z only; every other character stays as it is.
QString LowerAscii(const QString& text);

// The body element of an HTML document, from "<body" to the end of "</body>"; a document
// without a body tag is all body. Empty for an empty document.
QString BodyOfPage(const QString& html);

// Whether the lower-cased page text carries the marker.
bool IsVendorPage(const QString& pageText);

// Reads "softversion_" number "_softversion" and "softurl_" address "_softurl" out of the
// lower-cased page text. A missing or unreadable number leaves publishedVersion as it was;
// a missing address tag empties downloadAddress.
void ParseUpdatePage(const QString& pageText, float& publishedVersion, QString& downloadAddress);

// Whether the published version is newer than the program's: more than 0.01 above it,
// taken from the 32-bit value (so 3.31 is not newer than 3.3, 3.32 is).
bool IsNewerThanProgram(float publishedVersion);

// The address the updater may be fetched from: an absolute https address, or a relative
// one when the page itself came over https (it then resolves to the page's host). Anything
// else, plain http included, gives an empty address: such a file could be swapped by anyone
// on the way.
QUrl SafeDownloadUrl(const QString& downloadAddress, const QUrl& pageUrl);
