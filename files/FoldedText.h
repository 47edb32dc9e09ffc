#pragma once

#include <QHash>
#include <QString>
#include <initializer_list>

namespace files {

// A text as names are compared when read from other programs' files: letters lowercased and
// without their accents, digits, and every run of other characters as one space, none at the ends.
// "Durée (min)" and "DUREE - MIN" both give "duree min".
QString foldedText(const QString& text);

// Puts names, written folded, into a table of names that all give the value.
template <typename Value>
void addNames(QHash<QString, Value>& table, Value value, std::initializer_list<const char*> names)
{
    for (const char* name : names)
        table.insert(QString::fromLatin1(name), value);
}

}  // namespace files
