#!/usr/bin/env bash
# Puts an installed Cinabrel in the user's menus: scripts/install-desktop.sh DIR, where DIR is the
# folder given to `cmake --install build --prefix DIR`. The desktop entry starts DIR/cinabrel; the
# icon joins the user's hicolor theme.
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage : $0 DOSSIER (le dossier où Cinabrel est installé)" >&2
  exit 2
fi
dir="$(cd "$1" && pwd -P)"
entry="$dir/share/applications/cinabrel.desktop"
icon="$dir/share/icons/hicolor/scalable/apps/cinabrel.svg"
for file in "$dir/cinabrel" "$entry" "$icon"; do
  [ -e "$file" ] || { echo "$file manque : installez d'abord Cinabrel dans $dir" >&2; exit 1; }
done
case "$dir" in
  *$'\n'* | *$'\r'* | *$'\t'*) echo "Le nom du dossier ne doit contenir ni tabulation ni saut de ligne" >&2; exit 1 ;;
esac

# A desktop entry's string value escapes "\"; Exec also quotes its argument, escaping the
# characters the quotes keep special, and doubles "%", which opens field codes.
as_string() { printf '%s' "${1//\\/\\\\}"; }
program="$dir/cinabrel"
quoted="${program//\\/\\\\}"
quoted="${quoted//\"/\\\"}"
quoted="${quoted//\`/\\\`}"
quoted="${quoted//\$/\\\$}"
quoted="\"${quoted//%/%%}\""

data="${XDG_DATA_HOME:-$HOME/.local/share}"
applications="$data/applications"
icons="$data/icons/hicolor"
mkdir -p "$applications" "$icons/scalable/apps"
while IFS= read -r line; do
  case "$line" in
    Exec=*) printf 'Exec=%s\n' "$(as_string "$quoted")" ;;
    TryExec=*) printf 'TryExec=%s\n' "$(as_string "$program")" ;;
    *) printf '%s\n' "$line" ;;
  esac
done <"$entry" >"$applications/cinabrel.desktop"
cp "$icon" "$icons/scalable/apps/cinabrel.svg"

# The menus read a cache, refreshed when the desktop has the tool; so does the icon theme, but only
# once the theme has an index (without one, nothing reads a cache there).
if command -v update-desktop-database >/dev/null; then
  update-desktop-database -q "$applications" || true
fi
if command -v gtk-update-icon-cache >/dev/null && [ -e "$icons/index.theme" ]; then
  gtk-update-icon-cache -q -t -f "$icons" || true
fi
echo "Cinabrel figure dans les menus : $applications/cinabrel.desktop"
