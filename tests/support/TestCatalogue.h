#pragma once

#include "store/Database.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <initializer_list>
#include <memory>
#include <optional>
#include <utility>

namespace testing {

// One film for the test catalogue; every column has a plausible value unless set.
struct Film {
    int code = 0;
    QString nom = QStringLiteral("Film");
    QString type = QStringLiteral("Action");
    QString cd = QStringLiteral("1");
    QString qualite = QStringLiteral("Bonne");
    QString format = QStringLiteral("Avi");
    QString obs = QStringLiteral("-");
    QString langue = QStringLiteral("Français");
    QString codecVideo = QStringLiteral("DivX");
    QString codecSon = QStringLiteral("MP3");
    QString duree = QStringLiteral("01h30");
    QString realisateur = QStringLiteral("-");
    QString acteur = QStringLiteral("-");
    QString annee = QStringLiteral("2000");
    std::optional<QString> pret = std::nullopt;
    std::optional<QString> datePret = std::nullopt;
};

// A film with its key and title; the listed columns are set, the others keep their values above.
Film film(int code, const QString& nom = QStringLiteral("Film"),
          std::initializer_list<std::pair<QString Film::*, QString>> columns = {});

// Every row of a statement, each column as text ("<NULL>" for NULL).
QList<QStringList> rowsOf(store::Database& db, const QString& statement);

// Every film of a catalogue, every column as text ("<NULL>" for NULL), in key order: two
// snapshots are equal exactly when no film was added, lost or changed.
QList<QStringList> filmRows(store::Database& db);

// The engine's own verdict on the whole file: "ok" when it is sound.
QString integrityCheck(store::Database& db);

// A temporary folder holding BD/Film.mdb, an empty catalogue unless told not to make one, and a
// connection of the test's own to it.
class TestCatalogue {
public:
    explicit TestCatalogue(bool withCatalogue = true);
    virtual ~TestCatalogue();

    QString folder() const { return dir_.path(); }
    QString path(const QString& relative) const;
    QString cataloguePath() const { return path(QStringLiteral("BD/Film.mdb")); }

    store::Database& db();
    void closeDb() { db_.reset(); }
    void insert(const Film& film);
    // Films 1 to count in one transaction, "Film n°<key>", each with a long remark so that a list
    // reads many pages of the file; every fourth film is lent.
    void fill(int count);
    int count(const QString& where = QString());
    // The catalogue as "key title", in key order.
    QStringList films();

private:
    QTemporaryDir dir_;
    std::unique_ptr<store::Database> db_;
};

}  // namespace testing
