#pragma once

#include <QString>
#include <QStringList>

namespace store {

// A statement as the program writes it, turned into what the engine runs: every text literal,
// in single or double quotes, becomes a bound parameter, so a double-quoted literal is always
// text and a value can never spill into the statement around it.
struct TranslatedStatement {
    QString sql;
    QStringList texts;
};

TranslatedStatement translateStatement(const QString& statement);

// Builders for the statement texts: the value between the given quotes, with that quote
// doubled inside, which the translation reads back as one quote of the value.
QString quotedText(const QString& value, QChar quote = u'"');

}  // namespace store
