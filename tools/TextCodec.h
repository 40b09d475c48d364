#pragma once

#include <QByteArray>
#include <QString>

// Text files are UTF-8; a file that is not valid UTF-8 comes from an old installation and is Windows-1251.
QString DecodeText(const QByteArray& bytes);

bool IsValidUtf8(const QByteArray& bytes);

// Windows-1251 conversions (glibc iconv). Characters 1251 cannot hold become "?".
QString FromCp1251(const QByteArray& bytes);
QByteArray ToCp1251(const QString& text);
