#include "support/Scenario.h"

#include "backups/frm_sauvegarde.h"
#include "stats/frm_statistiques.h"
#include "store/Backups.h"
#include "support/FaultyVfs.h"
#include "support/Golden.h"
#include "support/Testing.h"

#include <QRegularExpression>
#include <csignal>
#include <sqlite3.h>
#include <sys/resource.h>

namespace testing {

namespace {

// The drivers of the windows, as a user works them: mouse clicks on rows, headers and boxes.
const Frm_AccueilControls& accueil() { return Frm_Accueil::instance().controls(); }

// The texts of one cell (0: the row's own) of each row of the main list, in the order shown.
QStringList cells(int cell)
{
    QStringList result;
    for (int row = 0; row < accueil().List->rowCount(); ++row)
        result.append(cell == 0 ? accueil().List->rowText(row) : accueil().List->cellText(row, cell));
    return result;
}

QStringList titles() { return cells(0); }

// Clicks a row of a list, or double-clicks it, as the user does; a row past the last, below them.
void clickRow(ui::ListView* list, int row, bool twice = false)
{
    const QPoint centre = row < list->rowCount() ? list->visualRect(list->model()->index(row, 0)).center()
                                                 : QPoint(10, list->viewport()->height() - 2);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    if (twice)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
}

void select(const QString& title, bool twice = false)
{
    const int row = int(titles().indexOf(title));
    QVERIFY2(row >= 0, qPrintable(title));
    clickRow(accueil().List, row, twice);
}

void clickHeader(int column)
{
    QHeaderView* header = accueil().List->header();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

// Clicks the check box on its box, as the user ticks or unticks it.
void tick(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2)); }

// What each control shows: its value as the user sets it (a box's text, a drop-down list's entry,
// "checked" or "" for a button that ticks), a tab bar's current tab, or a label's text.
QStringList shown(const QList<QWidget*>& controls)
{
    QStringList texts;
    for (QWidget* widget : controls) {
        const QMetaProperty value = widget->metaObject()->userProperty();
        auto* tabs = qobject_cast<QTabBar*>(widget);
        const QVariant shown = value.isValid() ? value.read(widget)
                : tabs                         ? tabs->tabText(tabs->currentIndex())
                                               : widget->property("text");
        texts.append(shown.typeId() != QMetaType::Bool ? shown.toString()
                             : shown.toBool()          ? QStringLiteral("checked")
                                                       : QString());
    }
    return texts;
}

// "Scan {01..60}.avi" as the sixty names it stands for, "; " between them.
QString expandedRange(const QString& text)
{
    static const QRegularExpression range(QStringLiteral(R"(\{(\d+)\.\.(\d+)\})"));
    const QRegularExpressionMatch match = range.match(text);
    if (!match.hasMatch())
        return text;
    QStringList names;
    for (int i = match.captured(1).toInt(); i <= match.captured(2).toInt(); ++i)
        names << QString(text).replace(match.capturedStart(), match.capturedLength(),
                                       QStringLiteral("%1").arg(i, match.capturedLength(1), 10, QChar(u'0')));
    return names.join(QStringLiteral("; "));
}

// The text as a scenario writes it.
QString escaped(const QString& text)
{
    QString written;
    for (QChar c : text) {
        if (c == u'\r' || c == u'\n' || c == u'\t')
            written += u'\\' + QString(c == u'\r' ? u'r' : c == u'\n' ? u'n' : u't');
        else if (c.category() == QChar::Other_Control || c == QChar::ParagraphSeparator)
            written += QStringLiteral("\\u{%1}").arg(c.unicode(), 0, 16);
        else
            written += c;
    }
    return written;
}

// Every file under a folder, with its bytes.
QMap<QString, QByteArray> contents(const QString& folder)
{
    QMap<QString, QByteArray> found;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        found.insert(QDir(folder).relativeFilePath(path), fileBytes(path));
    }
    return found;
}

