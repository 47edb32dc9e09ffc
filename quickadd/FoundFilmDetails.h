#pragma once

#include "files/FilmFiles.h"
#include "files/ReferenceListFile.h"
#include "files/VideoFile.h"
#include "store/Films.h"

#include <memory>
#include <optional>

// What the quick add records of each film it finds: the catalogue's defaults for a film found on
// disk (a DVD's format and quality for a DVD), then what the file's headers tell when asked (the
// running time, the codecs that the lists name), then what its .nfo tells. A genre of a .nfo that
// the genre list lacks joins the list, which the scan saves once at its end.
class FoundFilmDetails {
public:
    // lists: the reference lists as the scan starts; nothing when they could not be read, and then
    // the codecs keep their defaults and no genre joins the list.
    FoundFilmDetails(bool readHeaders, std::optional<files::ReferenceLists> lists);

    store::FilmDetails of(const files::FilmOnDisk& found);

    // Adds the genres that joined the list to the list file as it stands now, once; nothing when
    // none did. Throws files::ReferenceListError.
    void saveNewGenres(const QString& path);

private:
    // The first of the genres that the list holds, as the list writes it; else the first, which
    // joins the list.
    QString genreOf(const QStringList& genres);

    std::unique_ptr<files::VideoFileReader> reader_;
    std::optional<files::ReferenceLists> lists_;
    QStringList newGenres_;
};
