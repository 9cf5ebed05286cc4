// Construction, opening, creation and closing of a genealogy folder, in their fixed orders.
//
// The file objects of the folder are created and destroyed in the orders below; a kind whose
// class is not part of the library yet has no action in its step (the progress still shows it).
#include <algorithm>
#include <array>
#include <cctype>

#include "fields/csdefchps.h"
#include "folder/fic_notes.h"
#include "folder/fic_notices.h"
#include "folder/fic_sources.h"
#include "folder/fic_dupli.h"
#include "folder/fic_xml.h"
#include "folder/gest_fic.h"
#include "folder/gest_fic_pers.h"
#include "folder/gest_fic_pers_annexes.h"
#include "folder/gest_fic_sosa.h"
#include "folder/securite_dossier.h"
#include "platform/ecriture_atomique.h"
#include "platform/ressources.h"
#include "store/datamodulebdd.h"

namespace kyb {
namespace {

struct TEtape {
  const char16_t* texte;
  void (*action)(TGestFichier&);  // null: no object of this kind yet
};

void OuvreExtPersons(TGestFichier& g) {
  if (g.IsOldVersion()) g.FicExtPersons = std::make_unique<TFicExtPersons>(&g, false);
}

// A new folder creates its Sosa file; an opened one reads it (creating it when missing).
void OuvreSosas(TGestFichier& g) { g.FicSosas = std::make_unique<TFicSosas>(&g, g.EnCreation); }
// The value tables are created new while the folder itself is being created.
void OuvreQualites(TGestFichier& g) {
  g.FicQualites = std::make_unique<TFicDupli>(&g, TGestFichier::tfQualites, g.EnCreation);
}
void OuvreParentes(TGestFichier& g) {
  g.FicParentes = std::make_unique<TFicDupli>(&g, TGestFichier::tfParentes, g.EnCreation);
}
void OuvreLieux(TGestFichier& g) { g.FicLieux = std::make_unique<TFicDupli>(&g, TGestFichier::tfLieux, g.EnCreation); }

void OuvreDefChpsCs(TGestFichier& g) {
  g.DefChpsCs = std::make_unique<TDefChpsCs>(&g, g.FabriqueNomFichier(TGestFichier::tfDefChamps), g.Proprietaire,
                                             g.IsReadOnly(), g.GetDefaultFile(TGestFichier::tfDefChamps));
}

void OuvreIllustrations(TGestFichier& g) { g.FicIllustrations = std::make_unique<TFicIllustrations>(&g); }
void OuvreSources(TGestFichier& g) { g.FicSources = std::make_unique<TFicSources>(&g); }
void OuvreNotes(TGestFichier& g) { g.FicNotes = std::make_unique<TFicNotes>(&g, false); }
void OuvreNotices(TGestFichier& g) { g.FicNoticesPat = std::make_unique<TFicNoticesPat>(&g, false); }
void OuvreIndexPerson(TGestFichier& g) {
  if (g.ModuleBDD && g.FabriqueIndex) g.FicIndexPerson = g.FabriqueIndex(g, g.EnCreation);
}

// Opening, after the persons side: qualities first, shown by the window's first text.
constexpr std::array<TEtape, 15> kOuverture = {{
    {u"Ouverture du fichier des qualités...", OuvreQualites},
    {u"Ouverture du fichier parentés...", OuvreParentes},
    {u"Ouverture du fichier lieux...", OuvreLieux},
    {u"Ouverture du fichier illustrations...", OuvreIllustrations},
    {u"Ouverture du fichier personnes Ext...", OuvreExtPersons},
    {u"Ouverture du fichier Sources...", OuvreSources},
    {u"Ouverture du fichier Chp Simple...", nullptr},
    {u"Ouverture du fichier Events Ext...", nullptr},
    {u"Ouverture du fichier Events...", nullptr},
    {u"Ouverture du fichier Sosas...", OuvreSosas},
    {u"Ouverture du fichier Notes...", OuvreNotes},
    {u"Ouverture du fichier d'index des personnes...", OuvreIndexPerson},
    {u"Ouverture du fichier Notices...", OuvreNotices},
    {u"Ouverture du fichier des structures et saisies...", OuvreDefChpsCs},
    {u"Ouverture du fichier Nom Equiv...", nullptr},
}};

void FermeStore(TGestFichier& g) { g.ModuleBDD.reset(); }
void FermeXml(TGestFichier& g) { g.FicXml.reset(); }
void FermeDefChpsCs(TGestFichier& g) { g.DefChpsCs.reset(); }
void FermePersons(TGestFichier& g) { g.FicPersons.reset(); }
void FermeExtPersons(TGestFichier& g) { g.FicExtPersons.reset(); }
void FermePersSuppr(TGestFichier& g) { g.FicPersSuppr.reset(); }
void FermeSosas(TGestFichier& g) { g.FicSosas.reset(); }
void FermeIllustrations(TGestFichier& g) { g.FicIllustrations.reset(); }
void FermeSources(TGestFichier& g) { g.FicSources.reset(); }
void FermeNotes(TGestFichier& g) { g.FicNotes.reset(); }
void FermeNotices(TGestFichier& g) { g.FicNoticesPat.reset(); }
void FermeQualites(TGestFichier& g) { g.FicQualites.reset(); }
void FermeParentes(TGestFichier& g) { g.FicParentes.reset(); }
void FermeLieux(TGestFichier& g) { g.FicLieux.reset(); }
void FermeIndexPerson(TGestFichier& g) { g.FicIndexPerson.reset(); }

// Closing: the store first, the tags manager last.
constexpr std::array<TEtape, 20> kFermeture = {{
    {u"Fermeture de la base de données...", FermeStore},
    {u"Fermeture du fichier personnes...", FermePersons},
    {u"Fermeture du fichier qualités...", FermeQualites},
    {u"Fermeture du fichier parentés...", FermeParentes},
    {u"Fermeture du fichier lieux...", FermeLieux},
    {u"Fermeture du fichier illustrations...", FermeIllustrations},
    {u"Fermeture du fichier personnes ext...", FermeExtPersons},
    {u"Fermeture du fichier personnes suppr...", FermePersSuppr},
    {u"Fermeture du fichier sources...", FermeSources},
    {u"Fermeture du fichier Chps simple...", nullptr},
    {u"Fermeture du fichier events ext...", nullptr},
    {u"Fermeture du fichier events...", nullptr},
    {u"Fermeture du fichier sosas...", FermeSosas},
    {u"Fermeture du fichier notes...", FermeNotes},
    {u"Fermeture du fichier d'index des personnes...", FermeIndexPerson},
    {u"Fermeture du fichier notices...", FermeNotices},
    {u"Fermeture du fichier des structures et saisies ...", FermeDefChpsCs},
    {u"Fermeture du fichier Noms Equivalents...", nullptr},
    {u"Fermeture du fichier Xml...", FermeXml},
    {nullptr, nullptr},  // tags manager
}};

constexpr int kMaximumProgression = 19;

}  // namespace

TGestFichier::TOptionsOuverture TGestFichier::Creation(int premierePersonne, TInterfaceUtilisateur* iu) {
  TOptionsOuverture o;
  o.Creer = true;
  o.PremierePersonne = premierePersonne;
  o.Proprietaire = iu;
  return o;
}

TGestFichier::TOptionsOuverture TGestFichier::Ouverture(TInterfaceUtilisateur* iu) {
  TOptionsOuverture o;
  o.Proprietaire = iu;
  return o;
}

TGestFichier::TOptionsOuverture TGestFichier::OuvertureLectureSeule(TInterfaceUtilisateur* iu) {
  TOptionsOuverture o = Ouverture(iu);
  o.LectureSeule = true;
  return o;
}

TGestFichier::TGestFichier(const AnsiString& nomFichier, const TOptionsOuverture& options)
    : Proprietaire(options.Proprietaire), FabriqueIndex(options.FabriqueIndex) {
  const bool creer = options.Creer, leger = options.Leger, sansProgression = options.SansProgression;
  const TModeConversion mode = options.Conversion;
  ModeConversion2 = mode == mcConversion;
  SansIndexNotices = options.SansIndexNotices;
  ConversionAnnulee = false;
  CodeErreurOuverture = 0;
  PlaceNom(nomFichier);
  LectureSeule = options.LectureSeule;
  Erreur = false;
  ModeImport = 1;
  VersionFichier = 2009;
  AncienneVersion = IsOldVersion();
  if (creer) {
    VersionFichier = std::stoi(kVersionFormat);
    NouveauFichier(options.PremierePersonne, options.MarqueGardee);
    if (Erreur) return;
  } else {
    // A writer waits for the folder's other writer before anything is read or decided.
    if (!LectureSeule && !PrendVerrouEcriture(*this, options.AttenteVerrou)) return;
    if (CreationInterrompue(Repertoire)) {
      Erreur = true;
      // Being made by another program (its lock held): busy, not cut.
      if (!VerrouEcriture.Tenu() && TVerrouRepertoire::TenuAilleurs(Repertoire)) {
        CodeErreurBDD = TErreurMoteur::Occupe;
        CodeErreurOuverture = 2;
        return;
      }
      // Half-made: never opened as a genealogy; a new creation (or import) removes it.
      CreationInachevee = true;
      ImportInacheve = CreationParImport(Repertoire);
      return;
    }
    DecideFormat(mode);
    if (Erreur) return;
  }
  if (VersionFichier != std::stoi(kVersionFormat) && mode != mcConversion) LectureSeule = true;
  // A folder we may not write opens read-only and nothing is created in it.
  if (!creer && !LectureSeule && !DossierInscriptible(*this)) LectureSeule = true;
  DateOuverture = DateEcriture = Maintenant();
  NoThreadEcriture = NoThreadLecture = 0;
  if (!options.SansOuverture && !creer) {
    OuvrirFichier(leger, sansProgression);
    if (!leger && ModuleBDD && !LectureSeule) {
      (void)NettoieRestes(*this);
      // One-time upgrade steps: the person index rebuilt for the current format, then the simple
      // fields that became events.
      if (FicIndexPerson && ModuleBDD->GetInfoChps("INDEXNAME") == u"0") (void)FicIndexPerson->ReinitTableIndex();
      UpdateChpsProfession();
      UpdateChpsTitre();
      UpdateChpsDecoration();
      UpdateFile();  // ends with InitFieldCopy
    }
  }
  TypeClassementEven = GetTypeClassementEven();
  TransmetLibellesPartages();
}

TGestFichier::TGestFichier(const AnsiString& nomFichier, bool lectureSeule, bool conversionMode2) {
  ModeConversion2 = conversionMode2;
  LectureSeule = lectureSeule;
  PlaceNom(nomFichier);
  DateOuverture = DateEcriture = Maintenant();
}

TGestFichier::~TGestFichier() {
  StopBufferChamps();
  FermerFichiers();
}

void TGestFichier::PlaceNom(const AnsiString& nomFichier) {
  const AnsiString chemin = NormaliseChemin(nomFichier);
  Repertoire = ExtraitRepertoire(chemin);
  const AnsiString nom = ExtraitNomFichier(chemin);
  const size_t point = nom.rfind('.');
  Nom = point == AnsiString::npos ? nom : nom.substr(0, point);
  Lecteur = 0;
}

void TGestFichier::DecideFormat(TModeConversion mode) {
  const AnsiString store = FabriqueNomFichier(tfBaseDonnees);
  if (IsExt2009() && FichierExiste(store)) {
    const AnsiString ecarte = ChangeExtension(store, ".~adb");
    SupprimeFichier(ecarte);
    (void)kyb::RenommeFichier(store, ecarte);
  }
  const bool ancienne = IsOldVersion();
  if (!IsExt2009() && ancienne && FichierExiste(store)) VersionFichier = 2024;
  if (!IsExt2009() && !ancienne && FichierExiste(store)) {
    VersionFichier = std::stoi(kVersionFormat);
    return;
  }
  if (mode != mcProposer) return;
  UnicodeString cible;
  const int issue = Proprietaire ? Proprietaire->ConversionDossier(AnsiVersUnicode(Repertoire), cible) : 1;
  if (issue == 2) {
    ConversionAnnulee = true;
    Erreur = true;
    return;
  }
  if (cible.empty()) {
    LectureSeule = true;
    return;
  }
  PlaceNom(UnicodeVersAnsi(cible));
  VersionFichier = std::stoi(kVersionFormat);
  AncienneVersion = IsOldVersion();
}

bool TGestFichier::CreeModuleBDD(bool creer, bool ouvrir, bool miseAJour) {
  ModuleBDD = std::make_unique<TModuleBDD>(this, FabriqueNomFichier(tfBaseDonnees), kVersionBDD);
  if (creer && !ModuleBDD->CreateDataBase()) return false;
  return !ouvrir || ModuleBDD->OpenDataBase(miseAJour, false);
}

namespace {

// The form GenereIdGenea gives: 20 hexadecimal digits. Anything else is a damaged value.
bool IdentifiantValide(const AnsiString& id) {
  return id.size() == 20 && std::all_of(id.begin(), id.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

// The identifier kept in the companion file, or empty when it has none that is whole.
AnsiString IdentifiantDuCompagnon(const AnsiString& compagnon) {
  const TFichier f = TFichier::Ouvre(compagnon, TAcces::Lecture, TCreation::Existant);
  char id[21] = {};
  return f && f.LitA(0, id, 21) == 20 && IdentifiantValide(AnsiString(id, 20)) ? AnsiString(id, 20) : AnsiString();
}

}  // namespace

void TGestFichier::LitIdGenea() {
  IdGenea = UnicodeVersAnsi(FicXml->ReadString("LienIdPers", "IdGenea", u""));
  const AnsiString compagnon = FabriqueNomFichier(tfLienIdPersCpt);
  const bool garde = FichierExiste(compagnon);
  if (garde && IdentifiantValide(IdGenea)) return;
  // A damaged value of the .xin is taken back from the companion, which holds the same
  // identifier; without a whole one there, a new identifier is made.
  const AnsiString repris = garde ? IdentifiantDuCompagnon(compagnon) : AnsiString();
  IdGenea = repris.empty() ? GenereIdGenea() : repris;
  // A read-only folder keeps the identifier in memory only. The companion file (holding the
  // identifier) is written after the .xin: once both exist the identifier stays.
  if (!LectureSeule && FicXml->WriteString("LienIdPers", "IdGenea", AnsiVersUnicode(IdGenea)) && repris.empty())
    (void)EcritFichierAtomique(compagnon, IdGenea);
}

void TGestFichier::InitTailleIndex(long taille) {
  if (FicIndexPerson) FicIndexPerson->InitTailleIndex(taille);
}

void TGestFichier::VidePointeurs() {
  FicIndexPerson.reset();
  ModuleBDD.reset();
  FicPersons.reset();
  FicExtPersons.reset();
  FicPersSuppr.reset();
  FicSosas.reset();
  FicQualites.reset();
  FicParentes.reset();
  FicLieux.reset();
  DefChpsCs.reset();
  FicXml.reset();
  FicIllustrations.reset();
  FicSources.reset();
  FicNotes.reset();
  FicNoticesPat.reset();
}

void TGestFichier::OuvrirFichier(bool leger, bool sansProgression) {
  VidePointeurs();
  if (Erreur) return;
  const bool ancienne = IsOldVersion();
  if (!(ancienne && leger && !sansProgression)) {
    const AnsiString store = FabriqueNomFichier(tfBaseDonnees);
    ModuleBDD = std::make_unique<TModuleBDD>(this, store, kVersionBDD);
    bool ok = true;
    if (!LectureSeule && !leger) ok = ModuleBDD->CreateDataBase();
    if (!FichierExiste(store)) {
      ModuleBDD.reset();
      Erreur = true;
      CodeErreurOuverture = 1;
    } else if (!ok || !ModuleBDD->OpenDataBase(!LectureSeule && !leger, false)) {
      CodeErreurBDD = ModuleBDD->CodeErreur();
      ModuleBDD.reset();
      Erreur = true;
      CodeErreurOuverture = 2;
    }
  }
  if (Erreur) return;
  FicPersons = std::make_unique<TFicPersons>(this, false);
  // Persons unreadable in a store that opened: damage, said as such (repairable).
  if (Erreur && ModuleBDD && ModuleBDD->Connecte() && ModuleBDD->Database().VerifieIntegrite() != "ok")
    CodeErreurBDD = TErreurMoteur::Endommagee;
  if (ancienne) FicPersSuppr = std::make_unique<TFicPersSuppr>(this, false);
  FicXml = std::make_unique<TFicXml>(this, false);
  LitIdGenea();
  if (leger && !sansProgression) return;  // the persons side only

  const bool fenetre = !sansProgression && Proprietaire && NombreEnregistrementsPersonnes() > kSeuilProgression;
  TProgression progression(fenetre ? Proprietaire : nullptr, u"Ouverture du dossier généalogique...",
                           kMaximumProgression);
  progression.Position(1);
  for (size_t i = 0; i < kOuverture.size(); ++i) {
    if (Erreur && !sansProgression) break;
    if (i > 0) progression.Avance();
    progression.Texte(kOuverture[i].texte);
    if (kOuverture[i].action) kOuverture[i].action(*this);
  }
}

void TGestFichier::NouveauFichier(int premierePersonne, const char* marqueGardee) {
  EnCreation = true;
  VidePointeurs();
  // Every file name must be makeable now, so that the folder can be reopened (throws otherwise).
  VerifieNomsDeFichiers(*this);
  // A folder whose creation was cut holds nothing of the user's: it is made again. One that
  // another program is making is left to it.
  if (RepertoireExiste(Repertoire) && CreationInterrompue(Repertoire)) {
    if (TVerrouRepertoire::TenuAilleurs(Repertoire)) {
      CodeErreurBDD = TErreurMoteur::Occupe;
      CodeErreurOuverture = 2;
      Erreur = true;
      EnCreation = false;
      return;
    }
    (void)SupprimeArborescence(Repertoire);
  }
  if (RepertoireExiste(Repertoire)) {
    // An existing folder is never overwritten: count its persons and ask for another name. It is
    // only read: not a byte, not a date of the user's genealogy changes.
    const bool lectureSeule = LectureSeule;
    LectureSeule = true;
    OuvrirFichier(true, false);
    const bool compte = !Erreur;
    const long personnes = compte ? NombrePersonnes() : 0;
    FermerFichiers();
    LectureSeule = lectureSeule;
    UnicodeString texte = ChargeChaine(6200);
    const auto remplace = [&texte](const UnicodeString& marque, const UnicodeString& valeur) {
      const size_t p = texte.find(marque);
      if (p != UnicodeString::npos) texte.replace(p, marque.size(), valeur);
    };
    remplace(u"#1", u"\"" + AnsiVersUnicode(Nom) + u"\"");
    remplace(u"#2", compte ? AnsiVersUnicode(std::to_string(personnes)) : UnicodeString(u"plusieurs"));
    ReponseNomExistant = Proprietaire ? Proprietaire->Question(ChargeChaine(6201), texte,
                                                               kBoutonOui | kBoutonNon | kBoutonAnnuler,
                                                               kReponseOui)
                                      : kReponseOui;
    Erreur = true;
    EnCreation = false;
    return;
  }
  if (!EmplacementInscriptible(Repertoire)) {
    CodeErreurBDD = TErreurMoteur::LectureSeule;  // nothing created where we may not write
    Erreur = true;
    EnCreation = false;
    return;
  }
  // The marker lies in the folder until its creation is complete.
  if (!CreeRepertoireMarque(Repertoire, &VerrouEcriture, marqueGardee ? marqueGardee : "") ||
      !CreeRepertoires(Repertoire + "Notices/")) {
    CodeErreurBDD = DerniereErreurSysteme() == TErreurSysteme::DisquePlein ? TErreurMoteur::DisquePlein
                                                                           : TErreurMoteur::Ouverture;
    AbandonneCreation();
    return;
  }
  if (!CreeModuleBDD(true, true, false)) {
    CodeErreurBDD = ModuleBDD->CodeErreur();
    CodeErreurOuverture = 2;
    AbandonneCreation();
    return;
  }
  // A new folder is of the current format: no extension or deleted-persons file.
  FicPersons = std::make_unique<TFicPersons>(this, true);
  // Any file of the new folder that could not be written abandons the whole creation.
  bool panne = false;
  for (const auto& etape : kOuverture) {
    if (etape.action) etape.action(*this);
    panne = panne || Erreur;
  }
  FicXml = std::make_unique<TFicXml>(this, true);
  LitIdGenea();
  ModuleBDD->MAJTabInformation();
  ModuleBDD->InitFieldCopy();
  const long premier = FicPersons->ReturnNewNum();
  FicPersons->NoPremier = FicPersons->NoSecond = premier;
  if (premierePersonne == 1 && premier > 0) {
    // The root person of a new genealogy.
    TEnregPublic racine;
    racine.Nom = u"X";
    if (!ModuleBDD->WritePerson(racine, premier)) {
      CodeErreurBDD = ModuleBDD->CodeErreur();
      CodeErreurOuverture = 2;
      AbandonneCreation();
      return;
    }
    // It is the root of the Sosa numbering.
    asNoStradoCujus = premier;
    if (FicSosas) {
      FicSosas->EcritureNoStrado(premier, NTL::ZZ(1));
      panne = panne || Erreur;
    }
  }
  // The first number is a person of the new folder, named or not: it gets its index row.
  TEnregPublic premiere;
  if (FicIndexPerson && premier > 0 && ModuleBDD->ReadPerson(premiere, premier))
    FicIndexPerson->ModifClef(premiere, premier, false, false, true);
  (void)ModuleBDD->MAJInfoChps("INDEXNAME", u"UPDATED");
  SetStateCum(0);
  EcritureEntete();
  panne = panne || Erreur;
  if (panne || (!marqueGardee && !LeveMarqueCreation(Repertoire))) {
    if (CodeErreurBDD == TErreurMoteur::Aucune)
      CodeErreurBDD = DerniereErreurSysteme() == TErreurSysteme::DisquePlein ? TErreurMoteur::DisquePlein
                                                                             : TErreurMoteur::EntreeSortie;
    AbandonneCreation();
    return;
  }
  EnCreation = false;
}

void TGestFichier::AbandonneCreation() {
  VidePointeurs();
  (void)SupprimeArborescence(Repertoire);
  VerrouEcriture.Rend();
  Erreur = true;
  EnCreation = false;
}

void TGestFichier::FermerFichiers() {
  const bool fenetre = Proprietaire && NombreEnregistrementsPersonnes() > kSeuilProgression;
  TProgression progression(fenetre ? Proprietaire : nullptr, u"Fermeture du dossier généalogique...",
                           kMaximumProgression);
  for (size_t i = 0; i < kFermeture.size(); ++i) {
    if (i > 0) progression.Avance();
    if (kFermeture[i].texte) progression.Texte(kFermeture[i].texte);
    if (kFermeture[i].action) kFermeture[i].action(*this);
  }
}

void TGestFichier::EcritureEntete() {
  // Headers of the record files are written here as their classes join the folder.
  if (FicPersons) FicPersons->EcritureEntete();
  for (TFicDupli* f : {FicQualites.get(), FicParentes.get(), FicLieux.get()})
    if (f) f->EcritureEntete();
  if (FicExtPersons) FicExtPersons->EcritureEntete();
  if (FicPersSuppr) FicPersSuppr->EcritureEntete();
  if (FicNotes) FicNotes->EcritureEntete();
  if (FicNoticesPat) FicNoticesPat->EcritureEntete();
  Flush();
}

void TGestFichier::Flush() {
  // The record files flush their buffers here as they join the folder; the store is durable at
  // each commit.
  if (FicPersons) FicPersons->Flush();
  for (TFicDupli* f : {FicQualites.get(), FicParentes.get(), FicLieux.get()})
    if (f) f->Flush();
  if (FicExtPersons) FicExtPersons->Flush();
  if (FicPersSuppr) FicPersSuppr->Flush();
  if (FicSosas) FicSosas->Flush();
  if (FicNotes) FicNotes->Flush();
  if (FicNoticesPat) FicNoticesPat->Flush();
}

}  // namespace kyb
