# Version and help; usage errors exit with 2: no command, an unknown command, missing arguments.
$ kyb --version
kyb [0-9]+\.[0-9]+\.[0-9]+ \(kybase\) (re)
$ kyb aide
Usage : kyb COMMANDE [ARGUMENTS]   (kyb aide COMMANDE, kyb COMMANDE --help : son usage)

Commandes :
  --version                                affiche la version
  aide [COMMANDE...]                       affiche cette aide, ou l'usage d'une commande
  demo [REPERTOIRE]                        démonstration sur une généalogie d'exemple, gardée dans REPERTOIRE (le répertoire courant par défaut)
  nouveau CHEMIN                           crée un dossier généalogique
  info CHEMIN [--complet]                  décrit un dossier généalogique (--complet : contrôle approfondi de la base)
  sauvegarde CHEMIN                        copie de sauvegarde de la base
  compacter CHEMIN                         compacte la base du dossier
  reparer CHEMIN                           contrôle et répare la base du dossier
  personne CHEMIN N                        fiche complète de la personne N : identité, liens, rubriques, note
  ajoute CHEMIN --nom NOM --prenoms P --sexe M|F [--pere N] [--mere N] [--naissance DATE [--lieu L]] [--deces DATE] crée une personne (liens vers ses parents des deux côtés) et affiche son numéro
  modifie CHEMIN N [--champ LIBELLE=VALEUR...] [--ajoute LIBELLE=VALEUR...] change des champs de la personne N (NOM, PRENOMS, SEXE, PERE, MERE, CONJOINT, rubriques), tout ou rien
  champs CHEMIN                            liste les définitions de champs d'un dossier généalogique
  champ CHEMIN LIBELLE                     une définition de champ en détail, avec ses équivalences
  date TEXTE... [--calendrier G|R|H|A]     lit une date (« vers 1750 », « entre 1750 et 1760 », « an XII »...), la rédige et la convertit
  date ecart DATE1 DATE2 [--calendrier G|R|H|A] jours, années et mois entre deux dates
  date trie DATE... [--calendrier G|R|H|A] range des dates dans l'ordre chronologique
  paques ANNEE                             date de Pâques (1583 à 2498)
  nom [NOM...] [--prenoms PRENOMS]         clés d'index et codes phonétiques d'un champ nom (noms séparés par « ; ») et de prénoms
  commune NOM|CODE... [--pays P]           communes de référence : département, région, codes postaux, code officiel
  sosa numerote CHEMIN RACINE              numérote les ascendants de RACINE (Sosa 1)
  sosa CHEMIN N                            numéros Sosa de la personne N (tous en cas d'implexe)
  sosa cherche CHEMIN SOSA                 personne qui porte le numéro SOSA
  ascendance CHEMIN RACINE [GENERATIONS]   ascendants numérotés, génération par génération
  note CHEMIN N                            rubriques et textes de la note N
  lieux CHEMIN [DEBUT]                     les lieux d'un dossier dans l'ordre, ou ceux qui commencent par DEBUT
  lieu CHEMIN N                            un lieu d'un dossier avec ses parties
  evenements CHEMIN N                      événements et champs de la personne N, dans l'ordre de sa fiche
  index verifie CHEMIN                     vérifie l'index des personnes et le répare
  index reconstruit CHEMIN                 reconstruit l'index des personnes
  index repare CHEMIN                      répare toute la généalogie (liens, index, notes...)
  cherche CHEMIN [NOM] [PRENOMS] [--phonetique] [--equivalences] [--sexe M|F] [--nes-entre A B] [--lieu L] [--pere NOM] [--mere NOM] [--conjoint NOM] [--sans-pere] [--limite N] [--dossier AUTRE...] personnes d'un nom (masques MAR*IN), de prénoms et de critères ; le nombre trouvé ; --dossier : aussi dans d'autres dossiers
  patronymes CHEMIN [LETTRE]               patronymes distincts et leur nombre de personnes
  prenoms CHEMIN [LETTRE] [--sexe F|M]     prénoms distincts et leur nombre de personnes
  equivalences CHEMIN [ajoute|supprime NOM EQUIVALENT [--prenoms]] noms (ou prénoms) déclarés équivalents : liste, ajout, suppression
  notices CHEMIN [TYPE]                    notices de la généalogie par type (Patronyme, Ville…)
  parente CHEMIN A B [--chemins]           lien de parenté de B envers A (mot simple — nom précis) ; --chemins : ancêtres communs et chemins
  consanguinite CHEMIN N [M]               consanguinité de N, ou parenté de N et M, et les ancêtres qui y contribuent
  famille CHEMIN N                         parents, frères et soeurs, conjoints, enfants... de la personne N
  gedcom lit FICHIER.ged                   lit un fichier GEDCOM : enregistrements par étiquette, avertissements avec leur ligne, dates rédigées en français
  renomme CHEMIN NOUVEAU_NOM               renomme une généalogie et son dossier
  duplique CHEMIN NOUVEAU_NOM              copie une généalogie sous un autre nom
  supprime CHEMIN [--oui]                  supprime les fichiers d'une généalogie
  genealogies REPERTOIRE                   liste les généalogies d'un répertoire
  importe FICHIER.ged CHEMIN               crée le dossier généalogique CHEMIN à partir d'un fichier GEDCOM et rend compte de la lecture
  exporte CHEMIN FICHIER.ged [--gedcom 5.5.1|7] écrit la généalogie du dossier CHEMIN dans un fichier GEDCOM 5.5.1 (ou 7.0) en UTF-8
  estime CHEMIN N                          années estimées de naissance, de décès et de procréation de la personne N, et ce qui les borne
  verifie CHEMIN [--format csv]            dates impossibles et boucles de filiation de toute la généalogie (lecture seule)
  selection CHEMIN [EQUATION] [--condition TEXTE...] [--enregistre NOM] [--charge NOM] [--liste] personnes qui satisfont des conditions numérotées combinées par « et », « ou », « non » ; --enregistre NOM, --charge NOM, --liste
  personnes CHEMIN [--tri nom|numero|naissance] [--page N] liste des personnes avec leurs années, 50 par page, triée par nom, numéro ou naissance
  supprime-personne CHEMIN N [--oui]       supprime la personne N et ses liens des deux côtés ; --oui confirme
  lie CHEMIN A B --conjoint|--enfant       lie B à A comme conjoint ou comme enfant, des deux côtés
  delie CHEMIN A B --conjoint|--enfant     retire le lien de conjoint ou d'enfant entre A et B, des deux côtés
  descendance CHEMIN N [GENERATIONS]       descendants de la personne N numérotés à la d'Aboville (1, 1.1, 1.2, 1.1.1...)
  statistiques CHEMIN                      personnes, couples, événements, siècles de naissance, noms et lieux fréquents, durée de vie
  arbre CHEMIN N --type ascendance|descendance|eventail [--generations G] --sortie FICHIER arbre de la personne N en SVG : ascendance, descendance ou éventail (5 générations par défaut)
$ kyb --help > aide.txt && kyb aide | cmp - aide.txt
$ kyb
kyb : commande manquante (voir « kyb aide »)
[2]
$ kyb commande-inexistante
kyb : commande inconnue « commande-inexistante » (voir « kyb aide »)
[2]
$ kyb info
kyb info : argument manquant : CHEMIN (usage : kyb info CHEMIN [--complet])
[2]
