# Finding persons in the demo genealogy: names, masks, phonetic codes, criteria read from the
# records, the count beyond the limit, the same search in other folders, the distinct names; bad
# input refused with a message.
$ kyb demo . > /dev/null
$ kyb cherche Exemple.kya --limite 3
19 personnes trouvées :
       8  Bernard Jeanne (~1789-~1864)
       2  Dupré Marie Élise (1822-1890)
       7  Dupré François (~1788-~1862)
… et 16 autres
$ kyb cherche Exemple.kya '***' --limite 1
19 personnes trouvées :
       8  Bernard Jeanne (~1789-~1864)
… et 18 autres
$ kyb cherche Exemple.kya 'mar*in' jean
1 personne trouvée :
       1  Martin Jean Baptiste (1820-1880)
$ kyb cherche Exemple.kya Moro --phonetique
1 personne trouvée :
       9  Moreau Célestine (~1841-~1915)
$ kyb cherche Exemple.kya martin --nes-entre 1800 1850 --lieu rouen
1 personne trouvée :
       1  Martin Jean Baptiste (1820-1880)
$ kyb cherche Exemple.kya --pere martin --sexe F
2 personnes trouvées :
       6  Martin Joséphine (~1854-~1904)
      15  Martin Marthe (~1909-~1959)
$ kyb cherche Exemple.kya --sans-pere --conjoint dupre
1 personne trouvée :
       8  Bernard Jeanne (~1789-~1864)
$ kyb cherche Exemple.kya Durand
Aucune personne trouvée.
$ kyb cherche Exemple.kya martin --limite 1 --dossier ExempleGedcom.kya
6 personnes trouvées :
       1  Martin Jean Baptiste (1820-1880)
… et 5 autres
Dans ExempleGedcom.kya : 3 personnes trouvées :
       1  Martin Jean Baptiste (1789-1850)
… et 2 autres
$ kyb cherche Exemple.kya Moreau --dossier ExempleGedcom.kya
1 personne trouvée :
       9  Moreau Célestine (~1841-~1915)
Dans ExempleGedcom.kya : Aucune personne trouvée.
$ kyb cherche Exemple.kya martin --dossier ./Exemple.kya/
kyb : le dossier « ./Exemple.kya/ » est déjà cherché (« Exemple.kya »)
[1]
$ kyb cherche Exemple.kya martin --dossier Ailleurs.kya
kyb : le dossier « Ailleurs.kya/ » n'existe pas
[1]
$ kyb patronymes Exemple.kya l
  LAMBERT                               5
  LEFEVRE                               1
$ kyb prenoms Exemple.kya j --sexe F
  JEANNE                                1
  JOSEPHINE                             1
$ kyb cherche Exemple.kya --nes-entre 1900 1800
kyb : l'intervalle d'années est à l'envers : 1900 est après 1800
[1]
$ kyb cherche Exemple.kya --nes-entre 1800 vers
kyb : années invalides « 1800 » et « vers » : deux années de 1 à 9999
[1]
$ kyb cherche Exemple.kya --sexe X
kyb : sexe inconnu « X » : M ou F
[1]
$ kyb cherche Exemple.kya --limite 0
kyb : limite invalide « 0 » : un nombre d'au moins 1
[1]
$ kyb prenoms Exemple.kya a b
kyb prenoms : argument en trop : « b » (usage : kyb prenoms CHEMIN [LETTRE] [--sexe F|M])
[2]
