#include "support/Testing.h"

using testing::Film;
using testing::accueil::menu;

namespace {

// The one sheet of an .xlsx file as the spreadsheet program reads it back.
class SheetFile {
public:
    explicit SheetFile(const QString& path) : path_(path)
    {
        for (const Element& e : elements("xl/workbook.xml"))
            if (e.name == u"sheet")
                sheetNames.append(e.attribute("name"));
        QStringList fonts, borders, xfs, shared;
        QString section;
        for (const Element& e : elements("xl/styles.xml")) {
            if (e.name == u"fonts" || e.name == u"borders" || e.name == u"cellXfs"
                || e.name == u"cellStyleXfs")
                section = e.name;
            else if (section == u"fonts" && e.name == u"font")
                fonts.append("");
            else if (section == u"fonts" && e.name == u"b")
                fonts.last() = "bold ";
            else if (section == u"borders" && e.name == u"border")
                borders.append("");
            else if (section == u"borders"
                     && QStringList({"left", "right", "top", "bottom"}).contains(e.name))
                borders.last() += e.name + ':' + e.attribute("style") + ' ';
            else if (section == u"cellXfs" && e.name == u"xf")
                looks_.append(fonts.value(e.attribute("fontId").toInt())
                              + borders.value(e.attribute("borderId").toInt()) + "align:");
            else if (section == u"cellXfs" && e.name == u"alignment")
                looks_.last() += e.attribute("horizontal");
        }
        for (const Element& e : elements("xl/sharedStrings.xml"))
            e.name == u"si" ? shared.append("") : e.name == u"t" ? void(shared.last() += e.text) : void();
        QString ref;
        for (const Element& e : elements("xl/worksheets/sheet1.xml")) {
            if (e.name == u"col") {
                for (int c = e.attribute("min").toInt(); c <= e.attribute("max").toInt(); ++c)
                    columns[c] = {e.attribute("width").toDouble(), e.attribute("style").toInt()};
            } else if (e.name == u"c") {
                ref = e.attribute("r");
                const bool text = e.attribute("t") == u"s" || e.attribute("t") == u"inlineStr";
                cells[ref] = {text ? "s:" : "n:", e.attribute("s").toInt()};
            } else if (e.name == u"v" || e.name == u"t") {
                cells[ref].first +=
                        cells[ref].first == u"s:" && e.name == u"v" ? shared.value(e.text.toInt()) : e.text;
            }
        }
    }

    // Each written cell of a row, from column A, as "s:text" or "n:number".
    QStringList row(int number) const
    {
        QStringList values;
        for (char column = 'A'; cells.contains(QChar::fromLatin1(column) + QString::number(number)); ++column)
            values.append(cells.value(QChar::fromLatin1(column) + QString::number(number)).first);
        return values;
    }
    int lastRow() const
    {
        int last = 0;
        for (const QString& ref : cells.keys())
            last = qMax(last, QStringView(ref).mid(1).toInt());
        return last;
    }
    // A cell's or column's look: "bold " or not, the style of each border side, the horizontal alignment.
    QString look(const QString& ref) const { return looks_.value(cells.value(ref).second); }
    QString columnLook(int column) const { return looks_.value(columns.value(column).second); }

    QStringList sheetNames;
    QMap<QString, std::pair<QString, int>> cells;  // value and style
    QMap<int, std::pair<double, int>> columns;  // width and style, from 1

private:
    struct Element {
        QString name;
        QXmlStreamAttributes attributes;
        QString text;
        QString attribute(const char* key) const { return attributes.value(QLatin1String(key)).toString(); }
    };

    QList<Element> elements(const QString& member) const
    {
        QProcess unzip;
        unzip.start("unzip", {"-p", path_, member});
        unzip.waitForFinished();
        QXmlStreamReader xml(unzip.readAllStandardOutput());
        QList<Element> found;
        while (!xml.atEnd())
            if (xml.readNext() == QXmlStreamReader::StartElement) {
                found.append({xml.name().toString(), xml.attributes(), QString()});
                if (found.last().name == u"t" || found.last().name == u"v")
                    found.last().text = xml.readElementText();
            }
        return found;
    }

