#pragma once

#include "store/Films.h"

#include <QString>

// The list filler of the main window, shared by every window that changes the catalogue.
namespace Connection {

// Fills the main list with a list of films and recomputes the four counters.
void chargeliste(const store::FilmList& requete);

// Recomputes the four counters of the main window from the whole catalogue.
void actualiser_compteurs();

// The single row of a list that found no film.
QString placeholderRow();

}  // namespace Connection
