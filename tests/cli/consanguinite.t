# Kinship and inbreeding coefficients on the sample family kept by kyb demo.
$ kyb demo . > /dev/null
# Joséphine (6) is Émile's aunt: 1/8, through his grandparents Jean Baptiste and Marie Élise.
$ kyb consanguinite Exemple.kya 10 6
Coefficient de parenté de 10 (Martin Émile) et 6 (Martin Joséphine) : 1/8 (12,5 %)
Coefficient de relation : 25 %
Ancêtres communs : 2
  1 (Martin Jean Baptiste) : 1/16 (6,25 %)
  2 (Dupré Marie Élise) : 1/16 (6,25 %)
$ kyb consanguinite Exemple.kya 10
Consanguinité de 10 (Martin Émile) : 0 (0 %)
Ancêtres communs des parents : 0
$ kyb consanguinite Exemple.kya 3
Consanguinité de 3 (Martin Pierre) : 0 (0 %)
Père ou mère inconnu : pas de consanguinité connue.
$ kyb parente Exemple.kya 9 13
13 (Lambert Jules) est : (aucun mot simple) — petit-fils par alliance de 9 (Moreau Célestine)
$ kyb parente Exemple.kya 9 11
Aucun lien de parenté : rien ne relie 9 (Moreau Célestine) et 11 (Lambert Henri) par leurs ascendances ni par alliance.
$ kyb consanguinite Exemple.kya 10 99
kyb : la personne 99 n'existe pas ou a été supprimée (dernier numéro : 19)
[1]
$ kyb consanguinite Exemple.kya
kyb consanguinite : argument manquant : N (usage : kyb consanguinite CHEMIN N [M])
[2]
