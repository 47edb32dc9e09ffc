#include "support/Drive.h"

#include "ui/ListView.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

namespace testing {

const Frm_AccueilControls& accueil() { return Frm_Accueil::instance().controls(); }

QStringList titles() { return cells(0); }

QStringList cells(int cell) { return cellsOf(*accueil().List, cell); }

QStringList cellsOf(const ui::ListView& list, int cell)
{
    QStringList result;
    for (int row = 0; row < list.rowCount(); ++row)
        result.append(cell == 0 ? list.rowText(row) : list.cellText(row, cell));
    return result;
}

void select(const QString& title)
{
    const int row = int(titles().indexOf(title));
    QVERIFY2(row >= 0, qPrintable(title));
    clickRow(row);
}

static QPoint rowCentre(int row)
{
    ui::ListView* list = accueil().List;
    return list->visualRect(list->model()->index(row, 0)).center();
}

void clickRow(int row) { QTest::mouseClick(accueil().List->viewport(), Qt::LeftButton, {}, rowCentre(row)); }

void doubleClickRow(int row)
{
    clickRow(row);
    QTest::mouseDClick(accueil().List->viewport(), Qt::LeftButton, {}, rowCentre(row));
}

void clickHeader(int column)
{
    QHeaderView* header = accueil().List->header();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

void tick(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2)); }

QStringList shown(const QList<QWidget*>& controls)
{
    QStringList texts;
    for (QWidget* widget : controls) {
        if (auto* label = qobject_cast<QLabel*>(widget))
            texts.append(label->text());
        else if (auto* line = qobject_cast<QLineEdit*>(widget))
            texts.append(line->text());
        else if (auto* list = qobject_cast<QComboBox*>(widget))
            texts.append(list->currentText());
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            texts.append(button->isChecked() ? QStringLiteral("checked") : QString());
        else if (auto* notes = qobject_cast<QPlainTextEdit*>(widget))
            texts.append(notes->toPlainText());
    }
    return texts;
}

}  // namespace testing
