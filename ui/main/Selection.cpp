#include "app/Connection.h"
#include "editor/Frm_Visu.h"
#include "ui/Guard.h"
#include "ui/ListView.h"
#include "ui/main/Frm_Accueil.h"

#include <stdexcept>

using namespace ui;

void Frm_Accueil::connectSelection()
{
    onEvent(List(), &ListView::dblClick, [this] { List_DblClick(); });
}

void Frm_Accueil::lire_selection()
{
    ListView* list = List();
    const int row = list->selectedRow();
    if (list->rowCount() == 0 || row < 0)
        return;
    try {
        bool isNumber = false;
        const qint16 key = list->cellText(row, type_liste == 1 ? 5 : 3).trimmed().toShort(&isNumber);
        if (isNumber)
            Connection::code_selection = key;
    } catch (const std::out_of_range&) {
        // A row without a key cell selects nothing.
    }
}

void Frm_Accueil::List_DblClick()
{
    ListView* list = List();
    const int row = list->selectedRow();
    if (row < 0 || list->rowText(row) == Connection::placeholderRow())
        return;
    lire_selection();
    Frm_Visu::instance().montrer();
}