    QString path_;
    QStringList looks_;
};

// Every cell of the table framed left and right, the header row bold and underlined.
void verifyTableBorders(const SheetFile& sheet, int lastRow, char lastColumn)
{
    for (int row = 1; row <= lastRow; ++row)
        for (char column = 'A'; column <= lastColumn; ++column) {
            const QString ref = QChar::fromLatin1(column) + QString::number(row);
            QVERIFY2(sheet.look(ref).startsWith(row == 1 ? "bold left:thin right:thin top: bottom:thin align:"
                                                         : "left:thin right:thin top: bottom: align:"),
                     qPrintable(ref + ' ' + sheet.look(ref)));
        }
}

QStringList header(const QStringList& captions)
{
    QStringList row {"s:N°"};
    for (const QString& caption : captions)
        row.append("s:" + caption);
    return row;
}

const QStringList kFilmHeader = header({"Titre", "Genre", "Durée", "Nb cd", "Format"});

// The system's temporary folder pointed at a folder of the test's own while it lasts.
class TemporaryFolder {
public:
    explicit TemporaryFolder(const QString& path = QString()) : saved_(qgetenv("TMPDIR"))
    {
        qputenv("TMPDIR", QFile::encodeName(path.isEmpty() ? own_.path() : path));
    }
    ~TemporaryFolder() { qputenv("TMPDIR", saved_); }
    QString path() const { return own_.path(); }

private:
    QTemporaryDir own_;
    QByteArray saved_;
};

bool frameShown() { return testing::control<QGroupBox>(Frm_Accueil::instance(), "fra_export")->isVisible(); }

}  // namespace

class TestSpreadsheetExport : public testing::ProgramTest {
    Q_OBJECT

    QString onlyWorkbook()
    {
        const QStringList opened = program->platform().openedDocuments;
        return opened.size() == 1 ? opened.first() : QString();
    }

private slots:
    void filmListBecomesTheSheet()
    {
        TemporaryFolder temporary;
        start({{.code = 1, .nom = "Alien", .type = "SF", .cd = "2", .format = "DvD", .duree = "01h57"},
               {.code = 2, .nom = "2001", .duree = "00h00"},
               {.code = 3, .nom = "007 Spectre", .cd = "1.5"}});
        auto* progbar = testing::control<QProgressBar>(Frm_Accueil::instance(), "Progbar");
        QList<int> shownProgress;
        program->platform().onProcessEvents = [&] {
            QVERIFY(frameShown());
            shownProgress.append(progbar->value());
        };
        menu("mnu_excel");

        QCOMPARE(program->messages(), QStringList());
        const QString path = onlyWorkbook();
        QCOMPARE(QFileInfo(path).absolutePath(), QFileInfo(temporary.path()).absoluteFilePath());
        QVERIFY(QFileInfo(path).fileName().startsWith("Liste Des films") && path.endsWith(".xlsx"));
        QCOMPARE(shownProgress, (QList<int> {33, 66, 100}));
        QCOMPARE(progbar->value(), 100);
        QVERIFY(!frameShown());

        const SheetFile sheet(path);
        QCOMPARE(sheet.sheetNames, QStringList {"Liste Des films"});
        QCOMPARE(sheet.lastRow(), 4);
        QCOMPARE(sheet.row(1), kFilmHeader);
        QCOMPARE(sheet.row(2),
                 (QStringList {"n:1", "s:007 Spectre", "s:Action", "s:01h30", "n:1.5", "s:Avi"}));
        QCOMPARE(sheet.row(3), (QStringList {"n:2", "n:2001", "s:Action", "s:00h00", "n:1", "s:Avi"}));
        QCOMPARE(sheet.row(4), (QStringList {"n:3", "s:Alien", "s:SF", "s:01h57", "n:2", "s:DvD"}));
        verifyTableBorders(sheet, 4, 'F');
        // Widths as set in characters; the file adds the cell's padding at the default font.
        const double widths[] = {4, 50, 14, 8, 8};
        for (int column = 1; column <= 5; ++column)
            QCOMPARE(sheet.columns.value(column).first, widths[column - 1] + 0.7109375);
        QCOMPARE(sheet.columns.value(6).first, sheet.columns.value(7).first);
        const QString plain = QStringLiteral("left: right: top: bottom: align:"),
                      framed = "left:thin right:thin top: bottom: align:";
        QCOMPARE(sheet.columnLook(1) + '|' + sheet.columnLook(2), plain + '|' + plain + "left");
        for (int column = 3; column <= 10; ++column)
            QCOMPARE(sheet.columnLook(column), plain + "center");
        QCOMPARE(sheet.look("A2") + '|' + sheet.look("B2") + '|' + sheet.look("F4"),
                 framed + '|' + framed + "left|" + framed + "center");
    }

