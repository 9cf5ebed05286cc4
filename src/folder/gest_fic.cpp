#include "folder/gest_fic.h"

#include "platform/erreur.h"
#include "store/datamodulebdd.h"

namespace kyb {
namespace {

struct TDescriptionType {
  const char* extension;
  const char* baseFixe;  // null: the genealogy name
  bool notices;          // in the "Notices/" subdirectory
};

constexpr TDescriptionType kTypes[TGestFichier::kNbTypesFichier] = {
    {"prs", nullptr, false},  {"qua", nullptr, false},    {"qux", nullptr, false},
    {"par", nullptr, false},  {"pax", nullptr, false},    {"lie", nullptr, false},
    {"lix", nullptr, false},  {"ill", nullptr, false},    {"exp", nullptr, false},
    {"psu", nullptr, false},  {"src", nullptr, false},    {"chs", nullptr, false},
    {"evx", nullptr, false},  {"evn", nullptr, false},    {"sst", nullptr, false},
    {"not", nullptr, false},  {"", nullptr, false},       {"ein", nullptr, false},
    {"prx", nullptr, false},  {"rtf", nullptr, false},    {"dch", nullptr, false},
    {"neq", nullptr, false},  {"preq", nullptr, false},   {"", nullptr, false},
    {"gnp", nullptr, true},   {"dbf", "lienidpers", false}, {"cpt", "lienidpers", false},
    {"xin", nullptr, false},  {"adb", nullptr, false},    {"adb", "undo", false},
    {"inp", nullptr, true},   {"syn", nullptr, false},    {"eveneq", nullptr, false},
    {"brd", nullptr, false},  {"tp", "gene", false},      {"prx2", nullptr, false},
    {"tag", nullptr, false},
};

// Extension of the folder directory itself (".kya"), from its path with the trailing '/'.
AnsiString ExtensionDossier(const AnsiString& repertoire) {
  return ExtraitExtension(SansSeparateurFinal(repertoire));
}

}  // namespace

AnsiString TGestFichier::FabriqueNomFichier(TTypeFichier type, int numero, bool flag) const {
  const int t = static_cast<int>(type);
  if (t < 0 || t >= kNbTypesFichier) throw ErreurKy("Type de fichier inconnu");
  const TDescriptionType& d = kTypes[t];
  AnsiString chemin = AvecSeparateurFinal(Repertoire);
  if (d.notices) chemin += "Notices/";
  chemin += d.baseFixe ? AnsiString(d.baseFixe) : Nom;
  chemin += '.';
  if (type == tfDuplicats) {
    chemin += flag ? 'd' : 'r';
    chemin += std::to_string(numero);
  } else {
    chemin += d.extension;
  }
  if (chemin.size() >= static_cast<size_t>(kLongueurMaxChemin))
    throw ErreurKy("Nom de fichier trop long !");
  return chemin;
}

TFichier TGestFichier::OuvertureFichier(const AnsiString& chemin, bool creer) {
  const TCreation creation = creer ? TCreation::Ecrase : TCreation::Existant;
  TAcces acces = LectureSeule ? TAcces::Lecture : TAcces::LectureEcriture;
  TFichier f = TFichier::Ouvre(chemin, acces, creation);
  if (f.Valide()) return f;
  if (!LectureSeule) {
    if (!PutFilesInReadWrite(Repertoire)) {
      LectureSeule = true;
      acces = TAcces::Lecture;
    }
    f = TFichier::Ouvre(chemin, acces, creation);
    if (f.Valide()) return f;
  }
  if (!LectureSeule && !EnCreation) {
    LectureSeule = true;
    f = TFichier::Ouvre(chemin, TAcces::Lecture, TCreation::Existant);
  }
  return f;
}

bool TGestFichier::IsOldVersion() const {
  if (!FichierExiste(FabriqueNomFichier(tfPersonnes))) return false;
  return EgalSansCasseAnsi(ExtensionDossier(Repertoire), ".kya") || ModeConversion2;
}

bool TGestFichier::IsExt2009() const {
  const AnsiString ext = ExtensionDossier(Repertoire);
  return !EgalSansCasseAnsi(ext, ".ky2") && !EgalSansCasseAnsi(ext, ".ky3") &&
         !EgalSansCasseAnsi(ext, ".kya");
}

bool TGestFichier::isVersion10() const {
  if (!FichierExiste(FabriqueNomFichier(tfBaseDonnees)) || FichierExiste(FabriqueNomFichier(tfChpsSimple)))
    return false;
  return ModuleBDD && ModuleBDD->GetVersionBDD() == AnsiVersUnicode(kVersionBDD);
}

bool TGestFichier::IsConvertedForKY2013() const {
  return ModuleBDD && ModuleBDD->IsDateTriableEven();
}

bool TGestFichier::IsSameGenea(const TGestFichier* autre) const {
  return autre && EgalSansCasseAnsi(FabriqueNomFichier(tfPersonnes), autre->FabriqueNomFichier(tfPersonnes));
}

AnsiString TGestFichier::GetDefaultFile(TTypeFichier type) const {
  if (type != tfDefChamps && type != tfTags) return {};
  AnsiString chemin = NormaliseChemin(asStructFilenameNew);
  if (!chemin.empty() && chemin.back() != '/' && !RepertoireExiste(chemin)) chemin = ExtraitRepertoire(chemin);
  if (chemin.empty() || !RepertoireExiste(chemin)) return {};
  const auto noms = ListeFichiers(chemin, type == tfDefChamps ? "*.dch" : "*.tag");
  return noms.empty() ? AnsiString() : AvecSeparateurFinal(chemin) + noms.front();
}

AnsiString ConstruitAccesGenealogie(const AnsiString& repertoire, const AnsiString& nom,
                                    const AnsiString& suffixe) {
  AnsiString base = nom;
  AnsiString extension = ".kya";
  const size_t point = nom.find('.');
  if (point != AnsiString::npos) {
    extension = nom.substr(point);
    base = nom.substr(0, point);
  }
  return AvecSeparateurFinal(repertoire) + base + extension + "/" + base + suffixe;
}

bool PutFilesInReadWrite(const AnsiString& repertoire) {
  if (!RepertoireExiste(repertoire)) return false;
  bool ok = true;
  for (const AnsiString& nom : ListeFichiers(repertoire, "*.*"))
    if (!DefinitLectureSeule(AvecSeparateurFinal(repertoire) + nom, false)) ok = false;
  return ok;
}

}  // namespace kyb
