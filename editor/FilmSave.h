#pragma once

#include <QString>

class Frm_New;

namespace editor {

// The thirteen values that the editor writes, as its controls show them.
struct FilmValues {
    QString titre, genre, cd, qualite, format, obs, langue, codec_video, codec_son, duree, realisateur,
            acteur, annee;
};

// The statements of the save, each value escaped where it enters the text.
QString requeteModification(const FilmValues& film, qint16 code);
QString requeteAjout(const FilmValues& film, qint16 code);

// The click of Bt_Enreg: checks the title, writes the film, closes the editor and reloads the
// main list; any failure shows one message and leaves the editor open.
void enregistrer(Frm_New& editor);

}  // namespace editor
