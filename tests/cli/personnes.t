# The list of persons on the sample family kept by kyb demo: years stated by the record cards,
# "~" before those the index estimated; orders by name, number and year of birth (unknown last).
$ kyb demo . > /dev/null
$ kyb personnes Exemple.kya
19 personne(s), page 1 sur 1
       8  Bernard Jeanne (~1789-~1864)
       2  Dupré Marie Élise (1822-1890)
       7  Dupré François (~1788-~1862)
      17  Lambert André
      19  Lambert Hélène
      11  Lambert Henri
      13  Lambert Jules
      14  Lambert Louise
       4  Lefèvre Anne (~1789-~1863)
       1  Martin Jean Baptiste (1820-1880)
      10  Martin Émile (1875-~1925)
       6  Martin Joséphine (~1854-~1904)
       5  Martin Louis (1847-~1911)
      15  Martin Marthe (~1909-~1959)
       3  Martin Pierre (1793-1851)
       9  Moreau Célestine (~1841-~1915)
      18  Petit Suzanne
      16  Petit Victor
      12  Roux Rose
$ kyb personnes --tri=naissance Exemple.kya
19 personne(s), page 1 sur 1
       7  Dupré François (~1788-~1862)
       8  Bernard Jeanne (~1789-~1864)
       4  Lefèvre Anne (~1789-~1863)
       3  Martin Pierre (1793-1851)
       1  Martin Jean Baptiste (1820-1880)
       2  Dupré Marie Élise (1822-1890)
       9  Moreau Célestine (~1841-~1915)
       5  Martin Louis (1847-~1911)
       6  Martin Joséphine (~1854-~1904)
      10  Martin Émile (1875-~1925)
      15  Martin Marthe (~1909-~1959)
      17  Lambert André
      19  Lambert Hélène
      11  Lambert Henri
      13  Lambert Jules
      14  Lambert Louise
      18  Petit Suzanne
      16  Petit Victor
      12  Roux Rose
$ kyb personnes Exemple.kya --tri numero --page 1 | head -4
19 personne(s), page 1 sur 1
       1  Martin Jean Baptiste (1820-1880)
       2  Dupré Marie Élise (1822-1890)
       3  Martin Pierre (1793-1851)
# Refusals: a page beyond the last, a page 0, an unknown order, a missing folder.
$ kyb personnes Exemple.kya --page 2
kyb : la page 2 n'existe pas (dernière page : 1)
[1]
$ kyb personnes Exemple.kya --page 0
kyb : numéro de page invalide : « 0 » (un entier de 1 à 1073741824)
[1]
$ kyb personnes Exemple.kya --tri age
kyb personnes : valeur « age » refusée pour --tri : nom, numero ou naissance (usage : kyb personnes CHEMIN [--tri nom|numero|naissance] [--page N])
[2]
$ kyb personnes Absent.kya
kyb : le dossier « Absent.kya/ » n'existe pas
[1]
$ kyb personnes -h
Usage :
  kyb personnes CHEMIN [--tri nom|numero|naissance] [--page N]
      liste des personnes avec leurs années, 50 par page, triée par nom, numéro ou naissance
