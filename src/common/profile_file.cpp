#include "common/profile_file.h"

#include "common/str_to_int.h"
#include "platform/atomic_file.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <utility>

namespace {

// Longest value a lookup returns, as with the fixed buffers of the Windows API callers.
constexpr qsizetype MaxValueLength = 2047;

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

QString trimBlanks(const QString& s) {
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && isBlank(s[begin]))
        ++begin;
    while (end > begin && isBlank(s[end - 1]))
        --end;
    return s.mid(begin, end - begin);
}

QString foldName(const QString& name) {
    return name.trimmed().toCaseFolded();
}

// Keeps a written name or value on one line of the file.
QString singleLine(QString s) {
    s.replace(u'\r', u' ');
    s.replace(u'\n', u' ');
    return s;
}

// UTF-16 after its byte-order mark (as the Windows profile functions read it), else UTF-8
// when the bytes are valid UTF-8, otherwise the Chinese ANSI code page.
QString decodeBytes(QByteArray bytes) {
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        const bool little = bytes[0] == '\xFF';
        QStringDecoder utf16(little ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                             QStringDecoder::Flag::Stateless);
        return utf16.decode(QByteArrayView(bytes).sliced(2));
    }
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    QStringDecoder gbk("GBK", QStringDecoder::Flag::Stateless);
    if (gbk.isValid()) return gbk.decode(bytes);
    return QString::fromLatin1(bytes);
}

} // namespace

ProfileFile::ProfileFile(QString path) : path_(std::move(path)) {
    load();
}

void ProfileFile::load() {
    QFile file(path_);
    if (!QFileInfo(file).isFile()) return;
    if (!file.open(QIODevice::ReadOnly)) {
        readError_ = file.errorString();
        return;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        readError_ = file.errorString();
        return;
    }
    existedAtOpen_ = true;
    parseText(decodeBytes(std::move(bytes)));
}

void ProfileFile::parseText(const QString& text) {
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\n' && c != u'\r') continue;
        lines_.push_back(makeLine(text.mid(start, i - start)));
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < n) lines_.push_back(makeLine(text.mid(start)));
}

ProfileFile::Line ProfileFile::makeLine(QString text) {
    Line line;
    line.text = std::move(text);
    const QString trimmed = line.text.trimmed();
    if (trimmed.startsWith(u'[')) {
        line.kind = Kind::Section;
        const qsizetype close = trimmed.indexOf(u']');
        line.foldedName = foldName(close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1));
        return line;
    }
    const qsizetype eq = line.text.indexOf(u'=');
    if (eq >= 0) {
        line.kind = Kind::Key;
        line.equalsPos = eq;
        line.foldedName = foldName(line.text.left(eq));
    }
    return line;
}

qsizetype ProfileFile::findSection(const QString& foldedSection) const {
    for (qsizetype i = 0; i < qsizetype(lines_.size()); ++i) {
        const Line& line = lines_[i];
        if (line.kind == Kind::Section && line.foldedName == foldedSection) return i;
    }
    return -1;
}

qsizetype ProfileFile::sectionEnd(qsizetype sectionLine) const {
    qsizetype i = sectionLine + 1;
    while (i < qsizetype(lines_.size()) && lines_[i].kind != Kind::Section)
        ++i;
    return i;
}

qsizetype ProfileFile::findKey(qsizetype sectionLine, const QString& foldedKey) const {
    const qsizetype end = sectionEnd(sectionLine);
    for (qsizetype i = sectionLine + 1; i < end; ++i) {
        const Line& line = lines_[i];
        if (line.kind == Kind::Key && line.foldedName == foldedKey) return i;
    }
    return -1;
}

QString ProfileFile::readString(const QString& section, const QString& key,
                                const QString& def) const {
    const qsizetype sectionLine = findSection(foldName(section));
    if (sectionLine < 0) return def;
    const qsizetype keyLine = findKey(sectionLine, foldName(key));
    if (keyLine < 0) return def;

    const Line& line = lines_[keyLine];
    QString value = trimBlanks(line.text.mid(line.equalsPos + 1));
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == u'"' || first == u'\'') && value.back() == first)
            value = value.mid(1, value.size() - 2);
    }
    if (value.size() > MaxValueLength) value.truncate(MaxValueLength);
    return value;
}

int ProfileFile::readInteger(const QString& section, const QString& key, int def) const {
    QString s = readString(section, key, QString());
    if (s.size() > 2 && s[0] == u'0' && (s[1] == u'x' || s[1] == u'X')) s.replace(0, 2, u'$');
    return StrToIntDef(s, def);
}

bool ProfileFile::readBool(const QString& section, const QString& key, bool def) const {
    return readInteger(section, key, def ? 1 : 0) != 0;
}

void ProfileFile::writeString(const QString& section, const QString& key, const QString& value) {
    const QString sectionName = singleLine(section).trimmed();
    const QString keyName = singleLine(key).trimmed();
    const QString cleanValue = singleLine(value);
    dirty_ = true;

    const qsizetype sectionLine = findSection(sectionName.toCaseFolded());
    if (sectionLine < 0) {
        lines_.push_back(makeLine(u'[' + sectionName + u']'));
        lines_.push_back(makeLine(keyName + u'=' + cleanValue));
        return;
    }

    const qsizetype keyLine = findKey(sectionLine, keyName.toCaseFolded());
    if (keyLine >= 0) {
        Line& line = lines_[keyLine];
        const QString spelling = line.text.left(line.equalsPos).trimmed();
        line = makeLine(spelling + u'=' + cleanValue);
        return;
    }

    // New keys go after the section's last non-blank line so that blank lines
    // separating it from the next section stay where they are.
    const qsizetype end = sectionEnd(sectionLine);
    qsizetype last = sectionLine;
    for (qsizetype i = sectionLine + 1; i < end; ++i) {
        if (!lines_[i].text.trimmed().isEmpty()) last = i;
    }
    lines_.insert(lines_.begin() + last + 1, makeLine(keyName + u'=' + cleanValue));
}

void ProfileFile::writeInteger(const QString& section, const QString& key, int value) {
    writeString(section, key, QString::number(value));
}

void ProfileFile::writeBool(const QString& section, const QString& key, bool value) {
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool ProfileFile::save() {
    if (!dirty_) return true;
    // A file that is there but could not be read would lose every line but ours.
    if (!readError_.isEmpty()) {
        errorString_ = readError_;
        return false;
    }

    QByteArray data;
    for (const Line& line : lines_) {
        data += line.text.toUtf8();
        data += '\n';
    }

    AtomicFile file(path_);
    if (!file.open() || file.write(data) != data.size() || !file.commit()) {
        errorString_ = file.errorString();
        return false;
    }
    errorString_.clear();
    dirty_ = false;
    return true;
}

QStringList ProfileFile::lines() const {
    QStringList result;
    result.reserve(qsizetype(lines_.size()));
    for (const Line& line : lines_)
        result.append(line.text);
    return result;
}
