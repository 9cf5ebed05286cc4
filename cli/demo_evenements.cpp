// The events of the demo's sample family: read from data/demo/evenements.tsv, written as each
// person's record card, then shown as kyb evenements shows them.
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

#include "dates/analysedate.h"
#include "dates/redigedate.h"
#include "demo.h"
#include "donnees.h"
#include "folder/elt_dupli.h"
#include "folder/fic_dupli.h"
#include "persons/fiche_evenements.h"
#include "store/datamodulebdd.h"

namespace kyb::cli {
namespace {

std::vector<std::string> Decoupe(const std::string& texte, char separateur) {
  std::vector<std::string> morceaux;
  std::stringstream flux(texte);
  std::string m;
  while (std::getline(flux, m, separateur)) morceaux.push_back(m);
  return morceaux;
}

// Number of a text in one of the folder's value tables, added when absent; 0 for no text.
long NumeroTexte(TFicDupli* table, const std::string& texte) {
  if (texte.empty() || !table) return 0;
  const TEltDupWideChn element(Utf8VersUnicode(texte));
  return table->Cherche(&element, true);
}

TEvenement LigneEvenement(TGestFichier& dossier, const std::vector<std::string>& c) {
  TModuleBDD& bdd = *dossier.GetModuleBDD();
  TEvenement e(&bdd);
  e.NouvelleFiche();
  e.SetLibelle(c[2]);
  AnsiString date;
  if (!c[3].empty() && AnalyseDate(date, Utf8VersAnsi(c[3]), c[4]) == kAnalyseOk)
    e.Enreg.Date = TDateKY(c[4].empty() ? 'G' : c[4][0], date);
  else if (!c[3].empty())
    (void)MajFourchetteAnnee(e.Enreg.Date, c[3]);  // a range of years
  e.Enreg.Date.SetActe(c[5]);
  const long lieu = NumeroTexte(dossier.GetFicLieux(), c[6]);
  e.Enreg.Lieu = static_cast<int32_t>(lieu);
  e.SetLieuDit(Utf8VersUnicode(c[7]));
  long long n = 0;
  if (TexteVersEntier(c[8], n)) e.Enreg.NoPersB = static_cast<int32_t>(n);
  e.SetDonnee(Utf8VersUnicode(c[9]));
  for (const std::string& cite : Decoupe(c[10], ',')) {
    const auto champs = Decoupe(cite, ':');
    TPersAssociee pa;
    if (champs.empty() || !TexteVersEntier(champs[0], n)) continue;
    pa.Lien = static_cast<int32_t>(n);
    pa.Qualite = static_cast<int32_t>(NumeroTexte(dossier.GetFicQualites(), champs.size() > 1 ? champs[1] : ""));
    pa.Parente = static_cast<int32_t>(NumeroTexte(dossier.GetFicParentes(), champs.size() > 2 ? champs[2] : ""));
    (void)e.AjoutPersAssociee(pa);
  }
  for (const std::string& source : Decoupe(c[11], ';')) {
    const auto champs = Decoupe(source, '|');
    if (champs.size() == 2) (void)e.AjoutSource({0, Utf8VersUnicode(champs[0]), Utf8VersUnicode(champs[1])});
  }
  if (TexteVersEntier(c[12], n)) e.Enreg.Note = static_cast<int32_t>(n);
  return e;
}

}  // namespace

int ChargeEvenements(TGestFichier& dossier) {
  if (!dossier.GetModuleBDD()) return 0;
  TModuleBDD& bdd = *dossier.GetModuleBDD();
  std::ifstream entree(RepertoireDonnees() + "/demo/evenements.tsv");
  std::map<long, TChpsPersonne> fiches;
  std::string ligne;
  while (std::getline(entree, ligne)) {
    if (ligne.empty() || ligne[0] == '#') continue;
    std::vector<std::string> c = Decoupe(ligne, '\t');
    c.resize(13);
    long long no = 0;
    if (!TexteVersEntier(c[0], no) || no < 1) continue;
    TChpsPersonne& fiche = fiches.try_emplace(static_cast<long>(no), static_cast<long>(no)).first->second;
    if (c[1] == "S") {
      TChpsSimple s(&bdd);
      s.SetLibelle(c[2]);
      s.SetDonnee(Utf8VersUnicode(c[9]));
      fiche.AddChpsSimpleInTV(s);
    } else {
      fiche.AddEvenInTV(LigneEvenement(dossier, c));
    }
  }
  int n = 0;
  for (auto& [no, fiche] : fiches)
    if (bdd.EnregistrerChpsOfPerson(fiche)) n += fiche.GetNbInfoEven() + fiche.GetNbChpsSimple();
  return n;
}

void DemoEvenements(TGestFichier& dossier) {
  TModuleBDD* bdd = dossier.GetModuleBDD();
  if (!bdd) return;
  const TResolveursFiche r = ResolveursDuDossier(dossier);
  for (const long n : {1L, 3L}) {
    TEnregPublic p;
    if (!bdd->ReadPerson(p, n)) continue;
    std::printf("\n== Fiche de %s %s (kyb evenements CHEMIN %ld)\n", UnicodeVersUtf8(p.Prenoms).c_str(),
                UnicodeVersUtf8(p.Nom).c_str(), n);
    for (const std::string& l : FicheEvenements(dossier, n, r)) std::printf("  %s\n", l.c_str());
  }
  TFilterEvent f;
  f.Libelles = {"NAISSANCE"};
  f.AnneeMin = 1840;
  f.AnneeMax = 1880;
  std::map<long, long> trouves;
  if (bdd->SearchEven(trouves, f)) {
    std::printf("\n== Naissances entre 1840 et 1880 :");
    for (const auto& [id, no] : trouves) std::printf(" personne %ld", no);
    std::printf("\n");
  }
}

}  // namespace kyb::cli
