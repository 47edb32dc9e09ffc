#pragma once

#include "stats/StatisticsTables.h"
#include "store/Films.h"
#include "ui/Form.h"

#include <QDate>
#include <optional>

class QGroupBox;
class QLabel;
class QPushButton;

namespace ui {
class ListView;
}

struct frm_statistiquesControls {
    QGroupBox* fra_totaux = nullptr;
    ui::ListView* lst_totaux = nullptr;
    QGroupBox* fra_genre = nullptr;
    ui::ListView* lst_genre = nullptr;
    QGroupBox* fra_format = nullptr;
    ui::ListView* lst_format = nullptr;
    QGroupBox* fra_qualite = nullptr;
    ui::ListView* lst_qualite = nullptr;
    QGroupBox* fra_langue = nullptr;
    ui::ListView* lst_langue = nullptr;
    QGroupBox* fra_codec_video = nullptr;
    ui::ListView* lst_codec_video = nullptr;
    QGroupBox* fra_codec_audio = nullptr;
    ui::ListView* lst_codec_audio = nullptr;
    QGroupBox* fra_disques = nullptr;
    ui::ListView* lst_disques = nullptr;
    QGroupBox* fra_decennie = nullptr;
    ui::ListView* lst_decennie = nullptr;
    QGroupBox* fra_prets = nullptr;
    ui::ListView* lst_prets = nullptr;
    QGroupBox* fra_films_pretes = nullptr;
    ui::ListView* lst_films_pretes = nullptr;
    QGroupBox* fra_emprunteurs = nullptr;
    ui::ListView* lst_emprunteurs = nullptr;
    QLabel* lbl_aide = nullptr;
    QPushButton* cmd_exporter = nullptr;
    QPushButton* cmd_fermer = nullptr;

    // The tables by value, in the order of stats::kTables.
    std::array<ui::ListView*, stats::kTables.size()> tables() const
    {
        return {lst_genre,       lst_format,      lst_qualite,  lst_langue,       lst_codec_video,
                lst_codec_audio, lst_disques,     lst_decennie, lst_films_pretes, lst_emprunteurs};
    }
};

// The statistics of the whole catalogue: the totals, then a table for each field and one for the
// decades, each row a value, its films, its share and a bar; then the loans' figures, the films
// lent most and the borrowers with most loans, each row a film or a name, its loans, their share
// and a bar. A row double-clicked asks the main list for its films (a borrower's: the films they
// borrowed); "Exporter" writes the tables to a workbook. The figures follow the catalogue: the
// window reads them again when it comes to the front after a change, or on another day.
//
// The tables stand in a grid of four columns of three cells, the totals in the first, the loans in
// the last; the buttons below it.
class frm_statistiques : public ui::TypedForm<frm_statistiquesControls> {
    Q_OBJECT
public:
    static frm_statistiques& instance();

    // Shows the window over the catalogue as it is now; a catalogue that cannot be read is told
    // and the window stays as it was.
    void montrer();

signals:
    // The films behind a figure, for the main list to show.
    void filmsAsked(const store::FilmList& list);

protected:
    frm_statistiques();
    void build(QMainWindow* window, QWidget* client) override;
    QSize designSize() const override;
    void onUnload() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Reads the statistics; false, once told, when the catalogue cannot be read.
    bool compter();
    void afficher();
    void actualiser_si_change();
    void cmd_exporter_Click();

    std::optional<stats::Figures> chiffres_;
    // The catalogue's content, and the day, when the statistics were read.
    QString lu_a_;
    QDate lu_le_;
};
