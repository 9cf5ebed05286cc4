# GEDCOM in and out: the sample imported, exported in 7.0 and imported back, exported in 5.5.1;
# warnings with their line; what is not GEDCOM is refused with no folder left; usage errors.
$ kyb importe "$SRC/data/demo/famille.ged" Famille
GEDCOM 5.5.1, UTF-8, écrit par KYBASE
Personnes lues : 7
Couples lus : 3
Événements lus : 15
Champs simples lus : 1
Lieux : 3
Notes lues : 2
Sources citées : 0, médias : 0, personnes citées : 0
Balises conservées : 0
Avertissements : 0
$ kyb exporte Famille.kya f7.ged --gedcom 7
Fichier GEDCOM 7.0 écrit : f7.ged
Personnes : 7, familles : 3, événements : 15, champs simples : 1
Notes : 2, sources : 0, médias : 0
$ grep -c 'VERS 7.0' f7.ged
1
$ kyb importe f7.ged Retour
GEDCOM 7.0, UTF-8, écrit par KYBASE
Personnes lues : 7
Couples lus : 3
Événements lus : 15
Champs simples lus : 1
Lieux : 3
Notes lues : 2
Sources citées : 0, médias : 0, personnes citées : 0
Balises conservées : 0
Enregistrements et balises non gardés :
  SUBM : 1
Avertissements : 0
$ kyb exporte Retour.kya r.ged
Fichier GEDCOM 5.5.1 écrit : r.ged
Personnes : 7, familles : 3, événements : 15, champs simples : 1
Notes : 2, sources : 0, médias : 0
$ printf '0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n1 FAMC @F9@\n1 BIRT\n2 DATE 31 FEB 1800\n1 _FOO x\n' > a.ged
$ kyb importe a.ged A
GEDCOM sans version, UTF-8
Personnes lues : 1
Couples lus : 0
Événements lus : 1
Champs simples lus : 1
Lieux : 0
Notes lues : 0
Sources citées : 0, médias : 0, personnes citées : 0
Balises conservées : 1
  _FOO : 1
Avertissements : 3
  Ligne 4 : pointeur @F9@ vers une famille absente du fichier, ignoré.
  Ligne 6 : Date GEDCOM « 31 FEB 1800 » illisible : date impossible. Elle est gardée comme phrase.
  Fichier incomplet : il s'arrête à la ligne 7 sans « 0 TRLR » ; il a peut-être été coupé.
$ kyb importe "$SRC/CMakeLists.txt" Refus
kyb : Ce fichier n'est pas un fichier GEDCOM : il doit commencer par la ligne « 0 HEAD ».
[1]
$ test ! -e Refus.kya
$ kyb importe seul.ged
kyb importe : argument manquant : CHEMIN (usage : kyb importe FICHIER.ged CHEMIN)
[2]
$ kyb exporte d.kya f.ged --gedcom 6
kyb exporte : version GEDCOM « 6 » inconnue : 5.5.1 ou 7 (usage : kyb exporte CHEMIN FICHIER.ged [--gedcom 5.5.1|7])
[2]
$ kyb importe "$SRC/data/demo/famille.ged" Famille
kyb : le dossier « ./Famille.kya/ » existe déjà : choisissez un autre nom
[1]
$ mkdir Coupe.kya && touch Coupe.kya/Coupe.adb && printf importe > Coupe.kya/.creation-en-cours
$ kyb importe "$SRC/data/demo/famille.ged" Coupe | head -1
GEDCOM 5.5.1, UTF-8, écrit par KYBASE
$ test ! -e Coupe.kya/.creation-en-cours
