#include "demo.h"

#include <cstdio>

#include "engine/acr_query.h"
#include "engine/acr_table.h"
#include "folder/fic_enreg.h"
#include "platform/fichiers.h"

namespace kyb::cli {
namespace {

// A temporary directory removed at the end of the demo.
class RepertoireDemo {
 public:
  RepertoireDemo() {
    char modele[] = "/tmp/kyb-demo-XXXXXX";
    if (mkdtemp(modele)) chemin_ = modele;
  }
  ~RepertoireDemo() {
    if (!chemin_.empty()) (void)SupprimeArborescence(chemin_);
  }
  [[nodiscard]] const std::string& Chemin() const { return chemin_; }

 private:
  std::string chemin_;
};

bool DemoFichierEnreg(const TGestFichier& modele) {
  std::printf("\n== Fichier d'enregistrements (notes, 512 octets par enregistrement)\n");
  TGestFichier dossier(modele.FabriqueNomFichier(TGestFichier::tfNotes));
  TFicBase notes(&dossier, TGestFichier::tfNotes, 512, "FicNote", true);
  const char* textes[] = {"Baptisé en l'église Saint-Étienne.", "Témoin : Jean Dupré, cousin.",
                          "Acte retrouvé aux archives départementales."};
  for (const char* t : textes) {
    TEnregKy e(&notes, kEnregCourant);
    e.EcritTexte(0, 512, Utf8VersAnsi(t));
    e.Enregistrement(notes.ReturnNewNum());
  }
  notes.Flush();
  std::printf("%ld enregistrements écrits dans %s\n", notes.NbEnreg,
              AnsiVersUtf8(ExtraitNomFichier(notes.Chemin())).c_str());
  for (long n = 1; n <= notes.NbEnreg; ++n) {
    const TEnregKy e(&notes, n);
    std::printf("  n°%ld : %s\n", n, AnsiVersUtf8(e.LitTexte(0, 512)).c_str());
  }
  TEnregKy hors(&notes, kEnregCourant);
  try {
    hors.Enregistrement(notes.NbEnreg + 1);
  } catch (const std::exception& e) {
    std::printf("Écriture hors du fichier refusée : %s\n", e.what());
  }
  return !dossier.Erreur;
}

bool DemoBase(const TGestFichier& dossier) {
  std::printf("\n== Base relationnelle (%s)\n",
              AnsiVersUtf8(ExtraitNomFichier(dossier.FabriqueNomFichier(TGestFichier::tfBaseDonnees))).c_str());
  TACRDatabase base(dossier.FabriqueNomFichier(TGestFichier::tfBaseDonnees));
  if (!base.CreateDatabase()) return false;
  TACRTable t(base, "Evenements");
  const bool cree = t.CreateTable(
      {{"ID", TTypeChamp::AutoInc, 0, false},
       {"LibelleChamps", TTypeChamp::String, 21, false},
       {"Donnee", TTypeChamp::WideString, 301, false},
       {"NoPersA", TTypeChamp::Int32, 0, false},
       {"Date", TTypeChamp::FixedChar, 10, false}},
      {{"ParID", {"ID"}, kIndexPrimaire}, {"ParNoPersA", {"NoPersA"}, 0}});
  if (!cree || !t.Open()) return false;
  struct {
    int pers;
    const char* libelle;
    const char* donnee;
    const char* date;
  } const lignes[] = {{1, "NAISSANCE", "", "12.03.1854"},
                      {1, "PROFESSION", "Maréchal-ferrant", ""},
                      {2, "NAISSANCE", "", "..06.1856"},
                      {1, "DECES", "", "02.11.1921"}};
  for (const auto& l : lignes) {
    t.Insert();
    t.FieldByName("NoPersA").SetInteger(l.pers);
    t.FieldByName("LibelleChamps").SetAnsiString(l.libelle);
    t.FieldByName("Donnee").SetUnicodeString(Utf8VersUnicode(l.donnee));
    t.FieldByName("Date").SetAnsiString(l.date);
    if (!t.Post()) return false;
  }
  std::printf("%lld évènements ajoutés ; ceux de la personne 1 par l'index ParNoPersA :\n",
              static_cast<long long>(t.RecordCount()));
  if (!t.SetIndexName("ParNoPersA")) return false;
  for (bool trouve = t.FindKey({Cle(1)}); trouve && !t.Eof() && t.FieldByName("NoPersA").AsInteger() == 1; t.Next())
    std::printf("  ID %lld  %-10s %-18s %s\n", static_cast<long long>(t.FieldByName("ID").AsInt64()),
                AnsiVersUtf8(t.FieldByName("LibelleChamps").AsAnsiString()).c_str(),
                t.FieldByName("Donnee").AsUtf8().c_str(), t.FieldByName("Date").AsUtf8().c_str());
  TACRQuery q(base, "SELECT Distinct LibelleChamps From Evenements Order By LibelleChamps");
  if (!q.Open()) return false;
  std::printf("Libellés distincts :");
  for (; !q.Eof(); q.Next()) std::printf(" %s", q.Fields(0).AsUtf8().c_str());
  std::printf("\nContrôle d'intégrité : %s\n", base.VerifieIntegrite().c_str());
  return true;
}

}  // namespace

int Demo(const Arguments&) {
  const RepertoireDemo rep;
  if (rep.Chemin().empty()) return Echec("impossible de créer un répertoire temporaire");
  const AnsiString chemin = ConstruitAccesGenealogie(Utf8VersAnsi(rep.Chemin()), "Exemple", ".adb");
  const TGestFichier dossier(chemin);
  if (!CreeRepertoires(dossier.Repertoire)) return Echec("impossible de créer le dossier généalogique");
  std::printf("Dossier généalogique d'exemple : %s\n", AnsiVersUtf8(dossier.Repertoire).c_str());
  if (!DemoFichierEnreg(dossier)) return Echec("erreur d'accès au fichier des notes");
  if (!DemoBase(dossier)) return Echec("erreur de la base relationnelle");
  std::printf("\nDémonstration terminée.\n");
  return 0;
}

}  // namespace kyb::cli
