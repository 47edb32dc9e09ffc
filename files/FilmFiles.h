#pragma once

#include "files/NfoFile.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

namespace files {

// The extensions of the video files that the quick add takes for films when asked for every video
// file, ".avi" among them. Not ".vob": a DVD's parts are no films of their own.
const QStringList& videoExtensions();

// The title of a film file: its name less its extension, when the extension is ".avi", or one of
// videoExtensions() with everyVideo, letter case ignored; "" for any other file and for a name
// that is only its extension.
QString filmTitle(const QString& fileName, bool everyVideo);

// A film found on disk: the file that stands for it (a DVD's VIDEO_TS.IFO), its title (the
// .nfo's when it gives one, else the file's or the DVD's folder's) and what its .nfo tells.
struct FilmOnDisk {
    QString path;
    QString title;
    bool dvd = false;
    std::optional<NfoFacts> nfo;
};

// The films among the files of one folder. With every video file, a film's .nfo is read: the
// file of its own name with the extension ".nfo", else "movie.nfo" when the folder holds no other
// film; and a DVD's folder (VIDEO_TS holding VIDEO_TS.IFO, letter case ignored) is one film, its
// VIDEO_TS.IFO, titled by the folder above, described by VIDEO_TS.nfo or a movie.nfo beside it or
// in the folder above when that one holds no film file of its own.
class FilmFolder {
public:
    // fileNames: the names of the folder's files, as the scan lists them.
    FilmFolder(const QString& path, const QStringList& fileNames, bool everyVideo);

    // The film that the file of that index is; nothing for any other file.
    std::optional<FilmOnDisk> film(qsizetype index) const;

private:
    // The path of the folder's .nfo file of that name, letter case ignored; "" when it has none.
    QString nfoNamed(const QString& name) const;
    QString dvdTitle() const;
    // The movie.nfo of the folder above a DVD's folder, when the DVD is that folder's only film.
    QString nfoAbove() const;

    QString path_;
    QStringList names_;
    bool everyVideo_;
    bool dvd_ = false;
    bool oneFilm_ = false;
    // The folder's .nfo files by their names, letter case folded.
    QHash<QString, QString> nfoFiles_;
};

}  // namespace files
