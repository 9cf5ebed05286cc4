// The fields of a person that the rest of the application asks for by meaning: the standard
// events and their equivalents, professions, contact data, tags, images, the coherence flag and
// the modification stamps.
#include <algorithm>

#include "fields/csdefchps.h"
#include "persons/gest_pers.h"
#include "platform/date_heure.h"
#include "store/datamodulebdd.h"

namespace kyb {
namespace {

constexpr const char* kChampsContact[] = {"ADRL1", "ADRL2", "ADRCP", "ADRVILLE", "ADRPAYS", "TELEPHONE", "EMAIL"};
constexpr const char* kFormatTampon = "dd/mm/yyyy hh:nn:ss";

bool MemeTexte(const UnicodeString& a, const UnicodeString& b) {
  return MajusculesUnicode(Rogne(a)) == MajusculesUnicode(Rogne(b));
}

}  // namespace

TEvenement* TPerson::GetEvenOuEquivalent(std::string_view libelle, long conjoint) {
  if (TEvenement* e = GetEvent(libelle, conjoint)) return e;
  const TDefChpsCs* defs = Definitions();
  const TChpCs* def = defs ? defs->RechercheChampsInternePtr(libelle) : nullptr;
  if (!def) return nullptr;
  for (const AnsiString& equivalent : def->GetEquivalences(true, defs))
    if (TEvenement* e = GetEvent(equivalent, conjoint)) return e;
  return nullptr;
}

TEvenement* TPerson::GetEvenNaissance() {
  const TDefChpsCs* defs = Definitions();
  const TEquivChpCs equiv = defs ? defs->EquivNaissance : TEquivChpCs(kLibelleNaissance, kLibelleBapteme);
  if (TEvenement* e = GetEvent(equiv.Libelle)) return e;
  return equiv.Compagnon.empty() ? nullptr : GetEvent(equiv.Compagnon);
}

TEvenement* TPerson::GetEvenDeces() {
  const TDefChpsCs* defs = Definitions();
  const TEquivChpCs equiv = defs ? defs->EquivDeces : TEquivChpCs(kLibelleDeces, kLibelleInhumation);
  if (TEvenement* e = GetEvent(equiv.Libelle)) return e;
  return equiv.Compagnon.empty() ? nullptr : GetEvent(equiv.Compagnon);
}

TEvenement* TPerson::GetEvenUnionOuEquivalent(long conjoint) {
  const TDefChpsCs* defs = Definitions();
  const TEquivChpCs equiv = defs ? defs->EquivUnion : TEquivChpCs(kLibelleUnion, "CTR-MARIAGE");
  if (TEvenement* e = GetEvent(equiv.Libelle, conjoint)) return e;
  return equiv.Compagnon.empty() ? nullptr : GetEvent(equiv.Compagnon, conjoint);
}

int TPerson::AjouteProfession(const UnicodeString& profession) {
  const UnicodeString texte = Rogne(profession);
  if (texte.empty()) return -1;
  for (const UnicodeString& p : GetToutesProfession())
    if (MemeTexte(p, texte)) return -1;
  TEvenement e(Bdd());
  e.NouvelleFiche();
  e.SetLibelle(kLibelleProfession);
  e.SetDonnee(texte);
  return AjoutEven(e);
}

std::vector<UnicodeString> TPerson::GetToutesProfession() {
  std::vector<UnicodeString> professions;
  if (!AssureFiche()) return professions;
  for (const int position : ClassementChronoEven()) {
    const TEvenement& e = fiche_.Evenements[static_cast<size_t>(position)].Even;
    if (e.IsLibelleChamps(kLibelleProfession) && !e.Enreg.Donnee.empty()) professions.push_back(e.Enreg.Donnee);
  }
  return professions;
}

bool TPerson::SuppressionProfession(const UnicodeString& profession) {
  if (!AssureFiche()) return false;
  for (int i = 0; i < fiche_.GetNbInfoEven(); ++i) {
    const TEvenement& e = fiche_.Evenements[static_cast<size_t>(i)].Even;
    if (e.IsLibelleChamps(kLibelleProfession) && MemeTexte(e.Enreg.Donnee, profession)) return fiche_.SupprEvenNo(i);
  }
  return false;
}

bool TPerson::HasInfoContact() {
  for (const char* libelle : kChampsContact)
    for (const UnicodeString& v : ValeursChpsSimple(libelle))
      if (!Rogne(v).empty()) return true;
  return false;
}

UnicodeString TPerson::GetEmail() {
  for (const UnicodeString& v : ValeursChpsSimple("EMAIL"))
    if (!Rogne(v).empty()) return Rogne(v);
  return {};
}

std::vector<UnicodeString> TPerson::GetListTag() { return ValeursChpsSimple(kLibelleMarqueurs); }

int TPerson::GetRangTag(const UnicodeString& tag) {
  const std::vector<UnicodeString> tags = GetListTag();
  for (size_t i = 0; i < tags.size(); ++i)
    if (MemeTexte(tags[i], tag)) return static_cast<int>(i);
  return -1;
}

bool TPerson::AddTag(const UnicodeString& tag) {
  const UnicodeString texte = Rogne(tag);
  if (texte.empty() || ExistTag(texte)) return false;
  TChpsSimple c(Bdd());
  c.SetLibelle(kLibelleMarqueurs);
  c.SetDonnee(texte);
  return AjoutChpsSimple(c) >= 0;
}

bool TPerson::RemoveTag(const UnicodeString& tag) {
  if (!AssureFiche()) return false;
  for (int i = 0; i < fiche_.GetNbChpsSimple(); ++i) {
    const TChpsSimple& c = fiche_.ChpsSimples[static_cast<size_t>(i)].Chps;
    if (c.IsLibelleChamps(kLibelleMarqueurs) && MemeTexte(c.Enreg.Donnee, tag)) return fiche_.SupprChpsSimpleNo(i);
  }
  return false;
}

bool TPerson::ControlTags() {
  if (!FicheChargee()) return false;
  bool change = false;
  std::vector<UnicodeString> vus;
  for (int i = 0; i < fiche_.GetNbChpsSimple();) {
    TChpsSimple& c = fiche_.ChpsSimples[static_cast<size_t>(i)].Chps;
    if (!c.IsLibelleChamps(kLibelleMarqueurs)) {
      ++i;
      continue;
    }
    const UnicodeString tag = Rogne(c.Enreg.Donnee);
    const bool repete = std::any_of(vus.begin(), vus.end(), [&](const UnicodeString& v) { return MemeTexte(v, tag); });
    if (tag.empty() || repete) {
      (void)fiche_.SupprChpsSimpleNo(i);
      change = true;
      continue;
    }
    if (tag != c.Enreg.Donnee) {
      c.SetDonnee(tag);
      change = true;
    }
    vus.push_back(tag);
    ++i;
  }
  return change;
}

int TPerson::AddImage(const AnsiString& chemin) {
  if (Rogne(chemin).empty() || !AssureFiche()) return -1;
  for (const TEvenementTV& tv : fiche_.Evenements)
    if (tv.Even.IsLibelleChamps(kLibelleImage) && tv.Even.Enreg.Donnee == AnsiVersUnicode(chemin))
      return fiche_.GetRgEvenByID(tv.Even.Enreg.ID);
  TEvenement e(Bdd());
  e.NouvelleFiche();
  e.SetLibelle(kLibelleImage);
  e.SetDonnee(AnsiVersUnicode(chemin));
  return AjoutEven(e);
}

int TPerson::AddPortrait(const AnsiString& chemin) {
  if (AddImage(chemin) < 0 || !SetImageAsDefault(chemin)) return -1;
  return GetRgEven(kLibelleImage);
}

bool TPerson::PortraitExists() {
  const TEvenement* e = GetEvent(kLibelleImage);
  return e && !e->Enreg.Donnee.empty();
}

bool TPerson::SetImageAsDefault(const AnsiString& chemin) {
  const int premier = GetRgEven(kLibelleImage);
  if (premier < 0) return false;
  const UnicodeString cible = AnsiVersUnicode(chemin);
  for (int i = premier; i < fiche_.GetNbInfoEven(); ++i) {
    TEvenement& e = fiche_.Evenements[static_cast<size_t>(i)].Even;
    if (!e.IsLibelleChamps(kLibelleImage) || e.Enreg.Donnee != cible) continue;
    if (i == premier) return true;
    // The images keep their rows; their contents change places, so that the first one in card
    // order (the portrait) shows the chosen file.
    TEvenement& portrait = fiche_.Evenements[static_cast<size_t>(premier)].Even;
    portrait.ChargeListes();
    e.ChargeListes();
    TEvenement copie = portrait;
    (void)MajEvenNo(premier, e);
    (void)MajEvenNo(i, copie);
    return true;
  }
  return false;
}

AnsiString TPerson::CheminImagePrioritaire() {
  const TEvenement* e = GetEvent(kLibelleImage);
  if (!e || Rogne(e->Enreg.Donnee).empty()) return kImageParDefaut;
  const AnsiString chemin = UnicodeVersAnsi(e->Enreg.Donnee);
  TGestFichier* dossier = Dossier();
  if (!dossier || chemin.front() == '/' || chemin.front() == '\\') return chemin;
  return dossier->GetDirImages() + chemin;
}

bool TPerson::CoherenceValideManuellement() {
  const std::vector<UnicodeString> v = ValeursChpsSimple(kLibelleCoherence);
  return !v.empty() && v.front() == u"1";
}

bool TPerson::ChangeValidationCoherence(bool valide) {
  if (TDefChpsCs* defs = Definitions(); defs && !defs->IsChampExist(kLibelleCoherence))
    if (defs->CreatChpCs(A(kDefinitionCoherence))) (void)defs->Sauvegarde();
  return SetValeurChpsSimple(kLibelleCoherence, valide ? u"1" : u"");
}

void TPerson::MajDateJourDDMF_DCF() {
  const UnicodeString maintenant = Utf8VersUnicode(FormatDateHeure(kFormatTampon, Maintenant()));
  (void)SetValeurChpsSimple("DDMF", maintenant);
  if (!IsExistChpsSimple("DCF")) (void)SetValeurChpsSimple("DCF", maintenant);
}

void TPerson::MajDateJourDDNOTIF() {
  (void)SetValeurChpsSimple("DDNOTIF", Utf8VersUnicode(FormatDateHeure(kFormatTampon, Maintenant())));
}

}  // namespace kyb
