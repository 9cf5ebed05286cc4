#pragma once
// TPerson: the in-memory person of a genealogy folder — identity, links to parents, spouses and
// children, and the alternative parent pair.
//
// A person is built on a number of its persons file and loads itself: from the store's Personnes
// row in the current format, from the 644-byte record (and its extension record) in an older
// folder. Numbers: 0 not numbered (nothing is saved), -2 the header person, -3 keep the current
// number on Lecture and Enregistrement, take a new one on NouvelleFiche.
//
// The alternative parents (father and mother A and B, with the principal-pair selectors) live in
// the store's IDParents table, a row only for persons whose pair differs from the default.
//
// Failures: a number beyond the persons storage, a folder in error or a garbage record leave the
// person empty (with its number). Enregistrement writes nothing on a read-only folder or one in
// error. A person belongs to one thread.
#include <NTL/ZZ.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "folder/gest_fic_pers.h"
#include "platform/caracteres.h"
#include "store/chps_personne.h"
#include "store/enreg_public.h"

namespace kyb {

class TDefChpsCs;

// What the user is told when an event cannot be added to a person.
inline constexpr const char16_t* kMessageAjoutRefuse =
    u"Impossible d'ajouter une nouvelle rubrique pour cette fiche.";
inline constexpr const char* kLibelleNaissance = "NAISSANCE";
inline constexpr const char* kLibelleBapteme = "BAPTEME";
inline constexpr const char* kLibelleDeces = "DECES";
inline constexpr const char* kLibelleInhumation = "INHUMATION";
inline constexpr const char* kLibelleUnion = "UNION";
inline constexpr const char* kLibelleProfession = "PROFESSION";
inline constexpr const char* kLibelleMarqueurs = "MARQUEURS";
inline constexpr const char* kLibelleImage = "IMAGE";
inline constexpr const char* kLibelleCoherence = "COHE_VALID";
// Definition line of the coherence flag, in UTF-8 (A() gives its Windows-1252 form).
inline constexpr const char* kDefinitionCoherence = "COHE_VALID\tCohérences validées\tCPB\t\t1\t1\t\t_CHV\t\t\tN\tP";
inline constexpr const char* kImageParDefaut = "defaultTXT.png";

class TPerson {
 public:
  using TEnregPublic = kyb::TEnregPublic;
  using TNoParent = kyb::TNoParent;

  // Reads the person when numero is positive or -2, otherwise starts an empty unnumbered one.
  // complet, entier and cache are passed to Lecture.
  TPerson(TFicPersons* fichier, long numero, bool complet = false, int entier = 0, bool cache = false);
  TPerson(const TPerson& autre) = default;
  TPerson& operator=(const TPerson& autre) = default;
  // Copies the public record, the alternative parents and the number.
  void CopyPerson(const TPerson& autre);

  // Resets to an empty person: alternative parents unset, public record cleared. -3 takes a new
  // number from the persons file and marks the link arrays loaded; any other number is kept.
  void NouvelleFiche(long numero);
  // With cache set (and a number other than 0 and -2) the person comes from the folder's cache;
  // otherwise it is read from the persons storage. The alternative parents come from IDParents
  // (not in 2009 folders). The folder records the time and thread of the read.
  void Lecture(long numero, bool complet = false, int entier = 0, bool cache = false, bool drapeau = false);
  // Loads the person's record card (events and simple fields) from the store, unless it is
  // already loaded for this number.
  void LectureComplementaire();
  // Saves the record card when it is loaded, the identity and links (older folder: extension
  // record first, then the person record; current format: the Personnes row) and the IDParents
  // row. In the current format all of it is one store transaction: after a failure nothing of
  // it is stored and the card is as before the call. The person index follows a successful
  // save. fichier, when given, replaces the person's file for this call. False when nothing was
  // written.
  bool Enregistrement(long numero = kEnregCourant, TFicPersons* fichier = nullptr);
  // What a save may leave out: the card (events and simple fields), the person index, the tag
  // check (ControlTags, done on a loaded card before it is written).
  struct TOptionsEnregistrement {
    bool Fiche = true;
    bool Index = true;
    bool ControleTags = true;
  };
  bool Enregistrement(long numero, TFicPersons* fichier, const TOptionsEnregistrement& options);

