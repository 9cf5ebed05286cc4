# Text a terminal would obey: refused on entry, replaced on import, escaped when printed. Bytes
# that are not UTF-8 are refused; emoji count one character each. Edits keep a family possible.
$ kyb nouveau F > /dev/null
$ kyb ajoute F.kya --nom "$(printf 'Mar\033]0;titre\007tin')" --prenoms Jean --sexe M
kyb : NOM : « NOM » contient un caractère de contrôle (U+001B) : il n'est pas accepté (rien n'a été écrit)
[1]
$ kyb ajoute F.kya --nom "$(printf 'M\374ller')" --prenoms Jean --sexe M
kyb : l'argument 3 de « kyb ajoute » n'est pas du texte UTF-8 valide : rien n'a été fait
[1]
$ kyb date "$(printf '1750\033[2J')"; kyb nom "$(printf 'Du\033[2Jpont')" | head -1
kyb : date « 1750\x1B[2J » refusée : mot inconnu « J »
Texte            : Du\x1B[2Jpont
$ printf '0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n1 NAME Je\000an /Du\033[2Jpont/\n0 TRLR\n' > c.ged && kyb importe c.ged G | grep -A1 Avertissements
Avertissements : 1
  Ligne 4 : 2 caractère(s) de contrôle remplacé(s) par U+FFFD, le reste de la ligne est gardé.
$ kyb personne G.kya 1 | grep -e '^Nom' -e '^Pr'
Nom              : Du�[2Jpont
Prénoms          : Je�an
$ kyb ajoute F.kya --nom '' --prenoms Jean --sexe M
kyb : NOM : le nom est vide : indiquez un nom (rien n'a été écrit)
[1]
$ kyb ajoute F.kya --nom 😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀 --prenoms Jean --sexe M --naissance ''
Personne créée : 2
$ kyb personne F.kya 2 | grep -e '^Nom' -e NAISSANCE -e Naissance
Nom              : 😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀
$ kyb ajoute F.kya --nom Martin --prenoms Paul --sexe M --pere 2 > /dev/null && kyb modifie F.kya 3 --champ CONJOINT=2
kyb : CONJOINT : la personne 2 est un parent de cette personne : elle ne peut pas être son conjoint (rien n'a été écrit)
[1]
$ kyb date -5; kyb date 1/1/-500; kyb date 0
kyb : date « -5 » refusée : année précédée d'un signe moins : écrivez « 500 av. J.-C. »
kyb : date « 1/1/-500 » refusée : année précédée d'un signe moins : écrivez « 500 av. J.-C. »
kyb : date « 0 » refusée : l'année 0 n'existe pas (1 av. J.-C. précède l'an 1)
[1]
