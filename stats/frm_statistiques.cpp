#include "stats/frm_statistiques.h"

#include "app/Connection.h"
#include "stats/ShareBars.h"
#include "stats/StatisticsWorkbook.h"
#include "store/DbError.h"
#include "ui/Controls.h"
#include "ui/Guard.h"
#include "ui/ListView.h"
#include "ui/Platform.h"
#include "ui/Twips.h"

#include <QDir>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using namespace ui;

namespace {

// The grid of the tables, in twips: cells of equal size, a margin around them and between them.
constexpr int kMargin = 120;
constexpr int kCellWidth = 4800;
constexpr int kCellHeight = 2880;
constexpr int kColumns = 4;
constexpr int kRows = 3;
constexpr int kButtonWidth = 1455;
constexpr int kButtonHeight = 375;
// The column of a table by value that holds the bars.
constexpr int kBarColumn = 3;

int cellLeft(int column) { return kMargin + column * (kCellWidth + kMargin); }
int cellTop(int row) { return kMargin + row * (kCellHeight + kMargin); }
constexpr int kWidth = kMargin + kColumns * (kCellWidth + kMargin);
constexpr int kBottom = kMargin + kRows * (kCellHeight + kMargin);

// Where each table of stats::kTables stands (column, row): the totals take the first cell, the
// genres and decades the rest of the first row, the media and languages the second, the codecs
// and discs the third; the loans' figures head the last column, the films lent and the borrowers
// below them.
constexpr std::pair<int, int> kPlaces[] = {{1, 0}, {0, 1}, {1, 1}, {2, 1}, {0, 2},
                                           {1, 2}, {2, 2}, {2, 0}, {3, 1}, {3, 2}};
static_assert(std::size(kPlaces) == stats::kTables.size());

// A frame of the grid with its list, the list named after the frame's caption.
ListView* makeTable(QWidget* client, QGroupBox*& frame, const QString& name, const QString& caption,
                    int column, int row)
{
    frame = makeFrame(client, QStringLiteral("fra_") + name.mid(4), caption, cellLeft(column), cellTop(row),
                      kCellWidth, kCellHeight);
    auto* list = new ListView(frame);
    list->setObjectName(name);
    list->setAccessibleName(caption);
    place(list, 120, 240, kCellWidth - 240, kCellHeight - 360);
    return list;
}

// A table of figures, each a caption and its value.
ListView* makeFigures(QWidget* client, QGroupBox*& frame, const QString& name, const QString& caption,
                      int column, int captionWidth)
{
    ListView* list = makeTable(client, frame, name, caption, column, 0);
    list->addColumn(QStringLiteral("Chiffre"), captionWidth);
    list->addColumn(QStringLiteral("Valeur"), 4200 - captionWidth, Qt::AlignRight);
    return list;
}

void showFigures(ListView* list, const QList<stats::Total>& figures)
{
    QList<store::ListedRow> rows;
    for (const stats::Total& figure : figures)
        rows.append(store::ListedRow {figure.caption, figure.shown});
    list->setRows(std::move(rows));
}

store::Films films() { return Connection::instance().films(); }

}  // namespace

frm_statistiques& frm_statistiques::instance()
{
    static frm_statistiques form;
    return form;
}

frm_statistiques::frm_statistiques() : TypedForm(QStringLiteral("frm_statistiques")) { }

QSize frm_statistiques::designSize() const { return {kWidth, kBottom + kButtonHeight + kMargin}; }

