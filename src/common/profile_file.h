// Settings file in the Windows profile format: "[section]" headers followed by
// "key=value" lines. The file is read once into memory, changed there and written
// back in one piece by save(). Lookups follow the Windows rules: names are matched
// without regard to case, the first of duplicate sections or keys wins, values are
// trimmed of blanks and of one pair of enclosing quotes.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class ProfileFile {
  public:
    // Reads path if it is there; a missing or unreadable file gives an empty profile.
    // The text is UTF-16 after a byte-order mark, else UTF-8 (a UTF-8 mark is skipped),
    // else GBK. Nothing is created on disk until save().
    explicit ProfileFile(QString path);

    QString path() const { return path_; }
    // True when a file was found at path and read.
    bool existedAtOpen() const { return existedAtOpen_; }
    // True after a write call that has not yet been saved.
    bool isDirty() const { return dirty_; }

    // The value of key in section, or def when the key is absent. At most 2047
    // characters are returned.
    QString readString(const QString& section, const QString& key, const QString& def) const;
    // The value read as a number (decimal, or hexadecimal after "$" or "0x"), or def.
    int readInteger(const QString& section, const QString& key, int def) const;
    // False when the value reads as the number 0, true for any other number, def otherwise.
    bool readBool(const QString& section, const QString& key, bool def) const;

    // Replaces the value of an existing key where it stands, or adds the key at the end of
    // its section, or adds the section at the end of the file. Line breaks in the
    // arguments are turned into spaces so that the file keeps one entry per line.
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value);

    // Writes the whole file as UTF-8 through a file without a name that then replaces the
    // original, so a failed write (a full disk, a write error reported only by the sync)
    // leaves the old file intact and nothing else behind. Does nothing and succeeds when
    // nothing was written since the last load or save. False when writing failed, and when
    // the file was there but could not be read (replacing it would lose its other lines).
    bool save();
    // The system's reason why the last save() failed.
    QString errorString() const { return errorString_; }

    // The file's lines as they would be written.
    QStringList lines() const;

  private:
    enum class Kind { Other, Section, Key };
    struct Line {
        QString text;
        Kind kind = Kind::Other;
        QString foldedName;       // section or key name, trimmed and case-folded
        qsizetype equalsPos = -1; // position of the first '=' on key lines
    };

    void load();
    void parseText(const QString& text);
    static Line makeLine(QString text);
    qsizetype findSection(const QString& foldedSection) const;
    qsizetype sectionEnd(qsizetype sectionLine) const;
    qsizetype findKey(qsizetype sectionLine, const QString& foldedKey) const;

    QString path_;
    std::vector<Line> lines_;
    bool existedAtOpen_ = false;
    bool dirty_ = false;
    QString readError_;
    QString errorString_;
};
