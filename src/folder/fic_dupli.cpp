#include "folder/fic_dupli.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/ecriture_atomique.h"
#include "platform/erreur.h"
#include "platform/journal.h"
#include "platform/references_ansi.h"
#include "store/datamodulebdd.h"
#include "store/ficpays.h"

namespace kyb {
namespace {

struct TDisposition {
  size_t valeur, code, complement, etat;  // offsets
};
constexpr TDisposition kCourante{0, 102, 124, 226};
constexpr TDisposition kAncienne{0, 51, 62, 113};

// Layout of an existing file from its header: the current one, the older one, or 0 when the
// header says neither (an empty or damaged file).
size_t TailleDuFichier(const AnsiString& chemin) {
  const TFichier f = TFichier::Ouvre(chemin, TAcces::Lecture, TCreation::Existant);
  if (!f) return 0;
  unsigned char entete[TFicDupli::kTailleEnreg] = {};
  const int64_t lus = f.LitA(0, entete, sizeof entete);
  if (lus >= static_cast<int64_t>(kAncienne.etat + 1) && entete[kAncienne.etat] == kEtatSupprime)
    return TFicDupli::kTailleEnregAncien;
  if (lus >= static_cast<int64_t>(kCourante.etat + 1) && entete[kCourante.etat] == kEtatSupprime)
    return TFicDupli::kTailleEnreg;
  return 0;
}

UnicodeString LitUnicode(const unsigned char* p, size_t unites) {
  UnicodeString t;
  for (size_t i = 0; i < unites; ++i) {
    const auto c = static_cast<char16_t>(p[2 * i] | (p[2 * i + 1] << 8));
    if (c == 0) break;
    t.push_back(c);
  }
  return t;
}

void EcritUnicode(unsigned char* p, size_t unites, std::u16string_view t) {
  for (size_t i = 0; i < std::min(t.size(), unites - 1); ++i) {
    p[2 * i] = static_cast<unsigned char>(t[i] & 0xFF);
    p[2 * i + 1] = static_cast<unsigned char>(t[i] >> 8);
  }
}

UnicodeString LitAnsi(const unsigned char* p, size_t octets) {
  const auto* debut = reinterpret_cast<const char*>(p);
  return AnsiVersUnicode(std::string_view(debut, strnlen(debut, octets)));
}

void EcritAnsi(unsigned char* p, size_t octets, std::u16string_view t) {
  const AnsiString a = CoupeAnsi(UnicodeVersAnsi(t), octets - 1);  // never inside a reference
  std::memcpy(p, a.data(), a.size());
}

}  // namespace

// --- construction -------------------------------------------------------------------------------

TFicDupli::TFicDupli(TGestFichier* dossier, TGestFichier::TTypeFichier type, bool creer)
    : dossier_(dossier), type_(type) {
  TModuleBDD* module = dossier_->GetModuleBDD();
  if (type_ == TGestFichier::tfLieux && module && module->TableLieuxExist()) {
    store_ = module;
    if (!dossier_->IsReadOnly()) (void)store_->AssureIndexLieux();
    LectureEntete();
    if (NbEnreg == 0 && !creer && TailleFichier(dossier_->FabriqueNomFichier(type_)) > 0) {
      if (Ecrivable()) {
        ImporteFichierDansStore();
      } else {
        // A folder that may not be written reads its places where they still are.
        store_ = nullptr;
        OuvreFichier(false);
        ChargeFichier();
        Trie();
        return;
      }
    }
    ChargeStore();
  } else {
    OuvreFichier(creer);
    ChargeFichier();
    if (ancien_ && dossier_->ModeConversion2 && !dossier_->IsReadOnly()) ConvertitFichier();
  }
  Trie();
}

std::unique_ptr<TFicDupli> TFicDupli::CreationTable() { return std::unique_ptr<TFicDupli>(new TFicDupli()); }

TFicDupli::~TFicDupli() = default;

void TFicDupli::OuvreFichier(bool creer) {
  const AnsiString chemin = dossier_->FabriqueNomFichier(type_);
  // An empty file (cut before its header was written) holds nothing to read.
  const bool existe = FichierExiste(chemin) && TailleFichier(chemin) > 0;
  // A folder of the current format gets its missing value files, rather than turning read-only
  // on a failed opening or stopping on a failed read.
  const bool nouveau = creer || (!existe && !dossier_->IsReadOnly() && !dossier_->IsOldVersion());
  if (!nouveau && !existe) return;
  const size_t taille = nouveau ? 0 : TailleDuFichier(chemin);
  ancien_ = taille ? taille == kTailleEnregAncien : (!nouveau && dossier_->IsOldVersion());
  fichier_ = std::make_unique<TFicBase>(dossier_, type_, TailleEnreg(), "FicDupli", nouveau, true);
  NbEnreg = 0;
  if (nouveau)
    EcritureEntete();
  else
    LectureEntete();
}

void TFicDupli::LectureEntete() {
  NbEnreg = 0;
  if (store_) {
    NbEnreg = std::max(store_->GetNbLieux(), 0L);
    return;
  }
  if (!fichier_ || !fichier_->Valide()) return;
  std::vector<unsigned char> entete(TailleEnreg());
  fichier_->LitEnreg(kEnregEntete, entete.data());
  long long compte = 0;
  const UnicodeString texte = ancien_ ? LitAnsi(entete.data(), 51) : LitUnicode(entete.data(), 51);
  const int64_t presents = fichier_->TailleFichier() / static_cast<int64_t>(TailleEnreg()) - 1;
  // A header that is no count loses nothing: the records the file holds are taken.
  if (!TexteVersEntier(texte, compte) || compte < 0) compte = presents;
  NbEnreg = static_cast<long>(std::clamp<int64_t>(compte, 0, std::max<int64_t>(presents, 0)));
  fichier_->NbEnreg = NbEnreg;
}

void TFicDupli::EcritureEntete() {
  if (!fichier_ || !Ecrivable()) return;
  TEltDupWideChn entete(AnsiVersUnicode(std::to_string(NbEnreg)), {}, {}, 0, kEtatSupprime);
  std::vector<unsigned char> enreg(TailleEnreg(), 0);
  EncodeEnreg(entete, enreg.data(), ancien_);
  fichier_->NbEnreg = NbEnreg;
  fichier_->EcritEnreg(kEnregEntete, enreg.data());
}

void TFicDupli::Flush() {
  if (fichier_) fichier_->Flush();
}

void TFicDupli::ChargeFichier() {
  if (!fichier_ || !fichier_->Valide() || NbEnreg == 0) return;
  // One read of every record rather than one per record.
  const TFichier f = TFichier::Ouvre(fichier_->Chemin(), TAcces::Lecture, TCreation::Existant);
  const size_t taille = TailleEnreg();
  std::vector<unsigned char> octets(static_cast<size_t>(NbEnreg) * taille);
  const int64_t lus = f ? f.LitA(static_cast<int64_t>(taille), octets.data(), octets.size()) : -1;
  if (lus < static_cast<int64_t>(octets.size())) {
    dossier_->CodeErreurOuverture = 1;
    dossier_->SetError(true);
  }
  const long complets = lus > 0 ? static_cast<long>(lus / static_cast<int64_t>(taille)) : 0;
  vecteur_.Reserve(static_cast<size_t>(complets));
  for (long no = 1; no <= complets; ++no)
    (void)vecteur_.Ajoute(DecodeEnreg(octets.data() + static_cast<size_t>(no - 1) * taille, no, ancien_));
}

void TFicDupli::ChargeStore() {
  vecteur_.Reserve(static_cast<size_t>(NbEnreg));
  std::vector<std::pair<long, TLieuBDD>> cles;  // rows whose key column is not their key
  (void)store_->ParcoursLieux([&](long id, const TLieuBDD& l) {
    TEltDupWideChn e;
    e.SetTextes(l.Chn1, l.Chn2, l.Chn3, kLgValeur, kLgCode, kLgComplement);
    e.Numero = id;
    e.Etat = l.FicheSupprimee == kEtatActif ? kEtatActif : kEtatSupprime;
    if (l.Chn4 != e.CleValeur()) {
      TLieuBDD corrige = l;
      corrige.Chn4 = e.CleValeur();
      cles.emplace_back(id, corrige);
    }
    (void)vecteur_.Ajoute(e);
  });
  if (!Ecrivable()) return;
  for (const auto& [id, lieu] : cles) (void)store_->WritePlace(id, lieu);
}

void TFicDupli::ImporteFichierDansStore() {
  TModuleBDD* store = store_;
  store_ = nullptr;
  OuvreFichier(false);
  ChargeFichier();
  fichier_.reset();
  ancien_ = false;
  store_ = store;
  std::vector<TLieuBDD> lieux(static_cast<size_t>(NbEnreg));
  for (const TEltDupWideChn& e : vecteur_.Elements())
    if (e.Numero >= 1 && e.Numero <= NbEnreg)
      lieux[static_cast<size_t>(e.Numero - 1)] = {e.Etat, e.Valeur(), e.Code(), e.Complement(), e.CleValeur()};
  for (TLieuBDD& l : lieux)
    if (l.Chn1.empty() && l.Chn2.empty() && l.Chn3.empty() && l.FicheSupprimee == kEtatActif)
      l.FicheSupprimee = kEtatSupprime;
  vecteur_.Raz();
  if (!lieux.empty()) (void)store_->RemplaceLieux(lieux);
  LectureEntete();
}

void TFicDupli::ConvertitFichier() {
  // Every record in the current layout, by number; the new file replaces the old one whole.
  std::vector<unsigned char> contenu(static_cast<size_t>(NbEnreg + 1) * kTailleEnreg, 0);
  EncodeEnreg(TEltDupWideChn(AnsiVersUnicode(std::to_string(NbEnreg)), {}, {}, 0, kEtatSupprime),
              contenu.data(), false);
  for (const TEltDupWideChn& e : vecteur_.Elements())
    if (e.Numero >= 1 && e.Numero <= NbEnreg)
      EncodeEnreg(e, contenu.data() + static_cast<size_t>(e.Numero) * kTailleEnreg, false);
  if (RemplaceFichier(contenu)) ancien_ = false;
  if (!fichier_) fichier_ = std::make_unique<TFicBase>(dossier_, type_, TailleEnreg(), "FicDupli", false, true);
  LectureEntete();
}

bool TFicDupli::RemplaceFichier(const std::vector<unsigned char>& contenu) {
  fichier_.reset();  // the handle and its lock go before the file is replaced
  return EcritFichierAtomique(dossier_->FabriqueNomFichier(type_),
                              std::string_view(reinterpret_cast<const char*>(contenu.data()), contenu.size()));
}

// --- records ------------------------------------------------------------------------------------

void TFicDupli::EncodeEnreg(const TEltDupWideChn& e, unsigned char* enreg, bool ancien) const {
  const TDisposition& d = ancien ? kAncienne : kCourante;
  if (ancien) {
    EcritAnsi(enreg + d.valeur, kLgValeur + 1, e.Valeur());
    EcritAnsi(enreg + d.code, kLgCode + 1, e.Code());
    EcritAnsi(enreg + d.complement, kLgComplement + 1, e.Complement());
  } else {
    EcritUnicode(enreg + d.valeur, kLgValeur + 1, e.Valeur());
    EcritUnicode(enreg + d.code, kLgCode + 1, e.Code());
    EcritUnicode(enreg + d.complement, kLgComplement + 1, e.Complement());
  }
  enreg[d.etat] = static_cast<unsigned char>(e.Etat);
}

TEltDupWideChn TFicDupli::DecodeEnreg(const unsigned char* enreg, long no, bool ancien) const {
  const TDisposition& d = ancien ? kAncienne : kCourante;
  TEltDupWideChn e;
  if (ancien)
    e.SetTextes(LitAnsi(enreg + d.valeur, kLgValeur + 1), LitAnsi(enreg + d.code, kLgCode + 1),
                LitAnsi(enreg + d.complement, kLgComplement + 1), kLgValeur, kLgCode, kLgComplement);
  else
    e.SetTextes(LitUnicode(enreg + d.valeur, kLgValeur + 1), LitUnicode(enreg + d.code, kLgCode + 1),
                LitUnicode(enreg + d.complement, kLgComplement + 1), kLgValeur, kLgCode, kLgComplement);
  e.Numero = no;
  // Only 'N' is active: a never-written slot (zeros) or a damaged state stays out of the lists.
  e.Etat = enreg[d.etat] == static_cast<unsigned char>(kEtatActif) ? kEtatActif : kEtatSupprime;
  return e;
}

bool TFicDupli::ASupport() const { return store_ || (fichier_ && fichier_->Valide()); }

bool TFicDupli::Ecrivable() const {
  if (!ASupport() || dossier_->IsReadOnly()) return false;
  return !dossier_->IsOldVersion() || dossier_->ModeConversion2;
}

bool TFicDupli::LitElement(long no, TEltDupWideChn& elt) {
  elt = TEltDupWideChn();
  if (no == kEnregAucun || (no < 0 && no != kEnregEntete)) return false;
  if (store_ && no == kEnregEntete) {
    // The store keeps the count itself: the header is the count, as a file's would read.
    elt = TEltDupWideChn(AnsiVersUnicode(std::to_string(NbEnreg)), {}, {}, 0, kEtatSupprime);
    return true;
  }
  if (store_) {
    TLieuBDD l;
    if (!store_->ReadPlace(no, l)) {
      dossier_->CodeErreurOuverture = 1;
      return false;
    }
    elt.SetTextes(l.Chn1, l.Chn2, l.Chn3, kLgValeur, kLgCode, kLgComplement);
    elt.Numero = no;
    elt.Etat = l.FicheSupprimee == kEtatActif ? kEtatActif : kEtatSupprime;
    return true;
  }
  if (!fichier_) return false;
  std::vector<unsigned char> enreg(TailleEnreg());
  fichier_->LitEnreg(no, enreg.data());
  if (dossier_->Erreur) return false;
  elt = DecodeEnreg(enreg.data(), no, ancien_);
  return true;
}

void TFicDupli::EcritElement(long no, const TEltDupWideChn& elt) {
  if (no > NbEnreg) throw ErreurKy("FicDupli : Erreur Enreg");
  if (no == kEnregAucun || (no < 0 && no != kEnregEntete) || !Ecrivable()) return;
  if (store_ && no == kEnregEntete) return;  // the count is the store's own
  if (store_) {
    // A folder in error writes nothing more, and a write never clears an earlier error.
    if (dossier_->Erreur) return;
    const TLieuBDD l{elt.Etat, elt.Valeur().substr(0, kLgValeur), elt.Code().substr(0, kLgCode),
                     elt.Complement().substr(0, kLgComplement), CleDupli(elt.Valeur().substr(0, kLgValeur))};
    if (!store_->WritePlace(no, l)) dossier_->SetError(true);
    return;
  }
  std::vector<unsigned char> enreg(TailleEnreg(), 0);
  EncodeEnreg(elt, enreg.data(), ancien_);
  fichier_->NbEnreg = NbEnreg;
  fichier_->EcritEnreg(no, enreg.data());
}

}  // namespace kyb
