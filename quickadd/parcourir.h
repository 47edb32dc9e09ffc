#pragma once

#include <QString>

class QWidget;

// Asks the user for a folder in a dialog modal over owner, showing prompt and opening on initial.
// Returns the full path of the confirmed folder, or "" when the user cancels.
QString choisir_repertoire(QWidget* owner, const QString& prompt, const QString& initial);

// The folder the quick add's picker opens on: the system drive on Windows, the home folder elsewhere.
QString repertoire_de_depart();
