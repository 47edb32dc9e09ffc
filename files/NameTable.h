#pragma once

#include <QHash>
#include <QString>
#include <initializer_list>

namespace files {

// Puts names, written folded (store/Fold.h), into a table of names that all give the value.
template <typename Value>
void addNames(QHash<QString, Value>& table, Value value, std::initializer_list<const char*> names)
{
    for (const char* name : names)
        table.insert(QString::fromLatin1(name), value);
}

}  // namespace files
