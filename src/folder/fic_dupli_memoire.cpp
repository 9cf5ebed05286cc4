// The in-memory side of the value tables: the sorted vector, the position index, the ranking
// without deleted elements, finding and adding values, and the whole-table rewrite.
#include <algorithm>
#include <iterator>

#include "folder/fic_dupli.h"
#include "platform/journal.h"
#include "store/datamodulebdd.h"

namespace kyb {

// The first eight units of the value key, packed so that comparing the two integers compares
// those units: most comparisons of a search end there, on a small array kept beside the vector.
TFicDupli::TPrefixe TFicDupli::Prefixe(const TEltDupWideChn& e) {
  const UnicodeString& k = e.CleValeur();
  TPrefixe p;
  for (size_t i = 0; i < 8; ++i) {
    const uint64_t u = i < k.size() ? k[i] : 0;
    (i < 4 ? p.a : p.b) |= u << (16 * (3 - (i % 4)));
  }
  return p;
}

void TFicDupli::CleExacte(UnicodeString& cle, std::u16string_view valeur, std::u16string_view code,
                          std::u16string_view complement) {
  cle.clear();
  cle.append(valeur.substr(0, std::min(valeur.size(), kLgValeur))).append(1, u'\0');
  cle.append(code.substr(0, std::min(code.size(), kLgCode))).append(1, u'\0');
  cle.append(complement.substr(0, std::min(complement.size(), kLgComplement)));
}

void TFicDupli::IndexeTexte(const TEltDupWideChn& e) {
  UnicodeString cle;
  CleExacte(cle, e.Valeur(), e.Code(), e.Complement());
  const auto [it, nouveau] = numeros_.try_emplace(std::move(cle), e.Numero);
  if (nouveau || e.IsFicheSupprimee()) return;
  const TEltDupWideChn* deja = Element(it->second);
  if (!deja || deja->IsFicheSupprimee()) it->second = e.Numero;
}

void TFicDupli::OublieTexte(const TEltDupWideChn& e) {
  CleExacte(cle_, e.Valeur(), e.Code(), e.Complement());
  const auto it = numeros_.find(cle_);
  if (it != numeros_.end() && it->second == e.Numero) numeros_.erase(it);
}

void TFicDupli::Trie() {
  TEltDupWideChn t1, t2;
  vecteur_.Classement(t1, t2);
  prefixes_.clear();
  prefixes_.reserve(static_cast<size_t>(vecteur_.GetNbElt()));
  for (const TEltDupWideChn& e : vecteur_.Elements()) prefixes_.push_back(Prefixe(e));
  CalculIndex(0);
  numeros_.clear();
  numeros_.reserve(static_cast<size_t>(vecteur_.GetNbElt()));
  for (int pos = 0; pos < vecteur_.GetNbElt(); ++pos) {
    const TEltDupWideChn& e = vecteur_.Lit(pos);
    if (Position(e.Numero) == pos) IndexeTexte(e);
  }
}

int TFicDupli::Recherche(const TEltDupWideChn& cle, bool& egal) const {
  const auto& elts = vecteur_.Elements();
  const TPrefixe p = Prefixe(cle);
  int lo = 0, hi = static_cast<int>(elts.size());
  while (lo < hi) {  // first element not below cle
    const int mid = lo + (hi - lo) / 2;
    const auto c = prefixes_[static_cast<size_t>(mid)] <=> p;
    const bool avant = c != 0 ? c < 0 : elts[static_cast<size_t>(mid)].EltCmp(cle) < 0;
    if (avant)
      lo = mid + 1;
    else
      hi = mid;
  }
  egal = lo < static_cast<int>(elts.size()) && elts[static_cast<size_t>(lo)] == cle;
  return lo;
}

int TFicDupli::Position(long no) const {
  return no >= 1 && no < static_cast<long>(index_.size()) ? index_[static_cast<size_t>(no)] : -1;
}

int TFicDupli::Rang(int position) const {
  const auto it = std::lower_bound(classement_.begin(), classement_.end(), position);
  return it != classement_.end() && *it == position ? static_cast<int>(it - classement_.begin()) : -1;
}

void TFicDupli::CalculIndex(int depuis, bool) {
  depuis = std::max(depuis, 0);
  index_.resize(static_cast<size_t>(std::max(NbEnreg, 0L)) + 1, -1);
  const auto& elts = vecteur_.Elements();
  for (int pos = depuis; pos < static_cast<int>(elts.size()); ++pos) {
    const TEltDupWideChn& e = elts[static_cast<size_t>(pos)];
    if (e.Numero < 1 || e.Numero > NbEnreg) {
      AjouteJournal("LogMsgError", "Err index FicDupli " + std::to_string(NbEnreg) + " " +
                                       std::to_string(e.Numero) + ", Valeur : " + UnicodeVersUtf8(e.Valeur()));
      continue;
    }
    index_[static_cast<size_t>(e.Numero)] = pos;
  }
  CalculClassementSansSuppr(depuis);
}

void TFicDupli::CalculClassementSansSuppr(int depuis, bool) {
  depuis = std::max(depuis, 0);
  classement_.erase(std::lower_bound(classement_.begin(), classement_.end(), depuis), classement_.end());
  const auto& elts = vecteur_.Elements();
  for (int pos = depuis; pos < static_cast<int>(elts.size()); ++pos) {
    const TEltDupWideChn& e = elts[static_cast<size_t>(pos)];
    // An element left out of the index is left out of the ranking too.
    if (!e.IsFicheSupprimee() && Position(e.Numero) == pos) classement_.push_back(pos);
  }
}

int TFicDupli::ApprochePosClassementSansSuppr(long position) const {
  if (position < 0) return -1;
  const auto it = std::lower_bound(classement_.begin(), classement_.end(), position);
  return it == classement_.end() ? -1 : static_cast<int>(it - classement_.begin());
}

void TFicDupli::Insere(int pos, const TEltDupWideChn& e) {
  TEltDupWideChn tmp;
  vecteur_.Insere(pos, e, tmp);
  prefixes_.insert(prefixes_.begin() + pos, Prefixe(e));
}

void TFicDupli::Retire(int pos) {
  TEltDupWideChn ancien;
  vecteur_.Supprime(pos, ancien);
  prefixes_.erase(prefixes_.begin() + pos);
  if (Position(ancien.Numero) == pos) index_[static_cast<size_t>(ancien.Numero)] = -1;
}

long TFicDupli::Trouve(int pos, int* position) {
  const TEltDupWideChn& trouve = vecteur_.Lit(pos);
  if (trouve.IsFicheSupprimee() && Ecrivable()) {
    TEltDupWideChn e = trouve;
    e.Etat = kEtatActif;
    TEltDupWideChn tmp;
    vecteur_.Change(pos, e, tmp);
    EcritElement(e.Numero, e);
    CalculClassementSansSuppr(pos);
  }
  if (position) *position = Rang(pos);
  return vecteur_.Lit(pos).Numero;
}

long TFicDupli::Cherche(const TEltDupWideChn* elt, bool ajouter, int* position, bool ecrireEntete) {
  if (position) *position = -1;
  // A country alone or a department alone is a place: only an element without any text is none.
  if (!elt || (elt->Valeur().empty() && elt->Code().empty() && elt->Complement().empty())) return 0;
  CleExacte(cle_, elt->Valeur(), elt->Code(), elt->Complement());
  const auto it = numeros_.find(cle_);
  if (it != numeros_.end() && ElementEnAttente(it->second)) return it->second;
  const int connu = it == numeros_.end() ? -1 : Position(it->second);
  if (connu >= 0) {
    const long no = Trouve(connu, position);
    if (enBloc_ && position) *position = -1;
    return no;
  }
  if (!ajouter || !Ecrivable()) return 0;
  TEltDupWideChn cle;
  cle.SetTextes(elt->Valeur(), elt->Code(), elt->Complement(), kLgValeur, kLgCode, kLgComplement);
  bool egal = false;
  const int pos = Recherche(cle, egal);
  if (egal) {
    const long no = Trouve(pos, position);
    if (enBloc_ && position) *position = -1;
    return no;
  }
  cle.Numero = NbEnreg + 1;
  cle.Etat = kEtatActif;
  ++NbEnreg;
  if (ecrireEntete) EcritureEntete();
  EcritElement(cle.Numero, cle);
  if (enBloc_) {
    if (enAttente_.empty()) premierEnAttente_ = cle.Numero;
    enAttente_.push_back(cle);
    IndexeTexte(cle);
    return cle.Numero;
  }
  Insere(pos, cle);
  CalculIndex(pos);
  IndexeTexte(cle);
  if (position) *position = Rang(pos);
  return cle.Numero;
}

void TFicDupli::DebutAjoutsEnBloc() {
  RangeAjoutsEnBloc();
  enBloc_ = true;
}

void TFicDupli::FinAjoutsEnBloc() {
  RangeAjoutsEnBloc();
  enBloc_ = false;
}

const TEltDupWideChn* TFicDupli::ElementEnAttente(long no) const {
  if (enAttente_.empty() || no < premierEnAttente_) return nullptr;
  const auto i = static_cast<size_t>(no - premierEnAttente_);
  return i < enAttente_.size() ? &enAttente_[i] : nullptr;
}

// Puts the values added in bulk into the sorted vector; index and ranking rebuilt once.
void TFicDupli::RangeAjoutsEnBloc() {
  if (enAttente_.empty()) return;
  // The new values are distinct and none equals a value already there: merging the sorted
  // new values into the sorted vector puts each where adding it alone would have put it.
  std::sort(enAttente_.begin(), enAttente_.end(),
            [](const TEltDupWideChn& a, const TEltDupWideChn& b) { return a.EltCmp(b) < 0; });
  const auto& anciens = vecteur_.Elements();
  std::vector<TEltDupWideChn> tous;
  tous.reserve(anciens.size() + enAttente_.size());
  std::merge(anciens.begin(), anciens.end(), enAttente_.begin(), enAttente_.end(), std::back_inserter(tous),
             [](const TEltDupWideChn& a, const TEltDupWideChn& b) { return a.EltCmp(b) < 0; });
  enAttente_.clear();
  enAttente_.shrink_to_fit();
  vecteur_.Raz();
  vecteur_.Reserve(tous.size());
  for (TEltDupWideChn& e : tous) (void)vecteur_.Ajoute(std::move(e));
  prefixes_.clear();
  prefixes_.reserve(vecteur_.Elements().size());
  for (const TEltDupWideChn& e : vecteur_.Elements()) prefixes_.push_back(Prefixe(e));
  CalculIndex(0);
}

std::vector<long> TFicDupli::NumerosCommencantPar(const UnicodeString& debut, int maximum) const {
  const UnicodeString cle = CleDupli(debut);
  const auto& elts = vecteur_.Elements();
  const auto premier = std::lower_bound(elts.begin(), elts.end(), cle, [](const TEltDupWideChn& e, const UnicodeString& c) {
    return e.CleValeur() < c;
  });
  std::vector<long> numeros;
  for (auto it = premier; it != elts.end() && it->CleValeur().compare(0, cle.size(), cle) == 0; ++it) {
    if (Rang(static_cast<int>(it - elts.begin())) < 0) continue;
    numeros.push_back(it->Numero);
    if (maximum > 0 && static_cast<int>(numeros.size()) >= maximum) break;
  }
  return numeros;
}

const TEltDupWideChn* TFicDupli::Element(long no) const {
  if (const TEltDupWideChn* e = ElementEnAttente(no)) return e;
  const int pos = Position(no);
  return pos < 0 ? nullptr : &vecteur_.Elements()[static_cast<size_t>(pos)];
}

UnicodeString TFicDupli::Charge(long no) const {
  const TEltDupWideChn* e = Element(no);
  return e ? e->Charge() : UnicodeString();
}

UnicodeString TFicDupli::RetCommune(long no) const {
  const TEltDupWideChn* e = Element(no);
  return e ? e->ChargeElement(kSousChampCommune, kStyleTexte) : UnicodeString();
}

UnicodeString TFicDupli::RetDepartement(long no, int style) const {
  const TEltDupWideChn* e = Element(no);
  return e ? e->ChargeElement(kSousChampDepartement, style) : UnicodeString();
}

UnicodeString TFicDupli::RetRegion(long no) const {
  const TEltDupWideChn* e = Element(no);
  return e ? e->ChargeElement(kSousChampRegion, kStyleTexte) : UnicodeString();
}

UnicodeString TFicDupli::RetPays(long no) const {
  const TEltDupWideChn* e = Element(no);
  return e ? e->ChargeElement(kSousChampPays, kStyleTexte) : UnicodeString();
}

void TFicDupli::DeactivateAll() {
  RangeAjoutsEnBloc();
  classement_.clear();
  TEltDupWideChn tmp;
  for (int pos = 0; pos < vecteur_.GetNbElt(); ++pos) {
    TEltDupWideChn e = vecteur_.Lit(pos);
    if (e.IsFicheSupprimee() || !NoFicheValide(e.Numero)) continue;
    e.Etat = kEtatSupprime;
    vecteur_.Change(pos, e, tmp);
    EcritElement(e.Numero, e);
  }
}

void TFicDupli::SupprimeElt(long no) {
  RangeAjoutsEnBloc();
  const int pos = Position(no);
  if (pos < 0) return;
  OublieTexte(vecteur_.Lit(pos));
  Retire(pos);
  CalculIndex(pos);
}

void TFicDupli::RemplaceEnMemoire(long no, const TEltDupWideChn& elt) {
  RangeAjoutsEnBloc();
  TEltDupWideChn e;
  e.SetTextes(elt.Valeur(), elt.Code(), elt.Complement(), kLgValeur, kLgCode, kLgComplement);
  e.Numero = no;
  e.Etat = elt.Etat;
  int depuis = Position(no);
  if (depuis >= 0) {
    OublieTexte(vecteur_.Lit(depuis));
    Retire(depuis);
  }
  bool egal = false;
  const int pos = Recherche(e, egal);
  Insere(pos, e);
  CalculIndex(depuis < 0 ? pos : std::min(depuis, pos));
  if (Position(no) == pos) IndexeTexte(e);
}

bool TFicDupli::SaveAll() {
  RangeAjoutsEnBloc();
  if (!Ecrivable()) return false;
  const auto& elts = vecteur_.Elements();
  const long total = static_cast<long>(elts.size());
  if (store_) {
    std::vector<TLieuBDD> lieux;
    lieux.reserve(elts.size());
    for (const TEltDupWideChn& e : elts) lieux.push_back({e.Etat, e.Valeur(), e.Code(), e.Complement(), e.CleValeur()});
    if (!store_->RemplaceLieux(lieux)) return false;
  } else {
    std::vector<unsigned char> contenu(static_cast<size_t>(total + 1) * TailleEnreg(), 0);
    EncodeEnreg(TEltDupWideChn(AnsiVersUnicode(std::to_string(total)), {}, {}, 0, kEtatSupprime),
                contenu.data(), ancien_);
    for (size_t i = 0; i < elts.size(); ++i) EncodeEnreg(elts[i], contenu.data() + (i + 1) * TailleEnreg(), ancien_);
    const bool remplace = RemplaceFichier(contenu);
    // On failure the old file is still in place: take it again.
    if (!fichier_) fichier_ = std::make_unique<TFicBase>(dossier_, type_, TailleEnreg(), "FicDupli", false, true);
    fichier_->NbEnreg = NbEnreg;
    if (!remplace) return false;
  }
  TEltDupWideChn tmp;
  for (int i = 0; i < total; ++i) {
    TEltDupWideChn e = vecteur_.Lit(i);
    e.Numero = i + 1;
    vecteur_.Change(i, e, tmp);
  }
  NbEnreg = total;
  if (fichier_) fichier_->NbEnreg = NbEnreg;
  index_.assign(static_cast<size_t>(NbEnreg) + 1, -1);
  Trie();
  return true;
}

// --- TFicheDupli --------------------------------------------------------------------------------

TFicheDupli::TFicheDupli(TFicDupli* fichier, long no, bool memoire) : fichier_(fichier) {
  if (memoire)
    LectureMemoire(no);
  else if (no >= 1 || no == kEnregEntete)
    Lecture(no);
}

void TFicheDupli::Lecture(long no) {
  if (no != kEnregCourant) Numero = no;
  if (!fichier_ || !fichier_->LitElement(Numero, Elt)) Elt = TEltDupWideChn();
}

void TFicheDupli::LectureMemoire(long position) {
  Elt = fichier_ ? fichier_->Vecteur().Lit(static_cast<int>(position)) : TEltDupWideChn();
  Numero = Elt.Numero;
}

void TFicheDupli::Enregistrement(long no) {
  if (no != kEnregCourant) Numero = no;
  if (!fichier_) return;
  fichier_->RangeAjoutsEnBloc();
  fichier_->EcritElement(Numero, Elt);
  if (fichier_->Position(Numero) >= 0) fichier_->RemplaceEnMemoire(Numero, Elt);
}

}  // namespace kyb
