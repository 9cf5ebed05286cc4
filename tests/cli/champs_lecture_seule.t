# A listing never writes: a damaged definition file is reported and left as it is, without
# copies; an opening for writing (kyb info) repairs it and keeps the damaged file aside.
$ kyb nouveau Essai > /dev/null
$ sed -i 's/^SEXE\t/SEXE /' Essai.kya/Essai.dch && cp Essai.kya/Essai.dch ref.dch && ls Essai.kya > avant.txt
$ kyb champs Essai.kya > /dev/null
Définitions des champs : Le fichier des définitions de champs « Essai.dch » est endommagé. Définitions indispensables endommagées : SEXE (définition rétablie). Il n'a pas été modifié : il sera réparé à la prochaine ouverture du dossier en écriture.
$ kyb champ Essai.kya UNION > /dev/null
Définitions des champs : Le fichier des définitions de champs « Essai.dch » est endommagé. Définitions indispensables endommagées : SEXE (définition rétablie). Il n'a pas été modifié : il sera réparé à la prochaine ouverture du dossier en écriture.
$ cmp ref.dch Essai.kya/Essai.dch && ls Essai.kya | grep -v -e adb-shm -e adb-wal | cmp avant.txt -
$ kyb info Essai.kya > /dev/null
Définitions des champs : Le fichier des définitions de champs « Essai.dch » était endommagé. Définitions indispensables endommagées : SEXE (définition rétablie). Les définitions lisibles ont été gardées et complétées par les définitions par défaut. L'ancien fichier a été conservé sous le nom « Essai.dch.copie ».
$ test -f Essai.kya/Essai.dch.copie
