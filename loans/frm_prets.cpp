#include "loans/frm_prets.h"

#include "app/Connection.h"
#include "store/DbError.h"
#include "store/Fold.h"
#include "ui/Controls.h"
#include "ui/Guard.h"
#include "ui/ListView.h"
#include "ui/Platform.h"
#include "ui/Twips.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <algorithm>
#include <limits>

using namespace ui;

namespace {

// The rows of the loans late, and of those due within the next three days.
const QColor kEnRetard(192, 0, 0);
const QColor kBientot(200, 100, 0);
constexpr int kJoursAvantEcheance = 3;

enum Onglet { EnCours = 0, Historique = 1, Emprunteurs = 2 };

QString nombre(qint64 value) { return QString::number(value); }

// A borrower as the lists name him, a name of blanks too.
QString nom_affiche(const QString& nom)
{
    return nom.trimmed().isEmpty() ? QStringLiteral("(sans nom)") : nom;
}

}  // namespace

frm_prets& frm_prets::instance()
{
    static frm_prets form;
    return form;
}

frm_prets::frm_prets() : TypedForm(QStringLiteral("frm_prets")) { }

void frm_prets::build(QMainWindow* window, QWidget* client)
{
    frm_pretsControls& c = controls_;
    window->setWindowTitle(QStringLiteral("Suivi des prêts"));

    c.tab_prets = new QTabWidget(client);
    c.tab_prets->setObjectName(QStringLiteral("tab_prets"));
    place(c.tab_prets, 120, 120, 10560, 6120);
    buildCurrent();
    buildHistory();
    buildBorrowers();

    c.lbl_duree = makeLabel(client, QStringLiteral("lbl_duree"), QStringLiteral("Durée de prêt par défaut :"),
                            120, 6420, 2040, 255);
    c.spn_duree = new QSpinBox(client);
    c.spn_duree->setObjectName(QStringLiteral("spn_duree"));
    c.spn_duree->setRange(0, store::Loans::kLongestLength);
    c.spn_duree->setSpecialValueText(QStringLiteral("Aucune"));
    c.spn_duree->setSuffix(QStringLiteral(" jour(s)"));
    place(c.spn_duree, 2160, 6360, 1440, 330);
    nameAfter(c.spn_duree, c.lbl_duree);
    c.cmd_duree = makeButton(client, QStringLiteral("cmd_duree"), QStringLiteral("Appliquer"), 3720, 6345,
                             1215, 375);
    c.lbl_duree_aide = makeLabel(client, QStringLiteral("lbl_duree_aide"),
                                 QStringLiteral("pour l'échéance des prêts à venir"), 5055, 6420, 2880, 255);
    c.cmd_fermer =
            makeButton(client, QStringLiteral("cmd_fermer"), QStringLiteral("Fermer"), 9225, 6345, 1455, 375);

    connectControls();
}

namespace {

// A page of the tabs, named.
QWidget* page(QTabWidget* tabs, const char* name, const char* caption)
{
    auto* made = new QWidget;
    made->setObjectName(QString::fromLatin1(name));
    tabs->addTab(made, QString::fromUtf8(caption));
    return made;
}

struct Column {
    const char* caption;
    int width;
    Qt::Alignment alignment = Qt::AlignHCenter;
};

// A list across a page, below its top, with what a screen reader calls it and its columns: the
// first one's texts to the left, the others' centred.
ListView* list(QWidget* page, const char* name, const char* heard, int top, int height,
               std::initializer_list<Column> columns)
{
    auto* made = new ListView(page);
    made->setObjectName(QString::fromLatin1(name));
    made->setAccessibleName(QString::fromUtf8(heard));
    place(made, 120, top, 10200, height);
    for (const Column& column : columns)
        made->addColumn(QString::fromUtf8(column.caption), column.width,
                        made->columnCount() == 0 ? Qt::AlignLeft : column.alignment);
    return made;
}

}  // namespace

