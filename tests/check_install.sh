#!/usr/bin/env bash
# Installs the build twice into a folder whose name holds a space, an apostrophe and accents, the
# second time over a catalogue and reference lists the user has changed; has SQLite's own tool write
# to a catalogue through the installed extension, and without it, the search's texts kept marked by
# the catalogue's triggers, and to its loans' history; then puts the desktop entry into a temporary
# user's menus and validates it.
# check_install.sh CMAKE BUILD_DIR SOURCE_DIR SQLITE3 DESKTOP_FILE_VALIDATE
set -euo pipefail
cmake=$1 build=$2 source=$3 sqlite3=$4 validate=$5
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
prefix="$work/Films d'été"
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cmake" --install "$build" --prefix "$prefix" >/dev/null
[ -x "$prefix/cinabrel" ] || fail "the program is not installed"
cmp "$source/data/codec.cnb" "$prefix/BD/codec.cnb" || fail "the default reference lists are not installed"

# SQLite's own tool writes to a catalogue the program made, through the installed extension: the
# indexes stay in French order. Each case: the statements, "|", the titles then in French order.
# The engine's own LIKE ignores the case of ASCII letters only: "ÉCL" finds "écl" through ours.
cp "$prefix/BD/Film.mdb" "$work/empty.mdb"
tool() { "$sqlite3" -bail -cmd ".load \"$prefix/libcinabrel_francais\"" "$work/tool.mdb" "$@"; }
while IFS='|' read -r statements titles; do
  cp "$work/empty.mdb" "$work/tool.mdb"
  tool "INSERT INTO film (code_film, nom_film) VALUES (1, 'Fargo'), (2, 'Eclipse'), (3, 'Zazie dans le métro');
        $statements"
  got=$(tool "PRAGMA integrity_check; SELECT group_concat(nom_film, ', ') FROM (SELECT nom_film FROM film ORDER BY nom_film)")
  [ "$got" = "ok"$'\n'"$titles" ] || fail "after $statements the catalogue reads: $got"
  # The triggers kept the search's texts: each film the tool wrote is marked to be folded again by
  # the program (a NULL text), no text is left of a film deleted.
  marks=$(tool "SELECT (SELECT group_concat(code_film) FROM (SELECT code_film FROM film ORDER BY 1)) IS
                       (SELECT group_concat(code_film) FROM (SELECT code_film FROM film_recherche WHERE texte IS NULL ORDER BY 1)),
                       (SELECT count(*) FROM film_recherche)")
  [ "$marks" = "1|$(tool "SELECT count(*) FROM film")" ] || fail "after $statements the search's texts read: $marks"
done <<'CASES'
INSERT INTO film (code_film, nom_film, type_film, cd_film, duree, format_film, qualite_film) VALUES (4, 'Éléphant', 'Drame', '1', '01h21', 'Avi', 'Bonne'), (5, 'œil pour œil', 'Action', '1', '01h40', 'Dvd', 'DvD'), (6, 'abyss', 'Aventure', '2', '02h20', 'Avi', 'Moyenne')|abyss, Eclipse, Éléphant, Fargo, œil pour œil, Zazie dans le métro
UPDATE film SET nom_film = 'Ève' WHERE code_film = 3|Eclipse, Ève, Fargo
UPDATE film SET nom_film = 'éclipse totale' WHERE code_film = 1; DELETE FROM film WHERE nom_film LIKE 'ÉCL%'|Eclipse, Zazie dans le métro
CASES

# The loans' history is read and written by SQLite's own tool as it is, without the extension; the
# engine itself refuses a second open loan of a film.
cp "$work/empty.mdb" "$work/loans.mdb"
plain() { "$sqlite3" -bail "$work/loans.mdb" "$@"; }
plain "INSERT INTO pret (code_film, emprunteur, date_pret, date_retour) VALUES (1, 'Rémi', '2026-11-02', '2026-11-20');
       INSERT INTO pret (code_film, emprunteur, date_pret, echeance) VALUES (1, 'Léa', '2026-12-01', '2026-12-15')"
got=$(plain "SELECT emprunteur || ' ' || date_pret || ' ' || ifnull(date_retour, '-') FROM pret ORDER BY date_pret")
[ "$got" = "Rémi 2026-11-02 2026-11-20"$'\n'"Léa 2026-12-01 -" ] || fail "the loans' history reads: $got"
if plain "INSERT INTO pret (code_film, emprunteur, date_pret) VALUES (1, 'Paul', '2026-12-02')" 2>/dev/null; then
  fail "a second open loan of a film was written"
fi
# Without the extension, the tool can still write the columns no index sorts; the film whose notes
# it wrote is marked to be folded again.
cp "$work/empty.mdb" "$work/tool.mdb"
tool "INSERT INTO film (code_film, nom_film) VALUES (1, 'Fargo'), (2, 'Eclipse'); UPDATE film_recherche SET texte = x''"
"$sqlite3" -bail "$work/tool.mdb" "UPDATE film SET obs_Film = 'Neige' WHERE code_film = 2"
marks=$(tool "SELECT group_concat(code_film || ':' || quote(texte), ' ') FROM film_recherche")
[ "$marks" = "1:X'' 2:NULL" ] || fail "notes written without the extension leave the search's texts as: $marks"

# The user's own films and lists, written through the installed extension.
"$sqlite3" -bail -cmd ".load \"$prefix/libcinabrel_francais\"" "$prefix/BD/Film.mdb" \
  "INSERT INTO film (code_film, nom_film) VALUES (1, 'Amélie')"
printf 'Polar\r\n' >>"$prefix/BD/codec.cnb"
cp "$prefix/BD/Film.mdb" "$work/catalogue"
cp "$prefix/BD/codec.cnb" "$work/lists"
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
cmp "$work/catalogue" "$prefix/BD/Film.mdb" || fail "a second install replaced the catalogue"
cmp "$work/lists" "$prefix/BD/codec.cnb" || fail "a second install replaced the reference lists"

XDG_DATA_HOME="$work/data" "$source/scripts/install-desktop.sh" "$prefix" >/dev/null
entry="$work/data/applications/cinabrel.desktop"
"$validate" "$source/desktop/cinabrel.desktop"
"$validate" "$entry"
grep -Fqx "Exec=\"$prefix/cinabrel\"" "$entry" || fail "the entry does not start the installed program"
cmp "$source/desktop/cinabrel.svg" "$work/data/icons/hicolor/scalable/apps/cinabrel.svg" || fail "no icon"
