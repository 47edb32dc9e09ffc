#include "SampleCatalogue.h"

#include "store/Database.h"
#include "store/Dialect.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStringList>

namespace bench {

namespace {

QString isoDay(const QDate& day) { return day.toString(Qt::ISODate); }

// The loans' history: each lent film's open loan, some of them late, and kPastLoans loans returned
// over six years by a few hundred borrowers, whose names come in several letter cases.
void fillHistory(store::Database& db, int films, QRandomGenerator& random)
{
    const QStringList first = {"Rémi", "Léa",   "Paul",   "Zoé",    "Hélène", "Jean-Pierre", "Chloé",
                               "Marc", "Anaïs", "Benoît", "Inès",   "Noël",   "Éric",        "Maëlle",
                               "Yann", "Agnès", "Lucas",  "Céline", "Jérôme", "Françoise"};
    const QStringList last = {"Martin", "Bernard", "Dubois",   "Thomas", "Robert",  "Richard", "Petit",
                              "Durand", "Leroy",   "Moreau",   "Simon",  "Laurent", "Lefèvre", "Michel",
                              "Garcia", "David",   "Bertrand", "Roux",   "Vincent", "Fournier"};
    const store::Statement insert {QStringLiteral("INSERT INTO pret VALUES (?, ?, ?, ?, ?)"), {}};
    const auto loan = [&](int code, const QString& borrower, const QDate& lent, const QDate& due,
                          const QDate& back) {
        store::Statement row = insert;
        row.values = {qint64(code), borrower, isoDay(lent),
                      due.isValid() ? store::BoundValue(isoDay(due)) : nullptr,
                      back.isValid() ? store::BoundValue(isoDay(back)) : nullptr};
        db.execute(row);
    };
    const QDate lentOut(2026, 12, 1);
    for (int code = 97; code <= films; code += 97)
        loan(code, QStringLiteral("Ami %1").arg(code), lentOut,
             code % 3 == 0           ? lentOut.addDays(2)
                     : code % 3 == 1 ? lentOut.addDays(8)
                                     : QDate(),
             QDate());
    const QDate since(2020, 12, 1);
    for (int i = 0; i < kPastLoans; ++i) {
        QString borrower = first[random.bounded(first.size())] + u' ' + last[random.bounded(last.size())];
        if (random.bounded(4) == 0)
            borrower = borrower.toLower();
        const QDate lent = since.addDays(random.bounded(2150));
        const QDate back = lent.addDays(1 + random.bounded(60));
        loan(1 + int(random.bounded(films)), borrower, lent,
             random.bounded(10) < 7 ? lent.addDays(21) : QDate(), back);
    }
}

}  // namespace

void fillCatalogue(const QString& cataloguePath, int count)
{
    const QStringList words = {"l'été",      "Éléphant", "nuit",    "Œuvre",   "amour", "à",     "Paris",
                               "crépuscule", "the",      "dernier", "cœur",    "île",   "abîme", "garçon",
                               "l'ombre",    "zèbre",    "Abbaye",  "mystère", "jours", "étoile"};
    const QStringList genres = {"----",
                                "Action",
                                "Animation",
                                "Aventure",
                                "Comédie",
                                "Comédie dramatique",
                                "Documentaire",
                                "Drame",
                                "Fantastique",
                                "Guerre",
                                "Horreur",
                                "Policier",
                                "Science-fiction",
                                "Thriller",
                                "Western"};
    const QStringList qualities = {"Mauvais", "Moyenne", "Bonne", "Exellente", "DvD", "--"};
    const QStringList formats = {"Avi", "Mpg", "Divx", "Rmvb", "Svcd", "Wma", "Dvd"};
    const QStringList languages = {"Français", "Anglais", "Espagnol", "Italien", "Allemenad", "Autres"};
    QRandomGenerator random(20261206);
    auto db = store::Database::open(cataloguePath);
    db->execute(QStringLiteral("BEGIN"));
    for (int code = 1; code <= count; ++code) {
        QStringList title;
        const int length = 1 + int(random.bounded(7));
        for (int i = 0; i < length; ++i)
            title.append(words[random.bounded(words.size())]);
        const bool lent = code % 97 == 0;
        auto q = [](const QString& v) { return store::quotedText(v); };
        db->execute(
                QStringLiteral(
                        "INSERT INTO film VALUES (%1,%2,%3,%4,%5,%6,%7,%8,%9,%10,%11,%12,%13,%14,%15,%16)")
                        .arg(code)
                        .arg(q(title.join(u' ')), q(genres[code % genres.size()]),
                             q(QString::number(1 + code % 3)), q(qualities[code % qualities.size()]),
                             q(formats[code % formats.size()]),
                             q(QStringLiteral("Notes du film %1").arg(code)),
                             q(languages[code % languages.size()]), q(QStringLiteral("DivX")))
                        .arg(q(QStringLiteral("MP3")),
                             q(QStringLiteral("%1h%2").arg(code % 3).arg(code % 60, 2, 10, QChar(u'0'))),
                             q(QStringLiteral("Réalisateur %1").arg(code % 500)), q(QStringLiteral("Acteur")),
                             q(QString::number(1950 + code % 75)),
                             lent ? q(QStringLiteral("Ami %1").arg(code)) : QStringLiteral("NULL"),
                             lent ? q(QStringLiteral("01/12/2026")) : QStringLiteral("NULL")));
    }
    fillHistory(*db, count, random);
    db->execute(QStringLiteral("COMMIT"));
}

void makeVideoTree(const QString& root, int folders, int filesPerFolder, const QString& copyOf,
                   const QString& nfoOf)
{
    QDir dir(root);
    for (int f = 0; f < folders; ++f) {
        const QString folder = QStringLiteral("Dossier %1").arg(f, 3, 10, QChar(u'0'));
        dir.mkpath(folder);
        for (int i = 0; i < filesPerFolder; ++i) {
            const QString path = dir.filePath(
                    QStringLiteral("%1/Film n°%2 l'été.avi").arg(folder).arg(f * filesPerFolder + i));
            if (copyOf.isEmpty())
                QFile(path).open(QIODevice::WriteOnly);
            else
                QFile::copy(copyOf, path);
            if (!nfoOf.isEmpty())
                QFile::copy(nfoOf, path.chopped(4) + QStringLiteral(".nfo"));
        }
        QFile other(dir.filePath(folder + QStringLiteral("/pochette.jpg")));
        other.open(QIODevice::WriteOnly);
    }
}

}  // namespace bench