void frm_statistiques::build(QMainWindow* window, QWidget* client)
{
    frm_statistiquesControls& c = controls_;
    window->setWindowTitle(QStringLiteral("Statistiques"));
    fillBackground(client, formBlue());

    c.lst_totaux = makeFigures(client, c.fra_totaux, QStringLiteral("lst_totaux"), QStringLiteral("Totaux"), 0, 2100);
    c.lst_prets = makeFigures(client, c.fra_prets, QStringLiteral("lst_prets"), QStringLiteral("Prêts"), 3, 2850);
    const auto leadToFilms = [this](ListView* list, QList<stats::Total> stats::Figures::*figures) {
        onEvent(list, &ListView::dblClick, [this, list, figures] {
            const int row = list->selectedRow();
            if (chiffres_ && row >= 0 && row < ((*chiffres_).*figures).size())
                emit filmsAsked(((*chiffres_).*figures)[row].list);
        });
    };
    leadToFilms(c.lst_totaux, &stats::Figures::totals);
    leadToFilms(c.lst_prets, &stats::Figures::loans);

    QGroupBox** frames[] = {&c.fra_genre,       &c.fra_format,      &c.fra_qualite,  &c.fra_langue,
                            &c.fra_codec_video, &c.fra_codec_audio, &c.fra_disques,  &c.fra_decennie,
                            &c.fra_films_pretes, &c.fra_emprunteurs};
    ListView** lists[] = {&c.lst_genre,       &c.lst_format,      &c.lst_qualite,  &c.lst_langue,
                          &c.lst_codec_video, &c.lst_codec_audio, &c.lst_disques,  &c.lst_decennie,
                          &c.lst_films_pretes, &c.lst_emprunteurs};
    for (std::size_t i = 0; i < stats::kTables.size(); ++i) {
        const stats::TableLook& look = stats::kTables[i];
        ListView* list = makeTable(client, *frames[i], QString::fromLatin1(look.name),
                                   QString::fromUtf8(look.caption), kPlaces[i].first, kPlaces[i].second);
        list->addColumn(QString::fromUtf8(look.valueCaption), look.valueWidth);
        list->addColumn(QString::fromUtf8(look.countCaption), 650, Qt::AlignRight);
        list->addColumn(QStringLiteral("Part"), 750, Qt::AlignRight);
        list->addColumn(QString(), 2800 - look.valueWidth);
        list->setItemDelegateForColumn(kBarColumn, new stats::ShareBars(list));
        *lists[i] = list;
        onEvent(list, &ListView::dblClick, [this, list, i] {
            const int row = list->selectedRow();
            if (!chiffres_ || row < 0 || row >= chiffres_->tables[i].rows.size())
                return;
            emit filmsAsked(chiffres_->tables[i].rows[row].list);
        });
    }

    c.lbl_aide = makeLabel(
            client, QStringLiteral("lbl_aide"),
            QStringLiteral("Double cliquez sur une ligne pour voir ses films dans la liste principale. "
                           "Les prêts se comptent en jours ; un prêt sans échéance n'est jamais en retard."),
            kMargin, kBottom + 60, 15000, 240);
    c.lbl_aide->setFont(arial(9.75, false, true));
    const int closeLeft = kWidth - kMargin - kButtonWidth;
    c.cmd_exporter = makeButton(client, QStringLiteral("cmd_exporter"), QStringLiteral("Exporter"),
                                closeLeft - 240 - kButtonWidth, kBottom, kButtonWidth, kButtonHeight);
    c.cmd_fermer = makeButton(client, QStringLiteral("cmd_fermer"), QStringLiteral("Fermer"), closeLeft,
                              kBottom, kButtonWidth, kButtonHeight);
    onEvent(c.cmd_exporter, &QPushButton::clicked, [this] { cmd_exporter_Click(); });
    onEvent(c.cmd_fermer, &QPushButton::clicked, [this] { unload(); });

    // The figures are read again when the window comes to the front after a change.
    window->installEventFilter(this);
}

void frm_statistiques::montrer()
{
    if (!compter())
        return;
    afficher();
    show();
}

void frm_statistiques::onUnload()
{
    chiffres_.reset();
    lu_a_.clear();
    lu_le_ = {};
}

bool frm_statistiques::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && isLoaded() && watched == window() && chiffres_)
        guarded([this] { actualiser_si_change(); });
    return TypedForm::eventFilter(watched, event);
}

bool frm_statistiques::compter()
{
    try {
        store::Films catalogue = films();
        // Taken first: a change made while they are read is read at the next look.
        lu_a_ = catalogue.contentStamp();
        lu_le_ = platform().now().date();
        chiffres_ = stats::figuresOf(catalogue.statistics(), Connection::instance().prets().statistics(lu_le_));
    } catch (const store::DbError& error) {
        msgBox(QStringLiteral("Les statistiques du catalogue n'ont pas pu être lues :\r\n") + error.message(),
               Icon::Exclamation);
        return false;
    }
    return true;
}

void frm_statistiques::afficher()
{
    const stats::Figures& figures = *chiffres_;
    const frm_statistiquesControls& c = controls();
    showFigures(c.lst_totaux, figures.totals);
    showFigures(c.lst_prets, figures.loans);
    const auto tables = c.tables();
    for (std::size_t i = 0; i < tables.size(); ++i) {
        const stats::Table& table = figures.tables[i];
        QList<store::ListedRow> rows;
        QList<qint64> counts;
        rows.reserve(table.rows.size());
        counts.reserve(table.rows.size());
        for (const stats::Row& row : table.rows) {
            rows.append(store::ListedRow {row.value, stats::countText(row.count),
                                          stats::shareText(row.count, table.whole)});
            counts.append(row.count);
        }
        static_cast<stats::ShareBars*>(tables[i]->itemDelegateForColumn(kBarColumn))
                ->setCounts(std::move(counts));
        tables[i]->setRows(std::move(rows));
    }
}

void frm_statistiques::actualiser_si_change()
{
    QString stamp;
    try {
        stamp = films().contentStamp();
    } catch (const store::DbError&) {
        // The figures stay as they were read, without a message at every look at the window.
        return;
    }
    // The loans out count to today: a new day changes their figures.
    if ((stamp != lu_a_ || lu_le_ != platform().now().date()) && compter())
        afficher();
}

void frm_statistiques::cmd_exporter_Click()
{
    if (!chiffres_)
        return;
    QString path;
    if (!stats::statisticsWorkbook(*chiffres_)
                 .saveInTemporaryFolder(QStringLiteral("Statistiques"), path)) {
        msgBox(QStringLiteral("Impossible d'écrire le fichier :\r\n") + QDir::toNativeSeparators(path),
               Icon::Critical);
        return;
    }
    if (!platform().openDocument(path))
        msgBox(QStringLiteral("Le classeur a été enregistré ici :\r\n") + QDir::toNativeSeparators(path),
               Icon::Information);
}
