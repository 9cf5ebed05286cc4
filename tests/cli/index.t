# The person index: verification, rebuilding and search on a new folder; a stale ".prx2" is
# reported and the index rebuilt; usage errors.
$ kyb nouveau Essai > /dev/null
$ kyb index verifie Essai.kya
Lignes d'index vérifiées : 1
L'index des personnes est correct.
$ kyb index reconstruit Essai.kya
Index reconstruit : 1 lignes, 1 entrées en mémoire.
$ touch -d 2001-01-01 Essai.kya/Essai.prx2 && kyb cherche Essai.kya x
Index des personnes : Le fichier d'index des personnes est plus ancien que la base de données. L'index des personnes a été reconstruit à partir de la base de données.
1 personne trouvée :
       1  X
$ kyb cherche dossier --inconnue
kyb cherche : option inconnue « --inconnue » (usage : kyb cherche CHEMIN [NOM] [PRENOMS] [--phonetique] [--equivalences] [--sexe M|F] [--nes-entre A B] [--lieu L] [--pere NOM] [--mere NOM] [--conjoint NOM] [--sans-pere] [--limite N] [--dossier AUTRE...])
[2]
$ kyb index dossier corrige
kyb index : sous-commande manquante ou inconnue (voir « kyb aide index »)
[2]
