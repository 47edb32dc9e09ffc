#pragma once

struct sqlite3;

namespace store {

class Database;
class DbError;

// The text that a search of every field looks into, for each film: its title, genre, director,
// actors, year and notes folded (store::fold) into one text, in UTF-8. They are kept in the table
// film_recherche beside film, one row a film, by triggers on film written in plain SQL: any program
// that writes film (an older Cinabrel, SQLite's tools) keeps working, and the rows of the films it
// added or changed are marked to be folded again (a NULL text), which the program does before its
// next search.
class SearchTexts {
public:
    explicit SearchTexts(Database& db) : db_(db) { }

    // Makes the triggers when missing or not as this version writes them, and rebuilds the texts
    // unless every film has its row, no row lacks its film and all were folded by this version's
    // fold; then folds the marked texts. What cannot be written now is tried again at the next
    // search when another program held the catalogue, once the catalogue has changed when the disk
    // or the file refused. At opening and after a restore.
    void keepInStep();

    // Before a change of film: after any change committed by another program (which may have
    // dropped the table its triggers write to), the table and its triggers are checked, and made
    // again when missing or changed.
    void beforeChange();

    // Before a search: the same, then the marked texts folded. True when the table holds the text of
    // every film as it stands; false when it could not be brought up to date, and the search must
    // fold the films as it reads them.
    bool bringUpToDate();

    // The searched columns of film, in the order cinabrel_pli takes them.
    static const char* searchedColumns();

    // Registers on a connection cinabrel_pli(text, …), its texts folded as one, in UTF-8, as a blob
    // (empty, never NULL), and cinabrel_contient(folded, words), whether every word of words (a
    // folded text) is found in folded.
    static void registerFunctions(sqlite3* db);

private:
    void recheck();
    void refused(const DbError& error);
    // Folds the texts marked since they were last folded.
    void refold();
    bool tableMade();
    bool triggersAsWritten();
    bool foldedByThisVersion();
    bool textsInStep();
    void rebuild(bool withTriggers);

    Database& db_;
};

}  // namespace store
