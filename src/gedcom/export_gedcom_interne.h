#pragma once
// The export's working state, shared by export_gedcom.cpp (persons, families, records) and
// export_gedcom_evenements.cpp (events, fields, notes).
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "fields/csdefchps.h"
#include "gedcom/couples_export.h"
#include "folder/gest_fic.h"
#include "gedcom/export_gedcom.h"
#include "gedcom/lignes_gardees.h"
#include "store/chps_personne.h"
#include "store/datamodulebdd.h"
#include "store/enreg_public.h"
#include "store/parcours_ordonnes.h"

namespace kyb {

class TFicDupli;

// Events whose line may say "Y" (it happened) when nothing else is known of them.
[[nodiscard]] bool EvenementOui(const std::string& tag);
// Events that only a family record holds.
[[nodiscard]] bool EvenementDeFamille(const std::string& tag);
// The extension tags of the export's own structures, whatever the model's fields.
inline constexpr std::string_view kExtensionsPropres[] = {"_KINSHIP", "_LIEUDIT", "_TEMOIN", "_TITRE", "_TYPE"};
// A quality that names one of the standard 7.0 roles of an association (GODP, WITN...).
[[nodiscard]] bool RoleStandard(const std::string& qualite);

struct TFamilleExport {
  int32_t mari = 0, femme = 0;
};

// A couple record (event or simple field) met while its holder is written: read back by its
// identifier when its family is written, so that no record is held in memory meanwhile.
struct TFicheFamille {
  int32_t famille = 0;
  int32_t id = 0;
  bool estEven = false;
  bool estUnion = false;  // an event of the union field (it opens a couple's next union)
};

class TExporteur {
 public:
  TExporteur(TGestFichier& dossier, TEcrivainGedcom& ecrivain, TBilanExportGedcom& bilan);
  // Pass 1: links of every person, families.
  void Recense();
  // Pass 2: INDI records, then FAM, SOUR and OBJE records.
  void Ecrit(const TAvanceeExport& avancee);
  // The extension tags the export may write (declared in the 7.0 header).
  [[nodiscard]] std::vector<std::string> Extensions() const;
  // The 7.0 header's TAG lines: the tags of Extensions and those the imported file documented,
  // each with the URI that file gave it (our own tags keep ours), else uriPropre and the tag.
  [[nodiscard]] std::vector<std::pair<std::string, std::string>> Schema(std::string_view uriPropre) const;

 private:
  // --- persons and families (export_gedcom.cpp) ---
  [[nodiscard]] std::pair<int32_t, int32_t> Couple(int32_t a, int32_t b) const;
  // The family of a couple (its union of rank union, from 0, when they married more than once):
  // number from 1, created when absent.
  int32_t Famille(int32_t a, int32_t b, int union_ = 0);
  [[nodiscard]] int32_t FamilleExistante(int32_t a, int32_t b, int union_ = 0) const;  // 0 when absent
  // The children gathered by family, each once, in the order of the parent's list.
  void OrdonneEnfants();
  // Adds a child to a family (once: a child already there is not added again).
  void AjouteEnfant(int32_t famille, int32_t enfant) { liensEnfants_.emplace_back(famille, enfant); }
  // --- two parent pairs (export_gedcom_familles.cpp) ---
  // Persons with adoptive parents: the family of their other pair gets them as a child.
  void AjouteParentsAdoptifs();
  // The FAMC lines of person no: its shown parents, then its other pair, with their PEDI when
  // it has adoptive parents.
  // The SEX value of a person: M, F, else the value an import kept (X), else U.
  [[nodiscard]] std::string ValeurSexe(char sexe, int32_t note) const;
  // Child no goes from family de to family vers (a later union of the same parents), in the
  // order of its parent's list, when the two are written.
  void DeplaceEnfant(int32_t no, int32_t de, int32_t vers);
  // note: the person's note, which may hold the PEDI of its other pair and the union of its
  // parents it was born in.
  void EcritFamc(int32_t no, int32_t note);
  // --- couples married more than once (export_gedcom_familles.cpp) ---
  // A family per spouse slot: the k-th slot holding a spouse is the couple's union of rank k.
  void AjouteUnions();
  // The families of person no as a spouse, one per slot, then those of its own.
  [[nodiscard]] std::vector<int32_t> FamillesConjoint(int32_t no) const;
  // The couple records gathered in the first family of a couple with several go to the union
  // they belong to: each union record (UNION) after the first opens the next one.
  void RepartitUnions();
  void EcritIndividu(const TIdentiteParcourue& p);
  // The family a record of person no goes to (its partner's, or the person's alone for a couple
  // field without partner); 0 when it is the person's own.
  int32_t FamilleDe(int32_t no, int32_t partenaire, const AnsiString& libelle);
  // The events and simple fields held by person no, taken from the walk (which stands on the
  // first record of a later holder afterwards).
  void FichesDe(int32_t no, std::vector<TEvenement>& evens, std::vector<TChpsSimple>& champs);
  // Moves the walk on by one record; false at its end.
  bool FicheSuivante();
  // The family's record, its couple records being fiches (those of family f, in holder order).
  void EcritFamille(int32_t f, const TFicheFamille* debut, const TFicheFamille* fin);
  // HUSB, WIFE and CHIL of family f, each with the sub-lines an import kept (export_gedcom_membres.cpp).
  void EcritMembres(int32_t f);
  // The CHIL of family f: its gathered children with the moves of DeplaceEnfant applied.
  [[nodiscard]] std::vector<int32_t> EnfantsFamille(int32_t f);
  void EcritRecords();
  [[nodiscard]] char Sexe(int32_t no) const;
  // Events that have cited persons, sources or media: the others need no look-up of their lists.
  void ListesPresentes();
  void PrepareListes(TEvenement& e) const;

