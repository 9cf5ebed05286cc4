# Maintenance refused: a taken name, a forbidden one, a deletion without --oui; nothing touched.
$ kyb nouveau Essai > /dev/null && mkdir Pris.kya
$ kyb duplique Essai.kya Pris
kyb : une généalogie ou un fichier nommé « Pris » existe déjà à cet endroit
[1]
$ kyb renomme Essai.kya 'a:b'
kyb : le nom « a:b » n'est pas permis : il ne peut être vide ni contenir \ / : * ? " < > | . ou un caractère de contrôle, ni commencer ou finir par une espace
[1]
$ kyb supprime Essai.kya
kyb supprime : ajoutez --oui pour confirmer la suppression (usage : kyb supprime CHEMIN [--oui])
[2]
$ test -f Essai.kya/Essai.adb
