#pragma once
// The import's working state, shared by its files: census (import_gedcom.cpp), families and
// links (import_gedcom_familles.cpp), persons (import_gedcom_individus.cpp), events and fields
// (import_gedcom_evenements.cpp).
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "fields/csdefchps.h"
#include "folder/fic_dupli.h"
#include "folder/gest_fic.h"
#include "gedcom/filiation_gedcom.h"
#include "gedcom/import_gedcom.h"
#include "gedcom/numeros_xref.h"
#include "index/personnes_importees.h"
#include "store/datamodulebdd.h"
#include "store/enreg_public.h"
#include "store/evenement.h"

namespace kyb {

struct TFamilleLue {
  int32_t mari = 0, femme = 0;
  std::vector<int32_t> enfants;
  long ligne = 0;  // of its definition; 0 when only pointed to
  long ligneReference = 0;
};

struct TSourceLue {
  std::string titre;
  std::string type;
  std::string tagTitre;  // the line the title was read from, empty for the record's value
  TNoeudGedcom reste;  // the record's lines beyond its title and type
};

// A pointer met during the census, checked once every record is known.
struct TReferenceLue {
  int32_t personne = 0;
  int32_t famille = 0;
  long ligne = 0;
  bool enfant = false;  // FAMC (else FAMS)
  char pedi = 0;        // FAMC: its PEDI (see Pedi in import_gedcom_familles.cpp), 0 when none
};

class TImporteur {
 public:
  TImporteur(TGestFichier& dossier, TBilanImportGedcom& bilan);

  // Pass 1: one record.
  void Recense(const TNoeudGedcom& enregistrement);
  // Between the passes: pointers checked, families completed, loops cut, links computed.
  void Resout();
  // Pass 2: one record.
  void Ecrit(const TNoeudGedcom& enregistrement);
  // End of pass 2: the numbers of persons pointed to but never defined (or never written) are
  // stored as deleted persons, so that numbering has no hole.
  void Comble();
  // After pass 2: new definitions saved, person index rebuilt.
  void Termine();
  // The census and links, no longer needed once every record is written and the kept records
  // saved: freed before the person index is made, which needs memory of its own.
  void LibereRecensement();

  void Avertit(long ligne, std::string message);

 private:
  // --- census and links (import_gedcom.cpp, import_gedcom_familles.cpp) ---
  int32_t NumeroPersonne(const std::string& xref, long ligne);
  int32_t NumeroFamille(const std::string& xref, long ligne);
  void RecenseIndividu(const TNoeudGedcom& n);
  void RecenseFamille(const TNoeudGedcom& n);
  void CompleteFamilles();
  void CoupeBoucles();
  void CalculeLiens();
  // A child of several families: its birth pair (A) and its adoptive pair (B) chosen by PEDI.
  void ChoisitParents(int32_t enfant, std::vector<int32_t> familles);
  // The family whose parents the person shows: its pair A, else its pair B; 0 when none.
  [[nodiscard]] int32_t FamilleAffichee(int32_t no) const;
  // The union of its shown parents a child belongs to when it is not their first ("2", "3"...);
  // empty otherwise. Unions are ranked as the export makes them: in the spouse list of the
  // parent of lower number.
  [[nodiscard]] std::string UnionDesParents(int32_t no) const;
  // The PEDI word of a person's pair B when it is not "adopted"; empty otherwise.
  [[nodiscard]] std::string PediPaireB(int32_t no) const;
  // The IDParents row of a person with an adoptive pair; false when it has none.
  [[nodiscard]] bool PaireAdoptive(int32_t no, TNoParent& paire) const;
  // Number already given to a cross-reference ("@I1@"), 0 when none.
  [[nodiscard]] int32_t PersonneConnue(const std::string& xref) const;
  [[nodiscard]] int32_t FamilleConnue(const std::string& xref) const;
  [[nodiscard]] bool PersonneDefinie(int32_t no) const;
  [[nodiscard]] std::string NomXref(int32_t no) const;

  // --- families with no spouse, kept whole (import_gedcom_sans_conjoint.cpp) ---
  // Ranks them (from 1) once the families are complete, and notes the children each lists.
  void RecenseSansConjoint();
  [[nodiscard]] bool SansConjoint(int32_t f) const;
  // The kept pointer of family f (gedcom/gedcom_gardees.h).
  [[nodiscard]] std::string PointeurFamille(int32_t f) const;
  // A person's FAMC to one of them, kept whole (PEDI included) with its links; false for another line.
  bool LienSansConjoint(const TNoeudGedcom& n, std::string& liens);
  // After the person's lines: a FAMC to each of them that lists person no without being named by it.
  void LiensNonNommes(int32_t no, std::string& liens);
  // The FAM record of family f, with a CHIL for each child that named it alone.
  void GardeSansConjoint(const TNoeudGedcom& r, int32_t f);
  // Their records in the genealogy's note.
  void EcritSansConjoint();

