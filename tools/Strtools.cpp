#include "Strtools.h"

namespace {

// The number written at 0-based position first, length digits long; -1 when a character is not a digit.
int DigitsAt(const QString& text, int first, int length) {
    int value = 0;
    for (int i = first; i < first + length; ++i) {
        const QChar c = text[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

} // namespace

QDateTime ParseTimeStamp(const QString& text) {
    if (text.size() < 19)
        return {};
    const int pieces[6] = {DigitsAt(text, 0, 4),  DigitsAt(text, 5, 2),  DigitsAt(text, 8, 2),
                           DigitsAt(text, 11, 2), DigitsAt(text, 14, 2), DigitsAt(text, 17, 2)};
    for (int piece : pieces)
        if (piece < 0)
            return {};
    const QDate date(pieces[0], pieces[1], pieces[2]);
    const QTime time(pieces[3], pieces[4], pieces[5]);
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time);
}

QString FormatTimeStamp(const QDateTime& moment) {
    return moment.toString(QStringLiteral("yyyy.MM.dd HH:mm:ss"));
}
