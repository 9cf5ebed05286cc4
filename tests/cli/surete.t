# Safety of the folders: a bare name is made in the current directory; a path outside
# Windows-1252 is refused with nothing created.
$ kyb nouveau Nu > /dev/null && test -f Nu.kya/Nu.adb
$ mkdir hors && kyb nouveau hors/Famille-Ω
kyb : le chemin « hors/Famille-Ω » contient un caractère que les noms de fichiers d'une généalogie ne peuvent pas porter (hors Windows-1252) : choisissez un autre nom
[1]
$ ls hors
