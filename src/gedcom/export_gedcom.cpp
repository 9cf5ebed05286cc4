// The export: persons in number order, the families their links make, then the source and media
// records the events cite.
#include "gedcom/export_gedcom.h"

#include <algorithm>
#include <set>
#include <string_view>

#include "gedcom/export_gedcom_interne.h"
#include "gedcom/lignes_gardees.h"
#include "gedcom/versions_gedcom.h"
#include "gedcom/import_gedcom.h"
#include "persons/gest_pers.h"
#include "platform/ecriture_atomique.h"
#include "version.h"

namespace kyb {
namespace {

std::string Xref(char prefixe, long no) { return std::string("@") + prefixe + std::to_string(no) + "@"; }

// Our extension tags are documented under this URI prefix.
constexpr const char* kUriExtensions = "https://kybase.fr/gedcom/";

// 7.0 extension tags: "_" then capitals, digits and "_".
bool TagExtension(std::string_view tag) {
  if (tag.size() < 2 || tag[0] != '_') return false;
  return std::all_of(tag.begin() + 1, tag.end(), [](char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'; });
}

uint64_t Cle(int32_t a, int32_t b) {
  return (static_cast<uint64_t>(static_cast<uint32_t>(a)) << 32) | static_cast<uint32_t>(b);
}

}  // namespace

TExporteur::TExporteur(TGestFichier& dossier, TEcrivainGedcom& ecrivain, TBilanExportGedcom& bilan)
    : dossier_(dossier),
      bdd_(*dossier.GetModuleBDD()),
      defs_(*dossier.GetDefChpsCs()),
      ecr_(ecrivain),
      bilan_(bilan),
      v7_(ecrivain.Version() == TVersionGedcom::V70) {
  std::map<std::string, std::vector<const TChpCs*>> parTag;
  for (int i = 0; i < defs_.Count(); ++i) {
    const TChpCs* c = defs_.GetChpCs(i);
    if (c && c->IsSimple() && c->SousTagGedCom.size() == 1 && !c->SousTagGedCom[0].empty() &&
        c->GetNbTagGedCom() > 0)
      parTag[c->GetTagGedCom(0)].push_back(c);
  }
  for (auto& [tag, champs] : parTag)
    if (champs.size() > 1 || tag == "NAME") structures_[tag] = std::move(champs);
  for (int i = 0; i < defs_.Count(); ++i) {
    const TChpCs* c = defs_.GetChpCs(i);
    if (!c || !c->IsLiaisonCouple()) continue;
    const AnsiString& l = c->LibelleInterne;
    // A couple's simple field without partner is a field of the family of one spouse.
    if (EvenementDeFamille(Tag(l)) || l == "SOURF" || l == "IMAGE_COUPLE" || c->IsSimple()) familiaux_.insert(l);
  }
}

char TExporteur::Sexe(int32_t no) const {
  return no > 0 && static_cast<size_t>(no) < sexe_.size() ? sexe_[static_cast<size_t>(no)] : 0;
}

std::pair<int32_t, int32_t> TExporteur::Couple(int32_t a, int32_t b) const {
  // The man first; two persons of the same or unknown sex in number order.
  if (a == 0 || b == 0) return {a, b};
  const char sa = Sexe(a), sb = Sexe(b);
  if (sa == 'M' && sb != 'M') return {a, b};
  if (sb == 'M' && sa != 'M') return {b, a};
  if (sa == 'F' && sb != 'F') return {b, a};
  if (sb == 'F' && sa != 'F') return {a, b};
  return a < b ? std::pair{a, b} : std::pair{b, a};
}

int32_t TExporteur::FamilleExistante(int32_t a, int32_t b, int union_) const {
  const auto [h, f] = Couple(a, b);
  if (union_ > 0) {
    const auto it = parUnion_.find({Cle(h, f), union_});
    return it == parUnion_.end() ? 0 : it->second;
  }
  return parCouple_.Trouve(h, f);
}

int32_t TExporteur::Famille(int32_t a, int32_t b, int union_) {
  const auto [h, f] = Couple(a, b);
  const auto nouvelle = static_cast<int32_t>(familles_.size() + 1);
  const int32_t numero = union_ > 0 ? parUnion_.try_emplace({Cle(h, f), union_}, nouvelle).first->second
                                    : parCouple_.Ajoute(h, f, nouvelle);
  if (numero == nouvelle) familles_.push_back({h, f});
  return numero;
}

void TExporteur::Recense() {
  const long n = std::max(bdd_.GetMaxNoPers(), 0L) + 1;
  sexe_.assign(static_cast<size_t>(n), 0);
  pere_.assign(static_cast<size_t>(n), 0);
  mere_.assign(static_cast<size_t>(n), 0);
  debutConj_.assign(static_cast<size_t>(n) + 1, 0);
  debutEnf_.assign(static_cast<size_t>(n) + 1, 0);
  parCouple_.Dimensionne(static_cast<size_t>(n));
  TParcoursLiensPersonnes parcours(bdd_);
  TLiensParcourus p;
  long precedent = 0;
  while (parcours.Suivante(p)) {
    const long no = p.no;
    if (no < 1 || no >= n || no <= precedent) continue;
    for (long k = precedent + 1; k <= no; ++k) {
      debutConj_[static_cast<size_t>(k)] = static_cast<uint32_t>(conj_.size());
      debutEnf_[static_cast<size_t>(k)] = static_cast<uint32_t>(enf_.size());
    }
    precedent = no;
    if (p.supprimee) continue;
    const auto i = static_cast<size_t>(no);
    sexe_[i] = p.sexe;
    pere_[i] = p.pere;
    mere_[i] = p.mere;
    conj_.insert(conj_.end(), p.conjoints.begin(), p.conjoints.end());
    enf_.insert(enf_.end(), p.enfants.begin(), p.enfants.end());
  }
  for (long k = precedent + 1; k <= n; ++k) {
    debutConj_[static_cast<size_t>(k)] = static_cast<uint32_t>(conj_.size());
    debutEnf_[static_cast<size_t>(k)] = static_cast<uint32_t>(enf_.size());
  }
  conj_.shrink_to_fit();
  enf_.shrink_to_fit();
  // Links towards numbers that hold no live person are left out.
  const auto vivant = [&](int32_t x) { return Sexe(x) != 0; };
  for (size_t i = 1; i < static_cast<size_t>(n); ++i) {
    if (!sexe_[i]) continue;
    const int32_t pe = vivant(pere_[i]) ? pere_[i] : 0, me = vivant(mere_[i]) ? mere_[i] : 0;
    if (pe != 0 || me != 0) AjouteEnfant(Famille(pe, me), static_cast<int32_t>(i));
  }
  AjouteUnions();
  AjouteParentsAdoptifs();
  OrdonneEnfants();
  RecenseSansConjoint();
}

void TExporteur::OrdonneEnfants() {
  std::stable_sort(liensEnfants_.begin(), liensEnfants_.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  debutEnfants_.assign(familles_.size() + 1, 0);
  enfantsFam_.reserve(liensEnfants_.size());
  size_t k = 0;
  for (size_t f = 1; f <= familles_.size(); ++f) {
    const auto debut = enfantsFam_.end() - enfantsFam_.begin();
    for (; k < liensEnfants_.size() && liensEnfants_[k].first == static_cast<int32_t>(f); ++k)
      if (std::find(enfantsFam_.begin() + debut, enfantsFam_.end(), liensEnfants_[k].second) == enfantsFam_.end())
        enfantsFam_.push_back(liensEnfants_[k].second);
    debutEnfants_[f] = static_cast<uint32_t>(enfantsFam_.size());
    // Children in the order of the father's list (the mother's without father); others after.
    const TFamilleExport& fam = familles_[f - 1];
    const int32_t parent = fam.mari != 0 ? fam.mari : fam.femme;
    const auto liste = enf_.begin() + debutEnf_[static_cast<size_t>(parent)];
    const auto finListe = enf_.begin() + debutEnf_[static_cast<size_t>(parent) + 1];
    const auto rang = [&](int32_t c) { return std::find(liste, finListe, c) - liste; };
    std::stable_sort(enfantsFam_.begin() + debut, enfantsFam_.end(), [&](int32_t a, int32_t b) { return rang(a) < rang(b); });
  }
  liensEnfants_ = {};
}

void TExporteur::ListesPresentes() {
  const std::pair<TListeEven, std::unordered_set<int32_t>*> listes[] = {{TListeEven::PersAssociees, &avecCites_},
                                                                        {TListeEven::Sources, &avecSources_},
                                                                        {TListeEven::Illustrations, &avecMedias_}};
  for (const auto& [liste, ensemble] : listes)
    for (const long id : bdd_.GetListIdEvenAvec(liste)) ensemble->insert(static_cast<int32_t>(id));
}

void TExporteur::PrepareListes(TEvenement& e) const {
  // A list known to be empty is marked loaded, so that reading it asks nothing of the store.
  if (!e.Enreg.PersAssocieesChargees && !avecCites_.count(e.Enreg.ID)) {
    e.Enreg.PersAssociees.clear();
    e.Enreg.PersAssocieesChargees = true;
  }
  if (!e.Enreg.SourcesChargees && !avecSources_.count(e.Enreg.ID)) {
    e.Enreg.Sources.clear();
    e.Enreg.SourcesChargees = true;
  }
  if (!e.Enreg.IllustrationsChargees && !avecMedias_.count(e.Enreg.ID)) {
    e.Enreg.Illustrations.clear();
    e.Enreg.IllustrationsChargees = true;
  }
}

void TExporteur::Ecrit(const TAvanceeExport& avancee) {
  ListesPresentes();
  // Persons and their records (events and simple fields in one walk) are walked side by side
  // in holder order: one pass over each table, no look-up per person.
  fiches_ = std::make_unique<TParcoursFichesParPorteur>(bdd_, dossier_.NbNotes());
  aFiche_ = FicheSuivante();
  TParcoursIdentites personnes(bdd_);
  TIdentiteParcourue p;
  const long total = dossier_.NombrePersonnes();
  while (personnes.Suivante(p)) {
    if (Sexe(p.no) != 0) EcritIndividu(p);
    if (avancee && p.no % 4096 == 0) avancee(std::min<long>(p.no, total), total);
  }
  if (avancee) avancee(total, total);
  fiches_.reset();
  // Couple records by family, each family's in the order they were met.
  std::stable_sort(fichesFamille_.begin(), fichesFamille_.end(),
                   [](const TFicheFamille& a, const TFicheFamille& b) { return a.famille < b.famille; });
  RepartitUnions();
  lecteur_ = std::make_unique<TLecteurFiches>(bdd_, dossier_.NbNotes());
  const TFicheFamille* fiche = fichesFamille_.data();
  const TFicheFamille* const finFiches = fiche + fichesFamille_.size();
  const TFicheFamille* chargees = fiche;  // the records read ahead end here
  for (size_t f = 1; f <= familles_.size(); ++f) {
    const TFicheFamille* debut = fiche;
    while (fiche != finFiches && fiche->famille == static_cast<int32_t>(f)) ++fiche;
    if (fiche > chargees) {
      // The records of this family and of the next ones, read together.
      int32_t ids[TLecteurFiches::kLot];
      size_t n = 0;
      for (chargees = debut; chargees != finFiches && n < TLecteurFiches::kLot; ++chargees) ids[n++] = chargees->id;
      lecteur_->Charge(ids, n);
    }
    EcritFamille(static_cast<int32_t>(f), debut, fiche);
  }
  lecteur_.reset();
  EcritRecords();
}

bool TExporteur::FicheSuivante() {
  prochainEven_ = TEvenement(&bdd_);  // lists of the next row not yet read
  prochainChps_ = TChpsSimple();
  return fiches_->Suivante(prochainEven_, prochainChps_, estEven_);
}

void TExporteur::FichesDe(int32_t no, std::vector<TEvenement>& evens, std::vector<TChpsSimple>& champs) {
  for (; aFiche_; aFiche_ = FicheSuivante()) {
    const int32_t porteur = estEven_ ? prochainEven_.Enreg.NoPersA : prochainChps_.Enreg.NoPersA;
    if (porteur > no) break;
    if (porteur < no) continue;
    if (estEven_) evens.push_back(std::move(prochainEven_));
    else champs.push_back(std::move(prochainChps_));
  }
}

int32_t TExporteur::FamilleDe(int32_t no, int32_t partenaire, const AnsiString& libelle) {
  if (partenaire != 0 && Sexe(partenaire) != 0) return Famille(no, partenaire);
  // A family event of a person without partner (a family with one spouse) stays a family's.
  if (!familiaux_.count(libelle)) return 0;
  return Sexe(no) == 'F' ? Famille(0, no) : Famille(no, 0);
}

void TExporteur::EcritIndividu(const TIdentiteParcourue& p) {
  const int32_t no = p.no;
  ecr_.Ligne(0, "INDI", {}, Xref('I', no));
  enregistrement_ = "INDI";
  individu_ = no;
  // Records of this person as holder, in rank order; couple records go to their family.
  std::vector<TEvenement> tous;
  std::vector<TChpsSimple> tousChamps;
  FichesDe(no, tous, tousChamps);
  std::vector<TEvenement*> evens;
  for (TEvenement& e : tous) {
    if (const int32_t f = FamilleDe(no, e.Enreg.NoPersB, e.Enreg.LibelleChamps)) {
      fichesFamille_.push_back({f, e.Enreg.ID, true, e.IsLibelleChamps(kLibelleUnion)});
      continue;
    }
    PrepareListes(e);
    evens.push_back(&e);
  }
  std::vector<const TChpsSimple*> champs, nom;
  for (const TChpsSimple& c : tousChamps) {
    if (const int32_t f = FamilleDe(no, c.Enreg.NoPersB, c.Enreg.LibelleChamps)) {
      fichesFamille_.push_back({f, c.Enreg.ID, false, false});
      continue;
    }
    const TChpCs* s = ChampDeStructure(c.Enreg.LibelleChamps);
    (s && s->GetTagGedCom(0) == "NAME" ? nom : champs).push_back(&c);
  }
  // The name's prefix and suffix fields stand around it on the NAME line ("Dr. Jean /Martin/ Jr.").
  std::string prefixe, suffixe;
  for (const TChpsSimple* c : nom) {
    const AnsiString& sous = ChampDeStructure(c->Enreg.LibelleChamps)->SousTagGedCom[0];
    if (sous == "NPFX") prefixe = UnicodeVersUtf8(c->Enreg.Donnee);
    if (sous == "NSFX") suffixe = UnicodeVersUtf8(c->Enreg.Donnee);
  }
  EcritNom(p, prefixe, suffixe);
  for (const TChpsSimple* c : nom) ecr_.Ligne(2, ChampDeStructure(c->Enreg.LibelleChamps)->SousTagGedCom[0], UnicodeVersUtf8(c->Enreg.Donnee));
  ecr_.Ligne(1, "SEX", ValeurSexe(p.sexe, p.note));
  if (p.typePersonne == 'T') ecr_.Ligne(1, "_TEMOIN", "Y");
  EcritChampsSimples(champs, 1);
  for (TEvenement* e : evens) EcritEvenement(*e, 1);
  EcritFamc(no, p.note);
  for (const int32_t f : FamillesConjoint(no)) {
    ecr_.Pointeur(1, "FAMS", Xref('F', f));
    EcritLienGarde(no, "FAMS", f);
  }
  static constexpr std::string_view kIndividu[] = {"INDI"};
  EcritNote(p.note, 1, kIndividu);
  ++bilan_.personnes;
}

std::vector<int32_t> TExporteur::EnfantsFamille(int32_t f) {
  std::vector<int32_t> enfants;
  // Families made while persons were written have no child.
  if (static_cast<size_t>(f) >= debutEnfants_.size()) return enfants;
  enfants.assign(enfantsFam_.begin() + debutEnfants_[static_cast<size_t>(f) - 1],
                 enfantsFam_.begin() + debutEnfants_[static_cast<size_t>(f)]);
  if (const auto r = enfantsRetires_.find(f); r != enfantsRetires_.end()) {
    std::erase_if(enfants, [&](int32_t c) { return std::find(r->second.begin(), r->second.end(), c) != r->second.end(); });
    enfantsRetires_.erase(r);
  }
  if (const auto a = enfantsAjoutes_.find(f); a != enfantsAjoutes_.end()) {
    const TFamilleExport& fam = familles_[static_cast<size_t>(f) - 1];
    const int32_t parent = fam.mari != 0 ? fam.mari : fam.femme;
    const auto debut = enf_.begin() + debutEnf_[static_cast<size_t>(parent)];
    const auto fin = enf_.begin() + debutEnf_[static_cast<size_t>(parent) + 1];
    const auto rang = [&](int32_t c) { return std::find(debut, fin, c) - debut; };
    for (const int32_t no : a->second)
      if (std::find(enfants.begin(), enfants.end(), no) == enfants.end())
        enfants.insert(std::upper_bound(enfants.begin(), enfants.end(), no, [&](int32_t x, int32_t y) { return rang(x) < rang(y); }), no);
    enfantsAjoutes_.erase(a);
  }
  return enfants;
}

void TExporteur::EcritFamille(int32_t no, const TFicheFamille* debut, const TFicheFamille* fin) {
  if (EcritSansConjoint(no)) return;
  ecr_.Ligne(0, "FAM", {}, Xref('F', no));
  enregistrement_ = "FAM";
  EcritMembres(no);
  // The couple's records, read back one by one.
  std::vector<TChpsSimple> champs;
  for (const TFicheFamille* r = debut; r != fin; ++r)
    if (!r->estEven && !lecteur_->ChampSimple(r->id, champs.emplace_back())) champs.pop_back();
  std::vector<const TChpsSimple*> pointeurs;
  for (const TChpsSimple& c : champs) pointeurs.push_back(&c);
  EcritChampsSimples(pointeurs, 1);
  for (const TFicheFamille* r = debut; r != fin; ++r) {
    TEvenement e(&bdd_);
    if (!r->estEven || !lecteur_->Evenement(r->id, e)) continue;
    PrepareListes(e);
    EcritEvenement(e, 1);
  }
  static constexpr std::string_view kFamille[] = {"FAM"};
  if (const auto n = notesFamille_.find(no); n != notesFamille_.end()) {
    for (const TNoteFamille& note : n->second) {
      ecr_.Ligne(1, "NOTE", note.texte);
      EcritSousLignesNote(note.sous, 1, kFamille);
      ++bilan_.notes;
    }
    notesFamille_.erase(n);
  }
  if (const auto g = gardeesFamille_.find(no); g != gardeesFamille_.end()) {
    if (!g->second.empty()) EcritGardees(g->second, 1, kFamille);
    gardeesFamille_.erase(g);
  }
  ++bilan_.familles;
}

void TExporteur::EcritRecords() {
  // Source records with the lines an import kept (AUTH, PUBL, REPO...), then the kept records.
  TBlocsGardes gardees(TexteGardeGenealogie(dossier_, kTitreSourcesGedcom));
  const TTraduitPointeur traduit = [this](const std::string& v) { return PointeurGarde(v); };
  for (const auto* s : ordreSources_) {
    ecr_.Ligne(0, "SOUR", {}, Xref('S', s->second));
    ecr_.Ligne(1, "TITL", UnicodeVersUtf8(s->first.second));
    const std::string type = UnicodeVersUtf8(s->first.first);
    if (!type.empty()) ecr_.Ligne(1, "_TYPE", type);
    static constexpr std::string_view kSource[] = {"SOUR"};
    (void)gardees.EcritSousLignes(ecr_, "SOUR", CleCitation(s->first.second), 0, kSource, &type, &traduit);
  }
  // Kept records before the media: their medium links may add media records.
  std::vector<TLigneGardee> enregistrements = LitLignesGardees(TexteGardeGenealogie(dossier_, kTitreEnregistrementsGedcom));
  for (TLigneGardee& l : enregistrements)
    if (const std::string* nom = l.niveau == 0 ? EnregistrementGarde(l.xref) : nullptr) l.xref = *nom;
  bilan_.lignesGardeesRetirees += EcritLignesGardees(ecr_, enregistrements, 0, enregistrements.size(), 0, {}, &traduit);
  for (std::size_t i = 0; i < ordreMedias_.size(); ++i) {  // kept lines may add media
    const auto* m = ordreMedias_[i];
    ecr_.Ligne(0, "OBJE", {}, Xref('O', m->second));
    if (EcritMediaGarde(m->first)) continue;
    ecr_.Ligne(1, "FILE", m->first);
    if (const std::string format = FormatMedia(m->first); !format.empty()) ecr_.Ligne(2, "FORM", format);
  }
  EcritNotesPartagees();
}

namespace {

// A name this export gives its own records: @I12@, @F3@, @S1@, @O2@, @N4@, the submitter's.
bool NomDeLExport(std::string_view xref) {
  if (xref == kSoumetteurGedcom || xref == "@VOID@") return true;
  if (xref.size() < 4 || xref.find_first_of("IFSON") != 1) return false;
  const std::string_view chiffres = xref.substr(2, xref.size() - 3);
  return std::all_of(chiffres.begin(), chiffres.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

const std::string* TExporteur::EnregistrementGarde(const std::string& xref) {
  if (!xrefsGardes_) {
    xrefsGardes_.emplace();
    std::vector<std::string> lus;
    for (const TLigneGardee& l : LitLignesGardees(TexteGardeGenealogie(dossier_, kTitreEnregistrementsGedcom)))
      if (l.niveau == 0 && !l.xref.empty()) lus.push_back(l.xref);
    const std::set<std::string> pris(lus.begin(), lus.end());
    for (const std::string& x : lus) {
      // @S3@ becomes @KS3@ (@KKS3@ when the file has a @KS3@ of its own).
      std::string nom = x;
      while (NomDeLExport(nom) || (nom != x && pris.contains(nom))) nom.insert(1, "K");
      xrefsGardes_->emplace(x, nom);
    }
  }
  const auto it = xrefsGardes_->find(xref);
  return it == xrefsGardes_->end() ? nullptr : &it->second;
}

std::string TExporteur::FormatMedia(const std::string& chemin) const {
  const AnsiString ext = ExtraitExtension(Utf8VersAnsi(chemin));
  const std::string format = ext.size() > 1 ? AnsiVersUtf8(ext.substr(1)) : std::string();
  if (!v7_) return format;
  // 7.0 names a medium's format by its media type.
  const std::string type = TypeMedia(format);
  return type.empty() ? std::string("application/octet-stream") : type;
}

std::vector<std::string> TExporteur::Extensions() const {
  // Ours, then those of the field definitions (tags and sub-tags).
  std::set<std::string> tags(std::begin(kExtensionsPropres), std::end(kExtensionsPropres));
  for (int i = 0; i < defs_.Count(); ++i) {
    const TChpCs* c = defs_.GetChpCs(i);
    if (!c || c->IsBase()) continue;
    tags.insert(Tag(c->LibelleInterne));
    for (const AnsiString& sous : c->SousTagGedCom) tags.insert(AnsiVersUtf8(sous));
  }
  if (ExtensionsGardees(tags))
    for (std::string& t : ExtensionsDeVersion(TVersionGedcom::V70)) tags.insert(std::move(t));
  for (const char* titre : {kTitreSourcesGedcom, kTitreEnregistrementsGedcom, kTitreFamillesSansConjoint})
    for (const TLigneGardee& l : LitLignesGardees(TexteGardeGenealogie(dossier_, titre)))
      if (l.tag.starts_with('_')) tags.insert(l.tag);
  std::vector<std::string> r;
  for (const std::string& t : tags)
    if (TagExtension(t)) r.push_back(t);
  return r;
}

bool ExporteGedcom(TGestFichier& dossier, TVersionGedcom version, const TEcrivainGedcom::TSortie& sortie,
                   TBilanExportGedcom& bilan, const TAvanceeExport& avancee) {
  if (!dossier.GetModuleBDD() || !dossier.GetDefChpsCs() || dossier.Erreur) {
    bilan.erreur = "le dossier généalogique n'est pas ouvert";
    return false;
  }
  TEcrivainGedcom ecrivain(version, sortie);
  ecrivain.Entete(kSystemeGedcom, KYBASE_VERSION);
  // The submitter record 5.5.1 asks for: the genealogy itself.
  ecrivain.Pointeur(1, "SUBM", kSoumetteurGedcom);
  TExporteur exporteur(dossier, ecrivain, bilan);
  if (version == TVersionGedcom::V70) {
    ecrivain.Ligne(1, "SCHMA");
    for (const auto& [tag, uri] : exporteur.Schema(kUriExtensions)) ecrivain.Ligne(2, "TAG", tag + " " + uri);
  }
  {
    // Both passes read in one transaction, through a small page cache.
    const TLectureDeParcours lecture(*dossier.GetModuleBDD());
    exporteur.Recense();
    exporteur.Ecrit(avancee);
  }
  ecrivain.Ligne(0, "SUBM", {}, kSoumetteurGedcom);
  ecrivain.Ligne(1, "NAME", dossier.Nom.empty() ? std::string("kybase") : AnsiVersUtf8(dossier.Nom));
  ecrivain.Fin();
  bilan.reussi = true;
  return true;
}

TBilanExportGedcom ExporteFichierGedcom(TGestFichier& dossier, const AnsiString& cheminGed, TVersionGedcom version,
                                        const TAvanceeExport& avancee) {
  TBilanExportGedcom bilan;
  TEcritureAtomique fichier(cheminGed);
  if (!fichier.Ouvert()) {
    bilan.erreur = "impossible de créer le fichier « " + AnsiVersUtf8(cheminGed) + " »";
    return bilan;
  }
  bool ecrit = true;
  const bool ok = ExporteGedcom(dossier, version, [&](std::string_view morceau) {
    ecrit = ecrit && fichier.Ajoute(morceau.data(), morceau.size());
  }, bilan, avancee);
  if (ok && (!ecrit || !fichier.Valide())) {
    bilan.reussi = false;
    bilan.erreur = "écriture du fichier « " + AnsiVersUtf8(cheminGed) + " » impossible (disque plein ?)";
  }
  return bilan;
}

}  // namespace kyb
