# A write-protected store opens read-only: no backup is made and nothing is created beside it.
$ kyb nouveau L > /dev/null && chmod a-w L.kya/L.adb
$ kyb info L.kya
Dossier          : L.kya/
Format           : 2026 (lecture seule)
Accès            : lecture seule
Identifiant      : [0-9A-F]+ (re)
Personnes        : 1 (dont supprimées : 0)
Numéros          : 1 à 1 (base, premier : 1)
Modification     : @HORODATAGE@
Base             : L.adb, version 5.90
Tables :
  Evenements             0 lignes
  Illustrations          0 lignes
  Sources                0 lignes
  PersAssociees          0 lignes
  TabInformations        4 lignes
  Geolocalisation        0 lignes
  IndexNomPrenoms        1 lignes
  NotesTranscription     0 lignes
  IDParents              0 lignes
  RechercheVastrelNet    0 lignes
  Personnes              2 lignes
  PersonnesSuppr         0 lignes
  Lieux                  0 lignes
$ kyb sauvegarde L.kya
kyb : le dossier est en lecture seule : la copie de sauvegarde n'a pas été faite
[1]
$ ls L.kya | grep -e -wal -e -shm -e backup
[1]
