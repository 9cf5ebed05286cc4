# Notes: a folder whose notes file is a known sample; a missing note and a text block fail.
$ kyb nouveau Essai > /dev/null && cp "$SRC/tests/donnees/Essai.not" Essai.kya/Essai.not
$ kyb note Essai.kya 1
Note             : 1
Rubriques        : 3

== Naissance (bloc 2)
Né à Saint-Malo le 3 mars 1852.

== Biographie (bloc 3)
Marin, puis capitaine au long cours. Mort en mer en 1899.

== Sources (bloc 0)
(sans texte)
$ kyb note Essai.kya 9
kyb : la note 9 n'existe pas (dernier bloc : 4)
[1]
$ kyb note Essai.kya 3
kyb : la note 3 n'existe pas (le bloc 3 n'est pas un répertoire de notes)
[1]
$ kyb note Essai.kya
kyb note : argument manquant : N (usage : kyb note CHEMIN N)
[2]
