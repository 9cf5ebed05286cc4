#!/bin/sh
# The README's walkthrough, run in its order: every line of the "sh" block that follows "The
# walkthrough below" calls the built kyb for scripts/kyb, in a fresh directory standing for
# /tmp/kyb-essai. Each command must end with code 0; a failing one is printed with its output.
#
# usage: readme.sh KYB README REPERTOIRE
set -u
KYB=$1 README=$2 TMP=$3
rm -rf "$TMP" && mkdir -p "$TMP" || exit 1
commandes=$(awk '/^The walkthrough below/ { vue = 1 } vue && /^```sh$/ { dans = 1; next }
                 dans && /^```$/ { exit } dans' "$README")
[ -n "$commandes" ] || { echo "pas de parcours dans $README"; exit 1; }
kyb_essai() { "$KYB" "$@"; }
echecs=0 n=0
while IFS= read -r ligne; do
  n=$((n + 1))
  commande=$(printf '%s\n' "$ligne" | sed -e "s#^scripts/kyb #kyb_essai #" -e "s#/tmp/kyb-essai#$TMP#g")
  case $commande in kyb_essai\ *) ;; *) echo "ligne $n : pas une commande kyb : $ligne"; echecs=1; continue ;; esac
  if ! sortie=$(cd "$TMP" && eval "$commande" 2>&1 < /dev/null); then
    printf 'ligne %d a échoué : %s\n%s\n' "$n" "$ligne" "$sortie"
    echecs=1
  fi
done <<FIN
$commandes
FIN
[ "$n" -ge 10 ] || { echo "parcours trop court : $n commandes"; echecs=1; }
exit $echecs
