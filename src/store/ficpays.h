#pragma once
// TFicPays: the reference town tables of every country found in a folder ("<Pays>.adb" with its
// descriptor "<Pays>.ini"), the current country and the searches made in its table.
//
// The folder is the one the host sets with DefinitRepertoireTablesVilles; by default the
// "TableVille" folder of the installed data directory. One TFicBDDINI per ".adb" found; one of
// them, the current one, is open at a time. The chosen country can be remembered in the user
// settings (section "Software\KORV", value "RechechePays").
//
// Searches on a missing or unreadable table return nothing; DerniereErreur() says why (French).
// One thread at a time, except StopRechercheCourante.
#include <memory>
#include <string>
#include <vector>

#include "platform/chaines.h"
#include "store/ficbddini.h"
#include "store/ficcommune.h"

namespace kyb {

class TInterfaceUtilisateur;
class TParametres;

// The folder of the country tables.
void DefinitRepertoireTablesVilles(const AnsiString& repertoire);
[[nodiscard]] AnsiString RepertoireTablesVilles();

// Outcome of completing a place from the reference.
enum class TCompletionLieu {
  Completee,  // one commune found: the empty parts were filled
  Inconnue,   // no commune of that name (in that department or region)
  Ambigue,    // several communes of that name: nothing changed
  SansTable,  // no table for the place's country, or the table cannot be read
};

class TFicPays {
 public:
  // Lists the tables of the folder and, when `ouvrir`, opens the remembered country or France
  // (else the first one found). `reglages` (may be null) keeps the user's choice.
  TFicPays(TInterfaceUtilisateur* proprietaire, const AnsiString& repertoire, bool ouvrir = true,
           TParametres* reglages = nullptr);
  ~TFicPays();
  TFicPays(const TFicPays&) = delete;
  TFicPays& operator=(const TFicPays&) = delete;

  // Closes the current table, opens the country's (by file name or descriptor code, case and
  // accents ignored) and marks it selected; remembers it in the settings when asked.
  [[nodiscard]] bool OpenBasePays(const AnsiString& pays, bool memoriser = false);
  [[nodiscard]] bool SetPaysCourant(const AnsiString& pays) { return OpenBasePays(pays, false); }
  [[nodiscard]] AnsiString GetPaysCourantAS() const;  // empty when none is open
  [[nodiscard]] int GetPaysCourantInt() const { return courant_; }  // -1 when none
  [[nodiscard]] int GetIndexPays(const AnsiString& pays) const;     // -1 when unknown
  [[nodiscard]] AnsiString GetCodePays() const;
  [[nodiscard]] std::vector<AnsiString> GetAllPays() const;
  [[nodiscard]] const AnsiString& Repertoire() const { return repertoire_; }
  [[nodiscard]] TFicBDDINI* PaysCourant() const;
  [[nodiscard]] const std::string& DerniereErreur() const;

  // Display settings of the current country's descriptor.
  [[nodiscard]] std::vector<TChampPays> GetAllChampsCourant() const;
  void SetNewChamps(std::vector<TChampPays> champs);
  [[nodiscard]] bool ChargeChamps();
  [[nodiscard]] bool SauveChamps();
  // Whether a country is offered to the user ("ShowPays" of its descriptor, saved at once), and
  // the countries offered, in the order of the folder.
  [[nodiscard]] bool SetShowPays(const AnsiString& pays, bool montrer);
  [[nodiscard]] std::vector<AnsiString> GetPaysAffiches() const;

  [[nodiscard]] std::vector<TVille> RechercheVille(const UnicodeString& debut,
                                                   TOrdreVille ordre = TOrdreVille::ParPopulation) const;
  [[nodiscard]] std::vector<TVille> RechercheXPremier(const UnicodeString& debut, int nombre) const;
  void StopRechercheCourante() const;
  [[nodiscard]] std::vector<TVille> RechercheParInsse(const AnsiString& code) const;
  [[nodiscard]] std::vector<TVille> RechercheParCP(const AnsiString& codePostal) const;
  [[nodiscard]] AnsiString GetCPByCom(const UnicodeString& commune) const;
  [[nodiscard]] bool GetTownAtRecord(int64_t enregistrement, TVille& ville) const;
  [[nodiscard]] bool UpdateGeo(const AnsiString& code, double latitude, double longitude);

  // Fills the empty department, region and country of a place from the commune of that name
  // (former names lead to the commune of today; a name of today wins over a former name). A
  // department or region already given narrows the choice (by name, cleaned, or by code); a
  // country given must be the current table's. The parts already given are kept as typed.
  // trouvee, when given, receives the commune found.
  [[nodiscard]] TCompletionLieu CompleteLieu(TFicCommune& lieu, TVille* trouvee = nullptr) const;

 private:
  [[nodiscard]] bool MemePays(const TFicBDDINI& table, const UnicodeString& pays) const;

  TInterfaceUtilisateur* proprietaire_;
  AnsiString repertoire_;
  TParametres* reglages_;
  std::vector<std::unique_ptr<TFicBDDINI>> pays_;
  int courant_ = -1;
  mutable std::string erreur_;
};

}  // namespace kyb
