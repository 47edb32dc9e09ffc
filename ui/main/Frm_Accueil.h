#pragma once

#include "store/Films.h"
#include "ui/Form.h"

class LoanBox;
class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTimer;

namespace ui {
class ListView;
}

// The columns of the main list: a film's, with the key in cell 5, or a loan's, with the key in cell 3.
enum class ListLayout { Loans = 0, Films = 1 };

struct Frm_AccueilControls {
    QGroupBox* fra_search = nullptr;
    QLineEdit* txt_search = nullptr;

    QGroupBox* fra_info = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* lbl_langue = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* lbl_qual = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* lbl_codec = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* lbl_son = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* lbl_nbr = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lbl_duree = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* lbl_annee = nullptr;
    QPushButton* Bt_Modif = nullptr;
    QPushButton* Bt_Supp = nullptr;

    QGroupBox* Fra_stat = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* lbl_stat_nbr = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* lbl_stat_dvd = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* lbl_stat_pret = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* lbl_dispo = nullptr;

    LoanBox* pret = nullptr;

    QPushButton* cmd_new = nullptr;
    ui::ListView* List = nullptr;
    QLabel* lbldouble = nullptr;
    QGroupBox* fra_export = nullptr;
    QProgressBar* Progbar = nullptr;
    QStatusBar* StatusBar1 = nullptr;

    QMenu* fichier = nullptr;
    QAction* mnufilm = nullptr;
    QAction* mnuajoutquick = nullptr;
    QAction* mnuimporter = nullptr;
    QAction* mnus1 = nullptr;
    QAction* mnuexporter = nullptr;
    QAction* mnu_excel = nullptr;
    QAction* mnuapercu = nullptr;
    QAction* mnus = nullptr;
    QAction* mnuquit = nullptr;
    QMenu* mnu_voir = nullptr;
    QAction* mnuliste = nullptr;
    QAction* mnusuivi = nullptr;
    QAction* e = nullptr;
    QAction* mnulistF = nullptr;
    QAction* mnu_dvd = nullptr;
    QAction* i = nullptr;
    QAction* mnu_liste_fr = nullptr;
    QAction* mnu_liste_E = nullptr;
    QAction* mnus2 = nullptr;
    QAction* mnu_tous_champs = nullptr;
    QAction* mnus_stats = nullptr;
    QAction* mnu_stats = nullptr;
    QMenu* mnu_option = nullptr;
    QAction* mnu_audio = nullptr;
    QAction* mnu_restaurer = nullptr;
    QMenu* mnua = nullptr;
    QAction* mnupropos = nullptr;

    // Wakes the window when the day changes, for the late loans of its caption.
    QTimer* tmr_jour = nullptr;
};

// The main window, the hub of the program: search box, summary of the selected film, loan box,
// counters and the list. It opens the other windows and reacts to what they tell it (closed, a film
// saved, films added, the catalogue replaced); none of them knows it.
class Frm_Accueil : public ui::TypedForm<Frm_AccueilControls> {
    Q_OBJECT
public:
    static Frm_Accueil& instance();

    // Empties the list and sets its columns.
    void iniliste(ListLayout Index);
    ListLayout type_liste = ListLayout::Films;

    // Fills the list with a list of films and recomputes the four counters.
    void chargeliste(const store::FilmList& requete);

    // The key of the film last selected in the list; 0 before any selection.
    qint16 code_selection = 0;
    // Reads the key of the selected row into code_selection; any failure leaves it as it was.
    void lire_selection();

protected:
    Frm_Accueil();
    void build(QMainWindow* window, QWidget* client) override;
    QSize designSize() const override { return {11175, 8475}; }
    void onLoad() override;
    void onResize() override;

private:
    void listenToTheOtherWindows();
    void buildSummary(QWidget* client);
    void buildCounters(QWidget* client);
    void connectControls();

    void actualiser_compteurs();
    // The caption tells how many loans are late today: "Cinabrel - 2 prêt(s) en retard", or
    // "Cinabrel" when none is; read again when the day changes.
    void actualiser_retards();
    // After a return recorded in the loans window: the counters, the loan box of that film, the
    // list of loans when it shows.
    void pret_rendu(qint16 code);
    // The loans window, when open, reads the loans again after a change made here.
    void actualiser_suivi();
    void List_Click();
    void List_DblClick();
    void txt_search_Change();
    // "Rechercher dans tous les champs": the choice kept in the catalogue, the search made again.
    void mnu_tous_champs_Click();
    // The catalogue's choice of search, read again at load and when the catalogue is replaced.
    void readSearchChoice();
    void mnuliste_Click();
    void cmd_new_Click();
    void Bt_Modif_Click();
    void Bt_Supp_Click();
    void mnu_excel_Click();
    // The list entries "Liste des Films", "Liste des Dvd", "Liste Film Français" and "Liste Film Etranger".
    void afficher_liste(const store::FilmList& requete, bool vider_recherche);
    // After the whole catalogue was replaced: no film selected, every film listed.
    void catalogue_remplace();
    // Forgets the selected film: no key, an empty summary, the loan box as at load.
    void oublier_selection();
    // Every film in title order in the film columns, as after a change of the catalogue.
    void recharger_tout();
};
