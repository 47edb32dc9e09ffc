#include "quickadd/Frm_ajoutquick.h"

#include "app/Connection.h"
#include "files/CodecEntries.h"
#include "files/ProgramFolder.h"
#include "quickadd/parcourir.h"
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

const QString kExtension = QStringLiteral(".avi");

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

// The title of a film file: its name less the extension ".avi", whatever its letter case; ""
// for any other file, and for a name that is only the extension.
QString titre_du_film(const QString& fileName)
{
    if (!fileName.endsWith(kExtension, Qt::CaseInsensitive))
        return QString();
    return fileName.chopped(kExtension.size());
}

// A scan that leaves out the known films says how many it left out, none included.
QString texte_compteur(int films, int connus, bool avec_connus)
{
    QString texte = QStringLiteral("%1 film(s) ajouté(s)").arg(films);
    if (avec_connus)
        texte += QStringLiteral(", %1 déjà au catalogue").arg(connus);
    return texte;
}

// What the file's headers tell replaces the defaults; what they do not tell, and a codec that the
// lists do not name, keeps them.
void completer(store::FilmDetails& film, const files::VideoFileFacts& faits,
               const files::ReferenceLists& listes)
{
    const auto remplacer = [](QString& colonne, const QString& valeur) {
        if (!valeur.isEmpty())
            colonne = valeur;
    };
    remplacer(film.duree, files::durationText(faits.durationMs));
    remplacer(film.codec_Film, files::videoCodecEntry(faits, listes.video));
    remplacer(film.codec_Son, files::audioCodecEntry(faits, listes.audio));
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
    // Both ticked at every opening.
    c.chk_lire_fichiers =
            makeCheckBox(client, QStringLiteral("chk_lire_fichiers"),
                         QStringLiteral("Lire la durée et les codecs des fichiers"), 120, 2400, 4335, 255);
    c.chk_ignorer_connus =
            makeCheckBox(client, QStringLiteral("chk_ignorer_connus"),
                         QStringLiteral("Ignorer les films déjà au catalogue"), 120, 2700, 4335, 255);
    for (QCheckBox* box : {c.chk_lire_fichiers, c.chk_ignorer_connus}) {
        box->setFont(arial(8.25));
        box->setChecked(true);
    }
    c.cmd_lancer = makeButton(client, QStringLiteral("cmd_lancer"),
                              QStringLiteral("Lancer la recherche et l'ajout"), 120, 3060, 3255, 255);
    c.lbl_compte = makeLabel(client, QStringLiteral("lbl_compte"), QString(), 120, 3420, 4335, 255);
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
    listes_ = {};
    lecteur_.reset();
    if (c.chk_lire_fichiers->isChecked()) {
        lecteur_ = std::make_unique<files::VideoFileReader>();
        try {
            listes_ = files::readReferenceLists(files::referenceListsPath());
        } catch (const files::ReferenceListError& error) {
            // The running times are still read; only the codecs go without their names.
            msgBox(error.message()
                           + QStringLiteral(
                                   "\r\nLes codecs des films ajoutés resteront « Autres » et « Autre »."),
                   Icon::Exclamation);
        }
    }

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
        RecurseTree(depart);
    } catch (...) {
        echec = std::current_exception();
    }
    en_cours_ = false;
    lecteur_.reset();
    if (!ferme_)
        unload();
    emit filmsAdded();
    if (echec)
        std::rethrow_exception(echec);
}

void Frm_ajoutquick::RecurseTree(const QString& CurrentPath)
{
    const QFileInfoList files = fichiers(CurrentPath);
    // Read again in every folder: numbering goes on after the last film added so far.
    int code = Connection::instance().films().nextKey();
    for (const QFileInfo& file : files) {
        const QString titre = titre_du_film(file.fileName());
        if (!titre.isEmpty() && ignorer_connus_ && Connection::instance().films().hasTitle(titre)) {
            // Left out, it takes no key: the next file gets the key it would have had.
            ++films_connus_;
            montrer_compte();
        } else {
            if (!titre.isEmpty()) {
                if (code > store::Films::kLastKey) {
                    montrer_compte(true);
                    msgBox(QStringLiteral("Plus aucun numéro de film n'est disponible (32767 au plus)"),
                           Icon::Exclamation);
                    arret_ = true;
                    return;
                }
                ajouter_film(code, titre, file.filePath());
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

void Frm_ajoutquick::ajouter_film(int code, const QString& titre, const QString& chemin)
{
    store::FilmDetails film = store::Films::foundOnDisk(titre);
    if (lecteur_)
        completer(film, lecteur_->read(chemin), listes_);
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
