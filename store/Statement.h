#pragma once

#include <QString>
#include <cstddef>
#include <variant>
#include <vector>

namespace store {

// A value bound to a placeholder: NULL, a whole number or a text.
using BoundValue = std::variant<std::nullptr_t, qint64, QString>;

// A statement for the engine and the values bound to its placeholders "?", in their order: no
// value is ever carried in its text, so any value reaches the file exactly as given and never
// another column.
struct Statement {
    QString sql;
    std::vector<BoundValue> values;
};

}  // namespace store
