#pragma once

#include <QString>
#include <QStringList>

namespace testing {

class TestProgram;

// Scenarios of the windows, written in tests/data/scenarios/*.txt as a person would tell them. A
// scenario starts with "[its name]"; each of its lines is a word, a tab and what follows it:
//
//   films     1 Alien; 2 Brazil [pret=Paul, date=01/12/2026]
//   start
//   do        select Alien ; tick chk_pret ; type txt_nom Marie ; click cmd_pret
//   expect    box: Retour 0 Marie@06/12/2026 1 0
//
// A scenario may be played over the rows of a table: "rows" and the names, "row" and one value
// for each, a tab between them, and "{name}" in the scenario's name and lines for the row's value.
// The words, the steps of "do" and what "expect" looks at are the tables of Scenario.cpp, each
// with its line of help; scenarioWords() lists them all, as test_scenarios --words does.

// A scenario: its name and its lines.
struct Scenario {
    QString name;
    QStringList script;
};

// The scenarios of a file of scenarios, a scenario over a table once per row.
QList<Scenario> scenariosOf(const QString& text);

// Adds one row per scenario of every file of tests/data/scenarios, one per row of its tables:
// "file: name", and its lines in the column "script".
void addScenarios();

// Plays a scenario's lines on a fresh program folder; a failed step or expectation fails the test.
void play(TestProgram& program, const QStringList& script);

// Plays a scenario's lines, stopping at the first step or expectation that fails: "" when every
// one held, else the line and what failed.
QString played(TestProgram& program, const QStringList& script);

// Every word of the scenarios with its line of help.
QString scenarioWords();

}  // namespace testing
