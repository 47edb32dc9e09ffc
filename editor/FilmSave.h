#pragma once

class Frm_New;

namespace store {
class DbError;
}

namespace editor {

// The click of Bt_Enreg: checks the title, writes the film, closes the editor and tells it saved;
// any failure shows one message and leaves the editor open.
void enregistrer(Frm_New& editor);

// The message of a save that failed, with the cause when the disk or another program is at fault.
void tellNotSaved(const store::DbError& error);

}  // namespace editor
