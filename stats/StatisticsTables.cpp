#include "stats/StatisticsTables.h"

#include <QLocale>

namespace stats {

namespace {

const QLocale& french()
{
    static const QLocale locale(QLocale::French, QLocale::France);
    return locale;
}

// French writes its numbers with narrow or no-break spaces: the window writes plain ones.
QString plainSpaces(QString text)
{
    for (QChar& c : text)
        if (c.isSpace())
            c = u' ';
    return text;
}

}  // namespace

const QList<store::Group>& groupsOf(const store::Statistics& statistics, std::size_t table)
{
    return table < statistics.byField.size() ? statistics.byField[table] : statistics.byDecade;
}

QString valueText(const store::Group& group)
{
    if (group.list.kind == store::FilmList::Kind::Decade)
        return QStringLiteral("années ") + group.value;
    if (group.list.kind == store::FilmList::Kind::WithoutYear)
        return QStringLiteral("sans année");
    return group.value.isEmpty() ? QStringLiteral("(vide)") : group.value;
}

QList<Total> totalsOf(const store::Statistics& statistics)
{
    using Kind = store::FilmList::Kind;
    const store::Counters& counters = statistics.counters;
    const std::optional<qint64> average = statistics.averageMinutes();
    return {
            {QStringLiteral("Films"),
             countText(counters.films()),
             counters.films(),
             {},
             store::FilmList::all()},
            {QStringLiteral("DVD"),
             countText(counters.dvd),
             counters.dvd,
             {},
             {Kind::Quality, QStringLiteral("dvd")}},
            {QStringLiteral("Prêtés"),
             countText(counters.lent),
             counters.lent,
             {},
             store::FilmList::of(Kind::Lent)},
            {QStringLiteral("À la maison"),
             countText(counters.atHome),
             counters.atHome,
             {},
             store::FilmList::of(Kind::AtHome)},
            {QStringLiteral("Durée totale"), runningTimeText(statistics.minutes), statistics.minutes,
             QStringLiteral("minutes"), store::FilmList::of(Kind::WithDuration)},
            {QStringLiteral("Durée moyenne"), average ? runningTimeText(*average) : QStringLiteral("--"),
             average, QStringLiteral("minutes"), store::FilmList::of(Kind::WithDuration)},
            {QStringLiteral("Sans durée"),
             countText(statistics.untimed),
             statistics.untimed,
             {},
             store::FilmList::of(Kind::WithoutDuration)},
    };
}

QString countText(qint64 number) { return plainSpaces(french().toString(number)); }

QString runningTimeText(qint64 minutes)
{
    return QStringLiteral("%1 h %2 min").arg(countText(minutes / 60)).arg(minutes % 60, 2, 10, QChar(u'0'));
}

QString shareText(qint64 films, qint64 all)
{
    const double percent = all > 0 ? 100.0 * double(films) / double(all) : 0.0;
    return plainSpaces(french().toString(percent, 'f', 1)) + QStringLiteral(" %");
}

}  // namespace stats
