#include "files/ImportMapping.h"

#include "files/CodecEntries.h"
#include "files/NameTable.h"
#include "store/Fold.h"

#include <QDate>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <optional>

namespace files {

namespace {

using Options = QRegularExpression::PatternOption;

constexpr int kMaxMinutes = 99'999;

const QString kDashes = QStringLiteral("--");

// The values, each split where it holds several, trimmed, the empty ones left out.
QStringList splitValues(const QStringList& values, const QRegularExpression& separators)
{
    QStringList parts;
    for (const QString& value : values) {
        for (const QString& part : value.split(separators)) {
            const QString trimmed = part.trimmed();
            if (!trimmed.isEmpty())
                parts.append(trimmed);
        }
    }
    return parts;
}

const QRegularExpression& listSeparators()
{
    static const QRegularExpression separators(QStringLiteral(R"([,;/|\r\n])"));
    return separators;
}

// A line break or tab in a one-line value becomes a space.
QString oneLine(const QString& text)
{
    static const QRegularExpression breaks(QStringLiteral(R"(\s*[\r\n\t]+\s*)"));
    return QString(text).replace(breaks, QStringLiteral(" ")).trimmed();
}

enum class Language { French, English, Spanish, Italian, German };

const QHash<QString, Language>& languageNames()
{
    static const QHash<QString, Language> names = [] {
        QHash<QString, Language> table;
        addNames(table, Language::French,
                 {"fr", "fra", "fre", "french", "francais", "vf", "vff", "vfq", "vfi", "version francaise"});
        addNames(table, Language::English, {"en", "eng", "english", "anglais", "ingles"});
        addNames(table, Language::Spanish,
                 {"es", "spa", "esp", "spanish", "espagnol", "espanol", "castellano", "castillan"});
        addNames(table, Language::Italian, {"it", "ita", "italian", "italien", "italiano"});
        addNames(table, Language::German, {"de", "deu", "ger", "german", "allemand", "deutsch", "aleman"});
        return table;
    }();
    return names;
}

QString languageText(Language language)
{
    switch (language) {
    case Language::French:
        return QStringLiteral("Français");
    case Language::English:
        return QStringLiteral("Anglais");
    case Language::Spanish:
        return QStringLiteral("Espagnol");
    case Language::Italian:
        return QStringLiteral("Italien");
    case Language::German:
        break;
    }
    return QStringLiteral("Allemenad");
}

// A language's name without what a parenthesis adds ("English (US)"); a code with its region
// ("fr-FR", "en_US") as its language alone.
std::optional<Language> languageOf(const QString& value)
{
    static const QRegularExpression aside(QStringLiteral(R"(\(.*\))"));
    static const QRegularExpression regionalCode(QStringLiteral(R"(^([a-z]{2,3}) [a-z]{2,4}$)"));
    QString folded = store::fold(QString(value).remove(aside));
    const QRegularExpressionMatch code = regionalCode.match(folded);
    if (code.hasMatch())
        folded = code.captured(1);
    const auto found = languageNames().constFind(folded);
    return found == languageNames().constEnd() ? std::nullopt : std::optional(*found);
}

const QStringList& editorFormats()
{
    static const QStringList formats = {
            QStringLiteral("Avi"),  QStringLiteral("Mpg"), QStringLiteral("Divx"), QStringLiteral("Rmvb"),
            QStringLiteral("Svcd"), QStringLiteral("Wma"), QStringLiteral("Dvd")};
    return formats;
}

// DVDs as media are named: the disc itself, its video form, its capacities.
bool isDvd(const QString& medium)
{
    static const QStringList forms = {QStringLiteral("dvd"),   QStringLiteral("dvdvideo"),
                                      QStringLiteral("dvd5"),  QStringLiteral("dvd9"),
                                      QStringLiteral("dvd10"), QStringLiteral("dvd18")};
    return forms.contains(store::fold(medium).remove(u' '));
}

// The list's entry for one value: the same text, else the first entry the same but for letter case.
std::optional<QString> entryIn(const QStringList& list, const QString& value)
{
    if (list.contains(value))
        return value;
    for (const QString& entry : list) {
        if (entry.compare(value, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return std::nullopt;
}

// The entry for the first of the values that the list holds, as find gives it; else the first value,
// new to the list.
template <typename Find>
ListEntry entryOf(const QStringList& values, const Find& find)
{
    const QStringList candidates = splitValues(values, listSeparators());
    for (const QString& value : candidates) {
        if (const std::optional<QString> entry = find(value))
            return {*entry, true};
    }
    return {candidates.value(0), false};
}

// A reference list that takes in entries as a catalogue's films bring them, each entry found as
// listEntry finds it (the same text, else the first entry the same but for letter case) without
// going through the list: a file of thousands of genres costs no more than one of ten.
class GrowingList {
public:
    explicit GrowingList(const QStringList& entries)
    {
        for (const QString& entry : entries)
            add(entry);
    }

    void add(const QString& entry)
    {
        exact_.insert(entry);
        const QString folded = entry.toCaseFolded();
        if (!folded_.contains(folded))
            folded_.insert(folded, entry);
    }

    std::optional<QString> find(const QString& value) const
    {
        if (exact_.contains(value))
            return value;
        const auto found = folded_.constFind(value.toCaseFolded());
        return found == folded_.constEnd() ? std::nullopt : std::optional(*found);
    }

private:
    QSet<QString> exact_;
    QHash<QString, QString> folded_;
};

// The film's values, each list's entry given by its finder.
template <typename Find>
MappedFilm mapWith(const ImportedFilm& film, const Find& genres, const Find& videoCodecs,
                   const Find& audioCodecs)
{
    MappedFilm mapped;
    mapped.nom_film = oneLine(film.title.trimmed().isEmpty() ? film.originalTitle : film.title);

    const ListEntry genre = entryOf(film.genres, genres);
    mapped.type_film = genre.text.isEmpty() ? QStringLiteral("----") : genre.text;
    mapped.newGenre = !genre.text.isEmpty() && !genre.inList;
    const ListEntry video = entryOf(film.videoCodecs, videoCodecs);
    mapped.codec_Film = video.text.isEmpty() ? QStringLiteral("Autres") : video.text;
    mapped.newVideoCodec = !video.text.isEmpty() && !video.inList;
    const ListEntry audio = entryOf(film.audioCodecs, audioCodecs);
    mapped.codec_Son = audio.text.isEmpty() ? QStringLiteral("Autre") : audio.text;
    mapped.newAudioCodec = !audio.text.isEmpty() && !audio.inList;

    const FormatAndQuality format = formatOf(film.medium);
    mapped.format_film = format.format;
    mapped.qualite_film = format.quality;
    mapped.cd_film = discsEntry(film.discs);
    mapped.obs_Film = notesEntry(film.plot, film.comments);
    mapped.langue_Film = languageEntry(film.languages);
    mapped.duree = durationEntry(film.duration);
    mapped.realisateur = peopleEntry(film.directors);
    mapped.acteur = peopleEntry(film.actors);
    mapped.annee = yearEntry(film.year);

    mapped.borrower = oneLine(film.borrower);
    if (!mapped.borrower.isEmpty())
        mapped.loanDate = loanDateEntry(film.loanDate);
    return mapped;
}

// A value new to its list is taken in as the list file will hold it; stored so, it may turn out to
// be an entry the list already holds.
void takeIn(QString& value, bool& isNew, GrowingList& list, QStringList& added)
{
    if (!isNew)
        return;
    const QString stored = storedEntry(value);
    if (const std::optional<QString> entry = list.find(stored)) {
        value = *entry;
        isNew = false;
        return;
    }
    value = stored;
    list.add(stored);
    added.append(stored);
}

}  // namespace

int minutesOf(const QString& written)
{
    static const QString minutes = QStringLiteral(R"((?:min|mins|minutes?|mn|m|')\.?)");
    static const QRegularExpression minutesOnly(QStringLiteral(R"(^(\d{1,5})\s*(?:%1)?$)").arg(minutes),
                                                Options::CaseInsensitiveOption);
    static const QRegularExpression hoursAndMinutes(
            QStringLiteral(R"(^(\d{1,3})\s*(?:h|hr|hrs|hours?|heures?)\s*(?:(\d{1,2})\s*(?:%1)?)?$)")
                    .arg(minutes),
            Options::CaseInsensitiveOption);
    static const QRegularExpression clock(QStringLiteral(R"(^(\d{1,3}):(\d{2})(?::(\d{2}))?$)"));

    const QString text = written.trimmed();
    QRegularExpressionMatch match = minutesOnly.match(text);
    if (match.hasMatch()) {
        const int value = match.captured(1).toInt();
        return value <= kMaxMinutes ? value : -1;
    }
    match = hoursAndMinutes.match(text);
    if (!match.hasMatch())
        match = clock.match(text);
    if (!match.hasMatch())
        return -1;
    const int hours = match.captured(1).toInt();
    const int extraMinutes = match.captured(2).toInt();
    const int seconds = match.captured(3).toInt();
    if (extraMinutes >= 60 || seconds >= 60)
        return -1;
    return hours * 60 + extraMinutes + (seconds >= 30 ? 1 : 0);
}

QString durationEntry(const QString& written)
{
    const QString text = oneLine(written);
    if (text.isEmpty() || text == kDashes)
        return kDashes;
    const int minutes = minutesOf(text);
    return minutes >= 0 ? durationText(qint64(minutes) * 60'000) : text;
}

QString languageEntry(const QStringList& languages)
{
    static const QRegularExpression separators(QStringLiteral(R"([,;/|+\r\n])"));
    std::optional<Language> first;
    for (const QString& value : splitValues(languages, separators)) {
        const std::optional<Language> language = languageOf(value);
        if (language == Language::French)
            return languageText(*language);
        if (!first)
            first = language;
    }
    return first ? languageText(*first) : QStringLiteral("Autres");
}

ListEntry listEntry(const QStringList& values, const QStringList& list)
{
    return entryOf(values, [&list](const QString& value) { return entryIn(list, value); });
}

FormatAndQuality formatOf(const QString& medium)
{
    const QString written = oneLine(medium);
    for (const QString& format : editorFormats()) {
        if (written.compare(format, Qt::CaseInsensitive) == 0)
            return {written, format == QLatin1String("Dvd") ? QStringLiteral("DvD") : kDashes};
    }
    if (isDvd(written))
        return {QStringLiteral("Dvd"), QStringLiteral("DvD")};
    return {QStringLiteral("AVI"), kDashes};
}

QString yearEntry(const QString& written)
{
    static const QRegularExpression fourFigures(QStringLiteral(R"((?<!\d)\d{4}(?!\d))"));
    for (const QRegularExpressionMatch& match : fourFigures.globalMatch(written)) {
        const int year = match.captured().toInt();
        if (year >= 1880 && year <= 2100)
            return match.captured();
    }
    return QStringLiteral("0000");
}

QString discsEntry(const QString& written)
{
    static const QRegularExpression decimalComma(QStringLiteral(R"(^\d+,\d+$)"));
    QString text = oneLine(written);
    if (text.isEmpty())
        return QStringLiteral("1");
    if (decimalComma.match(text).hasMatch())
        text.replace(u',', u'.');
    return text;
}

QString peopleEntry(const QStringList& people)
{
    static const QRegularExpression separators(QStringLiteral(R"([;|\r\n])"));
    const QStringList names = splitValues(people, separators);
    return names.isEmpty() ? kDashes : names.join(QStringLiteral(", "));
}

QString notesEntry(const QString& plot, const QString& comments)
{
    QStringList parts;
    for (QString part : {plot, comments}) {
        part.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
        part = part.trimmed();
        if (!part.isEmpty())
            parts.append(part);
    }
    return parts.isEmpty() ? kDashes : parts.join(QStringLiteral("\n\n"));
}

QString loanDateEntry(const QString& written)
{
    static const QRegularExpression iso(QStringLiteral(R"(^(\d{4})-(\d{1,2})-(\d{1,2})(?:[T ].*)?$)"));
    static const QRegularExpression dayFirst(
            QStringLiteral(R"(^(\d{1,2})([/.-])(\d{1,2})\2(\d{4}|\d{2})(?: .*)?$)"));
    const QString text = written.trimmed();
    QDate date;
    if (const QRegularExpressionMatch match = iso.match(text); match.hasMatch()) {
        date = QDate(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
    } else if (const QRegularExpressionMatch match = dayFirst.match(text); match.hasMatch()) {
        int year = match.captured(4).toInt();
        if (match.captured(4).size() == 2)
            year += year < 70 ? 2000 : 1900;
        date = QDate(year, match.captured(3).toInt(), match.captured(1).toInt());
    }
    return date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

MappedCatalogue mapFilms(const QList<ImportedFilm>& films, const ReferenceLists& lists)
{
    GrowingList genres(lists.genre), videoCodecs(lists.video), audioCodecs(lists.audio);
    const auto finder = [](const GrowingList& list) {
        return [&list](const QString& value) { return list.find(value); };
    };
    MappedCatalogue catalogue;
    catalogue.films.reserve(films.size());
    for (const ImportedFilm& film : films) {
        MappedFilm mapped = mapWith(film, finder(genres), finder(videoCodecs), finder(audioCodecs));
        takeIn(mapped.type_film, mapped.newGenre, genres, catalogue.newEntries.genre);
        takeIn(mapped.codec_Film, mapped.newVideoCodec, videoCodecs, catalogue.newEntries.video);
        takeIn(mapped.codec_Son, mapped.newAudioCodec, audioCodecs, catalogue.newEntries.audio);
        catalogue.films.append(std::move(mapped));
    }
    return catalogue;
}

}  // namespace files
