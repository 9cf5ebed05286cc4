# The statistics of the sample family kept by kyb demo, worked by hand from data/demo/: 9 men and
# 10 women; 8 couples linked from both sides; 13 events; births in 1793, 1820, 1822, 1847 and
# 1875; lifetimes 58, 60 and 68 years; Elbeuf names 8 events, Rouen 4, Louviers 1.
$ kyb demo . > /dev/null
$ kyb statistiques Exemple.kya
Personnes            : 19 (hommes : 9, femmes : 10, sexe inconnu : 0)
Couples              : 8
Durée de vie moyenne : 62,0 ans (3 personne(s) aux naissance et décès datés)
Date la plus ancienne : le 12 brumaire an 2, Naissance de 3 (Martin Pierre)
Date la plus récente  : le 12 novembre 1890, Décès de 2 (Dupré Marie Élise)

Événements par sorte :
  Naissance                          5
  Décès                              3
  Union                              2
  Baptême                            1
  Professions                        1
  Résidence                          1

Personnes par siècle de naissance :
  XVIIIe siècle                      1
  XIXe siècle                        4
  naissance non datée               14

Noms les plus fréquents :
  Martin                             6
  Lambert                            5
  Dupré                              2
  Petit                              2
  Bernard                            1
  Lefèvre                            1
  Moreau                             1
  Roux                               1

Lieux les plus fréquents :
  Elbeuf                             8
  Rouen                              4
  Louviers                           1
# A deleted person leaves every count: Pierre's two events, his name and his birth go with him;
# the oldest date is then Jean Baptiste's birth.
$ kyb supprime-personne Exemple.kya 3 --oui
Personne 3 supprimée : Martin Pierre
$ kyb statistiques Exemple.kya | sed -n '1,4p;/^Év/,/^$/p'
Personnes            : 18 (hommes : 8, femmes : 10, sexe inconnu : 0)
Couples              : 7
Durée de vie moyenne : 64,0 ans (2 personne(s) aux naissance et décès datés)
Date la plus ancienne : le 14 juillet 1820, Naissance de 1 (Martin Jean Baptiste)
Événements par sorte :
  Naissance                          4
  Décès                              2
  Union                              2
  Baptême                            1
  Professions                        1
  Résidence                          1

$ kyb statistiques absent.kya
kyb : le dossier « absent.kya/ » n'existe pas
[1]
