#include "persons/fiche_evenements.h"

#include "dates/analysedate.h"
#include "fields/csdefchps.h"
#include "folder/fic_dupli.h"
#include "folder/fic_notes.h"
#include "store/datamodulebdd.h"

namespace kyb {
namespace {

std::string Numero(const char* quoi, long n) { return std::string(quoi) + " n°" + std::to_string(n); }

std::string Resout(const std::function<UnicodeString(long)>& resolveur, const char* quoi, long n) {
  if (resolveur) {
    const UnicodeString texte = resolveur(n);
    if (!texte.empty()) return UnicodeVersUtf8(texte);
  }
  return Numero(quoi, n);
}

std::string NomPersonne(TModuleBDD& bdd, long n) {
  TEnregPublic p;
  if (n <= 0 || !bdd.ReadPerson(p, n) || p.FicheSupprimee == 'O') return Numero("personne", n) + " (introuvable)";
  std::string nom = UnicodeVersUtf8(Rogne(p.Prenoms + u" " + p.Nom));
  return std::to_string(n) + " " + (nom.empty() ? "(sans nom)" : nom);
}

std::string Libelle(const TDefChpsCs* defs, const AnsiString& libelle) {
  const TChpCs* c = defs ? defs->RechercheChampsInternePtr(libelle) : nullptr;
  if (!c) return AnsiVersUtf8(libelle) + " (rubrique inconnue des définitions)";
  return AnsiVersUtf8(c->LibelleEcran.empty() ? libelle : c->LibelleEcran);
}

// True when the text has one of the stored forms of its calendar.
bool FormeStockee(const TDateKY& d) {
  const std::string_view t = d.Texte();
  if (d.DateFormatFourchette()) return true;
  if (d.DateFormatRepublicain()) return DateFormatRepublicain(t);
  return t.size() == 10 && t[2] == '/' && t[5] == '/';
}

}  // namespace

std::string RedigeDateEven(const TDateKY& date) {
  if (date.DateVide()) return {};
  if (!FormeStockee(date)) return "« " + AnsiVersUtf8(date.Texte()) + " » (date illisible)";
  // The wording carries the qualifier ("avant le 3 février 1880", "entre 1850 et 1860").
  return AnsiVersUtf8(date.PlaceJour(false));
}

std::vector<std::string> RedigeFiche(TGestFichier& dossier, TChpsPersonne& fiche, const TResolveursFiche& r) {
  std::vector<std::string> lignes;
  TModuleBDD* bdd = dossier.GetModuleBDD();
  if (!bdd) return lignes;
  const TDefChpsCs* defs = dossier.GetDefChpsCs();
  const std::vector<int> ordre =
      dossier.TypeClassementEven == kClassementType
          ? ClassementTypeEven(fiche, [defs](const AnsiString& l) { return defs ? defs->RechercheChampsInterneRg(l) : -1; })
          : ClassementChronoEven(fiche);
  for (const int position : ordre) {
    TEvenement& e = fiche.Evenements[static_cast<size_t>(position)].Even;
    const TEvenement::TEnreg& x = e.Enreg;
    std::string ligne = Libelle(defs, x.LibelleChamps);
    const long conjoint = e.NoConjoint(fiche.NoPers);
    if (fiche.Partages[static_cast<size_t>(position)]) ligne += " (événement partagé de " + NomPersonne(*bdd, x.NoPersA) + ")";
    else if (conjoint != 0) ligne += " avec " + NomPersonne(*bdd, conjoint);
    ligne += " :";
    if (const std::string date = RedigeDateEven(x.Date); !date.empty()) ligne += " " + date;
    if (x.Lieu > 0) ligne += " à " + Resout(r.Lieu, "lieu", x.Lieu);
    if (!x.LieuDit.empty()) ligne += " (" + UnicodeVersUtf8(x.LieuDit) + ")";
    lignes.push_back(ligne);
    if (!x.Donnee.empty()) lignes.push_back("    " + UnicodeVersUtf8(x.Donnee));
    for (const TPersAssociee& pa : e.PersAssociees()) {
      std::string cite = "    personne citée : " + NomPersonne(*bdd, pa.Lien.No);
      if (pa.Qualite > 0) cite += ", " + Resout(r.Qualite, "qualité", pa.Qualite);
      if (pa.Parente > 0) cite += ", " + Resout(r.Parente, "parenté", pa.Parente);
      lignes.push_back(cite);
    }
    for (const TSourceEven& s : e.Sources()) {
      std::string source = "    source : " + UnicodeVersUtf8(s.Descriptif);
      if (!s.Type.empty()) source += " (" + UnicodeVersUtf8(s.Type) + ")";
      lignes.push_back(source);
    }
    for (const TIllustrationEven& i : e.Illustrations()) lignes.push_back("    média : " + AnsiVersUtf8(i.Chemin));
    if (x.Note > 0) lignes.push_back("    note : " + Resout(r.TitreNote, "note", x.Note));
  }
  for (const TChpsSimpleTV& tv : fiche.ChpsSimples) {
    const TChpsSimple::TEnreg& c = tv.Chps.Enreg;
    std::string ligne = Libelle(defs, c.LibelleChamps);
    if (const long conjoint = tv.Chps.NoConjoint(fiche.NoPers); conjoint != 0)
      ligne += " avec " + NomPersonne(*bdd, conjoint);
    lignes.push_back(ligne + " : " + UnicodeVersUtf8(c.Donnee));
  }
  return lignes;
}

std::vector<std::string> FicheEvenements(TGestFichier& dossier, long noPers, const TResolveursFiche& r) {
  TModuleBDD* bdd = dossier.GetModuleBDD();
  if (!bdd) return {};
  TChpsPersonne fiche(noPers);
  TEnregPublic p;
  if (bdd->ReadPerson(p, noPers)) fiche.SetConjoints(p);
  bdd->ChargerLienChpsOfPerson(fiche);
  return RedigeFiche(dossier, fiche, r);
}

TResolveursFiche ResolveursDuDossier(TGestFichier& dossier) {
  const auto table = [](TFicDupli* t) -> std::function<UnicodeString(long)> {
    if (!t) return {};
    return [t](long n) { return t->Charge(n); };
  };
  TResolveursFiche r;
  r.Lieu = table(dossier.GetFicLieux());
  r.Qualite = table(dossier.GetFicQualites());
  r.Parente = table(dossier.GetFicParentes());
  if (TFicNotes* notes = dossier.FicNotes.get()) {
    r.TitreNote = [notes](long n) {
      const TNote note(notes, n);
      std::string titres;
      for (const AnsiString& t : note.Titres())
        if (!t.empty()) titres += (titres.empty() ? "" : ", ") + AnsiVersUtf8(t);
      return Utf8VersUnicode(titres);
    };
  }
  return r;
}

}  // namespace kyb
