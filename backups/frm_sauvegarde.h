#pragma once

#include "store/Backups.h"
#include "ui/Form.h"

#include <QList>

class QLabel;
class QPushButton;

namespace ui {
class ListView;
}

struct frm_sauvegardeControls {
    QLabel* Label1 = nullptr;
    ui::ListView* List = nullptr;
    QPushButton* cmd_restaurer = nullptr;
    QPushButton* cmd_fermer = nullptr;
};

// Lists the backups of the catalogue, newest first, and puts the chosen one in place of the catalogue.
class frm_sauvegarde : public ui::TypedForm<frm_sauvegardeControls> {
    Q_OBJECT
public:
    static frm_sauvegarde& instance();

    // Shows the window, listing the backups as they are on disk now.
    void montrer();

signals:
    // A backup took the place of the catalogue; the window is unloaded.
    void catalogueReplaced();

protected:
    frm_sauvegarde();
    void build(QMainWindow* window, QWidget* client) override;
    QSize designSize() const override { return {6360, 4320}; }
    void onLoad() override;
    void onUnload() override;

private:
    void lister();
    void cmd_restaurer_Click();

    // The backups in the order of the list's rows.
    QList<store::Backup> sauvegardes_;
};
