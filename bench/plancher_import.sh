#!/bin/sh
# Whole-process cost of kyb importe beside its floor (bench/plancher_import.cpp): SQLite alone
# loading the rows the import wrote into an empty store with the same tables and indexes, the
# pragmas of an import, values bound through prepared statements in one transaction, the
# secondary indexes built after the load. Prints CPU seconds (user + system) and peak memory of
# each, then the floor program's own account (its load without the walk of its source).
#
#   bench/plancher_import.sh KYB PLANCHER FICHIER.ged REPERTOIRE [KYB_AVANT]
#
# PLANCHER is the built floor program (build/rel/bench/plancher_import). REPERTOIRE is emptied
# first. KYB_AVANT, another build of kyb (the one before a change), imports the same file just
# before KYB, into a folder removed after. The machine may be shared: compare the imports with
# the floor of the same run only.
set -eu
KYB=$1
PLANCHER=$2
GED=$3
REP=$4
AVANT=${5:-}
DOSSIER=$REP/G.kya
rm -rf "$REP"
mkdir -p "$REP"

mesure() {
  etiquette=$1
  shift
  /usr/bin/time -f "%U %S %M" -o "$REP/.temps" "$@" > "$REP/.sortie" 2>&1 || true
  awk -v e="$etiquette" '{ printf "%-34s %8.2f s %8.0f Mio\n", e, $1 + $2, $3 / 1024 }' "$REP/.temps"
}

if [ -n "$AVANT" ]; then
  mesure "kyb importe (avant)" "$AVANT" importe "$GED" "$REP/avant.kya"
  rm -rf "$REP/avant.kya"
fi
mesure "kyb importe" "$KYB" importe "$GED" "$DOSSIER"
mesure "plancher : SQLite, mêmes lignes" "$PLANCHER" "$DOSSIER/G.adb" "$REP/plancher.db"
sed 's/^/  /' "$REP/.sortie"
rm -f "$REP/.temps" "$REP/.sortie" "$REP/plancher.db" "$REP/plancher.db-wal" "$REP/plancher.db-shm"
