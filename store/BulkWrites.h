#pragma once

namespace store {

class Database;

// Work that commits many films and tells their count at its end (the quick add, an import) holds
// one of these around its loop. Every commit of the connection is otherwise synced before it
// returns, a wait on the disk per film; while the scope lives, commits are not synced one by one, so
// a power cut may take back the last of them (whole films, never half of one, and only the last
// ones: the journal keeps them in order). When the scope ends, one sync of the journal makes every
// one of them durable, before the count is told. Without the scope the work is only slower.
//
// Every commit of the connection meanwhile waits for that end, a hand edit made in another window
// during the scan included.
class BulkWrites {
public:
    explicit BulkWrites(Database& db);
    ~BulkWrites();
    BulkWrites(const BulkWrites&) = delete;
    BulkWrites& operator=(const BulkWrites&) = delete;

private:
    Database& db_;
    // The connection's sync level to put back, when this scope relaxed it; -1 otherwise.
    int restored_ = -1;
};

}  // namespace store
