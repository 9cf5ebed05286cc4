#include "store/ficpays.h"

#include <map>
#include <mutex>

#include "platform/fichiers.h"
#include "platform/installation.h"
#include "platform/parametres.h"

#ifndef KYBASE_DONNEES_INSTALLEES
#define KYBASE_DONNEES_INSTALLEES "/usr/local/share/kybase"
#endif

namespace kyb {
namespace {

constexpr const char* kSectionReglages = "Software\\KORV";
constexpr const char* kCleReglages = "RechechePays";

std::mutex gMutexRepertoire;
AnsiString& RepertoireCourant() {
  // Those of the installation holding the program, else those of the configured prefix.
  static AnsiString repertoire = [] {
    const AnsiString installees = RepertoireDonneesInstallation();
    return (installees.empty() ? Utf8VersAnsi(KYBASE_DONNEES_INSTALLEES "/") : installees) + "TableVille";
  }();
  return repertoire;
}

}  // namespace

void DefinitRepertoireTablesVilles(const AnsiString& repertoire) {
  const std::lock_guard verrou(gMutexRepertoire);
  RepertoireCourant() = repertoire;
}

AnsiString RepertoireTablesVilles() {
  const std::lock_guard verrou(gMutexRepertoire);
  return RepertoireCourant();
}

TFicPays::TFicPays(TInterfaceUtilisateur* proprietaire, const AnsiString& repertoire, bool ouvrir,
                   TParametres* reglages)
    : proprietaire_(proprietaire), repertoire_(repertoire), reglages_(reglages) {
  for (const AnsiString& fichier : ListeFichiers(repertoire_, "*.adb"))
    pays_.push_back(std::make_unique<TFicBDDINI>(repertoire_, fichier.substr(0, fichier.size() - 4)));
  if (pays_.empty()) erreur_ = "Aucune table de communes dans « " + AnsiVersUtf8(repertoire_) + " »";
  if (!ouvrir || pays_.empty()) return;
  AnsiString choix = reglages_ ? Utf8VersAnsi(reglages_->LitTexte(kSectionReglages, kCleReglages)) : "";
  if (choix.empty() || GetIndexPays(choix) < 0) choix = GetIndexPays("France") >= 0 ? "France" : pays_[0]->GetNomPays();
  (void)OpenBasePays(choix, false);
}

TFicPays::~TFicPays() {
  for (auto& p : pays_) p->CloseBDD();
}

int TFicPays::GetIndexPays(const AnsiString& pays) const {
  const AnsiString cle = TFicBDDINI::CleanCommune(AnsiVersUnicode(pays));
  if (cle.empty()) return -1;
  for (size_t i = 0; i < pays_.size(); ++i)
    if (TFicBDDINI::CleanCommune(AnsiVersUnicode(pays_[i]->GetNomPays())) == cle ||
        TFicBDDINI::CleanCommune(AnsiVersUnicode(pays_[i]->GetCodePays())) == cle)
      return static_cast<int>(i);
  return -1;
}

bool TFicPays::OpenBasePays(const AnsiString& pays, bool memoriser) {
  const int index = GetIndexPays(pays);
  if (index < 0) {
    erreur_ = "Aucune table de communes pour le pays « " + AnsiVersUtf8(pays) + " » dans « " +
              AnsiVersUtf8(repertoire_) + " »";
    return false;
  }
  if (courant_ >= 0) {
    pays_[courant_]->CloseBDD();
    pays_[courant_]->SetSelected(false);
  }
  courant_ = -1;
  TFicBDDINI& table = *pays_[index];
  if (!table.OpenBDD()) {
    erreur_ = table.DerniereErreur();
    return false;
  }
  table.SetSelected(true);
  courant_ = index;
  erreur_.clear();
  if (memoriser && reglages_) {
    reglages_->EcritTexte(kSectionReglages, kCleReglages, AnsiVersUtf8(table.GetNomPays()));
    (void)reglages_->Sauvegarde();
  }
  return true;
}

TFicBDDINI* TFicPays::PaysCourant() const { return courant_ >= 0 ? pays_[courant_].get() : nullptr; }

AnsiString TFicPays::GetPaysCourantAS() const {
  return courant_ >= 0 ? pays_[courant_]->GetNomPays() : AnsiString();
}

AnsiString TFicPays::GetCodePays() const {
  return courant_ >= 0 ? pays_[courant_]->GetCodePays() : AnsiString();
}

std::vector<AnsiString> TFicPays::GetAllPays() const {
  std::vector<AnsiString> noms;
  for (const auto& p : pays_) noms.push_back(p->GetNomPays());
  return noms;
}

const std::string& TFicPays::DerniereErreur() const {
  const TFicBDDINI* t = PaysCourant();
  return t && !t->DerniereErreur().empty() ? t->DerniereErreur() : erreur_;
}

std::vector<TChampPays> TFicPays::GetAllChampsCourant() const {
  const TFicBDDINI* t = PaysCourant();
  return t ? t->GetAllChamps() : std::vector<TChampPays>{};
}

void TFicPays::SetNewChamps(std::vector<TChampPays> champs) {
  if (TFicBDDINI* t = PaysCourant()) t->SetNewChamps(std::move(champs));
}

bool TFicPays::ChargeChamps() {
  TFicBDDINI* t = PaysCourant();
  return t && t->ChargeChamps();
}

bool TFicPays::SauveChamps() {
  TFicBDDINI* t = PaysCourant();
  return t && t->SauveChamps();
}

bool TFicPays::SetShowPays(const AnsiString& pays, bool montrer) {
  const int index = GetIndexPays(pays);
  if (index < 0) return false;
  pays_[index]->SetShowPays(montrer);
  return pays_[index]->SauveChamps();
}

std::vector<AnsiString> TFicPays::GetPaysAffiches() const {
  std::vector<AnsiString> noms;
  for (const auto& p : pays_)
    if (p->ShowPays()) noms.push_back(p->GetNomPays());
  return noms;
}

std::vector<TVille> TFicPays::RechercheVille(const UnicodeString& debut, TOrdreVille ordre) const {
  const TFicBDDINI* t = PaysCourant();
  return t ? t->RechercheVille(debut, ordre) : std::vector<TVille>{};
}

std::vector<TVille> TFicPays::RechercheXPremier(const UnicodeString& debut, int nombre) const {
  const TFicBDDINI* t = PaysCourant();
  return t ? t->FindXFirst(debut, nombre) : std::vector<TVille>{};
}

void TFicPays::StopRechercheCourante() const {
  if (const TFicBDDINI* t = PaysCourant()) t->StopRechercheCourante();
}

std::vector<TVille> TFicPays::RechercheParInsse(const AnsiString& code) const {
  const TFicBDDINI* t = PaysCourant();
  return t ? t->RechercheParInsse(code) : std::vector<TVille>{};
}

std::vector<TVille> TFicPays::RechercheParCP(const AnsiString& codePostal) const {
  const TFicBDDINI* t = PaysCourant();
  return t ? t->RechercheParCP(codePostal) : std::vector<TVille>{};
}

AnsiString TFicPays::GetCPByCom(const UnicodeString& commune) const {
  TFicBDDINI* t = PaysCourant();
  AnsiString cp;
  double latitude = 0, longitude = 0;
  if (t) (void)t->SearchCodeCPByCom(commune, cp, latitude, longitude);
  return cp;
}

bool TFicPays::GetTownAtRecord(int64_t enregistrement, TVille& ville) const {
  const TFicBDDINI* t = PaysCourant();
  return t && t->GetRecord(enregistrement, ville);
}

bool TFicPays::UpdateGeo(const AnsiString& code, double latitude, double longitude) {
  TFicBDDINI* t = PaysCourant();
  return t && t->UpdateGeo(code, latitude, longitude);
}

bool TFicPays::MemePays(const TFicBDDINI& table, const UnicodeString& pays) const {
  const AnsiString cle = TFicBDDINI::CleanCommune(pays);
  return cle == TFicBDDINI::CleanCommune(AnsiVersUnicode(table.GetNomPays())) ||
         cle == TFicBDDINI::CleanCommune(AnsiVersUnicode(table.GetCodePays()));
}

TCompletionLieu TFicPays::CompleteLieu(TFicCommune& lieu, TVille* trouvee) const {
  const TFicBDDINI* t = PaysCourant();
  if (!t || (!lieu.Pays().empty() && !MemePays(*t, lieu.Pays()))) return TCompletionLieu::SansTable;
  const AnsiString departement = TFicBDDINI::CleanCommune(lieu.Departement());
  const AnsiString region = TFicBDDINI::CleanCommune(lieu.Region());
  // The communes of today that the name designates, by code: today's names first, the former
  // names (and delegated or associated communes) only when no commune of today bears it.
  const std::vector<TVille> trouvees = t->RechercheNomExact(lieu.Commune());
  std::map<AnsiString, const TVille*> candidats;
  for (const bool seulementActuelles : {true, false}) {
    for (const TVille& v : trouvees) {
      const bool actuelle = v.type == TTypeVille::Actuelle || v.codeActuel.empty();
      if (seulementActuelles && !actuelle) continue;
      if (!departement.empty() && departement != TFicBDDINI::CleanCommune(v.departement) &&
          departement != v.codeZone)
        continue;
      if (!region.empty() && region != TFicBDDINI::CleanCommune(v.region)) continue;
      candidats.emplace(actuelle ? v.code : v.codeActuel, &v);
    }
    if (!candidats.empty()) break;
  }
  if (candidats.empty()) return TCompletionLieu::Inconnue;
  if (candidats.size() > 1) return TCompletionLieu::Ambigue;
  const TVille& v = *candidats.begin()->second;
  if (lieu.Departement().empty()) lieu.SetPartie(1, v.departement);
  if (lieu.Region().empty()) lieu.SetPartie(2, v.region);
  if (lieu.Pays().empty()) lieu.SetPartie(3, AnsiVersUnicode(t->GetCodePays()));
  if (trouvee) *trouvee = v;
  return TCompletionLieu::Completee;
}

}  // namespace kyb
