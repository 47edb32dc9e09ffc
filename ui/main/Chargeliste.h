#pragma once

#include <QString>

// The list filler of the main window, shared by every window that changes the catalogue.
namespace Connection {

// Fills the main list from a SELECT and recomputes the four counters.
void chargeliste(const QString& requete);

// Recomputes the four counters of the main window from the whole catalogue.
void actualiser_compteurs();

// The single row of a list that found no film.
QString placeholderRow();

}  // namespace Connection