  // --- events and fields (export_gedcom_evenements.cpp) ---
  // The tag a field is written under.
  [[nodiscard]] std::string Tag(const AnsiString& libelle) const;
  // Simple fields that share a tag with other sub-tagged fields are written as one structure.
  [[nodiscard]] const TChpCs* ChampDeStructure(const AnsiString& libelle) const;
  void EcritChampsSimples(const std::vector<const TChpsSimple*>& champs, int niveau);
  void EcritEvenement(TEvenement& e, int niveau);
  // The event's datum as the line's value and the pieces written under their sub-tags.
  void Donnee(const TChpCs* def, const TEvenement& e, std::string& valeur,
              std::vector<std::pair<std::string, std::string>>& pieces, bool& addrPiece) const;
  // --- the line's own text and the pieces' sub-lines (export_gedcom_morceaux.cpp) ---
  // The event line's text an import kept (note: the event's) put on the line, or in the form this
  // version can hold; returns the pieces' kept sub-lines.
  [[nodiscard]] std::string ValeurEtMorceaux(int32_t note, std::string& valeur,
                                             std::vector<std::pair<std::string, std::string>>& pieces) const;
  // The pieces (and TYPE) at niveau, each with its kept sub-lines; dessus: the event's context.
  void EcritMorceaux(const TChpCs* def, const std::vector<std::pair<std::string, std::string>>& pieces,
                     const std::string& morceaux, int niveau, std::span<std::string_view> dessus);
  // ASSO (a cited person of an event: _ASSO in 5.5.1, which has no association in an event).
  void EcritAssociation(const TPersAssociee& pa, int niveau, bool evenement = false);
  // The headings of a note; an event's place heading is its PLAC, written by the event, and the
  // headings kept beside its date, place and citations are written with them.
  void EcritNote(int32_t note, int niveau, TContexteGarde contexte, bool evenement = false);
  // A family's kept lines found in the note of the person being written (heading titre), for
  // its FAM record.
  void GardeesDeFamille(const AnsiString& titre, const std::string& texte);
  // A note of one of the families of the person being written (heading "Famille <partner>"),
  // with its kept sub-lines, for its FAM record; false when the heading names no such family.
  bool NoteDeFamille(const AnsiString& titre, const std::string& texte, std::vector<TLigneGardee>& sous);
  // The kept sub-lines of the note under heading titre, from level 1; they are then used.
  [[nodiscard]] static std::vector<TLigneGardee> SousLignesNote(TBlocsGardes& blocs, const AnsiString& titre);
  // Writes them below a NOTE line at niveau, whose structures above are contexte.
  void EcritSousLignesNote(const std::vector<TLigneGardee>& sous, int niveau, TContexteGarde contexte);

