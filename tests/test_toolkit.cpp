#include "store/DbError.h"
#include "support/Golden.h"
#include "backups/frm_sauvegarde.h"
#include "support/Testing.h"
#include "ui/Controls.h"
#include "ui/DesktopPlatform.h"
#include "ui/Form.h"
#include "ui/Guard.h"

namespace {

struct SampleControls {
    QLineEdit* txt_box = nullptr;
    QPushButton* cmd_fail = nullptr;
};

// A small window of the tests' own: counts its loads, unloads and the questions before unloading.
class SampleForm : public ui::TypedForm<SampleControls> {
public:
    SampleForm() : TypedForm(QStringLiteral("SampleForm")) { }
    int loads = 0, unloads = 0, queries = 0;
    bool mayUnload = true, fails = false;
    QString remembered;
    QLineEdit* box() { return controls().txt_box; }
    QLineEdit* boxAsHeld() { return controls_.txt_box; }

protected:
    void build(QMainWindow*, QWidget* client) override
    {
        controls_.txt_box = new QLineEdit(client);
        controls_.cmd_fail = new QPushButton("Casse", client);
        controls_.cmd_fail->setObjectName("cmd_fail");
        ui::onEvent(controls_.cmd_fail, &QPushButton::clicked,
                    [] { throw store::DbError("le disque est plein"); });
    }
    QSize designSize() const override { return {3000, 1500}; }
    void onLoad() override
    {
        if (fails)
            throw store::DbError("le disque a refusé une lecture");
        ++loads;
    }
    void onUnload() override
    {
        if (++unloads, fails)
            throw store::DbError("le disque a refusé une écriture");
    }
    bool queryUnload() override { return ++queries, mayUnload; }
};

// Receives what the desktop is asked to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QUrl opened;
public slots:
    void open(const QUrl& url) { opened = url; }
};

QStringList rowTexts(const ui::ListView& list)
{
    QStringList texts;
    for (int row = 0; row < list.rowCount(); ++row)
        texts << list.rowText(row);
    return texts;
}

}  // namespace

