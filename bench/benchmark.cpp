// Times every interaction of the main window on the largest catalogue (32,767 films), through the
// real windows offscreen, against the engine's own time for the same statements.
#include "Measure.h"
#include "SampleCatalogue.h"
#include "SampleImport.h"

#include "app/Connection.h"
#include "backups/frm_sauvegarde.h"
#include "editor/Frm_New.h"
#include "files/CatalogueFile.h"
#include "files/ImportMapping.h"
#include "files/ProgramFolder.h"
#include "files/ReferenceListFile.h"
#include "import/frm_importer.h"
#include "loans/frm_prets.h"
#include "quickadd/Frm_ajoutquick.h"
#include "stats/frm_statistiques.h"
#include "store/Backups.h"
#include "store/Catalogue.h"
#include "store/Films.h"
#include "store/LoanStatistics.h"
#include "store/Loans.h"
#include "store/Recordset.h"
#include "store/Statistics.h"
#include "support/ScriptedPlatform.h"
#include "support/TestProgram.h"
#include "ui/Form.h"
#include "ui/ListView.h"
#include "ui/Platform.h"
#include "ui/Toolkit.h"
#include "ui/main/Frm_Accueil.h"
#include "ui/main/LoanBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <sqlite3.h>

using bench::Timing;

namespace {

constexpr int kFilms = 32767;
constexpr int kRuns = 15;
constexpr int kImportedFilms = 10'000;

// The statement the program runs for the whole list.
const store::Statement kAll = store::Films::statementOf(store::FilmList::all());

// A list's statement stepped through the engine alone, every column of every row read as text.
void readWhole(store::Database& db, const store::Statement& statement)
{
    store::Recordset rs;
    rs.open(statement, db);
    const int columns = rs.fieldCount();
    for (; !rs.eof(); rs.moveNext()) {
        for (int i = 0; i < columns; ++i)
            rs.text(i);
    }
}

// The engine's page-by-page copy of the catalogue into a file, unchecked.
void copyCatalogue(store::Database& db, const QString& path)
{
    QFile::remove(path);
    sqlite3* copy = nullptr;
    sqlite3_open(path.toUtf8().constData(), &copy);
    sqlite3_backup* backup = sqlite3_backup_init(copy, "main", db.handle(), "main");
    sqlite3_backup_step(backup, -1);
    sqlite3_backup_finish(backup);
    sqlite3_close(copy);
}

double bareCopyTime(store::Database& db, const QString& path)
{
    const double ms = bench::timeOnce([&] { copyCatalogue(db, path); });
    QFile::remove(path);
    return ms;
}

// Unloads every window as the program does at its end; with no event loop running here, the
// windows waiting for deletion are deleted at once so the next start does not pile up on them.
void endProgram() { testing::stopProgram(); }

const Frm_AccueilControls& mainWindow() { return Frm_Accueil::instance().controls(); }
ui::ListView* mainList() { return mainWindow().List; }
const frm_pretsControls& loansWindow() { return frm_prets::instance().controls(); }
void press(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

// A real mouse click on a row of a list, the main one unless told.
void clickRow(ui::ListView* l, int row)
{
    l->selectRow(row);
    const QRect rect = l->visualRect(l->model()->index(row, 0));
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, rect.center());
}

void clickRow(int row) { clickRow(mainList(), row); }

int rowOfKey(qint16 key)
{
    ui::ListView* l = mainList();
    for (int i = 0; i < l->rowCount(); ++i)
        if (l->cellText(i, 5) == QString::number(key))
            return i;
    return -1;
}

// The key of a film matching the filter, away from the first rows (offset 37) when there are enough of them.
QString keyWhere(const char* where, int offset = 37)
{
    return QStringLiteral("select code_film from film where %1 order by code_film limit 1 offset %2")
            .arg(QString::fromLatin1(where))
            .arg(offset);
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    ui::setUpToolkit(application);
    QApplication::setQuitOnLastWindowClosed(false);
    ui::forms::setOnLastUnload([] {});
    testing::ScriptedPlatform platform;

    QTemporaryDir folder;
    QDir(folder.path()).mkpath(QStringLiteral("BD"));
    const QString catalogue = QDir(folder.path()).filePath(QStringLiteral("BD/Film.mdb"));
    store::createCatalogue(catalogue);
    QFile::copy(QStringLiteral(CINABREL_SOURCE_DIR "/data/codec.cnb"),
                QDir(folder.path()).filePath(QStringLiteral("BD/codec.cnb")));
    QFile::setPermissions(QDir(folder.path()).filePath(QStringLiteral("BD/codec.cnb")),
                          QFile::ReadOwner | QFile::WriteOwner);
    std::fprintf(stderr, "making a catalogue of %d films...\n", kFilms);
    bench::fillCatalogue(catalogue, kFilms);
    std::fprintf(stderr, "catalogue of %.1f MB\n", double(QFileInfo(catalogue).size()) / 1e6);
    files::setProgramFolder(folder.path());
    auto engine = store::Database::open(catalogue);
    // The engine's time for an operation: its list read whole, then the store's services it calls,
    // each of which runs its statements and reads what they give, on a connection of its own.
    auto engineTime = [&](const std::function<void(store::Films&)>& statements) {
        return bench::timeOnce([&] {
            store::Films films(*engine);
            statements(films);
        });
    };
    auto listAndCounters = [&](const store::FilmList& shown) {
        return engineTime([&](store::Films& films) {
            readWhole(*engine, store::Films::statementOf(shown));
            films.counters();
        });
    };
    auto keyOf = [&](const QString& statement) {
        store::Recordset rs;
        rs.open(statement, *engine);
        return qint16(rs.value(0).toInt());
    };

    QList<Timing> timings;
    auto record = [&](const QString& name, int runs, const std::function<double()>& program,
                      const std::function<double()>& engineRun) {
        Timing timing {name, {}, {}};
        for (int i = 0; i < runs; ++i) {
            timing.program.append(program());
            if (engineRun)
                timing.engine.append(engineRun());
        }
        std::fprintf(stderr, "%s: %.1f ms\n", qPrintable(name), bench::median(timing.program));
        // A message means the operation failed and its time would mean nothing.
        for (const QString& message : platform.messages)
            if (!(message.section(u'|', 0, 0).toInt() & int(ui::Buttons::YesNo)))
                std::fprintf(stderr, "  message: %s\n", qPrintable(message.section(u'|', 2)));
        platform.messages.clear();
        timings.append(timing);
    };

    // A backup of the moment: none is due at the first start-up.
    store::Backups(*engine).backUp(platform.clock);
    record(
            QStringLiteral("Start-up to the filled window"), 5,
            [&] {
                endProgram();
                return bench::timeOnce([] { testing::startProgram(); });
            },
            [&] { return listAndCounters(store::FilmList::all()); });
    record(
            QStringLiteral("Start-up with the day's backup"), 5,
            [&] {
                return bench::timeOnce([] { testing::startProgram(); },
                                       [&] {
                                           endProgram();
                                           platform.clock = platform.clock.addDays(1).addSecs(60);
                                       });
            },
            [&] { return listAndCounters(store::FilmList::all()); });
    record(
            QStringLiteral("Backup of 32,767 films"), kRuns,
            [&] {
                return bench::timeOnce(
                        [] { Connection::instance().sauvegardes().backUp(ui::platform().now()); },
                        [&] { platform.clock = platform.clock.addSecs(60); });
            },
            [&] { return bareCopyTime(*engine, QDir(folder.path()).filePath(QStringLiteral("copie.mdb"))); });
    record(QStringLiteral("Restore window, ten backups listed"), 5,
           [&] {
               return bench::timeOnce([] { mainWindow().mnu_restaurer->trigger(); },
                                      [] { frm_sauvegarde::instance().unload(); });
           },
           {});
    record(QStringLiteral("Restoring a backup"), 5,
           [&] {
               return bench::timeOnce([] { press(frm_sauvegarde::instance().controls().cmd_restaurer); },
                                      [&] {
                                          platform.clock = platform.clock.addSecs(60);
                                          mainWindow().mnu_restaurer->trigger();
                                          frm_sauvegarde::instance().controls().List->selectRow(1);
                                          platform.answers = {ui::Answer::Yes};
                                      });
           },
           {});

    record(
            QStringLiteral("Full list (Liste des Films)"), kRuns,
            [&] { return bench::timeOnce([] { mainWindow().mnulistF->trigger(); }); },
            [&] { return listAndCounters(store::FilmList::all()); });

    auto* search = mainWindow().txt_search;
    const QStringList prefixes = {QStringLiteral("a"), QStringLiteral("ab"), QStringLiteral("abc")};
    for (int k = 0; k < 3; ++k) {
        record(
                QStringLiteral("Search keystroke \"%1\"").arg(prefixes[k]), kRuns,
                [&] {
                    return bench::timeOnce([&] { QTest::keyClick(search, prefixes[k].back().toLatin1()); },
                                           [&] { search->setText(prefixes[k].chopped(1)); });
                },
                [&] { return listAndCounters(store::FilmList::titleSearch(prefixes[k])); });
    }
    record(
            QStringLiteral("Clearing the search box"), kRuns,
            [&] {
                return bench::timeOnce([&] { search->clear(); },
                                       [&] { search->setText(QStringLiteral("abc")); });
            },
            [&] { return listAndCounters(store::FilmList::titleSearch({})); });

    // The search of every field: the whole catalogue found at the first letter, a word of the titles,
    // a word of the titles with a year, words of the notes, a word found nowhere.
    mainWindow().mnu_tous_champs->trigger();
    for (const QString& typed : {QStringLiteral("c"), QStringLiteral("coeur"), QStringLiteral("nuit 1999"),
                                 QStringLiteral("film 4242"), QStringLiteral("xylophone")}) {
        record(
                QStringLiteral("Every-field keystroke \"%1\"").arg(typed), kRuns,
                [&] {
                    return bench::timeOnce([&] { QTest::keyClick(search, typed.back().toLatin1()); },
                                           [&] { search->setText(typed.chopped(1)); });
                },
                [&] { return listAndCounters(store::FilmList::allFieldsSearch(typed)); });
    }
    // The first keystroke once a film was saved: its text is folded first.
    int savedRun = 0;
    record(
            QStringLiteral("Every-field keystroke \"coeur\" after a film saved"), kRuns,
            [&] {
                return bench::timeOnce([&] { QTest::keyClick(search, 'r'); },
                                       [&] {
                                           search->setText(QStringLiteral("coeu"));
                                           store::Films films = Connection::instance().films();
                                           store::Film film = *films.find(4242);
                                           film.obs_Film = QStringLiteral("Notes revues %1").arg(++savedRun);
                                           films.modify(4242, film);
                                           Frm_Accueil::instance().chargeliste(store::FilmList::all());
                                       });
            },
            [&] { return listAndCounters(store::FilmList::allFieldsSearch(QStringLiteral("coeur"))); });
    search->clear();
    mainWindow().mnu_tous_champs->trigger();

    int selectionRun = 0;
    record(
            QStringLiteral("Selection click"), kRuns,
            [&] {
                const int row = (selectionRun++ * 2011) % mainList()->rowCount();
                return bench::timeOnce([&] { clickRow(row); });
            },
            [&] { return engineTime([](store::Films& films) { films.find(4242); }); });

    int sortRun = 0;
    record(QStringLiteral("Column sort"), kRuns,
           [&] {
               const int column = sortRun++ % 2 ? 0 : 1;
               QHeaderView* header = mainList()->header();
               return bench::timeOnce([&] {
                   QTest::mouseClick(
                           header->viewport(), Qt::LeftButton, {},
                           QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
               });
           },
           {});

    record(
            QStringLiteral("Loan list"), kRuns,
            [&] { return bench::timeOnce([] { mainWindow().mnuliste->trigger(); }); },
            [&] { return engineTime([](store::Films& films) { films.lentFilms(); }); });
    mainWindow().mnulistF->trigger();

    record(
            QStringLiteral("Recording a loan"), kRuns,
            [&] {
                const qint16 key = keyOf(keyWhere("pret_film IS NULL"));
                return bench::timeOnce([&] { press(mainWindow().pret->cmd_pret); },
                                       [&] {
                                           clickRow(rowOfKey(key));
                                           press(mainWindow().pret->chk_pret);
                                           mainWindow().pret->txt_nom->setText(QStringLiteral("Benchmark"));
                                       });
            },
            [&] {
                return engineTime([](store::Films& films) {
                    films.lend(32766, QStringLiteral("x"), QStringLiteral("01/01/2026"));
                    films.counters();
                });
            });

    record(
            QStringLiteral("Recording a return"), kRuns,
            [&] {
                const qint16 key = keyOf(keyWhere("pret_film = 'Benchmark'", 0));
                return bench::timeOnce([&] { press(mainWindow().pret->chk_pret); },
                                       [&] {
                                           clickRow(rowOfKey(key));
                                           platform.answers = {ui::Answer::Yes};
                                       });
            },
            [&] {
                return engineTime([](store::Films& films) {
                    films.giveBack(32766, QDate(2026, 12, 6));
                    films.counters();
                });
            });

    // The loans window on 20,000 past loans: opened, then each of its interactions.
    record(
            QStringLiteral("Loans window, 20,000 past loans"), kRuns,
            [&] {
                return bench::timeOnce([] { mainWindow().mnusuivi->trigger(); },
                                       [] {
                                           frm_prets::instance().unload();
                                           QCoreApplication::sendPostedEvents(nullptr,
                                                                              QEvent::DeferredDelete);
                                       });
            },
            [&] {
                return engineTime([&](store::Films&) {
                    store::Loans loans(*engine);
                    store::Loans::borrowers(loans.history(), platform.clock.date());
                });
            });
    int dueRun = 0;
    record(QStringLiteral("Loans window: a due day set"), kRuns,
           [&] {
               return bench::timeOnce([&] { press(loansWindow().cmd_echeance); },
                                      [&] {
                                          clickRow(loansWindow().lst_en_cours, dueRun % 40);
                                          loansWindow().dtp_echeance->setDate(QDate(2026, 12, 10 + dueRun++ % 10));
                                      });
           },
           {});
    record(QStringLiteral("Loans window: a borrower chosen"), kRuns,
           [&] {
               return bench::timeOnce([&] { clickRow(loansWindow().lst_emprunteurs, dueRun++ % 40); },
                                      [] { loansWindow().tab_prets->setCurrentIndex(2); });
           },
           {});
    record(QStringLiteral("Loans window: a title typed"), kRuns,
           [&] {
               return bench::timeOnce([&] { QTest::keyClick(loansWindow().txt_film, 'e'); },
                                      [] {
                                          loansWindow().tab_prets->setCurrentIndex(1);
                                          QTest::mouseClick(loansWindow().cmd_tout, Qt::LeftButton);
                                      });
           },
           {});
    record(
            QStringLiteral("Loans window: a return recorded"), kRuns,
            [&] {
                return bench::timeOnce([&] { press(loansWindow().cmd_retour); },
                                       [&] {
                                           loansWindow().tab_prets->setCurrentIndex(0);
                                           clickRow(loansWindow().lst_en_cours, 0);
                                           platform.answers = {ui::Answer::Yes};
                                       });
            },
            [&] {
                store::Films films(*engine);
                films.lend(32766, QStringLiteral("x"), QStringLiteral("01/12/2026"));
                return bench::timeOnce([&] {
                    films.giveBack(32766, platform.clock.date());
                    store::Loans(*engine).history();
                    films.counters();
                });
            });
    frm_prets::instance().unload();

    int added = 0;
    record(
            QStringLiteral("Saving a new film"), kRuns,
            [&] {
                return bench::timeOnce(
                        [&] { press(Frm_New::instance().controls().Bt_Enreg); },
                        [&] {
                            // Room for the new key: the highest film goes first.
                            engine->execute(
                                    QStringLiteral("Delete * from film where code_film=%1")
                                            .arg(keyOf(QStringLiteral("select max(code_film) from film"))));
                            ++added;
                            press(mainWindow().cmd_new);
                            // The main window unloads when the editor opens; the event loop would delete it
                            // meanwhile.
                            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                            Frm_New::instance().controls().Txt_Titre->setText(
                                    QStringLiteral("Nouveau film d'essai"));
                        });
            },
            [&] {
                return engineTime([&](store::Films& films) {
                    films.nextKey();
                    readWhole(*engine, kAll);
                    films.counters();
                });
            });

    record(
            QStringLiteral("Modifying a film"), kRuns,
            [&] {
                return bench::timeOnce([&] { press(Frm_New::instance().controls().Bt_Enreg); },
                                       [&] {
                                           clickRow((added * 7919) % mainList()->rowCount());
                                           press(mainWindow().Bt_Modif);
                                           Frm_New::instance().controls().txt_obs->setPlainText(
                                                   QStringLiteral("modifié"));
                                       });
            },
            [&] { return listAndCounters(store::FilmList::all()); });

    int deleted = 0;
    record(
            QStringLiteral("Deleting a film"), kRuns,
            [&] {
                return bench::timeOnce([&] { press(mainWindow().Bt_Supp); },
                                       [&] {
                                           clickRow((++deleted * 104729) % mainList()->rowCount());
                                           platform.answers = {ui::Answer::Yes};
                                       });
            },
            [&] {
                return engineTime([&](store::Films& films) {
                    films.remove(0);
                    readWhole(*engine, kAll);
                    films.counters();
                });
            });

    // The statistics window opened anew each time, then its largest genre double-clicked, after the
    // full list, through to the main list filled with its films. No event loop runs here: the
    // window unloaded goes at once rather than piling up.
    const auto unloadStatistics = [] {
        frm_statistiques::instance().unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    record(
            QStringLiteral("Statistics window"), kRuns,
            [&] { return bench::timeOnce([] { mainWindow().mnu_stats->trigger(); }, unloadStatistics); },
            [&] {
                return engineTime([&](store::Films& films) {
                    films.statistics();
                    store::Loans(*engine).statistics(QDate(2026, 12, 7));
                });
            });
    const store::FilmList largestGenre = store::Films(*engine).statistics().byField[0].value(0).list;
    record(
            QStringLiteral("Statistics row to its films"), kRuns,
            [&] {
                ui::ListView* genres = frm_statistiques::instance().controls().lst_genre;
                const QPoint row = genres->visualRect(genres->model()->index(0, 0)).center();
                return bench::timeOnce(
                        [&] { QTest::mouseDClick(genres->viewport(), Qt::LeftButton, {}, row); },
                        [&] { mainWindow().mnulistF->trigger(); });
            },
            [&] { return listAndCounters(largestGenre); });

    mainWindow().mnulistF->trigger();
    record(
            QStringLiteral("Text export"), kRuns,
            [&] { return bench::timeOnce([] { mainWindow().mnuexporter->trigger(); }); },
            [&] {
                return engineTime([](store::Films& films) {
                    films.forEachByTitle([](const QString&, const QString&, const QString&) {});
                });
            });

    record(QStringLiteral("Spreadsheet export"), 3,
           [&] { return bench::timeOnce([] { mainWindow().mnu_excel->trigger(); }); }, {});
    for (const QString& workbook : platform.openedDocuments)
        if (workbook.endsWith(QStringLiteral(".xlsx")))
            QFile::remove(workbook);

    const double peak = bench::peakMemoryMb();
    // Kept for the import's reading, which looks each title up in the full catalogue.
    const QString fullCatalogue = QDir(folder.path()).filePath(QStringLiteral("complet.mdb"));
    copyCatalogue(*engine, fullCatalogue);

    // The quick add and the import's writing run on a catalogue of their own, made anew (or copied
    // from the full one) for every run: the full one has no key left.
    auto restartOn = [&](const QString& source) {
        endProgram();
        engine.reset();
        QFile::remove(catalogue);
        QFile::remove(catalogue + QStringLiteral("-wal"));
        QFile::remove(catalogue + QStringLiteral("-shm"));
        if (source.isEmpty())
            store::createCatalogue(catalogue);
        else
            QFile::copy(source, catalogue);
        engine = store::Database::open(catalogue);
        testing::startProgram();
    };
    auto openQuickAdd = [&](const QString& folder, bool readFiles) {
        restartOn({});
        mainWindow().mnuajoutquick->trigger();
        const Frm_ajoutquickControls& c = Frm_ajoutquick::instance().controls();
        // The three boxes are ticked at opening: the scans that do not read the files untick the
        // first two; every video file stays asked for, with its .nfo.
        if (!readFiles) {
            press(c.chk_lire_fichiers);
            press(c.chk_ignorer_connus);
        }
        platform.folders = {folder};
        press(c.cmd_parcourir);
    };
    auto countFilms = [&] {
        store::Recordset check;
        check.open(QStringLiteral("select count(*) from film"), *engine);
        std::fprintf(stderr, "the catalogue holds %s films\n", qPrintable(check.text(0)));
    };
    // Three scans of a tree, each on a new catalogue, then the number of films the last one stored.
    auto recordQuickAdd = [&](const QString& name, const QString& folder, bool readFiles) {
        record(name, 3,
               [&] {
                   return bench::timeOnce([&] { press(Frm_ajoutquick::instance().controls().cmd_lancer); },
                                          [&] { openQuickAdd(folder, readFiles); });
               },
               {});
        countFilms();
    };

    QTemporaryDir videos;
    bench::makeVideoTree(videos.path(), 100, 100);
    recordQuickAdd(QStringLiteral("Quick add, 10,000 files in 100 folders"), videos.path(), false);

    QTemporaryDir films;
    bench::makeVideoTree(films.path(), 10, 100,
                         QStringLiteral(CINABREL_SOURCE_DIR "/tests/data/divx_mp3.avi"));
    recordQuickAdd(QStringLiteral("Quick add with file reading, 1,000 files"), films.path(), true);

    // Against the 10,000-file scan's time a file: what reading a .nfo adds.
    QTemporaryDir described;
    bench::makeVideoTree(described.path(), 10, 100, QString(),
                         QStringLiteral(CINABREL_SOURCE_DIR "/tests/data/nfo/full.nfo"));
    recordQuickAdd(QStringLiteral("Quick add with .nfo files, 1,000 films"), described.path(), false);

    // The import's reading of a catalogue file, without its window; the films come back as many as
    // written.
    QTemporaryDir catalogues;
    const QString table = QDir(catalogues.path()).filePath(QStringLiteral("films.csv"));
    const QString tellico = QDir(catalogues.path()).filePath(QStringLiteral("tellico.xml"));
    bench::writeImportTable(table, kImportedFilms);
    bench::writeTellicoCollection(tellico, kImportedFilms);
    files::CatalogueContent read;
    for (const auto& [name, path] :
         {std::pair {QStringLiteral("Import: reading 10,000 films (CSV)"), table},
          std::pair {QStringLiteral("Import: reading 10,000 films (Tellico)"), tellico}}) {
        record(name, kRuns, [&] { return bench::timeOnce([&] { read = files::readCatalogueFile(path); }); },
               {});
        std::fprintf(stderr, "read %lld films\n", qlonglong(read.films.size()));
    }
    const files::ReferenceLists lists =
            files::readReferenceLists(QStringLiteral(CINABREL_SOURCE_DIR "/data/codec.cnb"));
    record(QStringLiteral("Import: mapping 10,000 films into their columns"), kRuns,
           [&] {
               return bench::timeOnce([&] {
                   const files::MappedCatalogue mapped = files::mapFilms(read.films, lists);
                   const qsizetype titled =
                           std::count_if(mapped.films.cbegin(), mapped.films.cend(),
                                         [](const auto& film) { return !film.nom_film.isEmpty(); });
                   if (titled != read.films.size())
                       std::fprintf(stderr, "only %lld films mapped with a title\n", qlonglong(titled));
               });
           },
           {});

    // The import window, from the menu entry to its list filled, each title looked up among the
    // 32,767 films of the full catalogue; then its button, from the click to the report, on an
    // empty catalogue: each film committed with its loan, the count shown as it goes.
    auto importWindow = [] { return frm_importer::instance().controls(); };
    auto openImport = [&] {
        platform.files = {table};
        mainWindow().mnuimporter->trigger();
    };
    restartOn(fullCatalogue);
    record(QStringLiteral("Import: reading and showing 10,000 films"), 5,
           [&] { return bench::timeOnce(openImport, [] { frm_importer::instance().unload(); }); }, {});
    std::fprintf(stderr, "%d rows shown\n", importWindow().List->rowCount());
    record(QStringLiteral("Import: writing 10,000 films"), 3,
           [&] {
               const double ms = bench::timeOnce([&] { press(importWindow().cmd_importer); },
                                                 [&] {
                                                     restartOn({});
                                                     openImport();
                                                 });
               // The report of a whole import is no failure.
               platform.messages.removeIf([](const QString& message) {
                   return message.startsWith(QStringLiteral("64|Cinabrel|10000 film(s) importé(s)"));
               });
               return ms;
           },
           {});
    countFilms();

    std::printf("%s\nPeak memory with %d films listed: %.0f MB\n", qPrintable(bench::table(timings)), kFilms,
                peak);
    endProgram();
    return 0;
}
