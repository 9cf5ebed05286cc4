# The field definitions of a new folder and its first person.
$ kyb nouveau Essai > /dev/null
$ kyb champs Essai.kya
Libellé interne        Libellé écran                          Type                           Morceaux  Tag GEDCOM             Répétable  Liaison
NOM                    Nom                                    Nom                            1         _NOM                   non        personne
...
FSFTID                 Numéro d'identification FamilySearch   Texte                          1         _FSFTID                oui        personne
102 définitions de champs
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
Rubriques        : 0
