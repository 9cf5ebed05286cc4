#include "store/evenement.h"

#include <algorithm>

#include "dates/calcjours.h"
#include "platform/references_ansi.h"
#include "store/datamodulebdd.h"

namespace kyb {
namespace {

// Digits of text[debut, debut + n); -1 when one of them is not a digit.
int Nombre(std::string_view texte, size_t debut, size_t n) {
  if (debut + n > texte.size()) return -1;
  int v = 0;
  for (size_t i = debut; i < debut + n; ++i) {
    if (texte[i] < '0' || texte[i] > '9') return -1;
    v = v * 10 + (texte[i] - '0');
  }
  return v;
}

template <class T>
bool Retire(std::vector<T>& liste, int rang) {
  if (rang < 0 || rang >= static_cast<int>(liste.size())) return false;
  liste.erase(liste.begin() + rang);
  return true;
}

}  // namespace

int32_t DateTriable(const TDateKY& date) {
  if (date.DateVide() || date.DateFormatAvantJC()) return 0;
  if (date.DateFormatFourchette()) {
    int moyenne = 0, minimum = 0, maximum = 0;
    date.RecupAnneeFourchette(true, nullptr, nullptr, &moyenne, &minimum, &maximum);
    const int annee = minimum > 0 ? minimum : maximum;
    return annee > 0 ? annee * 10000 + 101 : 0;
  }
  const AnsiString texte = date.ConvVersGreg();
  const int annee = Nombre(texte, 6, 4);
  if (texte.size() < 10 || texte[2] != '/' || texte[5] != '/' || annee <= 0) return 0;
  const int mois = Nombre(texte, 3, 2);
  const int jour = Nombre(texte, 0, 2);
  return annee * 10000 + (mois > 0 ? mois : 1) * 100 + (jour > 0 ? jour : 1);
}

bool TEvenement::TEnreg::MemeContenu(const TEnreg& b) const {
  const auto memesPersonnes = [](const std::vector<TPersAssociee>& x, const std::vector<TPersAssociee>& y) {
    return std::equal(x.begin(), x.end(), y.begin(), y.end(), [](const TPersAssociee& p, const TPersAssociee& q) {
      return p.Lien.No == q.Lien.No && p.Lien.NivNo == q.Lien.NivNo && p.Qualite == q.Qualite && p.Parente == q.Parente;
    });
  };
  const auto memesSources = [](const std::vector<TSourceEven>& x, const std::vector<TSourceEven>& y) {
    return std::equal(x.begin(), x.end(), y.begin(), y.end(), [](const TSourceEven& p, const TSourceEven& q) {
      return p.Type == q.Type && p.Descriptif == q.Descriptif;
    });
  };
  const auto memesIllustrations = [](const std::vector<TIllustrationEven>& x, const std::vector<TIllustrationEven>& y) {
    return std::equal(x.begin(), x.end(), y.begin(), y.end(),
                      [](const TIllustrationEven& p, const TIllustrationEven& q) {
                        return p.Chemin == q.Chemin && p.Tag == q.Tag;
                      });
  };
  return ID == b.ID && LibelleChamps == b.LibelleChamps && Donnee == b.Donnee && NoPersA == b.NoPersA &&
         NoPersB == b.NoPersB && Date.GetActe() == b.Date.GetActe() &&
         Date.GetCalendrier() == b.Date.GetCalendrier() && Date.Texte() == b.Date.Texte() && Lieu == b.Lieu &&
         LieuDit == b.LieuDit && Note == b.Note && NoIllustrationParDefaut == b.NoIllustrationParDefaut &&
         RangA == b.RangA && RangB == b.RangB && memesPersonnes(PersAssociees, b.PersAssociees) &&
         memesSources(Sources, b.Sources) && memesIllustrations(Illustrations, b.Illustrations);
}

TEvenement::TEvenement(TModuleBDD* bdd, long id) : bdd_(bdd) {
  if (id > 0) (void)Lecture(id);
  else NouvelleFiche();
}

void TEvenement::NouvelleFiche() {
  Enreg = TEnreg();
  Enreg.PersAssocieesChargees = Enreg.SourcesChargees = Enreg.IllustrationsChargees = true;
}

bool TEvenement::Lecture(long id) {
  if (id == 0) id = Enreg.ID;
  if (!bdd_ || id <= 0) {
    NouvelleFiche();
    return false;
  }
  return bdd_->LectureEven(*this, id);
}

void TEvenement::SetNoPersRang(long noPers, int rang) {
  if (noPers != 0 && Enreg.NoPersB == noPers && Enreg.NoPersA != noPers) {
    if (rang > 0) Enreg.RangB = rang;
    return;
  }
  if (noPers != 0) Enreg.NoPersA = static_cast<int32_t>(noPers);
  if (rang > 0) Enreg.RangA = rang;
}

bool TEvenement::Enregistrement(long id, int rang, long noPers) {
  if (id != -3) Enreg.ID = static_cast<int32_t>(std::max(0L, id));
  SetNoPersRang(noPers, rang);
  return bdd_ && bdd_->EnregistrementEven(*this);
}

bool TEvenement::Vide() {
  return Enreg.Donnee.empty() && Enreg.Date.Vide() && LieuVide() && Enreg.Note == 0 && PersAssociees().empty() &&
         Sources().empty() && Illustrations().empty();
}

void TEvenement::Raz() { NouvelleFiche(); }

void TEvenement::ViderContenu() {
  Enreg.Donnee.clear();
  Enreg.Date = TDateKY();
  Enreg.Lieu = 0;
  Enreg.LieuDit.clear();
  Enreg.Note = 0;
  Enreg.NoIllustrationParDefaut = 0;
  Enreg.PersAssociees.clear();
  Enreg.Sources.clear();
  Enreg.Illustrations.clear();
  Enreg.PersAssocieesChargees = Enreg.SourcesChargees = Enreg.IllustrationsChargees = true;
}

const std::vector<TPersAssociee>& TEvenement::PersAssociees() {
  if (!Enreg.PersAssocieesChargees) {
    Enreg.PersAssocieesChargees = true;
    if (bdd_ && Enreg.ID > 0) bdd_->ChargerPersAssocieeOfEven(Enreg);
  }
  return Enreg.PersAssociees;
}

const std::vector<TSourceEven>& TEvenement::Sources() {
  if (!Enreg.SourcesChargees) {
    Enreg.SourcesChargees = true;
    if (bdd_ && Enreg.ID > 0) bdd_->ChargerSourceOfEven(Enreg);
  }
  return Enreg.Sources;
}

const std::vector<TIllustrationEven>& TEvenement::Illustrations() {
  if (!Enreg.IllustrationsChargees) {
    Enreg.IllustrationsChargees = true;
    if (bdd_ && Enreg.ID > 0) bdd_->ChargerIllustrationOfEven(Enreg);
  }
  return Enreg.Illustrations;
}

void TEvenement::ChargeListes() {
  (void)PersAssociees();
  (void)Sources();
  (void)Illustrations();
}

int TEvenement::AjoutSource(const TSourceEven& source) {
  if (Sources().size() >= kMaxListeEven) return -1;
  TSourceEven s = source;
  s.Type = s.Type.substr(0, kLongueurTypeSource);
  s.Descriptif = s.Descriptif.substr(0, kLongueurDescriptif);
  Enreg.Sources.push_back(std::move(s));
  return static_cast<int>(Enreg.Sources.size()) - 1;
}

bool TEvenement::SupprSource(int rang) {
  (void)Sources();
  return Retire(Enreg.Sources, rang);
}

int TEvenement::AjoutIllustration(const TIllustrationEven& illustration) {
  if (Illustrations().size() >= kMaxListeEven) return -1;
  TIllustrationEven i = illustration;
  i.Chemin = CoupeAnsiCaracteres(i.Chemin, kLongueurChemin);
  Enreg.Illustrations.push_back(std::move(i));
  return static_cast<int>(Enreg.Illustrations.size()) - 1;
}

bool TEvenement::SupprIllustration(int rang) {
  (void)Illustrations();
  const int32_t id = rang >= 0 && rang < static_cast<int>(Enreg.Illustrations.size())
                         ? Enreg.Illustrations[static_cast<size_t>(rang)].Id
                         : 0;
  if (!Retire(Enreg.Illustrations, rang)) return false;
  if (id != 0 && Enreg.NoIllustrationParDefaut == id) Enreg.NoIllustrationParDefaut = -1;
  return true;
}

bool TEvenement::SetIllustration(int rang, const TIllustrationEven& illustration) {
  (void)Illustrations();
  if (rang < 0 || rang >= static_cast<int>(Enreg.Illustrations.size())) return false;
  TIllustrationEven& cible = Enreg.Illustrations[static_cast<size_t>(rang)];
  cible.Chemin = CoupeAnsiCaracteres(illustration.Chemin, kLongueurChemin);
  cible.Tag = illustration.Tag;
  return true;
}

int TEvenement::AjoutPersAssociee(const TPersAssociee& personne) {
  const auto& liste = PersAssociees();
  if (personne.Lien.No == 0 || liste.size() >= kMaxListeEven || ChercheRgNoPersAssociee(personne.Lien.No) >= 0)
    return -1;
  Enreg.PersAssociees.push_back(personne);
  return static_cast<int>(Enreg.PersAssociees.size()) - 1;
}

bool TEvenement::ModifPersAssociee(int rang, const TPersAssociee& personne) {
  (void)PersAssociees();
  if (rang < 0 || rang >= static_cast<int>(Enreg.PersAssociees.size())) return false;
  const int ailleurs = ChercheRgNoPersAssociee(personne.Lien.No);
  if (personne.Lien.No == 0 || (ailleurs >= 0 && ailleurs != rang)) return false;
  Enreg.PersAssociees[static_cast<size_t>(rang)] = personne;
  return true;
}

bool TEvenement::SupprPersAssociee(int rang) {
  (void)PersAssociees();
  return Retire(Enreg.PersAssociees, rang);
}

bool TEvenement::SupprPersAssocieeNo(long no) { return SupprPersAssociee(ChercheRgNoPersAssociee(no)); }

int TEvenement::ChercheRgNoSource(long id) {
  const auto& l = Sources();
  for (size_t i = 0; i < l.size(); ++i)
    if (l[i].Id == id) return static_cast<int>(i);
  return -1;
}

int TEvenement::ChercheRgNoIllustration(long id) {
  const auto& l = Illustrations();
  for (size_t i = 0; i < l.size(); ++i)
    if (l[i].Id == id) return static_cast<int>(i);
  return -1;
}

int TEvenement::ChercheRgNoPersAssociee(long no) {
  const auto& l = PersAssociees();
  for (size_t i = 0; i < l.size(); ++i)
    if (l[i] == static_cast<int32_t>(no)) return static_cast<int>(i);
  return -1;
}

bool TEvenementTV::operator<(const TEvenementTV& b) const {
  if (const int c = Even.Enreg.LibelleChamps.compare(b.Even.Enreg.LibelleChamps); c != 0) return c < 0;
  if (RgConj != b.RgConj) return RgConj < b.RgConj;
  const int32_t ia = Even.Enreg.ID ? Even.Enreg.ID : kIdNonStocke;
  const int32_t ib = b.Even.Enreg.ID ? b.Even.Enreg.ID : kIdNonStocke;
  if (ia != ib) return ia < ib;
  return Ordre < b.Ordre;
}

bool TDateCompare::operator()(const TEvenement& a, const TEvenement& b) const {
  return CompareDate(a.Enreg.Date, b.Enreg.Date, 0, 0, false) < 0;
}

}  // namespace kyb
