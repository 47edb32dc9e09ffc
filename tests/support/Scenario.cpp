#include "support/Scenario.h"

#include "backups/frm_sauvegarde.h"
#include "import/frm_importer.h"
#include "loans/frm_prets.h"
#include "stats/frm_statistiques.h"
#include "store/Backups.h"
#include "support/FaultyVfs.h"
#include "support/Golden.h"
#include "support/Testing.h"

#include <QRegularExpression>
#include <csignal>
#include <span>
#include <sqlite3.h>
#include <sys/resource.h>

namespace testing {

namespace {

// A step or an expectation that did not hold: the scenario stops there, and its row fails with this.
struct Failure {
    QString message;
};

[[noreturn]] void fail(const QString& message) { throw Failure {message}; }

void require(bool holds, const QString& otherwise)
{
    if (!holds)
        fail(otherwise);
}

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
    require(row >= 0, QStringLiteral("no film %1 in the main list").arg(title));
    clickRow(accueil().List, row, twice);
}

void clickHeader(int column)
{
    QHeaderView* header = accueil().List->header();
    require(column < header->count(), QStringLiteral("no column %1 in the main list").arg(column));
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

// What each control shows: its value as the user sets it (a box's text, a drop-down list's entry,
// "checked" or "" for a button that ticks, a date or number box's text), a tab bar's or tab
// widget's current tab, or a label's text.
QStringList shown(const QList<QWidget*>& controls)
{
    QStringList texts;
    for (QWidget* widget : controls) {
        const QMetaProperty value = widget->metaObject()->userProperty();
        auto* tabs = qobject_cast<QTabBar*>(widget);
        if (auto* pages = qobject_cast<QTabWidget*>(widget))
            tabs = pages->tabBar();
        // A date or a number as its box shows it, "08/12/2026", "14 jour(s)".
        const bool asShown = qobject_cast<QAbstractSpinBox*>(widget);
        const QVariant shown = value.isValid() && !asShown ? value.read(widget)
                : tabs                                     ? tabs->tabText(tabs->currentIndex())
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
    return {&Frm_Accueil::instance(),  &Frm_New::instance(),        &Frm_Visu::instance(),
            &frm_option::instance(),   &Frm_ajoutquick::instance(), &frm_sauvegarde::instance(),
            &frm_importer::instance(), &frm_prets::instance(),      &frm_statistiques::instance()};
}

ui::Form& formNamed(const QString& name)
{
    for (ui::Form* form : forms())
        if (form->formName() == name)
            return *form;
    fail(QStringLiteral("no window %1").arg(name));
}

// A control of the kind a step needs by its name, "FORM.NAME" or "NAME" in the first loaded window
// that holds one.
template <typename Kind = QWidget>
Kind& control(const QString& name)
{
    const QString form = name.section(u'.', 0, -2);
    for (ui::Form* f : forms()) {
        if (!f->isLoaded() || (!form.isEmpty() && f->formName() != form))
            continue;
        if (auto* found = f->window()->findChild<Kind*>(name.section(u'.', -1)))
            return *found;
    }
    fail(QStringLiteral("no control %1 (%2) in the loaded windows")
                 .arg(name, QString::fromLatin1(Kind::staticMetaObject.className())));
}

// "7 Brazil [pret=Paul, date=01/12/2026]" put in the catalogue: a key, a title, the columns given.
void insertFilm(TestProgram& program, const QString& spec)
{
    static const QRegularExpression pattern(QStringLiteral(R"(^(-?\d+) (.*?)(?: \[(.*)\])?$)"));
    const QRegularExpressionMatch match = pattern.match(spec.trimmed());
    require(match.hasMatch(), QStringLiteral("not a film: %1").arg(spec));
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
// its text, "-" for a separator, and whether it is ticked when it ticks.
QString described(QObject* object, const QWidget* window)
{
    QStringList parts {object->objectName(), QString::fromLatin1(object->metaObject()->className())};
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) {
        const auto* action = qobject_cast<QAction*>(object);
        if (action->isCheckable())
            parts << (action->isChecked() ? QStringLiteral("checked") : QStringLiteral("unchecked"));
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

// What a scenario holds while it plays: the program, the folder {tree}, the disk under the
// catalogue, and what it has seen so far.
struct Player {
    explicit Player(TestProgram& program) : program(program) { }
    TestProgram& program;
    QTemporaryDir tree;
    std::optional<FaultyVfs> disk;
    std::optional<WriteLockHolder> otherProgram;
    bool scanFault = false;
    QStringList meanwhile;
    std::optional<Failure> failedMeanwhile;
    int messages = 0;  // the messages looked at
    QString firstCount;  // the quick add's count after its first file
    QString busy;  // the quick add's cursor and buttons then
    QList<int> progress;  // the export's progress bar at each step
};

// A word's arguments: all its words after it (unescaped in a step), the first of them (which holds
// "\s" where a name holds a space), the others; and the player.
struct Step {
    Player& p;
    QString verb, rest, name, text;

    ScriptedPlatform& platform() const { return p.program.platform(); }
    QString path(const QString& inFolder) const { return p.program.path(inFolder); }
    // Stops the scenario when the step could not be done.
    void must(bool done) const { require(done, QStringLiteral("could not %1 %2").arg(verb, rest)); }
};

// A word of a scenario, the line of help that tells what follows it and what it does, and what
// it does.
template <typename Run>
struct Word {
    const char* name;
    const char* help;
    Run run;
};

using Act = Word<void (*)(const Step&)>;
using Part = Word<QString (*)(const Step&)>;

// The steps of "do" and "meanwhile"; one row a verb.
const Act steps[] = {
        {"select", "TITLE — clicks the film's row in the main list", [](const Step& s) { select(s.rest); }},
        {"dblclick", "TITLE — double-clicks it", [](const Step& s) { select(s.rest, true); }},
        {"row", "[LIST] N — clicks the row N of the main list or of LIST (past the last row: below the rows)",
         [](const Step& s) {
             if (s.rest.contains(u' '))
                 clickRow(&control<ui::ListView>(s.name), s.text.toInt());
             else
                 clickRow(accueil().List, s.rest.toInt());
         }},
        {"dblrow", "LIST N — double-clicks the row N of LIST",
         [](const Step& s) { clickRow(&control<ui::ListView>(s.name), s.text.toInt(), true); }},
        {"header", "N — clicks the main list's column header N",
         [](const Step& s) { clickHeader(s.rest.toInt()); }},
        {"click", "[FORM.]NAME — clicks the control",
         [](const Step& s) { QTest::mouseClick(&control(s.rest), Qt::LeftButton); }},
        {"menu", "NAME — the main window's menu command",
         [](const Step& s) {
             auto* command = Frm_Accueil::instance().window()->findChild<QAction*>(s.rest);
             require(command, QStringLiteral("no menu %1").arg(s.rest));
             command->trigger();
         }},
        {"tick", "NAME — clicks the check box on its box",
         [](const Step& s) {
             auto& box = control<QCheckBox>(s.rest);
             QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(8, box.height() / 2));
         }},
        {"type", "NAME TEXT — the box's text replaced with TEXT",
         [](const Step& s) {
             if (auto* line = qobject_cast<QLineEdit*>(&control(s.name))) {
                 line->selectAll();
                 line->insert(s.text);
             } else {
                 control<QPlainTextEdit>(s.name).setPlainText(s.text);
             }
         }},
        {"keys", "NAME TEXT — TEXT typed key by key",
         [](const Step& s) { QTest::keyClicks(&control(s.name), s.text); }},
        {"key", "NAME KEY — one key with its modifiers (\"Shift+Right\")",
         [](const Step& s) {
             const QKeyCombination key = QKeySequence(s.text)[0];
             QTest::keyClick(&control(s.name), key.key(), key.keyboardModifiers());
         }},
        {"choose", "NAME TEXT — the choice list's entry TEXT",
         [](const Step& s) { control<QComboBox>(s.name).setCurrentText(s.text); }},
        {"tab", "N — the options window's tab N",
         [](const Step& s) { frm_option::instance().controls().TabStrip1->setCurrentIndex(s.rest.toInt()); }},
        {"entry", "N — clicks the options window's entry N",
         [](const Step& s) {
             QListWidget* list = frm_option::instance().controls().List;
             s.must(s.rest.toInt() < list->count());
             QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                               list->visualItemRect(list->item(s.rest.toInt())).center());
         }},
        {"answer", "Oui|Non — the next question's answer",
         [](const Step& s) {
             s.platform().answers << (s.rest == u"Oui" ? ui::Answer::Yes : ui::Answer::No);
         }},
        {"folder", "PATH — the folder chooser's next answer",
         [](const Step& s) { s.platform().folders << s.rest; }},
        {"file", "PATH — the file chooser's next answer: in the program's folder, or {data}/… in tests/data",
         [](const Step& s) {
             s.platform().files << (s.rest.startsWith(QStringLiteral("{data}/")) ? testData(s.rest.mid(7))
                                                                                 : s.path(s.rest));
         }},
        {"close", "FORM — closes the window", [](const Step& s) { formNamed(s.rest).window()->close(); }},
        {"show", "FORM — shows the window and makes it the active window, as a click on it does",
         [](const Step& s) {
             formNamed(s.rest).show();
             s.must(QTest::qWaitForWindowActive(formNamed(s.rest).window()));
         }},
        {"resize", "WIDTH HEIGHT — the main window's size",
         [](const Step& s) { Frm_Accueil::instance().window()->resize(s.name.toInt(), s.text.toInt()); }},
        {"write", "FILE TEXT — in the program's folder",
         [](const Step& s) { s.must(writeBytes(s.path(s.name), s.text.toUtf8())); }},
        {"rename", "FILE NEWNAME — in the program's folder",
         [](const Step& s) { s.must(QDir(s.path({})).rename(s.name, s.text)); }},
        {"mkdir", "FOLDER — in the program's folder",
         [](const Step& s) { s.must(QDir(s.path({})).mkpath(s.rest)); }},
        {"tmpdir", "FOLDER — the program's folder's FOLDER made the temporary folder",
         [](const Step& s) { qputenv("TMPDIR", QFile::encodeName(s.path(s.rest))); }},
        {"remove", "PATH — the file or folder of the program's folder",
         [](const Step& s) {
             const QFileInfo path(s.path(s.rest));
             s.must(path.isDir() ? QDir(path.filePath()).removeRecursively()
                                 : QFile::remove(path.filePath()));
         }},
        {"damage",
         "header|page|empty FILE — a database header over noise, a page in the middle overwritten, or "
         "nothing",
         [](const Step& s) {
             // The test's own connection lets the file go first, its journal folded in.
             s.p.program.closeDb();
             QByteArray bytes = fileBytes(s.path(s.text));
             if (s.name == u"page")
                 bytes.replace(bytes.size() / 2, 4096, QByteArray(4096, 'Z'));
             else
                 bytes = s.name == u"empty" ? QByteArray()
                                            : QByteArray("SQLite format 3", 16) + QByteArray(8192, 'x');
             s.must(writeBytes(s.path(s.text), bytes));
         }},
        {"viewer", "off|on — whether documents open",
         [](const Step& s) { s.platform().documentsOpen = s.rest == u"on"; }},
        {"sql", "STATEMENT — run on the catalogue by the test's own connection",
         [](const Step& s) {
             s.must(sqlite3_exec(s.p.program.db().handle(), s.rest.toUtf8().constData(), nullptr, nullptr,
                                 nullptr)
                    == SQLITE_OK);
         }},
        {"sqlite", "FILE STATEMENT — run on a database of another program's making, made when missing",
         [](const Step& s) {
             sqlite3* db = nullptr;
             const bool done = sqlite3_open(s.path(s.name).toUtf8().constData(), &db) == SQLITE_OK
                     && sqlite3_exec(db, s.text.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
             sqlite3_close(db);
             s.must(done);
         }},
        {"clock", "DAY TIME — the time now (\"06/12/2026 14:30:05\")",
         [](const Step& s) {
             s.platform().clock = QDateTime::fromString(s.rest, QStringLiteral("dd/MM/yyyy HH:mm:ss"));
         }},
        {"restart", "— the program stopped and started again",
         [](const Step& s) {
             stopProgram();
             s.must(startProgram());
         }},
        // The loans window and what goes with it: its tabs, its date and number boxes, the main
        // window's timers, the names the loan box offers.
        {"page", "TABS TEXT — clicks the tab of that text",
         [](const Step& s) {
             QTabBar* tabs = control<QTabWidget>(s.name).tabBar();
             int tab = 0;
             while (tab < tabs->count() && tabs->tabText(tab) != s.text)
                 ++tab;
             require(tab < tabs->count(), QStringLiteral("no tab %1 in %2").arg(s.text, s.name));
             QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
         }},
        {"set", "NAME VALUE — a date box's day (\"dd/MM/yyyy\"), a number box's number",
         [](const Step& s) {
             if (auto* date = qobject_cast<QDateEdit*>(&control<QAbstractSpinBox>(s.name)))
                 date->setDate(QDate::fromString(s.text, QStringLiteral("dd/MM/yyyy")));
             else
                 control<QSpinBox>(s.name).setValue(s.text.toInt());
         }},
        {"timers", "FORM — the window's timers come to their time, as at midnight",
         [](const Step& s) {
             for (QTimer* timer : formNamed(s.rest).window()->findChildren<QTimer*>())
                 if (timer->isActive() && !timer->objectName().isEmpty())
                     QMetaObject::invokeMethod(timer, "timeout");
         }},
        {"pick", "NAME TEXT — down the names the box offers to complete to that one, then Enter",
         [](const Step& s) {
             // As the user picks it by the keyboard in the box that has the focus (which a window
             // offscreen is never given).
             auto& box = control<QLineEdit>(s.name);
             QFocusEvent focus(QEvent::FocusIn, Qt::OtherFocusReason);
             QCoreApplication::sendEvent(&box, &focus);
             QAbstractItemView* offered = box.completer()->popup();
             const QModelIndexList found = offered->model()->match(
                     offered->model()->index(0, 0), Qt::DisplayRole, s.text, 1, Qt::MatchExactly);
             require(offered->isVisible() && !found.isEmpty(), QStringLiteral("%1 not offered").arg(s.text));
             while (offered->currentIndex().row() < found.first().row())
                 QTest::keyClick(offered, Qt::Key_Down);
             QTest::keyClick(offered, Qt::Key_Return);
         }},
        {"put", "FILE — copied by hand in place of the catalogue, the program stopped meanwhile",
         [](const Step& s) {
             stopProgram();
             s.p.program.closeDb();
             for (const char* suffix : {"", "-wal", "-shm"})
                 QFile::remove(s.p.program.cataloguePath() + QLatin1String(suffix));
             s.must(QFile::copy(s.path(s.rest), s.p.program.cataloguePath()) && startProgram());
         }},
};

QString joined(const QStringList& texts) { return texts.join(QStringLiteral(" | ")); }

// What "expect" looks at; one row a part.
const Part parts[] = {
        {"list", "— the titles of the main list", [](const Step&) { return joined(titles()); }},
        {"cells", "N — the cell N of each row of the main list",
         [](const Step& s) { return joined(cells(s.rest.toInt())); }},
        {"columns", "LIST — each column's caption and width in twips",
         [](const Step& s) {
             QStringList columns;
             const auto& list = control<ui::ListView>(s.rest);
             for (int column = 0; column < list.columnCount(); ++column)
                 columns << QStringLiteral("%1 %2")
                                    .arg(list.columnCaption(column))
                                    .arg(list.columnWidth(column));
             return joined(columns);
         }},
        {"rows", "LIST — each row of the list, its texts joined by \"/\"",
         [](const Step& s) {
             QStringList rows;
             const auto& list = control<ui::ListView>(s.rest);
             for (int row = 0; row < list.rowCount(); ++row) {
                 QStringList texts {list.rowText(row)};
                 for (int cell = 1; cell <= list.cellCount(row); ++cell)
                     texts << list.cellText(row, cell);
                 rows << texts.join(u'/');
             }
             return joined(rows);
         }},
        {"films", "— the catalogue's films, \"key title\"",
         [](const Step& s) { return joined(s.p.program.films()); }},
        {"film", "N — the columns of the film of key N (\"none\")",
         [](const Step& s) {
             for (const QStringList& row : filmRows(s.p.program.db()))
                 if (row[0] == s.rest)
                     return joined(row.mid(1));
             return QStringLiteral("none");
         }},
        {"integrity", "— the engine's check of the catalogue file",
         [](const Step& s) { return integrityCheck(*store::Database::open(s.p.program.cataloguePath())); }},
        {"said", "— the messages since the last look, \"flags|title|prompt\" joined by \" / \"",
         [](const Step& s) {
             const QStringList& said = s.platform().messages;
             return said.mid(std::exchange(s.p.messages, int(said.size()))).join(QStringLiteral(" / "));
         }},
        {"asked", "[file] — the folder chooser's requests, or the file chooser's",
         [](const Step& s) {
             return (s.rest == u"file" ? s.platform().fileRequests : s.platform().folderRequests)
                     .join(QStringLiteral(" / "));
         }},
        {"opened", "— the documents opened",
         [](const Step& s) { return joined(s.platform().openedDocuments); }},
        {"workbook", "— the XML of the first document opened",
         [](const Step& s) { return workbookXml(s.platform().openedDocuments.value(0)).join(u'\n'); }},
        {"progress", "— the export's progress bar since the last look",
         [](const Step& s) {
             const QList<int> steps = std::exchange(s.p.progress, {});
             return QStringLiteral("%1 steps, the last %2")
                     .arg(steps.size())
                     .arg(steps.value(steps.size() - 1));
         }},
        {"files", "[FOLDER] — the files of the program's folder",
         [](const Step& s) { return joined(QDir(s.path(s.rest)).entryList(QDir::Files, QDir::Name)); }},
        {"file", "NAME — the file's bytes as Latin-1 text (\"none\")",
         [](const Step& s) {
             return QFile::exists(s.path(s.rest)) ? QString::fromLatin1(fileBytes(s.path(s.rest)))
                                                  : QStringLiteral("none");
         }},
        {"shown", "— the windows in view",
         [](const Step&) {
             QStringList shown;
             for (ui::Form* form : forms())
                 if (form->isVisible())
                     shown << form->formName();
             return shown.join(u' ');
         }},
        {"ended", "— whether the program ended (\"yes\", \"no\")",
         [](const Step& s) {
             return s.p.program.programEnded() ? QStringLiteral("yes") : QStringLiteral("no");
         }},
        {"box", "— the loan box, \"caption ticked name@date locked saving\"",
         [](const Step&) { return loanBox(); }},
        {"counters", "— the main window's four counters",
         [](const Step&) {
             return shown({accueil().lbl_stat_nbr, accueil().lbl_stat_dvd, accueil().lbl_stat_pret,
                           accueil().lbl_dispo})
                     .join(u' ');
         }},
        {"count", "— the quick add's count after its first file, or the import's after its first film",
         [](const Step& s) { return std::exchange(s.p.firstCount, {}); }},
        {"busy",
         "— the quick add's cursor and buttons after its first file; the import's cursor, box and button",
         [](const Step& s) { return s.p.busy; }},
        {"text", "[FORM.]NAME — the control's value, a list's current row",
         [](const Step& s) { return shown({&control(s.rest)}).value(0); }},
        {"entries", "NAME — the entries of a choice list, a list or a menu (\"-\" for a separator)",
         [](const Step& s) {
             QStringList entries;
             if (auto* combo = qobject_cast<QComboBox*>(&control(s.rest)))
                 for (int i = 0; i < combo->count(); ++i)
                     entries << combo->itemText(i);
             else if (auto* menu = qobject_cast<QMenu*>(&control(s.rest)))
                 for (const QAction* action : menu->actions())
                     entries << (action->isSeparator() ? QStringLiteral("-") : action->text());
             else
                 for (int i = 0; i < control<QListWidget>(s.rest).count(); ++i)
                     entries << control<QListWidget>(s.rest).item(i)->text();
             return joined(entries);
         }},
        {"control", "[FORM.]NAME — the control's line in its window's golden file; a menu entry's too",
         [](const Step& s) {
             if (auto* entry = Frm_Accueil::instance().isLoaded()
                         ? Frm_Accueil::instance().window()->findChild<QAction*>(s.rest)
                         : nullptr;
                 entry && !entry->menu())
                 return described(entry, Frm_Accueil::instance().window());
             return described(&control(s.rest), control(s.rest).window());
         }},
        {"controls", "FORM — the window's title, then the lines of all its named controls",
         [](const Step& s) {
             QMainWindow* window = formNamed(s.rest).window();
             QStringList tree;
             for (QObject* object : window->findChildren<QObject*>())
                 if (!object->objectName().isEmpty()
                     && !object->objectName().startsWith(QStringLiteral("qt_"))
                     && (object->isWidgetType() || qobject_cast<QAction*>(object)))
                     tree << described(object, window);
             tree.sort();
             return QStringLiteral("title «%1»\n").arg(window->windowTitle()) + tree.join(u'\n');
         }},
        {"editor", "— the editor's thirteen values",
         [](const Step&) {
             const Frm_NewControls& c = Frm_New::instance().controls();
             QString quality;
             for (int i = 0; i < 5; ++i)
                 if (Frm_New::instance().options()[i]->isChecked())
                     quality = Frm_New::qualites()[i];
             return joined(shown({c.Txt_Titre, c.Combo1, c.Combo2}) + QStringList {quality}
                           + shown({c.Combo3, c.txt_obs, c.Comb_lng, c.comb_video, c.comb_audio, c.txt_duree,
                                    c.txt_realisateur, c.txt_acteur, c.txt_annee}));
         }},
        // The loans: the caption of a window, the colours of a list's rows, the history as the
        // catalogue holds it, the names the loan box offers.
        {"caption", "FORM — the window's title",
         [](const Step& s) { return formNamed(s.rest).window()->windowTitle(); }},
        {"colours", "LIST — each row's colour, \"-\" for the list's own",
         [](const Step& s) {
             QStringList colours;
             const auto& list = control<ui::ListView>(s.rest);
             for (int row = 0; row < list.rowCount(); ++row)
                 colours << (list.rowColour(row).isValid() ? list.rowColour(row).name()
                                                           : QStringLiteral("-"));
             return joined(colours);
         }},
        {"history", "— the table pret, a loan \"key;borrower;lent;due;back\", \"-\" for none",
         [](const Step& s) {
             QStringList loans;
             for (const QStringList& row :
                  rowsOf(s.p.program.db(),
                         QStringLiteral("SELECT code_film, emprunteur, date_pret, "
                                        "ifnull(echeance, '-'), ifnull(date_retour, '-') "
                                        "FROM pret ORDER BY rowid")))
                 loans << row.join(u';');
             return joined(loans);
         }},
        {"completions", "NAME — the names the box offers to complete, as they show",
         [](const Step& s) {
             QCompleter* completer = control<QLineEdit>(s.rest).completer();
             QStringList offered;
             if (completer->popup()->isVisible())
                 for (int row = 0; row < completer->completionModel()->rowCount(); ++row)
                     offered << completer->completionModel()->index(row, 0).data().toString();
             return joined(offered);
         }},
        {"focus", "FORM — the name of the window's control that has the focus",
         [](const Step& s) {
             ui::Form& form = formNamed(s.rest);
             return form.isLoaded() && form.window()->focusWidget()
                     ? form.window()->focusWidget()->objectName()
                     : QString();
         }},
};

template <typename Row>
const Row& word(std::span<const Row> table, const QString& name, const char* kind)
{
    for (const Row& row : table)
        if (name == QLatin1String(row.name))
            return row;
    fail(QStringLiteral("no %1 \"%2\"; the words:\n%3").arg(QLatin1String(kind), name, scenarioWords()));
}

void act(Player& player, const QString& step)
{
    const QString verb = step.section(u' ', 0, 0);
    word<Act>(steps, verb, "step")
            .run({player, verb, unescaped(step.section(u' ', 1)), unescaped(step.section(u' ', 1, 1)),
                  unescaped(step.section(u' ', 2))});
}

// "disk files limited to N bytes": a file growing past N bytes fails to be written, as on a full
// disk, whatever writes it.
void limitFiles(rlim_t bytes)
{
    const rlimit limit {bytes, RLIM_INFINITY};
    require(setrlimit(RLIMIT_FSIZE, &limit) == 0, QStringLiteral("cannot limit the files' size"));
}

void expect(const Step& s)
{
    const QString part = s.rest.section(u':', 0, 0);
    const QString value = unescaped(s.rest.section(u':', 1).mid(1))
                                  .replace(QStringLiteral("{folder}"), QDir::toNativeSeparators(s.path({})))
                                  .replace(QStringLiteral("{home}"), QDir::homePath());
    // "part~: text" asks only that the part holds the text.
    const bool within = part.endsWith(u'~');
    const QString looked = within ? part.chopped(1) : part, what = looked.section(u' ', 0, 0);
    const QString actual = word<Part>(parts, what, "part").run({s.p, what, looked.section(u' ', 1), {}, {}});
    // "part: @name" compares with the golden file tests/data/name.
    if (value.startsWith(u'@')) {
        if (what == u"file")
            compareWithGolden(fileBytes(s.path(part.section(u' ', 1))), value.mid(1));
        else
            compareWithGolden(actual.split(u'\n'), value.mid(1));
        require(!QTest::currentTestFailed(), QStringLiteral("not as in tests/data/") + value.mid(1));
    } else if (within ? !actual.contains(value) : actual != value) {
        fail(QStringLiteral("actual:   %1\n   expected: %2").arg(escaped(actual), escaped(value)));
    }
}

// The lines of a table are read with the scenarios (scenariosOf): one left is out of place.
void misplacedRow(const Step&)
{
    fail(QStringLiteral("a row without a table above it, or not one value per name"));
}

// The words that start a line, a tab between the word and what follows it; one row a word.
const Act lines[] = {
        {"films",
         "1 Alien; 2 Brazil [pret=Paul, date=01/12/2026] — films in the catalogue: key, title, columns",
         [](const Step& s) {
             for (const QString& film : s.rest.split(QStringLiteral("; "), Qt::SkipEmptyParts))
                 insertFilm(s.p.program, film);
         }},
        {"lists", "\"aMP3\"\\r\\n\"vDivX\"\\r\\n — BD/codec.cnb holds these bytes (\"-\": no such file)",
         [](const Step& s) {
             const QString path = s.path(QStringLiteral("BD/codec.cnb"));
             s.must(s.rest == u"-" ? QFile::remove(path) : writeBytes(path, unescaped(s.rest).toLatin1()));
         }},
        {"tree",
         "a.avi; c.avi=divx_mp3.avi; s {01..60}.avi; l->{tree} — files in the folder {tree}: empty, a "
         "copy of a file of tests/data, sixty of them, a link ({data}: tests/data)",
         [](const Step& s) {
             for (const QString& file : expandedRange(s.rest).split(QStringLiteral("; "))) {
                 const QString path = s.p.tree.filePath(
                         unescaped(file.section(u'=', 0, 0).section(QStringLiteral("->"), 0, 0)));
                 QDir().mkpath(QFileInfo(path).path());
                 const QString linked = file.section(QStringLiteral("->"), 1);
                 s.must(!linked.isEmpty() ? QFile::link(
                                QString(linked).replace(QStringLiteral("{data}"), testData({})), path)
                                : file.contains(u'=') ? QFile::copy(testData(file.section(u'=', 1)), path)
                                                      : writeBytes(path, QByteArray()));
             }
         }},
        {"backup", "05/12/2026 10:00:00 — a backup taken then",
         [](const Step& s) {
             store::Backups(s.p.program.db())
                     .backUp(QDateTime::fromString(s.rest, QStringLiteral("dd/MM/yyyy HH:mm:ss")));
         }},
        {"disk",
         "STATE — the disk fails from now on: \"full\", \"write error\", \"read error\", \"write error "
         "during the scan\" (or \"…the import\"), \"locked\" (another program holds the write lock), "
         "\"refusing every lock\", "
         "\"files limited to 100 bytes\" (any file, past that size), or \"sound\" again; before \"start\", "
         "it puts the catalogue on a disk that may fail",
         [](const Step& s) {
             Player& p = s.p;
             if (!p.disk)
                 p.disk.emplace();
             p.otherProgram.reset();
             p.disk->clear();
             limitFiles(RLIM_INFINITY);
             if (s.rest.startsWith(QStringLiteral("files limited to ")))
                 limitFiles(s.rest.section(u' ', 3, 3).toULongLong());
             else if (s.rest == u"locked")
                 p.otherProgram.emplace(p.program.cataloguePath());
             else if (s.rest == u"refusing every lock")
                 p.disk->inject(FaultyVfs::Fault::Locked);
             else if (s.rest == u"write error during the scan" || s.rest == u"write error during the import")
                 p.scanFault = true;
             else if (s.rest == u"full" || s.rest == u"write error" || s.rest == u"read error")
                 p.disk->inject(s.rest == u"full"                  ? FaultyVfs::Fault::DiskFull
                                        : s.rest == u"write error" ? FaultyVfs::Fault::WriteError
                                                                   : FaultyVfs::Fault::ReadError);
             else
                 s.must(s.rest == u"sound");
         }},
        {"start",
         "[refused] — the program starts (\"refused\": it ends at once, every file of its folder as it was)",
         [](const Step& s) {
             if (s.rest != u"refused")
                 return s.must(startProgram());
             // The program ends, never having made or changed a file of its own accord.
             const QMap<QString, QByteArray> before = contents(s.path({}));
             s.must(!startProgram() && ui::forms::loadedCount() == 0);
             if (s.p.disk)
                 s.p.disk->clear();
             require(contents(s.path({})) == before, QStringLiteral("the program's folder changed"));
         }},
        {"do", "STEP ; STEP — the steps, in order",
         [](const Step& s) {
             for (const QString& step : s.rest.split(QStringLiteral(" ; ")))
                 act(s.p, step.trimmed());
         }},
        {"meanwhile", "STEP ; STEP — the steps done at the next pending events (mid-scan)",
         [](const Step& s) { s.p.meanwhile = s.rest.split(QStringLiteral(" ; ")); }},
        {"expect",
         "PART: VALUE — what the part shows is VALUE (\"PART~: TEXT\": holds TEXT; \"PART: @NAME\": as "
         "in the golden file tests/data/NAME)",
         expect},
        {"rows",
         "NAME NAME — the scenario played once for each row of this table, a tab between its names, and "
         "of any other (every combination); {NAME} in its name and lines stands for the row's value (a "
         "NAME other than tree, data, folder and home)",
         misplacedRow},
        {"row", "VALUE VALUE — a row of the table above, one value per name, a tab between them",
         misplacedRow},
};

QString helpOf(const auto& table)
{
    QString help;
    for (const auto& word : table)
        help += QStringLiteral("  %1 %2\n").arg(QLatin1String(word.name), QString::fromUtf8(word.help));
    return help;
}

}  // namespace

QString scenarioWords()
{
    return QStringLiteral("Lines, the word and a tab before what follows it:\n") + helpOf(lines)
            + QStringLiteral("Steps of \"do\" and \"meanwhile\", \" ; \" between them:\n") + helpOf(steps)
            + QStringLiteral("Parts of \"expect\":\n") + helpOf(parts)
            + QStringLiteral(
                    "In texts, \\n \\r \\t stand for themselves, \\s for a space that would otherwise "
                    "be trimmed, \\u{2029} for the character of that code, {1250 × ab} for the text "
                    "repeated, {folder} for the program's folder and {home} for the user's.\n");
}

QList<Scenario> scenariosOf(const QString& text)
{
    QList<Scenario> written, scenarios;
    for (const QString& line : text.split(u'\n')) {
        if (line.startsWith(u'['))
            written.append({line.mid(1).chopped(1), {}});
        else if (!written.isEmpty() && !line.trimmed().isEmpty() && !line.startsWith(u'#'))
            written.last().script << line;
    }
    for (const Scenario& scenario : std::as_const(written)) {
        // Its tables, each its names then its rows; a row out of place stays a line, which fails.
        QList<QList<QStringList>> tables;
        Scenario lines {scenario.name, {}};
        for (const QString& line : scenario.script) {
            const QString word = line.section(u'\t', 0, 0);
            const QStringList values = line.section(u'\t', 1).split(u'\t');
            if (word == u"rows")
                tables.append({values});
            else if (word == u"row" && !tables.isEmpty() && values.size() == tables.last().first().size())
                tables.last().append(values);
            else
                lines.script << line;
        }
        if (tables.removeIf([](const QList<QStringList>& table) { return table.size() == 1; }) > 0)
            lines.script << QStringLiteral("rows\t");  // a table without rows: the scenario fails
        // Each table multiplies the scenario by its rows, each value put in place of its {name}.
        QList<Scenario> rows {lines};
        for (const QList<QStringList>& table : std::as_const(tables)) {
            QList<Scenario> multiplied;
            for (const Scenario& row : std::as_const(rows))
                for (const QStringList& values : table.mid(1)) {
                    const auto placed = [&](QString text) {
                        for (qsizetype i = 0; i < values.size(); ++i)
                            text.replace(u'{' + table.first()[i] + u'}', values[i]);
                        return text;
                    };
                    Scenario filled {placed(row.name), {}};
                    for (const QString& line : row.script)
                        filled.script << placed(line);
                    multiplied << filled;
                }
            rows = multiplied;
        }
        scenarios << rows;
    }
    return scenarios;
}

void addScenarios()
{
    QTest::addColumn<QStringList>("script");
    const QDir folder(testData(QStringLiteral("scenarios")));
    for (const QString& suite : folder.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name))
        for (const Scenario& scenario : scenariosOf(QString::fromUtf8(fileBytes(folder.filePath(suite)))))
            QTest::addRow("%s: %s", qPrintable(suite.chopped(4)), qPrintable(scenario.name))
                    << scenario.script;
}

QString played(TestProgram& program, const QStringList& script)
{
    // The options and import windows' own variables outlive them, as they do in the program.
    frm_option::instance().index_courant = 0;
    frm_importer::instance().dossier_de_depart.clear();
    Player player(program);
    // The program's folder is the current one: a file written where the program started shows there.
    const QByteArray temporaryFolder = qgetenv("TMPDIR");
    const QString startedIn = QDir::currentPath();
    QDir::setCurrent(program.folder());
    std::signal(SIGXFSZ, SIG_IGN);
    const auto restore = qScopeGuard([&] {
        qputenv("TMPDIR", temporaryFolder);
        QDir::setCurrent(startedIn);
        limitFiles(RLIM_INFINITY);
        program.platform().onProcessEvents = nullptr;
    });
    // The count a scan shows after its first file: the window is gone once the scan ends. A fault
    // of the disk "during the scan" comes once the scan runs, past the backup that precedes it. A
    // step done meanwhile that fails is told once the program's handler is over.
    program.platform().onProcessEvents = [&player] {
        const auto seen = [&player](QWidget* window, QLabel* count, QWidget* first, QWidget* second) {
            player.firstCount = count->text();
            player.busy = QStringLiteral("%1 %2 %3")
                                  .arg(window->cursor().shape() == Qt::WaitCursor ? "hourglass" : "arrow")
                                  .arg(int(first->isEnabled()))
                                  .arg(int(second->isEnabled()));
        };
        Frm_ajoutquick& quickAdd = Frm_ajoutquick::instance();
        if (player.firstCount.isEmpty() && quickAdd.isLoaded())
            seen(quickAdd.window(), quickAdd.controls().lbl_compte, quickAdd.controls().cmd_parcourir,
                 quickAdd.controls().cmd_lancer);
        frm_importer& importer = frm_importer::instance();
        if (player.firstCount.isEmpty() && importer.isLoaded() && importer.controls().Progbar->isVisible())
            seen(importer.window(), importer.controls().lbl_compte, importer.controls().chk_ignorer_connus,
                 importer.controls().cmd_importer);
        if (Frm_Accueil::instance().isLoaded() && accueil().fra_export->isVisible())
            player.progress << accueil().Progbar->value();
        try {
            for (const QString& step : std::exchange(player.meanwhile, {}))
                act(player, step.trimmed());
        } catch (const Failure& failure) {
            player.failedMeanwhile = failure;
        }
        if (std::exchange(player.scanFault, false))
            player.disk->inject(FaultyVfs::Fault::WriteError, 20);
    };
    for (const QString& written : script) {
        const QString line = QString(written).replace(QStringLiteral("{tree}"), player.tree.path());
        try {
            const QString first = line.section(u'\t', 0, 0).trimmed();
            word<Act>(lines, first, "line").run({player, first, line.section(u'\t', 1), {}, {}});
            if (player.failedMeanwhile)
                throw *player.failedMeanwhile;
            require(!QTest::currentTestFailed(), QStringLiteral("failed"));
        } catch (const Failure& failure) {
            return QStringLiteral("%1\n   %2").arg(written, failure.message);
        }
    }
    return {};
}

void play(TestProgram& program, const QStringList& script)
{
    const QString failure = played(program, script);
    if (!failure.isEmpty() && !QTest::currentTestFailed())
        QTest::qFail(qPrintable(failure), __FILE__, __LINE__);
}

}  // namespace testing
