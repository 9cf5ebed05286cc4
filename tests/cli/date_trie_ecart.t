# Sorting dates of every kind; the gap between overlapping dates is 0 days, uncertain; Easter.
$ kyb date trie 1760 "vers 1750" "14 juillet 1789" "entre 1700 et 1710" "44 av. J.-C."
En 44 av. J.-C.
Entre 1700 et 1710
Vers 1750
En 1760
Le 14 juillet 1789
$ kyb date ecart "juin 1750" "15/06/1750"
Date 1 :               en juin 1750
Date 2 :               le 15 juin 1750
Jours :                0
Années révolues :      0
Mois :                 0
Écart incertain : les deux dates se recouvrent.
$ kyb paques 2026
Pâques 2026 : dimanche 5 avril 2026
