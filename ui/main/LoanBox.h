#pragma once

#include "store/Films.h"

#include <QObject>

class NameCompleter;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The loan box of the main window, the frame "Pret": lends the selected film to somebody, or takes
// a lent film back. Its check box is its switch: ticked for a film at home it opens the entry of a
// loan, ticked for a lent film it asks for the return. It lives as long as the window's controls.
class LoanBox : public QObject {
    Q_OBJECT
public:
    // Builds the frame and its controls in the window's client area, as the window opens.
    explicit LoanBox(QWidget* client);

    QGroupBox* fra_pret = nullptr;
    QCheckBox* chk_pret = nullptr;
    QLabel* lbl_nom = nullptr;
    QLineEdit* txt_nom = nullptr;
    QLabel* lbl_date1 = nullptr;
    QLabel* lbl_date = nullptr;
    QPushButton* cmd_pret = nullptr;

    // Unticks the box, as a new selection does first; a loan being entered is dropped.
    void untickForSelection();
    // The film just selected: at home, or lent with its borrower and date.
    void showFilm(const store::Film& film);
    // No film selected: the box as the window opened, nothing started.
    void forget();

signals:
    // A loan was recorded for the film shown.
    void lent();
    // The film shown came back.
    void returned();

private:
    enum class State { NoSelection, AtHome, Lent };

    void chk_pret_Click();
    void startLoan();
    void askReturn();
    void cmd_pret_Click();
    void showFields(bool shown);
    void showState(State state);
    // Unticks the box without raising its click: nothing is started or asked.
    void untickQuietly();

    // Offers the names already used as the borrower's name is typed.
    NameCompleter* noms_ = nullptr;
    State state_ = State::NoSelection;
    qint16 code_ = 0;
};