  // --- persons and families (import_gedcom_individus.cpp) ---
  // An individual's cross-reference; for one written without, a key of its line that no
  // cross-reference can take ("@ligne 12@").
  [[nodiscard]] static std::string XrefIndividu(const TNoeudGedcom& r);
  void EcritIndividu(const TNoeudGedcom& n);
  void EcritFamille(const TNoeudGedcom& n);
  void LitNom(const TNoeudGedcom& nom, TEnregPublic& p, std::vector<const TNoeudGedcom*>& restes);
  void Liens(int32_t no, TEnregPublic& p);
  // A family's HUSB, WIFE or CHIL the links do not say whole (its PHRASE, a @VOID@ pointer): kept
  // with the family's lines, the export writing its sub-lines under the same member.
  [[nodiscard]] static bool MembreAGarder(const TNoeudGedcom& e) { return e.Nul() || (e.pointeur && !e.enfants.empty()); }

  // --- events and fields (import_gedcom_evenements.cpp) ---
  // The definition a tag maps to in a person (couple false) or family context, or null.
  [[nodiscard]] const TChpCs* Definition(const std::string& tag, bool couple) const;
  // Writes what a level-1 structure of a person or family holds; false when nothing took it.
  bool EcritStructure(const TNoeudGedcom& n, int32_t noA, int32_t noB, bool couple, int32_t& note);
  // evenement false for the fields that hold a citation, a medium or a cited person of the
  // person or the couple: counted as such, not as events.
  void EcritEvenement(const TNoeudGedcom& n, const TChpCs& def, int32_t noA, int32_t noB, bool evenement = true);
  void EcritChampSimple(const std::string& libelle, const std::string& valeur, int32_t noA, int32_t noB);
  // A new simple-field definition named after an unknown tag; its label.
  [[nodiscard]] AnsiString DefinitionNouvelle(const std::string& tag, bool couple);
  void Date(const TNoeudGedcom& n, TEvenement& e, std::string& texteGarde);
  [[nodiscard]] int32_t Lieu(const std::string& texte, long ligne);
  // A citation: its source in the event's list, its detail appended to gardees (kept lines).
  void Citation(const TNoeudGedcom& n, TEvenement& e, std::string& gardees);
  // A citation with no source record that holds only what the form written in place holds
  // (text, TEXT, NOTE, QUAY, OBJE; in 7.0 "SOUR @VOID@" with its text as PAGE, TEXT under DATA):
  // kept as such, to be written back so. Another keeps its text as its source record's title.
  [[nodiscard]] static bool CitationEnPlace(const TNoeudGedcom& n);
  // Sub-tags a line had that nothing keeps, counted in the report as "TAG.SOUS".
  void CompteIgnorees(const TNoeudGedcom& n, std::initializer_list<std::string_view> pris);
  // A kept structure with the pointers it can resolve: notes by their text, media by their
  // file. Person pointers are left to LigneGardee, which maps the file's names once.
  [[nodiscard]] TNoeudGedcom Resolu(TNoeudGedcom n) const;
  // The source records' kept lines and the kept records, in the genealogy's note.
  void EcritGardesGenealogie();
  // A name piece (NPFX, SPFX, NSFX) with no field: a new one under NAME; its label.
  [[nodiscard]] AnsiString DefinitionNom(const std::string& sousTag);
  // A medium link: its file in the event's list, its other lines appended to gardees; false when
  // it points to a medium record kept whole (one without a file), the line then kept as it is.
  bool Illustration(const TNoeudGedcom& n, TEvenement& e, std::string& gardees);
  // A medium record: true when it has a file (its path named by its pointer, its other lines
  // kept), false when it is to be kept whole as a record.
  bool RecenseMedia(const TNoeudGedcom& r);
  // The lines of a medium link beyond a lone file, as a block under the key of its path.
  void LienMedia(const TNoeudGedcom& n, const std::string& chemin, std::string& gardees);
  // A person's FAMC or FAMS: its lines beyond PEDI appended to gardees, under the family it names.
  void LienFamille(const TNoeudGedcom& n, std::string& gardees);
  // lien: the association of a person or a couple itself, whose citations and notes the caller takes.
  void PersonneCitee(const TNoeudGedcom& n, TEvenement& e, bool lien = false);
  [[nodiscard]] int32_t Valeur(TFicDupli* table, const std::string& texte);
  // Text of a NOTE line: inline, or the record it points to.
  [[nodiscard]] std::string TexteNote(const TNoeudGedcom& n);
  // Appends to a note (heading titre) and returns its directory number (0 when none).
  int32_t AjouteNote(int32_t note, const char* titre, const std::string& texte);
  // A NOTE read: under its _TITRE, else under the default heading or the next one free; its
  // sub-lines (SOUR, MIME, TRAN...) kept under that heading's key. A note with no text but with
  // sub-lines is kept whole under titreGarde.
  int32_t AjouteNoteLue(int32_t note, const TNoeudGedcom& n, const char* titreParDefaut,
                        const char* titreGarde = kTitreBalisesGedcom);
  // The lines of a structure as GEDCOM text, its root at level niveau.
  [[nodiscard]] std::string Lignes(const TNoeudGedcom& n, int niveau) const;
  // The tag and value a kept line is written with: a pointer as the record it stands for
  // (gedcom/gedcom_gardees.h), a pointer to a note record as the note's text.
  void LigneGardee(const TNoeudGedcom& n, std::string& tag, std::string& valeur) const;
  void Garde(const TNoeudGedcom& n, int32_t& note, const char* titre = kTitreBalisesGedcom);

