# Editing a person: names, sex, a spouse on both sides with the union, a list field, an e-mail.
$ kyb nouveau Essai > /dev/null && kyb ajoute Essai.kya --nom Dupré --prenoms Marie --sexe F > /dev/null
$ kyb modifie Essai.kya 1 --champ NOM=Martin --champ PRENOMS=Jean --champ SEXE=M --champ CONJOINT=2 --champ UNION@2=5/6/1845 --champ UNION@2.lieu=Rouen --champ Professions=Forgeron --ajoute EMAIL=jean@exemple.fr
Personne 1 modifiée : 8 rubrique(s)
$ kyb personne Essai.kya 1
Personne         : 1
Nom              : Martin
Prénoms          : Jean
Sexe             : M
Type             : personne
Père             : -
Mère             : -
Conjoints        : 1
  2 (Dupré Marie)
Enfants          : 0
Rubriques        : 5
  Union avec 2 Marie Dupré : le 5 juin 1845 à Rouen
  Professions :
      Forgeron
  Date de création : @HORODATAGE@
  Date dern. modif. : @HORODATAGE@
  e-mail : jean@exemple.fr
$ kyb personne Essai.kya 2
Personne         : 2
Nom              : Dupré
Prénoms          : Marie
Sexe             : F
Type             : personne
Père             : -
Mère             : -
Conjoints        : 1
  1 (Martin Jean)
Enfants          : 0
Rubriques        : 3
  Union avec 1 Jean Martin : le 5 juin 1845 à Rouen
  Date de création : @HORODATAGE@
  Date dern. modif. : @HORODATAGE@
$ kyb modifie dossier 1 --champ
kyb modifie : valeur manquante après « --champ » (usage : kyb modifie CHEMIN N [--champ LIBELLE=VALEUR...] [--ajoute LIBELLE=VALEUR...])
[2]
