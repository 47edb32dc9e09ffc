#pragma once

#include "files/CatalogueFile.h"
#include "files/ImportMapping.h"
#include "store/Films.h"

#include <QList>
#include <QString>

// A catalogue file's films mapped into the catalogue's columns, and what the import does with each
// of them: what the import window shows before anything is written, and what its button follows.
class ImportPlan {
public:
    enum class Fate { Import, InCatalogue, Untitled, Repeated };

    ImportPlan() = default;
    // Maps the films in file order against the reference lists (each new entry taken in once) and
    // looks each title up in the catalogue, as titles are compared everywhere: letter case ignored,
    // accents not.
    ImportPlan(const files::CatalogueContent& content, const files::ReferenceLists& lists,
               store::Films catalogue);

    QString formatName() const { return formatName_; }
    int size() const { return int(films_.size()); }
    const files::MappedFilm& film(int index) const { return films_[index]; }
    // The thirteen values the catalogue stores for the film.
    store::FilmDetails details(int index) const;

    // A film without a title is left out. With the known films ignored, so is a film whose title
    // the catalogue held when the file was read, and one whose title an earlier film of the file
    // bears: a film twice in the file is imported once.
    Fate fate(int index, bool ignoreKnown) const;
    static QString fateText(Fate fate);
    // How many films have that fate.
    int count(Fate fate, bool ignoreKnown) const;

    // The entries the reference lists lacked that the given films take, each list in the order the
    // file brought them.
    files::ReferenceLists newEntriesOf(const QList<int>& films) const;

private:
    QString formatName_;
    QList<files::MappedFilm> films_;
    files::ReferenceLists newEntries_;
    QList<bool> inCatalogue_, repeated_;
};