  TGestFichier& dossier_;
  TModuleBDD& bdd_;
  TDefChpsCs& defs_;
  TBilanImportGedcom& bilan_;

  // Numbers by cross-reference without its '@', given in order of first sight from 1.
  TNumerosXref noIndi_, noFam_;
  std::vector<long> ligneIndi_;       // by person number: line of its definition
  std::vector<long> ligneRefIndi_;    // first line pointing to it
  std::vector<std::string> xrefIndi_;
  std::vector<char> sexe_;
  std::vector<uint8_t> ecrit_;        // pass 2: already written (a record defined twice)
  std::vector<int32_t> naissance_;    // by person number: birth as DateTriable, kSansDateNaissance
  std::vector<std::string> tagsNaissance_;  // the tags of the birth definition
  std::vector<TFamilleLue> familles_;  // by family number - 1
  std::vector<std::string> xrefFam_;
  std::vector<uint8_t> familleEcrite_;
  std::vector<TReferenceLue> references_;
  std::unordered_map<std::string, std::string> notes_;
  std::unordered_map<std::string, TSourceLue> sources_;
  std::vector<std::string> ordreSources_;       // their cross-references, in file order
  mutable std::unordered_set<std::string> sourcesCitees_;  // source records a citation points to
  std::vector<TNoeudGedcom> enregistrementsGardes_;  // REPO and other records kept whole
  std::unordered_map<std::string, std::string> objets_;
  std::unordered_set<std::string> objetsGardes_;  // media records without a file, kept whole
  std::vector<TNoeudGedcom> mediasLus_;           // media records with a file
  mutable std::unordered_set<std::string> objetsCites_;  // media records a link points to
  std::string liensGardes_;  // kTitreLiensGedcom
  std::string schema_;       // kTitreSchemaGedcom
  std::string lienMedia_;  // kept lines of the medium link being written as a field

  // Links by person number.
  std::vector<int32_t> famc_;                 // family of the birth parents (pair A), 0 when none
  std::unordered_map<int32_t, int32_t> famcB_;  // person -> family of its adoptive parents (pair B)
  // FAMC with a PEDI, by (person << 32 | family): the PEDI and its line.
  std::unordered_map<uint64_t, std::pair<char, long>> pedis_;
  std::vector<std::vector<int32_t>> famsPersonne_;  // families as a spouse, in order
  std::unordered_map<int32_t, std::vector<int32_t>> ordreFams_;  // FAMS order of persons with several
  std::vector<int32_t> rangA_, rangB_, rangChps_;  // records written per holder and per partner
  std::unordered_map<int32_t, int32_t> rangSansConjoint_;  // family with no spouse -> its rank
  std::unordered_map<int32_t, std::vector<int32_t>> sansConjointDe_;  // child -> those listing it
  std::vector<int32_t> famcSansConjoint_;  // those the person being written names by FAMC
  std::string famillesSansConjoint_;  // their records, kept lines
  TPersonnesImportees personnesEcrites_;  // what the person index takes, gathered as written

  std::unordered_map<int32_t, int32_t> notesEnAttente_;  // family notes of holders not yet written
  std::unordered_map<std::string, int32_t> lieux_;
  std::unordered_set<const TChpCs*> creees_;  // definitions made for unknown tags
  std::unordered_map<std::string, const TChpCs*> parTag_[2];  // person, couple
  std::unordered_map<std::string, std::vector<const TChpCs*>> parSousTag_;  // "ADDR" -> its fields
};

}  // namespace kyb
