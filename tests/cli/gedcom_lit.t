# Reading a GEDCOM file: records by tag, dates in French, warnings with their line; refusals.
$ kyb gedcom lit "$SRC/data/demo/famille.ged"
Dates :
  ligne 5 : 5 DEC 2026 -> le 5 décembre 2026
  ligne 19 : 14 JUL 1789 -> le 14 juillet 1789
  ligne 22 : ABT 1850 -> vers 1850
  ligne 32 : @#DFRENCH R@ 18 BRUM 8 -> le 18 brumaire an 8
  ligne 35 : BET 1851 AND 1855 -> entre 1851 et 1855
  ligne 42 : @#DJULIAN@ 11 FEB 1731/32 -> le 22 février 1732
  ligne 46 : BEF 1800 -> avant 1800
  ligne 52 : EST 1740 -> peut-être en 1740
  ligne 54 : AFT 10 MAR 1795 -> après le 10 mars 1795
  ligne 61 : INT 1760 (vers la Saint-Jean 1760) -> en 1760 (vers la Saint-Jean 1760)
  ligne 67 : @#DHEBREW@ 15 NSN 5525 -> le 15 Nissan 5525
  ligne 73 : 3 FEB 1825 -> le 3 février 1825
  ligne 82 : FROM 1820 TO 1821 -> entre 1820 et 1821
  ligne 89 : CAL 1760 -> peut-être en 1760
  ligne 95 : 1 MAY 1790 -> le 1er mai 1790
Dates lues : 15, illisibles : 0
Fichier : @SRC@/data/demo/famille.ged (GEDCOM 5.5.1, UTF-8), 99 lignes, 1985 octets
Enregistrements :
  FAM      3
  HEAD     1
  INDI     7
  NOTE     1
  TRLR     1
Avertissements : 0
$ printf '0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n3 NAME X\n1 BIRT\n2 DATE 31 FEB 1800\n' > defauts.ged
$ kyb gedcom lit defauts.ged
Dates :
  ligne 6 : Date GEDCOM « 31 FEB 1800 » illisible : date impossible.
Dates lues : 1, illisibles : 1
Fichier : defauts.ged (GEDCOM sans version, UTF-8), 6 lignes, 67 octets
Enregistrements :
  HEAD     1
  INDI     1
Avertissements : 2
  Ligne 4 : saut de niveau (3 après 0), lu au niveau 1.
  Fichier incomplet : il s'arrête à la ligne 6 sans « 0 TRLR » ; il a peut-être été coupé.
$ kyb gedcom lit "$SRC/CMakeLists.txt"
kyb : Ce fichier n'est pas un fichier GEDCOM : il doit commencer par la ligne « 0 HEAD ».
[1]
$ kyb gedcom
kyb gedcom : sous-commande manquante ou inconnue (voir « kyb aide gedcom »)
[2]
