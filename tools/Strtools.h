#pragma once

#include <QDateTime>
#include <QString>

// Reads a stored time stamp "yyyy.mm.dd hh:nn:ss" back into a local date-time. Only the digit positions are
// looked at, so other separators read alike. Anything else (too short, not digits, no such date or time)
// gives the null date-time.
QDateTime ParseTimeStamp(const QString& text);

// The stored form of a moment: "yyyy.MM.dd HH:mm:ss".
QString FormatTimeStamp(const QDateTime& moment);
