#!/bin/sh
# Whole-process cost of the commands that need one person or one name, on a large folder, each
# beside its floor: the sqlite3 shell making the same look-ups (the person's row and records; the
# index rows of the name with their persons; parents, spouses' and children's rows; the
# ancestors of both persons). Prints CPU milliseconds (user + system) per run over RUNS runs
# (20 by default) and the peak memory of a run.
#
#   bench/mesure_commandes.sh KYB DOSSIER.kya N M [NOM] [RUNS]
#
# N and M are person numbers (M for the kinship), NOM a surname. The machine may be shared:
# compare each figure with the floor of the same run only.
set -eu
KYB=$1
DOSSIER=$2
N=$3
M=$4
NOM=${5:-MARTIN}
RUNS=${6:-20}
BASE=$(ls "$DOSSIER"/*.adb | head -1)
TEMPS=$(mktemp)
trap 'rm -f "$TEMPS"' EXIT

# One measure: label, then the command, run RUNS times under one /usr/bin/time (whose clock is
# too coarse for one run); prints "label  CPU ms per run  Mo" (peak of the largest run).
mesure() {
  etiquette=$1
  shift
  /usr/bin/time -o "$TEMPS" -f "%U %S %M" sh -c 'n=$1; shift; i=0
    while [ "$i" -lt "$n" ]; do "$@" > /dev/null 2>&1 || true; i=$((i + 1)); done' boucle "$RUNS" "$@"
  awk -v e="$etiquette" -v n="$RUNS" '{ printf "%-44s %7.1f ms %7.1f Mo\n", e, ($1 + $2) * 1000 / n, $3 / 1024 }' "$TEMPS"
}

sql() { mesure "$1" sqlite3 -readonly "$BASE" "$2"; }

mesure "kyb personne $N" "$KYB" personne "$DOSSIER" "$N"
sql "  plancher" "SELECT * FROM Personnes WHERE ID = $N; SELECT * FROM Evenements WHERE NoPersA = $N ORDER BY RANG_A;"
mesure "kyb cherche $NOM" "$KYB" cherche "$DOSSIER" "$NOM"
sql "  plancher" "SELECT i.*, p.* FROM IndexNomPrenoms i JOIN Personnes p ON p.ID = i.NoPers
  WHERE i.Nom = '$NOM' COLLATE NOCASE ORDER BY i.Prenom LIMIT 200;"
mesure "kyb famille $N" "$KYB" famille "$DOSSIER" "$N"
sql "  plancher" "SELECT * FROM Personnes WHERE ID IN (SELECT Pere FROM Personnes WHERE ID = $N
  UNION SELECT Mere FROM Personnes WHERE ID = $N UNION SELECT $N);
  SELECT * FROM Personnes WHERE Pere = $N OR Mere = $N;"
mesure "kyb parente $N $M" "$KYB" parente "$DOSSIER" "$N" "$M"
sql "  plancher" "WITH RECURSIVE a(n, g) AS (SELECT $N, 0 UNION SELECT $M, 0 UNION ALL
  SELECT p.Pere, g + 1 FROM a JOIN Personnes p ON p.ID = a.n WHERE p.Pere > 0 UNION ALL
  SELECT p.Mere, g + 1 FROM a JOIN Personnes p ON p.ID = a.n WHERE p.Mere > 0)
  SELECT n, min(g) FROM a GROUP BY n;"
