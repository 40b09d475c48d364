#pragma once

#include <QString>
#include <QStringList>

// A statement with named parameters (":id") turned into the positional form every driver prepares ("?"), with the
// name of each position. Colons inside quoted texts and names, and PostgreSQL's "::" casts, are not parameters.
struct TSqlStatement {
    QString Positional;
    QStringList Names; // lower case, one per "?" in order; a name used twice appears twice

    static TSqlStatement Parse(const QString& text);
};
