# Places of a new folder given an older places file (114-byte records: value, code, complement,
# state), which the store takes on the first opening: the list in sorted order, a typed
# beginning, one place with its parts; a place that does not exist; usage.
$ kyb nouveau Essai > /dev/null
$ enreg() {
>   printf '%s' "$1"; head -c $((51 - ${#1})) /dev/zero
>   printf '%s' "$2"; head -c $((11 - ${#2})) /dev/zero
>   printf '%s' "$3"; head -c $((51 - ${#3})) /dev/zero
>   printf '%s' "$4"
> }
> { enreg 3 "" "" O; enreg "Saint-Malo;Bretagne" 35 France N; enreg Lyon 69 France N
>   enreg Saint-Brieuc 22 France O; } > Essai.kya/Essai.lie
$ kyb lieux Essai.kya
       2  Lyon ; 69 ; France
       1  Saint-Malo ; 35 ; Bretagne ; France
2 lieux.
$ kyb lieux Essai.kya saint
       1  Saint-Malo ; 35 ; Bretagne ; France
1 lieu.
$ kyb lieu Essai.kya 1
Lieu n°      : 1
Texte        : Saint-Malo;Bretagne
Commune      : Saint-Malo
Département  : 35
Région       : Bretagne
Pays         : France
Affichage    : Saint-Malo ; 35 ; Bretagne ; France
État         : actif
$ kyb lieu Essai.kya 9
kyb : le lieu 9 n'existe pas dans ce dossier (3 lieux)
[1]
$ kyb lieux
kyb lieux : argument manquant : CHEMIN (usage : kyb lieux CHEMIN [DEBUT])
[2]
