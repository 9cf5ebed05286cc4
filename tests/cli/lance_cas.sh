#!/bin/sh
# Runs one case of the kyb command and compares its transcript with the expected one.
#
# usage: lance_cas.sh KYB CAS REPERTOIRE SOURCES
#
# A case file is a transcript. "$ " starts a command, "> " continues it on the next line; the
# lines that follow are its expected output (stdout and stderr together), then "[N]" when it
# exits with N other than 0. Lines starting with "#" are comments. In the expected output, a
# line "..." stands for any number of lines and a line ending in " (re)" is an awk extended
# regular expression (no {m,n}) for the whole line. Commands run in a fresh REPERTOIRE with kyb
# as a shell function and $SRC the source tree. In what they print, that directory reads @TMP@,
# the source tree @SRC@, the log root $XDG_STATE_HOME @ETAT@, a date and time @HORODATAGE@ and
# today's date @AUJOURDHUI@.
set -u
KYB=$1 CAS=$2 TMP=$3 SRC=$4
export SRC
kyb() { "$KYB" "$@"; }

chmod -R u+w "$TMP" 2>/dev/null
rm -rf "$TMP" "$TMP.attendu" "$TMP.obtenu" "$TMP.sortie" && mkdir -p "$TMP" || exit 1
litteral() { printf '%s\n' "$1" | sed 's/[][\.*^$/+?(){}|]/\\&/g'; }
remplace="s/$(litteral "$TMP")/@TMP@/g"
[ -z "${XDG_STATE_HOME:-}" ] || remplace="$remplace;s/$(litteral "$XDG_STATE_HOME")/@ETAT@/g"
remplace="$remplace;s/$(litteral "$SRC")/@SRC@/g"
remplace="$remplace;s#[0-9]{2}/[0-9]{2}/[0-9]{4} [0-9]{2}:[0-9]{2}(:[0-9]{2})?#@HORODATAGE@#g"
remplace="$remplace;s#$(date +%d/%m/%Y)#@AUJOURDHUI@#g"

execute() {
  [ -n "$commande" ] || return 0
  (cd "$TMP" && eval "$commande") < /dev/null > "$TMP.sortie" 2>&1
  code=$?
  sed -E "$remplace" "$TMP.sortie"
  [ "$code" -eq 0 ] || echo "[$code]"
  commande=
}

# The transcript: each command as written, its output, its exit code when not 0.
commande=
while IFS= read -r ligne || [ -n "$ligne" ]; do
  case $ligne in
    '#'*) ;;
    '$ '*) execute; commande=${ligne#??}; printf '%s\n' "$ligne" ;;
    '> '*) commande="$commande
${ligne#??}"; printf '%s\n' "$ligne" ;;
    *) execute ;;
  esac
done < "$CAS" > "$TMP.obtenu"
execute >> "$TMP.obtenu"
grep -v '^#' "$CAS" > "$TMP.attendu"

# Line by line, "..." matching any run of lines (tried shortest first).
awk '
  FNR == NR { att[++na] = $0; next }
  { obt[++no] = $0 }
  function ligne(a, o,   n, re) {
    n = length(a)
    if (n > 5 && substr(a, n - 4) == " (re)") { re = substr(a, 1, n - 5); return o ~ ("^(" re ")$") }
    return a == o
  }
  function accorde(i, j,   k) {
    if (i > na) return j > no
    if (att[i] == "...") {
      for (k = j; k <= no + 1; ++k) if (accorde(i + 1, k)) return 1
      return 0
    }
    return j <= no && ligne(att[i], obt[j]) && accorde(i + 1, j + 1)
  }
  END { exit accorde(1, 1) ? 0 : 1 }
' "$TMP.attendu" "$TMP.obtenu" && exit 0
echo "Transcription différente de $CAS :"
diff -u "$TMP.attendu" "$TMP.obtenu"
exit 1
