#include "backups/frm_sauvegarde.h"

#include "app/Connection.h"
#include "store/DbError.h"
#include "ui/Controls.h"
#include "ui/Guard.h"
#include "ui/ListView.h"
#include "ui/Platform.h"
#include "ui/Twips.h"

#include <QLabel>
#include <QPushButton>

using namespace ui;

frm_sauvegarde& frm_sauvegarde::instance()
{
    static frm_sauvegarde form;
    return form;
}

frm_sauvegarde::frm_sauvegarde() : TypedForm(QStringLiteral("frm_sauvegarde")) { }

void frm_sauvegarde::build(QMainWindow* window, QWidget* client)
{
    frm_sauvegardeControls& c = controls_;
    window->setWindowTitle(QStringLiteral("Restaurer une sauvegarde"));

    c.Label1 = makeLabel(client, QStringLiteral("Label1"),
                         QStringLiteral("Sauvegardes du catalogue, de la plus récente à la plus ancienne :"),
                         120, 120, 6120, 255);
    c.List = new ListView(client);
    c.List->setObjectName(QStringLiteral("List"));
    c.List->setAccessibleName(QStringLiteral("Sauvegardes du catalogue"));
    place(c.List, 120, 420, 6120, 3240);
    c.List->addColumn(QStringLiteral("Date et heure"), 2205);
    c.List->addColumn(QStringLiteral("Films"), 1000, Qt::AlignHCenter);
    c.List->addColumn(QStringLiteral("Prêtés"), 1000, Qt::AlignHCenter);
    c.List->addColumn(QStringLiteral("État"), 1500);
    c.cmd_restaurer = makeButton(client, QStringLiteral("cmd_restaurer"), QStringLiteral("Restaurer"), 3000,
                                 3780, 1455, 375);
    c.cmd_fermer =
            makeButton(client, QStringLiteral("cmd_fermer"), QStringLiteral("Fermer"), 4785, 3780, 1455, 375);

    onEvent(c.cmd_restaurer, &QPushButton::clicked, [this] { cmd_restaurer_Click(); });
    onEvent(c.cmd_fermer, &QPushButton::clicked, [this] { unload(); });
}

void frm_sauvegarde::montrer()
{
    if (isLoaded())
        lister();
    show();
}

void frm_sauvegarde::onLoad() { lister(); }

void frm_sauvegarde::onUnload() { sauvegardes_.clear(); }

void frm_sauvegarde::lister()
{
    sauvegardes_ = Connection::instance().sauvegardes().list();
    QList<store::ListedRow> rows;
    for (const store::Backup& backup : sauvegardes_) {
        const QString taken = backup.taken.toString(QStringLiteral("dd/MM/yyyy 'à' HH:mm:ss"));
        if (backup.restorable())
            rows.append(
                    store::ListedRow {taken, QString::number(backup.films), QString::number(backup.lent), QString()});
        else
            rows.append(store::ListedRow {taken, QString(), QString(),
                                 backup.fault.at(0).toUpper() + backup.fault.mid(1)});
    }
    controls().List->setRows(std::move(rows));
}

void frm_sauvegarde::cmd_restaurer_Click()
{
    const int row = controls().List->selectedRow();
    if (row < 0 || row >= sauvegardes_.size()) {
        msgBox(QStringLiteral("Choisissez une sauvegarde dans la liste"), Icon::Information);
        return;
    }
    const store::Backup choisie = sauvegardes_.at(row);
    if (!choisie.restorable()) {
        msgBox(QStringLiteral("Cette sauvegarde est %1 : elle ne peut pas être restaurée").arg(choisie.fault),
               Icon::Exclamation);
        return;
    }
    const QString question =
            QStringLiteral(
                    "Remplacer le catalogue actuel (%1 films) par la sauvegarde du %2 à %3 (%4 films) ?")
                    .arg(QString::number(Connection::instance().films().counters().films()),
                         choisie.taken.toString(QStringLiteral("dd/MM/yyyy")),
                         choisie.taken.toString(QStringLiteral("HH:mm")), QString::number(choisie.films));
    if (askYesNo(question, Icon::Exclamation, QStringLiteral("Restaurer une sauvegarde")) != Answer::Yes)
        return;
    try {
        Connection::instance().sauvegardes().restore(choisie.path, platform().now());
    } catch (const store::DbError& error) {
        msgBox(error.message(), Icon::Critical);
        lister();
        return;
    }
    unload();
    emit catalogueReplaced();
}
