# Descendants on the sample family, numbered d'Aboville style with the years the records state.
# Hélène (19) descends twice from Henri Lambert (11), through Jules and through Louise.
$ kyb demo . > /dev/null
$ kyb descendance Exemple.kya 1
1  1 Martin Jean Baptiste (1820-1880)
  1.1  5 Martin Louis (1847-?)
    1.1.1  10 Martin Émile (1875-?)
      1.1.1.1  15 Martin Marthe
        1.1.1.1.1  17 Lambert André
          1.1.1.1.1.1  19 Lambert Hélène
  1.2  6 Martin Joséphine
6 descendant(s).
$ kyb descendance Exemple.kya 11
1  11 Lambert Henri
  1.1  13 Lambert Jules
    1.1.1  17 Lambert André
      1.1.1.1  19 Lambert Hélène
  1.2  14 Lambert Louise
    1.2.1  18 Petit Suzanne
      1.2.1.1  19 Lambert Hélène
6 descendant(s).
$ kyb descendance Exemple.kya 11 2 | tail -3
  1.2  14 Lambert Louise
    1.2.1  18 Petit Suzanne
4 descendant(s).
$ kyb descendance Exemple.kya 19
1  19 Lambert Hélène
0 descendant(s).
$ kyb descendance Exemple.kya 1 0
kyb : nombre de générations invalide : « 0 » (un entier de 1 à 1000)
[1]
$ kyb descendance Exemple.kya 20
kyb : la personne 20 n'existe pas (dernier numéro : 19)
[1]
