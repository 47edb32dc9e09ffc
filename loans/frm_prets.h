#pragma once

#include "store/Loans.h"
#include "ui/Form.h"

#include <QHash>
#include <QList>
#include <optional>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QWidget;

namespace ui {
class ListView;
}

struct frm_pretsControls {
    QTabWidget* tab_prets = nullptr;

    QWidget* pge_en_cours = nullptr;
    ui::ListView* lst_en_cours = nullptr;
    QLabel* lbl_legende = nullptr;
    QLabel* lbl_echeance = nullptr;
    QDateEdit* dtp_echeance = nullptr;
    QPushButton* cmd_echeance = nullptr;
    QPushButton* cmd_sans_echeance = nullptr;
    QPushButton* cmd_retour = nullptr;

    QWidget* pge_historique = nullptr;
    QLabel* lbl_emprunteur = nullptr;
    QComboBox* cbo_emprunteur = nullptr;
    QLabel* lbl_film = nullptr;
    QLineEdit* txt_film = nullptr;
    QPushButton* cmd_tout = nullptr;
    ui::ListView* lst_historique = nullptr;

    QWidget* pge_emprunteurs = nullptr;
    ui::ListView* lst_emprunteurs = nullptr;
    QLabel* lbl_aide = nullptr;

    QLabel* lbl_duree = nullptr;
    QSpinBox* spn_duree = nullptr;
    QPushButton* cmd_duree = nullptr;
    QLabel* lbl_duree_aide = nullptr;
    QPushButton* cmd_fermer = nullptr;
};

// "Suivi des prêts": the films out now with their due days, every loan ever made, and everyone who
// borrowed; the default loan length. It records returns and due days through the store and tells
// the main window what changed.
class frm_prets : public ui::TypedForm<frm_pretsControls> {
    Q_OBJECT
public:
    static frm_prets& instance();

    // Shows the window on the films out, every loan in the history.
    void montrer();
    // Shows the window on the history of one film.
    void montrer_film(qint16 code);
    // Reads the loans again, the filters and the selected loan kept, as after a change made elsewhere.
    void remplir();

signals:
    // A film came back: it is at home, its loan closed.
    void loanReturned(qint16 code);
    // A due day was set or removed: the number of late loans may have changed.
    void dueDayChanged();

protected:
    frm_prets();
    void build(QMainWindow* window, QWidget* client) override;
    QSize designSize() const override { return {10800, 6900}; }
    void onLoad() override;
    void onUnload() override;

private:
    void buildCurrent();
    void buildHistory();
    void buildBorrowers();
    void connectControls();

    void remplir_en_cours();
    void remplir_historique();
    void remplir_emprunteurs();
    // The selected loan of "En cours"; nothing when none is.
    const store::Loan* pret_choisi() const;
    // A film's open loan among those read, to follow a change made here without reading every loan
    // again; nothing when none is.
    store::Loan* pret_ouvert(qint16 code);
    void lst_en_cours_Click();
    void cmd_echeance_Click(bool avec_echeance);
    void cmd_retour_Click();
    void cmd_duree_Click();
    void lst_emprunteurs_Click(bool voir_historique);
    void txt_film_Change();
    // Every loan, filters cleared.
    void cmd_tout_Click();

    // A day as the program shows dates, "dd/MM/yyyy"; empty for none.
    QString jour(const QDate& day);

    QDate aujourdhui_;
    // Every loan, the latest first, as read at the last filling.
    QList<store::Loan> historique_;
    // The loans out, in the rows' order of "En cours".
    QList<store::Loan> en_cours_;
    QList<store::Borrower> emprunteurs_;
    // The history's filters: a borrower's key, a film's key or a text of its title.
    std::optional<QString> filtre_emprunteur_;
    std::optional<qint16> filtre_film_;
    QString filtre_titre_;
    // The folded titles, and the days as shown, made once each.
    QHash<QString, QString> titres_plies_;
    QHash<qint64, QString> jours_;
};
