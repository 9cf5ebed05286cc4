# Charts of the sample family as SVG. Hélène (19) has 16 known ancestors within six generations;
# Henri Lambert and Rose Roux are met twice (Sosa 8 and 14, 9 and 15): drawn once, referred to once.
$ kyb demo . > /dev/null
$ kyb arbre Exemple.kya 19 --type ascendance --generations 6 --sortie asc.svg
Ascendance de LAMBERT Hélène : 16 case(s) sur 6 génération(s), écrit dans asc.svg
$ grep -c 'voir n° ' asc.svg; grep -o 'voir n° [0-9]*' asc.svg
2
voir n° 8
voir n° 9
$ kyb arbre Exemple.kya 19 --type=eventail --generations=6 --sortie eventail.svg && head -c 38 eventail.svg; echo
Éventail de LAMBERT Hélène : 16 case(s) sur 6 génération(s), écrit dans eventail.svg
<?xml version="1.0" encoding="UTF-8"?>
# Jean Baptiste Martin's descendants over the five generations shown by default, with spouses.
$ kyb arbre Exemple.kya 1 --sortie desc.svg --type descendance
Descendance de MARTIN Jean Baptiste : 10 case(s) sur 5 génération(s), écrit dans desc.svg
$ grep -o 'class="no">[0-9][0-9.]*' desc.svg | cut -d'>' -f2 | sort | tr '\n' ' '; echo
1 1.1 1.1.1 1.1.1.1 1.1.1.1.1 1.2 
# More generations than a chart holds: capped, and said. The seventh generation holds the
# parents of Jean Baptiste Martin and Marie Élise Dupré.
$ kyb arbre Exemple.kya 19 --type eventail --generations 40 --sortie eventail.svg
40 générations demandées : ramenées à 10, le plus pour ce type d'arbre.
Éventail de LAMBERT Hélène : 20 case(s) sur 7 génération(s), écrit dans eventail.svg
# Refused: nothing is written.
$ kyb arbre Exemple.kya 20 --type ascendance --sortie x.svg
kyb : la personne 20 n'existe pas (dernier numéro : 19)
[1]
$ kyb arbre Exemple.kya 19 --type ascendance --generations 0 --sortie x.svg
kyb : nombre de générations invalide : « 0 » (un entier de 1 à 1000)
[1]
$ kyb arbre Exemple.kya 19 --type ascendance --generations 9223372036854775808 --sortie x.svg
kyb : nombre de générations invalide : « 9223372036854775808 » (un entier de 1 à 1000)
[1]
$ kyb arbre Exemple.kya 19 --type ascendance --sortie absent/x.svg
kyb : le répertoire « absent/ » n'existe pas
[1]
$ mkdir ro && chmod 555 ro && kyb arbre Exemple.kya 19 --type ascendance --sortie ro/x.svg
kyb : « ro/x.svg » ne peut pas être écrit (droits insuffisants)
[1]
$ kyb arbre Exemple.kya 19 --type ascendance --sortie Exemple.kya/x.svg
kyb : « Exemple.kya/x.svg » est dans le dossier généalogique « @TMP@/Exemple.kya » : rien n'y est écrit, choisissez un chemin hors de ce dossier
[1]
$ ls x.svg absent ro Exemple.kya/x.svg 2>&1 | sort
ls: cannot access 'Exemple.kya/x.svg': No such file or directory
ls: cannot access 'absent': No such file or directory
ls: cannot access 'x.svg': No such file or directory
ro:
$ kyb arbre Exemple.kya 19 --type cercle --sortie x.svg
kyb arbre : valeur « cercle » refusée pour --type : ascendance, descendance ou eventail (usage : kyb arbre CHEMIN N --type ascendance|descendance|eventail [--generations G] --sortie FICHIER)
[2]
$ kyb arbre Exemple.kya 19 --type ascendance
kyb arbre : option obligatoire manquante : --sortie FICHIER (usage : kyb arbre CHEMIN N --type ascendance|descendance|eventail [--generations G] --sortie FICHIER)
[2]
