#pragma once

#include "ui/Form.h"

// The read-only sheet of the film Connection::code_selection.
class Frm_Visu : public ui::Form {
public:
    static Frm_Visu& instance();

    // Shows the sheet of the film Connection::code_selection, filled afresh even when the
    // sheet is already open. A film that has left the catalogue is reported and not shown.
    void montrer();

protected:
    Frm_Visu();
    void build(QMainWindow* window, QWidget* client) override;
    QSize designSize() const override { return {9855, 7170}; }
    void onLoad() override;
    void onUnload() override;

private:
    void remplir();

    // Whether the last filling found the film.
    bool trouve_ = false;
};
