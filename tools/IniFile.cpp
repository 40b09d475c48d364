#include "IniFile.h"

#include "TextCodec.h"

#include <QFile>
#include <QSaveFile>

namespace {

bool SameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

bool FitsOnOneLine(const QString& text) {
    return !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r'));
}

} // namespace

IniFile::IniFile(QString fileName) : Name(std::move(fileName)) {
    QFile file(Name);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QString text = DecodeText(file.readAll());
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        Lines.append(Parse(line));
    }
    if (!Lines.isEmpty() && Lines.last().Text.isEmpty())
        Lines.removeLast(); // the line feed that ends the file
}

IniFile::Line IniFile::Parse(const QString& text) {
    Line line;
    line.Text = text;
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(QLatin1Char(';')))
        return line;
    if (trimmed.startsWith(QLatin1Char('['))) {
        const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
        if (close > 0) {
            line.IsSection = true;
            line.Section = trimmed.mid(1, close - 1).trimmed();
        }
        return line;
    }
    const qsizetype equals = trimmed.indexOf(QLatin1Char('='));
    if (equals > 0) {
        line.IsKey = true;
        line.Key = trimmed.left(equals).trimmed();
        line.Value = trimmed.mid(equals + 1).trimmed();
    }
    return line;
}

int IniFile::FindSection(const QString& section) const {
    for (int i = 0; i < Lines.size(); ++i)
        if (Lines[i].IsSection && SameName(Lines[i].Section, section))
            return i;
    return -1;
}

int IniFile::FindKey(int sectionLine, const QString& key) const {
    for (int i = sectionLine + 1; i < Lines.size() && !Lines[i].IsSection; ++i)
        if (Lines[i].IsKey && SameName(Lines[i].Key, key))
            return i;
    return -1;
}

QString IniFile::ReadString(const QString& section, const QString& key, const QString& defaultValue) const {
    const int sectionLine = FindSection(section);
    const int keyLine = sectionLine < 0 ? -1 : FindKey(sectionLine, key);
    if (keyLine < 0)
        return defaultValue.left(kMaxValueLength);
    return Lines[keyLine].Value.left(kMaxValueLength);
}

int IniFile::ReadInteger(const QString& section, const QString& key, int defaultValue) const {
    const QString text = ReadString(section, key, QString());
    bool ok = false;
    int value = 0;
    if (text.size() > 2 && text[0] == QLatin1Char('0') && (text[1] == QLatin1Char('x') || text[1] == QLatin1Char('X')))
        value = int(text.mid(2).toUInt(&ok, 16));
    else
        value = text.toInt(&ok, 10);
    return ok ? value : defaultValue;
}

bool IniFile::ReadBool(const QString& section, const QString& key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool IniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    const QString name = section.trimmed(), keyName = key.trimmed();
    if (name.isEmpty() || keyName.isEmpty() || !FitsOnOneLine(name + keyName + value) ||
        name.contains(QLatin1Char(']')) || keyName.contains(QLatin1Char('=')) ||
        keyName.startsWith(QLatin1Char(';')) || keyName.startsWith(QLatin1Char('[')))
        return false;

    const QList<Line> before = Lines;
    const Line keyLine = Parse(keyName + QLatin1Char('=') + value);
    int sectionLine = FindSection(name);
    if (sectionLine < 0) {
        if (!Lines.isEmpty() && !Lines.last().Text.trimmed().isEmpty())
            Lines.append(Parse(QString()));
        Lines.append(Parse(QLatin1Char('[') + name + QLatin1Char(']')));
        Lines.append(keyLine);
    } else if (const int existing = FindKey(sectionLine, keyName); existing >= 0) {
        Lines[existing] = keyLine;
    } else {
        // after the section's last key, before the blank lines and comments that lead to the next section
        int insertAt = sectionLine + 1;
        for (int i = sectionLine + 1; i < Lines.size() && !Lines[i].IsSection; ++i)
            if (Lines[i].IsKey)
                insertAt = i + 1;
        Lines.insert(insertAt, keyLine);
    }
    if (Save())
        return true;
    Lines = before;
    return false;
}

bool IniFile::WriteInteger(const QString& section, const QString& key, int value) {
    return WriteString(section, key, QString::number(value));
}

bool IniFile::SectionExists(const QString& section) const { return FindSection(section) >= 0; }

QStringList IniFile::ReadSection(const QString& section) const {
    QStringList keys;
    const int sectionLine = FindSection(section);
    if (sectionLine < 0)
        return keys;
    for (int i = sectionLine + 1; i < Lines.size() && !Lines[i].IsSection; ++i)
        if (Lines[i].IsKey && !keys.contains(Lines[i].Key, Qt::CaseInsensitive))
            keys.append(Lines[i].Key);
    return keys;
}

QStringList IniFile::ReadSections() const {
    QStringList sections;
    for (const Line& line : Lines)
        if (line.IsSection && !sections.contains(line.Section, Qt::CaseInsensitive))
            sections.append(line.Section);
    return sections;
}

bool IniFile::Save() const {
    QString text;
    for (const Line& line : Lines)
        text += line.Text + QLatin1Char('\n');
    QSaveFile file(Name);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(text.toUtf8());
    return file.commit();
}
