#include "quickadd/FoundFilmDetails.h"

#include "files/CodecEntries.h"

#include <algorithm>

namespace {

// What the file tells replaces the default; what it does not tell keeps it.
void replace(QString& column, const QString& value)
{
    if (!value.isEmpty())
        column = value;
}

// Genres are told apart as the catalogue tells titles apart, letter case ignored: "Science-Fiction"
// from a media centre is the list's "Science-fiction".
const QString* held(const QStringList& list, const QString& entry)
{
    const auto found = std::find_if(list.begin(), list.end(), [&](const QString& held) {
        return held.compare(entry, Qt::CaseInsensitive) == 0;
    });
    return found == list.end() ? nullptr : &*found;
}

// Media centres list every actor of the cast; the column keeps the leading ones.
constexpr qsizetype kActors = 10;

}  // namespace

FoundFilmDetails::FoundFilmDetails(bool readHeaders, std::optional<files::ReferenceLists> lists)
    : reader_(readHeaders ? std::make_unique<files::VideoFileReader>() : nullptr), lists_(std::move(lists))
{ }

store::FilmDetails FoundFilmDetails::of(const files::FilmOnDisk& found)
{
    store::FilmDetails film = store::Films::foundOnDisk(found.title);
    if (found.dvd) {
        film.format_film = QStringLiteral("Dvd");
        film.qualite_film = QStringLiteral("DvD");
    } else if (reader_) {
        const files::VideoFileFacts facts = reader_->read(found.path);
        replace(film.duree, files::durationText(facts.durationMs));
        if (lists_) {
            replace(film.codec_Film, files::videoCodecEntry(facts, lists_->video));
            replace(film.codec_Son, files::audioCodecEntry(facts, lists_->audio));
        }
    }
    if (!found.nfo)
        return film;
    const files::NfoFacts& nfo = *found.nfo;
    replace(film.annee, nfo.year);
    replace(film.duree, files::durationText(nfo.durationMs));
    if (!nfo.genres.isEmpty())
        film.type_film = genreOf(nfo.genres);
    replace(film.realisateur, nfo.directors.join(QStringLiteral(", ")));
    replace(film.acteur, nfo.actors.first(std::min(nfo.actors.size(), kActors)).join(QStringLiteral(", ")));
    replace(film.obs_Film, nfo.plot);
    return film;
}

QString FoundFilmDetails::genreOf(const QStringList& genres)
{
    if (!lists_)
        return genres.first();
    for (const QString& genre : genres)
        if (const QString* entry = held(lists_->genre, files::storedEntry(genre)))
            return *entry;
    // The film keeps the genre as the .nfo writes it; the list, as its file can hold it.
    const QString entry = files::storedEntry(genres.first());
    lists_->genre.append(entry);
    newGenres_.append(entry);
    return genres.first();
}

void FoundFilmDetails::saveNewGenres(const QString& path)
{
    if (newGenres_.isEmpty())
        return;
    // The file as it stands now: the options window may have saved it during the scan.
    files::ReferenceLists lists = files::readReferenceLists(path);
    for (const QString& genre : std::exchange(newGenres_, {}))
        if (!held(lists.genre, genre))
            lists.genre.append(genre);
    files::writeReferenceLists(path, lists);
}
