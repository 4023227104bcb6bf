// Filling the "%s" of an interface text.
#pragma once

#include <QString>

// The text with its first "%s" replaced by value (Delphi's Format with one string).
inline QString FillIn(const QString& text, const QString& value) {
    QString result = text;
    const qsizetype at = result.indexOf(QStringLiteral("%s"));
    if (at >= 0) result.replace(at, 2, value);
    return result;
}
