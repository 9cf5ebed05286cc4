#pragma once
// TFicBDDINI: the reference town table of one country: a database file "<Pays>.adb" of the
// engine layer and its descriptor "<Pays>.ini" beside it, both read-only here except the
// descriptor's display settings (SauveChamps) and coordinates (UpdateGeo).
//
// Descriptor (INI, UTF-8):
//   [PAYS]  Code=France                       the country's name; default "France"
//   [BASE]  Table=Communes                    the town table; default "Communes"
//           NbrChamp=n, CHAMP1..CHAMPn        "column;caption;width;visible(0/1)"; without
//                                             them every column is shown under its own name
//           ShowPays=1, Selected=0|1          offered to the user; the chosen country
//   [ZONE]  Z1=table;code;name                administrative levels, broadest first; Z2 and Z3
//           Z2=table;code;name;parent         add the column holding the code of the level
//           Z3=table;code;name;parent[;cond]  above, and an optional fixed SQL condition
//   [CLEAN] A_COMMUNE=A_COMCLEAN              the column holding a column's cleaned form;
//                                             default A_COMCLEAN when the table has it
// Town table: "A_COMMUNE" (name), "B_CP" (main postal code), the third column (official code),
// optional "Population", "Latitude", "Longitude", "Type" (TTypeVille), "Actuelle" (code of the
// commune a former one belongs to today), index "A_COMCLEAN-Index" on the cleaned name and
// "C_INSEE-Index" on the code; optional table "CodesPostaux" (B_CP, C_INSEE, Acheminement)
// indexed on both codes.
//
// Every search goes through an index. A search on a table that is not open returns nothing;
// the reason of the last failure is in DerniereErreur() (French). One thread at a time (the
// prepared queries are kept), except StopRechercheCourante.
#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/acr_database.h"
#include "engine/acr_query.h"
#include "engine/acr_table.h"
#include "platform/chaines.h"

namespace kyb {

class TParametres;

enum class TTypeVille : int {
  Actuelle = 0,        // commune of today
  Deleguee = 1,        // delegated commune of a merged commune
  Associee = 2,        // associated commune
  Ancienne = 3,        // former commune merged into a commune of today
  Arrondissement = 4,  // municipal district (Paris, Lyon, Marseille)
  AncienNom = 5,       // former name of a commune of today
};

// One row of a town table, with the names of its administrative levels.
struct TVille {
  int64_t enregistrement = 0;  // record number (rowid)
  UnicodeString commune;
  AnsiString code;        // official code (INSEE for France)
  AnsiString codePostal;  // main postal code (the current commune's for a former one)
  AnsiString codeZone;    // code of the level above (department)
  UnicodeString departement, region;
  int32_t population = 0;
  double latitude = 0, longitude = 0;  // both 0: unknown
  TTypeVille type = TTypeVille::Actuelle;
  AnsiString codeActuel;         // commune of today for the other kinds
  UnicodeString communeActuelle;

  [[nodiscard]] bool CoordonneesConnues() const { return latitude != 0 || longitude != 0; }
};

// How the town search orders what it finds.
enum class TOrdreVille { ParPopulation, ParNom };

// One field of the descriptor.
struct TChampPays {
  std::string colonne;
  UnicodeString libelle;
  int largeur = 100;
  bool visible = true;
  bool operator==(const TChampPays&) const = default;
};

// One administrative level of the descriptor's ZONE section.
struct TNiveauZone {
  std::string table, colonneCode, colonneNom, colonneParent, condition;
  [[nodiscard]] bool Valide() const { return !table.empty() && !colonneCode.empty() && !colonneNom.empty(); }
};

// One entry of an administrative level: its code and name.
struct TEntreeZone {
  AnsiString code;
  UnicodeString nom;
};

class TFicBDDINI {
 public:
  static constexpr int kMaxResultats = 50;

  // repertoire: the folder of the country tables; nom: the file name without ".adb".
  TFicBDDINI(AnsiString repertoire, AnsiString nom);
  ~TFicBDDINI();
  TFicBDDINI(const TFicBDDINI&) = delete;
  TFicBDDINI& operator=(const TFicBDDINI&) = delete;

  // Reads the descriptor, opens the database read-only and checks that the town table has its
  // name, cleaned-name and code columns and indexes. False (with a message) otherwise.
  [[nodiscard]] bool OpenBDD();
  void CloseBDD();
  [[nodiscard]] bool isBDDactive() const { return table_ != nullptr; }
  [[nodiscard]] const std::string& DerniereErreur() const { return erreur_; }
  [[nodiscard]] AnsiString CheminBase() const;
  [[nodiscard]] AnsiString CheminDescripteur() const;

  // --- descriptor ---
  [[nodiscard]] const AnsiString& GetNomPays() const { return nom_; }
  [[nodiscard]] AnsiString GetCodePays() const;  // [PAYS] Code, default "France"
  [[nodiscard]] bool ShowPays() const;
  [[nodiscard]] bool Selected() const;
  void SetShowPays(bool montrer);
  void SetSelected(bool choisi);
  [[nodiscard]] bool ChargeChamps();  // re-reads the descriptor
  [[nodiscard]] bool SauveChamps();   // writes the descriptor (fields, flags)
  [[nodiscard]] const std::vector<TChampPays>& GetAllChamps() const { return champs_; }
  void SetNewChamps(std::vector<TChampPays> champs) { champs_ = std::move(champs); }
  [[nodiscard]] const std::string& ColonneNettoyee() const { return colonneNettoyee_; }
  [[nodiscard]] const TNiveauZone& Niveau(int niveau) const;  // 1..3

