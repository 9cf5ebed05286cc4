# Selections: numbered conditions typed in French combined by an equation, kept in the folder and
# listed; bad conditions and equations refused with nothing written.
$ kyb importe "$SRC/data/demo/famille.ged" Famille > /dev/null 2>&1
$ kyb selection Famille.kya "1 et (2 ou non 3)" --condition "NAISSANCE.date entre 1780 1830" \
>   --condition "Homme" --condition "PERE vide"
       2  Dupré Marie Élise (1799-1855)
       1  Martin Jean Baptiste (1789-1850)
       7  Martin Louis (1825-~1875)
3 personne(s) sélectionnée(s).
$ kyb selection Famille.kya "1 ou 2" --condition "NAISSANCE.lieu contenant Mâcon" \
>   --condition "Au moins un event dans le département égal à rhône"
       2  Dupré Marie Élise (1799-1855)
       1  Martin Jean Baptiste (1789-1850)
       7  Martin Louis (1825-~1875)
       4  Roux Jeanne (1740-1795)
4 personne(s) sélectionnée(s).
$ kyb selection Famille.kya 1 --condition "Profession contenant can" --enregistre Canuts
Sélection « Canuts » enregistrée.
       1  Martin Jean Baptiste (1789-1850)
1 personne(s) sélectionnée(s) (par la base de données).
$ kyb selection Famille.kya --liste
Canuts : 1
  1. Profession contenant can
$ kyb selection Famille.kya --charge Canuts
       1  Martin Jean Baptiste (1789-1850)
1 personne(s) sélectionnée(s) (par la base de données).
$ kyb selection Famille.kya 1 --condition "Nom égal à O'Brien'; DROP TABLE Personnes; --"
Aucune personne sélectionnée.
$ cp Famille.kya/selections.kys avant.kys
$ kyb selection Famille.kya "1 et 4" --condition Homme --enregistre X
kyb : équation invalide : la condition 4 n'existe pas (1 condition(s))
[1]
$ kyb selection Famille.kya "(1" --condition Homme --enregistre X
kyb : équation invalide : parenthèse fermante manquante
[1]
$ kyb selection Famille.kya 1 --condition "TAILLE égal à 3" --enregistre X
kyb : condition 1 : champ inconnu « TAILLE »
[1]
$ kyb selection Famille.kya 1 --condition "NOM environ 3"
kyb : condition 1 : opérateur inconnu « environ » (attendu : égal à, commence par, termine par, différent de, entre, plus grand ou égal à, plus petit ou égal à, vide, non vide, contenant, ascendance de)
[1]
$ kyb selection Famille.kya 1 --condition "NAISSANCE.date entre 1850"
kyb : condition 1 : « entre » demande deux valeurs (par exemple : entre 1850 1860)
[1]
$ cmp avant.kys Famille.kya/selections.kys && kyb selection Famille.kya --charge Rien
kyb : aucune sélection enregistrée sous le nom « Rien »
[1]
$ printf 'KYSEL001abc' > Famille.kya/selections.kys && kyb selection Famille.kya --liste
kyb : le fichier des sélections « Famille.kya/selections.kys » est endommagé : il n'a pas été modifié
[1]
$ kyb selection Famille.kya
kyb selection : --liste et --charge se donnent seuls ; sinon donnez une équation ou des conditions (usage : kyb selection CHEMIN [EQUATION] [--condition TEXTE...] [--enregistre NOM] [--charge NOM] [--liste])
[2]
