#include "ui/main/Frm_Accueil.h"

#include "app/Connection.h"
#include "backups/frm_sauvegarde.h"
#include "editor/FilmSave.h"
#include "editor/Frm_New.h"
#include "editor/Frm_Visu.h"
#include "export/ExporterExcel.h"
#include "export/ListingFile.h"
#include "files/ProgramFolder.h"
#include "files/Workbook.h"
#include "import/frm_importer.h"
#include "loans/frm_prets.h"
#include "quickadd/Frm_ajoutquick.h"
#include "reflists/frm_option.h"
#include "stats/frm_statistiques.h"
#include "store/DbError.h"
#include "store/Settings.h"
#include "ui/Controls.h"
#include "ui/Guard.h"
#include "ui/ListView.h"
#include "ui/Platform.h"
#include "ui/Twips.h"
#include "ui/main/LoanBox.h"
#include "ui/main/MainMenus.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>
#include <stdexcept>

using namespace ui;

namespace {

// The single row of a list that found no film.
QString placeholderRow() { return QStringLiteral("Aucun film dans la base de donnée"); }

// The catalogue's setting that tells whether the search box searches every field ("1") or the
// titles only.
QString everyFieldSetting() { return QStringLiteral("recherche_tous_champs"); }

QString texte_a_propos()
{
    const QStringList lines = {
            QStringLiteral("Cinabrel, version %1").arg(QStringLiteral(CINABREL_VERSION)),
            QStringLiteral(
                    "Le catalogue de votre collection de films : fichiers vidéo et DVD, et les prêts."),
            QString(),
            QStringLiteral("Catalogue utilisé :"),
            QDir::toNativeSeparators(files::cataloguePath()),
            QString(),
            QStringLiteral("Qt %1 (licence LGPL 3)").arg(QString::fromLatin1(qVersion())),
            QStringLiteral("SQLite %1 (domaine public)").arg(store::engineVersion()),
            QStringLiteral("libxlsxwriter %1 (licence BSD à 2 clauses)")
                    .arg(files::Workbook::libraryVersion()),
            QStringLiteral("https://cinabrel.example.org"),
    };
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

store::Films films() { return Connection::instance().films(); }

}  // namespace

Frm_Accueil& Frm_Accueil::instance()
{
    static Frm_Accueil form;
    return form;
}

Frm_Accueil::Frm_Accueil() : TypedForm(QStringLiteral("Frm_Accueil")) { listenToTheOtherWindows(); }

// What the windows opened from here tell, and what the main window does then.
void Frm_Accueil::listenToTheOtherWindows()
{
    Frm_New& editor = Frm_New::instance();
    onEvent(&editor, &Frm_New::unloaded, [this] { show(); });
    // Whatever list it showed before, every film in title order; a list that cannot be read then
    // fails the save as the user sees it.
    onEvent(&editor, &Frm_New::filmSaved, [this] {
        try {
            chargeliste(store::FilmList::all());
        } catch (const store::DbError& error) {
            editor::tellNotSaved(error);
        }
        actualiser_suivi();
    });
    onEvent(&Frm_Visu::instance(), &Frm_Visu::unloaded, [this] { show(); });
    onEvent(&Frm_Visu::instance(), &Frm_Visu::loanHistoryRequested,
            [](qint16 code) { frm_prets::instance().montrer_film(code); });
    frm_prets& suivi = frm_prets::instance();
    onEvent(&suivi, &frm_prets::loanReturned, [this](qint16 code) {
        if (isLoaded())
            pret_rendu(code);
    });
    onEvent(&suivi, &frm_prets::dueDayChanged, [this] {
        if (isLoaded())
            actualiser_retards();
    });
    Frm_ajoutquick& quickAdd = Frm_ajoutquick::instance();
    onEvent(&quickAdd, &Frm_ajoutquick::unloaded, [this] { show(); });
    // Not when the program ended meanwhile: the reload would bring the main window back.
    onEvent(&quickAdd, &Frm_ajoutquick::filmsAdded, [this] {
        if (isLoaded())
            chargeliste(store::FilmList::all());
    });
    frm_importer& importer = frm_importer::instance();
    onEvent(&importer, &frm_importer::unloaded, [this] { show(); });
    // The films came with their loans.
    onEvent(&importer, &frm_importer::filmsImported, [this] {
        if (isLoaded())
            chargeliste(store::FilmList::all());
        actualiser_suivi();
    });
    onEvent(&frm_sauvegarde::instance(), &frm_sauvegarde::catalogueReplaced, [this] {
        if (isLoaded())
            catalogue_remplace();
        actualiser_suivi();
    });
    // The films behind a figure of the statistics, as a list of the menu shows them.
    onEvent(&frm_statistiques::instance(), &frm_statistiques::filmsAsked,
            [this](const store::FilmList& list) {
                afficher_liste(list, true);
                show();
            });
}

void Frm_Accueil::build(QMainWindow* window, QWidget* client)
{
    Frm_AccueilControls& c = controls_;
    window->setWindowTitle(QStringLiteral("Cinabrel"));
    fillBackground(client, formBlue());

    c.fra_search =
            makeFrame(client, QStringLiteral("fra_search"), QStringLiteral("Recherche"), 120, 120, 3015, 615);
    c.txt_search = makeTextBox(c.fra_search, QStringLiteral("txt_search"), QString(), 120, 240, 2775, 285);

    buildSummary(client);
    buildCounters(client);
    c.pret = new LoanBox(client);

    c.cmd_new = makeButton(client, QStringLiteral("cmd_new"), QStringLiteral("Nouveau film"), 120, 8040, 3015,
                           375);

    c.List = new ListView(client);
    c.List->setObjectName(QStringLiteral("List"));
    place(c.List, 3360, 120, 7695, 8055);

    c.lbldouble = makeLabel(
            client, QStringLiteral("lbldouble"),
            QStringLiteral("Double cliquez sur un film pour voir les informations générales du film"), 3360,
            8160, 6045, 240);
    c.lbldouble->setFont(arial(9.75, false, true));

    c.fra_export = makeFrame(client, QStringLiteral("fra_export"),
                             QStringLiteral("Exportation en cours ... "), 5280, 3480, 4455, 615);
    fillBackground(c.fra_export, Qt::white);
    c.Progbar = new QProgressBar(c.fra_export);
    c.Progbar->setObjectName(QStringLiteral("Progbar"));
    c.Progbar->setValue(0);
    place(c.Progbar, 120, 240, 4215, 255);
    c.fra_export->setVisible(false);

    c.StatusBar1 = new QStatusBar(client);
    c.StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    c.StatusBar1->setSizeGripEnabled(false);
    place(c.StatusBar1, 0, 8445, 11175, 30);

    c.tmr_jour = new QTimer(window);
    c.tmr_jour->setObjectName(QStringLiteral("tmr_jour"));
    c.tmr_jour->setSingleShot(true);

    buildMainMenus(window, c);
    connectControls();
}

void Frm_Accueil::buildSummary(QWidget* client)
{
    Frm_AccueilControls& c = controls_;
    c.fra_info =
            makeFrame(client, QStringLiteral("fra_info"), QStringLiteral("Info Film"), 120, 960, 3015, 3375);
    // A caption in bold beside the label that shows the film's value, on the same line.
    auto line = [&c](QLabel*& caption, const char* captionName, const char* text, int captionWidth,
                     QLabel*& value, const char* valueName, int top) {
        caption = makeLabel(c.fra_info, QString::fromLatin1(captionName), QString::fromUtf8(text), 120, top,
                            captionWidth, 195);
        caption->setFont(sansSerif(8.25, true));
        value = makeLabel(c.fra_info, QString::fromLatin1(valueName), QStringLiteral(" "), 1320, top, 1095,
                          255);
    };
    line(c.Label4, "Label4", "Langage:", 810, c.lbl_langue, "lbl_langue", 360);
    line(c.Label6, "Label6", "Qualité:", 675, c.lbl_qual, "lbl_qual", 720);
    line(c.Label5, "Label5", "Codec:", 615, c.lbl_codec, "lbl_codec", 1080);
    line(c.Label3, "Label3", "Son:", 405, c.lbl_son, "lbl_son", 1440);
    line(c.Label2, "Label2", "Nbr CD: ", 750, c.lbl_nbr, "lbl_nbr", 1800);
    line(c.Label1, "Label1", "Durée:", 585, c.lbl_duree, "lbl_duree", 2160);
    line(c.Label11, "Label11", "Année:", 615, c.lbl_annee, "lbl_annee", 2520);
    c.Bt_Modif = makeButton(c.fra_info, QStringLiteral("Bt_Modif"), QStringLiteral("Modifier"), 120, 2880,
                            1215, 375);
    c.Bt_Supp = makeButton(c.fra_info, QStringLiteral("Bt_Supp"), QStringLiteral("Supprimer"), 1560, 2880,
                           1215, 375);
}

void Frm_Accueil::buildCounters(QWidget* client)
{
    Frm_AccueilControls& c = controls_;
    c.Fra_stat = makeFrame(client, QStringLiteral("Fra_stat"), QStringLiteral("Mini Stats"), 120, 4440, 3015,
                           1575);
    // A caption in bold and its number, centred, at its own height.
    auto counter = [&c](QLabel*& caption, const char* captionName, const char* text, int captionTop,
                        int captionWidth, QLabel*& value, const char* valueName, int valueTop) {
        caption = makeLabel(c.Fra_stat, QString::fromLatin1(captionName), QString::fromUtf8(text), 120,
                            captionTop, captionWidth, 195);
        caption->setFont(sansSerif(8.25, true));
        value = makeLabel(c.Fra_stat, QString::fromLatin1(valueName), QStringLiteral("0"), 1920, valueTop,
                          855, 255);
        value->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    };
    counter(c.Label7, "Label7", "Nombre de Divx", 240, 1365, c.lbl_stat_nbr, "lbl_stat_nbr", 240);
    counter(c.Label13, "Label13", "Nombre de Dvd", 555, 1335, c.lbl_stat_dvd, "lbl_stat_dvd", 560);
    counter(c.Label10, "Label10", "Film(s) Emprunté", 880, 1410, c.lbl_stat_pret, "lbl_stat_pret", 880);
    counter(c.Label9, "Label9", "Film(s) Dispo", 1200, 1095, c.lbl_dispo, "lbl_dispo", 1200);
}

void Frm_Accueil::connectControls()
{
    const Frm_AccueilControls& c = controls_;
    onEvent(c.List, &ListView::click, [this] { List_Click(); });
    onEvent(c.List, &ListView::dblClick, [this] { List_DblClick(); });
    onEvent(c.List, &ListView::columnClick,
            [this](int column) { controls().List->sortRows(column, Qt::AscendingOrder); });
    onEvent(c.txt_search, &QLineEdit::textChanged, [this] { txt_search_Change(); });
    onEvent(c.mnu_tous_champs, &QAction::triggered, [this] { mnu_tous_champs_Click(); });

    onEvent(c.pret, &LoanBox::lent, [this] {
        controls().List->setFocus();
        actualiser_compteurs();
        actualiser_suivi();
    });
    onEvent(c.pret, &LoanBox::returned, [this] {
        actualiser_compteurs();
        actualiser_suivi();
    });
    onEvent(c.mnuliste, &QAction::triggered, [this] { mnuliste_Click(); });
    onEvent(c.mnusuivi, &QAction::triggered, [] { frm_prets::instance().montrer(); });
    // A new day: loans due yesterday are late now.
    onEvent(c.tmr_jour, &QTimer::timeout, [this] {
        actualiser_retards();
        actualiser_suivi();
    });

    onEvent(c.cmd_new, &QPushButton::clicked, [this] { cmd_new_Click(); });
    onEvent(c.mnufilm, &QAction::triggered, [this] { cmd_new_Click(); });
    onEvent(c.Bt_Modif, &QPushButton::clicked, [this] { Bt_Modif_Click(); });
    onEvent(c.Bt_Supp, &QPushButton::clicked, [this] { Bt_Supp_Click(); });
    onEvent(c.mnuajoutquick, &QAction::triggered, [this] {
        hide();
        Frm_ajoutquick::instance().show();
    });
    // The main window makes way for the import window once a file is read.
    onEvent(c.mnuimporter, &QAction::triggered, [this] {
        if (frm_importer::instance().ouvrir(window()))
            hide();
    });
    using Kind = store::FilmList::Kind;
    onEvent(c.mnulistF, &QAction::triggered, [this] { afficher_liste(store::FilmList::all(), true); });
    onEvent(c.mnu_dvd, &QAction::triggered, [this] { afficher_liste(store::FilmList::of(Kind::Dvd), true); });
    onEvent(c.mnu_liste_fr, &QAction::triggered,
            [this] { afficher_liste(store::FilmList::of(Kind::French), true); });
    onEvent(c.mnu_liste_E, &QAction::triggered,
            [this] { afficher_liste(store::FilmList::of(Kind::Foreign), false); });
    onEvent(c.mnu_stats, &QAction::triggered, [] { frm_statistiques::instance().montrer(); });

    onEvent(c.mnuexporter, &QAction::triggered, [] {
        if (exports::writeListingFile())
            exports::openListingFile();
    });
    onEvent(c.mnuapercu, &QAction::triggered, [] { exports::openListingFile(); });
    onEvent(c.mnu_excel, &QAction::triggered, [this] { mnu_excel_Click(); });

    onEvent(c.mnu_audio, &QAction::triggered,
            [] { frm_option::instance().montrer(files::ReferenceList::Audio); });
    onEvent(c.mnu_restaurer, &QAction::triggered, [] { frm_sauvegarde::instance().montrer(); });
    onEvent(c.mnupropos, &QAction::triggered,
            [] { msgBox(texte_a_propos(), Icon::Information, QStringLiteral("Cinabrel - A propos de")); });
    onEvent(c.mnuquit, &QAction::triggered, [this] { unload(); });
}

void Frm_Accueil::onLoad()
{
    code_selection = 0;
    readSearchChoice();
    iniliste(ListLayout::Films);
    // The same list as the other fills of the whole list, so a fill that follows at once (after
    // saving a film) finds the list already filled.
    chargeliste(store::FilmList::all());
}

void Frm_Accueil::onResize()
{
    // The list follows the inner size; sizes too small to show a list are skipped.
    const int width = innerWidth() - 3700;
    const int height = innerHeight() - 400;
    if (width < 600 || height < 600)
        return;
    controls().List->resize(px(width), px(height));
    controls().lbldouble->move(px(3360), px(innerHeight() - 300));
}

void Frm_Accueil::iniliste(ListLayout Index)
{
    ListView* list = controls().List;
    list->clearRows();
    list->clearColumns();
    if (Index == ListLayout::Loans) {
        list->addColumn(QStringLiteral("Titre"), 4000);
        list->addColumn(QStringLiteral("Emprunté par"), 1600);
        list->addColumn(QStringLiteral("Date emprunts"), 1300);
        list->addColumn(QString(), 0);
        list->setAccessibleName(QStringLiteral("Liste des emprunts"));
    } else {
        list->addColumn(QStringLiteral("Titre"), 3990);
        list->addColumn(QStringLiteral("Genre"), 820);
        list->addColumn(QStringLiteral("Durée"), 900);
        list->addColumn(QStringLiteral("Nb cd"), 660, Qt::AlignHCenter);
        list->addColumn(QStringLiteral("Format"), 800);
        list->addColumn(QString(), 0);
        list->setAccessibleName(QStringLiteral("Liste des films"));
    }
    type_liste = Index;
}

void Frm_Accueil::chargeliste(const store::FilmList& requete)
{
    ListView* list = controls().List;
    store::Films catalogue = films();
    // The list already shows these rows when it was filled with the same list and the catalogue
    // has not changed since: reading them again would only cost time.
    const QString source =
            QString::number(int(requete.kind)) + u'\n' + requete.text + u'\n' + catalogue.contentStamp();
    if (list->filledFrom() == source) {
        list->rewind();
        actualiser_compteurs();
        return;
    }
    QList<store::ListedRow> rows = catalogue.listed(requete);
    if (rows.isEmpty())
        rows.append(store::ListedRow {placeholderRow()});
    // The rows are film rows: the list shows the film columns, so the key is read from its cell.
    // The layout changes only once the rows are read, so a failing statement leaves the list as it was.
    if (type_liste != ListLayout::Films)
        iniliste(ListLayout::Films);
    list->setRows(std::move(rows), source);
    actualiser_compteurs();
}

void Frm_Accueil::actualiser_compteurs()
{
    const store::Counters counters = films().counters();
    const Frm_AccueilControls& c = controls();
    c.lbl_stat_nbr->setText(QString::number(counters.divx));
    c.lbl_stat_dvd->setText(QString::number(counters.dvd));
    c.lbl_stat_pret->setText(QString::number(counters.lent));
    c.lbl_dispo->setText(QString::number(counters.atHome));
    actualiser_retards();
}

void Frm_Accueil::actualiser_retards()
{
    const QDateTime maintenant = platform().now();
    int retards = 0;
    try {
        retards = Connection::instance().prets().lateCount(maintenant.date());
    } catch (const store::DbError&) {
        // The caption tells nothing it cannot read; the loans window says why.
    }
    window()->setWindowTitle(retards > 0 ? QStringLiteral("Cinabrel - %1 prêt(s) en retard").arg(retards)
                                         : QStringLiteral("Cinabrel"));
    // Woken just past midnight, and at least every hour should the clock be set meanwhile.
    constexpr qint64 kHour = 60 * 60 * 1000;
    const qint64 avant_demain =
            maintenant.msecsTo(QDateTime(maintenant.date().addDays(1), QTime(0, 0))) + 1000;
    controls().tmr_jour->start(int(std::clamp(avant_demain, qint64(1000), kHour)));
}

void Frm_Accueil::pret_rendu(qint16 code)
{
    actualiser_compteurs();
    if (type_liste == ListLayout::Loans)
        mnuliste_Click();
    // The loan box shows the film at home, unless it shows another film.
    if (code == code_selection) {
        if (const std::optional<store::Film> film = films().find(code)) {
            controls().pret->untickForSelection();
            controls().pret->showFilm(*film);
        }
    }
}

void Frm_Accueil::actualiser_suivi()
{
    if (frm_prets::instance().isLoaded())
        frm_prets::instance().remplir();
}

void Frm_Accueil::lire_selection()
{
    ListView* list = controls().List;
    const int row = list->selectedRow();
    if (list->rowCount() == 0 || row < 0)
        return;
    try {
        bool isNumber = false;
        const qint16 key =
                list->cellText(row, type_liste == ListLayout::Films ? 5 : 3).trimmed().toShort(&isNumber);
        if (isNumber)
            code_selection = key;
    } catch (const std::out_of_range&) {
        // A row without a key cell (the placeholder) selects nothing.
    }
}

void Frm_Accueil::List_Click()
{
    const Frm_AccueilControls& c = controls();
    const int row = c.List->selectedRow();
    // Nothing selected (a click beside the rows) or the placeholder row: nothing to show.
    if (row < 0 || c.List->rowText(row) == placeholderRow())
        return;
    lire_selection();
    c.pret->untickForSelection();

    // The film may have left the catalogue since the list was filled.
    const std::optional<store::Film> film = films().find(code_selection);
    if (!film)
        return;
    c.lbl_qual->setText(film->qualite_film);
    c.lbl_langue->setText(film->langue_Film);
    c.lbl_nbr->setText(film->cd_film);
    c.lbl_codec->setText(film->codec_Film);
    c.lbl_son->setText(film->codec_Son);
    c.lbl_duree->setText(film->duree);
    c.lbl_annee->setText(film->annee);
    c.pret->showFilm(*film);
}

void Frm_Accueil::List_DblClick()
{
    ListView* list = controls().List;
    const int row = list->selectedRow();
    if (row < 0 || list->rowText(row) == placeholderRow())
        return;
    lire_selection();
    Frm_Visu::instance().montrer(code_selection);
}

void Frm_Accueil::txt_search_Change()
{
    const QString typed = controls().txt_search->text();
    try {
        chargeliste(controls().mnu_tous_champs->isChecked() ? store::FilmList::allFieldsSearch(typed)
                                                            : store::FilmList::titleSearch(typed));
    } catch (const store::DbError& error) {
        msgBox(QStringLiteral("La recherche n'a pas pu être faite :\r\n") + error.message(),
               Icon::Exclamation);
    }
}

void Frm_Accueil::mnu_tous_champs_Click()
{
    const bool everyField = controls().mnu_tous_champs->isChecked();
    try {
        store::Settings(Connection::instance().cnx())
                .setValue(everyFieldSetting(), everyField ? QStringLiteral("1") : QStringLiteral("0"));
    } catch (const store::DbError& error) {
        // The choice holds until the program ends all the same.
        msgBox(QStringLiteral("Ce choix n'a pas pu être enregistré dans le catalogue :\r\n")
                       + error.message(),
               Icon::Exclamation);
    }
    // The text in the box is searched again the new way; an empty box leaves the list as it is.
    if (!controls().txt_search->text().isEmpty())
        txt_search_Change();
}

void Frm_Accueil::readSearchChoice()
{
    bool everyField = false;
    try {
        everyField = store::Settings(Connection::instance().cnx()).value(everyFieldSetting())
                == QStringLiteral("1");
    } catch (const store::DbError&) {
        // A catalogue whose settings cannot be read searches the titles, as it always did.
    }
    controls().mnu_tous_champs->setChecked(everyField);
}

void Frm_Accueil::mnuliste_Click()
{
    QList<store::ListedRow> rows;
    try {
        rows = films().lentFilms();
    } catch (const store::DbError& error) {
        msgBox(QStringLiteral("La liste des emprunts n'a pas pu être lue :\r\n") + error.message(),
               Icon::Exclamation);
        return;
    }
    // Emptying the search box runs the search; the loan layout and rows replace what it loaded.
    controls().txt_search->clear();
    iniliste(ListLayout::Loans);
    controls().List->setRows(std::move(rows));
}

void Frm_Accueil::cmd_new_Click()
{
    Frm_New::instance().ajouter();
    unload();
}

void Frm_Accueil::Bt_Modif_Click()
{
    if (code_selection == 0) {
        msgBox(QStringLiteral("Selectionne un film !!"), Icon::Critical, QStringLiteral("Oublie"));
        return;
    }
    if (!films().find(code_selection)) {
        msgBox(QStringLiteral("Ce film n'existe plus dans la base de donnée"), Icon::Exclamation);
        oublier_selection();
        recharger_tout();
        return;
    }
    Frm_New::instance().modifier(code_selection);
    hide();
}

void Frm_Accueil::Bt_Supp_Click()
{
    if (code_selection == 0) {
        msgBox(QStringLiteral("Selectionne un film !!"), Icon::Critical);
        return;
    }
    if (askYesNo(QStringLiteral("Etes vous sur de vouloir supprimer ce film de votre base?"),
                 Icon::Exclamation, QStringLiteral("Suppression"))
        != Answer::Yes)
        return;
    try {
        films().remove(code_selection);
    } catch (const store::DbError& error) {
        // The disk or another program is at fault: the user is told which.
        QString message = QStringLiteral("Le film n'a pas pu être supprimé");
        if (error.outsideTheProgram())
            message += QStringLiteral("\r\n") + error.message();
        msgBox(message, Icon::Critical);
        return;
    }
    // Nothing may act on the deleted film any more, and the reloaded rows are film rows.
    oublier_selection();
    recharger_tout();
    actualiser_suivi();
}

void Frm_Accueil::mnu_excel_Click()
{
    const QPointer<QGroupBox> fra_export = controls().fra_export;
    const QPointer<QProgressBar> progbar = controls().Progbar;
    fra_export->show();
    // Hidden again however the export ends.
    const auto hide = qScopeGuard([fra_export] {
        if (fra_export)
            fra_export->hide();
    });
    exports::exporter_excel(*controls().List, [progbar](int percent) {
        // At most a hundred repaints, whatever the number of rows.
        if (progbar && progbar->value() != percent) {
            progbar->setValue(percent);
            platform().processEvents();
        }
    });
}

void Frm_Accueil::oublier_selection()
{
    const Frm_AccueilControls& c = controls();
    code_selection = 0;
    for (QLabel* label :
         {c.lbl_langue, c.lbl_qual, c.lbl_codec, c.lbl_son, c.lbl_nbr, c.lbl_duree, c.lbl_annee})
        label->setText(QStringLiteral(" "));
    c.pret->forget();
}

void Frm_Accueil::recharger_tout()
{
    iniliste(ListLayout::Films);
    chargeliste(store::FilmList::all());
}

void Frm_Accueil::catalogue_remplace()
{
    oublier_selection();
    readSearchChoice();
    afficher_liste(store::FilmList::all(), true);
}

// The list entries show a film list from its first row; all but the foreign films empty the search box.
void Frm_Accueil::afficher_liste(const store::FilmList& requete, bool vider_recherche)
{
    iniliste(ListLayout::Films);
    if (vider_recherche)
        controls().txt_search->clear();
    chargeliste(requete);
}