  // The record card; Fiche().EvenementsCharges tells whether it was loaded.
  [[nodiscard]] TChpsPersonne& Fiche() { return fiche_; }
  [[nodiscard]] const TChpsPersonne& Fiche() const { return fiche_; }
  [[nodiscard]] bool FicheChargee() const { return fiche_.EvenementsCharges && fiche_.ChpsSimplesCharges; }

  // --- identity ---
  void SetNom(const UnicodeString& nom) { Public.Nom = PremiersCaracteres(nom, kLongueurNom); }
  void SetPrenoms(const UnicodeString& prenoms) { Public.Prenoms = PremiersCaracteres(prenoms, kLongueurPrenoms); }
  void SetSexe(char sexe) { Public.Sexe = sexe == 'M' || sexe == 'F' ? sexe : '?'; }
  [[nodiscard]] bool EstHomme() const { return Public.Sexe == 'M'; }
  [[nodiscard]] bool EstFemme() const { return Public.Sexe == 'F'; }
  [[nodiscard]] int RgSexe() const { return EstHomme() ? 1 : EstFemme() ? 2 : 0; }
  [[nodiscard]] char NotSex() const { return EstHomme() ? 'F' : EstFemme() ? 'M' : '?'; }
  [[nodiscard]] const UnicodeString& RetChnMF(const UnicodeString& masculin, const UnicodeString& feminin) const {
    return EstFemme() ? feminin : masculin;
  }
  // Sex as flags: 'M' male 1, 'F' female 1, otherwise both 0 and inconnu 1.
  void SexeTouint16(uint16_t& homme, uint16_t& femme, uint16_t& inconnu) const;
  void uint16ToSexe(uint16_t homme, uint16_t femme);
  void SetPersonne() { Public.TypePersonne = 'P'; }
  void SetTemoin() { Public.TypePersonne = 'T'; }
  [[nodiscard]] bool IsPersonne() const { return Public.TypePersonne == 'P' || Public.TypePersonne == ' '; }
  [[nodiscard]] bool IsTemoin() const { return Public.TypePersonne == 'T' || Public.TypePersonne == ' '; }
  [[nodiscard]] bool FicheSupprimee() const { return Public.FicheSupprimee == 'O'; }
  // Surname empty or "XXX", and no first names.
  [[nodiscard]] bool NomEtPrenomVides() const;

  // --- identifier (gest_pers_ident.cpp) ---
  // The person's "ID_PERS" field, its definition created first when the folder lacks it. With
  // creer and no identifier yet, one is made, added and the person saved; empty when there is
  // none (or it could not be saved).
  AnsiString RetourneIdPers(bool creer = false);
  // A new identifier no person of the folder carries.
  [[nodiscard]] AnsiString GenereIdPersUnique() const;
  // Non-empty and holding the folder's IdGenea.
  [[nodiscard]] bool VerifIdPersOk(const AnsiString& idPers) const;
  // The identifier as it leaves the genealogy: the folder's IdGenea followed by the person's
  // "ID_PERS" (made when creer and missing); empty when there is none. VerifIdPersOk accepts it.
  AnsiString IdPersComplet(bool creer = false);

  // --- links ---
  // The first free slot takes the link; -1 when full or already there, else the slot.
  int AjouteConj(long no);
  int AjouteEnf(long no);
  // AjouteConj, and for a new spouse with avecUnion a blank union event of the couple (the union
  // label of the field definitions); objetConjoint, when it is that spouse, receives the event
  // and is saved, otherwise the spouse is read and saved. The slot, -1 when full.
  int AjouteConj(long no, bool avecUnion, TPerson* objetConjoint = nullptr);
  [[nodiscard]] int CompteNbConjoint() const { return Public.NbConjoints(); }
  [[nodiscard]] int CompteNbEnfant() const { return Public.NbEnfants(); }
  // No parent, spouse or child.
  [[nodiscard]] bool AucunLien() const;

