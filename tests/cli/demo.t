# The demonstration a newcomer runs first, on its own temporary folder.
$ kyb demo
== Création du dossier généalogique d'exemple
19 personnes de la famille d'exemple enregistrées.
14 événements et champs enregistrés.

== Notes : textes en chaînes de blocs de 512 octets, par rubrique
  note 1, Baptême : Baptisé en l'église Saint-Étienne.
  note 1, Sources : Acte retrouvé aux archives départementales.

== Réouverture du dossier
  ./Exemple.kya/ : 19 personnes

== Quelques personnes relues dans la base
  n°1 Jean Baptiste Martin, fils de Pierre Martin et d'Anne Lefèvre, 1 conjoint(s), 2 enfant(s)
  n°5 Louis Martin, fils de Jean Baptiste Martin et de Marie Élise Dupré, 1 conjoint(s), 1 enfant(s)
  n°10 Émile Martin, fils de Louis Martin et de Célestine Moreau, 0 conjoint(s), 1 enfant(s)

== Noms de la famille : clé d'index et code phonétique
  Bernard    clé BERNARD    phonétique B656
  Dupré      clé DUPRE      phonétique D16
  Lambert    clé LAMBERT    phonétique L516
  Lefèvre    clé LEFEVRE    phonétique L116
  Martin     clé MARTIN     phonétique M635
  Moreau     clé MOREAU     phonétique M6
  Petit      clé PETIT      phonétique P33
  Roux       clé ROUX       phonétique R2

== Fiche de Jean Baptiste Martin (kyb evenements CHEMIN 1)
  Naissance : le 14 juillet 1820 à Rouen (Faubourg Saint-Sever)
      personne citée : 3 Pierre Martin, Déclarant, Père
      personne citée : 7 François Dupré, Témoin
      source : Registre des naissances de Rouen, 1820 (Acte)
      note : Baptême, Sources
  Baptême : le 16 juillet 1820 à Rouen (Église Saint-Maclou)
      personne citée : 8 Jeanne Bernard, Marraine, Grand-mère
      source : Registre paroissial de Saint-Maclou (Acte)
  Professions : en 1845 à Elbeuf
      Tisserand
  Union avec 2 Marie Élise Dupré : le 5 juin 1845 à Elbeuf
      personne citée : 3 Pierre Martin, Témoin, Père
      personne citée : 7 François Dupré, Témoin, Beau-père
      source : Registre des mariages d'Elbeuf, 1845 (Acte)
      source : Minutes de Maître Hébert (Contrat)
  Résidence : entre 1850 et 1860 à Elbeuf (Rue de la Barrière)
  Décès : avant le 3 février 1880 à Elbeuf
      Décédé en son domicile
      personne citée : 5 Louis Martin, Déclarant, Fils
      source : Registre des décès d'Elbeuf, 1880 (Acte)
  Date de création : @HORODATAGE@
  Date dern. modif. : @HORODATAGE@
  Nationalité : Française

== Fiche de Pierre Martin (kyb evenements CHEMIN 3)
  Naissance : le 12 brumaire an 2 à Rouen
  Décès : vers le 17 mars 1851 à Rouen (Hôtel-Dieu)
      Mort de la fièvre
      personne citée : 7 François Dupré, Déclarant, Beau-frère
      source : Registre des décès de Rouen, 1851 (Acte)
  Date de création : @HORODATAGE@
  Date dern. modif. : @HORODATAGE@

== Naissances entre 1840 et 1880 : personne 5 personne 10

== Index des personnes
  vérification : 21 ligne(s) pour 19 personne(s), aucun défaut
  kyb cherche Martin : n°1 Martin Jean Baptiste; n°10 Martin Émile; n°6 Martin Joséphine; n°5 Martin Louis; n°15 Martin Marthe; n°3 Martin Pierre;
  kyb cherche Martin Louis : n°5 Martin Louis;
  kyb cherche Moro : n°9 Moreau Célestine (phonétique);
  kyb cherche Bernart Jeanne : n°8 Bernard Jeanne (phonétique);

== Liens de parenté dans la famille
  Joséphine est : tante d'Émile
  François est : arrière-grand-père d'Émile
  Émile est : neveu de Joséphine
  ancêtres communs d'Hélène et de Joséphine : Jean Baptiste Martin et Marie Élise Dupré (à 5 et 1 générations)

== Dates saisies comme un généalogiste les tape
  « 14 7 1789 » -> 14/07/1789 : le 14 juillet 1789
  « ?/6/1856 » -> ../06/1856 : en juin 1856
  « 1 pluviôse an XII » -> 01/PLUV/12 : le 1er pluviôse an 12 (grégorien 22/01/1804)
  « 31/2/1854 » refusée (code 9)

== Numérotation Sosa depuis Hélène Lambert (n°19), fille de cousins germains
  18 numéros écrits dans le fichier des Sosa
  génération 1 : 2 André Lambert, 3 Suzanne Petit
  génération 2 : 4 Jules Lambert, 5 Marthe Martin, 6 Victor Petit, 7 Louise Lambert
  génération 3 : 8 Henri Lambert, 9 Rose Roux, 10 Émile Martin, 14 Henri Lambert (implexe), 15 Rose Roux (implexe)
  génération 4 : 20 Louis Martin, 21 Célestine Moreau
  Henri Lambert porte les numéros 8 et 14
  Rose Roux porte les numéros 9 et 15
  Sosa 40 : Jean Baptiste Martin

== Définitions de champs du dossier : 102, dont
  NAISSANCE   « Naissance », balise BIRT
  UNION       « Union », balise MARR
  DECES       « Décès », balise DEAT
  PROFESSION  « Professions », balise OCCU

== Copie de sauvegarde et contrôle
  copie : Exemple_backup.adb
  intégrité : ok

== Import GEDCOM (kyb importe @SRC@/data/demo/famille.ged)
  GEDCOM 5.5.1, UTF-8, écrit par KYBASE
  Personnes lues : 7
  Couples lus : 3
  Événements lus : 15
  Champs simples lus : 1
  Lieux : 3
  Notes lues : 2
  Sources citées : 0, médias : 0, personnes citées : 0
  Balises conservées : 0
  Avertissements : 0
  export GEDCOM 5.5.1 : 7 personnes, 3 familles, 15 événements

Dossiers d'exemple gardés : ./Exemple.kya/ et ./ExempleGedcom.kya/ ; essayez « kyb personnes ./Exemple.kya/ ».

Démonstration terminée.
