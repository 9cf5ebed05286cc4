#pragma once
// Maintenance of the store: backup copies, compaction, repair and its report, the indexes
// restored at opening, the analysis of the store, the upgrades of older stores and the
// conversion of the older engine generation. Private to the store.
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "store/datamodulebdd.h"
#include "store/datamodulebdd_coeur_interne.h"

namespace kyb {

class TMaintenanceBDD : public TUniteBDD {
 public:
  // rouvre: reopens the store (with the upgrade when asked), as the module's OpenDataBase.
  TMaintenanceBDD(TCoeurBDD& coeur, std::function<bool(bool)> rouvre)
      : TUniteBDD(coeur), rouvre_(std::move(rouvre)) {}

  // --- copies ---
  [[nodiscard]] AnsiString CheminCopie() const;
  [[nodiscard]] bool CopieADB();
  [[nodiscard]] bool RestoreOldADB(const AnsiString& cheminCopie);
  void DeleteCopieADB();
  void SetNameBDD(const AnsiString& chemin);
  [[nodiscard]] bool DestroyDataBaseBDD();
  void DeleteLesTables();

  // --- compaction and repair ---
  [[nodiscard]] bool CompactBDD(bool silencieux);
  [[nodiscard]] bool OptimisationBDD();
  [[nodiscard]] bool RepairDatabase(bool niveau);
  [[nodiscard]] bool RepairTable(const std::string& table);
  [[nodiscard]] bool RepaireIndexUnique();
  void SetCancelRepair(bool annule) { annulationReparation_ = annule; }
  [[nodiscard]] bool IsCanceledRepair() const { return annulationReparation_; }
  [[nodiscard]] const TBilanReparation& DernierBilanReparation() const { return bilanReparation_; }
  [[nodiscard]] std::vector<std::string> RapportReparation() const;
  int RetablitIndex();
  bool RestructurationBDD();
  [[nodiscard]] TAnalyseBDD AnalyseBDD();

  // --- upgrades and conversion ---
  void UpdateOldBase();
  [[nodiscard]] bool ConversionADB4To5(const AnsiString& chemin);
  [[nodiscard]] static TACRFieldDefs ConvertDefsTo5(const TACRFieldDefs& anciennes);
  [[nodiscard]] bool CopyTableV4toV5(TACRTable& source, TACRTable& cible);

 private:
  [[nodiscard]] bool MetAuSchema(const std::string& nom, TProgression& progression, const UnicodeString& texte);
  void AjouterTypeDateEven();
  [[nodiscard]] bool BesoinMiseAJour();
  [[nodiscard]] bool VerifieEtapeReparation(TProgression& progression, const char* texte);
  [[nodiscard]] bool GestionAnnulation();
  [[nodiscard]] bool OpenDataBase(bool miseAJour) { return rouvre_(miseAJour); }
  void CloseDataBase() { coeur_.CloseDataBase(); }
  void FermeTables() { coeur_.FermeTables(); }
  void OuvreTables() { coeur_.OuvreTables(); }
  [[nodiscard]] bool TableExiste(const std::string& nom) { return coeur_.TableExiste(nom); }
  [[nodiscard]] bool CreeTable(const std::string& nom) { return coeur_.CreeTable(nom); }
  void JournalSauvegarde(const std::string& texte) const { coeur_.JournalSauvegarde(texte); }

  std::function<bool(bool)> rouvre_;
  AnsiString& chemin_ = coeur_.chemin_;
  std::atomic<bool> annulationReparation_{false};
  TBilanReparation bilanReparation_;
};

}  // namespace kyb