  // --- family navigation (gest_pers_liens.cpp). Editing changes this person only unless said;
  // the caller saves both persons. ---
  [[nodiscard]] int CompteNbConjointHors(long no) const;
  // Index of the first used spouse slot, 0 when none.
  [[nodiscard]] int GetFirstNoConj() const;
  // With conjoint 0, every child; otherwise the children of whom that spouse is also a parent.
  [[nodiscard]] int CompteNbEnfant(long conjoint) const;
  // no among the children from index debut up to the first empty slot.
  [[nodiscard]] bool IsParentOf(long no, int debut = 0) const;
  // Index of the first empty child slot, -1 when all 150 are used.
  [[nodiscard]] int FirstNullChild() const;
  // The other parent: the mother for the father, the father for the mother, else 0.
  [[nodiscard]] long NoAutreParent(long no) const;
  // 1-based position of the spouse (of the child), the last slot when it appears twice; 0 when
  // absent or no is 0.
  [[nodiscard]] int RetourneRgConj(long no) const;
  [[nodiscard]] int RetourneRgEnf(long no) const;
  // 0-based slot of the spouse (of the child), the first one holding it; -1 when absent or no is 0.
  [[nodiscard]] int RechRefConj(long no) const;
  [[nodiscard]] int RechRefEnf(long no) const;
  // Rank (from 1) of the spouse among the used spouse slots, empty slots not counted; 0 when absent.
  [[nodiscard]] int GetRangConjoint(long no) const;
  // The sibling sens places away (negative: elder, positive: younger) in the child list of the
  // father (the mother when there is no father), empty slots skipped; 0 when none.
  [[nodiscard]] long GetNoFrereOuSoeur(int sens) const;
  // A full sibling born the same day (both births known to the day).
  [[nodiscard]] bool HaveTwins();
  // The smallest Sosa number among the person's stored children (TFicSosas::InfNoStradoEnfants),
  // 0 when none is numbered.
  [[nodiscard]] NTL::ZZ InfNoStradoEnf() const;
  // Replaces the slot of that spouse; false when it is not a spouse.
  bool SetLienConj(const TLienConj& lien);
  // Adds a child at the end, then moves it before the children of the spouses ranked after
  // conjoint (children grouped by union); conjoint -1, or not a spouse, leaves it at the end. 0 for child 0, its index when already there, -1
  // when full. Reads the neighbouring children to learn their other parent.
  int AjouteEnf(long no, long conjoint);
  void RecompacteConjoint();
  void RecompacteEnfant();
  // Empty every slot holding no (no compaction); modifie is set when one was found.
  void SupprimeConjoint(long no, bool& modifie);
  void SupprimeEnfant(long no, bool& modifie);
  // Both sides: the other person is read, changed and saved; this person is changed, not saved.
  bool SupprimeLienEnfant(long noEnfant);
  bool SupprimeLienConjoint(long noConjoint);
  // Removes the parent link towards noParent and this person from that parent's children.
  bool SupprimePereMere(long noParent);
  bool SupprimeLienPereMere(long noParent) { return SupprimePereMere(noParent); }
  // Both parents.
  bool SupprimeLienParent();
  // Every link on both sides (used by deletion); this person's lists compacted and saved.
  bool SupprimeLien();
  // Reordering of a child or a spouse; false when it is not there.
  bool DeplaceEnfantVersAine(long no);
  bool DeplaceEnfantVersBenjamin(long no);
  bool DeplacerEnfantVersPos(long no, int position);
  bool DeplacerConjVersPos(long no, int position);
  [[nodiscard]] std::vector<long> GetVectorEnfants() const;
  // The children in that order (at most 150); the other slots emptied.
  void SetVectorEnfants(const std::vector<long>& enfants);
  // For each spouse, two shared children listed in the opposite order to the spouse's own list
  // are swapped. True when something moved.
  bool ClassementEnfantIdentiqueConjoint();
  // Orders the children by birth date, undated ones kept with the children of their other
  // parent (ClasseEnfants), after aligning the order of the children shared with each spouse
  // (ClassementEnfantIdentiqueConjoint); then saves the person. False when the save failed.
  bool EnregClassementEnfConj();
  // Each parent, spouse and child of this person returns the link; the numbers that do not.
  [[nodiscard]] std::vector<long> VerifLienSysmetrique() const;
  // The links beyond the persons storage.
  [[nodiscard]] std::vector<long> VerifLienHorsFichier() const;

