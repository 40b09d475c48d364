#pragma once

#include <QString>
#include <QStringList>

// Reads and writes ini files by the private-profile rules the program's configuration has always followed:
// section and key names are case-insensitive, a value is the rest of its line (trimmed, at most 2047
// characters), integers are decimal or 0x hexadecimal and a malformed one reads as the default, the first of
// two equal keys wins. Lines starting with ";" are comments. Values are not interpreted otherwise, so SQL text
// with commas, quotes and backslashes reads exactly as written.
//
// The file is read when the object is made (UTF-8, or Windows-1251 for an old file) and written through at
// every change (UTF-8, replaced atomically); comments and the order of other lines are kept. A missing file
// reads as empty and is created by the first write.
class IniFile {
public:
    static constexpr int kMaxValueLength = 2047;

    explicit IniFile(QString fileName);

    const QString& FileName() const { return Name; }

    QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
    bool ReadBool(const QString& section, const QString& key, bool defaultValue) const;

    // False when the file cannot be written, or the names or the value would not stay on one line.
    bool WriteString(const QString& section, const QString& key, const QString& value);
    bool WriteInteger(const QString& section, const QString& key, int value);

    bool SectionExists(const QString& section) const;
    QStringList ReadSection(const QString& section) const; // key names, in file order
    QStringList ReadSections() const;

private:
    struct Line {
        QString Text;
        QString Section; // for a section header: its name
        QString Key;     // for a key line: its name
        QString Value;
        bool IsSection = false;
        bool IsKey = false;
    };

    static Line Parse(const QString& text);
    int FindSection(const QString& section) const;
    int FindKey(int sectionLine, const QString& key) const;
    bool Save() const;

    QString Name;
    QList<Line> Lines;
};
