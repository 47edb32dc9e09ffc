#pragma once

#include "store/Database.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace testing {

// Every row of a statement, each column as text ("<NULL>" for NULL).
QList<QStringList> rowsOf(store::Database& db, const QString& statement);
QList<QStringList> rowsOf(store::Database& db, const store::Statement& statement);

// Every film of a catalogue, every column as text ("<NULL>" for NULL), in key order: two
// snapshots are equal exactly when no film was added, lost or changed.
QList<QStringList> filmRows(store::Database& db);

// The engine's own verdict on the whole file: "ok" when it is sound.
QString integrityCheck(store::Database& db);

// A temporary folder holding BD/Film.mdb, an empty catalogue, and a connection of the test's own
// to it.
class TestCatalogue {
public:
    TestCatalogue();
    virtual ~TestCatalogue();

    QString folder() const { return dir_.path(); }
    QString path(const QString& relative) const;
    QString cataloguePath() const { return path(QStringLiteral("BD/Film.mdb")); }

    store::Database& db();
    void closeDb() { db_.reset(); }
    // A film with its key and title; every other column has a plausible value unless given here by
    // its short name (type, cd, qualite, format, obs, langue, video, son, duree, realisateur, acteur,
    // annee, pret, date); the loan's two are NULL unless given.
    void insert(int code, const QString& title = QStringLiteral("Film"),
                const QMap<QString, QString>& columns = {});
    // Films 1 to count in one transaction, "Film n°<key>", each with a long remark so that a list
    // reads many pages of the file; every fourth film is lent.
    void fill(int count);
    int count();
    // The catalogue as "key title", in key order.
    QStringList films();

private:
    QTemporaryDir dir_;
    std::unique_ptr<store::Database> db_;
};

}  // namespace testing
