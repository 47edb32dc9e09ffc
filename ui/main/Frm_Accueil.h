#pragma once

#include "ui/Form.h"

class QLabel;
class QLineEdit;
class QCheckBox;
class QPushButton;

namespace ui {
class ListView;
}

// The main window: search box, summary of the selected film, loan box, counters and the list.
class Frm_Accueil : public ui::Form {
public:
    static Frm_Accueil& instance();

    // Sets the list's columns: 1 the film layout, 0 the loan layout.
    void iniliste(int Index);
    // 1 while the film layout is shown, 0 while the loan layout is shown.
    qint16 type_liste = 0;

    ui::ListView* List();

    // Reads the key of the selected row into code_selection; any failure leaves it as it was.
    void lire_selection();

protected:
    Frm_Accueil();
    void build(QMainWindow* window, QWidget* client) override;
    QSize designSize() const override { return {11175, 8475}; }
    void onLoad() override;
    void onResize() override;

private:
    // Film commands, list menus, about and quit (Commands.cpp).
    void connectCommands();
    void cmd_new_Click();
    void Bt_Modif_Click();
    void Bt_Supp_Click();
    void mnulistF_Click();
    void mnu_dvd_Click();
    void mnu_liste_fr_Click();
    void mnu_liste_E_Click();
    // Forgets the selected film: no key, an empty summary, the loan box as at load.
    void oublier_selection();

    void buildMenus(QMainWindow* window);
    void connectExports(QMainWindow* window);

    // Selection, summary, sort and search (Selection.cpp).
    void connectSelection();
    void List_Click();
    void List_DblClick();
    void List_ColumnClick(int column);
    void txt_search_Change();

    // The loan box and the list of lent films (Loans.cpp).
    void connectLoans();
    void chk_pret_Click();
    void startLoan();
    void askReturn();
    void cmd_pret_Click();
    void mnuliste_Click();
    void showLoanFields(bool shown);
};
