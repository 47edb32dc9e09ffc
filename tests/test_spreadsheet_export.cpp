#include "app/Connection.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"
#include "ui/ListView.h"
#include "ui/ScriptedPlatform.h"
#include "ui/main/Frm_Accueil.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QMap>
#include <QProcess>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using testing::Film;

namespace {

// The one sheet of an .xlsx file as the spreadsheet program reads it back.
class SheetFile {
public:
    struct Look {
        bool bold = false;
        QString horizontal;
        QString left, right, top, bottom;  // border styles, "" for none
    };
    struct Column {
        double width = 0;
        bool hidden = false;
        int style = 0;
    };

    explicit SheetFile(const QString& path) : path_(path)
    {
        for (const Element& e : elements(QStringLiteral("xl/workbook.xml")))
            if (e.name == QStringLiteral("sheet"))
                sheetNames.append(e.attributes.value(QStringLiteral("name")).toString());
        readStyles();
        QStringList shared;
        for (const Element& e : elements(QStringLiteral("xl/sharedStrings.xml"))) {
            if (e.name == QStringLiteral("si"))
                shared.append(QString());
            else if (e.name == QStringLiteral("t"))
                shared.last() += e.text;
        }
        QString ref;
        for (const Element& e : elements(QStringLiteral("xl/worksheets/sheet1.xml"))) {
            if (e.name == QStringLiteral("col")) {
                const int first = e.attributes.value(QStringLiteral("min")).toInt();
                const int last = e.attributes.value(QStringLiteral("max")).toInt();
                for (int c = first; c <= last; ++c)
                    columns[c] = {e.attributes.value(QStringLiteral("width")).toDouble(),
                                  e.attributes.value(QStringLiteral("hidden")) == QStringLiteral("1"),
                                  e.attributes.value(QStringLiteral("style")).toInt()};
            } else if (e.name == QStringLiteral("c")) {
                ref = e.attributes.value(QStringLiteral("r")).toString();
                const QString type = e.attributes.value(QStringLiteral("t")).toString();
                const bool text = type == QStringLiteral("s") || type == QStringLiteral("inlineStr");
                cells[ref] = text ? QStringLiteral("s:") : QStringLiteral("n:");
                styles[ref] = e.attributes.value(QStringLiteral("s")).toInt();
            } else if (e.name == QStringLiteral("v")) {
                cells[ref] += cells[ref] == QStringLiteral("s:") ? shared.value(e.text.toInt()) : e.text;
            } else if (e.name == QStringLiteral("t")) {
                cells[ref] += e.text;
            }
        }
    }

    // Each written cell of a row, from column A, as "s:text" or "n:number"; "" for a blank.
    QStringList row(int number) const
    {
        QStringList values;
        for (char column = 'A'; column <= 'Z'; ++column) {
            const QString ref = QChar::fromLatin1(column) + QString::number(number);
            if (cells.contains(ref))
                values.resize(column - 'A' + 1);
            if (cells.contains(ref))
                values.last() = cells.value(ref);
        }
        return values;
    }
    int lastRow() const
    {
        int last = 0;
        for (const QString& ref : cells.keys())
            last = qMax(last, QStringView(ref).mid(1).toInt());
        return last;
    }
    Look look(const QString& ref) const { return xfs.value(styles.value(ref)); }
    Look columnLook(int column) const { return xfs.value(columns.value(column).style); }

    QStringList sheetNames;
    QMap<QString, QString> cells;
    QMap<QString, int> styles;
    QMap<int, Column> columns;  // from 1

private:
    struct Element {
        QString name;
        QXmlStreamAttributes attributes;
        QString text;
    };

