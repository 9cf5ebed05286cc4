#!/bin/sh
# Whole-process cost of kyb on a large folder, each command beside its floor: the same reads done
# by the sqlite3 shell on the same store. Prints CPU seconds (user + system) and peak memory.
#
#   bench/mesure_dossier.sh KYB FICHIER.ged REPERTOIRE [PERSONNE] [NOM]
#
# The folder REPERTOIRE/G.kya is imported from FICHIER.ged when it is absent (the import and the
# first opening after it are then measured too). The machine may be shared: compare each figure
# with the floor of the same run only.
set -eu
KYB=$1
GED=$2
REP=$3
NO=${4:-1}
NOM=${5:-ALALROU}
DOSSIER=$REP/G.kya
BASE=$DOSSIER/G.adb
mkdir -p "$REP"

# One measure: label, then the command; prints "label  CPU s  Mo".
mesure() {
  etiquette=$1
  shift
  /usr/bin/time -f "%U %S %M" -o "$REP/.temps" "$@" > /dev/null 2>&1 || true
  awk -v e="$etiquette" '{ printf "%-40s %8.2f s %8.0f Mo\n", e, $1 + $2, $3 / 1024 }' "$REP/.temps"
}
plancher() {
  mesure "  plancher : $1" sqlite3 "$BASE" "$2"
}

if [ ! -d "$DOSSIER" ]; then
  mesure "kyb importe" "$KYB" importe "$GED" "$DOSSIER"
  mesure "première ouverture (kyb info)" "$KYB" info "$DOSSIER"
fi
mesure "kyb info" "$KYB" info "$DOSSIER"
plancher "quick_check" "PRAGMA quick_check;"
mesure "kyb info --complet" "$KYB" info "$DOSSIER" --complet
plancher "integrity_check" "PRAGMA integrity_check;"
mesure "kyb personne $NO" "$KYB" personne "$DOSSIER" "$NO"
plancher "personne, événements, index" \
  "SELECT * FROM Personnes WHERE ID=$NO; SELECT * FROM Evenements WHERE NoPersA=$NO;
   SELECT * FROM IndexNomPrenoms WHERE NoPers=$NO;"
mesure "kyb cherche $NOM" "$KYB" cherche "$DOSSIER" "$NOM"
plancher "lignes d'index du nom" "SELECT NoPers, AnneeMin, AnneeMax FROM IndexNomPrenoms WHERE Nom='$NOM' LIMIT 50;"
rm -f "$REP/.temps"
