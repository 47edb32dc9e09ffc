#include "quickadd/Frm_ajoutquick.h"

#include "app/Connection.h"
#include "files/ProgramFolder.h"
#include "quickadd/parcourir.h"
#include "store/BulkWrites.h"
#include "store/Films.h"
#include "ui/Controls.h"
#include "ui/Guard.h"
#include "ui/Platform.h"
#include "ui/Twips.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <exception>

using namespace ui;

namespace {

// Name order with letter case ignored, so a scan numbers the films the same way on every system;
// names that differ only in case keep a fixed order too.
QFileInfoList parNom(QFileInfoList entries)
{
    std::sort(entries.begin(), entries.end(), [](const QFileInfo& a, const QFileInfo& b) {
        const int order = a.fileName().compare(b.fileName(), Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a.fileName() < b.fileName();
    });
    return entries;
}

// The listings leave out hidden entries and the system's special files; a folder that cannot be
// listed gives an empty listing, so the scan goes on without it.
QFileInfoList fichiers(const QString& folder)
{
    return parNom(QDir(folder).entryInfoList(QDir::Files, QDir::Unsorted));
}

// Links to folders are not followed: a link back up the tree would make the walk endless.
QFileInfoList sous_repertoires(const QString& folder)
{
    QFileInfoList entries =
            QDir(folder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Unsorted);
    entries.removeIf([](const QFileInfo& entry) { return entry.isJunction(); });
    return parNom(entries);
}

// The entries' names, in their order.
QStringList noms(const QFileInfoList& entries)
{
    QStringList names;
    names.reserve(entries.size());
    for (const QFileInfo& entry : entries)
        names.append(entry.fileName());
    return names;
}

// A scan that leaves out the known films says how many it left out, none included.
QString texte_compteur(int films, int connus, bool avec_connus)
{
    QString texte = QStringLiteral("%1 film(s) ajouté(s)").arg(films);
    if (avec_connus)
        texte += QStringLiteral(", %1 déjà au catalogue").arg(connus);
    return texte;
}

// What a scan cannot do without the reference lists, told with their failure.
QString sans_listes(const files::ReferenceListError& error, bool codecs, bool genres)
{
    QString texte = error.message();
    if (codecs)
        texte += QStringLiteral("\r\nLes codecs des films ajoutés resteront « Autres » et « Autre ».");
    if (genres)
        texte += QStringLiteral(
                "\r\nLes genres lus dans les fichiers .nfo ne seront pas ajoutés à la liste des genres.");
    return texte;
}

// Repainting the count for every film would cost more than adding it.
constexpr qint64 kIntervalleAffichageMs = 50;

}  // namespace

Frm_ajoutquick& Frm_ajoutquick::instance()
{
    static Frm_ajoutquick form;
    return form;
}

Frm_ajoutquick::Frm_ajoutquick() : TypedForm(QStringLiteral("Frm_ajoutquick")) { }

void Frm_ajoutquick::build(QMainWindow* window, QWidget* client)
{
    Frm_ajoutquickControls& c = controls_;
    window->setWindowTitle(QStringLiteral("Ajout rapide de Divx"));

    c.Label1 = makeLabel(client, QStringLiteral("Label1"), QStringLiteral("/!\\ATTENTION /!\\"), 120, 120,
                         1455, 255);
    c.Label1->setFont(arial(8.25, true));
    c.Label2 = makeLabel(
            client, QStringLiteral("Label2"),
            QStringLiteral("Cette fonction permet de récuperer à partir du répertoire de votre choix "
                           "et de tous ses sous-répertoires  les noms de tous les fichiers portant "
                           "l'extention .AVI"),
            120, 480, 4335, 735);
    c.Label3 =
            makeLabel(client, QStringLiteral("Label3"),
                      QStringLiteral("Le nom du film portera le nom du fichier (sans l'extension).     Vous "
                                     "pouvez modifier par la suite les films ainsi trouver"),
                      120, 1200, 4335, 495);
    for (QLabel* label : {c.Label2, c.Label3}) {
        label->setFont(arial(8.25));
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

    c.txt_parcourir = makeTextBox(client, QStringLiteral("txt_parcourir"), QString(), 120, 2040, 1815, 285);
    c.txt_parcourir->setEnabled(false);
    c.txt_parcourir->setAccessibleName(QStringLiteral("Répertoire des films"));
    c.cmd_parcourir = makeButton(client, QStringLiteral("cmd_parcourir"), QStringLiteral("Parcourir"), 2160,
                                 2040, 1575, 255);
    // All three ticked at every opening.
    c.chk_lire_fichiers =
            makeCheckBox(client, QStringLiteral("chk_lire_fichiers"),
                         QStringLiteral("Lire la durée et les codecs des fichiers"), 120, 2400, 4335, 255);
    c.chk_ignorer_connus =
            makeCheckBox(client, QStringLiteral("chk_ignorer_connus"),
                         QStringLiteral("Ignorer les films déjà au catalogue"), 120, 2700, 4335, 255);
    c.chk_tous_les_formats =
            makeCheckBox(client, QStringLiteral("chk_tous_les_formats"),
                         QStringLiteral("Tous les fichiers vidéo (.mkv, .mp4, …)"), 120, 3000, 4335, 255);
    for (QCheckBox* box : {c.chk_lire_fichiers, c.chk_ignorer_connus, c.chk_tous_les_formats}) {
        box->setFont(arial(8.25));
        box->setChecked(true);
    }
    c.cmd_lancer = makeButton(client, QStringLiteral("cmd_lancer"),
                              QStringLiteral("Lancer la recherche et l'ajout"), 120, 3360, 3255, 255);
    c.lbl_compte = makeLabel(client, QStringLiteral("lbl_compte"), QString(), 120, 3720, 4335, 255);
    c.lbl_compte->setFont(arial(8.25));

    onEvent(c.cmd_parcourir, &QPushButton::clicked, [this] { cmd_parcourir_Click(); });
    onEvent(c.cmd_lancer, &QPushButton::clicked, [this] { cmd_lancer_Click(); });
}

void Frm_ajoutquick::onUnload()
{
    if (en_cours_) {
        arret_ = true;
        ferme_ = true;
    }
}

void Frm_ajoutquick::cmd_parcourir_Click()
{
    controls().txt_parcourir->setText(choisir_repertoire(
            window(), QStringLiteral("Séléctionnez le répertoire de Film"), repertoire_de_depart()));
}

void Frm_ajoutquick::cmd_lancer_Click()
{
    // One scan at a time: a window opened again while the last scan winds down ignores the button.
    if (en_cours_)
        return;
    const Frm_ajoutquickControls& c = controls();
    const QString texte = c.txt_parcourir->text();
    // An empty folder box scans from the root of the current drive.
    const QString depart =
            QDir(texte.isEmpty() ? QStringLiteral("/") : QDir::fromNativeSeparators(texte)).absolutePath();

    ignorer_connus_ = c.chk_ignorer_connus->isChecked();
    tous_les_formats_ = c.chk_tous_les_formats->isChecked();
    const bool lire = c.chk_lire_fichiers->isChecked();
    // The codecs take their names from the lists, the genres of the .nfo files join them.
    std::optional<files::ReferenceLists> listes;
    if (lire || tous_les_formats_) {
        try {
            listes = files::readReferenceLists(files::referenceListsPath());
        } catch (const files::ReferenceListError& error) {
            // The scan goes on: only the lists' names are missing.
            msgBox(sans_listes(error, lire, tous_les_formats_), Icon::Exclamation);
        }
    }
    details_ = std::make_unique<FoundFilmDetails>(lire, std::move(listes));

    window()->setCursor(Qt::WaitCursor);
    c.cmd_parcourir->setEnabled(false);
    c.cmd_lancer->setEnabled(false);
    // A scan may add thousands of films at once: the catalogue as it was is kept first. A backup that
    // fails is told before the scan, which goes on: the user asked for it.
    Connection::instance().sauvegarde_automatique(false);
    compteur_ = c.lbl_compte;
    films_ajoutes_ = 0;
    films_connus_ = 0;
    compteur_->setText(texte_compteur(0, 0, ignorer_connus_));
    depuis_affichage_.invalidate();
    en_cours_ = true;
    arret_ = false;
    ferme_ = false;

    // Whatever ends the scan, the films added so far are shown in the main list.
    std::exception_ptr echec;
    try {
        store::BulkWrites bulk(Connection::instance().cnx());
        RecurseTree(depart);
    } catch (...) {
        echec = std::current_exception();
    }
    en_cours_ = false;
    enregistrer_genres();
    details_.reset();
    if (!ferme_)
        unload();
    emit filmsAdded();
    if (echec)
        std::rethrow_exception(echec);
}

void Frm_ajoutquick::RecurseTree(const QString& CurrentPath)
{
    const QFileInfoList entrees = fichiers(CurrentPath);
    const files::FilmFolder dossier(CurrentPath, noms(entrees), tous_les_formats_);
    // Read again in every folder: numbering goes on after the last film added so far.
    int code = Connection::instance().films().nextKey();
    for (qsizetype i = 0; i < entrees.size(); ++i) {
        // The title is the .nfo's when it gives one: the known films are compared on it.
        const std::optional<files::FilmOnDisk> trouve = dossier.film(i);
        if (trouve && ignorer_connus_ && Connection::instance().films().hasTitle(trouve->title)) {
            // Left out, it takes no key: the next file gets the key it would have had.
            ++films_connus_;
            montrer_compte();
        } else {
            if (trouve) {
                if (code > store::Films::kLastKey) {
                    montrer_compte(true);
                    msgBox(QStringLiteral("Plus aucun numéro de film n'est disponible (32767 au plus)"),
                           Icon::Exclamation);
                    arret_ = true;
                    return;
                }
                ajouter_film(code, *trouve);
            }
            // Every other file moves the key on, film or not.
            ++code;
        }
        platform().processEvents();
        if (arret_)
            return;
    }

    const QFileInfoList subfolders = sous_repertoires(CurrentPath);
    platform().processEvents();
    for (const QFileInfo& subfolder : subfolders) {
        if (arret_)
            return;
        RecurseTree(subfolder.filePath());
    }
}

void Frm_ajoutquick::ajouter_film(int code, const files::FilmOnDisk& trouve)
{
    const store::FilmDetails film = details_->of(trouve);
    Connection::instance().films().insert(code, film);
    ++films_ajoutes_;
    montrer_compte();
}

void Frm_ajoutquick::montrer_compte(bool tout_de_suite)
{
    if (!compteur_)
        return;
    if (!tout_de_suite && depuis_affichage_.isValid() && depuis_affichage_.elapsed() < kIntervalleAffichageMs)
        return;
    compteur_->setText(texte_compteur(films_ajoutes_, films_connus_, ignorer_connus_));
    depuis_affichage_.restart();
}

void Frm_ajoutquick::enregistrer_genres()
{
    try {
        details_->saveNewGenres(files::referenceListsPath());
    } catch (const files::ReferenceListError& error) {
        // The films keep their genres; only the list goes without them.
        msgBox(error.message()
                       + QStringLiteral(
                               "\r\nLes nouveaux genres des films ajoutés n'ont pas été ajoutés à la "
                               "liste des genres."),
               Icon::Exclamation);
    }
}
