#include "persons/edition_personne.h"

#include <algorithm>
#include <cctype>

#include "dates/saisiedate.h"
#include "fields/csdefchps.h"
#include "folder/fic_dupli.h"
#include "platform/caracteres.h"
#include "persons/tables_parente.h"
#include "store/datamodulebdd.h"

namespace kyb {
namespace {

std::string Guillemets(const std::string& texte) { return "« " + texte + " »"; }

// A person number typed by the user; -1 when it is none.
long NumeroSaisi(const std::string& texte) {
  long long n = 0;
  return TexteVersEntier(texte, n) && n >= 0 && n <= 0x7FFFFFFF ? static_cast<long>(n) : -1;
}

std::string Majuscules(std::string texte) {
  std::transform(texte.begin(), texte.end(), texte.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return texte;
}

// Why the text is too long for its field (counted in characters), or nothing. sujet carries its
// verb: "le nom dépasse", "les prénoms dépassent".
std::string Trop(const char* sujet, const UnicodeString& texte, size_t maximum) {
  const size_t n = NombreCaracteres(texte);
  if (n <= maximum) return {};
  return std::string(sujet) + " " + std::to_string(maximum) + " caractères (" + std::to_string(n) + ")";
}

// Why a typed text cannot be kept: a control character, which a terminal would obey when the
// text is shown; or nothing.
std::string Controle(const std::string& champ, const UnicodeString& texte) {
  const long c = PremierControle(texte);
  if (c < 0) return {};
  return Guillemets(champ) + " contient un caractère de contrôle (" + NomCaractere(c) + ") : il n'est pas accepté";
}

// Why two parents are refused: a woman as father ('F') or a man as mother ('M').
std::string MotifSexes(char fautif) {
  return fautif == 'F' ? "une femme n'est admise comme père qu'à côté d'une femme comme mère"
                       : "un homme n'est admis comme mère qu'à côté d'un homme comme père";
}

}  // namespace

TEditionPersonne::TEditionPersonne(TFicPersons& fichier, long no) : fichier_(fichier) {
  TGestFichier* dossier = fichier.Dossier();
  if (no < 1 || !fichier.NoPersValide(no))
    erreur_ = "la personne " + std::to_string(no) +
              " n'existe pas (dernier numéro : " + std::to_string(fichier.NbEnreg) + ")";
  else if (const std::string e = Existe(no); !e.empty())
    erreur_ = e;
  if (!erreur_.empty()) return;
  Ouvre();
  if (!erreur_.empty()) return;
  personne_ = std::make_unique<TPerson>(&fichier, no, true);
  if (!personne_->FicheChargee() || dossier->Erreur)
    erreur_ = "la fiche de la personne " + std::to_string(no) + " est illisible";
  pereInitial_ = personne_->Public.Pere.No;
  mereInitial_ = personne_->Public.Mere.No;
  sexeInitial_ = personne_->Public.Sexe;
}

TEditionPersonne::TEditionPersonne(TFicPersons& fichier) : fichier_(fichier), nouvelle_(true) {
  Ouvre();
  personne_ = std::make_unique<TPerson>(&fichier, 0);
  (void)personne_->GetNbInfoEven();  // an empty card, filled before the person has a number
}

void TEditionPersonne::Ouvre() {
  TGestFichier* dossier = fichier_.Dossier();
  TModuleBDD* bdd = dossier ? dossier->GetModuleBDD() : nullptr;
  if (!dossier || dossier->Erreur)
    erreur_ = "le dossier est en erreur : rien n'est modifié";
  else if (dossier->IsReadOnly())
    erreur_ = "le dossier est en lecture seule : rien n'est modifié";
  else if (!bdd || fichier_.AncienFormat())
    erreur_ = "le dossier n'est pas au format courant : convertissez-le d'abord";
  else
    transaction_ = std::make_unique<TACRTransaction>(bdd->Database());
}

std::string TEditionPersonne::Existe(long no) const {
  TModuleBDD* bdd = fichier_.Store();
  if (no < 1 || !fichier_.IsNoPersOk(no) || (bdd && !bdd->IsIDPersExists(no)))
    return "la personne " + std::to_string(no) + " n'existe pas";
  return {};
}

TPerson* TEditionPersonne::Autre(long no) {
  for (const auto& p : autres_)
    if (p->Numero() == no) return p.get();
  autres_.push_back(std::make_unique<TPerson>(&fichier_, no));
  return autres_.back().get();
}

std::string TEditionPersonne::Applique(const std::string& champ, const std::string& valeur, bool ajout) {
  if (!erreur_.empty()) return erreur_;
  std::string nom = champ, partie;
  long conjoint = 0;
  // "UNION@2.lieu" and "UNION.lieu@2" alike.
  if (const size_t p = nom.find('.'); p != std::string::npos) {
    partie = nom.substr(p + 1);
    nom.erase(p);
    if (const size_t a = partie.find('@'); a != std::string::npos) {
      nom += partie.substr(a);
      partie.erase(a);
    }
  }
  if (const size_t a = nom.find('@'); a != std::string::npos) {
    conjoint = NumeroSaisi(nom.substr(a + 1));
    if (conjoint < 1) return "conjoint invalide dans " + Guillemets(champ);
    nom.erase(a);
  }
  if (const std::string e = Controle(champ, Utf8VersUnicode(valeur)); !e.empty()) return e;
  const std::string cle = Majuscules(nom);
  if (cle == "NOM" || cle == "PRENOMS" || cle == "PRENOM" || cle == "SEXE" || cle == "PERE" || cle == "MERE" ||
      cle == "CONJOINT")
    return Lien(cle, valeur);
  const TDefChpsCs* defs = fichier_.Dossier()->GetDefChpsCs();
  const AnsiString libelle = Utf8VersAnsi(nom);
  const TChpCs* def = defs ? defs->RechercheChampsInternePtr(libelle) : nullptr;
  if (!def && defs) def = defs->RechercheChampsLibelleEcranPtr(libelle);
  if (!def) return "rubrique inconnue : " + Guillemets(champ);
  switch (def->Type) {
    case tcNom:
      return Lien("NOM", valeur);
    case tcPrenom:
      return Lien("PRENOMS", valeur);
    case tcSexe:
      return Lien("SEXE", valeur);
    case tcNoSosa:
      return "le numéro Sosa ne se saisit pas : il se calcule (kyb sosa)";
    default:
      break;
  }
  if (conjoint != 0 && !def->IsLiaisonCouple())
    return Guillemets(AnsiVersUtf8(def->LibelleInterne)) + " n'est pas une rubrique de couple";
  if (def->IsLiaisonCouple()) {
    if (conjoint == 0)
      return Guillemets(AnsiVersUtf8(def->LibelleInterne)) + " est une rubrique de couple : indiquez le conjoint (" +
             nom + "@N)";
    if (personne_->RetourneRgConj(conjoint) == 0)
      return "la personne " + std::to_string(conjoint) + " n'est pas un conjoint de cette personne";
  }
  if (def->IsEvenement()) return Evenement(*def, Majuscules(partie), conjoint, valeur, ajout);
  if (!partie.empty())
    return Guillemets(AnsiVersUtf8(def->LibelleInterne)) + " n'a pas de partie " + Guillemets(partie);
  return Simple(*def, conjoint, valeur, ajout);
}

std::string TEditionPersonne::Lien(const std::string& cle, const std::string& valeur) {
  if (cle == "NOM" || cle == "PRENOMS" || cle == "PRENOM") {
    const UnicodeString texte = Utf8VersUnicode(valeur);
    const bool estNom = cle == "NOM";
    if (estNom && texte.find_first_not_of(u' ') == UnicodeString::npos)
      return "le nom est vide : indiquez un nom";
    if (std::string e =
            Trop(estNom ? "le nom dépasse" : "les prénoms dépassent", texte, estNom ? kLongueurNom : kLongueurPrenoms);
        !e.empty())
      return e;
    if (estNom)
      personne_->SetNom(texte);
    else
      personne_->SetPrenoms(texte);
    return {};
  }
  if (cle == "SEXE") {
    if (valeur != "M" && valeur != "F" && valeur != "?")
      return "sexe invalide : " + Guillemets(valeur) + " (M, F ou ?)";
    personne_->SetSexe(valeur[0]);
    return {};
  }
  const long no = valeur.empty() ? 0 : NumeroSaisi(valeur);
  if (no < 0) return "numéro de personne invalide : " + Guillemets(valeur);
  if (cle == "CONJOINT") return Conjoint(no);
  return Parent(cle == "PERE", no);
}

std::string TEditionPersonne::Parent(bool pere, long no) {
  TEnregPublic& p = personne_->Public;
  if (no != 0) {
    if (!nouvelle_ && no == Numero())
      return std::string("une personne ne peut pas être ") + (pere ? "son propre père" : "sa propre mère");
    if (std::string e = Existe(no); !e.empty()) return e;
    if ((pere ? p.Mere.No : p.Pere.No) == no) return "le père et la mère sont la même personne";
    if (!nouvelle_)
      for (const TLienPers& e : p.Enfants)
        if (e.No == no) return "la personne " + std::to_string(no) + " est un enfant de cette personne";
  }
  (pere ? p.Pere : p.Mere) = static_cast<int32_t>(no);
  return {};
}

std::string TEditionPersonne::Conjoint(long no) {
  if (no == 0) return "numéro de conjoint invalide : 0";
  if (!nouvelle_ && no == Numero()) return "une personne ne peut pas être son propre conjoint";
  if (std::string e = Existe(no); !e.empty()) return e;
  const TEnregPublic& p = personne_->Public;
  const std::string quoi = "la personne " + std::to_string(no) + " est ";
  const char* refus = " de cette personne : elle ne peut pas être son conjoint";
  if (no == p.Pere.No || no == p.Mere.No) return quoi + "un parent" + refus;
  for (const TLienPers& e : p.Enfants)
    if (e.No == no) return quoi + "un enfant" + refus;
  if (personne_->RetourneRgConj(no) > 0) return {};
  if (personne_->AjouteConj(no) < 0) return "cette personne a déjà " + std::to_string(kMaxConjoints) + " conjoints";
  conjointsAjoutes_.push_back(no);
  return {};
}

std::string TEditionPersonne::Evenement(const TChpCs& def, const std::string& partie, long conjoint,
                                        const std::string& valeur, bool ajout) {
  TPerson& p = *personne_;
  const AnsiString& libelle = def.LibelleInterne;
  const std::string quoi = partie.empty() ? (def.Type == tcEvenSimple ? "DATE" : "DONNEE") : partie;
  if (quoi != "DATE" && quoi != "LIEU" && quoi != "LIEUDIT" && quoi != "DONNEE")
    return "partie inconnue : " + Guillemets(partie) + " (date, lieu, lieudit ou donnee)";
  if (valeur.empty() && partie.empty() && !ajout) {
    (void)p.SupprimeEvenement(libelle, conjoint > 0 ? conjoint : -1);
    return {};
  }
  TEvenement e(fichier_.Store());
  TEvenement* present = ajout ? nullptr : p.GetEvent(libelle, conjoint > 0 ? conjoint : -1);
  // An empty part clears it on an event that exists; it makes no event.
  if (valeur.empty() && !present) return {};
  if (present)
    e = *present;
  else {
    e.NouvelleFiche();
    e.SetLibelle(libelle);
  }
  const UnicodeString texte = Utf8VersUnicode(valeur);
  if (quoi == "DATE") {
    if (valeur.empty())
      e.Enreg.Date = TDateKY();
    else {
      // Read as genealogists type it ("vers 1750", "entre 1750 et 1760", "an XII"...).
      const TLectureDate lecture = LitDateFrancaiseUtf8(valeur);
      if (lecture.code != -1)
        return "date invalide : " + Guillemets(valeur) + " (" + AnsiVersUtf8(MotifRefusDate(lecture)) + ")";
      e.Enreg.Date = lecture.date;
    }
  } else if (quoi == "LIEU") {
    if (std::string m = Lieu(e, valeur); !m.empty()) return m;
  } else if (quoi == "LIEUDIT") {
    if (std::string m = Trop("le lieu-dit dépasse", texte, kLongueurLieuDit); !m.empty()) return m;
    e.SetLieuDit(texte);
  } else {
    if (std::string m = Trop("la donnée dépasse", texte, kLongueurDonnee); !m.empty()) return m;
    e.SetDonnee(texte);
  }
  if (const int rg = ajout ? -1 : p.GetRgEven(libelle, conjoint > 0 ? conjoint : -1); rg >= 0) {
    (void)p.MajEvenNo(rg, e);
    return {};
  }
  if (p.AjoutEven(e, conjoint) < 0) return UnicodeVersUtf8(kMessageAjoutRefuse);
  return {};
}

std::string TEditionPersonne::Simple(const TChpCs& def, long conjoint, const std::string& valeur, bool ajout) {
  TPerson& p = *personne_;
  const UnicodeString texte = Utf8VersUnicode(valeur);
  if (std::string m = Trop("la donnée dépasse", texte, kLongueurDonnee); !m.empty()) return m;
  if (!ajout) {
    for (int i = 0; i < p.GetNbChpsSimple(); ++i) {
      TChpsSimple& c = *p.ChpsSimpleNo(i);
      if (!c.IsLibelleChamps(def.LibelleInterne) || (conjoint > 0 && c.NoConjoint(p.Numero()) != conjoint)) continue;
      if (valeur.empty())
        (void)p.SupprChpsSimpleNo(i);
      else
        c.SetDonnee(texte);
      return {};
    }
    if (valeur.empty()) return {};
  }
  TChpsSimple c(fichier_.Store());
  c.SetLibelle(def.LibelleInterne);
  c.SetDonnee(texte);
  if (p.AjoutChpsSimple(c, conjoint) < 0) return UnicodeVersUtf8(kMessageAjoutRefuse);
  return {};
}

bool TEditionPersonne::EnregistreTout() {
  TPerson& p = *personne_;
  const long no = nouvelle_ ? fichier_.ReturnNewNum() : p.Numero();
  if (no <= 0) return false;
  const long pere = p.Public.Pere.No, mere = p.Public.Mere.No;
  bool modifie = false;
  for (const long ancien : {pereInitial_, mereInitial_})
    if (ancien > 0 && ancien != pere && ancien != mere) Autre(ancien)->SupprimeEnfant(no, modifie);
  for (const long parent : {pere, mere})
    if (parent > 0 && parent != pereInitial_ && parent != mereInitial_ &&
        Autre(parent)->AjouteEnf(no, parent == pere ? (mere > 0 ? mere : -1) : (pere > 0 ? pere : -1)) < 0) {
      erreur_ = "la personne " + std::to_string(parent) + " a déjà " + std::to_string(kMaxEnfants) + " enfants";
      return false;
    }
  for (const long c : conjointsAjoutes_)
    if (Autre(c)->AjouteConj(no) < 0) {
      erreur_ = "la personne " + std::to_string(c) + " a déjà " + std::to_string(kMaxConjoints) + " conjoints";
      return false;
    }
  p.MajDateJourDDMF_DCF();
  if (!p.Enregistrement(no)) return false;
  for (const auto& autre : autres_)
    if (!autre->Enregistrement()) return false;
  return true;
}

std::string TEditionPersonne::Sexes() {
  const TPerson& p = *personne_;
  const auto sexe = [&](long no) -> char {
    if (no <= 0) return 0;
    if (no == p.Numero()) return p.Public.Sexe;
    return Autre(no)->Public.Sexe;
  };
  const long pere = p.Public.Pere.No, mere = p.Public.Mere.No;
  if ((pere != pereInitial_ || mere != mereInitial_) && !SexesParentsAdmis(sexe(pere), sexe(mere))) {
    if (sexe(pere) == 'F') return "la personne " + std::to_string(pere) + " est une femme : " + MotifSexes('F');
    return "la personne " + std::to_string(mere) + " est un homme : " + MotifSexes('M');
  }
  if (nouvelle_ || p.Public.Sexe == sexeInitial_) return {};
  // A parent whose sex changes: each child keeps two parents the rule admits.
  for (const TLienPers& e : p.Public.Enfants) {
    if (e.No <= 0) continue;
    TPerson enfant(&fichier_, 0);
    if (!LitPersonneVivante(fichier_, e.No, enfant)) continue;
    const long autre = enfant.Public.Pere.No == p.Numero() ? enfant.Public.Mere.No : enfant.Public.Pere.No;
    const bool estPere = enfant.Public.Pere.No == p.Numero();
    if (!estPere && enfant.Public.Mere.No != p.Numero()) continue;
    const char sp = estPere ? p.Public.Sexe : sexe(autre), sm = estPere ? sexe(autre) : p.Public.Sexe;
    if (!SexesParentsAdmis(sp, sm))
      return "la personne " + std::to_string(p.Numero()) + " est " + (estPere ? "le père" : "la mère") + " de " +
             std::to_string(e.No) + " : " + MotifSexes(sp == 'F' ? 'F' : 'M');
  }
  return {};
}

std::string TEditionPersonne::Enregistre() {
  if (!erreur_.empty()) return erreur_;
  if (std::string e = Sexes(); !e.empty()) return e;
  const long nbEnreg = fichier_.NbEnreg, nbAjouts = fichier_.NbAjouts;
  if (EnregistreTout() && transaction_->Commit()) {
    transaction_.reset();
    return {};
  }
  // Nothing of the edit stays: the store goes back, and what memory holds of it is reloaded.
  transaction_.reset();
  fichier_.NbEnreg = nbEnreg;
  fichier_.NbAjouts = nbAjouts;
  fichier_.VideBufferPerson();
  if (TIndexPersonnesDossier* index = fichier_.Dossier()->GetFicIndexPerson()) index->ReinitTableIndexBis();
  if (erreur_.empty()) erreur_ = "l'enregistrement a échoué : rien n'a été écrit";
  return erreur_;
}

}  // namespace kyb
