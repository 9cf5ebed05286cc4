#include "folder/gest_fic_sosa.h"

#include <algorithm>
#include <bit>
#include <unordered_set>

#include "folder/bo_math.h"
#include "folder/gest_fic_pers.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"

namespace kyb {

long asNoStradoCujus = 0;

static_assert(std::endian::native == std::endian::little, "the Sosa records are read in place");

namespace {

// Bytes of the magnitude needed for seven 30-bit digits.
constexpr long kOctetsChiffres = (TSosa::kChiffres * TSosa::kBitsChiffre + 7) / 8;
constexpr uint32_t kMasqueChiffre = (1U << TSosa::kBitsChiffre) - 1;

// True when s lies strictly above c in c's own ancestry: the person numbered c met again as s is
// its own ancestor.
bool EstAscendantDe(const NTL::ZZ& s, const NTL::ZZ& c) {
  if (c <= 0 || IsSosaMax(c) || IsSosaMax(s)) return false;
  const long ecart = NTL::NumBits(s) - NTL::NumBits(c);
  return ecart > 0 && (s >> ecart) == c;
}

}  // namespace

TParentsCharges::TParentsCharges(TFicSosas& s, bool grandParcours) : s_(s) {
  const TFicPersons* f = s_.dossier_->GetFicPersons();
  TModuleBDD* store = s_.dossier_->GetModuleBDD();
  if (!f || !store || f->AncienFormat() || !s_.parents_.empty() || s_.lecteur_) return;  // an outer walk's
  if (grandParcours && f->NbEnreg >= s_.SeuilChargementParents) {
    table_ = store->ChargeParentsSosa(f->NbEnreg, s_.parents_);
    s_.dossier_->MarqueLecture(IdThread());  // persons were read, as a person object stamps it
  } else {
    s_.lecteur_ = std::make_unique<TLecteurParentsSosa>(*store);
    lecteur_ = true;
  }
}

TParentsCharges::~TParentsCharges() {
  if (lecteur_) s_.lecteur_.reset();
  if (table_) std::vector<TParentsSosa>().swap(s_.parents_);
}

// Reads the records 0..NbPersonnes into the image when the parents were loaded for the walk;
// writes the changed blocks back and releases the image at the end.
struct TFicSosas::TImageChargee {
  explicit TImageChargee(TFicSosas& s) : s_(s) {
    if (s_.parents_.empty() || !s_.Ecrivable()) return;
    const size_t n = static_cast<size_t>(s_.NbPersonnes()) + 1;
    s_.image_.assign(n, TSosa());
    for (size_t debut = 0; debut < n; debut += kEnregsParBloc) {
      const size_t nb = std::min<size_t>(kEnregsParBloc, n - debut);
      const int64_t lus = s_.fichier_.LitA(static_cast<int64_t>(debut * TSosa::kTaille), &s_.image_[debut],
                                           nb * TSosa::kTaille);
      if (lus < 0) {
        s_.dossier_->SetError(true);
        s_.image_.clear();
        return;
      }
      // A record cut short by the end of the file reads as 0, as it does record by record.
      if (static_cast<size_t>(lus) < nb * TSosa::kTaille) {
        const size_t complets = static_cast<size_t>(lus) / TSosa::kTaille;
        std::fill(s_.image_.begin() + static_cast<long>(debut + complets), s_.image_.begin() + static_cast<long>(debut + nb),
                  TSosa());
      }
    }
    s_.blocsModifies_.assign((n + kEnregsParBloc - 1) / kEnregsParBloc, false);
  }
  ~TImageChargee() {
    const size_t n = s_.image_.size();
    for (size_t b = 0; b < s_.blocsModifies_.size() && !s_.dossier_->Erreur; ++b) {
      if (!s_.blocsModifies_[b]) continue;
      const size_t debut = b * kEnregsParBloc, nb = std::min<size_t>(kEnregsParBloc, n - debut);
      const int64_t ecrits = s_.fichier_.EcritA(static_cast<int64_t>(debut * TSosa::kTaille), &s_.image_[debut],
                                                nb * TSosa::kTaille);
      s_.dossier_->SetError(ecrits != static_cast<int64_t>(nb * TSosa::kTaille));
    }
    std::vector<TSosa>().swap(s_.image_);
    std::vector<bool>().swap(s_.blocsModifies_);
  }
  TImageChargee(const TImageChargee&) = delete;
  TImageChargee& operator=(const TImageChargee&) = delete;

