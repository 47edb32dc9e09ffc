#pragma once

#include "store/Statement.h"

#include <QString>

namespace store {

// A statement given as text (by the tests and tools; the store's services bind their values
// themselves), turned into what the engine runs: every text literal, in single or double quotes,
// becomes a text bound to a placeholder, so a double-quoted literal is always text and a value
// can never spill into the statement around it; "Delete * from" deletes.
Statement translateStatement(const QString& statement);

// Builders for the statement texts: the value between the given quotes, with that quote
// doubled inside, which the translation reads back as one quote of the value.
QString quotedText(const QString& value, QChar quote = u'"');

}  // namespace store