    // Only what the list shows, in the order it shows it.
    void filteredAndSortedList()
    {
        TemporaryFolder temporary;
        start({{.code = 1, .nom = "Alien", .type = "SF", .qualite = "DvD"},
               {.code = 2, .nom = "Brazil"},
               {.code = 3, .nom = "Casino", .type = "Drame", .qualite = "DvD"}});
        Connection::chargeliste("select * from film WHERE qualite_film='dvd' order by nom_film");
        Frm_Accueil::instance().controls().List->sortRows(1, Qt::AscendingOrder);
        menu("mnu_excel");
        const SheetFile sheet(onlyWorkbook());
        QCOMPARE(sheet.lastRow(), 3);
        QCOMPARE(sheet.row(2).mid(0, 3) + sheet.row(3).mid(0, 3),
                 (QStringList {"n:1", "s:Casino", "s:Drame", "n:2", "s:Alien", "s:SF"}));
    }

    void loanLayoutGivesItsThreeColumns()
    {
        TemporaryFolder temporary;
        start();
        Frm_Accueil::instance().iniliste(ListLayout::Loans);
        Frm_Accueil::instance().controls().List->setRows(
                {{"Alien", "Paul", "06/12/2026", "7"}, {"Brazil", "Marie O'Hara", "01/12/2026", "9"}});
        menu("mnu_excel");
        const SheetFile sheet(onlyWorkbook());
        QCOMPARE(sheet.lastRow(), 3);
        QCOMPARE(sheet.row(1), header({"Titre", "Emprunté par", "Date emprunts"}));
        QCOMPARE(sheet.row(2), (QStringList {"n:1", "s:Alien", "s:Paul", "s:06/12/2026"}));
        QCOMPARE(sheet.row(3), (QStringList {"n:2", "s:Brazil", "s:Marie O'Hara", "s:01/12/2026"}));
        verifyTableBorders(sheet, 3, 'D');
    }

    // The placeholder row of an empty list is no film: the sheet holds its header only. Each export
    // makes a workbook of its own, leaving the earlier one as it was.
    void placeholderGivesTheHeaderOnly()
    {
        TemporaryFolder temporary;
        start();
        QCOMPARE(Frm_Accueil::instance().controls().List->rowText(0), Connection::placeholderRow());
        menu("mnu_excel");
        menu("mnu_excel");
        const QStringList opened = program->platform().openedDocuments;
        QCOMPARE(opened.size(), 2);
        QVERIFY(opened.at(0) != opened.at(1));
        for (const QString& path : opened) {
            QCOMPARE(SheetFile(path).lastRow(), 1);
            QCOMPARE(SheetFile(path).row(1), kFilmHeader);
        }
        QCOMPARE(program->messages(), QStringList());
    }

    void workbookNotWrittenIsTold()
    {
        start({testing::film(1, "Alien")}, false);
        const QString notAFolder = program->path("pas un dossier");
        QVERIFY(QFile(notAFolder).open(QIODevice::WriteOnly));
        TemporaryFolder temporary(notAFolder);
        QVERIFY(testing::startProgram());
        menu("mnu_excel");
        QCOMPARE(program->messages(),
                 QStringList {"16|Cinabrel|Impossible d'écrire le fichier :\r\n"
                              + QDir::toNativeSeparators(notAFolder + "/Liste Des films.xlsx")});
        QCOMPARE(program->platform().openedDocuments, QStringList());
        QVERIFY(!frameShown());
    }

    void workbookThatNothingOpensIsShownWhereItIs()
    {
        TemporaryFolder temporary;
        start({testing::film(1, "Alien")}).platform().documentsOpen = false;
        menu("mnu_excel");
        const QString path = onlyWorkbook();
        QVERIFY(QFileInfo(path).size() > 0);
        QCOMPARE(program->messages(),
                 QStringList {"64|Cinabrel|Le classeur a été enregistré ici :\r\n"
                              + QDir::toNativeSeparators(path)});
        QVERIFY(!frameShown());
    }
};

CINABREL_TEST_MAIN(TestSpreadsheetExport)

#include "test_spreadsheet_export.moc"
