#pragma once

#include "store/LoanStatistics.h"
#include "store/Statistics.h"

#include <QList>
#include <QString>
#include <array>
#include <optional>

namespace stats {

// One table of the statistics by value: its list's name, its frame's caption, the captions of its
// value and of what its rows count, its value column's width in twips, and its sheet's name in the
// workbook.
struct TableLook {
    const char* name;
    const char* caption;
    const char* valueCaption;
    const char* countCaption;
    int valueWidth;
    const char* sheet;
};

// The tables in the order of the store's fields, then the decades, then the loans by film and by
// borrower.
inline constexpr std::array<TableLook, store::kCountedFields.size() + 3> kTables = {{
        {"lst_genre", "Films par genre", "Genre", "Films", 1700, "Genre"},
        {"lst_format", "Films par format", "Format", "Films", 1700, "Format"},
        {"lst_qualite", "Films par qualité", "Qualité", "Films", 1700, "Qualité"},
        {"lst_langue", "Films par langue", "Langue", "Films", 1700, "Langue"},
        {"lst_codec_video", "Films par codec vidéo", "Codec vidéo", "Films", 1700, "Codec vidéo"},
        {"lst_codec_audio", "Films par codec audio", "Codec audio", "Films", 1700, "Codec audio"},
        {"lst_disques", "Films par nombre de disques", "Disques", "Films", 1700, "Disques"},
        {"lst_decennie", "Films par décennie", "Décennie", "Films", 1700, "Décennie"},
        {"lst_films_pretes", "Films les plus prêtés", "Film", "Prêts", 2000, "Prêts par film"},
        {"lst_emprunteurs", "Emprunteurs les plus fréquents", "Emprunteur", "Prêts", 2000,
         "Prêts par emprunteur"},
}};
// The places of the loans' tables in kTables.
inline constexpr std::size_t kFilmsLentTable = store::kCountedFields.size() + 1;
inline constexpr std::size_t kBorrowersTable = kFilmsLentTable + 1;

// A row of a table: its value as shown, what it counts (films, or loans), the films behind it.
struct Row {
    QString value;
    qint64 count = 0;
    store::FilmList list;
};

// A table's rows and the whole its shares are of: every film, or every loan.
struct Table {
    QList<Row> rows;
    qint64 whole = 0;
};

// One figure of the totals or of the loans: its caption, what the window shows, the number the
// workbook holds (minutes for a running time, days for a loan's length, a share in percent; nothing
// for an average of nothing) and its unit, and the films behind it.
struct Total {
    QString caption;
    QString shown;
    std::optional<double> number;
    QString unit;
    store::FilmList list;
};

// What the window shows and the workbook holds, made once from the store's statistics.
struct Figures {
    QList<Total> totals;
    QList<Total> loans;
    std::array<Table, kTables.size()> tables;
};
Figures figuresOf(const store::Statistics& films, const store::LoanStatistics& loans);

// "1 234": the thousands apart with a space.
QString countText(qint64 number);
// A row's share of the whole, "33,3 %".
QString shareText(qint64 part, qint64 whole);

}  // namespace stats
