#!/bin/sh
# Every command on a genealogy whose disk is full says that the disk is full, exits 1, and
# loses nothing: the genealogy reads back whole once space is freed. Needs a small tmpfs, so it
# runs only where mounting is allowed (exit 77: skipped).
#
# usage: disque_plein.sh KYB REPERTOIRE
set -u
KYB=$1 TMP=$2
rm -rf "$TMP" && mkdir -p "$TMP" || exit 1
mount -t tmpfs -o size=3m tmpfs "$TMP" 2>/dev/null || exit 77
trap 'cd /; umount "$TMP"' EXIT
cd "$TMP" || exit 1
echecs=0
"$KYB" nouveau G.kya > /dev/null && "$KYB" ajoute G.kya --nom Martin --prenoms Jean --sexe M > /dev/null || exit 1
dd if=/dev/zero of=remplissage bs=64k 2>/dev/null
for commande in "ajoute G.kya --nom Durand --prenoms Paul --sexe M" "modifie G.kya 2 --champ PROFESSION=Meunier" \
                "nouveau H.kya" "sauvegarde G.kya" "compacter G.kya" "reparer G.kya" "index verifie G.kya" \
                "index reconstruit G.kya" "sosa numerote G.kya 2" "duplique G.kya K" "exporte G.kya x.ged"; do
  # shellcheck disable=SC2086
  sortie=$("$KYB" $commande 2>&1)
  code=$?
  case $sortie in
    *"le disque est plein"*) [ "$code" -eq 1 ] || { echo "kyb $commande : code $code"; echecs=1; } ;;
    *) echo "kyb $commande ($code) : $sortie"; echecs=1 ;;
  esac
done
rm -f remplissage
"$KYB" personne G.kya 2 | grep -q "Martin" || { echo "personne 2 perdue"; echecs=1; }
[ ! -e H.kya ] && [ ! -e K.kya ] || { echo "dossier à moitié créé laissé"; echecs=1; }
exit $echecs
