#pragma once

#include "store/Backups.h"
#include "store/Database.h"
#include "store/Films.h"
#include "store/Loans.h"

#include <QString>
#include <memory>

// The open catalogue and its services: the one session of the program, made in main() before the
// windows open and gone once they are all unloaded, before the application object. The windows
// reach it through instance().
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // The session of the program; throws when none is made.
    static Connection& instance();

    // Opens the catalogue file; throws DbError when it cannot be opened as a catalogue.
    void open(const QString& cataloguePath);
    void close() { cnx_.reset(); }
    bool isOpen() const { return cnx_ != nullptr; }

    // The one connection to the catalogue; throws when none is open.
    store::Database& cnx();
    store::Films films() { return store::Films(cnx()); }
    store::Backups sauvegardes() { return store::Backups(cnx()); }
    store::Loans prets() { return store::Loans(cnx()); }

    // Backs up the catalogue, at start-up only once a day and when it holds a film. A failure is
    // told in one message and the program goes on.
    void sauvegarde_automatique(bool au_demarrage);

private:
    std::unique_ptr<store::Database> cnx_;
};
