# The notices of a genealogy by type; a record of an unknown type and a cut file read by their
# rules, the cut file reported and left as it was.
$ kyb demo . > /dev/null
$ mkdir -p Exemple.kya/Notices && { printf '\0\0004'; head -c 4009 /dev/zero
> printf '\0\0\0\0Martin'; head -c 74 /dev/zero; printf 'Martyn'; head -c 3922 /dev/zero
> printf '\0\002\0\0Rouen'; head -c 4003 /dev/zero
> printf '\001\000\0\0Durand'; head -c 4002 /dev/zero
> printf '\0\310\0\0Abime'; head -c 4003 /dev/zero; } > Exemple.kya/Notices/Exemple.gnp
$ kyb notices Exemple.kya
Patronyme (1) :
       1  Martin / Martyn
Ville (1) :
       2  Rouen
1 notice(s) d'un type inconnu laissée(s) de côté.
$ kyb notices Exemple.kya titre
Titre (0) :
1 notice(s) d'un type inconnu laissée(s) de côté.
$ head -c 10000 Exemple.kya/Notices/Exemple.gnp > coupe && cp coupe Exemple.kya/Notices/Exemple.gnp && kyb notices Exemple.kya
Patronyme (1) :
       1  Martin / Martyn
kyb : le fichier des notices est endommagé : seules les notices lues avant le défaut sont listées
[1]
$ cmp coupe Exemple.kya/Notices/Exemple.gnp
$ kyb notices Exemple.kya 12
kyb : type de notice inconnu « 12 » : un nombre de 0 à 9 ou un nom (Patronyme, Prénom, Profession, Titre, Décoration, Ville, Code, Département, Région, Pays)
[1]
