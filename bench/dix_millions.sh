#!/bin/sh
# How the cost of kyb grows with the size of a genealogy: for full pedigrees of G generations
# (2^G - 1 persons; 20 gives 1,048,575, 23 gives 8,388,607), the whole sequence a new user would
# run, each step a process of its own: generate the GEDCOM file, import it, open the folder
# (kyb info), search a name, number the ancestors of person 1 (Sosa), export it. Prints wall
# time, CPU seconds (user + system) and peak memory of each step, one column group per size.
#
#   bench/dix_millions.sh KYB [REPERTOIRE] [GENERATIONS...]
#
# Defaults: REPERTOIRE /tmp/kyb-dix-millions, GENERATIONS 20 23. A file REPERTOIRE/pG.ged already
# there is used (and its generation not measured). The files of each size (about 3 GB of GEDCOM
# and as much of folder at 23 generations) are deleted once its steps are measured; set GARDE=1
# to keep them. The machine may be shared: wall times depend on its load, CPU
# seconds much less.
set -eu
KYB=$1
REP=${2:-/tmp/kyb-dix-millions}
shift $(( $# >= 2 ? 2 : 1 ))
GENERATIONS=${*:-20 23}
NOM=ALALROU
BENCH=$(dirname "$0")
mkdir -p "$REP"
RESULTATS=$REP/resultats.txt
: > "$RESULTATS"

# One step: generations, label, then the command; appends "G label wall cpu Mo status".
etape() {
  g=$1
  etiquette=$2
  shift 2
  statut=0
  /usr/bin/time -f "%e %U %S %M" -o "$REP/.temps" "$@" > "$REP/.sortie" 2>&1 || statut=$?
  awk -v g="$g" -v e="$etiquette" -v s="$statut" \
    '{ printf "%s|%s|%.1f|%.1f|%.0f|%s\n", g, e, $1, $2 + $3, $4 / 1024, s }' "$REP/.temps" >> "$RESULTATS"
  if [ "$statut" -ne 0 ]; then
    echo "échec de « $etiquette » ($g générations, code $statut) :" >&2
    tail -5 "$REP/.sortie" >&2
  fi
}

for g in $GENERATIONS; do
  GED=$REP/p$g.ged
  DOSSIER=$REP/p$g.kya
  rm -rf "$DOSSIER" "$REP/export$g.ged"
  # A file already there (from an earlier run) is used as it is.
  [ -s "$GED" ] || etape "$g" "génère le GEDCOM" python3 "$BENCH/genere_gedcom.py" --generations "$g" --sortie "$GED"
  etape "$g" "kyb importe" "$KYB" importe "$GED" "$DOSSIER"
  etape "$g" "première ouverture (kyb info)" "$KYB" info "$DOSSIER"
  etape "$g" "kyb info" "$KYB" info "$DOSSIER"
  etape "$g" "kyb cherche $NOM" "$KYB" cherche "$DOSSIER" "$NOM"
  etape "$g" "kyb sosa numerote 1" "$KYB" sosa numerote "$DOSSIER" 1
  etape "$g" "kyb exporte" "$KYB" exporte "$DOSSIER" "$REP/export$g.ged"
  if [ "${GARDE:-0}" != 1 ]; then rm -rf "$GED" "$DOSSIER" "$REP/export$g.ged"; fi
done
rm -f "$REP/.temps" "$REP/.sortie"

# The table: a row per step, for each size wall s, CPU s, peak Mo (and the exit code when not 0).
awk -F'|' -v liste="$GENERATIONS" '
  BEGIN { ng = split(liste, gs, " ") }
  { if (!($2 in vu)) { vu[$2] = 1; ordre[++n] = $2 }
    v[$1, $2] = sprintf("%8.1f %8.1f %7.0f%s", $3, $4, $5, $6 != 0 ? " !" $6 : "") }
  END {
    printf "%-32s", "étape"
    for (i = 1; i <= ng; ++i) printf " | %-2s générations (%d pers.) ", gs[i], 2 ^ gs[i] - 1
    printf "\n%-32s", ""
    for (i = 1; i <= ng; ++i) printf " | %8s %8s %7s    ", "mur s", "CPU s", "Mo"
    printf "\n"
    for (k = 1; k <= n; ++k) {
      printf "%-32s", ordre[k]
      for (i = 1; i <= ng; ++i) printf " | %-27s", v[gs[i], ordre[k]]
      printf "\n"
    }
  }' "$RESULTATS"
