#pragma once

#include <QString>
#include <QStringList>

namespace testing {

class TestProgram;

// Scenarios of the windows, written in tests/data/scenarios/*.txt as a person would tell
// them. A scenario starts with "[its name]"; each of its lines is a word and what follows it:
//
//   films   1 Alien; 2 Brazil [pret=Paul, date=01/12/2026, qualite=DvD]   the catalogue, then start
//   lists   "aMP3"\r\n"vDivX"\r\n                     BD/codec.cnb holds these bytes ("-": none)
//   tree    a.avi; sub/b.avi; c.avi=divx_mp3.avi   files in a folder, {tree} (empty, or a copy
//                                                  of a file of tests/data)
//   backup  05/12/2026 10:00:00                     a backup taken then, before the start
//   disk    full                                    the disk fails from now on ("write error", "sound")
//   do      select Alien ; tick chk_pret ; type txt_nom Marie ; click cmd_pret
//   expect  box: Retour 0 Marie@06/12/2026 1 0
//
// The steps: select TITLE, dblclick TITLE, row [LIST] N, header N, click [FORM.]NAME, menu NAME,
// tick NAME, type NAME TEXT, keys NAME TEXT (typed key by key), choose NAME TEXT, key NAME KEY,
// tab N, entry N, answer Oui|Non,
// folder PATH, close FORM, rename FILE NEWNAME and write FILE TEXT (in the program's folder), sql STATEMENT,
// clock DAY TIME, restart (the program stopped and started again), damage BACKUP.
// What is expected, "part: value": list, cells N, films, film N, said (the messages since the
// last look, "flags|title|prompt" joined by " / "), shown (the windows in view), box (the loan
// box), counters, count (the quick add's count after its first file), rows LIST (each row's
// texts joined by "/"), backups (the files of BD/Sauvegardes), text [FORM.]NAME, state [FORM.]NAME,
// entries NAME (of a choice list or list), editor (the editor's thirteen values), focus FORM, file NAME (its
// bytes as Latin-1 text, "none"). In texts, \n \r \t stand for themselves, \s for a space that would
// otherwise be trimmed, and {folder} for the program's folder.

// Adds one row per scenario of every file of tests/data/scenarios: "file: name", and its lines
// in the column "script".
void addScenarios();

// Plays a scenario's lines on a fresh program folder; a failed expectation fails the test.
void play(TestProgram& program, const QStringList& script);

}  // namespace testing
