# Creating persons: both sides of the parent links, the whole record card.
$ kyb nouveau Essai > /dev/null
$ kyb ajoute Essai.kya --nom Martin --prenoms Jean --sexe M
Personne créée : 2
$ kyb ajoute Essai.kya --nom Dupré --prenoms 'Marie Élise' --sexe F
Personne créée : 3
$ kyb ajoute Essai.kya --nom Martin --prenoms Louis --sexe M --pere 2 --mere 3 --naissance '14 7 1850' --lieu Rouen --deces 'vers 1900'
Personne créée : 4
$ kyb personne Essai.kya 4
Personne         : 4
Nom              : Martin
Prénoms          : Louis
Sexe             : M
Type             : personne
Père             : 2 (Martin Jean)
Mère             : 3 (Dupré Marie Élise)
Conjoints        : 0
Enfants          : 0
Rubriques        : 4
  Naissance : le 14 juillet 1850 à Rouen
  Décès : vers 1900
  Date de création : @HORODATAGE@
  Date dern. modif. : @HORODATAGE@
$ kyb personne Essai.kya 3
Personne         : 3
Nom              : Dupré
Prénoms          : Marie Élise
Sexe             : F
Type             : personne
Père             : -
Mère             : -
Conjoints        : 0
Enfants          : 1
  4 (Martin Louis)
Rubriques        : 2
  Date de création : @HORODATAGE@
  Date dern. modif. : @HORODATAGE@
$ kyb ajoute dossier --nom X --prenoms Y
kyb ajoute : option obligatoire manquante : --sexe M|F (usage : kyb ajoute CHEMIN --nom NOM --prenoms P --sexe M|F [--pere N] [--mere N] [--naissance DATE [--lieu L]] [--deces DATE])
[2]
$ kyb ajoute dossier --nom X --prenoms Y --sexe M --lieu Rouen
kyb ajoute : --lieu va avec --naissance (usage : kyb ajoute CHEMIN --nom NOM --prenoms P --sexe M|F [--pere N] [--mere N] [--naissance DATE [--lieu L]] [--deces DATE])
[2]
