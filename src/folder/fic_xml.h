#pragma once
// TFicXml: the folder's XML information file (".xin"). The root element is "XmlForVastrel";
// each section is a child element of the root, each key a child of its section, the value its
// text. Every write saves the file at once. A file that cannot be parsed is kept aside (renamed
// with ".illisible") and replaced by an empty document, so nothing is lost.
#include <pugixml.hpp>

#include <string>

#include "platform/chaines.h"

namespace kyb {

class TGestFichier;

class TFicXml {
 public:
  // chemin empty: the folder's kind-27 file. A missing file forces an empty start.
  TFicXml(TGestFichier* dossier, bool vide, const AnsiString& chemin = {});

  [[nodiscard]] UnicodeString ReadString(const std::string& section, const std::string& cle,
                                         const UnicodeString& defaut) const;
  // False when the file could not be saved (read-only folder or system error).
  bool WriteString(const std::string& section, const std::string& cle, const UnicodeString& valeur);
  [[nodiscard]] const AnsiString& Chemin() const { return chemin_; }

 private:
  [[nodiscard]] bool Sauve() const;
  TGestFichier* dossier_;
  AnsiString chemin_;
  pugi::xml_document document_;
};

}  // namespace kyb
