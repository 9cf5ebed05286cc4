# Declared equivalences of surnames and given names: a search widened by them, the files as they
# are written, a damaged file read by its rules, a read-only folder left untouched.
$ kyb demo . > /dev/null
$ kyb equivalences Exemple.kya ajoute Martin Martyn
Équivalence ajoutée : MARTIN = MARTYN
$ kyb equivalences Exemple.kya ajoute 'de Martyn' martin
Équivalence déjà déclarée : MARTYN = MARTIN
$ kyb equivalences Exemple.kya ajoute Moreau Moro
Équivalence ajoutée : MOREAU = MORO
$ kyb equivalences Exemple.kya ajoute Louis Ludovic --prenoms
Équivalence ajoutée : LOUIS = LUDOVIC
$ kyb cherche Exemple.kya martyn ludovic --equivalences
1 personne trouvée :
       5  Martin Louis (1847-~1911)
$ kyb equivalences Exemple.kya supprime moro moreau
Équivalence supprimée : MORO = MOREAU
$ kyb equivalences Exemple.kya
Noms équivalents :
  MARTIN : MARTYN
  MARTYN : MARTIN
Prénoms équivalents :
  LOUIS : LUDOVIC
  LUDOVIC : LOUIS
Équivalences utilisées : oui
Noms d'inconnus : INCONNU, PERE INCONNU
$ cat Exemple.kya/Exemple.neq Exemple.kya/Exemple.preq
MARTIN,MARTYN
MARTYN,MARTIN
$oui|INCONNU, PERE INCONNU
LOUIS,LUDOVIC
LUDOVIC,LOUIS
$ printf 'SEUL\nM\303\234LLER,MILLER\n$non|X, Y\n' > Exemple.kya/Exemple.neq && kyb equivalences Exemple.kya
Le fichier d'équivalences des noms était en UTF-8 : il a été lu comme tel.
Noms équivalents :
  MULLER : MILLER
Prénoms équivalents :
  LOUIS : LUDOVIC
  LUDOVIC : LOUIS
Équivalences utilisées : non
Noms d'inconnus : X, Y
$ printf 'DURAND,%03000d\n' 0 > Exemple.kya/Exemple.neq && kyb equivalences Exemple.kya ajoute Roux Leroux && ls Exemple.kya | grep neq
Le fichier d'équivalences des noms a 1 ligne(s) de plus de 2000 caractères, coupée(s) ; une copie du fichier a été gardée.
Équivalence ajoutée : ROUX = LEROUX
Exemple.neq
Exemple.neqCopie
$ chmod -w Exemple.kya Exemple.kya/* && kyb equivalences Exemple.kya ajoute Petit Lepetit
kyb : le dossier est en lecture seule : les équivalences ne peuvent pas être modifiées
[1]
$ kyb equivalences Exemple.kya ajoute Petit
kyb equivalences : ajoute ou supprime, suivi d'un nom et de son équivalent (usage : kyb equivalences CHEMIN [ajoute|supprime NOM EQUIVALENT [--prenoms]])
[2]
