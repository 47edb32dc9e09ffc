#pragma once

namespace store {

class Database;

// Writes that reach the catalogue together or not at all: begun when made, rolled back when it goes
// uncommitted (a write that threw). Inside a transaction the caller already holds, it is a savepoint
// of it, so a service that writes several tables may be called from a larger piece of work.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    Database& db_;
    bool nested_;
    bool finished_ = false;
};

}  // namespace store
