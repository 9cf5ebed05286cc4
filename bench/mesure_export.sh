#!/bin/sh
# Whole-process cost of `kyb exporte` on a large folder beside its floor: the sqlite3 shell
# printing the rows the export reads (persons by number, then events and simple fields by holder
# and rank) in the same order. Prints CPU seconds (user + system), peak memory and the size of
# what was written.
#
#   bench/mesure_export.sh KYB FICHIER.ged REPERTOIRE
#
# The folder REPERTOIRE/G.kya is imported from FICHIER.ged when it is absent. The machine may be
# shared: compare each figure with the floor of the same run only.
set -eu
KYB=$1
GED=$2
REP=$3
DOSSIER=$REP/G.kya
BASE=$DOSSIER/G.adb
mkdir -p "$REP"

# One measure: label, output file, then the command; prints "label  CPU s  Mo  Mo written".
mesure() {
  etiquette=$1
  sortie=$2
  shift 2
  /usr/bin/time -f "%U %S %M" -o "$REP/.temps" "$@" > "$REP/.sortie" 2>&1 || true
  taille=$(stat -c %s "$sortie" 2>/dev/null || echo 0)
  awk -v e="$etiquette" -v t="$taille" \
    '{ printf "%-40s %8.2f s %8.0f Mo %8.0f Mo écrits\n", e, $1 + $2, $3 / 1024, t / 1048576 }' "$REP/.temps"
}

if [ ! -d "$DOSSIER" ]; then
  "$KYB" importe "$GED" "$DOSSIER" > /dev/null
  "$KYB" info "$DOSSIER" > /dev/null
fi
mesure "kyb exporte (5.5.1)" "$REP/export.ged" "$KYB" exporte "$DOSSIER" "$REP/export.ged"
mesure "kyb exporte --gedcom 7" "$REP/export7.ged" "$KYB" exporte "$DOSSIER" "$REP/export7.ged" --gedcom 7
mesure "  plancher : mêmes lignes, même ordre" "$REP/plancher.txt" sh -c "sqlite3 '$BASE' \
  'SELECT * FROM Personnes ORDER BY ID;
   SELECT * FROM Evenements WHERE NoPersA > 0 ORDER BY NoPersA, RANG_A, ID;' > '$REP/plancher.txt'"
rm -f "$REP/.temps" "$REP/.sortie" "$REP/export.ged" "$REP/export7.ged" "$REP/plancher.txt"