    QList<Element> elements(const QString& member) const
    {
        QProcess unzip;
        unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), path_, member});
        unzip.waitForFinished();
        QXmlStreamReader xml(unzip.readAllStandardOutput());
        QList<Element> found;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            Element e{xml.name().toString(), xml.attributes(), QString()};
            if (e.name == QStringLiteral("t") || e.name == QStringLiteral("v"))
                e.text = xml.readElementText();
            found.append(e);
        }
        return found;
    }

    void readStyles()
    {
        QList<bool> fonts;
        QList<Look> borders;
        QString section;
        for (const Element& e : elements(QStringLiteral("xl/styles.xml"))) {
            if (e.name == QStringLiteral("fonts") || e.name == QStringLiteral("borders") ||
                e.name == QStringLiteral("cellXfs") || e.name == QStringLiteral("cellStyleXfs"))
                section = e.name;
            const QString style = e.attributes.value(QStringLiteral("style")).toString();
            if (section == QStringLiteral("fonts") && e.name == QStringLiteral("font"))
                fonts.append(false);
            else if (section == QStringLiteral("fonts") && e.name == QStringLiteral("b"))
                fonts.last() = true;
            else if (section == QStringLiteral("borders") && e.name == QStringLiteral("border"))
                borders.append(Look());
            else if (section == QStringLiteral("borders") && e.name == QStringLiteral("left"))
                borders.last().left = style;
            else if (section == QStringLiteral("borders") && e.name == QStringLiteral("right"))
                borders.last().right = style;
            else if (section == QStringLiteral("borders") && e.name == QStringLiteral("top"))
                borders.last().top = style;
            else if (section == QStringLiteral("borders") && e.name == QStringLiteral("bottom"))
                borders.last().bottom = style;
            else if (section == QStringLiteral("cellXfs") && e.name == QStringLiteral("xf")) {
                xfs.append(borders.value(e.attributes.value(QStringLiteral("borderId")).toInt()));
                xfs.last().bold = fonts.value(e.attributes.value(QStringLiteral("fontId")).toInt());
            } else if (section == QStringLiteral("cellXfs") && e.name == QStringLiteral("alignment"))
                xfs.last().horizontal = e.attributes.value(QStringLiteral("horizontal")).toString();
        }
    }

    QString path_;
    QList<Look> xfs;
};

Film film(int code, const QString& title, const QString& genre = QStringLiteral("Action"),
          const QString& quality = QStringLiteral("Bonne"))
{
    Film f;
    f.code = code;
    f.nom = title;
    f.type = genre;
    f.qualite = quality;
    return f;
}

// Widths as set in characters; the file adds the cell's padding at the default font.
double widthInFile(double characters) { return characters + 0.7109375; }

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

void exportList() { Frm_Accueil::instance().window()->findChild<QAction*>(QStringLiteral("mnu_excel"))->trigger(); }

QString onlyWorkbook(testing::TestProgram& program)
{
    const QStringList opened = program.platform().openedDocuments;
    return opened.size() == 1 ? opened.first() : QString();
}

void verifyTableBorders(const SheetFile& sheet, int lastRow, char lastColumn)
{
    for (int row = 1; row <= lastRow; ++row) {
        for (char column = 'A'; column <= lastColumn; ++column) {
            const QString ref = QChar::fromLatin1(column) + QString::number(row);
            const SheetFile::Look look = sheet.look(ref);
            QVERIFY2(look.left == QStringLiteral("thin") && look.right == QStringLiteral("thin"), qPrintable(ref));
            QVERIFY2(look.top.isEmpty(), qPrintable(ref));
            QCOMPARE(look.bottom, row == 1 ? QStringLiteral("thin") : QString());
            QCOMPARE(look.bold, row == 1);
        }
    }
}

QStringList header(const QStringList& captions)
{
    QStringList row{QStringLiteral("s:N°")};
    for (const QString& caption : captions)
        row.append(QStringLiteral("s:") + caption);
    return row;
}

}  // namespace

