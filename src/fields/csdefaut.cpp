// The default definition table. Each row lists its columns in line order (see fields/csstruct.h)
// up to its last one; the texts are UTF-8 here and turned into Windows-1252 once.
#include "fields/csdefaut.h"

#include <array>
#include <iterator>

namespace kyb {
namespace {

using TRangee = std::array<const char*, 30>;

// clang-format off
// Sentence templates of the standard events ("$" between templates).
constexpr const char* kPhNaissance =
    "#S (est né/est née|naît|voit le jour) #D #L$#S (est né/est née|naît|voit le jour) #L #D$"
    "#D (est né/est née|naît|voit le jour) #S #L$#L (est né/est née|naît|voit le jour) #S #D$"
    "(il est né/elle est née|il naît/elle naît|il voit le jour/elle voit le jour) #D #L$"
    "(il est né/elle est née|il naît/elle naît|il voit le jour/elle voit le jour) #L #D";
constexpr const char* kPhUnion =
    "#S (se sont unis|se sont mariés) #D #L$#D #S (se sont unis|se sont mariés) #L";
constexpr const char* kPhBapteme =
    "#S (a été baptisé/a été baptisée|est baptisé/est baptisée|reçoit le baptême) #D #L$"
    "#D #S (a été baptisé/a été baptisée|est baptisé/est baptisée) #L";
constexpr const char* kPhDeces =
    "#S (est décédé/est décédée|meurt|s'éteint) #D #L$"
    "#S (est décédé/est décédée|meurt|s'éteint) #L #D$"
    "#D (est décédé/est décédée|meurt|s'éteint) #S #L$"
    "(il est décédé/elle est décédée|il meurt/elle meurt|il s'éteint/elle s'éteint) #D #L";

constexpr TRangee kTable[] = {
  {"NOM", "Nom", "NOM", "", "1", "50", "", "_NOM", "", "", "N", "P"},
  {"PRENOM", "Prénoms", "PRENOM", "", "1", "50", "", "_PRENOM", "", "", "N", "P"},
  {"SEXE", "Sexe", "SEXE", "", "0", "", "", "_SEXE", "", "", "N", "P"},
  {"SOSA", "No Sosa", "NOSOSA", "", "1", "64", "", "_SOSA", "", "", "N", "P"},
  {"IMAGE", "Image", "EC", "Image ou photo de la personne", "1", "255", "Fichier", "_IMG", "FILE", "",
   "O", "P", "", "", "", "N", "O", "0", "", "N", "", "O", "0", "0", "", "N", "", "", "Img", "PHOTOS"},
  {"NAISSANCE", "Naissance", "ES", "", "1", "20", "", "BIRT", "", "", "N", "P", "°", "Né", "Née", "",
   "", "", "BAPTEME", "O", kPhNaissance, "O"},
  {"BAPTEME", "Baptême", "ES", "", "1", "20", "", "CHR/BAPM", "", "", "N", "P", "~", "Baptisé",
   "Baptisée", "", "", "", "", "N", kPhBapteme, "O", "0", "0", "", "N"},
  {"ADOPTION", "Adoption", "ES", "", "1", "20", "", "ADOP", "", "", "N", "P", "", "Adopté", "Adoptée",
   "", "", "", "", "N", "#S (a été adopté/a été adoptée|est adopté/est adoptée) #D #L", "O", "0", "0",
   "", "N"},
  {"SERVICE_MILITAIRE", "Service militaire", "EC", "Détail des services", "1", "300",
   "Formation / Campagne", "MILI", "_DETAIL", "44", "O", "P", "", "", "", "N", "O", "0", "", "N", "",
   "O", "0", "0", "", "N", "", "", "Serv", "AUTRES"},
  {"RESIDENCE", "Résidence", "EC", "Adresse de résidence", "1", "200", "Adresse", "RESI", "ADDR", "",
   "O", "P", "", "", "", "N", "O", "0", "", "N",
   "#S (réside|demeure|habite) #L #D$#D #S (réside|demeure|habite) #L", "O", "0", "0", "", "N"},
  {"CONCUBINAGE", "Concubinage", "ES", "", "1", "20", "", "_CCB", "", "", "N", "C", "", "", "", "", "",
   "", "BANS", "O", "#S (vivent en concubinage|vivent ensemble) #D #L", "O", "0", "0", "", "N"},
  {"PACS", "Pacs", "ES", "Pacte civil de solidarité", "1", "20", "", "_PCS", "", "", "N", "C", "",
   "Pacsé", "Pacsée", "", "", "", "CONCUBINAGE", "O",
   "#S (ont conclu un pacte civil de solidarité|se sont pacsés) #D #L", "O", "0", "0", "", "N"},
  {"FIANCAILLES", "Fiançailles", "ES", "", "1", "20", "", "ENGA", "", "", "N", "C", "o", "Fiancé",
   "Fiancée", "", "", "", "", "N", "#S (se sont fiancés|ont célébré leurs fiançailles) #D #L", "O",
   "0", "0", "", "N"},
  {"BANS", "Bans", "ES", "Publication des bans", "1", "20", "", "MARB", "", "", "O", "C", "", "", "",
   "", "", "", "FIANCAILLES", "O", "#S (ont publié leurs bans|ont fait publier leurs bans) #D #L", "O",
   "0", "0", "", "N"},
  {"CTR-MARIAGE", "Contrat mariage", "ES", "Contrat de mariage", "1", "20", "", "MARC", "", "", "N",
   "C", "", "", "", "", "", "", "PACS", "O",
   "#S (ont passé un contrat de mariage|ont signé un contrat de mariage) #D #L", "O", "0", "0", "",
   "N"},
  {"UNION", "Union", "ES", "", "1", "20", "", "MARR", "", "", "N", "C", "x", "Marié", "Mariée", "", "",
   "", "CTR-MARIAGE", "O", kPhUnion, "O"},
  {"DIVORCE", "Divorce", "ES", "", "1", "20", "", "DIV", "", "", "N", "C", ")(", "Divorcé", "Divorcée",
   "", "", "", "", "N", "#S (ont divorcé|se sont séparés) #D #L", "O", "0", "0", "", "N"},
  {"RETRAITE", "Retraite", "ES", "", "1", "20", "", "RETI", "", "", "N", "P", "", "Retraité",
   "Retraitée", "", "", "", "", "N", "#S (a pris sa retraite|part à la retraite) #D #L", "O", "0", "0",
   "", "N"},
  {"RELATION", "Relation", "ES", "Relation avec une autre personne", "1", "20", "", "_REL", "", "",
   "O", "P", "", "", "", "", "", "", "", "N", "", "O", "0", "0", "", "N"},
  {"RECENSEMENT", "Recensement", "EC", "Recensement de population", "3", "90, 4, 3",
   "Quartier, n° maison, n° ménage", "CENS", "ADDR,_NOMAISON,_NOMENAGE", "", "O", "P", "", "", "",
   "N", "O", "0", "", "N", "", "O", "0", "0", "", "O"},
  {"DIPLOME", "Diplôme", "EC", "Diplôme obtenu", "1", "100", "Diplôme", "GRAD", "", "43", "O", "P", "",
   "Diplômé", "Diplômée", "N", "O", "0", "", "N", "", "N", "0", "0", "", "N"},
  {"NATURALISAT", "Naturalisation", "ES", "", "1", "20", "", "NATU", "", "", "O", "P", "",
   "Naturalisé", "Naturalisée", "", "", "", "", "N",
   "#S (a été naturalisé/a été naturalisée|obtient sa naturalisation) #D #L", "O", "0", "0", "", "N"},
  {"TESTAMENT", "Testament", "ES", "", "1", "20", "", "WILL", "", "", "O", "P", "", "", "", "", "", "",
   "", "N", "#S (a rédigé son testament|fait son testament) #D #L", "O", "0", "0", "", "N"},
  {"BAR_MITZVAH", "Bar Mitzvah", "ES", "", "1", "20", "", "BARM", "", "", "N", "P", "", "", "", "", "",
   "", "", "N", "", "O", "0", "0", "", "N", "", "", "BarM", "AUTRES"},
  {"BAS_MITZVAH", "Bas Mitzvah", "ES", "", "1", "20", "", "BASM", "", "", "N", "P", "", "", "", "", "",
   "", "", "N", "", "O", "0", "0", "", "N", "", "", "BasM", "AUTRES"},
  {"DISPENSES_CONSANGUI", "Dispenses de consanguinité", "ES", "", "1", "20", "", "_DPC", "", "", "N",
   "C", "", "", "", "", "", "", "", "N", "", "O", "0", "0", "", "N"},
  {"DISPENSES_AFFINITE", "Dispenses d'affinité", "ES", "", "1", "20", "", "_DPA", "", "", "N", "C", "",
   "", "", "", "", "", "", "N", "", "O", "0", "0", "", "N"},
  {"DECORATION", "Décoration / Médaille", "EC", "Décoration ou médaille reçue", "1", "200",
   "Décoration", "_DECO/DECO", "", "42", "O", "P", "", "Décoré", "Décorée", "N", "O", "0", "", "N", "",
   "O", "0", "0", "", "N", "", "", "Déco / Méd", "AUTRES"},
  {"EVENEMENT", "Evénement", "EC", "Evénement libre", "2", "50, 200", "Type, Description", "EVEN/_EVT",
   "TYPE,_DESCR", "", "O", "P", "", "", "", "N", "O", "0", "", "N", "", "O", "0", "0", "", "N"},
  {"CHAHADA", "Chahada", "ES", "", "1", "20", "", "_CHD", "", "", "N", "P", "", "", "", "", "", "", "",
   "N", "", "O", "0", "0", "", "N", "", "", "Chah", "AUTRES"},
  {"EL_HADJ", "El hadj", "ES", "Pèlerinage", "1", "20", "", "_ELH", "", "", "O", "P", "", "", "", "",
   "", "", "", "N", "", "O", "0", "0", "", "N", "", "", "Hadj", "AUTRES"},
  {"DECES", "Décès", "ES", "", "1", "20", "", "DEAT", "", "", "N", "P", "+", "Décédé", "Décédée", "",
   "", "", "INHUMATION", "O", kPhDeces, "O"},
  {"INVENTAIRE_DECES", "Inventaire après décès", "ES", "", "1", "20", "", "_IVD", "", "", "N", "P", "",
   "", "", "O", "", "", "", "N", "", "O", "0", "0", "", "N"},
  {"INHUMATION", "Inhumation", "ES", "", "1", "20", "", "BURI", "", "", "N", "P", "[]", "Inhumé",
   "Inhumée", "O", "", "", "", "N", "#S (a été inhumé/a été inhumée|est inhumé/est inhumée) #D #L",
   "O", "0", "0", "", "N"},
  {"CREMATION", "Crémation", "ES", "", "1", "20", "", "CREM", "", "", "N", "P", "", "Incinéré",
   "Incinérée", "O", "", "", "", "N", "#S (a été incinéré/a été incinérée|est incinéré/est incinérée) "
   "#D #L", "O", "0", "0", "", "N"},
  {"COHE_VALID", "Cohérences validées", "CPB", "", "1", "1", "", "_CHV", "", "", "N", "P"},
  {"PROFESSION", "Professions", "EC", "Profession exercée", "1", "100", "Profession", "OCCU", "", "40",
   "O", "P", "", "", "", "N", "O", "0", "", "N", "", "N", "0", "0", "", "N"},
  {"SIGNATURE", "Signature", "CPB", "La personne sait signer", "1", "1", "", "SIGN", "", "", "N", "P",
   "", "", "", "N", "O", "0"},
  {"EDUCATION", "Education", "CPA", "Niveau d'instruction", "1", "100", "", "EDUC", "", "47", "N", "P"},
  {"CONFIDENTIEL", "Confidentiel", "CPB", "Fiche à ne pas publier", "1", "1", "", "_CFT", "", "", "N",
   "P", "", "", "", "N", "O", "0"},
  {"RELIGION", "Religion", "CPC", "", "8", "13, 12, 12, 12, 13, 13, 13, 13",
   "Anglicane, Athée, Boudhiste, Catholique, Juive, Musulmane, Orthodoxe, Protestante", "RELI",
   ",,,,,,,", "", "O", "P"},
  {"NATIONALITE", "Nationalité", "CPA", "", "1", "50", "", "NATI", "", "46", "O", "P"},
  {"TITRE", "Titre", "EC", "Titre de noblesse ou honorifique", "1", "100", "Titre", "TITL", "", "41",
   "O", "P", "", "", "", "N", "O", "0", "", "N", "", "O", "0", "0", "", "N"},
  {"DCF", "Date de création", "DCF", "", "1", "10", "", "_DCT", "", "", "N", "P"},
  {"DDMF", "Date dern. modif.", "DDMF", "", "1", "10", "", "CHAN/_DDMF", "", "", "N", "P"},
  {"FILIATION_PERE", "Filiation avec le père", "CPB",
   "Le champ filiation avec le père indique si elle est certaine, incertaine ou indéterminée", "1",
   "1", "", "_FILP", "", "", "N", "N", "", "", "", "N", "O", "-1"},
  {"FILIATION_MERE", "Filiation avec la mère", "CPB",
   "Le champ filiation avec la mère indique si elle est certaine, incertaine ou indéterminée", "1",
   "1", "", "_FILM", "", "", "N", "N", "", "", "", "N", "O", "-1"},
  {"EMAIL", "e-mail", "EMAIL", "", "1", "100", "", "EMAIL", "", "", "O", "P"},
  {"ABN_NOTIF", "Abonné à la notification", "CPB", "", "1", "1", "", "_ABNOTIF", "", "", "N", "P", "",
   "", "", "N", "O", "0"},
  {"DDNOTIF", "Date de notification.", "DDNOTIF", "", "1", "10", "", "_DDNOTIF", "", "", "N", "P"},
  {"S_P", "Personne sans descendance", "CPB", "", "1", "1", "", "_SP", "", "", "N", "P", "", "", "",
   "N", "O", "0"},
  {"S_A", "Personne sans alliance", "CPB", "", "1", "1", "", "_SA", "", "", "N", "P", "", "", "", "N",
   "O", "0"},
  {"RELATION_PRIV", "Relation privilégiée", "ES", "Relation partagée avec une autre personne", "1",
   "20", "", "_RELPRIV", "", "", "O", "P", "", "", "", "", "", "", "", "N", "", "O", "0", "0", "", "O"},
  {"P_SA", "Ascendance inconnue", "CPB", "", "1", "1", "", "_PSA", "", "", "N", "P", "", "", "", "N",
   "O", "0"},
  {"ORIGINE_DONNEE", "Origine de la donnée", "CPA", "", "1", "100", "", "_ORG", "", "", "N", "P"},
  {"DISTANCECUM", "Mobilité en KM", "CPN", "Distance cumulée des déplacements", "1", "10", "",
   "_DISTANCECUM", "", "", "N", "P"},
  {"IMAGE_SIGNATURE", "Image Signature", "EC", "Image de la signature", "1", "255", "Fichier",
   "_IMGSIGN", "FILE", "", "O", "P", "", "", "", "N", "O", "0", "", "N", "", "O", "0", "0", "", "N", "",
   "", "ImgS", "PHOTOS"},
  {"SIGNALEMENT", "Signalement", "EC", "Signalement physique", "3", "10, 50, 200",
   "Taille, Cheveux / Yeux, Signes particuliers", "_SIGNALEMENT", "_TAILLE,_CHEVEUX,_MARQUES", "",
   "N", "P", "", "", "", "N", "O", "0", "", "N", "", "O", "0", "0", "", "N", "", "", "Sign",
   "AUTRES"},
  {"REGISTRE_MATRICULE", "Registre Matricule", "EC", "Registre matricule militaire", "4",
   "4, 50, 10, 10", "Classe, Bureau, N° matricule, Volume", "_REGISTREMATRICULE",
   "_CLASSE,_BUREAU,_MATRICULE,_VOLUME", "", "N", "P", "", "", "", "N", "O", "0",
   "MILIT_JUSTICE|DECORATION|MILIT_GRADE|RESIDENCE|SERVICE_MILITAIRE|SIGNALEMENT", "N", "", "O", "0",
   "0", "", "N", "", "", "Matr", "AUTRES"},
  {"DOCUMENT", "Document", "EC", "Document numérisé", "1", "255", "Fichier", "_DOC", "FILE", "", "O",
   "P", "", "", "", "N", "O", "0", "", "N", "", "O", "0", "0", "", "N", "", "", "Doc", "PHOTOS"},
  {"PHOTO_GROUPE", "Photos de groupe", "EC", "", "1", "255", "Fichier", "", "", "", "N", "", "", "",
   "", "N", "O", "0", "", "N", "", "O", "0", "0", "", "N", "", "", "Grp", "PHOTOS"},
  {"IMAGE_SRC", "Image source", "EC", "Image d'une source", "1", "255", "Fichier", "_IMGSRC", "FILE",
   "", "O", "P", "", "", "", "N", "O", "0", "", "N", "", "O", "0", "0", "", "N", "", "", "ImgSrc",
   "PHOTOS"},
  {"SURNOM", "Surnom", "CPA", "", "1", "50", "", "NAME", "NICK", "", "N", "N"},
  {"ADRL1", "Contact - Adresse 1", "CPA", "", "1", "100", "", "ADDR", "ADR1", "", "N", "N"},
  {"ADRL2", "Contact - Adresse 2", "CPA", "", "1", "100", "", "ADDR", "ADR2", "", "N", "N"},
  {"ADRCP", "Contact - Code Postal", "CPA", "", "1", "10", "", "ADDR", "POST", "", "N", "N"},
  {"ADRVILLE", "Contact - Ville", "CPA", "", "1", "50", "", "ADDR", "CITY", "", "N", "N"},
  {"ADRPAYS", "Contact - Pays", "CPA", "", "1", "50", "", "ADDR", "CTRY", "", "N", "N"},
  {"TELEPHONE", "Téléphone", "CPA", "", "1", "30", "", "PHON", "", "", "N", "N"},
  {"IMAGE_BLASON", "Image Blason", "ES", "Blason de la famille", "1", "255", "", "_IMGBLASON", "", "",
   "O", "P", "", "", "", "", "", "", "", "N", "", "O", "0", "0", "", "N", "", "", "Blas", "PHOTOS"},
  {"TRAUMATISME", "Traumatisme", "CPA", "", "1", "200", "", "_TRAUMA", "", "", "O", "P", "", "", "",
   "N", "O", "0", "", "N", "", "O", "0", "0", "", "N", "", "", "Trau", "AUTRES"},
  {"SYMPTOME", "Symptôme", "CPA", "", "1", "200", "", "_SYMPTOMS", "", "", "O", "P", "", "", "", "N",
   "O", "0", "", "N", "", "O", "0", "0", "", "N", "", "", "Symp", "AUTRES"},
  {"PATHOLOGIE", "Pathologie", "CPA", "", "1", "200", "", "_PATHOLOGY", "", "", "O", "P", "", "", "",
   "N", "O", "0", "", "N", "", "O", "0", "0", "", "N", "", "", "Path", "AUTRES"},
  {"MORT_POUR_LA_FRANCE", "Mort pour la France", "CPB", "Mention « Mort pour la France »", "1", "1",
   "", "_MPLF", "", "", "N", "P", "", "", "", "O", "O", "0"},
  {"ID_PERS", "Identifiant Vastrel", "CPA", "", "1", "28", "", "", "", "", "N", "P"},
  {"MARQUEURS", "Marqueurs", "CPT", "", "1", "255", "", "_ETI", "", "", "O", "P"},
  {"MILIT_JUSTICE", "Antécédent judiciaire", "EC", "Antécédent de justice militaire", "2", "100, 100",
   "Motif, Peine", "_JUSTICEMILITAIRE", "_MOTIF,_PEINE", "", "O", "P", "", "", "", "N", "O", "0", "",
   "N", "", "O", "0", "0", "", "N", "", "", "Just", "AUTRES"},
  {"MILIT_GRADE", "Grade", "EC", "Grade militaire", "1", "100", "Grade", "_GRADEMILITAIRE", "", "45",
   "O", "P", "", "", "", "N", "O", "0", "", "N", "", "O", "0", "0", "", "N", "", "", "Grad", "AUTRES"},
  {"MILIT_STATUT", "Milit. Statut", "EC", "Statut militaire", "1", "100", "Statut",
   "_MILITAIRESTATUT", "", "", "O", "P", "", "", "", "N", "O", "0", "", "N", "", "O", "0", "0", "",
   "N", "", "", "Stat", "AUTRES"},
  {"MILIT_REFORME", "Milit. Réforme", "EC", "Réforme militaire", "2", "100, 50", "Motif, Décision",
   "_MILITAIREREFORME", "_MOTIF,_DECISION", "", "N", "P", "", "Réformé", "Réformée", "N", "O", "0", "",
   "N", "", "O", "0", "0", "", "N", "", "", "Réf", "AUTRES"},
  {"MILIT_REMPLACEMENT", "Milit. Remplacement", "ES", "Remplacement militaire", "1", "20", "",
   "_MILITREMPLACEMENT", "", "", "O", "P", "", "Remplacé", "Remplacée", "", "", "", "", "N", "", "O",
   "0", "0", "", "N", "", "", "Remp", "AUTRES"},
  {"CONCESSION_FUNERAIRE", "Concession funéraire", "EC", "", "3", "100, 50, 20",
   "Cimetière, Emplacement, Durée", "_CONCESSIONFUNERAIRE", "_CIMETIERE,_EMPLACEMENT,_DUREE", "", "N",
   "P", "", "", "", "O", "O", "0", "INHUMATION", "N", "", "O", "0", "0", "", "N"},
  {"MARIAGE_RELIGIEUX", "Mariage religieux", "ES", "", "1", "20", "", "_MARRREL", "", "", "N", "C",
   "x", "Marié religieusement", "Mariée religieusement", "", "", "", "", "N",
   "#S (se sont mariés religieusement|ont reçu le sacrement du mariage) #D #L", "O", "0", "0", "",
   "N"},
  {"ORIGINE_SUISSE", "Lieu d'origine CH", "CPA", "Lieu d'origine (droit de cité suisse)", "1", "50",
   "", "_ORIGINE", "", "", "N", "P"},
  {"FACT", "Fait remarquable", "EC", "", "2", "50, 200", "Type, Description", "FACT", "TYPE,_DESCR",
   "", "O", "P", "", "", "", "N", "O", "0", "", "N", "", "O", "0", "0", "", "N"},
  {"FCOM", "Première communion", "EC", "", "1", "100", "Paroisse", "FCOM", "", "", "O", "P", "", "", "",
   "N", "O", "0", "", "N", "#S (a fait sa première communion|fait sa première communion) #D #L", "O",
   "0", "0", "", "N"},
  {"ORDN", "Ordination", "EC", "", "1", "100", "Ordre", "ORDN", "", "", "O", "P", "", "Ordonné",
   "Ordonnée", "N", "O", "0", "", "N", "#S (a été ordonné/a été ordonnée|est ordonné/est ordonnée) #D #L",
   "O", "0", "0", "", "N"},
  {"IMMIGRATION", "Immigration", "EC", "", "1", "100", "Provenance", "IMMI", "", "", "O", "P", "",
   "Immigré", "Immigrée", "N", "O", "0", "", "N", "#S (a immigré|s'est installé/s'est installée) #L #D",
   "O", "0", "0", "", "N"},
  {"IDNO", "Numéro d'identification", "CPA", "", "1", "50", "", "IDNO", "TYPE", "", "O", "P"},
  {"REFN", "Référence", "CPA", "", "1", "50", "", "REFN", "TYPE", "", "O", "P"},
  {"SSN", "Numéro de sécurité sociale", "CPA", "", "1", "30", "", "SSN", "", "", "O", "P"},
  {"DSCR", "Description physique", "EC", "", "1", "200", "Description", "DSCR", "", "", "O", "P", "",
   "", "", "N", "O", "0", "", "N", "", "O", "0", "0", "", "N"},
  {"PROP", "Propriété", "EC", "Biens possédés", "1", "200", "Biens", "PROP", "", "", "O", "P", "", "",
   "", "N", "O", "0", "", "N", "", "O", "0", "0", "", "N"},
  {"CONF", "Confirmation", "EC", "", "1", "100", "Paroisse", "CONF", "", "", "O", "P", "", "Confirmé",
   "Confirmée", "N", "O", "0", "", "N",
   "#S (a été confirmé/a été confirmée|reçoit la confirmation) #D #L", "O", "0", "0", "", "N"},
  {"HOMOLOGATION", "Homologation", "EC", "Homologation du testament", "1", "100", "Tribunal", "PROB",
   "", "", "O", "P", "", "", "", "O", "O", "0", "", "N", "", "O", "0", "0", "", "N"},
  {"HEAL", "Santé", "EC", "État de santé", "1", "200", "Description", "HEAL", "", "", "O", "P", "", "",
   "", "N", "O", "0", "", "N", "", "O", "0", "0", "", "N", "", "", "Sant", "AUTRES"},
  {"MARS", "Mariage règlement", "EC", "Règlement de mariage", "1", "100", "Règlement", "MARS", "", "",
   "O", "C", "", "", "", "N", "O", "0", "", "N", "", "O", "0", "0", "", "N"},
  {"SOUR", "Bibliographie", "ES", "", "1", "20", "", "_SOUR", "", "", "N", "P", "", "", "", "", "", "",
   "", "N", "", "O", "0", "0", "", "N"},
  {"SOURF", "Bibliographie famille", "ES", "", "1", "20", "", "_SOURF", "", "", "N", "C", "", "", "",
   "", "", "", "", "N", "", "O", "0", "0", "", "N"},
  {"EVENEMENT_COUPLE", "Evénement couple", "EC", "Evénement libre du couple", "2", "50, 200",
   "Type, Description", "EVEN/_EVTC", "TYPE,_DESCR", "", "O", "C", "", "", "", "N", "O", "0", "", "N",
   "", "O", "0", "0", "", "N"},
  {"IMAGE_COUPLE", "Image couple", "EC", "Image ou photo du couple", "1", "255", "Fichier", "_IMGFAM",
   "FILE", "", "O", "C", "", "", "", "N", "O", "0", "", "N", "", "O", "0", "0", "", "N", "", "", "ImgC",
   "PHOTOS_COUPLE"},
  {"FSFTID", "Numéro d'identification FamilySearch", "CPA", "", "1", "20", "", "_FSFTID", "", "", "O",
   "P"},
};
// clang-format on

static_assert(std::size(kTable) == kNbDefinitionsDefaut);

}  // namespace

const std::vector<AnsiString>& LignesDefaut() {
  static const std::vector<AnsiString> lignes = [] {
    std::vector<AnsiString> r;
    r.reserve(std::size(kTable));
    for (const TRangee& rangee : kTable) {
      std::string ligne;
      for (size_t i = 0; i < rangee.size() && rangee[i]; ++i) {
        if (i) ligne += '\t';
        ligne += rangee[i];
      }
      r.push_back(A(ligne));
    }
    return r;
  }();
  return lignes;
}

int VersionIntroduction(std::string_view libelleInterne) {
  static constexpr std::string_view kVersion1[] = {
      "IMAGE_SRC",     "MILIT_JUSTICE",      "MILIT_GRADE", "MILIT_STATUT", "MILIT_REFORME",
      "MILIT_REMPLACEMENT", "TRAUMATISME", "SYMPTOME",    "PATHOLOGIE",   "FSFTID",
  };
  for (const std::string_view l : kVersion1)
    if (l == libelleInterne) return 1;
  return 0;
}

}  // namespace kyb
