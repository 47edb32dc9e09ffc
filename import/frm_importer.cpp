#include "import/frm_importer.h"

#include "app/Connection.h"
#include "files/CatalogueFileError.h"
#include "files/ProgramFolder.h"
#include "store/BulkWrites.h"
#include "store/DbError.h"
#include "ui/Controls.h"
#include "ui/Guard.h"
#include "ui/ListView.h"
#include "ui/Platform.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <optional>

using namespace ui;
using Fate = ImportPlan::Fate;

namespace {

const QString kFiltre = QStringLiteral("Catalogues (*.csv *.txt *.tc *.xml *.gcs)");

// Repainting the count for every film would cost more than writing it.
constexpr qint64 kIntervalleAffichageMs = 50;

// A report names this many new entries of a list at most: a file whose genre column holds something
// else would otherwise fill the screen.
constexpr int kEntreesNommees = 10;

QString texte_progres(int importes, int a_importer)
{
    return QStringLiteral("%1 film(s) importé(s) sur %2").arg(importes).arg(a_importer);
}

// "Genres ajoutés à la liste : Polar, Western", a line for each list that gained entries.
QString entrees_ajoutees(const files::ReferenceLists& entrees)
{
    QStringList lignes;
    for (const auto& [liste, ajoutees] : {std::pair {QStringLiteral("Genres"), entrees.genre},
                                          std::pair {QStringLiteral("Codecs vidéo"), entrees.video},
                                          std::pair {QStringLiteral("Codecs audio"), entrees.audio}}) {
        if (ajoutees.isEmpty())
            continue;
        QString ligne = liste + QStringLiteral(" ajoutés à la liste : ")
                + ajoutees.mid(0, kEntreesNommees).join(QStringLiteral(", "));
        if (ajoutees.size() > kEntreesNommees)
            ligne += QStringLiteral(" et %1 autre(s)").arg(ajoutees.size() - kEntreesNommees);
        lignes << ligne;
    }
    return lignes.join(QStringLiteral("\r\n"));
}

// The entries that the list lacks are added to it, each once, whatever the letter case.
void ajouter(QStringList& liste, const QStringList& entrees)
{
    for (const QString& entree : entrees) {
        if (!files::listEntry({entree}, liste).inList)
            liste.append(entree);
    }
}

}  // namespace

frm_importer& frm_importer::instance()
{
    static frm_importer form;
    return form;
}

frm_importer::frm_importer() : TypedForm(QStringLiteral("frm_importer")) { }

void frm_importer::build(QMainWindow* window, QWidget* client)
{
    frm_importerControls& c = controls_;
    window->setWindowTitle(QStringLiteral("Importer des films"));

    c.lbl_fichier = makeLabel(client, QStringLiteral("lbl_fichier"), QString(), 120, 120, 10560, 255);
    c.List = new ListView(client);
    c.List->setObjectName(QStringLiteral("List"));
    c.List->setAccessibleName(QStringLiteral("Films du fichier"));
    c.List->addColumn(QStringLiteral("Titre"), 3000);
    c.List->addColumn(QStringLiteral("Année"), 600, Qt::AlignHCenter);
    c.List->addColumn(QStringLiteral("Réalisateur"), 1900);
    c.List->addColumn(QStringLiteral("Genre"), 1300);
    c.List->addColumn(QStringLiteral("Durée"), 700);
    c.List->addColumn(QStringLiteral("Import"), 2800);
    c.chk_ignorer_connus =
            makeCheckBox(client, QStringLiteral("chk_ignorer_connus"),
                         QStringLiteral("Ignorer les films déjà au catalogue"), 120, 5220, 4815, 255);
    c.chk_ignorer_connus->setChecked(true);
    c.lbl_compte = makeLabel(client, QStringLiteral("lbl_compte"), QString(), 120, 5520, 7215, 255);
    c.Progbar = new QProgressBar(client);
    c.Progbar->setObjectName(QStringLiteral("Progbar"));
    c.Progbar->setAccessibleName(QStringLiteral("Films importés"));
    c.Progbar->setVisible(false);
    c.cmd_importer = makeButton(client, QStringLiteral("cmd_importer"), QStringLiteral("Importer"), 7560,
                                5820, 1455, 375);
    c.cmd_fermer =
            makeButton(client, QStringLiteral("cmd_fermer"), QStringLiteral("Fermer"), 9225, 5820, 1455, 375);
    onResize();

    onEvent(c.chk_ignorer_connus, &QCheckBox::toggled, [this] { lister(); });
    onEvent(c.cmd_importer, &QPushButton::clicked, [this] { cmd_importer_Click(); });
    onEvent(c.cmd_fermer, &QPushButton::clicked, [this] { unload(); });
}

