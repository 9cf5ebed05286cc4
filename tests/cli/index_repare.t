# The repair of a whole genealogy: the demo's index rebuilt, nothing to report.
$ kyb demo . > /dev/null
$ kyb index Exemple.kya repare
Réparation de la base de données...
Réparation de la généalogie
Généalogie réparée : 19 personnes, 21 lignes d'index.
$ kyb index Exemple.kya verifie
Vérification des index
Lignes d'index vérifiées : 21
L'index des personnes est correct.
$ kyb cherche Exemple.kya Martin Louis
1 personne trouvée :
       5  Martin Louis (1847-?)