class TestSpreadsheetExport : public QObject {
    Q_OBJECT
private slots:
    void filmListBecomesTheSheet()
    {
        testing::TestProgram program;
        TemporaryFolder temporary;
        Film alien = film(1, QStringLiteral("Alien"), QStringLiteral("SF"));
        alien.cd = QStringLiteral("2");
        alien.format = QStringLiteral("DvD");
        alien.duree = QStringLiteral("01h57");
        program.insert(alien);
        Film odyssey = film(2, QStringLiteral("2001"));
        odyssey.duree = QStringLiteral("00h00");
        program.insert(odyssey);
        Film spectre = film(3, QStringLiteral("007 Spectre"));
        spectre.cd = QStringLiteral("1.5");
        program.insert(spectre);
        QVERIFY(testing::startProgram());
        auto& accueil = Frm_Accueil::instance();
        auto* frame = accueil.control<QGroupBox>(QStringLiteral("fra_export"));
        auto* progbar = accueil.control<QProgressBar>(QStringLiteral("Progbar"));
        QList<int> shownProgress;
        program.platform().onProcessEvents = [&] {
            QVERIFY(frame->isVisible());
            shownProgress.append(progbar->value());
        };

        exportList();

        QVERIFY(program.platform().messages.isEmpty());
        const QString path = onlyWorkbook(program);
        QCOMPARE(QFileInfo(path).absolutePath(), QFileInfo(temporary.path()).absoluteFilePath());
        QVERIFY(QFileInfo(path).fileName().startsWith(QStringLiteral("Liste Des films")));
        QVERIFY(path.endsWith(QStringLiteral(".xlsx")));
        QCOMPARE(shownProgress, (QList<int>{33, 66, 100}));
        QCOMPARE(progbar->value(), 100);
        QVERIFY(!frame->isVisible());

        const SheetFile sheet(path);
        QCOMPARE(sheet.sheetNames, QStringList{QStringLiteral("Liste Des films")});
        QCOMPARE(sheet.lastRow(), 4);
        QCOMPARE(sheet.row(1), header({"Titre", "Genre", "Durée", "Nb cd", "Format"}));
        QCOMPARE(sheet.row(2), (QStringList{"n:1", "s:007 Spectre", "s:Action", "s:01h30", "n:1.5", "s:Avi"}));
        QCOMPARE(sheet.row(3), (QStringList{"n:2", "n:2001", "s:Action", "s:00h00", "n:1", "s:Avi"}));
        QCOMPARE(sheet.row(4), (QStringList{"n:3", "s:Alien", "s:SF", "s:01h57", "n:2", "s:DvD"}));
        verifyTableBorders(sheet, 4, 'F');

        const double widths[] = {4, 50, 14, 8, 8};
        for (int column = 1; column <= 5; ++column)
            QCOMPARE(sheet.columns.value(column).width, widthInFile(widths[column - 1]));
        QCOMPARE(sheet.columns.value(6).width, sheet.columns.value(7).width);
        QCOMPARE(sheet.columnLook(1).horizontal, QString());
        QCOMPARE(sheet.columnLook(2).horizontal, QStringLiteral("left"));
        for (int column = 3; column <= 10; ++column)
            QCOMPARE(sheet.columnLook(column).horizontal, QStringLiteral("center"));
        QCOMPARE(sheet.look(QStringLiteral("A2")).horizontal, QString());
        QCOMPARE(sheet.look(QStringLiteral("B2")).horizontal, QStringLiteral("left"));
        QCOMPARE(sheet.look(QStringLiteral("F4")).horizontal, QStringLiteral("center"));
    }

    // Only what the list shows, in the order it shows it.
    void filteredAndSortedList()
    {
        testing::TestProgram program;
        TemporaryFolder temporary;
        program.insert(film(1, QStringLiteral("Alien"), QStringLiteral("SF"), QStringLiteral("DvD")));
        program.insert(film(2, QStringLiteral("Brazil")));
        program.insert(film(3, QStringLiteral("Casino"), QStringLiteral("Drame"), QStringLiteral("DvD")));
        QVERIFY(testing::startProgram());
        Connection::chargeliste(QStringLiteral("select * from film WHERE qualite_film='dvd' order by nom_film"));
        Frm_Accueil::instance().List()->sortRows(1, Qt::AscendingOrder);

        exportList();

        const SheetFile sheet(onlyWorkbook(program));
        QCOMPARE(sheet.lastRow(), 3);
        QCOMPARE(sheet.row(2).mid(0, 3), (QStringList{"n:1", "s:Casino", "s:Drame"}));
        QCOMPARE(sheet.row(3).mid(0, 3), (QStringList{"n:2", "s:Alien", "s:SF"}));
    }

