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
# Jean Baptiste was born in 1820, sixteen years after his father's death about year XII.
$ kyb verifie Exemple.kya
Vérification de la généalogie
Vérification de 19 personne(s) : 1 constat(s)

Naissance trop longtemps après le décès du père : 1
  1 (Martin Jean Baptiste) : naissance 14/07/1820, décès du parent ~ 01/PLUV/12 (républicain) — avec 3 (Martin Pierre)
$ kyb verifie Exemple.kya --format csv 2> /dev/null
sorte;numero;nom;autre;nom_autre;detail
naissance_apres_deces_pere;1;Martin Jean Baptiste;3;Martin Pierre;naissance 14/07/1820, décès du parent ~ 01/PLUV/12 (républicain)
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
