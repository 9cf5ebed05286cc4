# Round trip of the demo folder: every record card and every person read the same after
# export and import (person 10 aside: the sample gives Marthe a father who does not list her).
$ kyb demo . > /dev/null
$ kyb exporte Exemple.kya e.ged
Fichier GEDCOM 5.5.1 écrit : e.ged
Personnes : 19, familles : 9, événements : 13, champs simples : 39
Notes : 2, sources : 8, médias : 0
$ kyb importe e.ged Retour
GEDCOM 5.5.1, UTF-8, écrit par KYBASE
Personnes lues : 19
Couples lus : 9
Événements lus : 13
Champs simples lus : 39
Lieux : 3
Notes lues : 2
Sources citées : 8, médias : 0, personnes citées : 9
Balises conservées : 0
Enregistrements et balises non gardés :
  SUBM : 1
Avertissements : 0
$ for d in Exemple Retour; do
>   for n in 1 2 3 4 5 6 7 8 9 11 12 13 14 15 16 17 18 19; do kyb personne $d.kya $n; done > $d.personnes
>   for n in $(seq 1 19); do kyb evenements $d.kya $n; done > $d.evenements
> done
$ cmp Exemple.personnes Retour.personnes && cmp Exemple.evenements Retour.evenements
