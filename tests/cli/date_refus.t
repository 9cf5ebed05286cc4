# Dates refused with their cause (exit 1); usage errors (exit 2).
$ kyb date "31/02/1854"
kyb : date « 31/02/1854 » refusée : jour qui n'existe pas
[1]
$ kyb date "vers bidule 1750"
kyb : date « vers bidule 1750 » refusée : mot inconnu « bidule »
[1]
# (the invalid byte shown as "?" here)
$ kyb date "$(printf '\377/07/1789')" 2> erreur.txt; echo "[$?]"; tr '\377' '?' < erreur.txt
[1]
kyb : l'argument 1 de « kyb date » n'est pas du texte UTF-8 valide : rien n'a été fait
$ kyb date trie
kyb date trie : argument manquant : DATE (usage : kyb date trie DATE... [--calendrier G|R|H|A])
[2]
$ kyb date
kyb date : argument manquant : TEXTE (usage : kyb date TEXTE... [--calendrier G|R|H|A])
[2]
