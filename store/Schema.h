#pragma once

namespace store {

class Database;

// Makes the tables the program keeps beside film when the catalogue lacks them: a catalogue of an
// older version, or one restored from an older backup. The table film, its columns and its rows are
// never touched. A catalogue that cannot be written (a read-only file) is left as it is. The search's
// folded texts are then brought in step with the films (SearchTexts::keepInStep).
void completeSchema(Database& db);

}  // namespace store