  // --- alternative parents ---
  // Reads the IDParents row; without one the pair is the default (A = displayed parents).
  void ReadNoParentFromBDD();
  // Writes the row, or deletes it when the pair is the default; a cached copy of the person is
  // dropped.
  void WriteNoParentFromBDD();
  [[nodiscard]] bool DefaultNoParent() const;
  // The displayed parents into the principal pair (B when its selector is 2, else A).
  void SetNoPere(long no);
  void SetNoMere(long no);
  [[nodiscard]] TNoParent& NoParents() { return noParents_; }
  [[nodiscard]] const TNoParent& NoParents() const { return noParents_; }
  // Pair A holds the birth parents, pair B the adoptive ones; the selectors say which pair is
  // shown (gest_pers_parents.cpp). Only the shown parents list the person among their children.
  // The person has adoptive parents (a father or a mother B).
  [[nodiscard]] bool IsAdopt() const;
  // Some person has this one as adoptive parent (pair B of its IDParents row).
  [[nodiscard]] bool HasEnfAdop() const;
  // The birth pair (A), or the adoptive pair (B) when adoptifs; 0 for an unset parent.
  void GetIdParent(bool adoptifs, long& pere, long& mere) const;

  // --- state of the record (gest_pers_etat.cpp) ---
  // Deletes the person: with effaceNoms the surname becomes "XXX" and the first names empty; the
  // record is marked deleted, its events and simple fields hidden in the store and the card
  // emptied, every link removed on both sides (the others saved), its Sosa number set to 0. The
  // caller saves the person afterwards. False when the store refused to hide the card.
  bool Suppression(bool effaceNoms = true);
  // Shows the hidden events and simple fields again (the caller clears the deleted mark).
  bool RestaurationData();
  // Frees the card (it is read again when needed).
  void LibereMemoire() { fiche_ = TChpsPersonne(); }
  void ViderCachesChps() { LibereMemoire(); }
  // No names, no parent, no spouse, no child and no event.
  [[nodiscard]] bool FicheVide();
  [[nodiscard]] int CompteIndexPers() const;
  void SetIndice(const UnicodeString& indice) { Public.Indice = indice; }
  [[nodiscard]] const UnicodeString& GetIndice() const { return Public.Indice; }
  // The loaded flag (element 0) of the three link arrays.
  void SetLoaded(bool charge);
  // A parent, spouse or child beyond the persons storage.
  [[nodiscard]] bool FicheCassee() const;
  // Empties every such link; true when one was.
  bool RepareFiche();
  // Sex 'M' or 'F' and a spouse of the same sex.
  [[nodiscard]] bool IsCouplesHomosexuel() const;
  // After the user answered the question raised by a change of sex: for kReponseOui and
  // kReponseNon, saves the person and puts it in the right parent slot of the children it has
  // with its spouses (father and mother exchanged); for kReponseOui the spouses' sex is inverted
  // too. Other answers change nothing. False when a save failed.
  bool GestionCoupleHomoSexuel(int reponse);