void frm_prets::buildCurrent()
{
    frm_pretsControls& c = controls_;
    c.pge_en_cours = page(c.tab_prets, "pge_en_cours", "En cours");
    // The key rides in a last column of no width.
    c.lst_en_cours = list(c.pge_en_cours, "lst_en_cours", "Prêts en cours", 120, 4335,
                          {{"Titre", 3900},
                           {"Emprunteur", 2100, Qt::AlignLeft},
                           {"Prêté le", 1200},
                           {"Échéance", 1200},
                           {"Jours de retard", 1500},
                           {"", 0}});
    c.lbl_legende =
            makeLabel(c.pge_en_cours, QStringLiteral("lbl_legende"),
                      QStringLiteral("En rouge, les prêts en retard ; en orange, ceux à rendre dans les "
                                     "trois jours."),
                      120, 4560, 10200, 255);
    c.lbl_echeance = makeLabel(c.pge_en_cours, QStringLiteral("lbl_echeance"), QStringLiteral("Échéance :"),
                               120, 5025, 900, 255);
    c.dtp_echeance = new QDateEdit(c.pge_en_cours);
    c.dtp_echeance->setObjectName(QStringLiteral("dtp_echeance"));
    c.dtp_echeance->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    c.dtp_echeance->setCalendarPopup(true);
    place(c.dtp_echeance, 1020, 4980, 1500, 330);
    nameAfter(c.dtp_echeance, c.lbl_echeance);
    c.cmd_echeance = makeButton(c.pge_en_cours, QStringLiteral("cmd_echeance"),
                                QStringLiteral("Fixer l'échéance"), 2640, 4965, 1800, 375);
    c.cmd_sans_echeance = makeButton(c.pge_en_cours, QStringLiteral("cmd_sans_echeance"),
                                     QStringLiteral("Sans échéance"), 4560, 4965, 1800, 375);
    c.cmd_retour = makeButton(c.pge_en_cours, QStringLiteral("cmd_retour"),
                              QStringLiteral("Enregistrer le retour"), 8220, 4965, 2100, 375);
}

void frm_prets::buildHistory()
{
    frm_pretsControls& c = controls_;
    c.pge_historique = page(c.tab_prets, "pge_historique", "Historique");
    c.lbl_emprunteur = makeLabel(c.pge_historique, QStringLiteral("lbl_emprunteur"),
                                 QStringLiteral("Emprunteur :"), 120, 165, 1080, 255);
    c.cbo_emprunteur =
            makeDropDownList(c.pge_historique, QStringLiteral("cbo_emprunteur"), 1200, 120, 3000, 330);
    nameAfter(c.cbo_emprunteur, c.lbl_emprunteur);
    c.lbl_film = makeLabel(c.pge_historique, QStringLiteral("lbl_film"), QStringLiteral("Film :"), 4440, 165,
                           600, 255);
    c.txt_film = makeTextBox(c.pge_historique, QStringLiteral("txt_film"), QString(), 5040, 120, 3000, 330);
    nameAfter(c.txt_film, c.lbl_film);
    c.cmd_tout = makeButton(c.pge_historique, QStringLiteral("cmd_tout"), QStringLiteral("Tout afficher"),
                            8385, 98, 1935, 375);
    c.lst_historique = list(c.pge_historique, "lst_historique", "Historique des prêts", 570, 4770,
                            {{"Titre", 3900},
                             {"Emprunteur", 2100, Qt::AlignLeft},
                             {"Du", 1200},
                             {"Au", 1200},
                             {"Jours", 900}});
}

void frm_prets::buildBorrowers()
{
    frm_pretsControls& c = controls_;
    c.pge_emprunteurs = page(c.tab_prets, "pge_emprunteurs", "Emprunteurs");
    c.lst_emprunteurs =
            list(c.pge_emprunteurs, "lst_emprunteurs", "Emprunteurs", 120, 4770,
                 {{"Emprunteur", 3900}, {"Films sortis", 1500}, {"Prêts", 1200}, {"Retards", 1200}});
    c.lbl_aide =
            makeLabel(c.pge_emprunteurs, QStringLiteral("lbl_aide"),
                      QStringLiteral("Choisir un emprunteur limite l'historique à ses prêts ; un double clic "
                                     "l'affiche."),
                      120, 5025, 10200, 255);
}

