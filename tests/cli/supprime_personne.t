# Deleting Louis Martin (5) from the sample family: his parents, his wife and his son lose their
# links to him, the list and the index lose him; asked again, it is refused.
$ kyb demo . > /dev/null
$ kyb supprime-personne Exemple.kya 5
kyb supprime-personne : --oui confirme la suppression (usage : kyb supprime-personne CHEMIN N [--oui])
[2]
$ kyb supprime-personne Exemple.kya 5 --oui
Personne 5 supprimée : Martin Louis
$ kyb personne Exemple.kya 5 | head -3
Personne         : 5 (supprimée)
Nom              : XXX
Prénoms          : 
$ for n in 1 9 10; do kyb personne Exemple.kya $n | grep -A1 -E '^(Père|Conjoints|Enfants) '; done
Père             : 3 (Martin Pierre)
Mère             : 4 (Lefèvre Anne)
Conjoints        : 1
  2 (Dupré Marie Élise)
Enfants          : 1
  6 (Martin Joséphine)
Père             : -
Mère             : -
Conjoints        : 0
Enfants          : 1
  10 (Martin Émile)
Père             : -
Mère             : 9 (Moreau Célestine)
Conjoints        : 0
Enfants          : 1
  15 (Martin Marthe)
$ kyb personnes Exemple.kya | head -1
18 personne(s), page 1 sur 1
$ kyb index verifie Exemple.kya 2>&1 | grep correct
L'index des personnes est correct.
$ kyb supprime-personne Exemple.kya 5 --oui
kyb : la personne 5 est déjà supprimée
[1]
$ kyb supprime-personne Exemple.kya 20 --oui
kyb : la personne 20 n'existe pas (dernier numéro : 19)
[1]
# A write-protected store: nothing is deleted.
$ chmod a-w Exemple.kya/Exemple.adb
$ kyb supprime-personne Exemple.kya 6 --oui
kyb : le dossier est en lecture seule : la personne n'a pas été supprimée
[1]
$ kyb personne Exemple.kya 6 | head -1
Personne         : 6
