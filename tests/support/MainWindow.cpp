#include "support/MainWindow.h"

#include "app/Connection.h"
#include "ui/ListView.h"
#include "ui/main/Frm_Accueil.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace testing {

QString shown(ui::Form& form, const QString& name)
{
    QWidget* widget = control<QWidget>(form, name);
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    if (auto* line = qobject_cast<QLineEdit*>(widget))
        return line->text();
    if (auto* list = qobject_cast<QComboBox*>(widget))
        return list->currentText();
    if (auto* option = qobject_cast<QAbstractButton*>(widget))
        return option->isChecked() ? QStringLiteral("checked") : QString();
    if (auto* notes = qobject_cast<QPlainTextEdit*>(widget))
        return notes->toPlainText();
    qFatal("no text control %s", qPrintable(name));
}

QStringList shown(ui::Form& form, const QStringList& names)
{
    QStringList texts;
    for (const QString& name : names)
        texts.append(shown(form, name));
    return texts;
}

QStringList entries(QWidget* list)
{
    QStringList items;
    if (auto* combo = qobject_cast<QComboBox*>(list))
        for (int i = 0; i < combo->count(); ++i)
            items.append(combo->itemText(i));
    if (auto* box = qobject_cast<QListWidget*>(list))
        for (int i = 0; i < box->count(); ++i)
            items.append(box->item(i)->text());
    return items;
}

}  // namespace testing

namespace testing::accueil {

namespace {

template <typename T>
T* find(const QString& name)
{
    T* widget = control<T>(Frm_Accueil::instance(), name);
    if (!widget)
        qFatal("no control %s", qPrintable(name));
    return widget;
}

QPoint rowCentre(int row)
{
    ui::ListView* view = list();
    return view->visualRect(view->model()->index(row, 0)).center();
}

}  // namespace

ui::ListView* list() { return Frm_Accueil::instance().controls().List; }
QLineEdit* textBox(const QString& name) { return find<QLineEdit>(name); }
QLabel* label(const QString& name) { return find<QLabel>(name); }
QCheckBox* checkBox(const QString& name) { return find<QCheckBox>(name); }
QPushButton* button(const QString& name) { return find<QPushButton>(name); }

void menu(const QString& name)
{
    auto* action = Frm_Accueil::instance().window()->findChild<QAction*>(name);
    if (!action)
        qFatal("no menu entry %s", qPrintable(name));
    action->trigger();
}

void press(const QString& name) { press(Frm_Accueil::instance(), name); }

void press(ui::Form& form, const QString& name)
{
    auto* pushButton = control<QPushButton>(form, name);
    if (!pushButton)
        qFatal("no button %s", qPrintable(name));
    QTest::mouseClick(pushButton, Qt::LeftButton);
}

void openEditor(int code)
{
    if (code)
        Connection::code_selection = qint16(code);
    press(code ? QStringLiteral("Bt_Modif") : QStringLiteral("cmd_new"));
}

QStringList cells(int cell)
{
    QStringList result;
    for (int row = 0; row < list()->rowCount(); ++row)
        result.append(list()->cellText(row, cell));
    return result;
}

QStringList labels(const QStringList& names) { return shown(Frm_Accueil::instance(), names); }

QStringList titles()
{
    QStringList result;
    for (int row = 0; row < list()->rowCount(); ++row)
        result.append(list()->rowText(row));
    return result;
}

int rowOf(const QString& title)
{
    const int row = int(titles().indexOf(title));
    if (row < 0)
        qFatal("no row %s", qPrintable(title));
    return row;
}

void clickRow(int row) { QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, rowCentre(row)); }

void doubleClickRow(int row)
{
    clickRow(row);
    QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, rowCentre(row));
}

void clickHeader(int column)
{
    QHeaderView* header = list()->header();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

void tick(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2)); }

}  // namespace testing::accueil