void frm_prets::connectControls()
{
    const frm_pretsControls& c = controls_;
    onEvent(c.lst_en_cours, &ListView::click, [this] { lst_en_cours_Click(); });
    onEvent(c.cmd_echeance, &QPushButton::clicked, [this] { cmd_echeance_Click(true); });
    onEvent(c.cmd_sans_echeance, &QPushButton::clicked, [this] { cmd_echeance_Click(false); });
    onEvent(c.cmd_retour, &QPushButton::clicked, [this] { cmd_retour_Click(); });
    onEvent(c.cbo_emprunteur, &QComboBox::currentIndexChanged, [this](int index) {
        const QVariant cle = controls().cbo_emprunteur->itemData(index);
        filtre_emprunteur_ = cle.isValid() ? std::optional(cle.toString()) : std::nullopt;
        remplir_historique();
    });
    onEvent(c.txt_film, &QLineEdit::textEdited, [this] { txt_film_Change(); });
    onEvent(c.cmd_tout, &QPushButton::clicked, [this] { cmd_tout_Click(); });
    onEvent(c.lst_emprunteurs, &ListView::click, [this] { lst_emprunteurs_Click(false); });
    onEvent(c.lst_emprunteurs, &ListView::dblClick, [this] { lst_emprunteurs_Click(true); });
    onEvent(c.cmd_duree, &QPushButton::clicked, [this] { cmd_duree_Click(); });
    onEvent(c.cmd_fermer, &QPushButton::clicked, [this] { unload(); });
}

void frm_prets::onLoad() { remplir(); }

void frm_prets::onUnload()
{
    historique_.clear();
    en_cours_.clear();
    emprunteurs_.clear();
    titres_plies_.clear();
}

void frm_prets::montrer()
{
    filtre_emprunteur_.reset();
    filtre_film_.reset();
    filtre_titre_.clear();
    if (isLoaded())
        remplir();
    else
        load();
    controls().txt_film->clear();
    controls().tab_prets->setCurrentIndex(EnCours);
    show();
}

void frm_prets::montrer_film(qint16 code)
{
    filtre_emprunteur_.reset();
    filtre_film_ = code;
    filtre_titre_.clear();
    if (isLoaded())
        remplir();
    else
        load();
    // The film's title says which film the history shows; typing there looks for another.
    const std::optional<store::Film> film = Connection::instance().films().find(code);
    controls().txt_film->setText(film ? film->nom_film : QString());
    controls().tab_prets->setCurrentIndex(Historique);
    show();
}

void frm_prets::remplir()
{
    store::Loans prets = Connection::instance().prets();
    aujourdhui_ = platform().now().date();
    historique_ = prets.history();
    controls().spn_duree->setValue(prets.defaultLength().value_or(0));
    remplir_en_cours();
    remplir_emprunteurs();
    remplir_historique();
}

QString frm_prets::jour(const QDate& day)
{
    if (!day.isValid())
        return QString();
    auto shown = jours_.constFind(day.toJulianDay());
    if (shown == jours_.cend())
        shown = jours_.insert(day.toJulianDay(), day.toString(QStringLiteral("dd/MM/yyyy")));
    return *shown;
}

void frm_prets::remplir_en_cours()
{
    ListView* liste = controls().lst_en_cours;
    const store::Loan* avant = pret_choisi();
    // Past every key: no loan was selected.
    const int choisi = avant ? avant->code_film : std::numeric_limits<int>::max();
    en_cours_.clear();
    for (const store::Loan& pret : std::as_const(historique_))
        if (pret.isOut())
            en_cours_.append(pret);
    // The next due first, the loans without a due day after them, the oldest first.
    std::stable_sort(en_cours_.begin(), en_cours_.end(), [](const store::Loan& a, const store::Loan& b) {
        if (a.due.isNull() != b.due.isNull())
            return b.due.isNull();
        return a.due != b.due ? a.due < b.due : a.lent < b.lent;
    });
    QList<store::ListedRow> lignes;
    for (const store::Loan& pret : std::as_const(en_cours_)) {
        const int retard = pret.daysLate(aujourdhui_);
        lignes.append({store::Loans::shownTitle(pret.code_film, pret.title), pret.borrower, jour(pret.lent), jour(pret.due),
                       retard > 0 ? nombre(retard) : QString(), nombre(pret.code_film)});
    }
    liste->setRows(std::move(lignes));
    for (int ligne = 0; ligne < en_cours_.size(); ++ligne) {
        const store::Loan& pret = en_cours_[ligne];
        if (pret.isLate(aujourdhui_))
            liste->setRowColour(ligne, kEnRetard);
        else if (pret.due.isValid() && aujourdhui_.daysTo(pret.due) <= kJoursAvantEcheance)
            liste->setRowColour(ligne, kBientot);
        if (choisi == pret.code_film)
            liste->selectRow(ligne);
    }
    lst_en_cours_Click();
}