QList<ui::Form*> forms()
{
    return {&Frm_Accueil::instance(),     &Frm_New::instance(),        &Frm_Visu::instance(),
            &frm_option::instance(),      &Frm_ajoutquick::instance(), &frm_sauvegarde::instance(),
            &frm_statistiques::instance()};
}

ui::Form* formNamed(const QString& name)
{
    for (ui::Form* form : forms())
        if (form->formName() == name)
            return form;
    QTest::qFail(qPrintable("no window " + name), __FILE__, __LINE__);
    return &Frm_Accueil::instance();
}

// A control by its name, "FORM.NAME" or "NAME" in the first loaded window that holds one.
QWidget* control(const QString& name)
{
    const QString form = name.section(u'.', 0, -2);
    for (ui::Form* f : forms()) {
        if (!f->isLoaded() || (!form.isEmpty() && f->formName() != form))
            continue;
        if (auto* found = f->window()->findChild<QWidget*>(name.section(u'.', -1)))
            return found;
    }
    QTest::qFail(qPrintable("no control " + name), __FILE__, __LINE__);
    return nullptr;
}

// "7 Brazil [pret=Paul, date=01/12/2026]" put in the catalogue: a key, a title, the columns given.
void insertFilm(TestProgram& program, const QString& spec)
{
    static const QRegularExpression pattern(QStringLiteral(R"(^(-?\d+) (.*?)(?: \[(.*)\])?$)"));
    const QRegularExpressionMatch match = pattern.match(spec.trimmed());
    QMap<QString, QString> columns;
    for (const QString& pair : match.captured(3).split(QStringLiteral(", "), Qt::SkipEmptyParts))
        columns.insert(pair.section(u'=', 0, 0), unescaped(pair.section(u'=', 1)));
    program.insert(match.captured(1).toInt(), unescaped(match.captured(2)), columns);
}

// The loan box as the user sees it: the box's caption, whether it is ticked, the name and date
// when they show, whether the name is locked, whether "Enregistrer le prêt" shows.
QString loanBox()
{
    const LoanBox& c = *accueil().pret;
    const bool fields = c.txt_nom->isVisible();
    if (c.lbl_nom->isVisible() != fields || c.lbl_date1->isVisible() != fields
        || c.lbl_date->isVisible() != fields)
        return QStringLiteral("loan fields shown apart");
    return QStringLiteral("%1 %2 %3 %4 %5")
            .arg(c.chk_pret->isVisible() ? c.chk_pret->text() : QStringLiteral("hidden"))
            .arg(int(c.chk_pret->isChecked()))
            .arg(fields ? c.txt_nom->text() + u'@' + c.lbl_date->text() : QStringLiteral("-"))
            .arg(int(c.txt_nom->isReadOnly()))
            .arg(int(c.cmd_pret->isVisible()));
}

