// The name search over the person index (see recherche_simple.h): the surname targets and the
// ranges of the index they cover, the walk of those ranges with the given names, sex and years
// read from the entries, then the criteria read from the person's record, then the exclusions.
#include "index/recherche_simple.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "folder/fic_dupli.h"
#include "folder/gest_fic.h"
#include "folder/gest_fic_pers.h"
#include "index/gest_fic_index.h"
#include "index/recherche_simple_interne.h"
#include "names/bo_chn1.h"
#include "names/cles_personne.h"
#include "names/masque.h"
#include "names/tab_nom_equiv.h"
#include "names/table_codes_index.h"
#include "persons/gest_pers.h"
#include "store/datamodulebdd.h"

namespace kyb {

namespace {

constexpr int kPasAbandon = 256;  // entries walked between two looks at the stop flag

// A searched surname and how the entries are compared with it.
struct TCible {
  UnicodeString Cle;  // key form, "*" kept; kNomVide for the surname placeholder
  bool Masque = false;
  bool Phonetique = false;
};

// Positions of the surnames of a phonetic code, in the entries walked.
std::vector<int32_t> DebutsCode(const TFicIndexPerson& index, const TVueEltIndex&, std::u16string_view code) {
  return index.DebutsNomsCode(code);
}
std::vector<int32_t> DebutsCode(const TFicIndexPerson&, const TVueFichierIndex& vue, std::u16string_view code) {
  return vue.DebutsCode(CodeEntier(code));
}

bool BorneOk(int valeur, int min, int max) { return (min < 0 || valeur >= min) && (max < 0 || valeur <= max); }

}  // namespace

struct TRechercheIndex::TContexte {
  std::optional<std::set<long>> Lieux;        // holders of an event in the searched places
  std::optional<std::set<long>> Evenements;   // holders of an event of the filter
  bool BesoinFiche = false;
};

TRechercheIndex::TRechercheIndex(TFicIndexPerson& index, const TTabNomEquiv* equivalences)
    : index_(index), dossier_(*index.Dossier()), equivalences_(equivalences) {}

bool TRechercheIndex::IsPrenomsCorrespond(std::u16string_view cherches, std::u16string_view prenoms,
                                          bool phonetique) {
  std::vector<UnicodeString> siens;
  for (int j = 1; j <= NombreClesPrenom(prenoms); ++j) siens.push_back(ClePrenom(prenoms, j));
  if (siens.empty()) siens.emplace_back(kPrenomVide);
  for (const UnicodeString& cherche : ElementsRecherche(cherches)) {
    if (cherche == kSansPrenom) {
      if (siens.front() != kPrenomVide) return false;
      continue;
    }
    const bool trouve = std::any_of(siens.begin(), siens.end(), [&](const UnicodeString& sien) {
      return CorrespondCle(cherche, sien, phonetique);
    });
    if (!trouve) return false;
  }
  return true;
}

bool TRechercheIndex::CompareNomPrenoms(std::u16string_view champNom, std::u16string_view prenoms,
                                        std::u16string_view nomCherche, std::u16string_view prenomsCherches,
                                        bool phonetiqueNom, bool phonetiquePrenoms) {
  if (!nomCherche.empty()) {
    const int n = NombreClesNom(champNom);
    bool trouve = false;
    if (nomCherche == kSansNom) {
      trouve = n == 0 || CleNom(champNom, 1).empty();
    } else {
      for (int i = 1; i <= std::max(n, 1) && !trouve; ++i) {
        UnicodeString element = CleNom(champNom, i);
        if (element.empty()) element = kNomVide;
        trouve = CorrespondCle(nomCherche, element, phonetiqueNom);
      }
    }
    if (!trouve) return false;
  }
  return prenomsCherches.empty() || IsPrenomsCorrespond(prenomsCherches, prenoms, phonetiquePrenoms);
}

bool TRechercheIndex::LitPersonne(int32_t noPers, TEnregPublic& p) {
  const TFicPersons* f = dossier_.GetFicPersons();
  TModuleBDD* m = dossier_.GetModuleBDD();
  if (noPers <= 0) return false;
  if (f && f->AncienFormat()) {
    p = TPerson(dossier_.GetFicPersons(), noPers).Public;
    return true;
  }
  return m && m->ReadPerson(p, noPers);
}

bool TRechercheIndex::ParentCorrespond(int32_t noParent, std::u16string_view cherche, std::u16string_view absent) {
  if (cherche.empty()) return true;
  if (cherche == absent) return noParent <= 0;
  TEnregPublic parent;
  if (noParent <= 0 || !LitPersonne(noParent, parent)) return false;
  return CompareNomPrenoms(parent.Nom, parent.Prenoms, cherche, {}, false, false);
}

std::set<long> TRechercheIndex::PlacesCorrespondant(std::u16string_view lieu) {
  std::set<long> titulaires;
  const TFicDupli* lieux = dossier_.GetFicLieux();
  TModuleBDD* m = dossier_.GetModuleBDD();
  if (!lieux || !m) return titulaires;
  const UnicodeString cle = CleLieu(lieu);
  TFilterEvent filtre;
  for (const long no : lieux->NumerosCommencantPar(UnicodeString(DebutMasque(cle))))
    if (StrCmpMasque(cle, CleLieu(lieux->RetCommune(no)))) filtre.Lieux.push_back(no);
  if (filtre.Lieux.empty()) return titulaires;
  for (const long no : m->ApplyFilterEvent(filtre, {})) titulaires.insert(no);
  return titulaires;
}

bool TRechercheIndex::ExamineFiche(int32_t noPers, const TRechSimple& c, TContexte& ctx) {
  if (ctx.Lieux && !ctx.Lieux->count(noPers)) return false;
  if (ctx.Evenements && !ctx.Evenements->count(noPers)) return false;
  if (!ctx.BesoinFiche) return true;
  TEnregPublic p;
  if (!LitPersonne(noPers, p)) return false;
  if (!BorneOk(p.NbEnfants(), c.NbEnfantsMin, c.NbEnfantsMax)) return false;
  if (!BorneOk(p.NbConjoints(), c.NbConjointsMin, c.NbConjointsMax)) return false;
  if (!ParentCorrespond(p.Pere.No, c.NomPere, kSansPere) || !ParentCorrespond(p.Mere.No, c.NomMere, kSansMere))
    return false;
  if (!c.NomConjoint.empty()) {
    bool trouve = false;
    for (const TLienConj& conj : p.Conjoints)
      if (!trouve && conj.Lien.No > 0) trouve = ParentCorrespond(conj.Lien.No, c.NomConjoint, u"");
    if (!trouve) return false;
  }
  if (c.Champs.empty() && !c.CreeDu && !c.CreeAu && !c.ModifieDu && !c.ModifieAu) return true;
  TPerson personne(dossier_.GetFicPersons(), noPers);
  for (const TCritereChamp& champ : c.Champs) {
    const UnicodeString masque = UpperANSIChaineAS(champ.Masque, 1);
    const auto valeurs = personne.ValeursChpsSimple(champ.Libelle);
    if (std::none_of(valeurs.begin(), valeurs.end(),
                     [&](const UnicodeString& v) { return StrCmpMasque(masque, UpperANSIChaineAS(v, 1)); }))
      return false;
  }
  return DateFicheDansBornes(personne, "DCF", c.CreeDu, c.CreeAu) &&
         DateFicheDansBornes(personne, "DDMF", c.ModifieDu, c.ModifieAu);
}

void TRechercheIndex::RechercheSimpleNomEtConj(const TRechSimple& criteres,
                                               const std::function<bool(int32_t)>& action) {
  abandon_.store(false);
  // The names of relatives in key form, as the records' names are compared.
  TRechSimple c = criteres;
  for (UnicodeString* nom : {&c.NomPere, &c.NomMere, &c.NomConjoint})
    if (!nom->empty()) *nom = CleRecherche(*nom, true);
  // Surname targets: typed names, widened by the equivalences, in key form.
  std::vector<TCible> cibles;
  std::vector<UnicodeString> noms = ElementsNom(c.Nom);
  if (c.Equivalences && equivalences_) {
    std::vector<UnicodeString> etendus;
    for (const UnicodeString& nom : noms) {
      etendus.push_back(nom);
      if (EstMasque(nom) || nom == kSansNom) continue;
      for (const AnsiString& e : equivalences_->ListeNomEquiv(UnicodeVersAnsi(nom), true))
        etendus.push_back(CleRecherche(AnsiVersUnicode(e), true));
    }
    noms = etendus;
  }
  for (UnicodeString& nom : noms) {
    if (c.NomPartiel && !EstMasque(nom) && nom != kSansNom) nom += u'*';
    const bool masque = EstMasque(nom);
    cibles.push_back({nom == kSansNom ? UnicodeString() : nom, masque, c.PhonetiqueNom && !masque});
  }
  std::vector<UnicodeString> prenoms = ElementsRecherche(c.Prenoms);
  if (c.PrenomsPartiel)
    for (UnicodeString& p : prenoms)
      if (!EstMasque(p) && p != kSansPrenom) p += u'*';
  if (prenoms.size() > 32) prenoms.resize(32);
  std::vector<std::vector<UnicodeString>> alternatives;
  for (const UnicodeString& p : prenoms) {
    std::vector<UnicodeString> alt{p};
    if (c.Equivalences && equivalences_ && !EstMasque(p) && p != kSansPrenom)
      for (const AnsiString& e : equivalences_->ListeNomEquiv(UnicodeVersAnsi(p), false))
        if (AnsiVersUnicode(e) != p) alt.push_back(AnsiVersUnicode(e));
    alternatives.push_back(std::move(alt));
  }
  const uint32_t complet = prenoms.empty() ? 0 : static_cast<uint32_t>((uint64_t{1} << prenoms.size()) - 1);

  TContexte ctx;
  ctx.BesoinFiche = !c.NomConjoint.empty() || !c.NomPere.empty() || !c.NomMere.empty() || c.NbEnfantsMin >= 0 ||
                    c.NbEnfantsMax >= 0 || c.NbConjointsMin >= 0 || c.NbConjointsMax >= 0 || !c.Champs.empty() ||
                    c.CreeDu || c.CreeAu || c.ModifieDu || c.ModifieAu;
  TModuleBDD* m = dossier_.GetModuleBDD();
  if (!c.Lieu.empty()) ctx.Lieux = PlacesCorrespondant(c.Lieu);
  if (!c.Evenement.Vide()) {
    ctx.Evenements.emplace();
    if (m)
      for (const long no : m->ApplyFilterEvent(c.Evenement, {})) ctx.Evenements->insert(no);
  }

  // The criteria of the entry itself; an entry read whole or only its surname and numbers.
  const auto entreeOk = [&](const auto& e) {
    if (e.FicheSupprimee == 'O' || e.NoPers <= 0) return false;
    if (!c.TemoinsAussi && e.TypePersonne == 'T') return false;
    if ((c.Sexe == 'M' || c.Sexe == 'F') && e.Sexe != c.Sexe) return false;
    if (c.AnneeMin || c.AnneeMax) {
      if (e.AnneeMin <= 0) return false;
      if ((c.AnneeMin && e.AnneeMin < c.AnneeMin) || (c.AnneeMax && e.AnneeMin > c.AnneeMax)) return false;
    }
    return true;
  };
  const auto nomOk = [&](std::u16string_view nomEntree, std::u16string_view soundex) {
    if (cibles.empty()) return true;
    const std::u16string_view nom = nomEntree.empty() ? std::u16string_view(kNomVide) : nomEntree;
    return std::any_of(cibles.begin(), cibles.end(), [&](const TCible& cible) {
      if (cible.Cle.empty()) return nomEntree.empty();
      if (cible.Phonetique) return soundex == SoundexCle(cible.Cle);
      return cible.Masque ? StrCmpMasque(cible.Cle, nom) : nomEntree == cible.Cle;
    });
  };
  const auto prenomsTrouves = [&](const TEltIndex& e) {
    uint32_t bits = 0;
    const std::u16string_view sien = e.Prenom().empty() ? std::u16string_view(kPrenomVide) : e.Prenom();
    for (size_t k = 0; k < alternatives.size(); ++k)
      for (const UnicodeString& p : alternatives[k])
        if (p == kSansPrenom ? e.Prenom().empty() : CorrespondCle(p, sien, c.PhonetiquePrenoms)) bits |= 1u << k;
    return bits;
  };

  std::vector<bool> vus(static_cast<size_t>(std::max<long>(index_.NbPersonnesConnues(), 0)) + 2);
  const auto vu = [&](int32_t no) {
    if (static_cast<size_t>(no) >= vus.size()) vus.resize(static_cast<size_t>(no) + 1);
    const bool deja = vus[static_cast<size_t>(no)];
    vus[static_cast<size_t>(no)] = true;
    return deja;
  };
  std::unordered_map<int32_t, uint32_t> partiels;
  const auto candidat = [&](int32_t no) {
    if (abandon_.load()) return false;
    if (vu(no)) return true;
    if (!ExamineFiche(no, c, ctx)) return true;
    return action(no);
  };
  // An entry that met the entry and name criteria: its given names, then the person or its
  // spouses offered. False stops the walk.
  const auto retenue = [&](int32_t noPers, const auto& prenoms) {
    if (complet) {
      uint32_t& bits = partiels[noPers];
      bits |= prenoms();
      if (bits != complet) return true;
    }
    if (c.AussiConjoints) {
      TEnregPublic p;
      if (LitPersonne(noPers, p))
        for (const TLienConj& conj : p.Conjoints)
          if (conj.Lien.No > 0 && !candidat(conj.Lien.No)) return false;
      return true;
    }
    return candidat(noPers);
  };

  // The ranges of the index to walk.
  const auto plagesDe = [&](const auto& elts) {
    std::vector<std::pair<size_t, size_t>> plages;
    if (cibles.empty()) plages.emplace_back(0, elts.size());
    for (const TCible& cible : cibles) {
      if (cible.Phonetique) {
        for (const int32_t debut : DebutsCode(index_, elts, SoundexCle(cible.Cle)))
          plages.push_back(PlageDuDebut(elts, static_cast<size_t>(debut)));
      } else {
        plages.push_back(Plage(elts, cible.Masque ? DebutMasque(cible.Cle) : cible.Cle, cible.Masque));
        // The persons without surname are compared as kNomVide, which sorts elsewhere.
        if (cible.Masque && std::u16string_view(kNomVide).substr(0, DebutMasque(cible.Cle).size()) ==
                                DebutMasque(cible.Cle))
          plages.push_back(Plage(elts, u"", false));
      }
    }
    return plages;
  };
  // The ranges walked in index order, each entry once; visite(k, pas) false stops the walk.
  const auto parcoursPlages = [&](std::vector<std::pair<size_t, size_t>> plages, const auto& visite) {
    std::sort(plages.begin(), plages.end());
    size_t pas = 0, finPrecedente = 0;
    for (auto [debut, fin] : plages) {
      debut = std::max(debut, finPrecedente);  // overlapping ranges are walked once
      for (size_t k = debut; k < fin; ++k) {
        if (++pas % kPasAbandon == 0 && abandon_.load()) return;
        if (!visite(k, pas)) return;
      }
      finPrecedente = std::max(finPrecedente, fin);
    }
  };
  // Entries read whole: from memory, or from the file read in place, which keeps the entries of
  // the walk's beginning only: past it (a mask, no surname) they would push out those that
  // searches read again.
  const auto parcours = [&](const auto& elts) {
    constexpr size_t kGardees = TVueFichierIndex::kGardeesMax;
    parcoursPlages(plagesDe(elts), [&](size_t k, size_t pas) {
      const TEltIndex& e = pas > kGardees ? EntreeParcourue(elts, k) : elts[k];
      if (!entreeOk(e) || !nomOk(e.Nom(), e.NomSoundex())) return true;
      return retenue(e.NoPers, [&] { return prenomsTrouves(e); });
    });
  };
  // When neither given names nor phonetic codes are searched, the file read in place gives each
  // entry's surname and numbers only; the surname is decoded and compared once per run of it.
  const auto parcoursNoms = [&](const TVueFichierIndex& vue) {
    std::string_view precedent;
    bool premier = true, nomRetenu = false;
    TVueFichierIndex::TEntreeNom e;
    parcoursPlages(plagesDe(vue), [&](size_t k, size_t) {
      if (!vue.LitNom(k, e)) return !vue.Endommage();
      if (!entreeOk(e)) return true;
      if (premier || e.NomUtf8 != precedent) {
        const UnicodeString nom = vue.DecodeNom(e.NomUtf8);
        if (vue.Endommage()) return false;
        nomRetenu = nomOk(nom, {});
        precedent = e.NomUtf8;
        premier = false;
      }
      return !nomRetenu || retenue(e.NoPers, [] { return 0u; });
    });
  };
  const bool phonetique = std::any_of(cibles.begin(), cibles.end(), [](const TCible& t) { return t.Phonetique; });
  if (const TVueFichierIndex* vue = index_.VueFichier()) {
    if (complet || phonetique) parcours(*vue);
    else parcoursNoms(*vue);
  } else if (const TGestEltIndex* index = index_.Index()) {
    parcours(index->Elements());
  }
}

TResultatRecherche TRechercheIndex::RechercheSimple(const TRechSimple& c, size_t limite, bool compte) {
  TResultatRecherche r;
  const bool exclusions = c.ExclusionActive();
  const auto lance = [&] {
    r = {};
    RechercheSimpleNomEtConj(c, [&](int32_t no) {
      if (exclusions && IsExclu(no, &c)) return true;
      ++r.Total;
      if (r.Personnes.size() < limite) r.Personnes.push_back(no);
      return compte || r.Personnes.size() < limite;
    });
  };
  lance();
  // An entry of the file read in place was damaged: the search runs again over the index read
  // whole (rebuilt from the rows when the file cannot be trusted).
  if (index_.VueEndommagee()) lance();
  r.Abandonnee = abandon_.load();
  return r;
}

bool TRechercheIndex::IsExclu(int32_t noPers, const TRechSimple* c) {
  if (!c || !c->ExclusionActive()) return false;
  if (c->Exclus.count(noPers)) return true;
  if ((c->Exclu1 && noPers == c->Exclu1) || (c->Exclu2 && noPers == c->Exclu2)) return true;
  return IsExcluParentsRecursif(c->Profondeur + 1, noPers, *c);
}

bool TRechercheIndex::IsExcluParentsRecursif(int profondeur, int32_t noPers, const TRechSimple& c) {
  if (profondeur < 1 || (!c.ExcluPereConnu && !c.ExcluMereConnue)) return false;
  TEnregPublic p;
  if (!LitPersonne(noPers, p)) return false;
  if (profondeur == 1) return (c.ExcluPereConnu && p.Pere.No > 0) || (c.ExcluMereConnue && p.Mere.No > 0);
  return (p.Pere.No > 0 && IsExcluParentsRecursif(profondeur - 1, p.Pere.No, c)) ||
         (p.Mere.No > 0 && IsExcluParentsRecursif(profondeur - 1, p.Mere.No, c));
}

}  // namespace kyb