void frm_prets::remplir_emprunteurs()
{
    const frm_pretsControls& c = controls();
    const int avant = c.lst_emprunteurs->selectedRow();
    const QString choisi = avant >= 0 && avant < emprunteurs_.size() ? emprunteurs_[avant].key : QString();
    emprunteurs_ = store::Loans::borrowers(historique_, aujourdhui_);
    QList<store::ListedRow> lignes;
    const QSignalBlocker quiet(c.cbo_emprunteur);
    c.cbo_emprunteur->clear();
    c.cbo_emprunteur->addItem(QStringLiteral("Tous les emprunteurs"));
    for (const store::Borrower& emprunteur : std::as_const(emprunteurs_)) {
        lignes.append({nom_affiche(emprunteur.name), nombre(emprunteur.out), nombre(emprunteur.loans),
                       nombre(emprunteur.late)});
        c.cbo_emprunteur->addItem(nom_affiche(emprunteur.name), emprunteur.key);
    }
    c.lst_emprunteurs->setRows(std::move(lignes));
    for (int ligne = 0; ligne < emprunteurs_.size(); ++ligne)
        if (!choisi.isNull() && emprunteurs_[ligne].key == choisi)
            c.lst_emprunteurs->selectRow(ligne);
    // A borrower no longer in the history filters nothing.
    const int filtre = filtre_emprunteur_ ? c.cbo_emprunteur->findData(*filtre_emprunteur_) : 0;
    if (filtre < 0)
        filtre_emprunteur_.reset();
    c.cbo_emprunteur->setCurrentIndex(std::max(filtre, 0));
}

void frm_prets::remplir_historique()
{
    const QString cherche = store::fold(filtre_titre_);
    QHash<QString, QString> cles;  // of the names met, each folded once
    QList<store::ListedRow> lignes;
    lignes.reserve(historique_.size());
    for (const store::Loan& pret : std::as_const(historique_)) {
        if (filtre_film_ && pret.code_film != *filtre_film_)
            continue;
        if (filtre_emprunteur_) {
            auto cle = cles.constFind(pret.borrower);
            if (cle == cles.cend())
                cle = cles.insert(pret.borrower, store::Loans::borrowerKey(pret.borrower));
            if (*cle != filtre_emprunteur_)
                continue;
        }
        if (!cherche.isEmpty()) {
            auto plie = titres_plies_.constFind(pret.title);
            if (plie == titres_plies_.cend())
                plie = titres_plies_.insert(pret.title, store::fold(pret.title));
            if (!plie->contains(cherche))
                continue;
        }
        lignes.append({store::Loans::shownTitle(pret.code_film, pret.title), pret.borrower, jour(pret.lent),
                       pret.isOut() ? QStringLiteral("en cours") : jour(pret.returned),
                       nombre(pret.days(aujourdhui_))});
    }
    controls().lst_historique->setRows(std::move(lignes));
}

const store::Loan* frm_prets::pret_choisi() const
{
    if (!isLoaded())
        return nullptr;
    const int ligne = controls_.lst_en_cours->selectedRow();
    return ligne >= 0 && ligne < en_cours_.size() ? &en_cours_[ligne] : nullptr;
}

void frm_prets::lst_en_cours_Click()
{
    const frm_pretsControls& c = controls();
    const store::Loan* pret = pret_choisi();
    for (QWidget* control :
         std::initializer_list<QWidget*> {c.dtp_echeance, c.cmd_echeance, c.cmd_sans_echeance, c.cmd_retour})
        control->setEnabled(pret != nullptr);
    if (!pret) {
        c.dtp_echeance->clearMinimumDate();
        c.dtp_echeance->setDate(aujourdhui_);
        return;
    }
    // No due day before the day lent; a loan without one is offered today.
    c.dtp_echeance->setMinimumDate(pret->lent);
    c.dtp_echeance->setDate(pret->due.isValid() ? pret->due : std::max(aujourdhui_, pret->lent));
    c.cmd_sans_echeance->setEnabled(pret->due.isValid());
}

