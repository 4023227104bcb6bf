// Filling the "%s" and "%d" of an interface text.
#pragma once

#include <QString>
#include <QStringList>

// The text with its first "%s" replaced by value (Delphi's Format with one string).
inline QString FillIn(const QString& text, const QString& value) {
    QString result = text;
    const qsizetype at = result.indexOf(QStringLiteral("%s"));
    if (at >= 0) result.replace(at, 2, value);
    return result;
}

// The text with its first "%d" replaced by the number.
inline QString FillInCount(const QString& text, qint64 number) {
    QString result = text;
    const qsizetype at = result.indexOf(QStringLiteral("%d"));
    if (at >= 0) result.replace(at, 2, QString::number(number));
    return result;
}

// The text with its "%s" replaced by the values in turn; a "%s" within a value stays.
inline QString FillInEach(const QString& text, const QStringList& values) {
    QString result = text;
    qsizetype from = 0;
    for (const QString& value : values) {
        const qsizetype at = result.indexOf(QStringLiteral("%s"), from);
        if (at < 0) break;
        result.replace(at, 2, value);
        from = at + value.size();
    }
    return result;
}
