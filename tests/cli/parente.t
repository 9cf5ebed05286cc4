# Kinship on the sample family kept by kyb demo.
$ kyb demo . > /dev/null
$ for q in '10 6' '6 10' '10 7' '1 10' '5 9' '10 10' '9 6'; do kyb parente Exemple.kya $q; done
6 (Martin Joséphine) est : tante — tante de 10 (Martin Émile)
10 (Martin Émile) est : neveu — neveu de 6 (Martin Joséphine)
7 (Dupré François) est : arrière-grand-père — arrière-grand-père de 10 (Martin Émile)
10 (Martin Émile) est : petit-fils — petit-fils de 1 (Martin Jean Baptiste)
9 (Moreau Célestine) est : conjoint — épouse de 5 (Martin Louis)
10 (Martin Émile) et 10 (Martin Émile) sont la même personne.
6 (Martin Joséphine) est : (aucun mot simple) — belle-sœur de 9 (Moreau Célestine)
# Hélène (19) and Joséphine (6): no simple word; the sister of her great-great-grandfather,
# through Jean Baptiste and Marie Élise.
$ kyb parente Exemple.kya 19 6 --chemins
6 (Martin Joséphine) est : (aucun mot simple) — arrière-arrière-grand-tante de 19 (Lambert Hélène)
Ancêtre(s) commun(s) : 2, chemin(s) : 2
  1 (Martin Jean Baptiste) : 6 génération(s) au plus court, 1 chemin(s)
  2 (Dupré Marie Élise) : 6 génération(s) au plus court, 1 chemin(s)
  par 1 (Martin Jean Baptiste) : 5 génération(s) du côté de la première personne, 1 du côté de la seconde
    19 (Lambert Hélène) → 17 (Lambert André) → 15 (Martin Marthe) → 10 (Martin Émile) → 5 (Martin Louis) → 1 (Martin Jean Baptiste) → 6 (Martin Joséphine)
  par 2 (Dupré Marie Élise) : 5 génération(s) du côté de la première personne, 1 du côté de la seconde
    19 (Lambert Hélène) → 17 (Lambert André) → 15 (Martin Marthe) → 10 (Martin Émile) → 5 (Martin Louis) → 2 (Dupré Marie Élise) → 6 (Martin Joséphine)
$ kyb famille Exemple.kya 5
Famille de 5 (Martin Louis)
Parents : 2
  1 (Martin Jean Baptiste)
  2 (Dupré Marie Élise)
Frères et soeurs : 1
  6 (Martin Joséphine)
Demi-frères et demi-soeurs : 0
Conjoints : 1
  9 (Moreau Célestine)
Enfants : 1
  10 (Martin Émile)
Grands-parents : 4
  3 (Martin Pierre)
  4 (Lefèvre Anne)
  7 (Dupré François)
  8 (Bernard Jeanne)
Petits-enfants : 1
  15 (Martin Marthe)
Oncles et tantes : 0
Cousins germains : 0
$ kyb parente Exemple.kya 1 99
kyb : la personne 99 n'existe pas ou a été supprimée (dernier numéro : 19)
[1]
$ kyb parente un
kyb parente : argument manquant : A (usage : kyb parente CHEMIN A B [--chemins])
[2]
$ kyb famille
kyb famille : argument manquant : CHEMIN (usage : kyb famille CHEMIN N)
[2]
# Children of a family the file gave no spouse are brothers and sisters, of parents unknown; a
# deleted one is no longer listed.
$ printf '0 HEAD\n1 GEDC\n2 VERS 5.5.1\n1 CHAR UTF-8\n0 @I1@ INDI\n1 NAME Paul /Orphelin/\n1 FAMC @F1@\n0 @I2@ INDI\n1 NAME Anne /Orphelin/\n1 FAMC @F1@\n0 @I3@ INDI\n1 NAME Luc /Orphelin/\n1 FAMC @F1@\n0 @F1@ FAM\n1 CHIL @I1@\n1 CHIL @I2@\n1 CHIL @I3@\n0 TRLR\n' > o.ged && kyb importe o.ged O > /dev/null
$ kyb famille O.kya 1 | head -6
Famille de 1 (Orphelin Paul)
Parents : 0
Frères et soeurs : 2
  2 (Orphelin Anne)
  3 (Orphelin Luc)
Demi-frères et demi-soeurs : 0
$ kyb supprime-personne O.kya 3 --oui > /dev/null && kyb famille O.kya 2 | head -5
Famille de 2 (Orphelin Anne)
Parents : 0
Frères et soeurs : 1
  1 (Orphelin Paul)
Demi-frères et demi-soeurs : 0
