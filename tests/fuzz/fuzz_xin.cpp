// Fuzzes the reading of the information file (".xin"). Checked: a read-only folder reads it
// without changing or adding any file; a writable folder that stores an identifier reads the
// same identifier back, whatever the file held before.
#include "folder/fic_xml.h"
#include "folder/gest_fic.h"
#include "fuzz_commun.h"

using namespace kyb;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
  const std::string& rep = fuzz::Repertoire("xin");
  for (const auto& nom : ListeFichiers(rep, "*")) SupprimeFichier(rep + nom);
  const std::string entree(reinterpret_cast<const char*>(donnees), taille);
  fuzz::Ecrit(rep + "L.xin", donnees, taille);
  {
    TGestFichier lecture(rep + "L.adb", true);
    const TFicXml xml(&lecture, false, rep + "L.xin");
    (void)xml.ReadString("LienIdPers", "IdGenea", u"");
  }
  if (fuzz::Lit(rep + "L.xin") != entree) fuzz::Viole("un dossier en lecture seule a modifié le .xin");
  if (ListeFichiers(rep, "*").size() != 1) fuzz::Viole("un dossier en lecture seule a créé un fichier");

  fuzz::Ecrit(rep + "E.xin", donnees, taille);
  TGestFichier ecriture(rep + "E.adb", false);
  const UnicodeString id = u"0123456789ABCDEF4F2A";
  {
    TFicXml xml(&ecriture, false, rep + "E.xin");
    if (!xml.WriteString("LienIdPers", "IdGenea", id)) fuzz::Viole("écriture du .xin impossible");
  }
  const TFicXml relu(&ecriture, false, rep + "E.xin");
  if (relu.ReadString("LienIdPers", "IdGenea", u"") != id) fuzz::Viole("identifiant non relu");
  return 0;
}
