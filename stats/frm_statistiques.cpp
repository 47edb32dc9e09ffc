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
constexpr int kColumns = 3;
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
// and discs the third.
constexpr std::pair<int, int> kPlaces[] = {{1, 0}, {0, 1}, {1, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}, {2, 0}};
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

    c.lst_totaux =
            makeTable(client, c.fra_totaux, QStringLiteral("lst_totaux"), QStringLiteral("Totaux"), 0, 0);
    c.lst_totaux->addColumn(QStringLiteral("Chiffre"), 2100);
    c.lst_totaux->addColumn(QStringLiteral("Valeur"), 2100, Qt::AlignRight);
    onEvent(c.lst_totaux, &ListView::dblClick, [this] {
        const int row = controls().lst_totaux->selectedRow();
        const QList<stats::Total> totals =
                statistiques_ ? stats::totalsOf(*statistiques_) : QList<stats::Total>();
        if (row >= 0 && row < totals.size())
            emit filmsAsked(totals[row].list);
    });

    QGroupBox** frames[] = {&c.fra_genre,       &c.fra_format,      &c.fra_qualite, &c.fra_langue,
                            &c.fra_codec_video, &c.fra_codec_audio, &c.fra_disques, &c.fra_decennie};
    ListView** lists[] = {&c.lst_genre,       &c.lst_format,      &c.lst_qualite, &c.lst_langue,
                          &c.lst_codec_video, &c.lst_codec_audio, &c.lst_disques, &c.lst_decennie};
    for (std::size_t i = 0; i < stats::kTables.size(); ++i) {
        const stats::TableLook& look = stats::kTables[i];
        ListView* list = makeTable(client, *frames[i], QString::fromLatin1(look.name),
                                   QString::fromUtf8(look.caption), kPlaces[i].first, kPlaces[i].second);
        list->addColumn(QString::fromUtf8(look.valueCaption), 1700);
        list->addColumn(QStringLiteral("Films"), 650, Qt::AlignRight);
        list->addColumn(QStringLiteral("Part"), 750, Qt::AlignRight);
        list->addColumn(QString(), 1100);
        list->setItemDelegateForColumn(kBarColumn, new stats::ShareBars(list));
        *lists[i] = list;
        onEvent(list, &ListView::dblClick, [this, list, i] {
            const int row = list->selectedRow();
            if (!statistiques_ || row < 0 || row >= stats::groupsOf(*statistiques_, i).size())
                return;
            emit filmsAsked(stats::groupsOf(*statistiques_, i)[row].list);
        });
    }

    c.lbl_aide = makeLabel(
            client, QStringLiteral("lbl_aide"),
            QStringLiteral("Double cliquez sur une ligne pour voir ses films dans la liste principale"),
            kMargin, kBottom + 60, 9000, 240);
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
    statistiques_.reset();
    lu_a_.clear();
}

bool frm_statistiques::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && isLoaded() && watched == window() && statistiques_)
        guarded([this] { actualiser_si_change(); });
    return TypedForm::eventFilter(watched, event);
}

bool frm_statistiques::compter()
{
    try {
        store::Films catalogue = films();
        // Taken first: a change made while they are read is read at the next look.
        lu_a_ = catalogue.contentStamp();
        statistiques_ = catalogue.statistics();
    } catch (const store::DbError& error) {
        msgBox(QStringLiteral("Les statistiques du catalogue n'ont pas pu être lues :\r\n") + error.message(),
               Icon::Exclamation);
        return false;
    }
    return true;
}

void frm_statistiques::afficher()
{
    const store::Statistics& statistics = *statistiques_;
    const frm_statistiquesControls& c = controls();
    QList<store::ListedRow> totals;
    for (const stats::Total& total : stats::totalsOf(statistics))
        totals.append(store::ListedRow {total.caption, total.shown});
    c.lst_totaux->setRows(std::move(totals));
    const auto tables = c.tables();
    for (std::size_t i = 0; i < tables.size(); ++i) {
        QList<store::ListedRow> rows;
        QList<qint64> films;
        for (const store::Group& group : stats::groupsOf(statistics, i)) {
            rows.append(store::ListedRow {stats::valueText(group), stats::countText(group.films),
                                          stats::shareText(group.films, statistics.counters.films())});
            films.append(group.films);
        }
        static_cast<stats::ShareBars*>(tables[i]->itemDelegateForColumn(kBarColumn))
                ->setFilms(std::move(films));
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
    if (stamp != lu_a_ && compter())
        afficher();
}

void frm_statistiques::cmd_exporter_Click()
{
    if (!statistiques_)
        return;
    QString path;
    if (!stats::statisticsWorkbook(*statistiques_)
                 .saveInTemporaryFolder(QStringLiteral("Statistiques"), path)) {
        msgBox(QStringLiteral("Impossible d'écrire le fichier :\r\n") + QDir::toNativeSeparators(path),
               Icon::Critical);
        return;
    }
    if (!platform().openDocument(path))
        msgBox(QStringLiteral("Le classeur a été enregistré ici :\r\n") + QDir::toNativeSeparators(path),
               Icon::Information);
}
