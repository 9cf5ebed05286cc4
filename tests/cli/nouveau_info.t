# A new genealogy folder described; a folder that does not exist is named as such.
$ kyb nouveau Essai
Dossier généalogique créé : ./Essai.kya/
$ kyb info Essai.kya
Dossier          : Essai.kya/
Format           : 2026
Accès            : lecture et écriture
Identifiant      : [0-9A-F]+ (re)
Personnes        : 1 (dont supprimées : 0)
Numéros          : 1 à 1 (base, premier : 1)
Modification     : @HORODATAGE@
Base             : Essai.adb, version 5.90
Tables :
  Evenements             0 lignes
  Illustrations          0 lignes
  Sources                0 lignes
  PersAssociees          0 lignes
  TabInformations        8 lignes
  Geolocalisation        0 lignes
  IndexNomPrenoms        1 lignes
  NotesTranscription     0 lignes
  IDParents              0 lignes
  RechercheVastrelNet    0 lignes
  Personnes              2 lignes
  PersonnesSuppr         0 lignes
  Lieux                  0 lignes
$ kyb info absent/Rien
kyb : le dossier « absent/Rien.kya/ » n'existe pas
[1]
$ kyb evenements absent/Rien.kya 1
kyb : le dossier « absent/Rien.kya/ » n'existe pas
[1]
$ kyb cherche absent/Rien Martin
kyb : le dossier « absent/Rien.kya/ » n'existe pas
[1]
