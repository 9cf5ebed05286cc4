# The repair of a whole genealogy: the demo's index rebuilt, nothing to report.
$ kyb demo . > /dev/null
$ kyb index repare Exemple.kya
Réparation de la base de données...
Réparation de la généalogie
Généalogie réparée : 19 personnes, 21 lignes d'index.
$ kyb index verifie Exemple.kya
Vérification des index
Lignes d'index vérifiées : 21
L'index des personnes est correct.
$ kyb cherche Exemple.kya Martin Louis
Même nom :
       5  Martin Louis (1847-?)