  // --- events (gest_pers_evens.cpp). Positions index Fiche().Evenements; the card is loaded
  // from the store first when it is not. Nothing is written before Enregistrement, except the
  // spouse of a new couple event. ---
  // Refused for a second event of the label when its definition is neither repeatable nor a
  // couple field (an unknown label counts as such); for a non-repeatable couple field, only for
  // a second event with the same spouse.
  [[nodiscard]] bool CanAddEvent(std::string_view libelle, long conjoint);
  // Adds the event with this person as holder (and conjoint as spouse of a couple field). Its
  // position, or -1 when refused: the user is told kMessageAjoutRefuse and nothing changes. A
  // couple event also goes into the spouse's card, and the spouse is saved.
  // objetConjoint, when it is that spouse, takes the couple event in place of a fresh read (the
  // caller's copy stays in step; it is saved).
  int AjoutEven(const TEvenement& even, long conjoint = 0, TPerson* objetConjoint = nullptr);
  int AjoutEvenVierge(const AnsiString& libelle, long conjoint = 0);
  bool SupprEvenNo(int position);
  // Every event of the label (of that spouse when conjoint >= 0); how many went.
  int SupprimeEvenement(std::string_view libelle, long conjoint = -1);
  // Null out of range.
  [[nodiscard]] TEvenement* EvenNo(int position);
  [[nodiscard]] TEvenement::TEnreg* EvenNoEnreg(int position);
  // Replaces the content of the event at that position (identifier, holder and spouse kept);
  // its new position after sorting, -1 out of range.
  int MajEvenNo(int position, const TEvenement& even);
  [[nodiscard]] int GetNbInfoEven();
  [[nodiscard]] bool IsExistEven(std::string_view libelle, long conjoint = -1) {
    return GetRgEven(libelle, conjoint) >= 0;
  }
  [[nodiscard]] int GetRgEven(std::string_view libelle, long conjoint = -1);
  [[nodiscard]] int GetRgEvenByID(long id);
  [[nodiscard]] TEvenement* GetEvent(std::string_view libelle, long conjoint = -1);
  [[nodiscard]] int CountEvents(std::string_view libelle);
  // Positions in chronological order, and in the order of the field definitions.
  [[nodiscard]] std::vector<int> ClassementChronoEven();
  [[nodiscard]] std::vector<int> ClassementTypeEven();

  // --- simple fields (gest_pers_chps.cpp), same rules as the events. ---
  int AjoutChpsSimple(const TChpsSimple& chps, long conjoint = 0);
  int AjoutChpsSimpleVierge(const AnsiString& libelle, long conjoint = 0);
  // Adds the field and saves the person at once; its position, -1 when refused or not saved
  // (the card is then as before).
  int AjoutChpsSimpleImmediatDisque(const AnsiString& libelle, const UnicodeString& donnee);
  bool SupprChpsSimpleNo(int position);
  [[nodiscard]] TChpsSimple* ChpsSimpleNo(int position);
  // Replaces the label and datum at that position; new position, -1 out of range.
  int MajChpsSimpleNo(int position, const TChpsSimple& chps);
  [[nodiscard]] int GetNbChpsSimple();
  [[nodiscard]] bool IsExistChpsSimple(std::string_view libelle) { return GetRgChpsSimple(libelle) >= 0; }
  [[nodiscard]] int GetRgChpsSimple(std::string_view libelle);
  [[nodiscard]] int GetRgChpsSimpleByID(long id);
  // Data of every simple field of the label, in card order.
  [[nodiscard]] std::vector<UnicodeString> ValeursChpsSimple(std::string_view libelle);
  // The first field of the label takes the datum (added when absent); an empty datum removes
  // every field of the label. False when refused.
  bool SetValeurChpsSimple(const AnsiString& libelle, const UnicodeString& donnee);