// A named control as a line of a window's golden file: its name and kind, whether it shows, takes
// input or is read-only, whether Enter presses it, where it stands, its font and background, a
// label's alignment (Qt's flags in hexadecimal) and word wrap, and what a screen reader calls it
// (a choice list, which Linux names by its value, by the caption that labels it); an action with
// its text, "-" for a separator.
QString described(QObject* object, const QWidget* window)
{
    QStringList parts {object->objectName(), QString::fromLatin1(object->metaObject()->className())};
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) {
        const auto* action = qobject_cast<QAction*>(object);
        return parts.join(u' ')
                + QStringLiteral(" «%1»").arg(action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    auto* line = qobject_cast<QLineEdit*>(widget);
    auto* notes = qobject_cast<QPlainTextEdit*>(widget);
    auto* button = qobject_cast<QPushButton*>(widget);
    const QRect r = widget->geometry();
    const QFont font = widget->font();
    parts << (widget->isVisibleTo(window) ? QStringLiteral("shown") : QStringLiteral("hidden"));
    if (!widget->isEnabled())
        parts << QStringLiteral("disabled");
    if ((line && line->isReadOnly()) || (notes && notes->isReadOnly()))
        parts << QStringLiteral("read-only");
    if (button && (button->isDefault() || button->autoDefault()))
        parts << QStringLiteral("default");
    parts << QStringLiteral("%1,%2 %3x%4 %5 %6")
                     .arg(r.x())
                     .arg(r.y())
                     .arg(r.width())
                     .arg(r.height())
                     .arg(font.family())
                     .arg(font.pointSizeF());
    if (font.bold())
        parts << QStringLiteral("bold");
    if (font.italic())
        parts << QStringLiteral("italic");
    if (font.underline())
        parts << QStringLiteral("underline");
    parts << widget->palette().color(widget->backgroundRole()).name();
    if (const auto* label = qobject_cast<QLabel*>(widget))
        parts << QStringLiteral("align:%1%2")
                         .arg(int(label->alignment()), 0, 16)
                         .arg(label->wordWrap() ? " wrap" : "");
    QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(widget);
    const auto labels = heard->relations(QAccessible::Label);
    if (heard->role() == QAccessible::ComboBox)
        heard = labels.isEmpty() ? nullptr : labels.first().first;
    return parts.join(u' ') + QStringLiteral(" «%1»").arg(heard ? heard->text(QAccessible::Name) : QString());
}

void act(TestProgram& program, const QString& step)
{
    const QString verb = step.section(u' ', 0, 0), rest = unescaped(step.section(u' ', 1));
    // A name holds "\s" where it holds a space.
    const QString name = unescaped(step.section(u' ', 1, 1)), text = unescaped(step.section(u' ', 2));
    if (verb == u"select" || verb == u"dblclick")
        select(rest, verb == u"dblclick");
    else if (verb == u"row" && rest.contains(u' '))
        clickRow(qobject_cast<ui::ListView*>(control(name)), text.toInt());
    else if (verb == u"row")
        clickRow(accueil().List, rest.toInt());
    else if (verb == u"dblrow")
        clickRow(qobject_cast<ui::ListView*>(control(name)), text.toInt(), true);
    else if (verb == u"header")
        clickHeader(rest.toInt());
    else if (verb == u"click")
        QTest::mouseClick(control(rest), Qt::LeftButton);
    else if (verb == u"menu")
        Frm_Accueil::instance().window()->findChild<QAction*>(rest)->trigger();
    else if (verb == u"tick")
        tick(qobject_cast<QCheckBox*>(control(rest)));
    else if (verb == u"type") {
        if (auto* box = qobject_cast<QLineEdit*>(control(name))) {
            box->selectAll();
            box->insert(text);
        } else {
            qobject_cast<QPlainTextEdit*>(control(name))->setPlainText(text);
        }
    } else if (verb == u"choose")
        qobject_cast<QComboBox*>(control(name))->setCurrentText(text);
    else if (verb == u"key")
        QTest::keyClick(control(name), QKeySequence(text)[0].key(),
                        QKeySequence(text)[0].keyboardModifiers());
    else if (verb == u"keys")
        QTest::keyClicks(control(name), text);
    else if (verb == u"resize")
        Frm_Accueil::instance().window()->resize(name.toInt(), text.toInt());
    else if (verb == u"tab")
        frm_option::instance().controls().TabStrip1->setCurrentIndex(rest.toInt());
    else if (verb == u"entry") {
        QListWidget* list = frm_option::instance().controls().List;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(rest.toInt())).center());
    } else if (verb == u"answer")
        program.platform().answers << (rest == u"Oui" ? ui::Answer::Yes : ui::Answer::No);
    else if (verb == u"folder")
        program.platform().folders << rest;
    else if (verb == u"close")
        formNamed(rest)->window()->close();
    else if (verb == u"show") {
        formNamed(rest)->show();
        QVERIFY(QTest::qWaitForWindowActive(formNamed(rest)->window()));
    } else if (verb == u"mkdir")
        QVERIFY(QDir(program.folder()).mkpath(rest));
    else if (verb == u"tmpdir")
        qputenv("TMPDIR", QFile::encodeName(program.path(rest)));
    else if (verb == u"viewer")
        program.platform().documentsOpen = rest == u"on";
    else if (verb == u"write")
        QVERIFY(writeBytes(program.path(name), text.toUtf8()));
    else if (verb == u"rename")
        QVERIFY(QDir(program.folder()).rename(name, text));
    else if (verb == u"sqlite") {
        // A database of another program's making.
        sqlite3* db = nullptr;
        sqlite3_open(program.path(name).toUtf8().constData(), &db);
        QCOMPARE(sqlite3_exec(db, text.toUtf8().constData(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    } else if (verb == u"sql")
        QCOMPARE(sqlite3_exec(program.db().handle(), rest.toUtf8().constData(), nullptr, nullptr, nullptr),
                 SQLITE_OK);
    else if (verb == u"remove") {
        const QFileInfo path(QDir(program.folder()).filePath(rest));
        QVERIFY(path.isDir() ? QDir(path.filePath()).removeRecursively() : QFile::remove(path.filePath()));
    } else if (verb == u"clock")
        program.platform().clock = QDateTime::fromString(rest, QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    else if (verb == u"restart") {
        stopProgram();
        QVERIFY(startProgram());
    } else if (verb == u"put") {
        // The file copied by hand in place of the catalogue, the program stopped meanwhile.
        stopProgram();
        program.closeDb();
        for (const char* suffix : {"", "-wal", "-shm"})
            QFile::remove(program.cataloguePath() + QLatin1String(suffix));
        QVERIFY(QFile::copy(program.path(rest), program.cataloguePath()));
        QVERIFY(startProgram());
    } else if (verb == u"damage") {
        // The test's own connection lets the file go first, its journal folded in.
        program.closeDb();
        // "header": a sound header over noise; "page": a page in the middle overwritten; "empty".
        QByteArray bytes = fileBytes(program.path(text));
        if (name == u"page")
            bytes.replace(bytes.size() / 2, 4096, QByteArray(4096, 'Z'));
        else
            bytes = name == u"empty" ? QByteArray()
                                     : QByteArray("SQLite format 3", 16) + QByteArray(8192, 'x');
        QVERIFY(writeBytes(program.path(text), bytes));
    } else
        QTest::qFail(qPrintable("no step " + verb), __FILE__, __LINE__);
}

// What a scenario has seen so far: the messages it looked at, the count of the last scan.
struct Seen {
    int messages = 0;
    QString firstCount;
    QString busy;  // the quick add's cursor and buttons then
    QList<int> progress;  // the export's progress bar at each step
};

QString observe(TestProgram& program, const QString& part, Seen& seen)
{
    const QString what = part.section(u' ', 0, 0), name = part.section(u' ', 1);
    if (what == u"list")
        return titles().join(QStringLiteral(" | "));
    if (what == u"cells")
        return cells(name.toInt()).join(QStringLiteral(" | "));
    if (what == u"rows") {
        QStringList rows;
        const auto* list = qobject_cast<ui::ListView*>(control(name));
        for (int row = 0; row < list->rowCount(); ++row) {
            QStringList texts {list->rowText(row)};
            for (int cell = 1; cell <= list->cellCount(row); ++cell)
                texts << list->cellText(row, cell);
            rows << texts.join(u'/');
        }
        return rows.join(QStringLiteral(" | "));
    }
    if (what == u"columns") {
        QStringList columns;
        const auto* list = qobject_cast<ui::ListView*>(control(name));
        for (int column = 0; column < list->columnCount(); ++column)
            columns << QStringLiteral("%1 %2")
                               .arg(list->columnCaption(column))
                               .arg(list->columnWidth(column));
        return columns.join(QStringLiteral(" | "));
    }
    if (what == u"ended")
        return program.programEnded() ? QStringLiteral("yes") : QStringLiteral("no");
    if (what == u"control")
        return described(control(name), control(name)->window());
    if (what == u"integrity")
        return integrityCheck(*store::Database::open(program.cataloguePath()));
    if (what == u"films")
        return program.films().join(QStringLiteral(" | "));
    if (what == u"film") {
        for (const QStringList& row : filmRows(program.db()))
            if (row[0] == name)
                return row.mid(1).join(QStringLiteral(" | "));
        return QStringLiteral("none");
    }
    if (what == u"said") {
        const QStringList said = program.platform().messages.mid(seen.messages);
        seen.messages = int(program.platform().messages.size());
        return said.join(QStringLiteral(" / "));
    }
    if (what == u"shown") {
        QStringList shown;
        for (ui::Form* form : forms())
            if (form->isVisible())
                shown << form->formName();
        return shown.join(u' ');
    }
    if (what == u"box")
        return loanBox();
    if (what == u"controls") {
        QMainWindow* window = formNamed(name)->window();
        QStringList tree;
        for (QObject* object : window->findChildren<QObject*>())
            if (!object->objectName().isEmpty() && !object->objectName().startsWith(QStringLiteral("qt_"))
                && (object->isWidgetType() || qobject_cast<QAction*>(object)))
                tree << described(object, window);
        tree.sort();
        return tree.join(u'\n');
    }
    if (what == u"opened")
        return program.platform().openedDocuments.join(QStringLiteral(" | "));
    if (what == u"workbook")
        return workbookXml(program.platform().openedDocuments.value(0)).join(u'\n');
    if (what == u"files")
        return QDir(program.path(name)).entryList(QDir::Files, QDir::Name).join(QStringLiteral(" | "));
    if (what == u"progress") {
        const QList<int> steps = std::exchange(seen.progress, {});
        return QStringLiteral("%1 steps, the last %2").arg(steps.size()).arg(steps.value(steps.size() - 1));
    }
    if (what == u"busy")
        return seen.busy;
    if (what == u"asked")
        return program.platform().folderRequests.join(QStringLiteral(" / "));
    if (what == u"count")
        return std::exchange(seen.firstCount, QString());
    if (what == u"counters")
        return shown({accueil().lbl_stat_nbr, accueil().lbl_stat_dvd, accueil().lbl_stat_pret,
                      accueil().lbl_dispo})
                .join(u' ');
    if (what == u"text")
        return shown({control(name)}).value(0);
    if (what == u"entries") {
        QStringList entries;
        if (auto* combo = qobject_cast<QComboBox*>(control(name)))
            for (int i = 0; i < combo->count(); ++i)
                entries << combo->itemText(i);
        if (auto* list = qobject_cast<QListWidget*>(control(name)))
            for (int i = 0; i < list->count(); ++i)
                entries << list->item(i)->text();
        return entries.join(QStringLiteral(" | "));
    }
    if (what == u"editor") {
        const Frm_NewControls& c = Frm_New::instance().controls();
        QString quality;
        for (int i = 0; i < 5; ++i)
            if (Frm_New::instance().options()[i]->isChecked())
                quality = Frm_New::qualites()[i];
        return (shown({c.Txt_Titre, c.Combo1, c.Combo2}) + QStringList {quality}
                + shown({c.Combo3, c.txt_obs, c.Comb_lng, c.comb_video, c.comb_audio, c.txt_duree,
                         c.txt_realisateur, c.txt_acteur, c.txt_annee}))
                .join(QStringLiteral(" | "));
    }
    if (what == u"file") {
        const QString path = program.path(name);
        return QFile::exists(path) ? QString::fromLatin1(fileBytes(path)) : QStringLiteral("none");
    }
    if (what == u"focus") {
        for (ui::Form* form : forms())
            if (form->formName() == name && form->isLoaded() && form->window()->focusWidget())
                return form->window()->focusWidget()->objectName();
        return QString();
    }
    QTest::qFail(qPrintable("nothing to observe as " + what), __FILE__, __LINE__);
    return QString();
}

}  // namespace

void addScenarios()
{
    QTest::addColumn<QStringList>("script");
    const QDir folder(testData(QStringLiteral("scenarios")));
    for (const QString& suite : folder.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
        QString name;
        QStringList script;
        const QStringList lines = QString::fromUtf8(fileBytes(folder.filePath(suite))).split(u'\n');
        for (const QString& line : lines + QStringList {QStringLiteral("[]")}) {
            if (line.startsWith(u'[')) {
                if (!name.isEmpty())
                    QTest::addRow("%s: %s", qPrintable(suite.chopped(4)), qPrintable(name)) << script;
                name = line.mid(1).chopped(1);
                script.clear();
            } else if (!line.trimmed().isEmpty() && !line.startsWith(u'#')) {
                script << line;
            }
        }
    }
}

void play(TestProgram& program, const QStringList& script)
{
    // The options window's own variables outlive it, as they do in the program.
    frm_option::instance().index_courant = 0;
    Seen seen;
    QTemporaryDir tree;
    // The program's folder is the current one: a file written where the program started shows there.
    const QByteArray temporaryFolder = qgetenv("TMPDIR");
    const QString startedIn = QDir::currentPath();
    QDir::setCurrent(program.folder());
    // "disk files limited to N bytes": a file growing past N bytes fails to be written, as on a
    // full disk, whatever writes it.
    std::signal(SIGXFSZ, SIG_IGN);
    const auto limitFiles = [](rlim_t bytes) {
        const rlimit limit {bytes, RLIM_INFINITY};
        QVERIFY(setrlimit(RLIMIT_FSIZE, &limit) == 0);
    };
    const auto restore = qScopeGuard([&] {
        qputenv("TMPDIR", temporaryFolder);
        QDir::setCurrent(startedIn);
        limitFiles(RLIM_INFINITY);
    });
    std::optional<FaultyVfs> disk;
    std::optional<WriteLockHolder> otherProgram;
    bool scanFault = false;
    QStringList meanwhile;
    // The count a scan shows after its first file: the window is gone once the scan ends. A fault
    // of the disk "during the scan" comes once the scan runs, past the backup that precedes it.
    program.platform().onProcessEvents = [&] {
        Frm_ajoutquick& quickAdd = Frm_ajoutquick::instance();
        if (seen.firstCount.isEmpty() && quickAdd.isLoaded()) {
            seen.firstCount = quickAdd.controls().lbl_compte->text();
            seen.busy = QStringLiteral("%1 %2 %3")
                                .arg(quickAdd.window()->cursor().shape() == Qt::WaitCursor ? "hourglass"
                                                                                           : "arrow")
                                .arg(int(quickAdd.controls().cmd_parcourir->isEnabled()))
                                .arg(int(quickAdd.controls().cmd_lancer->isEnabled()));
        }
        if (Frm_Accueil::instance().isLoaded() && accueil().fra_export->isVisible())
            seen.progress << accueil().Progbar->value();
        for (const QString& step : std::exchange(meanwhile, {}))
            act(program, step.trimmed());
        if (std::exchange(scanFault, false))
            disk->inject(FaultyVfs::Fault::WriteError, 20);
    };
    for (const QString& written : script) {
        const QString line = QString(written).replace(QStringLiteral("{tree}"), tree.path());
        const QString word = line.section(u'\t', 0, 0).trimmed(), rest = line.section(u'\t', 1);
        if (word == u"films") {
            for (const QString& spec : rest.split(QStringLiteral("; "), Qt::SkipEmptyParts))
                insertFilm(program, spec);
        } else if (word == u"lists") {
            const QString path = program.path(QStringLiteral("BD/codec.cnb"));
            QVERIFY(rest == u"-" ? QFile::remove(path) : writeBytes(path, unescaped(rest).toLatin1()));
        } else if (word == u"tree") {
            for (const QString& file : expandedRange(rest).split(QStringLiteral("; "))) {
                const QString path = tree.filePath(
                        unescaped(file.section(u'=', 0, 0).section(QStringLiteral("->"), 0, 0)));
                QDir().mkpath(QFileInfo(path).path());
                if (file.contains(QStringLiteral("->")))
                    QVERIFY(QFile::link(file.section(QStringLiteral("->"), 1)
                                                .replace(QStringLiteral("{data}"), testData({})),
                                        path));
                else
                    QVERIFY(file.contains(u'=') ? QFile::copy(testData(file.section(u'=', 1)), path)
                                                : writeBytes(path, QByteArray()));
            }
        } else if (word == u"backup") {
            store::Backups(program.db())
                    .backUp(QDateTime::fromString(rest, QStringLiteral("dd/MM/yyyy HH:mm:ss")));
        } else if (word == u"disk") {
            if (!disk)
                disk.emplace();
            otherProgram.reset();
            disk->clear();
            limitFiles(RLIM_INFINITY);
            if (rest.startsWith(QStringLiteral("files limited to ")))
                limitFiles(rest.section(u' ', 3, 3).toULongLong());
            else if (rest == u"locked")
                otherProgram.emplace(program.cataloguePath());
            else if (rest == u"refusing every lock")
                disk->inject(FaultyVfs::Fault::Locked);
            else if (rest == u"write error during the scan")
                scanFault = true;
            else if (rest != u"sound")
                disk->inject(rest == u"full"                  ? FaultyVfs::Fault::DiskFull
                                     : rest == u"write error" ? FaultyVfs::Fault::WriteError
                                                              : FaultyVfs::Fault::ReadError);
        } else if (word == u"meanwhile") {
            meanwhile = rest.split(QStringLiteral(" ; "));
        } else if (word == u"start" && rest == u"refused") {
            // The program ends, never having made or changed a file of its own accord.
            const QMap<QString, QByteArray> before = contents(program.folder());
            QVERIFY(!startProgram());
            QCOMPARE(ui::forms::loadedCount(), 0);
            if (disk)
                disk->clear();
            QCOMPARE(contents(program.folder()), before);
        } else if (word == u"start") {
            QVERIFY(startProgram());
        } else if (word == u"do") {
            for (const QString& step : rest.split(QStringLiteral(" ; ")))
                act(program, step.trimmed());
        } else if (word == u"expect") {
            const QString part = rest.section(u':', 0, 0);
            const QString value =
                    unescaped(rest.section(u':', 1).mid(1))
                            .replace(QStringLiteral("{folder}"), QDir::toNativeSeparators(program.folder()))
                            .replace(QStringLiteral("{home}"), QDir::homePath());
            // "part~: text" asks only that the part holds the text.
            const bool within = part.endsWith(u'~');
            const QString actual = observe(program, within ? part.chopped(1) : part, seen);
            // "part: @name" compares with the golden file tests/data/name.
            if (value.startsWith(u'@'))
                part.startsWith(QStringLiteral("file "))
                        ? compareWithGolden(fileBytes(program.path(part.section(u' ', 1))), value.mid(1))
                        : compareWithGolden(actual.split(u'\n'), value.mid(1));
            else if (within ? !actual.contains(value) : actual != value)
                QTest::qFail(qPrintable(QStringLiteral("%1\n   actual:   %2\n   expected: %3")
                                                .arg(line, escaped(actual), escaped(value))),
                             __FILE__, __LINE__);
        } else {
            QTest::qFail(qPrintable("not a scenario line: " + line), __FILE__, __LINE__);
        }
        if (QTest::currentTestFailed())
            return;
    }
}

}  // namespace testing
