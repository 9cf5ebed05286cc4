# Folder maintenance: duplicate, rename, list, delete (files of others are kept).
$ kyb nouveau Essai > /dev/null && touch Essai.kya/lisezmoi.txt
$ kyb duplique Essai.kya Copie
Copie créée : Copie.kya
$ kyb renomme Copie.kya Deux
Généalogie renommée : Deux.kya/
$ test ! -e Copie.kya && test -f Deux.kya/Deux.adb && test ! -e Deux.kya/lisezmoi.txt
$ kyb genealogies .
Deux.kya	1 personne	@HORODATAGE@
Essai.kya	1 personne	@HORODATAGE@
2 généalogies
$ kyb supprime Essai.kya --oui
Généalogie supprimée ; le répertoire « Essai.kya/ » garde des fichiers qui ne sont pas les siens
$ test -f Essai.kya/lisezmoi.txt && test ! -e Essai.kya/Essai.adb
