#include "SqlStatement.h"

namespace {

bool IsNameChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

} // namespace

TSqlStatement TSqlStatement::Parse(const QString& text) {
    TSqlStatement statement;
    statement.Positional.reserve(text.size());
    QChar quote;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            statement.Positional += c;
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
            statement.Positional += c;
            continue;
        }
        const bool cast = c == QLatin1Char(':') && i + 1 < text.size() && text[i + 1] == QLatin1Char(':');
        if (cast) {
            statement.Positional += QStringLiteral("::");
            ++i;
            continue;
        }
        if (c == QLatin1Char(':') && i + 1 < text.size() && IsNameChar(text[i + 1]) && !text[i + 1].isDigit()) {
            qsizetype end = i + 1;
            while (end < text.size() && IsNameChar(text[end]))
                ++end;
            statement.Names.append(text.mid(i + 1, end - i - 1).toLower());
            statement.Positional += QLatin1Char('?');
            i = end - 1;
            continue;
        }
        statement.Positional += c;
    }
    return statement;
}