  // --- families with no spouse kept whole by an import (export_gedcom_sans_conjoint.cpp) ---
  // Numbers them after the families of the persons' links, and reads the children's FAMC to them.
  void RecenseSansConjoint();
  // Writes family f when it is one of them; false otherwise.
  bool EcritSansConjoint(int32_t f);
  // The FAMC of person no to them, PEDI and STAT in the version's case.
  void EcritFamcSansConjoint(int32_t no);
  // The new file's pointer for the one of that rank; empty when there is none.
  [[nodiscard]] std::string FamilleSansConjoint(long rang) const;

  // --- kept GEDCOM lines (export_gedcom_gardees.cpp) ---
  // Writes back the lines an import kept, their first level at niveau, in the form of the
  // version written; a line pointing to a record the new file does not hold is left out with
  // its sub-lines, and counted.
  void EcritGardees(const std::string& texte, int niveau, TContexteGarde contexte);
  // A record kept whole by the import (REPO...): the cross-reference it is written under, its
  // own unless the export may give that name to a record of its own (@S3@...); null when xref
  // names no such record.
  [[nodiscard]] const std::string* EnregistrementGarde(const std::string& xref);
  // The new file's pointer for a kept pointer; empty when there is none.
  [[nodiscard]] std::string PointeurGarde(const std::string& valeur);
  // The extension tags of the kept lines of every note (for the 7.0 header); false when no
  // note holds kept lines.
  bool ExtensionsGardees(std::set<std::string>& tags) const;
  // A medium link at niveau with its kept lines (blocs); a medium record's kept lines, false when none.
  void EcritLienMedia(const std::string& chemin, TBlocsGardes& blocs, int niveau, TContexteGarde contexte, bool enLigne);
  bool EcritMediaGarde(const std::string& chemin);
  void EcritLienGarde(int32_t no, std::string_view tag, int32_t famille);  // a FAMC's or FAMS's kept lines
  [[nodiscard]] bool MediaSansFichier(const std::string& xref);  // a kept 5.5 medium record without a file

  // --- the name as written, shared notes (export_gedcom_notes.cpp) ---
  // NAME with GIVN and SURN: as the import kept them while the names are the same, else made of
  // the names, the prefix and the suffix.
  void EcritNom(const TIdentiteParcourue& p, const std::string& prefixe, const std::string& suffixe);
  // A note under a shared note's heading, written as a pointer to its record; false for another heading.
  bool EcritNotePartagee(const AnsiString& titre, const std::string& texte, int niveau);
  [[nodiscard]] std::string NotePartagee(const std::string& texte);  // its record's cross-reference
  void EcritNotesPartagees();  // the records, once every note is written

  // --- citations, media and associations of a person or a couple (export_gedcom_liens.cpp) ---
  // Writes the event of such a field as the standard structure (SOUR, OBJE, ASSO) when it holds
  // nothing that structure cannot carry; false when it must be written as a field.
  bool EcritLienDirect(const TChpCs& def, TEvenement& e, int niveau);
  [[nodiscard]] std::string Source(const TSourceEven& s);
  // A citation at niveau with its kept detail (taken from detail): a pointer to its source
  // record, or, for one read written in place, that form in 5.5.1 ("SOUR text") and a citation
  // of no record in 7.0 ("SOUR @VOID@" with its text as PAGE, its TEXT under DATA).
  void EcritCitation(const TSourceEven& s, TBlocsGardes& detail, int niveau, TContexteGarde contexte);
  // The medium's record, by its path (UTF-8).
  [[nodiscard]] std::string Media(const std::string& chemin);
  // FORM of a medium: its extension in 5.5.1, its media type in 7.0.
  [[nodiscard]] std::string FormatMedia(const std::string& chemin) const;
  [[nodiscard]] std::string Texte(TFicDupli* table, int32_t no) const;

