#pragma once

#include "store/Statistics.h"

#include <QList>
#include <QString>
#include <array>
#include <optional>

namespace stats {

// One table of the statistics by value: its list's name, its frame's caption, and the caption of
// its value column, which names its sheet in the workbook.
struct TableLook {
    const char* name;
    const char* caption;
    const char* valueCaption;
};

// The tables in the order of the store's fields, then the decades.
inline constexpr std::array<TableLook, store::kCountedFields.size() + 1> kTables = {{
        {"lst_genre", "Films par genre", "Genre"},
        {"lst_format", "Films par format", "Format"},
        {"lst_qualite", "Films par qualité", "Qualité"},
        {"lst_langue", "Films par langue", "Langue"},
        {"lst_codec_video", "Films par codec vidéo", "Codec vidéo"},
        {"lst_codec_audio", "Films par codec audio", "Codec audio"},
        {"lst_disques", "Films par nombre de disques", "Disques"},
        {"lst_decennie", "Films par décennie", "Décennie"},
}};

// The rows of the table at that place in kTables.
const QList<store::Group>& groupsOf(const store::Statistics& statistics, std::size_t table);

// A row's value as the table shows it: "(vide)" for the films without one; a decade as "années
// 1990", the films without a year as "sans année".
QString valueText(const store::Group& group);

// One of the totals: its caption, what the window shows, the number the workbook holds (minutes
// for a running time, nothing for an average of no film) and its unit, and the films behind it.
struct Total {
    QString caption;
    QString shown;
    std::optional<qint64> number;
    QString unit;
    store::FilmList list;
};
QList<Total> totalsOf(const store::Statistics& statistics);

// "1 234": the thousands apart with a space.
QString countText(qint64 number);
// "1 234 h 56 min".
QString runningTimeText(qint64 minutes);
// A row's share of the films, "33,3 %".
QString shareText(qint64 films, qint64 all);

}  // namespace stats
