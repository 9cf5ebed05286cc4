# Name keys and codes: one per surname of the field, one per given name (particles kept there).
$ kyb nom "de la Forge"
Texte            : de la Forge
Particules       : de, la
Sans particules  : Forge
Clé normalisée   : DE LA FORGE
Nom 1            : FORGE (code F62)
$ kyb nom "Dupont-Durand ; de la Forge ; Du ; Lê" --prenoms "Jean-Marie de Dieu"
Texte            : Dupont-Durand ; de la Forge ; Du ; Lê
Particules       : de, la
Sans particules  : Dupont-Durand ; Forge ; Du ; Lê
Clé normalisée   : DUPONT-DURAND  DE LA FORGE  DU  LE
Nom 1            : DUPONT-DURAND (code D153)
Nom 2            : FORGE (code F62)
Nom 3            : DU (code D)
Nom 4            : LE (code L)
Prénoms          : Jean-Marie de Dieu
Prénom 1         : JEAN-MARIE (code J556)
Prénom 2         : DE (code D)
Prénom 3         : DIEU (code D)
$ kyb nom
kyb nom : un nom ou --prenoms est nécessaire (usage : kyb nom [NOM...] [--prenoms PRENOMS])
[2]
