# Hostile values given to every command that takes a person: a number past 64 bits, a negative
# one, none at all; then texts that are not UTF-8, a name outside Windows-1252 kept whole, and
# outputs in a directory that does not exist. One French line each, nothing written.
$ kyb demo . > /dev/null
$ cp Exemple.kya/Exemple.adb avant.adb
$ for c in personne evenements famille descendance estime consanguinite sosa ascendance modifie "sosa numerote"; do
>   kyb $c Exemple.kya 9223372036854775808 || echo "[$?]"; kyb $c Exemple.kya -1 2>&1 | sed 's/.*« -1 ».*/refusé/'
> done 2>&1 | sort | uniq -c | sed 's/^ *//'
10 [1]
10 kyb : numéro de personne invalide : « 9223372036854775808 » (un entier de 1 à 2147483647)
10 refusé
$ kyb parente Exemple.kya 1 9223372036854775808
kyb : numéro de personne invalide : « 9223372036854775808 » (un entier de 1 à 2147483647)
[1]
$ kyb supprime-personne Exemple.kya 0 --oui
kyb : numéro de personne invalide : « 0 » (un entier de 1 à 2147483647)
[1]
$ kyb supprime-personne Exemple.kya 20 --oui
kyb : la personne 20 n'existe pas (dernier numéro : 19)
[1]
$ kyb sosa cherche Exemple.kya -1
kyb : numéro Sosa invalide : -1
[1]
$ kyb cherche Exemple.kya "$(printf '\377\376')"
kyb : l'argument 2 de « kyb cherche » n'est pas du texte UTF-8 valide : rien n'a été fait
[1]
$ kyb ajoute Exemple.kya --nom "$(printf 'Ma\303rtin')" --prenoms Paul --sexe M
kyb : l'argument 3 de « kyb ajoute » n'est pas du texte UTF-8 valide : rien n'a été fait
[1]
$ kyb exporte Exemple.kya /nulle/part/x.ged
kyb : impossible de créer le fichier « /nulle/part/x.ged »
[1]
$ kyb arbre Exemple.kya 1 --type eventail --sortie /nulle/part/x.svg
kyb : le répertoire « /nulle/part/ » n'existe pas
[1]
$ kyb nouveau /nulle/part/G
kyb : « /nulle/part » n'existe pas : rien n'a été écrit
[1]
$ cmp avant.adb Exemple.kya/Exemple.adb && ls /nulle 2>&1 | sed 's/.*: //'
No such file or directory
# A name outside Windows-1252 is kept whole, in the store, the search and the GEDCOM export.
$ kyb ajoute Exemple.kya --nom "Nguyễn" --prenoms "Thị" --sexe F
Personne créée : 20
$ kyb cherche Exemple.kya "Nguyễn"
1 personne trouvée :
      20  Nguyễn Thị
$ kyb exporte Exemple.kya x7.ged --gedcom 7 > /dev/null && grep Nguy x7.ged | tr -d '\r'
1 NAME Thị /Nguyễn/
2 SURN Nguyễn
