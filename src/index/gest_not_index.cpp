// The notices index: lists per type, words to notices, notices of persons.
#include "index/gest_not_index.h"

#include <algorithm>

#include "folder/fic_dupli.h"
#include "folder/gest_fic.h"
#include "names/bo_chn1.h"
#include "persons/gest_pers.h"

namespace kyb {

namespace {

struct TType {
  int Valeur;
  const char16_t* Libelle;
  int MotCle;
};
// In display order.
constexpr TType kTypes[TGestIndexNoticesPat::kNbTypes] = {
    {0, u"Patronyme", 0},
    {7, u"Prénom", 3},
    {1, u"Profession", 1},
    {8, u"Titre", 4},
    {9, u"Décoration", 5},
    {2, u"Ville", 2},
    {3, u"Code du lieu / Code postal", 2},
    {4, u"Département (France uniquement)", 2},
    {5, u"Région / Province / Arrondissement", 2},
    {6, u"Pays", 2},
};

bool TypeValide(int type) { return type >= 0 && type < TGestIndexNoticesPat::kNbTypes; }

}  // namespace

int TGestIndexNoticesPat::GetIndexTypeNotice(int type) {
  for (int i = 0; i < kNbTypes; ++i)
    if (kTypes[i].Valeur == type) return i;
  return 0;
}

int TGestIndexNoticesPat::GetTypeNoticeFromIndex(int index) { return TypeValide(index) ? kTypes[index].Valeur : 0; }

UnicodeString TGestIndexNoticesPat::LibelleType(int type) {
  return TypeValide(type) ? UnicodeString(kTypes[GetIndexTypeNotice(type)].Libelle) : UnicodeString();
}

int TGestIndexNoticesPat::GetTypeMotCle(std::u16string_view libelle) {
  for (const TType& t : kTypes)
    if (libelle == t.Libelle) return t.MotCle;
  return -1;
}

int TGestIndexNoticesPat::GetNoticeStyleLieu(std::u16string_view libelle) {
  static constexpr std::pair<const char16_t*, int> kStyles[] = {
      {u"Ville", 120}, {u"Département (France uniquement)", 121}, {u"Code du lieu / Code postal", 128},
      {u"Pays", 132},  {u"Région / Province / Arrondissement", 138}};
  for (const auto& [l, style] : kStyles)
    if (libelle == l) return style;
  return 0;
}

const std::vector<UnicodeString>& TGestIndexNoticesPat::CategoriesImages() {
  static const std::vector<UnicodeString> categories = {
      u"Blason", u"Carte géographique", u"Carte postale", u"Drapeau", u"Emblème", u"Photo de famille", u"Signature",
      u"<vide>"};
  return categories;
}

AnsiString TGestIndexNoticesPat::CleNotice(std::string_view texte) {
  const AnsiString cle = EffBlancs(ElimineMultiSeparateur(FormatIndex(texte), ' '));
  return cle.empty() ? AnsiString("<vide>") : cle;
}

TGestIndexNoticesPat::TGestIndexNoticesPat(TFicNoticesPat* fichier) : fichier_(fichier) {
  Construction(-1);
  if (fichier_) fichier_->SetIndex(this);
}

TGestIndexNoticesPat::~TGestIndexNoticesPat() {
  if (fichier_ && fichier_->Index() == this) fichier_->SetIndex(nullptr);
}

void TGestIndexNoticesPat::Construction(int type) {
  if (type == -1) {
    for (auto& l : listes_) l.clear();
    endommage_ = false;
    ignores_ = 0;
  } else if (TypeValide(type)) {
    listes_[type].clear();
  } else {
    return;
  }
  if (!fichier_ || !fichier_->Valide()) return;
  endommage_ |= fichier_->EnregsManquants() > 0;
  TGestFichier* dossier = fichier_->Dossier();
  for (long no = 1; no <= fichier_->NbEnreg; ++no) {
    const TNoticesPat notice(fichier_, no);
    if (dossier && dossier->Erreur) {
      endommage_ = true;
      break;
    }
    if (notice.Supprime()) continue;
    if (!TypeValide(notice.Type())) {
      ignores_ += type == -1;
      continue;
    }
    if (type == -1 || notice.Type() == type) Ajout(notice);
  }
}

void TGestIndexNoticesPat::Ajout(const TNoticesPat& notice) {
  const int type = notice.Type();
  if (!TypeValide(type) || notice.Numero() < 1) return;
  Suppression(type, notice.Numero());
  if (notice.Supprime()) return;
  TEntree e{CleNotice(notice.TitreComplet()), notice.TitreComplet(), notice.Numero(), {}};
  for (int i = 0; i < TNoticesPat::kNbTitres; ++i)
    if (const AnsiString partie = EffBlancs(notice.Titre(i)); !partie.empty()) e.Parties.push_back(CleNotice(partie));
  listes_[type].push_back(std::move(e));
  Range(type);
}

void TGestIndexNoticesPat::Suppression(int type, long numero) {
  if (!TypeValide(type)) return;
  std::erase_if(listes_[type], [numero](const TEntree& e) { return e.Numero == numero; });
}

void TGestIndexNoticesPat::Range(int type) {
  auto& l = listes_[type];
  if (ordres_[type] == toNumero)
    std::sort(l.begin(), l.end(), [](const TEntree& a, const TEntree& b) { return a.Numero < b.Numero; });
  else
    std::sort(l.begin(), l.end(),
              [](const TEntree& a, const TEntree& b) { return std::tie(a.Cle, a.Numero) < std::tie(b.Cle, b.Numero); });
}

void TGestIndexNoticesPat::ChangeTypeOrdre(int type, TTypeOrdre ordre) {
  if (!TypeValide(type)) return;
  ordres_[type] = ordre;
  Range(type);
}

TGestIndexNoticesPat::TTypeOrdre TGestIndexNoticesPat::DonneTypeOrdre(int type) const {
  return TypeValide(type) ? ordres_[type] : toTitre;
}

const std::vector<TGestIndexNoticesPat::TEntree>& TGestIndexNoticesPat::Liste(int type) const {
  static const std::vector<TEntree> vide;
  return TypeValide(type) ? listes_[type] : vide;
}

AnsiString TGestIndexNoticesPat::ConsultationTitreIndex(int type, long numero) const {
  for (const TEntree& e : Liste(type))
    if (e.Numero == numero) return e.Titre;
  return std::to_string(numero);
}

long TGestIndexNoticesPat::Cherche(const AnsiString& cle, int typeMotCle) const {
  for (const TType& t : kTypes) {
    if (t.MotCle != typeMotCle) continue;
    for (const TEntree& e : listes_[t.Valeur])
      if (std::find(e.Parties.begin(), e.Parties.end(), cle) != e.Parties.end()) return e.Numero;
  }
  return 0;
}

long TGestIndexNoticesPat::IndexNoticeDuMotCle(std::string_view mot, int typeMotCle) const {
  const AnsiString entier = EffBlancs(mot);
  if (entier.empty()) return 0;
  if (const long no = Cherche(CleNotice(entier), typeMotCle)) return no;
  size_t debut = 0;
  while (debut < entier.size()) {
    size_t fin = entier.find_first_of(", ;", debut);
    if (fin == AnsiString::npos) fin = entier.size();
    if (fin > debut)
      if (const long no = Cherche(CleNotice(entier.substr(debut, fin - debut)), typeMotCle)) return no;
    debut = fin + 1;
  }
  return 0;
}

AnsiString TGestIndexNoticesPat::ImageDuMotCle(std::string_view mot, int typeMotCle) const {
  const long no = IndexNoticeDuMotCle(mot, typeMotCle);
  if (!no || !fichier_) return {};
  return TNoticesPat(fichier_, no).Image();
}

void TGenereListeNotices::Ajoute(const UnicodeString& mot, int typeMotCle) {
  const AnsiString texte = UnicodeVersAnsi(EffBlancs(mot));
  if (texte.empty() || !vus_.insert({typeMotCle, texte}).second) return;
  const long no = index_.IndexNoticeDuMotCle(texte, typeMotCle);
  if (!no) return;
  for (int type = 0; type < TGestIndexNoticesPat::kNbTypes; ++type)
    for (const auto& e : index_.Liste(type))
      if (e.Numero == no) notices_[no] = type;
}

void TGenereListeNotices::AjoutPerson(TPerson& p) {
  using T = TGestIndexNoticesPat;
  const UnicodeString nom = p.Public.Nom;
  for (int i = 1; i <= NombreElts(nom, u';'); ++i) Ajoute(EltNo(i, nom, u';'), T::tmPatronyme);
  const UnicodeString prenoms = ElimineMultiSeparateur(EffBlancs(p.Public.Prenoms), u' ');
  for (int i = 1; i <= NombreElts(prenoms, u' '); ++i) Ajoute(EltNo(i, prenoms, u' '), T::tmPrenom);
  for (const UnicodeString& profession : p.GetToutesProfession()) Ajoute(profession, T::tmProfession);
  for (const auto& [libelle, type] : {std::pair("TITRE", T::tmTitre), std::pair("DECORATION", T::tmDecoration)})
    for (const UnicodeString& v : p.ValeursChpsSimple(libelle)) Ajoute(v, type);
  const TFicDupli* lieux = p.Fichier() && p.Fichier()->Dossier() ? p.Fichier()->Dossier()->GetFicLieux() : nullptr;
  for (int i = 0; i < p.GetNbInfoEven(); ++i) {
    const TEvenement* even = p.EvenNo(i);
    if (!even) continue;
    const std::string_view libelle = even->Enreg.LibelleChamps;
    if (libelle == "TITRE") Ajoute(even->Enreg.Donnee, T::tmTitre);
    if (libelle == "DECORATION") Ajoute(even->Enreg.Donnee, T::tmDecoration);
    if (!lieux || even->Enreg.Lieu <= 0) continue;
    const long no = even->Enreg.Lieu;
    for (const UnicodeString& partie :
         {lieux->RetCommune(no), lieux->RetDepartement(no, 0), lieux->RetRegion(no), lieux->RetPays(no)})
      Ajoute(partie, T::tmLieu);
  }
}

std::vector<std::pair<UnicodeString, std::vector<long>>> TGenereListeNotices::GenereMapTypeNotices() const {
  std::vector<std::pair<UnicodeString, std::vector<long>>> parType;
  for (int index = 0; index < TGestIndexNoticesPat::kNbTypes; ++index) {
    const int type = TGestIndexNoticesPat::GetTypeNoticeFromIndex(index);
    std::vector<long> numeros;
    for (const auto& [no, t] : notices_)
      if (t == type) numeros.push_back(no);
    if (!numeros.empty()) parType.emplace_back(TGestIndexNoticesPat::LibelleType(type), std::move(numeros));
  }
  return parType;
}

}  // namespace kyb
