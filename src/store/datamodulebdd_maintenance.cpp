// Backup copies, compaction, repair and engine-format conversion of the store.
#include "platform/ecriture_atomique.h"
#include "platform/fichiers.h"
#include "platform/journal.h"
#include "store/datamodulebdd_maintenance_interne.h"
#include "store/schema_bdd.h"

namespace kyb {

AnsiString TMaintenanceBDD::CheminCopie() const { return ChangeExtension(chemin_, "_backup.adb"); }

bool TMaintenanceBDD::CopieADB() {
  JournalSauvegarde("CopieADB " + AnsiVersUtf8(chemin_) + " -> " + AnsiVersUtf8(CheminCopie()));
  if (EstLectureSeule()) {
    base_->NoteErreur("Le dossier est en lecture seule : aucune copie n'y est écrite", TErreurMoteur::LectureSeule);
    return false;
  }
  const bool etaitConnecte = base_->Connected();
  CloseDataBase();  // closing folds the journal into the file, so the copy is whole
  // The last good copy is replaced only once the new one is complete and on disk.
  const bool ok = TailleFichier(chemin_ + "-wal") <= 0 && CopieSure(chemin_, CheminCopie());
  if (!ok) base_->NoteErreurSysteme("Copie de sauvegarde de « " + AnsiVersUtf8(chemin_) + " »");
  if (etaitConnecte) (void)OpenDataBase(false);
  if (!ok) BDDError("", base_->DerniereErreur());
  return ok;
}

namespace {

// A copy is put back only when it opens as a store and passes the integrity check.
bool CopieSaine(const AnsiString& copie, std::string& erreur) {
  TACRDatabase essai(copie);
  if (!essai.Open()) {
    erreur = essai.DerniereErreur();
    return false;
  }
  const std::string integrite = essai.VerifieIntegrite();
  essai.Close();
  if (integrite == "ok" && TailleFichier(copie + "-wal") <= 0) return true;
  erreur = "La copie « " + AnsiVersUtf8(copie) + " » est endommagée : " + integrite;
  return false;
}

}  // namespace

bool TMaintenanceBDD::RestoreOldADB(const AnsiString& cheminCopie) {
  const AnsiString copie = cheminCopie.empty() ? CheminCopie() : cheminCopie;
  JournalSauvegarde("RestoreOldADB " + AnsiVersUtf8(copie) + " -> " + AnsiVersUtf8(chemin_));
  if (!FichierExiste(copie)) return false;
  if (EstLectureSeule()) {
    base_->NoteErreur("Le dossier est en lecture seule : la copie n'a pas été remise en place",
                      TErreurMoteur::LectureSeule);
    return false;
  }
  std::string erreur;
  if (!CopieSaine(copie, erreur)) {
    base_->NoteErreur(erreur);
    BDDError("", erreur);
    return false;
  }
  CloseDataBase();
  // The live store must carry no journal, which would be replayed into the restored file.
  if (TailleFichier(chemin_ + "-wal") > 0) {
    base_->NoteErreur("Le journal de la base n'a pas pu être intégré ; la copie n'a pas été remise en place");
    (void)OpenDataBase(false);
    return false;
  }
  // One rename puts the copy in place of the store: the old store or the copy, never neither.
  if (!SynchroniseFichier(copie) || !RemplaceFichier(copie, chemin_)) {
    base_->NoteErreurSysteme("Remise en place de « " + AnsiVersUtf8(copie) + " »");
    BDDError("", base_->DerniereErreur());
    (void)OpenDataBase(false);
    return false;
  }
  SupprimeFichier(chemin_ + "-shm");
  return OpenDataBase(true);
}

void TMaintenanceBDD::DeleteCopieADB() {
  const AnsiString copie = ChangeExtension(chemin_, "-backup.adb");
  if (!FichierExiste(copie)) return;
  JournalSauvegarde("DeleteCopieADB " + AnsiVersUtf8(copie));
  SupprimeFichier(copie);
}

void TMaintenanceBDD::SetNameBDD(const AnsiString& chemin) {
  JournalSauvegarde("SetNameBDD " + AnsiVersUtf8(chemin_) + " -> " + AnsiVersUtf8(chemin));
  CloseDataBase();
  chemin_ = chemin;
  base_->SetFileName(chemin_);
}

bool TMaintenanceBDD::DestroyDataBaseBDD() {
  JournalSauvegarde("DestroyDataBaseBDD " + AnsiVersUtf8(chemin_));
  CloseDataBase();
  bool ok = true;
  for (const char* suffixe : {"", "-wal", "-shm"})
    if (FichierExiste(chemin_ + suffixe)) ok &= SupprimeFichier(chemin_ + suffixe);
  return ok;
}

void TMaintenanceBDD::DeleteLesTables() {
  FermeTables();
  for (const auto& def : SchemaBDD()) {
    TACRTable t(*base_, def.nom);
    if (t.Exists()) (void)t.DeleteTable();
  }
}

bool TMaintenanceBDD::CompactBDD(bool silencieux) {
  if (!base_->Connected()) return false;
  TProgression progression(silencieux ? nullptr : Interface(), u"Compacter la base...", 100);
  progression.Texte(u"Compactage de la base... (0%)");
  FermeTables();
  const bool ok = base_->Compact();
  if (!ok) BDDError("", base_->DerniereErreur());
  progression.Position(100);
  progression.Texte(u"Compactage de la base... (100%)");
  return OpenDataBase(false) && ok;
}

bool TMaintenanceBDD::OptimisationBDD() {
  if (!base_->Connected()) return false;
  TProgression progression(Interface(), u"Optimisation de la base de donnée...", 100);
  progression.Texte(u"Veuillez patienter, traitement en cours...");
  FermeTables();
  const bool ok = base_->ExecuteSql("ANALYZE") && base_->Compact();
  progression.Position(100);
  return OpenDataBase(false) && ok;
}

bool TMaintenanceBDD::GestionAnnulation() {
  TInterfaceUtilisateur* iu = Interface();
  if (!iu || !iu->AnnulationDemandee()) return true;
  const int reponse = iu->Question(
      u"Réparation",
      u"Attention : si la maintenance n'est pas faite entièrement, votre dossier ne sera plus "
      u"exploitable !\n\nSouhaitez-vous continuer la réparation ?",
      kBoutonOui | kBoutonNon | kBoutonAnnuler, kReponseOui);
  if (reponse == kReponseNon) {
    annulationReparation_ = true;
    return false;
  }
  return true;
}

bool TMaintenanceBDD::RepairTable(const std::string& table) {
  TACRTable t(*base_, table);
  return t.Exists() && t.RepairTable();
}

bool TMaintenanceBDD::VerifieEtapeReparation(TProgression& progression, const char* texte) {
  if (!GestionAnnulation()) return false;
  progression.Avance();
  progression.Texte(Utf8VersUnicode(texte));
  return true;
}

bool TMaintenanceBDD::RepaireIndexUnique() {
  // Deleted-person numbers kept once each, and only for persons that exist and are deleted.
  return base_->ExecuteSql(
      "DELETE FROM PersonnesSuppr WHERE rowid NOT IN (SELECT min(rowid) FROM PersonnesSuppr GROUP BY ID);"
      "INSERT INTO PersonnesSuppr(ID) SELECT ID FROM Personnes WHERE FicheSupprimee == 79 "
      "AND ID NOT IN (SELECT ID FROM PersonnesSuppr);");
}

bool TMaintenanceBDD::RepairDatabase(bool niveau) {
  bilanReparation_ = {};
  if (EstLectureSeule()) return false;
  annulationReparation_ = false;
  const bool etaitConnecte = base_->Connected();
  FermeTables();
  static const struct {
    const char* texte;
    const char* table;
  } kEtapes[] = {
      {"Contrôle de la table des évènements...", "Evenements"},
      {"Contrôle de la table des sources...", "Sources"},
      {"Contrôle de la table des illustrations...", "Illustrations"},
      {"Contrôle de la table des personnes citées...", "PersAssociees"},
      {"Contrôle de la table des lieux...", "Lieux"},
      {"Contrôle de la table des personnes...", "Personnes"},
      {"Contrôle de la table des personnes supprimées...", "PersonnesSuppr"},
      {"Contrôle de la table des index des personnes...", "IndexNomPrenoms"},
      {"Contrôle de la table des recherches insee...", "RechercheVastrelNet"},
      {"Contrôle de la table des coordonnées géographiques...", "Geolocalisation"},
      {"Contrôle de la table des transcriptions...", "NotesTranscription"},
  };
  bool ok = true;
  {
    TProgression progression(Interface(), u"Réparation de la base de données...",
                             static_cast<int>(std::size(kEtapes)) + 2);
    const TSchemaConnu schema = [](const std::string& nom, TACRFieldDefs& champs, TACRIndexDefs& index) {
      for (const auto& def : SchemaBDD())
        if (def.nom == nom) {
          champs = def.champs;
          index = def.index;
          return true;
        }
      return false;
    };
    const bool repare = base_->Repair(
        [&](int pct) {
          progression.Texte(u"Réparation de la base... (" + AnsiVersUnicode(std::to_string(pct)) + u"%)");
        },
        schema, &bilanReparation_);
    if (!repare) {
      BDDError("", base_->DerniereErreur());
      return false;
    }
    for (const auto& etape : kEtapes) {
      if (!VerifieEtapeReparation(progression, etape.texte)) return false;
      if (!TableExiste(etape.table)) {
        ok &= CreeTable(etape.table);
        continue;
      }
      progression.Texte(u"Réparation de la table \"" + AnsiVersUnicode(etape.table) + u"\"");
      ok &= RepairTable(etape.table);
    }
    if (!VerifieEtapeReparation(progression, "Correction de la base de données...")) return false;
    ok &= RepaireIndexUnique();
    // The deeper level also brings every table back to the schema.
    if (niveau)
      for (const auto& def : SchemaBDD()) {
        TACRTable t(*base_, def.nom);
        TACRFieldDefs champs;
        TACRIndexDefs index;
        if (t.ReadDefs(champs, index) && (champs != def.champs || index != def.index))
          ok &= t.RestructureTable(def.champs, def.index);
      }
  }
  if (etaitConnecte) OuvreTables();
  return ok;
}

TACRFieldDefs TMaintenanceBDD::ConvertDefsTo5(const TACRFieldDefs& anciennes) {
  // The older generation used the same engine types; only the storage of 8-bit texts differs.
  return anciennes;
}

bool TMaintenanceBDD::CopyTableV4toV5(TACRTable& source, TACRTable& cible) {
  TACRTransaction transaction(cible.Database());
  for (source.First(); !source.Eof(); source.Next()) {
    cible.Insert();
    for (int i = 0; i < source.FieldCount(); ++i) {
      const TACRFieldDef* def = source.Fields(i).Def();
      TACRField* champ = def ? cible.FindField(def->nom) : nullptr;
      if (!champ) continue;
      if (EstTypeTexte8Bits(def->type)) {
        champ->SetAnsiString(source.Fields(i).AsAnsiString());  // raw Windows-1252 -> UTF-8
        continue;
      }
      const TValeur& v = source.Fields(i).Valeur();
      if (v.sorte == TValeur::Sorte::Entier) champ->SetInteger(v.entier);
      else if (v.sorte == TValeur::Sorte::Reel) champ->SetFloat(v.reel);
      else if (v.sorte == TValeur::Sorte::Blob) champ->SetBlob(v.octets);
      else if (v.sorte == TValeur::Sorte::Texte) champ->SetUnicodeString(Utf8VersUnicode(v.octets));
      else champ->Clear();
    }
    if (!cible.Post()) return false;
  }
  return transaction.Commit();
}

bool TMaintenanceBDD::ConversionADB4To5(const AnsiString& chemin) {
  const AnsiString neuf = ChangeExtension(chemin, "_v5.adb");
  const AnsiString garde = ChangeExtension(chemin, "_v4.adb");
  // A journal left beside the old file is folded in first: it must not outlive the file.
  if (TailleFichier(chemin + "-wal") > 0) {
    TACRDatabase journal(chemin);
    if (journal.Open()) (void)journal.ExecuteSql("PRAGMA wal_checkpoint(TRUNCATE)");
  }
  if (TailleFichier(chemin + "-wal") > 0) {
    base_->NoteErreur("Le journal de « " + AnsiVersUtf8(chemin) + " » n'a pas pu être intégré");
    return false;
  }
  SupprimeFichier(neuf + "-wal");
  {
    TACRDatabase ancienne(chemin);
    ancienne.SetDatabaseName("ACR4DB");
    ancienne.SetReadOnly(true);
    if (!ancienne.Open()) return false;
    SupprimeFichier(neuf);
    TACRDatabase nouvelle(neuf);
    if (!nouvelle.CreateDatabase()) return false;
    const std::vector<std::string> tables = ancienne.GetTableNames();
    TProgression progression(Interface(), u"Conversion de la base de données...",
                             static_cast<int>(tables.size()));
    for (const auto& nom : tables) {
      progression.Texte(u"Table " + AnsiVersUnicode(nom));
      TACRTable source(ancienne, nom);
      TACRTable cible(nouvelle, nom);
      if (!source.Open() || !cible.CreateTable(ConvertDefsTo5(source.FieldDefs()), source.IndexDefs()) ||
          !cible.Open() || !CopyTableV4toV5(source, cible)) {
        BDDError(nom, nouvelle.DerniereErreur());
        nouvelle.Close();
        SupprimeFichier(neuf);
        return false;
      }
      // Identifiers keep counting from where the old table stopped.
      if (const int64_t seq = source.LastAutoIncValue(); seq > cible.LastAutoIncValue())
        (void)cible.SetLastAutoIncValue(seq);
      progression.Avance();
    }
  }
  // The new file takes its place only whole: with its journal folded in (closing does it).
  if (TailleFichier(neuf + "-wal") > 0) {
    base_->NoteErreur("La base convertie n'a pas pu être terminée ; l'ancienne est gardée");
    for (const char* suffixe : {"", "-wal", "-shm"}) SupprimeFichier(neuf + suffixe);
    return false;
  }
  // The old file keeps a second name, then the new one replaces it in one rename: a store
  // stays under the file's name at every moment.
  SupprimeFichier(garde);
  if (!GardeSousUnAutreNom(chemin, garde) || !SynchroniseFichier(neuf) || !RemplaceFichier(neuf, chemin)) {
    base_->NoteErreurSysteme("Conversion de « " + AnsiVersUtf8(chemin) + " »");
    SupprimeFichier(neuf);
    return false;
  }
  SupprimeFichier(chemin + "-shm");
  return true;
}

}  // namespace kyb