    void loanLayoutGivesItsThreeColumns()
    {
        testing::TestProgram program;
        TemporaryFolder temporary;
        QVERIFY(testing::startProgram());
        auto& accueil = Frm_Accueil::instance();
        accueil.iniliste(0);
        accueil.List()->setRows({{"Alien", "Paul", "06/12/2026", "7"}, {"Brazil", "Marie O'Hara", "01/12/2026", "9"}});

        exportList();

        const SheetFile sheet(onlyWorkbook(program));
        QCOMPARE(sheet.lastRow(), 3);
        QCOMPARE(sheet.row(1), header({"Titre", "Emprunté par", "Date emprunts"}));
        QCOMPARE(sheet.row(2), (QStringList{"n:1", "s:Alien", "s:Paul", "s:06/12/2026"}));
        QCOMPARE(sheet.row(3), (QStringList{"n:2", "s:Brazil", "s:Marie O'Hara", "s:01/12/2026"}));
        verifyTableBorders(sheet, 3, 'D');
    }

    // The placeholder row of an empty list is no film: the sheet holds its header only. Each export
    // makes a workbook of its own, leaving the earlier one as it was.
    void placeholderGivesTheHeaderOnly()
    {
        testing::TestProgram program;
        TemporaryFolder temporary;
        QVERIFY(testing::startProgram());
        QCOMPARE(Frm_Accueil::instance().List()->rowText(0), Connection::placeholderRow());

        exportList();
        exportList();

        const QStringList opened = program.platform().openedDocuments;
        QCOMPARE(opened.size(), 2);
        QVERIFY(opened.at(0) != opened.at(1));
        for (const QString& path : opened) {
            const SheetFile sheet(path);
            QCOMPARE(sheet.lastRow(), 1);
            QCOMPARE(sheet.row(1), header({"Titre", "Genre", "Durée", "Nb cd", "Format"}));
        }
        QVERIFY(program.platform().messages.isEmpty());
    }

    void workbookNotWrittenIsTold()
    {
        testing::TestProgram program;
        const QString notAFolder = program.path(QStringLiteral("pas un dossier"));
        QFile file(notAFolder);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        TemporaryFolder temporary(notAFolder);
        program.insert(film(1, QStringLiteral("Alien")));
        QVERIFY(testing::startProgram());

        exportList();

        QCOMPARE(program.platform().messages.size(), 1);
        QCOMPARE(program.platform().lastPrompt(), QStringLiteral("Impossible d'écrire le fichier :\r\n") +
                                                      QDir::toNativeSeparators(notAFolder + "/Liste Des films.xlsx"));
        QVERIFY(program.platform().openedDocuments.isEmpty());
        QVERIFY(!Frm_Accueil::instance().control<QGroupBox>(QStringLiteral("fra_export"))->isVisible());
    }

    void workbookThatNothingOpensIsShownWhereItIs()
    {
        testing::TestProgram program;
        TemporaryFolder temporary;
        program.platform().documentsOpen = false;
        program.insert(film(1, QStringLiteral("Alien")));
        QVERIFY(testing::startProgram());

        exportList();

        const QString path = onlyWorkbook(program);
        QVERIFY(QFileInfo(path).size() > 0);
        QCOMPARE(program.platform().messages.size(), 1);
        QCOMPARE(program.platform().messages.first().prompt,
                 QStringLiteral("Le classeur a été enregistré ici :\r\n") + QDir::toNativeSeparators(path));
        QCOMPARE(program.platform().messages.first().flags, 64);
        QVERIFY(!Frm_Accueil::instance().control<QGroupBox>(QStringLiteral("fra_export"))->isVisible());
    }
};

CINABREL_TEST_MAIN(TestSpreadsheetExport)

#include "test_spreadsheet_export.moc"
