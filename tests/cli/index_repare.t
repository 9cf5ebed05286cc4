# The repair of a whole genealogy: the demo's index rebuilt, nothing to report.
# Louis (born 01/05/1847, 1847.33) has no death: estimated from 269 days before the birth of his
# son Émile on 08/08/1875 (1874.87) to 100 years after his own (1947.33), middle 1911.
$ kyb demo . > /dev/null
$ kyb index repare Exemple.kya
Généalogie réparée : 19 personnes, 21 lignes d'index.
$ kyb index verifie Exemple.kya
Lignes d'index vérifiées : 21
L'index des personnes est correct.
$ kyb cherche Exemple.kya Martin Louis
1 personne trouvée :
       5  Martin Louis (1847-~1911)
