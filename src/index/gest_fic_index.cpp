#include "index/gest_fic_index.h"

#include <algorithm>
#include <cmath>

#include "folder/gest_fic.h"
#include "folder/gest_fic_pers.h"
#include "names/cles_personne.h"
#include "persons/gest_pers.h"
#include "platform/erreur.h"
#include "platform/fichiers.h"
#include "platform/journal.h"
#include "platform/marque_fichier.h"
#include "store/datamodulebdd.h"

namespace kyb {

namespace {

constexpr const char* kTable = "IndexNomPrenoms";

UnicodeString Car(char c) { return c ? UnicodeString(1, CarAnsiVersUnicode(static_cast<unsigned char>(c))) : UnicodeString(); }

int16_t Annee(double v) {
  if (!std::isfinite(v) || v == 0 || v >= 1000000 || v <= -32768 || v > 32767) return 0;
  return static_cast<int16_t>(v);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TIndexPerson

TIndexPerson::TIndexPerson(TFicIndexPerson* fichier, long id) : fichier_(fichier) {
  if (id > 0 || id == -2) (void)Lecture(id);
}

bool TIndexPerson::Lecture(long id) {
  TModuleBDD* m = fichier_ ? fichier_->Store() : nullptr;
  TACRTable* t = m ? m->Table(kTable) : nullptr;
  if (!t) return false;
  if (id != -2 && (!t->SetIndexName("ParID") || !t->FindKey({Cle(id)}))) return false;
  if (t->IsEmpty()) return false;
  LitColonnesIndex(*t, Enreg);
  ID = static_cast<long>(t->Fields(0).AsInt64());
  return true;
}

long TIndexPerson::Enregistrement(long id, TFicIndexPerson* proprietaire, bool insert) {
  TFicIndexPerson* f = proprietaire ? proprietaire : fichier_;
  TModuleBDD* m = f ? f->Store() : nullptr;
  TACRTable* t = m ? m->Table(kTable) : nullptr;
  if (!t || f->LectureSeule()) return -1;
  if (insert) {
    t->Insert();
  } else {
    if (!t->SetIndexName("ParID") || !t->FindKey({Cle(id)})) return -1;
    const int32_t present = t->Fields(7).AsInteger();
    if (present != Enreg.NoPers) {
      AjouteJournal("LogMsgError", "Nom : " + t->Fields(1).AsUtf8() + ", Prenoms :" + t->Fields(2).AsUtf8() +
                                       ", ID : " + std::to_string(t->Fields(0).AsInt64()) +
                                       " , ID-Conflit : " + std::to_string(Enreg.NoPers));
      return -1;
    }
    t->Edit();
  }
  t->Fields(1).SetUnicodeString(Enreg.Nom.substr(0, 21));
  t->Fields(2).SetUnicodeString(Enreg.Prenom.substr(0, 21));
  t->Fields(3).SetUnicodeString(Enreg.NomSoundex.substr(0, 5));
  t->Fields(4).SetUnicodeString(Enreg.PrenomSoundex.substr(0, 5));
  t->Fields(5).SetInteger(Enreg.AnneeMin);
  t->Fields(6).SetInteger(Enreg.AnneeMax);
  t->Fields(7).SetInteger(Enreg.NoPers);
  t->Fields(8).SetInteger(Enreg.RgNom);
  t->Fields(9).SetInteger(Enreg.RgPrenom);
  t->Fields(10).SetInteger(Enreg.RgPrenomUsuel);
  t->Fields(11).SetUnicodeString(Car(Enreg.TypePersonne));
  t->Fields(12).SetUnicodeString(Car(Enreg.FicheSupprimee));
  t->Fields(13).SetUnicodeString(Car(Enreg.Sexe == ' ' ? 0 : Enreg.Sexe));
  if (!m->PostInTableIndex(*t)) {
    m->Cancel(*t);
    return -1;
  }
  ID = static_cast<long>(t->RowId());
  if (insert) f->LigneAjoutee(ID);
  return ID;
}

void TIndexPerson::Set(const TEnregPublic& p, long numero, TAnneesVie annees) {
  Enreg.RgNom = Enreg.RgPrenom = Enreg.RgPrenomUsuel = 0;
  Enreg.TypePersonne = p.TypePersonne;
  Enreg.FicheSupprimee = p.FicheSupprimee;
  Enreg.Sexe = p.Sexe == ' ' ? 0 : p.Sexe;
  Enreg.NoPers = static_cast<int32_t>(numero);
  SetAnneeMinAnneeMax(annees.Min, annees.Max);
}

void TIndexPerson::Set(const TPerson& p) {
  const bool fiche = p.Fiche().EvenementsCharges && p.Fiche().NoPers == p.Numero();
  Set(p.Public, p.Numero(), fiche ? kyb::AnneesVie(p.Fiche()) : fichier_ ? fichier_->AnneesVie(p.Numero()) : TAnneesVie{});
}

void TIndexPerson::SetAnneeMinAnneeMax(double anneeMin, double anneeMax) {
  Enreg.AnneeMin = Annee(anneeMin);
  Enreg.AnneeMax = Annee(anneeMax);
}

std::vector<long> TIndexPerson::GetIDIndexByNoPers(TModuleBDD& store, long noPers) {
  return store.GetIndexPerson(noPers);
}

bool TIndexPerson::EnregFoireux(const TEnreg& e, long nbPersonnes) {
  return e.NoPers < 0 || e.NoPers > nbPersonnes || e.Nom.size() > 101 || e.Prenom.size() >= 72;
}

// ---------------------------------------------------------------------------------------------
// TFicIndexPerson: opening and closing

TFicIndexPerson* TFicIndexPerson::De(const TGestFichier& dossier) {
  return dynamic_cast<TFicIndexPerson*>(dossier.GetFicIndexPerson());
}

TFabriqueIndexPersonnes TFicIndexPerson::Fabrique() {
  return [](TGestFichier& dossier, bool reset) -> std::unique_ptr<TIndexPersonnesDossier> {
    return std::make_unique<TFicIndexPerson>(&dossier, reset, nullptr);
  };
}

TFicIndexPerson::TFicIndexPerson(TGestFichier* dossier, bool reset, TProgression* barre)
    : dossier_(dossier), barre_(barre) {
  nomFichier_ = dossier_->FabriqueNomFichier(TGestFichier::tfIndexPersonnes2);
  const bool existe = FichierExiste(nomFichier_);
  if (reset && existe && !LectureSeule()) (void)SupprimeFichier(nomFichier_);
  if (reset) {
    index_ = std::make_unique<TGestEltIndex>(0, dossier_);
    origine_ = TOrigine::Vide;
    return;
  }
  if (existe) {
    motif_ = ControleFichier();
    if (motif_.empty()) {
      // Read at the first use: a command that needs one person never loads the whole index.
      differe_ = true;
      origine_ = TOrigine::Fichier;
      return;
    }
  } else if (NbLignes() > 0) {
    motif_ = u"Le fichier d'index des personnes est absent.";
  }
  Reconstruit();
}

void TFicIndexPerson::Reconstruit() {
  index_.reset();
  RechargeMemoire();
  origine_ = TOrigine::Reconstruit;
  if (!motif_.empty())
    Signale(motif_ + u" L'index des personnes a été reconstruit à partir de la base de données.");
}

TGestEltIndex* TFicIndexPerson::Memoire() {
  if (!differe_) return index_.get();
  differe_ = false;
  LibereVue();
  if (RestaureFichier()) {
    // Trusted only until the next closing rewrites it: a crash in between leaves no file.
    if (!LectureSeule()) (void)SupprimeFichier(nomFichier_);
    return index_.get();
  }
  Reconstruit();
  return index_.get();
}

TFicIndexPerson::~TFicIndexPerson() {
  try {
    SauveFichier();
  } catch (...) {
    // The next opening rebuilds the index from the rows.
  }
}

void TFicIndexPerson::SauveFichier() {
  if (LectureSeule()) return;
  if (aRecharger_) {
    // Memory is behind the rows and the store is closed: the next opening rebuilds.
    (void)SupprimeFichier(nomFichier_);
    return;
  }
  if (differe_) {
    // Never read, so no row changed through this index: the file still matches them. The store,
    // closed just before, may have moved its date past the file's.
    (void)MarqueFichierModifie(nomFichier_);
    return;
  }
  if (!index_) return;
  // The last row number is recorded only while memory holds as many entries as the rows counted
  // by this index: otherwise the next opening counts them.
  const bool enPhase = derniereLigne_ > 0 && nbLignes_ == index_->GetNbElt();
  if (!index_->Sauvegarde(nomFichier_, barre_, enPhase ? static_cast<uint64_t>(derniereLigne_) : 0))
    AjouteJournal("LogMsgError", "Index des personnes : écriture impossible de " + AnsiVersUtf8(nomFichier_));
}

UnicodeString TFicIndexPerson::ControleFichier() {
  const AnsiString store = dossier_->FabriqueNomFichier(TGestFichier::tfBaseDonnees);
  TDateTime dateIndex = 0, dateStore = 0;
  if (!DateModificationFichier(nomFichier_, dateIndex)) return u"Le fichier d'index des personnes est illisible.";
  if (DateModificationFichier(store, dateStore) && dateIndex < dateStore)
    return u"Le fichier d'index des personnes est plus ancien que la base de données.";
  return {};
}

bool TFicIndexPerson::RestaureFichier() {
  index_ = std::make_unique<TGestEltIndex>(0, dossier_);
  try {
    index_->Restauration(nomFichier_, barre_);
  } catch (const ErreurKy& e) {
    motif_ = u"Le fichier d'index des personnes est illisible (" + Utf8VersUnicode(e.what()) + u").";
    return false;
  }
  const int n = index_->GetNbElt();
  if (!LignesDuFichier(n, index_->DerniereLigneLue())) {
    motif_ = u"Le fichier d'index des personnes ne correspond pas à la base de données (" +
             AnsiVersUnicode(std::to_string(n)) + u" entrées pour " + AnsiVersUnicode(std::to_string(NbLignes())) +
             u" lignes).";
    return false;
  }
  for (int i = 0; i < n; ++i)
    if (const int32_t no = index_->Lit(i).NoPers; no < 0 || no > NbPersonnes()) {
      motif_ = u"Le fichier d'index des personnes nomme une personne inexistante.";
      return false;
    }
  if (!EchantillonConforme(n, [this](int i) { return index_->Lit(i); })) return false;
  // The table of codes saved with the file spares the first phonetic search its building.
  codes_ = index_->PrendsCodesLus();
  if (!codes_.empty()) {
    generationCodes_ = generation_;
    elementsCodes_ = static_cast<size_t>(n);
  }
  return true;
}

void TFicIndexPerson::Signale(const UnicodeString& texte) const {
  AjouteJournal("LogMsgError", UnicodeVersUtf8(texte));
  if (TInterfaceUtilisateur* iu = dossier_->GetProprietaire()) iu->Message(u"Index des personnes", texte);
}

TModuleBDD* TFicIndexPerson::Store() const { return dossier_ ? dossier_->GetModuleBDD() : nullptr; }

bool TFicIndexPerson::LectureSeule() const { return dossier_->IsReadOnly(); }

long TFicIndexPerson::NbPersonnes() const {
  const TFicPersons* f = dossier_->GetFicPersons();
  return f ? f->NbEnreg : 0;
}

void TFicIndexPerson::LectureEntete() {
  TModuleBDD* m = Store();
  nbLignes_ = m ? static_cast<long>(m->NombreLignes(kTable)) : 0;
}

void TFicIndexPerson::Raz() {
  nbLignes_ = 0;
  derniereLigne_ = -1;
  if (differe_) {
    differe_ = false;
    LibereVue();
    index_ = std::make_unique<TGestEltIndex>(0, dossier_);
  }
  if (index_) index_->Raz();
  Modifie();
}

void TFicIndexPerson::InitTailleIndex(long taille) {
  differe_ = false;
  LibereVue();
  index_ = std::make_unique<TGestEltIndex>(static_cast<int>(std::max(taille, 0L)), dossier_);
  Modifie();
}

// ---------------------------------------------------------------------------------------------
// Rows of one person

std::vector<TEnregIndexPerson> TFicIndexPerson::EntreesPersonne(const TEnregPublic& p, long numero, TAnneesVie annees) {
  TIndexPerson commun(nullptr, 0);
  commun.Set(p, numero, annees);
  const int nbNoms = NombreClesNom(p.Nom);
  const int nbPrenoms = NombreClesPrenom(p.Prenoms);
  std::vector<TEnregIndexPerson> entrees;
  std::vector<TEltIndex> vus;
  for (int i = nbNoms ? 1 : 0; i <= nbNoms; ++i) {
    TEnregIndexPerson e = commun.Enreg;
    e.RgNom = static_cast<int16_t>(i);
    if (i) {
      e.Nom = CleNom(p.Nom, i);
      e.NomSoundex = SoundexCle(e.Nom);
    }
    for (int j = nbPrenoms ? 1 : 0; j <= nbPrenoms; ++j) {
      e.RgPrenom = static_cast<int16_t>(j);
      e.Prenom = j ? ClePrenom(p.Prenoms, j) : UnicodeString();
      e.PrenomSoundex = j ? SoundexCle(e.Prenom) : UnicodeString();
      const TEltIndex elt(e, 0);
      if (std::find(vus.begin(), vus.end(), elt) != vus.end()) continue;  // a repeated name
      vus.push_back(elt);
      entrees.push_back(e);
      if (entrees.size() == kMaxLignesParPersonne) return entrees;
    }
  }
  return entrees;
}

void TFicIndexPerson::ModifClef(const TPerson& p, bool lookUpRows, bool bulk, bool memoire) {
  // The card just saved gives the years; otherwise the stored events do.
  const bool fiche = p.Fiche().EvenementsCharges && p.Fiche().NoPers == p.Numero();
  EcritPersonne(p.Public, p.Numero(), fiche ? &p.Fiche() : nullptr, lookUpRows, bulk, memoire);
}

void TFicIndexPerson::PersonneEcrite(const TEnregPublic& p, long numero, const TChpsPersonne* fiche, bool lookUpRows) {
  EcritPersonne(p, numero, fiche && fiche->EvenementsCharges && fiche->NoPers == numero ? fiche : nullptr, lookUpRows,
                false, true);
}

void TFicIndexPerson::EcritPersonne(const TEnregPublic& p, long numero, const TChpsPersonne* fiche, bool lookUpRows,
                                    bool bulk, bool memoire) {
  const TModuleBDD* m = Store();
  const bool import = m && m->EnImport();
  TAnneesVie annees = p.FicheSupprimee == 'O' ? TAnneesVie{} : fiche ? kyb::AnneesVie(*fiche) : AnneesDeclarees(numero);
  // While importing, the estimated years wait for the reloading of memory (MajAnneesEstimees).
  if (!import && p.FicheSupprimee != 'O') annees = EstimeAnnees(numero, annees);
  if (memoire && import) {
    ModifClef(p, numero, annees, lookUpRows, true, false);
    aRecharger_ = true;
    return;
  }
  (void)Index();
  ModifClef(p, numero, annees, lookUpRows, bulk, memoire);
  // The relatives' estimates read this person's dates and links.
  if (!bulk) (void)MajAnneesProches(numero);
}

TGestEltIndex* TFicIndexPerson::Index() {
  const TModuleBDD* m = Store();
  (void)Memoire();
  if (aRecharger_ && !(m && m->EnImport())) {
    if (MajAnneesEstimees() <= 0) RechargeMemoire();
  }
  return index_.get();
}

void TFicIndexPerson::ModifClef(const TEnregPublic& p, long numero, bool lookUpRows, bool bulk, bool memoire) {
  ModifClef(p, numero, p.FicheSupprimee == 'O' ? TAnneesVie{} : AnneesVie(numero), lookUpRows, bulk, memoire);
}

void TFicIndexPerson::ModifClef(const TEnregPublic& p, long numero, TAnneesVie annees, bool lookUpRows, bool bulk,
                                bool memoire) {
  if (numero <= 0) return;
  if (p.FicheSupprimee == 'O') {
    SupprimeClef(numero, true);
    return;
  }
  TModuleBDD* m = Store();
  if (!m || LectureSeule()) return;
  if (memoire) (void)Memoire();
  else AbandonneFichier();
  // Counted before the rows change, or left to be counted after a bulk load.
  if (bulk) nbLignes_ = -1;
  else (void)NbLignes();
  // The rows of one person are written all or none, with one sync to disk.
  TACRTransaction transaction(m->Database());
  std::vector<long> ids = lookUpRows ? m->GetIndexPerson(numero) : std::vector<long>();
  std::vector<TEltIndex> anciennes, ecrites;  // entries of the rows replaced, entries written
  for (const TEnregIndexPerson& e : EntreesPersonne(p, numero, annees)) {
    TIndexPerson ligne(this, 0);
    ligne.Enreg = e;
    if (!ids.empty()) {
      const long id = ids.back();
      ids.pop_back();
      if (id == 0) {
        Signale(u"Erreur modif Index");
        continue;
      }
      const TIndexPerson ancienne(this, id);
      if (ligne.Enregistrement(id, this, false) < 0) continue;
      anciennes.emplace_back(ancienne.Enreg, 0);
    } else {
      if (ligne.Enregistrement(-1, this, true) < 0) continue;
    }
    ecrites.emplace_back(e, 0);
  }
  // Rows that no longer apply.
  for (const long id : ids) {
    const TIndexPerson ancienne(this, id);
    TACRTable* t = m->Table(kTable);
    if (!t || !t->SetIndexName("ParID") || !t->FindKey({Cle(id)}) || !m->DeleteInTable(*t)) continue;
    if (ancienne.ID == id) anciennes.emplace_back(ancienne.Enreg, 0);
    if (nbLignes_ >= 0) --nbLignes_;
  }
  if (transaction.Active() && !transaction.Commit()) {
    // Nothing of this person was written: memory goes back to the rows.
    AjouteJournal("LogMsgError", "Index des personnes : lignes de la personne " + std::to_string(numero) +
                                     " non écrites");
    aRecharger_ = true;
    return;
  }
  if (memoire && index_) MetAJourMemoire(std::move(anciennes), std::move(ecrites), bulk);
}

void TFicIndexPerson::MetAJourMemoire(std::vector<TEltIndex> anciennes, std::vector<TEltIndex> nouvelles, bool bulk) {
  // Entries present before and after stay where they are.
  for (auto it = nouvelles.begin(); it != nouvelles.end();) {
    const auto meme = std::find(anciennes.begin(), anciennes.end(), *it);
    if (meme == anciennes.end()) {
      ++it;
      continue;
    }
    anciennes.erase(meme);
    it = nouvelles.erase(it);
  }
  if (anciennes.empty() && nouvelles.empty()) return;
  // A replaced entry moves only across the entries between its two places.
  size_t k = 0;
  if (!bulk)
    for (; k < std::min(anciennes.size(), nouvelles.size()); ++k) (void)index_->RemplaceClasse(anciennes[k], nouvelles[k]);
  TEltIndex tmp;
  for (size_t i = k; i < anciennes.size(); ++i) {
    const int pos = index_->RechercheDicoth(anciennes[i], tmp, 0, false);
    if (pos >= 0) index_->Supprime(pos, tmp);
  }
  bool ajoute = false;
  for (size_t i = k; i < nouvelles.size(); ++i) (void)index_->AjouteClasse(nouvelles[i], tmp, bulk, ajoute);
  Modifie();
}

void TFicIndexPerson::SupprimeClef(const TPerson& p, bool disque) { SupprimeClef(p.Numero(), disque); }

void TFicIndexPerson::SupprimeClef(long noPers, bool disque) {
  if (Memoire() && index_->SupprimeClefPersNo(static_cast<int32_t>(noPers)) > 0) Modifie();
  if (!disque || LectureSeule()) return;
  if (reparationEnCours_) {
    aSupprimer_.insert(noPers);
    return;
  }
  TModuleBDD* m = Store();
  if (!m) return;
  (void)NbLignes();
  const long supprimees = m->DeleteIndexPerson(noPers);
  if (supprimees > 0 && nbLignes_ >= 0) nbLignes_ -= supprimees;
}

void TFicIndexPerson::SupprimeClefDisque(const std::set<long>& numeros) {
  TModuleBDD* m = Store();
  if (!m || LectureSeule()) return;
  for (const long no : numeros) (void)m->DeleteIndexPerson(no);
  LectureEntete();
}

// ---------------------------------------------------------------------------------------------
// Bulk generation and reloading

template <class F>
void TFicIndexPerson::PourChaquePersonne(F&& f) {
  TModuleBDD* m = Store();
  TFicPersons* fichier = dossier_->GetFicPersons();
  if (!fichier) return;
  const long nb = fichier->NbEnreg;
  if (m && !fichier->AncienFormat()) {
    TEnregPublic p;
    long numero = 0;
    m->BeginParcoursPerson();
    while (m->ReadPersonParcours(p, numero))
      if (numero >= 1 && numero <= nb) f(p, numero, nb);
    m->EndParcoursPerson();
    return;
  }
  for (long n = 1; n <= nb; ++n) {
    const TPerson p(fichier, n);
    f(p.Public, n, nb);
  }
}

bool TFicIndexPerson::ReinitTableIndex() {
  TModuleBDD* m = Store();
  if (!m || LectureSeule()) return false;
  // Marked undone first: a rebuild cut short is done again at the next opening.
  (void)m->MAJInfoChps("INDEXNAME", u"0");
  TProgression progression(dossier_->GetProprietaire(), u"Création des index", 100);
  progression.Texte(u"Traitement en cours...");
  if (!m->CreerTableIndexNomPrenoms()) return false;
  derniereLigne_ = -1;
  (void)m->RemoveAllIndexPersonIndex();
  const std::vector<TAnneesVie> annees = AnneesVieToutes(NbPersonnes());
  // Rows cut short are all made again (INDEXNAME above): large batches lose nothing.
  const bool import = m->BeginImport(false, true);
  PourChaquePersonne([&](const TEnregPublic& p, long n, long nb) {
    if (p.FicheSupprimee != 'O') ModifClef(p, n, AnneesDe(annees, n), false, true, false);
    progression.Position(static_cast<int>(int64_t{n} * 100 / std::max(nb, 1L)));
  });
  return TermineRemplissage(import);
}

bool TFicIndexPerson::TermineRemplissage(bool import, bool memoireRemplie) {
  TModuleBDD* m = Store();
  if (import) (void)m->EndImport(false);
  (void)m->AddAllIndexPersonIndex();
  LectureEntete();
  if (memoireRemplie) ClasseMemoire();
  else ReinitTableIndexBis();
  (void)m->MAJInfoChps("INDEXNAME", u"UPDATED");
  return true;
}

void TFicIndexPerson::ReinitTableIndexBis() { RechargeMemoire(); }

void TFicIndexPerson::RechargeMemoire() {
  TModuleBDD* m = VideMemoire();
  if (!m) return;
  const bool fenetre = nbLignes_ > kSeuilFenetre;
  TProgression progression(fenetre ? dossier_->GetProprietaire() : nullptr, u"Génération des index",
                           static_cast<int>(nbLignes_));
  progression.Texte(u"Insertion en cours...");
  int i = 0;
  const int pas = std::max(1, static_cast<int>(nbLignes_ / 100));
  (void)m->ParcoursLignesIndex(TOrdreLignesIndex::Table, 0, [&](long id, const TEnregIndexPerson& e) {
    index_->Ajoute(TEltIndex(e, static_cast<int32_t>(id)));
    if (++i % pas == 0) progression.Position(i);
    return true;
  });
  progression.Texte(u"Classement en cours...");
  progression.Position(static_cast<int>(nbLignes_));
  ClasseMemoire();
}

TModuleBDD* TFicIndexPerson::VideMemoire() {
  aRecharger_ = false;
  differe_ = false;
  LibereVue();
  index_.reset();
  if (!LectureSeule()) (void)SupprimeFichier(nomFichier_);
  Modifie();
  LectureEntete();
  TModuleBDD* m = Store();
  if (dossier_->IsVersion2009() || !m) {
    index_ = std::make_unique<TGestEltIndex>(0, dossier_);
    return nullptr;
  }
  const long n = std::max(nbLignes_, NbPersonnes());
  index_ = std::make_unique<TGestEltIndex>(static_cast<int>(n + 2), dossier_);
  return m;
}

void TFicIndexPerson::ClasseMemoire() {
  TEltIndex t1, t2;
  index_->Classement(t1, t2);
  derniereLigne_ = DerniereLigneStore();
}

void TFicIndexPerson::AddAllIndexComplete(bool memoire) {
  TModuleBDD* m = Store();
  if (!m || LectureSeule()) return;
  TProgression progression(dossier_->GetProprietaire(), u"Création des index", 100);
  progression.Texte(u"Traitement en cours...");
  // Every row is written anew: the table starts empty, and memory too when it is regenerated.
  if (!m->CreerTableIndexNomPrenoms()) return;
  derniereLigne_ = -1;
  if (memoire && Memoire()) {
    index_->Raz();
    Modifie();
  }
  (void)m->RemoveAllIndexPersonIndex();
  const std::vector<TAnneesVie> annees = AnneesVieToutes(NbPersonnes());
  // Rows cut short are all made again (INDEXNAME above): large batches lose nothing.
  const bool import = m->BeginImport(false, true);
  PourChaquePersonne([&](const TEnregPublic& p, long n, long nb) {
    if (p.FicheSupprimee == 'O') return;
    ModifClef(p, n, AnneesDe(annees, n), false, true, memoire);
    progression.Position(static_cast<int>(int64_t{n} * 100 / std::max(nb, 1L)));
  });
  if (import) (void)m->EndImport(false);
  if (memoire && index_) {
    TEltIndex t1, t2;
    index_->Classement(t1, t2);
  }
  progression.Position(100);
  LectureEntete();
  if (memoire && index_) derniereLigne_ = DerniereLigneStore();
  (void)m->AddAllIndexPersonIndex();
}

}  // namespace kyb
