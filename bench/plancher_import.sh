#!/bin/sh
# Whole-process cost of kyb importe beside its floor: the sqlite3 shell loading the same rows
# into an empty store with the same tables, the pragmas of an import (write-ahead log, no sync per
# batch, 256 MiB page cache) and every secondary index built after the rows, as the import does.
# Prints CPU seconds (user + system) and peak memory of each.
#
#   bench/plancher_import.sh KYB FICHIER.ged REPERTOIRE
#
# REPERTOIRE is emptied first. The rows of the floor are those the import wrote (sqlite3 .dump
# of its store, taken after the timed import and not timed). The machine may be shared: compare
# the import with the floor of the same run only.
set -eu
KYB=$1
GED=$2
REP=$3
DOSSIER=$REP/G.kya
rm -rf "$REP"
mkdir -p "$REP"

mesure() {
  etiquette=$1
  shift
  /usr/bin/time -f "%U %S %M" -o "$REP/.temps" "$@" > /dev/null 2>&1 || true
  awk -v e="$etiquette" '{ printf "%-32s %8.2f s %8.0f Mo\n", e, $1 + $2, $3 / 1024 }' "$REP/.temps"
}

mesure "kyb importe" "$KYB" importe "$GED" "$DOSSIER"
BASE=$(ls "$DOSSIER"/*.adb | head -n 1)
# .dump writes each table with its rows, then the indexes: loading it builds them after the rows.
{
  echo "PRAGMA page_size=4096; PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA cache_size=-262144;"
  sqlite3 "$BASE" .dump
  echo "PRAGMA wal_checkpoint(FULL);"
} > "$REP/lignes.sql"
mesure "plancher : sqlite3, mêmes lignes" sqlite3 "$REP/plancher.db" ".read $REP/lignes.sql"
printf "%-32s %8s lignes, %s index\n" "" \
  "$(grep -c '^INSERT' "$REP/lignes.sql")" "$(grep -c '^CREATE INDEX' "$REP/lignes.sql")"
rm -f "$REP/.temps" "$REP/lignes.sql"