  // --- administrative levels ---
  // SQL of each level: Z1 lists the broadest level, Z2 and Z3 the entries whose parent column
  // equals the parameter ":parent". Empty when the descriptor does not give the level.
  [[nodiscard]] std::string CreerRequete(int niveau) const;
  [[nodiscard]] std::string CreerRequeteZ1() const { return CreerRequete(1); }
  [[nodiscard]] std::string CreerRequeteZ2() const { return CreerRequete(2); }
  [[nodiscard]] std::string CreerRequeteZ3() const { return CreerRequete(3); }
  [[nodiscard]] std::vector<TEntreeZone> Zones(int niveau, const AnsiString& parent = {}) const;

  // --- searches ---
  // Upper case without accents, every character other than a letter or digit a separator,
  // the words "ST" and "STE" spelt "SAINT" and "SAINTE", words joined without separator.
  [[nodiscard]] static AnsiString CleanCommune(const UnicodeString& nom);

  // Towns whose cleaned name begins with the cleaned text, ordered, at most `maximum`.
  [[nodiscard]] std::vector<TVille> RechercheVille(const UnicodeString& debut,
                                                   TOrdreVille ordre = TOrdreVille::ParPopulation,
                                                   int maximum = kMaxResultats) const;
  [[nodiscard]] std::vector<TVille> FindXFirst(const UnicodeString& debut, int nombre) const {
    return RechercheVille(debut, TOrdreVille::ParPopulation, nombre);
  }
  // Towns whose cleaned name is exactly the cleaned text.
  [[nodiscard]] std::vector<TVille> RechercheNomExact(const UnicodeString& nom) const;
  // Rows holding the official code (commune of today first); nothing below 3 characters.
  [[nodiscard]] std::vector<TVille> RechercheParInsse(const AnsiString& code) const;
  // Communes served by a postal code; nothing below 3 characters.
  [[nodiscard]] std::vector<TVille> RechercheParCP(const AnsiString& codePostal) const;
  // Every postal code of a commune (sorted), with the delivery name when it differs.
  [[nodiscard]] std::vector<std::pair<AnsiString, UnicodeString>> CodesPostaux(
      const AnsiString& code) const;
  // Postal code and coordinates of the first town of that cleaned name, through the
  // "A_COMCLEAN-Index" of the table cursor.
  [[nodiscard]] bool SearchCodeCPByCom(const UnicodeString& commune, AnsiString& codePostal,
                                       double& latitude, double& longitude);
  [[nodiscard]] bool GetRecord(int64_t enregistrement, TVille& ville) const;
  [[nodiscard]] int64_t RecordCount() const;
  // The visible fields of the descriptor, joined by " ; ".
  [[nodiscard]] UnicodeString GetLine(const TVille& ville) const;
  // Commune, department, region and country joined by " ; ".
  [[nodiscard]] UnicodeString RetrieveResult(const TVille& ville) const;
  // Stores coordinates on every row of the code; needs a writable table.
  [[nodiscard]] bool UpdateGeo(const AnsiString& code, double latitude, double longitude);

  // Stops the search running in another thread at its next row.
  void StopRechercheCourante() const { arret_ = true; }

 private:
  void LitDescripteur();
  [[nodiscard]] bool VerifieTable();
  void ChargeZones();
  [[nodiscard]] std::string ColonnesVille() const;
  [[nodiscard]] std::vector<TVille> ChercheVilles(const std::string& condition,
                                                  const std::map<std::string, TValeur>& parametres,
                                                  const std::string& ordre, int maximum) const;
  void CompleteZones(TVille& ville) const;
  [[nodiscard]] bool AColonne(const std::string& colonne) const;
  void NoteErreur(std::string message) const { erreur_ = std::move(message); }
  // The query of that SQL text, prepared once and kept while the table is open.
  [[nodiscard]] TACRQuery& Requete(const std::string& sql) const;

  AnsiString repertoire_, nom_;
  std::unique_ptr<TParametres> descripteur_;
  std::vector<TChampPays> champs_;
  std::string nomTable_ = "Communes";
  std::string colonneNettoyee_;
  std::string colonneCode_;
  TNiveauZone niveaux_[3];
  std::map<AnsiString, std::pair<UnicodeString, AnsiString>> zone2_;  // code -> name, parent
  std::map<AnsiString, UnicodeString> zone1_;
  std::unique_ptr<TACRDatabase> base_;
  std::unique_ptr<TACRTable> table_;
  mutable std::map<std::string, std::unique_ptr<TACRQuery>> requetes_;
  bool tableCodesPostaux_ = false;
  mutable std::string erreur_;
  mutable std::atomic<bool> arret_{false};
};

}  // namespace kyb
