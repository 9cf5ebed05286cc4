# Refused edits (own parent or spouse, missing person, invalid date, second birth) write nothing.
$ kyb nouveau Essai > /dev/null && kyb modifie Essai.kya 1 --champ NAISSANCE=1850 > /dev/null
$ kyb modifie Essai.kya 1 --champ NOM=Autre --champ PERE=1
kyb : PERE : une personne ne peut pas être son propre père (rien n'a été écrit)
[1]
$ kyb modifie Essai.kya 1 --champ NOM=Autre --champ CONJOINT=1
kyb : CONJOINT : une personne ne peut pas être son propre conjoint (rien n'a été écrit)
[1]
$ kyb modifie Essai.kya 1 --champ NOM=Autre --champ MERE=9
kyb : MERE : la personne 9 n'existe pas (rien n'a été écrit)
[1]
$ kyb modifie Essai.kya 1 --champ NOM=Autre --champ NAISSANCE=30/02/1850
kyb : NAISSANCE : date invalide : « 30/02/1850 » (jour qui n'existe pas) (rien n'a été écrit)
[1]
$ kyb modifie Essai.kya 1 --ajoute NAISSANCE=1851
kyb : NAISSANCE : Impossible d'ajouter une nouvelle rubrique pour cette fiche. (rien n'a été écrit)
[1]
$ kyb modifie Essai.kya 7 --champ NOM=Y
kyb : la personne 7 n'existe pas (dernier numéro : 1)
[1]
$ kyb personne Essai.kya 1
Personne         : 1
Nom              : X
Prénoms          : 
Sexe             : ?
Type             : personne
Père             : -
Mère             : -
Conjoints        : 0
Enfants          : 0
Rubriques        : 3
  Naissance : en 1850
  Date de création : @HORODATAGE@
  Date dern. modif. : @HORODATAGE@
