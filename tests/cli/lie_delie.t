# Links made and removed on the sample family, seen from both persons: Joséphine (6), who has
# neither spouse nor child, marries Victor Petit (16, already husband of Louise, 14) and becomes
# the mother of Rose Roux (12), who has no parents; then both links are removed.
$ kyb demo . > /dev/null
$ kyb lie Exemple.kya 6 16 --conjoint && kyb lie Exemple.kya 6 12 --enfant
6 et 16 sont conjoints.
12 est enfant de 6.
$ kyb personne Exemple.kya 6 | grep -A1 -E '^(Conjoints|Enfants) '
Conjoints        : 1
  16 (Petit Victor)
Enfants          : 1
  12 (Roux Rose)
$ kyb personne Exemple.kya 16 | grep -A2 '^Conjoints '; kyb personne Exemple.kya 12 | grep '^Mère '
Conjoints        : 2
  14 (Lambert Louise)
  6 (Martin Joséphine)
Mère             : 6 (Martin Joséphine)
$ kyb delie Exemple.kya 6 16 --conjoint && kyb delie Exemple.kya 6 12 --enfant
6 et 16 ne sont plus conjoints.
12 n'est plus enfant de 6.
$ kyb personne Exemple.kya 6 | grep -E '^(Conjoints|Enfants) '
Conjoints        : 0
Enfants          : 0
$ kyb personne Exemple.kya 16 | grep -A2 '^Conjoints '; kyb personne Exemple.kya 12 | grep '^Mère '
Conjoints        : 1
  14 (Lambert Louise)
Enfants          : 1
Mère             : -
$ kyb index verifie Exemple.kya 2>&1 | grep correct
L'index des personnes est correct.
# Refusals: a link that is not there, a parent already known, no kind or both kinds, a write-protected store.
$ kyb delie Exemple.kya 6 16 --conjoint
kyb : 16 n'est pas conjoint de 6
[1]
# Émile (10) already has Louis (5) as father: Pierre (3) does not replace him silently.
$ kyb lie Exemple.kya 3 10 --enfant
kyb : 10 a déjà un père : 5 (retirez d'abord ce lien avec kyb delie)
[1]
$ kyb personne Exemple.kya 10 | grep '^Père '
Père             : 5 (Martin Louis)
$ kyb lie Exemple.kya 6 16
kyb lie : il faut l'une des options --conjoint ou --enfant (usage : kyb lie CHEMIN A B --conjoint|--enfant)
[2]
$ kyb delie Exemple.kya 6 16 --conjoint --enfant
kyb delie : options incompatibles : --conjoint et --enfant (usage : kyb delie CHEMIN A B --conjoint|--enfant)
[2]
$ chmod a-w Exemple.kya/Exemple.adb
$ kyb lie Exemple.kya 6 16 --conjoint
kyb : le dossier est en lecture seule : rien n'est modifié
[1]
$ kyb delie Exemple.kya 16 14 --conjoint
kyb : le dossier est en lecture seule : aucun lien n'a été retiré
[1]
