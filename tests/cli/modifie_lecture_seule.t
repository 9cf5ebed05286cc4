# A read-only folder: no edit, no new person.
$ kyb nouveau Essai > /dev/null && chmod -R a-w Essai.kya
$ kyb modifie Essai.kya 1 --champ NOM=Y
kyb : le dossier est en lecture seule : rien n'est modifié
[1]
$ kyb ajoute Essai.kya --nom Y --prenoms Z --sexe F
kyb : le dossier est en lecture seule : rien n'est modifié
[1]
$ chmod -R u+w Essai.kya && kyb personne Essai.kya 2
kyb : la personne 2 n'existe pas (dernier numéro : 1)
[1]
