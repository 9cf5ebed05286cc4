// Shared events of older stores: the copies of one census or one relation, written once per
// person before events could be shared, become one event held by the first and citing the
// others. Only true copies are merged, and a merge loses nothing: the kept event takes the
// holders, cited persons, sources, media, transcriptions and note of the copies.
//
// Two events of the label are copies when they have the same date (calendar and qualifier),
// place, locality and datum, no spouse, the same cited persons once the holders of the group are
// set aside (a holder may cite the other holder, either way), sources and media that are equal
// or absent on one side, and the same note or a note on one side only. Anything else stays apart:
// two relations without date (10 cites 11, 20 cites 21) are two relations.
#include <set>

#include "store/datamodulebdd_evenements_interne.h"

namespace kyb {
namespace {

// One event being kept, with the holders of the copies merged into it.
struct TGrappe {
  TEvenement garde;
  std::set<long> titulaires;
  bool modifiee = false;
};

std::set<long> Cites(const std::vector<TPersAssociee>& personnes) {
  std::set<long> nos;
  for (const TPersAssociee& p : personnes) nos.insert(p.Lien.No);
  return nos;
}

std::set<long> Sauf(std::set<long> nos, const std::set<long>& retires) {
  for (long n : retires) nos.erase(n);
  return nos;
}

template <class T, class Egal>
bool ListesCompatibles(const std::vector<T>& a, const std::vector<T>& b, const Egal& egal) {
  return a.empty() || b.empty() || std::equal(a.begin(), a.end(), b.begin(), b.end(), egal);
}

bool MemesSources(const std::vector<TSourceEven>& a, const std::vector<TSourceEven>& b) {
  return ListesCompatibles(a, b, [](const TSourceEven& x, const TSourceEven& y) {
    return x.Type == y.Type && x.Descriptif == y.Descriptif;
  });
}

bool MemesIllustrations(const std::vector<TIllustrationEven>& a, const std::vector<TIllustrationEven>& b) {
  return ListesCompatibles(a, b, [](const TIllustrationEven& x, const TIllustrationEven& y) {
    return x.Chemin == y.Chemin && x.Tag == y.Tag;
  });
}

// Whether copie tells the same thing as the event of the group, and fits in its lists.
bool EstCopie(TGrappe& g, TEvenement& copie) {
  TEvenement::TEnreg& k = g.garde.Enreg;
  const TEvenement::TEnreg& e = copie.Enreg;
  const long titulaire = e.NoPersA;
  const std::set<long> citesGarde = Cites(g.garde.PersAssociees());
  const std::set<long> citesCopie = Cites(copie.PersAssociees());
  if (Sauf(citesCopie, g.titulaires) != Sauf(Sauf(citesGarde, g.titulaires), {titulaire})) return false;
  if (k.Note != 0 && e.Note != 0 && k.Note != e.Note) return false;
  if (!MemesSources(g.garde.Sources(), copie.Sources()) ||
      !MemesIllustrations(g.garde.Illustrations(), copie.Illustrations()))
    return false;
  std::set<long> tous = citesGarde;
  tous.insert(titulaire);
  tous.insert(citesCopie.begin(), citesCopie.end());
  tous.erase(k.NoPersA);
  return tous.size() <= static_cast<size_t>(kMaxListeEven);
}

}  // namespace

bool TEvenementsBDD::RattacheTranscriptions(const TEvenement::TEnreg& garde, const TEvenement::TEnreg& copie) {
  // Media equal on both sides: the copy's transcriptions follow the kept event's media.
  if (!garde.Illustrations.empty() && !copie.Illustrations.empty())
    for (size_t i = 0; i < copie.Illustrations.size(); ++i) {
      TACRQuery q(*base_, "UPDATE NotesTranscription SET ID_Illustration = :n WHERE ID_Illustration = :a");
      q.SetParamInteger("n", garde.Illustrations[i].Id);
      q.SetParamInteger("a", copie.Illustrations[i].Id);
      if (!q.ExecSQL()) return false;
    }
  TACRQuery q(*base_, "UPDATE NotesTranscription SET ID_Event = :n WHERE ID_Event = :a");
  q.SetParamInteger("n", garde.ID);
  q.SetParamInteger("a", copie.ID);
  return q.ExecSQL();
}

bool TEvenementsBDD::FusionneCopie(TEvenement& garde, TEvenement& copie) {
  TEvenement::TEnreg& k = garde.Enreg;
  const TEvenement::TEnreg& e = copie.Enreg;
  if (!RattacheTranscriptions(k, e)) return false;
  // The copy's rows go first: its sources and media then come back under their own identifiers.
  if (!DeleteEvent(e.ID)) return false;
  if (k.Sources.empty()) k.Sources = e.Sources;
  if (k.Illustrations.empty()) {
    k.Illustrations = e.Illustrations;
    if (k.NoIllustrationParDefaut == 0) k.NoIllustrationParDefaut = e.NoIllustrationParDefaut;
  }
  if (k.Note == 0) k.Note = e.Note;
  TPersAssociee titulaire;
  titulaire.Lien = e.NoPersA;
  (void)garde.AjoutPersAssociee(titulaire);
  for (const TPersAssociee& p : e.PersAssociees)
    if (p.Lien.No != k.NoPersA) (void)garde.AjoutPersAssociee(p);
  return true;
}

int TEvenementsBDD::CleanSharedEvent(const AnsiString& libelle, TProgression* progression) {
  if (EstLectureSeule() || !base_->Connected()) return -1;
  // Candidates grouped by what they tell; couple events keep their spouse and are left alone.
  std::map<std::string, std::vector<long>> groupes;
  {
    TACRQuery q(*base_, "SELECT ID, TypeCalend, Acte, Date, Lieu, LieuDit, Donnee FROM Evenements "
                        "WHERE LibelleChamps = :l AND Type = 0 AND NoPersA > 0 AND NoPersB = 0 ORDER BY ID");
    q.SetParamAnsi("l", libelle);
    if (!q.Open()) return -1;
    for (; !q.Eof(); q.Next()) {
      std::string cle;
      for (int i = 1; i <= 6; ++i) cle += q.Fields(i).AsUtf8() + '\x1f';
      groupes[cle].push_back(q.Fields(0).AsInteger());
    }
  }
  if (progression) progression->Maximum(static_cast<int>(groupes.size()));
  int fusionnes = 0;
  TACRTransaction transaction(*base_);
  for (const auto& [cle, ids] : groupes) {
    if (progression) progression->Avance();
    if (ids.size() < 2) continue;
    std::vector<TGrappe> grappes;
    for (const long id : ids) {
      TEvenement e(&module_);
      if (!LectureEven(e, id)) return -1;
      e.ChargeListes();
      TGrappe* cible = nullptr;
      for (TGrappe& g : grappes)
        if (EstCopie(g, e)) {
          cible = &g;
          break;
        }
      if (!cible) {
        grappes.push_back({e, {static_cast<long>(e.Enreg.NoPersA)}, false});
        continue;
      }
      if (!FusionneCopie(cible->garde, e)) return -1;
      cible->titulaires.insert(e.Enreg.NoPersA);
      cible->modifiee = true;
      ++fusionnes;
    }
    for (TGrappe& g : grappes)
      if (g.modifiee && !EnregistrementEven(g.garde)) return -1;
  }
  if (transaction.Active() && !transaction.Commit()) return -1;
  return fusionnes;
}

}  // namespace kyb
