# Estimated years and the check of the whole genealogy, on the sample family kept by kyb demo.
$ kyb demo . > /dev/null
# Louis, born in 1847, father of Émile born in 1875: dead at the earliest 269 days before that
# birth, at the latest 100 years after his own; fathering from 18 to 50.
$ kyb estime Exemple.kya 5
Estimation pour 5 (Martin Louis) (années, limites d'âge des réglages)
  naissance : de 1847 à 1847  (début : sa naissance ; fin : sa naissance)
  décès : de 1874 à 1947  (début : l'enfant 10 (Martin Émile) ; fin : la durée de vie)
  procréation : de 1865 à 1897
$ kyb estime Exemple.kya 19
Estimation pour 19 (Lambert Hélène) (années, limites d'âge des réglages)
  naissance : de ? à ?  (début : rien ; fin : rien)
  décès : de ? à ?  (début : rien ; fin : rien)
  procréation : de ? à ?
# The sample family has nothing impossible.
$ kyb verifie Exemple.kya
Vérification de 19 personne(s) : 0 constat(s)
# Émile (born 1875) given to Pierre as father: Pierre, born in brumaire year II (November 1793)
# and dead about 1851, would have fathered him at 81, 24 years after his own death.
$ kyb delie Exemple.kya 5 10 --enfant > /dev/null && kyb lie Exemple.kya 3 10 --enfant > /dev/null
$ kyb verifie Exemple.kya
Vérification de 19 personne(s) : 2 constat(s)

Parent trop âgé à la naissance d'un enfant : 1
  3 (Martin Pierre) : naissance 12/BRUM/02 (républicain), enfant né 08/08/1875 — avec 10 (Martin Émile)

Naissance trop longtemps après le décès du père : 1
  10 (Martin Émile) : naissance 08/08/1875, décès du parent ~ 17/03/1851 — avec 3 (Martin Pierre)
$ kyb verifie Exemple.kya --format csv 2> /dev/null
sorte;numero;nom;autre;nom_autre;detail
parent_trop_age;3;Martin Pierre;10;Martin Émile;naissance 12/BRUM/02 (républicain), enfant né 08/08/1875
naissance_apres_deces_pere;10;Martin Émile;3;Martin Pierre;naissance 08/08/1875, décès du parent ~ 17/03/1851
# Read-only: the folder is the same afterwards.
$ ls -l Exemple.kya > avant && kyb verifie Exemple.kya > /dev/null 2>&1 && ls -l Exemple.kya | diff avant -
$ kyb estime Exemple.kya 99
kyb : la personne 99 n'existe pas ou a été supprimée (dernier numéro : 19)
[1]
$ kyb verifie Exemple.kya --format tableur
kyb verifie : valeur « tableur » refusée pour --format : csv (usage : kyb verifie CHEMIN [--format csv])
[2]
$ kyb verifie absent.kya
kyb : le dossier « absent.kya/ » n'existe pas
[1]