 private:
  TFicSosas& s_;
};

// --- TSosa ---

void TSosa::Ecrit(const NTL::ZZ& valeur) {
  mots_.fill(0);
  if (IsSosaMax(valeur) || NTL::NumBits(valeur) > kChiffres * kBitsChiffre) {
    std::fill(mots_.begin(), mots_.begin() + 9, kMarqueMax);
    return;
  }
  std::array<uint8_t, kOctetsChiffres> octets{};
  NTL::BytesFromZZ(octets.data(), valeur, kOctetsChiffres);  // |valeur|, least significant first
  uint64_t reserve = 0;  // bits read from the bytes and not yet placed in a digit
  int bits = 0;
  size_t o = 0;
  int k = 0;
  for (int i = 0; i < kChiffres; ++i) {
    for (; bits < kBitsChiffre && o < octets.size(); bits += 8) reserve |= static_cast<uint64_t>(octets[o++]) << bits;
    const uint32_t chiffre = static_cast<uint32_t>(reserve) & kMasqueChiffre;
    reserve >>= kBitsChiffre;
    bits = std::max(0, bits - kBitsChiffre);
    mots_[2 + static_cast<size_t>(i)] = chiffre;
    if (chiffre) k = i + 1;
  }
  mots_[0] = kCapacite;
  k = std::max(k, 1);
  mots_[1] = static_cast<uint32_t>(NTL::sign(valeur) < 0 ? -k : k);
}

bool TSosa::EstMarqueMax() const {
  return std::all_of(mots_.begin(), mots_.begin() + 9, [](uint32_t m) { return m == kMarqueMax; });
}

bool TSosa::EstValide() const {
  if (static_cast<int32_t>(mots_[0]) < 0 || mots_[0] > 65535) return false;
  const int32_t n = static_cast<int32_t>(mots_[1]);
  if (n == 0 || n > kChiffres || n < -kChiffres) return false;
  return std::all_of(mots_.begin() + 2, mots_.begin() + 9, [](uint32_t m) { return m <= kMasqueChiffre; });
}

bool TSosa::EstZero() const {
  if (EstMarqueMax()) return false;
  if (!EstValide()) return true;
  return std::all_of(mots_.begin() + 2, mots_.begin() + 9, [](uint32_t m) { return m == 0; });
}

NTL::ZZ TSosa::Lit() const {
  NTL::ZZ valeur;
  if (EstMarqueMax()) {
    SetSosaMax(valeur);
    return valeur;
  }
  if (!EstValide()) return valeur;
  const int32_t n = static_cast<int32_t>(mots_[1]);
  std::array<uint8_t, kOctetsChiffres> octets{};
  uint64_t reserve = 0;  // bits of the digits not yet written to the bytes
  int bits = 0;
  size_t o = 0;
  for (int i = 0; i < std::abs(n); ++i) {
    reserve |= static_cast<uint64_t>(mots_[2 + static_cast<size_t>(i)]) << bits;
    for (bits += kBitsChiffre; bits >= 8 && o < octets.size(); bits -= 8, reserve >>= 8)
      octets[o++] = static_cast<uint8_t>(reserve);
  }
  if (o < octets.size() && bits > 0) octets[o] = static_cast<uint8_t>(reserve);
  NTL::ZZFromBytes(valeur, octets.data(), kOctetsChiffres);
  if (n < 0) NTL::negate(valeur, valeur);
  return valeur;
}

// --- TFicSosas: the file ---

TFicSosas::TFicSosas(TGestFichier* dossier, bool creer) : dossier_(dossier) {
  chemin_ = dossier_->FabriqueNomFichier(TGestFichier::tfSosas);
  const bool absent = !FichierExiste(chemin_);
  if (!creer && absent && dossier_->IsReadOnly()) return;  // nothing to read, nothing to create
  const bool cree = creer || absent;
  const bool ecrivable = !dossier_->IsReadOnly();
  const bool erreurAvant = dossier_->Erreur;
  fichier_ = dossier_->OuvertureFichier(chemin_, cree);
  if (cree) {
    EcritEntete();
    return;
  }
  // An existing file whose header cannot be read is replaced by an empty one, when it could be
  // opened for writing (a file that could not be opened at all is left alone).
  TSosa entete;
  if (!fichier_.Valide()) return;
  const bool lu = fichier_.LitA(0, entete.Octets(), TSosa::kTaille) == static_cast<int64_t>(TSosa::kTaille);
  if (lu || erreurAvant || !ecrivable || !fichier_.EnEcriture()) return;
  dossier_->SetError(true);
  fichier_.Ferme();
  if (!SupprimeFichier(chemin_)) return;
  dossier_->SetError(false);
  fichier_ = dossier_->OuvertureFichier(chemin_, true);
  EcritEntete();
}

TFicSosas::~TFicSosas() = default;

long TFicSosas::NbPersonnes() const {
  const TFicPersons* f = dossier_->GetFicPersons();
  return f ? f->NbEnreg : 0;
}

bool TFicSosas::Ecrivable() const {
  return fichier_.Valide() && fichier_.EnEcriture() && !dossier_->IsReadOnly() && !dossier_->Erreur;
}

void TFicSosas::LitSosa(long no, TSosa& sosa) {
  if (no >= 1 && static_cast<size_t>(no) < image_.size()) {
    sosa = image_[static_cast<size_t>(no)];
    return;
  }
  sosa = TSosa();
  if (!fichier_.Valide() || no == 0 || (no < 0 && no != kEnregEntete) || dossier_->Erreur) return;
  const int64_t position = no == kEnregEntete ? 0 : static_cast<int64_t>(no) * TSosa::kTaille;
  // Beyond the end of the file the record reads as zeros: the file grows as numbers are written.
  // A record cut short reads as 0 too, never as the part of a number that it holds.
  const int64_t lus = fichier_.LitA(position, sosa.Octets(), TSosa::kTaille);
  if (lus != static_cast<int64_t>(TSosa::kTaille)) sosa = TSosa();
  dossier_->SetError(lus < 0);
}

void TFicSosas::EcritSosa(long no, const TSosa& sosa) {
  if (!Ecrivable() || no == 0 || (no < 0 && no != kEnregEntete)) return;
  if (no >= 1 && static_cast<size_t>(no) < image_.size()) {
    image_[static_cast<size_t>(no)] = sosa;
    blocsModifies_[static_cast<size_t>(no) / kEnregsParBloc] = true;
    return;
  }
  const int64_t position = no == kEnregEntete ? 0 : static_cast<int64_t>(no) * TSosa::kTaille;
  const int64_t ecrits = fichier_.EcritA(position, sosa.Octets(), TSosa::kTaille);
  dossier_->SetError(ecrits != static_cast<int64_t>(TSosa::kTaille));
}

void TFicSosas::EcritEntete() { EcritSosa(kEnregEntete, TSosa()); }

void TFicSosas::Flush() {
  if (fichier_.Valide() && fichier_.EnEcriture()) (void)fichier_.Synchronise();
}

NTL::ZZ TFicSosas::LectureNoStrado(long no, NTL::ZZ* sortie) {
  TSosa enreg;
  LitSosa(no, enreg);
  NTL::ZZ valeur = enreg.Lit();
  if (sortie) *sortie = valeur;
  return valeur;
}

void TFicSosas::EcritureNoStrado(long no, const NTL::ZZ& sosa) {
  if (NoDansFichier(no)) EcritSosa(no, TSosa(sosa));
}

void TFicSosas::EcritureNoStradoZero(long no) { EcritureNoStrado(no, NTL::ZZ(0)); }
void TFicSosas::EcritureNoStradoMoinsUn(long no) { EcritureNoStrado(no, NTL::ZZ(-1)); }

bool TFicSosas::IsExist(long no) {
  TSosa enreg;
  LitSosa(no, enreg);
  return !enreg.EstZero();
}

AnsiString TFicSosas::ChargeNoStrado(long no, NTL::ZZ* sortie, bool marque) {
  if (no == 0 && !marque) return {};
  const NTL::ZZ valeur = LectureNoStrado(no, sortie);
  if (marque && NTL::IsZero(valeur)) return "1";
  return ZZtoAnsiString(&valeur, true);
}

bool TFicSosas::InitFichierStrado() {
  if (!Ecrivable()) return false;
  const long nb = NbPersonnes();
  const std::vector<uint8_t> bloc(kEnregsParBloc * TSosa::kTaille, 0);
  long debut = 0;
  int blocs = 0;
  while (debut + kEnregsParBloc + 1 <= nb) {
    const int64_t ecrits = fichier_.EcritA(debut * static_cast<int64_t>(TSosa::kTaille), bloc.data(), bloc.size());
    dossier_->SetError(ecrits != static_cast<int64_t>(bloc.size()));
    if (dossier_->Erreur) return false;
    debut += kEnregsParBloc;
    if (++blocs % 3 == 0 && AvancementSelCujus) {
      AvancementSelCujus->Position(static_cast<int>(debut));
      if (AvancementSelCujus->Annulee()) return false;
    }
  }
  for (; debut <= nb && !dossier_->Erreur; ++debut) EcritSosa(debut == 0 ? kEnregEntete : debut, TSosa());
  return !dossier_->Erreur;
}

long TFicSosas::ChercheRacine() {
  if (!fichier_.Valide() || dossier_->Erreur) return 0;
  const long nb = NbPersonnes();
  std::vector<TSosa> bloc(kEnregsParBloc);
  for (long debut = 1; debut <= nb; debut += kEnregsParBloc) {
    std::fill(bloc.begin(), bloc.end(), TSosa());
    const int64_t lus = fichier_.LitA(debut * static_cast<int64_t>(TSosa::kTaille), bloc.data(),
                                      bloc.size() * TSosa::kTaille);
    const long complets = lus <= 0 ? 0 : static_cast<long>(lus / static_cast<int64_t>(TSosa::kTaille));
    for (long i = 0; i < complets && debut + i <= nb; ++i)
      if (!bloc[static_cast<size_t>(i)].EstZero() && bloc[static_cast<size_t>(i)].Lit() == 1) return debut + i;
    if (complets < kEnregsParBloc) break;  // the end of the file
  }
  return 0;
}

TParentsSosa TFicSosas::Parents(long no) {
  if (no >= 1 && static_cast<size_t>(no) < parents_.size()) return parents_[static_cast<size_t>(no)];
  TParentsSosa parents;
  if (lecteur_) {
    if (NoDansFichier(no) && !dossier_->Erreur) (void)lecteur_->Lit(no, parents);
    dossier_->MarqueLecture(IdThread());
    return parents;
  }
  const TEnregPublic& p = Lit(no);
  return {p.Pere.No, p.Mere.No};
}

const TEnregPublic& TFicSosas::Lit(long no) {
  personne_.Raz();
  if (TFicPersons* f = dossier_->GetFicPersons()) f->LitPublicParentsAffiches(no, personne_);
  dossier_->MarqueLecture(IdThread());
  return personne_;
}

// --- numbering ---

TBilanNumerotation TFicSosas::NumeroterPersNo(long no, const NTL::ZZ& sosa) {
  TBilanNumerotation bilan;
  if (!Ecrivable()) return bilan;
  struct TVisite {
    long no;
    NTL::ZZ sosa;
  };
  const TParentsCharges charges(*this);
  const TImageChargee image(*this);
  std::vector<TVisite> pile;
  pile.push_back({no, sosa});
  TSosa enreg;
  while (!pile.empty() && !dossier_->Erreur) {
    const TVisite v = std::move(pile.back());
    pile.pop_back();
    if (AvancementSelCujus && v.no % 3 != 0) {
      AvancementSelCujus->Position(static_cast<int>(v.no));
      if (AvancementSelCujus->Annulee()) {
        bilan.Interrompue = true;
        break;
      }
    }
    if (!NoDansFichier(v.no)) continue;
    LitSosa(v.no, enreg);
    // A person reached by several lines keeps the smallest number.
    if (!enreg.EstZero()) {
      const NTL::ZZ actuel = enreg.Lit();
      if (actuel <= v.sosa) {
        if (EstAscendantDe(v.sosa, actuel)) bilan.Boucles.push_back(v.no);
        continue;
      }
    }
    EcritSosa(v.no, TSosa(v.sosa));
    ++bilan.Ecritures;
    const TParentsSosa p = Parents(v.no);
    NTL::ZZ pere = RetSosaDuParent(v.sosa, true);
    NTL::ZZ mere = IsSosaMax(pere) ? pere : pere + 1;
    // The father's line is walked first: it goes on the stack last.
    pile.push_back({p.Mere, std::move(mere)});
    pile.push_back({p.Pere, std::move(pere)});
  }
  return bilan;
}

void TFicSosas::DenumeroterPersNo(long no, bool moinsUn) {
  if (no == 0) return;
  const NTL::ZZ actuel = LectureNoStrado(no);
  if (NTL::IsZero(actuel) || actuel == 1) return;
  short profondeur = 0;
  Denumerote(no, profondeur, moinsUn);
}

void TFicSosas::Denumerote(long no, short& profondeur, bool moinsUn) {
  if (!Ecrivable()) return;
  struct TVisite {
    long no;
    short profondeur;  // of the child that leads here
  };
  const TParentsCharges charges(*this);
  const TImageChargee image(*this);
  std::vector<TVisite> pile{{no, profondeur}};
  const TSosa efface(NTL::ZZ(moinsUn ? -1 : 0));
  TSosa enreg;
  while (!pile.empty() && !dossier_->Erreur) {
    const TVisite v = pile.back();
    pile.pop_back();
    if (!NoDansFichier(v.no)) continue;
    LitSosa(v.no, enreg);
    if (enreg.EstZero() || enreg.Lit() == -1) continue;
    const short ici = static_cast<short>(v.profondeur + 1);
    if (ici > kProfondeurMax) continue;
    EcritSosa(v.no, efface);
    const TParentsSosa p = Parents(v.no);
    if (p.Mere) pile.push_back({p.Mere, ici});
    if (p.Pere) pile.push_back({p.Pere, ici});
  }
}

std::vector<long> TFicSosas::EnfantsDe(long no, const std::array<TLienPers, kMaxEnfants>& liste) {
  std::vector<long> enfants;
  for (const TLienPers& e : liste)
    if (e.No != 0 && NoDansFichier(e.No)) enfants.push_back(e.No);
  // A child whose record names the person as parent counts even when the person's list lacks it.
  const TFicPersons* f = dossier_->GetFicPersons();
  TModuleBDD* m = dossier_->GetModuleBDD();
  if (f && !f->AncienFormat() && m)
    for (const long e : m->EnfantsParLiens(no))
      if (NoDansFichier(e) && std::find(enfants.begin(), enfants.end(), e) == enfants.end()) enfants.push_back(e);
  return enfants;
}

NTL::ZZ TFicSosas::PlusPetitNoEnfant(const std::vector<long>& enfants) {
  NTL::ZZ plusPetit;
  for (const long e : enfants) {
    const NTL::ZZ s = LectureNoStrado(e);
    if (s > 0 && (NTL::IsZero(plusPetit) || s < plusPetit)) plusPetit = s;
  }
  return plusPetit;
}

NTL::ZZ TFicSosas::InfNoStradoEnfants(long no) {
  if (!NoDansFichier(no)) return NTL::ZZ(0);
  const auto liste = Lit(no).Enfants;
  return PlusPetitNoEnfant(EnfantsDe(no, liste));
}

bool TFicSosas::SpecNumeroterPersNo(long no) {
  if (!Ecrivable()) return false;
  bool numerote = false;
  std::vector<long> pile{no};
  std::unordered_set<long> faits;  // persons whose number this call already settled
  while (!pile.empty() && !dossier_->Erreur) {
    const long n = pile.back();
    pile.pop_back();
    if (!NoDansFichier(n)) continue;
    const TEnregPublic& p = Lit(n);
    const long pere = p.Pere.No, mere = p.Mere.No;
    const bool femme = p.Sexe == 'F';
    const NTL::ZZ enfant = PlusPetitNoEnfant(EnfantsDe(n, p.Enfants));
    if (NTL::IsZero(enfant) || IsSosaMax(enfant)) continue;
    const NTL::ZZ sosa = RetSosaDuParent(enfant, !femme);
    const bool inchange = LectureNoStrado(n) == sosa;
    EcritureNoStrado(n, sosa);
    numerote |= n == no;
    if (inchange && !faits.insert(n).second) continue;  // already settled through another line
    faits.insert(n);
    if (mere) pile.push_back(mere);
    if (pere) pile.push_back(pere);
  }
  return numerote;
}

bool TFicSosas::MsgSpecNumeroterPersNo(long no) {
  const bool numerote = SpecNumeroterPersNo(no);
  if (!numerote && dossier_->Proprietaire)
    dossier_->Proprietaire->Message(u"Numérotation Sosa",
                                    u"Aucun enfant de cette personne n'a de numéro Sosa : elle ne peut pas "
                                    u"être numérotée.");
  return numerote;
}

long TFicSosas::RechercheStrado2No(long noDepart, const NTL::ZZ& sosa, bool& abandon) {
  if (sosa < 1 || IsSosaMax(sosa)) return 0;
  const int g = CalculGen(sosa);
  // Bit i tells the step from generation g - i - 1 to g - i: 0 to the father, 1 to the mother.
  std::vector<bool> versMere(static_cast<size_t>(g));
  for (int i = 0; i < g; ++i) versMere[static_cast<size_t>(i)] = NTL::bit(sosa, i) != 0;
  TInterfaceUtilisateur* iu = dossier_->Proprietaire;
  const TParentsCharges charges(*this, false);
  NTL::ZZ courant(1);
  long personne = noDepart;
  int etape = g;
  while (personne != 0 && courant != sosa && !abandon && etape > 0) {
    if (iu) {
      iu->TraiteMessages();
      abandon = abandon || iu->AnnulationDemandee();
      if (abandon) break;
    }
    if (!NoDansFichier(personne)) return 0;
    const TParentsSosa p = Parents(personne);
    const bool mere = versMere[static_cast<size_t>(--etape)];
    courant <<= 1;
    if (mere) courant += 1;
    personne = mere ? p.Mere : p.Pere;
  }
  return courant == sosa && !abandon ? personne : 0;
}

}  // namespace kyb
