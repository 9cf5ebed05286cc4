# No command writes into a genealogy folder, even through a link; maintenance acts on a genealogy
# folder only, and a deletion takes all of it (backup, damaged store, repair report).
$ kyb nouveau F > /dev/null && kyb ajoute F.kya --nom Martin --prenoms Jean --sexe M > /dev/null && ln -s F.kya lien
$ kyb exporte F.kya F.kya/F.adb
kyb : « F.kya/F.adb » est dans le dossier généalogique « @TMP@/F.kya » : rien n'y est écrit, choisissez un chemin hors de ce dossier
[1]
$ kyb exporte F.kya lien/F.not
kyb : « lien/F.not » est dans le dossier généalogique « @TMP@/F.kya » : rien n'y est écrit, choisissez un chemin hors de ce dossier
[1]
$ kyb importe "$SRC/data/demo/famille.ged" F.kya/G
kyb : « F.kya/G.kya » est dans le dossier généalogique « @TMP@/F.kya » : rien n'y est écrit, choisissez un chemin hors de ce dossier
[1]
$ kyb nouveau / ; kyb nouveau ''
kyb : « / » ne nomme pas de dossier généalogique : le nom «  » n'est pas permis : il ne peut être vide ni contenir \ / : * ? " < > | . ou un caractère de contrôle, ni commencer ou finir par une espace
kyb : «  » ne nomme pas de dossier généalogique : le nom «  » n'est pas permis : il ne peut être vide ni contenir \ / : * ? " < > | . ou un caractère de contrôle, ni commencer ou finir par une espace
[1]
$ kyb info F.kya | grep '^Personnes'
Personnes        : 2 (dont supprimées : 0)
$ mkdir docs && touch docs/notes.txt docs/gene.tp && kyb supprime docs/notes.txt --oui
kyb : « docs/notes.txt » n'est pas la base d'un dossier généalogique : rien n'a été touché
[1]
$ kyb renomme docs/notes.txt Autre
kyb : « docs/notes.txt » n'est pas la base d'un dossier généalogique : rien n'a été touché
[1]
$ ls docs
gene.tp
notes.txt
$ kyb sauvegarde F.kya > /dev/null && touch F.kya/err.txt F.kya/F.adb.corrompu && kyb renomme F.kya G
Généalogie renommée : G.kya/
$ ls G.kya | grep -e backup -e corrompu
G.adb.corrompu
G_backup.adb
$ kyb supprime G.kya --oui
Généalogie supprimée : G.kya/
$ test ! -e G.kya
