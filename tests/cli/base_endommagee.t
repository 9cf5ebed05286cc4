# A damaged store is reported; kyb reparer keeps the damaged file and repairs the folder.
$ kyb nouveau E > /dev/null
$ dd if=/dev/zero of=E.kya/E.adb bs=4096 seek=$(( $(stat -c %s E.kya/E.adb) / 4096 - 2 )) count=2 conv=notrunc 2>/dev/null
$ kyb info E.kya
Index des personnes : Le fichier d'index des personnes est plus ancien que la base de données. L'index des personnes a été reconstruit à partir de la base de données.
Base de données : Erreur, Veuillez consulter le fichier @ETAT@/kybase/logs/DataModuleBDD_AnalyseBDD.log
kyb : la base de données « E.kya/E.adb » est endommagée : lancez « kyb reparer » sur ce dossier
[1]
$ kyb info E.kya --complet 2>&1 | tail -1
kyb : la base de données « E.kya/E.adb » est endommagée : lancez « kyb reparer » sur ce dossier
$ kyb reparer E.kya
  Evenements : 0 ligne gardée
  Geolocalisation : 0 ligne gardée
  IDParents : 0 ligne gardée
  Illustrations : 0 ligne gardée
  IndexNomPrenoms : 1 ligne gardée
  Lieux : 0 ligne gardée
  NotesTranscription : 0 ligne gardée
  PersAssociees : 0 ligne gardée
  Personnes : 2 lignes gardées
  PersonnesSuppr : 0 ligne gardée
  RechercheVastrelNet : 0 ligne gardée
  Sources : 0 ligne gardée
  TabInformations : 8 lignes gardées
  La base endommagée est conservée dans « E.kya/E.adb.corrompu ».
Réparation terminée : aucune ligne perdue
$ kyb info E.kya > /dev/null
