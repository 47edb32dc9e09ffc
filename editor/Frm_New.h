#pragma once

#include "ui/Form.h"

// The film editor: adds a film (Connection::nouveau_film) or modifies the film
// Connection::code_selection. Whatever closes it shows the main window again.
class Frm_New : public ui::Form {
public:
    static Frm_New& instance();

    // The quality texts of the option buttons Option1 to Option5.
    static const QStringList& qualites();

protected:
    Frm_New();
    void build(QMainWindow* window, QWidget* client) override;
    QSize designSize() const override { return {9855, 7170}; }
    void onLoad() override;
    void onUnload() override;

private:
    void buildInfoGeneral(QWidget* client);
    void buildInfoPlus(QWidget* client);
    void remplir_listes();
    void activer();
    void charger_film();
    void Bt_Annuler_Click();

    // Set at load, cleared once the opening has been prepared: the preparation runs once per
    // opening, so nothing the user typed is ever replaced.
    bool a_preparer_ = false;
};
