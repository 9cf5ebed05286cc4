#include "folder/fic_xml.h"

#include "folder/gest_fic.h"
#include <sstream>

#include "platform/ecriture_atomique.h"
#include "platform/fichiers.h"

namespace kyb {
namespace {
constexpr const char* kRacine = "XmlForVastrel";
}

TFicXml::TFicXml(TGestFichier* dossier, bool vide, const AnsiString& chemin)
    : dossier_(dossier),
      chemin_(chemin.empty() ? dossier->FabriqueNomFichier(TGestFichier::tfXml) : chemin) {
  if (!FichierExiste(chemin_)) vide = true;
  if (!vide) {
    const pugi::xml_parse_result r = document_.load_file(CheminSysteme(chemin_).c_str());
    if (r && document_.child(kRacine)) return;
    // Unreadable: set aside, then start afresh.
    if (!dossier_->IsReadOnly()) {
      SupprimeFichier(chemin_ + ".illisible");
      (void)RenommeFichier(chemin_, chemin_ + ".illisible");
    }
    document_.reset();
  }
  document_.append_child(kRacine);
  (void)Sauve();
}

bool TFicXml::Sauve() const {
  if (dossier_->IsReadOnly()) return false;
  // Written beside, synced, then renamed over the old file: a crash leaves one or the other.
  std::ostringstream texte;
  document_.save(texte, "  ", pugi::format_default, pugi::encoding_utf8);
  const std::string octets = texte.str();
  const AnsiString temporaire = chemin_ + ".tmp";
  TFichier f = TFichier::Ouvre(temporaire, TAcces::LectureEcriture, TCreation::Ecrase);
  const bool ecrit = f.Valide() && f.EcritA(0, octets.data(), octets.size()) == static_cast<int64_t>(octets.size()) &&
                     f.Synchronise();
  f.Ferme();
  if (ecrit && RemplaceFichier(temporaire, chemin_)) return true;
  SupprimeFichier(temporaire);
  return false;
}

UnicodeString TFicXml::ReadString(const std::string& section, const std::string& cle,
                                  const UnicodeString& defaut) const {
  const pugi::xml_node noeud = document_.child(kRacine).child(section.c_str()).child(cle.c_str());
  if (!noeud) return defaut;
  return Utf8VersUnicode(noeud.text().get());
}

bool TFicXml::WriteString(const std::string& section, const std::string& cle,
                          const UnicodeString& valeur) {
  pugi::xml_node racine = document_.child(kRacine);
  if (!racine) racine = document_.append_child(kRacine);
  pugi::xml_node s = racine.child(section.c_str());
  if (!s) s = racine.append_child(section.c_str());
  pugi::xml_node c = s.child(cle.c_str());
  if (!c) c = s.append_child(cle.c_str());
  // The key's element holds its value alone: whatever a damaged file nested in it goes, so that
  // the value reads back as written.
  while (c.first_child()) c.remove_child(c.first_child());
  c.text().set(UnicodeVersUtf8(valeur).c_str());
  return Sauve();
}

}  // namespace kyb
