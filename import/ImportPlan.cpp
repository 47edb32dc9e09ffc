#include "import/ImportPlan.h"

#include "store/Fold.h"
#include "store/FrenchText.h"

#include <QHash>
#include <QSet>

namespace {

// The films whose title an earlier film bears, compared as the catalogue compares titles. Titles
// the catalogue holds equal fold alike, so only the titles of one fold are compared.
QList<bool> repeatedTitles(const QList<files::MappedFilm>& films)
{
    QList<bool> repeated(films.size(), false);
    QHash<QString, QStringList> earlier;
    for (qsizetype i = 0; i < films.size(); ++i) {
        const QString& title = films[i].nom_film;
        if (title.isEmpty())
            continue;
        QStringList& alike = earlier[store::fold(title)];
        repeated[i] = std::any_of(alike.cbegin(), alike.cend(), [&title](const QString& other) {
            return store::compareFrench(other, title) == 0;
        });
        if (!repeated[i])
            alike.append(title);
    }
    return repeated;
}

// The entries of the list that the films' values take.
QStringList taken(const QStringList& entries, const QSet<QString>& values)
{
    QStringList used;
    for (const QString& entry : entries) {
        if (values.contains(entry))
            used.append(entry);
    }
    return used;
}

}  // namespace

ImportPlan::ImportPlan(const files::CatalogueContent& content, const files::ReferenceLists& lists,
                       store::Films catalogue)
    : formatName_(content.formatName)
{
    files::MappedCatalogue mapped = files::mapFilms(content.films, lists);
    films_ = std::move(mapped.films);
    newEntries_ = std::move(mapped.newEntries);
    inCatalogue_.reserve(films_.size());
    for (const files::MappedFilm& film : films_)
        inCatalogue_.append(!film.nom_film.isEmpty() && catalogue.hasTitle(film.nom_film));
    repeated_ = repeatedTitles(films_);
}

store::FilmDetails ImportPlan::details(int index) const
{
    const files::MappedFilm& f = films_[index];
    return {f.nom_film,   f.type_film, f.cd_film, f.qualite_film, f.format_film, f.obs_Film, f.langue_Film,
            f.codec_Film, f.codec_Son, f.duree,   f.realisateur,  f.acteur,      f.annee};
}

ImportPlan::Fate ImportPlan::fate(int index, bool ignoreKnown) const
{
    if (films_[index].nom_film.isEmpty())
        return Fate::Untitled;
    if (ignoreKnown && inCatalogue_[index])
        return Fate::InCatalogue;
    if (ignoreKnown && repeated_[index])
        return Fate::Repeated;
    return Fate::Import;
}

QString ImportPlan::fateText(Fate fate)
{
    switch (fate) {
    case Fate::InCatalogue:
        return QStringLiteral("déjà au catalogue");
    case Fate::Untitled:
        return QStringLiteral("ignoré : sans titre");
    case Fate::Repeated:
        return QStringLiteral("ignoré : en double dans le fichier");
    case Fate::Import:
        break;
    }
    return QStringLiteral("à importer");
}

int ImportPlan::count(Fate wanted, bool ignoreKnown) const
{
    int films = 0;
    for (int i = 0; i < size(); ++i)
        films += fate(i, ignoreKnown) == wanted ? 1 : 0;
    return films;
}

files::ReferenceLists ImportPlan::newEntriesOf(const QList<int>& films) const
{
    QSet<QString> genres, videoCodecs, audioCodecs;
    for (int index : films) {
        genres.insert(films_[index].type_film);
        videoCodecs.insert(films_[index].codec_Film);
        audioCodecs.insert(films_[index].codec_Son);
    }
    return {taken(newEntries_.audio, audioCodecs), taken(newEntries_.video, videoCodecs),
            taken(newEntries_.genre, genres)};
}
