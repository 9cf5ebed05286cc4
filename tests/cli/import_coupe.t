# A folder left by a killed import is never opened, and the way out named is the import again.
$ kyb nouveau I > /dev/null && printf importe > I.kya/.creation-en-cours
$ kyb info I.kya
kyb : l'import qui créait le dossier « I.kya/ » a été interrompu avant sa fin : relancez « kyb importe » vers le même nom pour le refaire
[1]
