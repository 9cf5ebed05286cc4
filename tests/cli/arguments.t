# The one parser of every command: help never acts, options anywhere and as --option=valeur,
# usage errors in one line with exit 2, person numbers read the same everywhere.
$ kyb nouveau E > /dev/null && kyb ajoute E.kya --sexe M --nom=DURAND --prenoms Jean
Personne créée : 2
$ kyb nouveau --help && kyb reparer -h && ls
Usage :
  kyb nouveau CHEMIN
      crée un dossier généalogique
Usage :
  kyb reparer CHEMIN
      contrôle et répare la base du dossier
E.kya
$ kyb aide sosa numerote
Usage :
  kyb sosa numerote CHEMIN RACINE
      numérote les ascendants de RACINE (Sosa 1)
  kyb sosa CHEMIN N
      numéros Sosa de la personne N (tous en cas d'implexe)
  kyb sosa cherche CHEMIN SOSA
      personne qui porte le numéro SOSA
$ kyb aide inexistante
kyb aide : commande inconnue « inexistante » (usage : kyb aide [COMMANDE...])
[2]
$ kyb exporte --gedcom=7 E.kya a.ged && kyb exporte E.kya b.ged --gedcom 5.5.1 | head -1
Fichier GEDCOM 7.0 écrit : a.ged
Personnes : 2, familles : 0, événements : 0, champs simples : 2
Notes : 0, sources : 0, médias : 0
Fichier GEDCOM 5.5.1 écrit : b.ged
$ kyb exporte E.kya c.ged --gedcom
kyb exporte : valeur manquante après « --gedcom » (usage : kyb exporte CHEMIN FICHIER.ged [--gedcom 5.5.1|7])
[2]
$ kyb exporte E.kya c.ged --gedcom 8
kyb exporte : version GEDCOM « 8 » inconnue : 5.5.1 ou 7 (usage : kyb exporte CHEMIN FICHIER.ged [--gedcom 5.5.1|7])
[2]
$ kyb info E.kya --page 2
kyb info : option inconnue « --page » (usage : kyb info CHEMIN [--complet])
[2]
$ kyb info E.kya autre
kyb info : argument en trop : « autre » (usage : kyb info CHEMIN [--complet])
[2]
$ kyb ajoute E.kya --nom A --prenoms B
kyb ajoute : option obligatoire manquante : --sexe M|F (usage : kyb ajoute CHEMIN --nom NOM --prenoms P --sexe M|F [--pere N] [--mere N] [--naissance DATE [--lieu L]] [--deces DATE])
[2]
$ kyb index E.kya
kyb index : sous-commande manquante ou inconnue (voir « kyb aide index »)
[2]
$ for n in 0 -5 9223372036854775808 12a 99; do kyb personne E.kya $n; done
kyb : numéro de personne invalide : « 0 » (un entier de 1 à 2147483647)
kyb : numéro de personne invalide : « -5 » (un entier de 1 à 2147483647)
kyb : numéro de personne invalide : « 9223372036854775808 » (un entier de 1 à 2147483647)
kyb : numéro de personne invalide : « 12a » (un entier de 1 à 2147483647)
kyb : la personne 99 n'existe pas (dernier numéro : 2)
[1]
$ kyb famille -- E.kya 2 | head -1
Famille de 2 (DURAND Jean)
$ kyb supprime E.kya --oui=non
kyb supprime : l'option « --oui » ne prend pas de valeur (usage : kyb supprime CHEMIN [--oui])
[2]
