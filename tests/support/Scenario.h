#pragma once

#include <QString>
#include <QStringList>

namespace testing {

class TestProgram;

// Scenarios of the windows, written in tests/data/scenarios/*.txt as a person would tell
// them. A scenario starts with "[its name]"; each of its lines is a word and what follows it:
//
//   films     1 Alien; 2 Brazil [pret=Paul, date=01/12/2026]   these films in the catalogue
//   lists     "aMP3"\r\n"vDivX"\r\n        BD/codec.cnb holds these bytes ("-": none)
//   tree      a.avi; c.avi=divx_mp3.avi; s {01..60}.avi; l->{tree}   files in the folder {tree}:
//             empty, a copy of a file of tests/data, sixty of them, a link ({data}: tests/data)
//   backup    05/12/2026 10:00:00          a backup taken then
//   disk      full                         the disk fails from now on: "full", "write error", "read
//             error", "write error during the scan", "locked" (another program holds the write
//             lock), "refusing every lock", "files limited to 100 bytes" (any file, past that
//             size), or "sound" again; before "start", it puts the catalogue on a disk that may
//             fail
//   start                                  the program starts ("refused": it ends at once,
//                                          every file of its folder as it was)
//   do        select Alien ; tick chk_pret ; type txt_nom Marie ; click cmd_pret
//   meanwhile close Frm_ajoutquick         steps done at the next pending events (mid-scan)
//   expect    box: Retour 0 Marie@06/12/2026 1 0
//
// The steps: select TITLE, dblclick TITLE, row [LIST] N (past the last row: below the rows),
// dblrow LIST N (double-clicked), header N, click [FORM.]NAME, menu NAME, tick NAME, type NAME TEXT,
// keys NAME TEXT (typed key by key), choose NAME TEXT, key NAME KEY ("Shift+Right"), tab N, entry N,
// answer Oui|Non, folder PATH (the folder chooser's next answer), close FORM, show FORM (shown and
// made the active window, as a click on it does), resize WIDTH HEIGHT (the main window), write FILE TEXT,
// rename FILE NEWNAME, mkdir FOLDER and tmpdir FOLDER (the temporary folder), remove PATH and damage FILE (a
// database header, then noise) in the program's folder, viewer off|on (whether documents open), sql
// STATEMENT, clock DAY TIME, restart, put FILE (copied in place of the catalogue while the program is
// stopped).
//
// What is expected, "part: value" (or "part~: text" for a part that holds the text): list, cells N,
// rows LIST (each row's texts joined by "/"), columns LIST (each column's caption and width in
// twips), films, film N, integrity (of the catalogue file), said
// (the messages since the last look, "flags|title|prompt" joined by " / "), asked (the folder
// requests), opened (the documents), workbook (the XML of the first opened), progress (the
// export's), files [FOLDER] (of the program's folder), shown (the windows in view), ended (the
// program), box (the loan box), counters, count and busy (the quick add's count, cursor and buttons
// after its first file), text [FORM.]NAME (its value, a list's current row), control [FORM.]NAME
// (its line in the window's golden file), controls FORM (all of them), entries NAME (of a choice
// list or list), editor (the editor's thirteen values), focus FORM, file
// NAME (its bytes as Latin-1 text, "none"). "part: @name" compares with the golden file
// tests/data/name. In texts, \n \r \t stand for themselves, \s for a space that would otherwise be
// trimmed, \u{2029} for the character of that code, {1250 × ab} for the text repeated, {folder} for
// the program's folder and {home} for the user's.

// Adds one row per scenario of every file of tests/data/scenarios: "file: name", and its lines
// in the column "script".
void addScenarios();

// Plays a scenario's lines on a fresh program folder; a failed expectation fails the test.
void play(TestProgram& program, const QStringList& script);

}  // namespace testing