void frm_prets::cmd_echeance_Click(bool avec_echeance)
{
    const store::Loan* pret = pret_choisi();
    if (!pret) {
        msgBox(QStringLiteral("Choisissez un prêt dans la liste"), Icon::Information);
        return;
    }
    const qint16 code = pret->code_film;
    const QDate echeance = avec_echeance ? controls().dtp_echeance->date() : QDate();
    bool encore_sorti = false;
    try {
        encore_sorti = Connection::instance().prets().setDue(code, echeance);
    } catch (const store::DbError& error) {
        msgBox(QStringLiteral("L'échéance n'a pas pu être enregistrée :\r\n") + error.message(),
               Icon::Exclamation);
        return;
    }
    // The history's rows show no due day: the films out and the borrowers are shown again.
    store::Loan* lu = pret_ouvert(code);
    if (encore_sorti && lu && aujourdhui_ == platform().now().date()) {
        lu->due = echeance;
        remplir_en_cours();
        remplir_emprunteurs();
    } else {
        remplir();
    }
    emit dueDayChanged();
}

void frm_prets::cmd_retour_Click()
{
    const store::Loan* pret = pret_choisi();
    if (!pret) {
        msgBox(QStringLiteral("Choisissez un prêt dans la liste"), Icon::Information);
        return;
    }
    const qint16 code = pret->code_film;
    if (askYesNo(QStringLiteral("« %1 », prêté à %2, est-il bien revenu ?")
                         .arg(store::Loans::shownTitle(pret->code_film, pret->title), nom_affiche(pret->borrower)),
                 Icon::Question)
        != Answer::Yes)
        return;
    const QDate rendu = platform().now().date();
    try {
        Connection::instance().films().giveBack(code, rendu);
    } catch (const store::DbError& error) {
        // As the loan box tells it.
        msgBox(QStringLiteral("Le retour du film n'a pas pu être enregistré :\r\n") + error.message(),
               Icon::Exclamation);
        return;
    }
    // Closed as the history closes it, never before the day lent.
    store::Loan* lu = pret_ouvert(code);
    if (lu && aujourdhui_ == rendu) {
        lu->returned = std::max(rendu, lu->lent);
        remplir_en_cours();
        remplir_emprunteurs();
        remplir_historique();
    } else {
        remplir();
    }
    emit loanReturned(code);
}

store::Loan* frm_prets::pret_ouvert(qint16 code)
{
    for (store::Loan& pret : historique_)
        if (pret.code_film == code && pret.isOut())
            return &pret;
    return nullptr;
}

void frm_prets::cmd_duree_Click()
{
    const int jours = controls().spn_duree->value();
    try {
        Connection::instance().prets().setDefaultLength(jours > 0 ? std::optional(jours) : std::nullopt);
    } catch (const store::DbError& error) {
        msgBox(QStringLiteral("La durée de prêt n'a pas pu être enregistrée :\r\n") + error.message(),
               Icon::Exclamation);
    }
}

void frm_prets::lst_emprunteurs_Click(bool voir_historique)
{
    const frm_pretsControls& c = controls();
    const int ligne = c.lst_emprunteurs->selectedRow();
    if (ligne < 0 || ligne >= emprunteurs_.size())
        return;
    // The history follows the list of names, which tells which borrower it shows.
    c.cbo_emprunteur->setCurrentIndex(std::max(c.cbo_emprunteur->findData(emprunteurs_[ligne].key), 0));
    if (voir_historique)
        c.tab_prets->setCurrentIndex(Historique);
}

void frm_prets::txt_film_Change()
{
    filtre_film_.reset();
    filtre_titre_ = controls().txt_film->text();
    remplir_historique();
}

void frm_prets::cmd_tout_Click()
{
    const frm_pretsControls& c = controls();
    filtre_film_.reset();
    filtre_titre_.clear();
    c.txt_film->clear();
    // Back to every borrower, which shows the history anew.
    if (c.cbo_emprunteur->currentIndex() != 0)
        c.cbo_emprunteur->setCurrentIndex(0);
    else
        remplir_historique();
}