void frm_importer::onResize()
{
    // The list takes what the window gains; the controls below it follow its bottom, the buttons
    // its right edge. A window smaller than designed keeps the designed places.
    const int gainedWidth = std::max(0, innerWidth() - designSize().width());
    const int gainedHeight = std::max(0, innerHeight() - designSize().height());
    const frm_importerControls& c = controls_;
    place(c.List, 120, 420, 10560 + gainedWidth, 4680 + gainedHeight);
    place(c.chk_ignorer_connus, 120, 5220 + gainedHeight, 4815, 255);
    place(c.lbl_compte, 120, 5520 + gainedHeight, 7215, 255);
    place(c.Progbar, 120, 5880 + gainedHeight, 7215, 255);
    place(c.cmd_importer, 7560 + gainedWidth, 5820 + gainedHeight, 1455, 375);
    place(c.cmd_fermer, 9225 + gainedWidth, 5820 + gainedHeight, 1455, 375);
}

void frm_importer::onUnload()
{
    if (en_cours_) {
        ferme_ = true;
        return;
    }
    plan_ = ImportPlan();
}

bool frm_importer::ouvrir(QWidget* owner)
{
    // A window closed during an import still winding down takes no other file.
    if (en_cours_)
        return false;
    const QString chemin = platform().chooseFile(
            owner, QStringLiteral("Choisissez le catalogue à importer"),
            dossier_de_depart.isEmpty() ? QDir::homePath() : dossier_de_depart, kFiltre);
    if (chemin.isEmpty())
        return false;
    dossier_de_depart = QFileInfo(chemin).absolutePath();

    std::optional<QString> refus, listes_illisibles;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto fleche = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        try {
            const files::CatalogueContent contenu = files::readCatalogueFile(chemin);
            if (contenu.films.isEmpty())
                throw files::CatalogueFileError(chemin, QStringLiteral("Il ne contient aucun film."));
            files::ReferenceLists listes;
            try {
                listes = files::readReferenceLists(files::referenceListsPath());
                listes_lues_ = true;
            } catch (const files::ReferenceListError& error) {
                // The films are imported all the same; their new genres and codecs stay theirs alone.
                listes_lues_ = false;
                listes_illisibles = error.message();
            }
            plan_ = ImportPlan(contenu, listes, Connection::instance().films());
        } catch (const files::CatalogueFileError& error) {
            refus = error.message();
        }
    }
    if (refus) {
        msgBox(*refus, Icon::Exclamation);
        return false;
    }
    if (listes_illisibles)
        msgBox(*listes_illisibles
                       + QStringLiteral(
                               "\r\nLes genres et les codecs que les listes n'ont pas ne leur seront "
                               "pas ajoutés."),
               Icon::Exclamation);

    const QFileInfo fichier(chemin);
    controls().lbl_fichier->setText(
            QStringLiteral("Films trouvés dans « %1 » (%2) :").arg(fichier.fileName(), plan_.formatName()));
    controls().lbl_fichier->setToolTip(QDir::toNativeSeparators(fichier.absoluteFilePath()));
    lister();
    show();
    return true;
}

void frm_importer::lister()
{
    const frm_importerControls& c = controls();
    const bool ignorer = c.chk_ignorer_connus->isChecked();
    QList<store::ListedRow> rows;
    rows.reserve(plan_.size());
    for (int i = 0; i < plan_.size(); ++i) {
        const files::MappedFilm& film = plan_.film(i);
        rows.append(store::ListedRow {film.nom_film, film.annee, film.realisateur, film.type_film, film.duree,
                                      ImportPlan::fateText(plan_.fate(i, ignorer))});
    }
    c.List->setRows(std::move(rows));
    const int a_importer = plan_.count(Fate::Import, ignorer);
    c.lbl_compte->setText(
            QStringLiteral("%1 film(s) dans le fichier : %2 à importer, %3 déjà au catalogue, "
                           "%4 ignoré(s)")
                    .arg(plan_.size())
                    .arg(a_importer)
                    .arg(plan_.count(Fate::InCatalogue, ignorer))
                    .arg(plan_.count(Fate::Untitled, ignorer) + plan_.count(Fate::Repeated, ignorer)));
    c.cmd_importer->setEnabled(a_importer > 0);
}

void frm_importer::cmd_importer_Click()
{
    // One import at a time.
    if (en_cours_)
        return;
    const frm_importerControls& c = controls();
    ignorer_connus_ = c.chk_ignorer_connus->isChecked();
    const int a_importer = plan_.count(Fate::Import, ignorer_connus_);
    window()->setCursor(Qt::WaitCursor);
    c.cmd_importer->setEnabled(false);
    c.chk_ignorer_connus->setEnabled(false);
    c.Progbar->setRange(0, a_importer);
    c.Progbar->show();
    compteur_ = c.lbl_compte;
    barre_ = c.Progbar;
    compteur_->setText(texte_progres(0, a_importer));
    depuis_affichage_.invalidate();

    // Running from here: a window closed while the backup's message waits ends the import before
    // its first film.
    en_cours_ = true;
    ferme_ = false;
    ecrits_.clear();
    // An import may add thousands of films at once: the catalogue as it was is kept first. A backup
    // that fails is told before the import, which goes on: the user asked for it.
    Connection::instance().sauvegarde_automatique(false);
    QString rapport;
    Icon icone = Icon::Information;
    {
        // Whatever ends the import, the window goes and the main list shows the films written.
        const auto fin = qScopeGuard([this] {
            en_cours_ = false;
            plan_ = ImportPlan();
            ecrits_.clear();
            if (!ferme_)
                unload();
            emit filmsImported();
        });
        Bilan bilan;
        try {
            ecrire_les_films(bilan);
        } catch (const store::DbError& error) {
            bilan.echec = error.message();
        }
        completer_les_listes(bilan);
        rapport = texte_rapport(bilan, icone);
    }
    // Not once the program ended meanwhile.
    if (ui::forms::loadedCount() > 0)
        msgBox(rapport, icone);
}

