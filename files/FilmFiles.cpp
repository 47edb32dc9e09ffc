#include "files/FilmFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <algorithm>

namespace files {

using namespace Qt::StringLiterals;

namespace {

bool sameName(QStringView a, QLatin1StringView b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// A file that a scan of every video file takes for a film.
bool isVideoFile(const QString& name) { return !filmTitle(name, true).isEmpty(); }

const QString kMovieNfo = u"movie.nfo"_s;

}  // namespace

const QStringList& videoExtensions()
{
    static const QStringList extensions = {u".mkv"_s,  u".mp4"_s,  u".m4v"_s,  u".avi"_s, u".mpg"_s,
                                           u".mpeg"_s, u".ts"_s,   u".m2ts"_s, u".wmv"_s, u".ogm"_s,
                                           u".ogv"_s,  u".webm"_s, u".divx"_s, u".flv"_s, u".mov"_s};
    return extensions;
}

QString filmTitle(const QString& fileName, bool everyVideo)
{
    static const QStringList avi = {u".avi"_s};
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot <= 0)
        return QString();
    const QStringView extension = QStringView(fileName).mid(dot);
    const QStringList& films = everyVideo ? videoExtensions() : avi;
    return std::any_of(films.begin(), films.end(),
                       [&](const QString& film) { return extension.compare(film, Qt::CaseInsensitive) == 0; })
            ? fileName.left(dot)
            : QString();
}

FilmFolder::FilmFolder(const QString& path, const QStringList& fileNames, bool everyVideo)
    : path_(path), names_(fileNames), everyVideo_(everyVideo)
{
    if (!everyVideo)
        return;
    for (const QString& name : fileNames)
        if (name.endsWith(".nfo"_L1, Qt::CaseInsensitive))
            nfoFiles_.insert(name.toCaseFolded(), name);
    dvd_ = sameName(QFileInfo(path).fileName(), "VIDEO_TS"_L1)
            && std::any_of(fileNames.begin(), fileNames.end(),
                           [](const QString& name) { return sameName(name, "VIDEO_TS.IFO"_L1); });
    // Counted only where it matters: a folder of many films seldom holds a movie.nfo.
    if (nfoFiles_.contains(kMovieNfo))
        oneFilm_ = dvd_ || std::count_if(fileNames.begin(), fileNames.end(), isVideoFile) == 1;
}

std::optional<FilmOnDisk> FilmFolder::film(qsizetype index) const
{
    const QString& name = names_.at(index);
    FilmOnDisk film;
    if (dvd_) {
        // Its other files, the .vob ones among them, are parts of the one film.
        if (!sameName(name, "VIDEO_TS.IFO"_L1))
            return std::nullopt;
        film.dvd = true;
        film.title = dvdTitle();
    } else {
        film.title = filmTitle(name, everyVideo_);
        if (film.title.isEmpty())
            return std::nullopt;
    }
    film.path = QDir(path_).filePath(name);
    if (!everyVideo_)
        return film;

    QString nfo = nfoNamed(name.left(name.lastIndexOf(u'.')) + u".nfo"_s);
    if (nfo.isEmpty() && oneFilm_)
        nfo = nfoNamed(kMovieNfo);
    if (nfo.isEmpty() && dvd_)
        nfo = nfoAbove();
    if (!nfo.isEmpty())
        film.nfo = readNfo(nfo);
    if (film.nfo && !film.nfo->title.isEmpty())
        film.title = film.nfo->title;
    return film;
}

QString FilmFolder::nfoNamed(const QString& name) const
{
    const QString found = nfoFiles_.value(name.toCaseFolded());
    return found.isEmpty() ? QString() : QDir(path_).filePath(found);
}

// At the root of a disc, the folder above has no name: the disc's own name stands for it.
QString FilmFolder::dvdTitle() const
{
    const QString above = QFileInfo(path_).absoluteDir().dirName();
    if (!above.isEmpty())
        return above;
    const QString disc = QStorageInfo(path_).name();
    return disc.isEmpty() ? u"DVD"_s : disc;
}

QString FilmFolder::nfoAbove() const
{
    const QDir above = QFileInfo(path_).absoluteDir();
    const QStringList names = above.entryList(QDir::Files);
    const auto movieNfo = std::find_if(names.begin(), names.end(),
                                       [](const QString& name) { return sameName(name, "movie.nfo"_L1); });
    return movieNfo == names.end() || std::any_of(names.begin(), names.end(), isVideoFile)
            ? QString()
            : above.filePath(*movieNfo);
}

}  // namespace files