class TestToolkit : public QObject {
    Q_OBJECT
private slots:
    void unloadKeepsVariablesAndNextReferenceLoadsAfresh()
    {
        testing::TestProgram program;
        SampleForm form;
        QVERIFY(!form.isLoaded());
        form.box()->setText("tapé");
        QVERIFY(form.isLoaded());
        form.remembered = "gardé";
        form.show();
        form.mayUnload = false;
        // The program unloads without asking.
        const QPointer<QMainWindow> window = form.window();
        form.unload();
        QVERIFY(!form.isLoaded() && !form.boxAsHeld());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window);
        QCOMPARE(form.remembered, QStringLiteral("gardé"));
        // The next reference, even to the window alone, loads the window anew.
        QCOMPARE(form.window()->findChild<QLineEdit*>()->text(), QString());
        QCOMPARE(QList<int>({form.loads, form.unloads, form.queries}), QList<int>({2, 1, 0}));
        // A form whose unloading or loading fails is not left half-built.
        form.fails = true;
        QVERIFY_THROWS_EXCEPTION(store::DbError, form.unload());
        QVERIFY(!form.isLoaded() && ui::forms::loadedCount() == 0);
        QVERIFY_THROWS_EXCEPTION(store::DbError, form.show());
        QVERIFY(!form.isLoaded() && ui::forms::loadedCount() == 0);
    }

    void refusedUnloadKeepsTheWindowOpenAndTheLastUnloadEndsTheProgram()
    {
        testing::TestProgram program;
        SampleForm form, other;
        form.show();
        other.show();
        form.mayUnload = false;
        QVERIFY(!form.window()->close());
        form.requestUnload();
        QVERIFY(form.isVisible());
        QCOMPARE(QList<int>({form.queries, form.unloads}), QList<int>({2, 0}));
        form.mayUnload = true;
        QVERIFY(form.window()->close());
        QVERIFY(!form.isLoaded());
        QCOMPARE(QList<int>({form.queries, form.unloads}), QList<int>({3, 1}));
        QVERIFY(!program.programEnded());
        other.hide();
        QVERIFY(!program.programEnded());
        other.window()->close();
        QVERIFY(!other.isLoaded() && program.programEnded());
    }

    void failingHandlerIsReportedAndTheProgramGoesOn()
    {
        testing::TestProgram program;
        SampleForm form;
        form.show();
        QTest::mouseClick(form.controls().cmd_fail, Qt::LeftButton);
        // What the program did not foresee is told in French too, without the English inside.
        ui::guarded([] { throw std::out_of_range("cell"); });
        QCOMPARE(program.platform().messages,
                 (QStringList {
                         "16|Cinabrel|Une erreur inattendue est survenue :\r\nle disque est plein",
                         "16|Cinabrel|Une erreur inattendue est survenue :\r\nerreur interne du programme"}));
        QVERIFY(form.isLoaded() && !program.programEnded());
    }

    void listRowsAndCells()
    {
        ui::ListView list;
        QAbstractItemModelTester tester(list.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        list.addColumn("Titre", 3000);
        list.addColumn("Nb", 600, Qt::AlignHCenter);
        list.addColumn("", 0);
        QVERIFY(!list.header()->isSectionHidden(1) && list.header()->isSectionHidden(2));
        QCOMPARE(list.header()->sectionSize(0), 200);
        list.setRows({{"Été", "1", "7"}, {"eau"}, {"Zorro", "2"}}, "source");
        QCOMPARE(list.rowText(2) + list.cellText(2, 1) + QString::number(list.cellCount(2)),
                 QStringLiteral("Zorro21"));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, list.cellText(1, 1));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, list.cellText(0, 0));
        QCOMPARE(list.cellText(0, 2), QStringLiteral("7"));
        const QAbstractItemModel* model = list.model();
        QCOMPARE(model->data(model->index(0, 1)).toString()
                         + model->data(model->index(0, 1), Qt::ToolTipRole).toString(),
                 QStringLiteral("11"));
        QCOMPARE(model->data(model->index(1, 1)), QVariant(QString()));
        QCOMPARE(model->data(model->index(0, 1), Qt::TextAlignmentRole).value<Qt::Alignment>(),
                 Qt::AlignHCenter | Qt::AlignVCenter);
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Titre"));
        QVERIFY(!model->headerData(3, Qt::Horizontal).isValid()
                && !model->headerData(0, Qt::Vertical).isValid());
        list.selectRow(1);
        QCOMPARE(list.selectedRow(), 1);
        list.resize(200, 100);
        list.show();
        // Rows start at the edge, as in a plain list.
        QCOMPARE(list.visualRect(model->index(0, 0)).left(), 0);
        list.setRows(QList<store::ListedRow>(60, {"x"}), "source");
        list.selectRow(59);
        QVERIFY(list.verticalScrollBar()->value() > 0);
        list.rewind();
        QCOMPARE(list.selectedRow() + list.verticalScrollBar()->value(), -1);
        const QModelIndex held = model->index(2, 0);  // as a view may hold it while the list is filled again
        list.setRows({{"a"}, {"b"}}, "again");
        QVERIFY(!model->data(held).isValid());
        list.clearRows();
        QCOMPARE(model->rowCount(), 0);
    }

    // Sorted the French way; a row's colour stays with the row when the list is sorted, and goes when
    // it is filled again.
    void listSortsTheFrenchWayWithItsColours()
    {
        ui::ListView list;
        QAbstractItemModelTester tester(list.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        list.addColumn("Titre", 3000);
        list.addColumn("Genre", 600);
        list.setRows({{"zèbre", "b"}, {"Œuvre", "a"}, {"Eden", "b"}, {"été", "a"}, {"Abyss"}});
        list.setRowColour(0, Qt::red);
        list.setRowColour(2, Qt::blue);
        list.setRowColour(5, Qt::green);
        const QAbstractItemModel* model = list.model();
        QCOMPARE(model->data(model->index(0, 1), Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
        QVERIFY(!model->data(model->index(1, 0), Qt::ForegroundRole).isValid());
        list.sortRows(0, Qt::AscendingOrder);
        QCOMPARE(rowTexts(list), (QStringList {"Abyss", "Eden", "été", "Œuvre", "zèbre"}));
        QCOMPARE((QList<QColor> {list.rowColour(0), list.rowColour(1), list.rowColour(4)}),
                 (QList<QColor> {QColor(), QColor(Qt::blue), QColor(Qt::red)}));
        list.setRowColour(1, QColor());
        QVERIFY(!list.rowColour(1).isValid());
        // Equal texts keep their order; a row without the cell sorts as empty text.
        list.sortRows(1, Qt::AscendingOrder);
        QCOMPARE(rowTexts(list), (QStringList {"Abyss", "été", "Œuvre", "Eden", "zèbre"}));
        list.sortRows(1, Qt::DescendingOrder);
        QCOMPARE(rowTexts(list), (QStringList {"Eden", "zèbre", "été", "Œuvre", "Abyss"}));
        QVERIFY(list.header()->isSortIndicatorShown() && list.header()->sortIndicatorSection() == 1);
        // Rows given later are shown sorted too.
        list.setRows({{"x", "a"}, {"y", "c"}, {"z", "b"}});
        QCOMPARE(rowTexts(list), (QStringList {"y", "z", "x"}));
        QVERIFY(!list.rowColour(0).isValid() && !list.rowColour(1).isValid());
    }

    void desktopMessageBoxes_data() { testing::addTableRows("message_boxes.txt"); }

    void desktopMessageBoxes()
    {
        QFETCH(QStringList, fields);
        const auto press = QMessageBox::StandardButton(
                QMetaEnum::fromType<QMessageBox::StandardButtons>().keyToValue(qPrintable(fields[2])));
        const int shownIcon = QMetaEnum::fromType<QMessageBox::Icon>().keyToValue(qPrintable(fields[3]));
        QString seen;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen = box->windowTitle() + '|' + box->text() + '|' + QString::number(box->icon()) + '|'
                    + QString::number(box->standardButtons()) + '|' + box->button(press)->text() + '|'
                    + (box->defaultButton() ? box->defaultButton()->text() : QString());
            box->button(press)->click();
        });
        ui::DesktopPlatform desktop;
        const int buttons = fields[0].toInt();
        QCOMPARE(int(desktop.messageBox("Question ?", ui::Buttons(buttons), ui::Icon(fields[1].toInt()),
                                        "Titre")),
                 fields[4].toInt());
        const int shownButtons = buttons ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok;
        QCOMPARE(seen,
                 QStringLiteral("Titre|Question ?|%1|%2|%3|%4")
                         .arg(shownIcon)
                         .arg(shownButtons)
                         .arg(fields[5], fields.value(6)));
    }

    // The file chooser opens on the folder given, showing the files the filter names, and gives the
    // file chosen; "" when it is cancelled.
    void desktopFileChooser()
    {
        QTemporaryDir folder;
        const QString file = QDir(folder.path()).filePath("films.csv");
        QVERIFY(testing::writeBytes(file, "Titre\n"));
        for (const bool choose : {true, false}) {
            QString seen;
            QTimer::singleShot(0, [&] {
                auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                seen = dialog->windowTitle() + '|' + dialog->directory().absolutePath() + '|'
                        + dialog->nameFilters().join(';') + '|' + QString::number(dialog->fileMode());
                if (choose) {
                    dialog->selectFile(file);
                    static_cast<QDialog*>(dialog)->accept();
                } else {
                    dialog->reject();
                }
            });
            QWidget owner;
            const QString chosen = ui::DesktopPlatform().chooseFile(
                    &owner, "Choisissez le catalogue", folder.path(), "Catalogues (*.csv *.xml)");
            QCOMPARE(seen,
                     QStringLiteral("Choisissez le catalogue|%1|Catalogues (*.csv *.xml)|%2")
                             .arg(folder.path())
                             .arg(int(QFileDialog::ExistingFile)));
            QCOMPARE(chosen, choose ? file : QString());
        }
    }

    void desktopOpensTheDocumentAsked()
    {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("file", &catcher, "open");
        const auto restore = qScopeGuard([] { QDesktopServices::unsetUrlHandler("file"); });
        QVERIFY(ui::DesktopPlatform().openDocument("/films/Film.txt"));
        QCOMPARE(catcher.opened, QUrl::fromLocalFile("/films/Film.txt"));
    }

    // The program's icon is built in and drawn at the sizes a desktop asks for; the desktop finds
    // the program's name through its desktop entry.
    void iconAndDesktopEntry()
    {
        for (int size : {16, 256})
            QCOMPARE(QApplication::windowIcon().pixmap(size).toImage().size(), QSize(size, size));
        QCOMPARE(QGuiApplication::desktopFileName() + QCoreApplication::applicationVersion(),
                 QStringLiteral("cinabrel" CINABREL_VERSION));
    }
};

CINABREL_TEST_MAIN(TestToolkit)
#include "test_toolkit.moc"