  TGestFichier& dossier_;
  TModuleBDD& bdd_;
  TDefChpsCs& defs_;
  TEcrivainGedcom& ecr_;
  TBilanExportGedcom& bilan_;
  bool v7_ = false;
  std::string_view enregistrement_ = "INDI";  // the record being written (INDI, FAM)
  int32_t individu_ = 0;                      // the person being written

  // Links by person number (pass 1).
  std::vector<char> sexe_;  // 0 when the number holds no live person
  std::vector<int32_t> pere_, mere_;
  std::vector<uint32_t> debutConj_, debutEnf_;  // offsets into conj_ / enf_ (size n + 1)
  std::vector<int32_t> conj_, enf_;
  std::vector<TFamilleExport> familles_;
  // Children of the families: (family, child) pairs while the families are gathered, then
  // enfantsFam_[debutEnfants_[f - 1], debutEnfants_[f]) for family f.
  std::vector<std::pair<int32_t, int32_t>> liensEnfants_;
  std::vector<uint32_t> debutEnfants_;
  std::vector<int32_t> enfantsFam_;
  std::vector<TFicheFamille> fichesFamille_;  // in the order met, then by family
  // What a spouse's note holds for a family (kept lines, notes) and the children moved to a later
  // union, each held only until that family is written.
  std::unordered_map<int32_t, std::string> gardeesFamille_;
  struct TNoteFamille {
    std::string texte;
    std::vector<TLigneGardee> sous;  // as SousLignesNote gives them
  };
  std::unordered_map<int32_t, std::vector<TNoteFamille>> notesFamille_;
  std::unordered_map<int32_t, std::vector<int32_t>> enfantsRetires_, enfantsAjoutes_;
  TCouplesExport parCouple_;
  std::map<std::pair<uint64_t, int>, int32_t> parUnion_;  // second and later unions of a couple
  std::map<int32_t, std::vector<int32_t>> unions_;  // first family of a couple -> its unions, when several
  struct TFiliationExport {
    int32_t autre = 0;         // family of the pair not shown, 0 when none
    char pediAffichee = 0;     // kPediNaissance or kPediAdoption
  };
  std::unordered_map<int32_t, TFiliationExport> filiations_;  // persons with adoptive parents

  // Families with no spouse: their lines, the first line of each (then sansConjoint_.size()), the
  // number of each rank, the number of the first (0 when none), each person's FAMC to them.
  std::vector<TLigneGardee> sansConjoint_;
  std::vector<size_t> debutsSansConjoint_;
  std::unordered_map<long, int32_t> numerosSansConjoint_;
  int32_t premierSansConjoint_ = 0;
  std::unordered_map<int32_t, std::vector<TLigneGardee>> famcSansConjoint_;

  std::map<std::pair<std::u16string, std::u16string>, int> sources_;  // (type, text) -> number
  std::vector<const std::pair<const std::pair<std::u16string, std::u16string>, int>*> ordreSources_;
  std::map<std::string, int> notesPartagees_;  // text -> number
  std::vector<const std::pair<const std::string, int>*> ordreNotes_;
  std::map<std::string, int> medias_;
  std::vector<const std::pair<const std::string, int>*> ordreMedias_;
  std::map<std::string, std::vector<const TChpCs*>> structures_;
  std::unordered_set<int32_t> avecCites_, avecSources_, avecMedias_;
  std::unordered_set<AnsiString> familiaux_;  // labels of the fields only a family holds
  std::optional<std::map<std::string, std::string>> xrefsGardes_;  // as read -> as written
  std::optional<TBlocsGardes> mediasGardes_;  // the media records' kept lines, read once
  std::optional<std::set<std::string>> mediasSansFichier_;
  std::optional<std::unordered_map<int32_t, TBlocsGardes>> liensGardes_;  // by person, read once  // of the records kept whole, read once
  // The walk of the records by holder, and the record it stands on: an event (estEven_) or a
  // simple field; aFiche_ false at the end.
  std::unique_ptr<TParcoursFichesParPorteur> fiches_;
  std::unique_ptr<TLecteurFiches> lecteur_;  // the couple records, read back by family
  TEvenement prochainEven_;
  TChpsSimple prochainChps_;
  bool aFiche_ = false, estEven_ = false;
};

}  // namespace kyb