  // --- standard events, professions, contact, tags, images, coherence, stamps
  // (gest_pers_rubriques.cpp) ---
  // Birth, else its companion (baptism); death, else burial; the union with that spouse (any
  // spouse for -1), else its companion; the event of the label, else its first equivalent.
  [[nodiscard]] TEvenement* GetEvenNaissance();
  [[nodiscard]] TEvenement* GetEvenDeces();
  [[nodiscard]] TEvenement* GetEvenUnionOuEquivalent(long conjoint = -1);
  [[nodiscard]] TEvenement* GetEvenOuEquivalent(std::string_view libelle, long conjoint = -1);
  // The event of exactly that standard label, null when absent.
  [[nodiscard]] TEvenement* RetEvenNaissance() { return GetEvent(kLibelleNaissance); }
  [[nodiscard]] TEvenement* RetEvenBapteme() { return GetEvent(kLibelleBapteme); }
  [[nodiscard]] TEvenement* RetEvenDeces() { return GetEvent(kLibelleDeces); }
  [[nodiscard]] TEvenement* RetEvenInhumation() { return GetEvent(kLibelleInhumation); }
  [[nodiscard]] TEvenement* RetEvenUnion(long conjoint = -1) { return GetEvent(kLibelleUnion, conjoint); }
  // "PROFESSION" records: one per profession; an empty or already present one is not added.
  int AjouteProfession(const UnicodeString& profession);
  [[nodiscard]] std::vector<UnicodeString> GetToutesProfession();
  bool SuppressionProfession(const UnicodeString& profession);
  // One of the contact fields filled.
  [[nodiscard]] bool HasInfoContact();
  [[nodiscard]] UnicodeString GetEmail();
  // Tags: one "MARQUEURS" field per tag, compared without regard to case.
  [[nodiscard]] bool ExistTag(const UnicodeString& tag) { return GetRangTag(tag) >= 0; }
  bool AddTag(const UnicodeString& tag);
  bool RemoveTag(const UnicodeString& tag);
  [[nodiscard]] std::vector<UnicodeString> GetListTag();
  // Position of the tag among the person's tags, -1.
  [[nodiscard]] int GetRangTag(const UnicodeString& tag);
  // Puts the tags right: each one trimmed, empty ones and repeats (case aside) removed, the first
  // kept. True when something changed. Nothing without a loaded card.
  bool ControlTags();
  // Images: "IMAGE" events whose datum is the file; the first one in card order is the portrait.
  int AddImage(const AnsiString& chemin);
  // Adds the image and makes it the portrait.
  int AddPortrait(const AnsiString& chemin);
  [[nodiscard]] bool PortraitExists();
  [[nodiscard]] bool NoPortrait() { return !PortraitExists(); }
  // The image of that file becomes the portrait; false when the person has none of it.
  bool SetImageAsDefault(const AnsiString& chemin);
  // The portrait's file (relative paths under the folder's images directory), or the
  // placeholder kImageParDefaut when there is none.
  [[nodiscard]] AnsiString CheminImagePrioritaire();
  // The "COHE_VALID" flag ("1"); its definition is created when missing.
  [[nodiscard]] bool CoherenceValideManuellement();
  bool ChangeValidationCoherence(bool valide);
  // "DDMF" now, and "DCF" now when the person has none; "DDNOTIF" now ("dd/mm/yyyy hh:nn:ss").
  void MajDateJourDDMF_DCF();
  void MajDateJourDDNOTIF();

  // --- note and citations (gest_pers_notes.cpp) ---
  // The texts of every heading of the person's note, "heading : text" lines; empty without note.
  [[nodiscard]] std::vector<AnsiString> ChargeNote() const;
  // Writes the text under the heading (an empty text removes the heading); the note number of
  // the person follows. The caller saves the person. False when nothing could be written.
  bool SetNote(const AnsiString& titre, const AnsiString& texte);
  // Identifiers of the events of other persons that cite this one.
  [[nodiscard]] std::vector<long> GetCitations() const;
  void CopyCitations(const TPerson& autre) { Public.LiensCitations = autre.Public.LiensCitations; }
  // The other person's events and simple fields become new records of this person (its own
  // records, couple records with their spouse kept; the shared events it only cites and its
  // identifier are left).
  void CopyChamps(TPerson& autre);

  // --- display texts (gest_pers_affichage.cpp), UTF-16 ---
  [[nodiscard]] UnicodeString ChargeNom() const { return Public.Nom; }
  [[nodiscard]] UnicodeString ChargePrenom() const { return Public.Prenoms; }
  // "Nom Prénoms", "(sans nom)" for neither.
  [[nodiscard]] UnicodeString ChargeNomPrenom() const;
  // "Masculin", "Féminin", "Inconnu".
  [[nodiscard]] UnicodeString ChargeSexe() const;
  // "le 14 juillet 1820 à Rouen (Saint-Sever)" for the event of the label; empty when absent.
  [[nodiscard]] UnicodeString ChargeEven(std::string_view libelle, long conjoint = -1);
  // A field by internal label, for documents (the pseudo-names "###FORME###", "NAIS#_EQ",
  // "MAR#_EQ", "DEC#_EQ" included); a couple field is restricted to the spouse given.
  [[nodiscard]] UnicodeString ChargeChamps(std::string_view nom, long conjoint = -1);
  // The data of the simple fields of the label, joined by ", ".
  [[nodiscard]] UnicodeString ChargeChpAutre(std::string_view libelle);
  // One line per citing event, in the order of time: "Screen label de Prénoms Nom : date".
  [[nodiscard]] std::vector<UnicodeString> ChargeCitations();
  // The event at that position: "Screen label : date à lieu".
  [[nodiscard]] UnicodeString ChargeRubrique(int position);
  [[nodiscard]] UnicodeString ChargeProfessions();
  // "Nom Prénoms, né le 14 juillet 1820 à Rouen, décédé en 1880".
  [[nodiscard]] UnicodeString InfoLigne();
  // "Nom Prénoms (1820-1880)", "?" for an unknown year.
  [[nodiscard]] UnicodeString InfoLigneAllege();
  // "° 1820 Rouen - + 1880", with the symbols of the definitions.
  [[nodiscard]] UnicodeString InfoNaisDecSymb();
  // Age today of a living person born on a known day: "42 ans"; empty otherwise.
  [[nodiscard]] UnicodeString GetAgeAujourdhui();
  // The same from a birth known to the month, the year or a range: "42 ans environ".
  [[nodiscard]] UnicodeString GetAgeAujourdhuiEstime();
  // One text per dated union with a known birth: "24 ans" ("environ" when not exact).
  [[nodiscard]] std::vector<UnicodeString> GetAgesLorsDesUnions();
  // 0 no event of the label, 1 present without date, 2 dated, 3 dated and placed.
  [[nodiscard]] int GetStateEvent(std::string_view libelle, long conjoint = -1);

