# Sosa numbering on a new folder; failures: a number nobody holds, one beyond 210 bits, not a
# number, no such person (exit 1); a missing argument (exit 2).
$ kyb nouveau Essai > /dev/null
$ kyb sosa Essai.kya 1
Personne n°1 (X) : Sosa 1 (génération 0)
$ kyb sosa numerote Essai.kya 1
Numérotation Sosa depuis la personne n°1 (X) : 1 numéro(s) écrit(s).
$ kyb sosa cherche Essai.kya 1
Sosa 1 (génération 0) : personne n°1 (X)
$ kyb ascendance Essai.kya 1 3
Ascendance de la personne n°1 (X)
0 ascendant(s) sur 0 génération(s), dont 0 en implexe.
$ kyb sosa cherche Essai.kya 2
kyb : aucune personne ne porte le numéro Sosa 2
[1]
$ kyb sosa cherche Essai.kya 1645504557321206042154969182557350504982735865633579863348609024
kyb : le numéro Sosa 1645504557321206042154969182557350504982735865633579863348609024 dépasse la limite de 210 bits (Sosa Max)
[1]
$ kyb sosa cherche Essai.kya 12a
kyb : numéro Sosa invalide : 12a
[1]
$ kyb sosa numerote Essai.kya 5
kyb : la personne 5 n'existe pas (dernier numéro : 1)
[1]
$ kyb sosa numerote Essai.kya
kyb sosa numerote : argument manquant : RACINE (usage : kyb sosa numerote CHEMIN RACINE)
[2]
$ kyb ascendance Essai.kya 1 0
kyb : nombre de générations invalide : « 0 » (un entier de 1 à 209)
[1]
