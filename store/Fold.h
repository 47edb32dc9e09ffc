#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace store {

// A text as a search compares it, the typed text and the stored text alike: letter case ignored,
// accents dropped (Unicode decomposition, marks removed), œ æ ß ł ø đ þ written out as oe ae ss l o d
// th, and every run of what is neither a letter nor a digit (spaces of any kind, punctuation,
// apostrophes and quotes straight or curly, hyphens) one space between words, none at either end.
// "L'Été" folds to "l ete", "Jean-Pierre" to "jean pierre", "Łódź" to "lodz", "Straße" to "strasse".
QString fold(QStringView text);

// The words of a folded text.
QStringList foldedWords(QStringView text);

}  // namespace store