  [[nodiscard]] long Numero() const { return numero_; }
  [[nodiscard]] TFicPersons* Fichier() const { return fichier_; }
  [[nodiscard]] bool Modifie() const { return modifie_; }
  void SetModifie(bool modifie) { modifie_ = modifie; }

  TEnregPublic Public;

 private:
  [[nodiscard]] TGestFichier* Dossier() const { return fichier_ ? fichier_->Dossier() : nullptr; }
  [[nodiscard]] TDefChpsCs* Definitions() const;
  [[nodiscard]] TModuleBDD* Bdd() const;
  // The card loaded (from the store when it is not yet); false when it cannot be.
  bool AssureFiche();
  // Shows the refusal of an addition to the user of the folder.
  void PrevientRefus() const;
  // Adds a copy of the record to the spouse's card and saves the spouse; the identifier the
  // store gave it comes back in even.
  void AjouteChezConjoint(TEvenement& even, long conjoint, TPerson* objet = nullptr);
  void LitStockage();
  [[nodiscard]] bool EcritStockage(TFicPersons& fichier);
  void AfficheParents();
  // The IDParents row written or deleted; the cache left as it is. False on a store failure.
  [[nodiscard]] bool EcritParents();
  // Card, record and parents; no transaction of its own, no index or cache update.
  [[nodiscard]] bool EcritTout(TFicPersons& fichier, bool avecFiche);

  TFicPersons* fichier_;
  long numero_ = 0;
  TNoParent noParents_;
  TChpsPersonne fiche_;
  bool ligneParents_ = true;  // an IDParents row may exist for this number
  bool modifie_ = false;
};

// A child to order: its birth as DateTriable gives it (kSansDateNaissance when unknown) and the
// rank (from 1) of its other parent among the parent's spouses, 0 when none.
inline constexpr int32_t kSansDateNaissance = 1000000000;
struct TEnfantAClasser {
  int32_t no = 0;
  int32_t naissance = kSansDateNaissance;
  int rangConjoint = 0;
};
// Children by birth date (twins and equal dates keep their order); then an undated child and a
// dated neighbour trade places while the undated one's spouse rank is the lower
// (ClasseEnfantsSansDatesParConjoints), so that undated children sit with their spouse group.
void ClasseEnfants(std::vector<TEnfantAClasser>& enfants);

// A father of sex sexePere beside a mother of sex sexeMere ('M', 'F', '?'; 0 for no parent):
// the father is no woman and the mother no man, or both are of one known sex (a same-sex
// couple, one of them in the father's place). Every edit of a parent link or of a parent's sex
// asks this one rule.
[[nodiscard]] bool SexesParentsAdmis(char sexePere, char sexeMere);

// The scratch person of a persons file, made on first use (empty, number 0) and destroyed with
// the file: walks that read persons one after another reuse it rather than build one per step.
[[nodiscard]] TPerson& PersonneCourante(TFicPersons& fichier);

}  // namespace kyb