QString frm_importer::texte_rapport(const Bilan& bilan, Icon& icone) const
{
    QStringList lignes;
    icone = bilan.listes_echouees ? Icon::Exclamation : Icon::Information;
    if (bilan.echec) {
        lignes << QStringLiteral("L'import s'est arrêté sur une erreur :") << *bilan.echec;
        icone = Icon::Critical;
    } else if (bilan.plus_de_numero) {
        lignes << QStringLiteral(
                "Plus aucun numéro de film n'est disponible (32767 au plus) : l'import s'est arrêté.");
        icone = Icon::Exclamation;
    } else if (ferme_) {
        lignes << QStringLiteral("L'import a été interrompu.");
    }
    int restants = 0;
    for (int i = bilan.suivant; i < plan_.size(); ++i)
        restants += plan_.fate(i, ignorer_connus_) == Fate::Import ? 1 : 0;
    QString compte = QStringLiteral("%1 film(s) importé(s), %2 déjà au catalogue, %3 ignoré(s)")
                             .arg(bilan.importes)
                             .arg(plan_.count(Fate::InCatalogue, ignorer_connus_) + bilan.connus_entre_temps)
                             .arg(plan_.count(Fate::Untitled, ignorer_connus_)
                                  + plan_.count(Fate::Repeated, ignorer_connus_));
    if (restants > 0)
        compte += QStringLiteral(", %1 non importé(s)").arg(restants);
    lignes << compte;
    if (!bilan.sans_son_pret.isEmpty())
        lignes << bilan.sans_son_pret;
    if (!bilan.listes.isEmpty())
        lignes << bilan.listes;
    return lignes.join(QStringLiteral("\r\n"));
}

void frm_importer::ecrire_les_films(Bilan& bilan)
{
    store::Films catalogue = Connection::instance().films();
    // A loan the file gives no date for is dated the day of the import.
    const QString aujourdhui = platform().now().toString(QStringLiteral("dd/MM/yyyy"));
    int code = catalogue.nextKey();
    store::BulkWrites bulk(Connection::instance().cnx());
    for (int i = 0; i < plan_.size() && !ferme_; ++i) {
        bilan.suivant = i;
        if (plan_.fate(i, ignorer_connus_) != Fate::Import)
            continue;
        const files::MappedFilm& film = plan_.film(i);
        if (ignorer_connus_ && catalogue.hasTitle(film.nom_film)) {
            ++bilan.connus_entre_temps;
            continue;
        }
        if (code > store::Films::kLastKey) {
            bilan.plus_de_numero = true;
            return;
        }
        catalogue.insert(code, plan_.details(i));
        bilan.suivant = i + 1;
        ecrits_.append(i);
        ++bilan.importes;
        if (!film.borrower.isEmpty()) {
            bilan.sans_son_pret = QStringLiteral("« %1 » a été importé sans son prêt à %2.")
                                          .arg(film.nom_film, film.borrower);
            catalogue.lend(qint16(code), film.borrower, film.loanDate.isEmpty() ? aujourdhui : film.loanDate);
            bilan.sans_son_pret.clear();
        }
        ++code;
        montrer_progres(bilan.importes);
        platform().processEvents();
    }
    if (!ferme_)
        bilan.suivant = plan_.size();
}

void frm_importer::completer_les_listes(Bilan& bilan)
{
    const files::ReferenceLists entrees = plan_.newEntriesOf(ecrits_);
    if (!listes_lues_ || (entrees.genre.isEmpty() && entrees.video.isEmpty() && entrees.audio.isEmpty()))
        return;
    // Read again: the lists may have changed in the options window since the file was read.
    const QString chemin = files::referenceListsPath();
    try {
        files::ReferenceLists listes = files::readReferenceLists(chemin);
        ajouter(listes.genre, entrees.genre);
        ajouter(listes.video, entrees.video);
        ajouter(listes.audio, entrees.audio);
        files::writeReferenceLists(chemin, listes);
    } catch (const files::ReferenceListError& error) {
        bilan.listes =
                QStringLiteral("Les genres et les codecs nouveaux n'ont pas pu être ajoutés aux listes :\r\n")
                + error.message();
        bilan.listes_echouees = true;
        return;
    }
    bilan.listes = entrees_ajoutees(entrees);
}

void frm_importer::montrer_progres(int importes)
{
    if (!compteur_ || !barre_)
        return;
    if (depuis_affichage_.isValid() && depuis_affichage_.elapsed() < kIntervalleAffichageMs)
        return;
    compteur_->setText(texte_progres(importes, barre_->maximum()));
    barre_->setValue(importes);
    depuis_affichage_.restart();
}
