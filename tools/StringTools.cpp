#include "StringTools.h"

#include <QRegularExpression>
#include <cmath>
#include <cstdint>

namespace {

// Every word carries its leading space; index 0 is the empty text.
const char* const UnitsMasculine[10] = {"",       " один",  " два",    " три",    " четыре",
                                        " пять",  " шесть", " семь",   " восемь", " девять"};
const char* const UnitsFeminine[10] = {"",      " одна",  " две",  " три",    " четыре",
                                       " пять", " шесть", " семь", " восемь", " девять"};
const char* const Teens[10] = {" десять",       " одиннадцать", " двенадцать",   " тринадцать",  " четырнадцать",
                               " пятнадцать",   " шестнадцать", " семнадцать",   " восемнадцать", " девятнадцать"};
const char* const Tens[10] = {"",           " десять",     " двадцать",   " тридцать",    " сорок",
                              " пятьдесят", " шестьдесят", " семьдесят",  " восемьдесят", " девяносто"};
const char* const Hundreds[10] = {"",          " сто",      " двести",   " триста",    " четыреста",
                                  " пятьсот",  " шестьсот", " семьсот",  " восемьсот", " девятьсот"};

// Unit words by group (roubles, thousands, millions, milliards, kopecks) and plural form 1–3.
const char* const UnitWords[5][3] = {
    {" рубль", " рубля", " рублей"},
    {" тысяча", " тысячи", " тысяч"},
    {" миллион", " миллиона", " миллионов"},
    {" миллиард", " миллиарда", " миллиардов"},
    {" копейка", " копейки", " копеек"},
};
constexpr int kKopecksRow = 4;
constexpr double kLimit = 1e12; // four groups of three digits

QString Word(const char* text) { return QString::fromUtf8(text); }

// JoinWords adds a space between parts that already start with one; keep one blank between words.
QString SingleSpaced(const QString& words) {
    static const QRegularExpression blanks(QStringLiteral(" {2,}"));
    QString result = words;
    return result.replace(blanks, QStringLiteral(" "));
}

} // namespace

QString JoinWords(const QString& first, const QString& second) {
    if (first.isEmpty())
        return second;
    if (second.isEmpty())
        return first;
    return first + QLatin1Char(' ') + second;
}

QString TriadToStr(int number, int& form, bool feminine) {
    const int h = number / 100;
    const int t = (number - 100 * h) / 10;
    const int u = number % 10;
    QString text = Word(Hundreds[h]);
    if (t == 1) {
        text = JoinWords(text, Word(Teens[u]));
    } else {
        text = JoinWords(text, Word(Tens[t]));
        text = JoinWords(text, Word(feminine ? UnitsFeminine[u] : UnitsMasculine[u]));
    }
    if (number == 0)
        form = 0;
    else if (t == 1 || u == 0 || u >= 5)
        form = 3;
    else
        form = u == 1 ? 1 : 2;
    return text;
}

QString CurrencyToStr(double value, const QString& format) {
    if (!std::isfinite(value) || value < 0 || value >= kLimit)
        return {};
    const int64_t whole = int64_t(value);
    const int kopecks = int((value - double(whole)) * 100 + 0.5); // 100 kopecks are not carried into roubles

    int form = 0;
    QString roubleWords, roubleWord;
    int64_t rest = whole;
    for (int group = 0; group < 4; ++group) {
        const int triad = int(rest % 1000);
        rest /= 1000;
        QString text = TriadToStr(triad, form, group == 1);
        if (group == 0) {
            if (form > 0)
                roubleWord = Word(UnitWords[0][form - 1]);
            else if (whole != 0)
                roubleWord = Word(UnitWords[0][2]);
        } else if (form > 0) {
            text = JoinWords(text, Word(UnitWords[group][form - 1]));
        }
        roubleWords = JoinWords(text, roubleWords);
    }
    const QString kopeckWords = SingleSpaced(TriadToStr(kopecks, form, true));
    const QString kopeckWord = Word(form > 0 ? UnitWords[kKopecksRow][form - 1] : UnitWords[kKopecksRow][2]);
    roubleWords = SingleSpaced(roubleWords);

    QString result;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] != QLatin1Char('%')) {
            result += format[i];
            continue;
        }
        if (++i == format.size())
            break; // a trailing "%" is dropped
        switch (format[i].unicode()) {
        case 'r': result += roubleWords; break;
        case 's': result += roubleWord; break;
        case 'n': result += QString::number(whole); break;
        case 'k': result += kopeckWords; break;
        case 'c': result += kopeckWord; break;
        case 'm': result += QString::number(kopecks); break;
        case '%': result += QLatin1Char('%'); break;
        default: result += QLatin1Char('%') + format[i]; break;
        }
    }
    return result;
}
