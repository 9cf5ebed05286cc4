#include "store/schema_bdd.h"

#include <stdexcept>

namespace kyb {
namespace {

using T = TTypeChamp;

TACRFieldDef C(const char* nom, T type, int taille = 0) { return {nom, type, taille, false}; }

std::vector<TDefinitionTable> Construit() {
  std::vector<TDefinitionTable> s;
  s.push_back({"Evenements",
               {C("ID", T::AutoInc), C("Type", T::Int8), C("LibelleChamps", T::String, 21),
                C("Donnee", T::WideString, 301), C("NoPersA", T::Int32), C("NoPersB", T::Int32),
                C("Acte", T::FixedChar, 3), C("TypeCalend", T::FixedChar, 1),
                C("Date", T::FixedChar, 10), C("Lieu", T::Int32), C("LieuDit", T::WideString, 51),
                C("Note", T::Int32), C("NoIllustrationParDefaut", T::Int32),
                C("LienExtEven", T::Int32), C("_DONNEE", T::WideString, 20), C("_DATE", T::Int32),
                C("RANG_A", T::Int32), C("RANG_B", T::Int32), C("DateLastModif", T::DateTime)},
               {{"ParID", {"ID"}, kIndexPrimaire},
                {"ParLibEtDonnee", {"LibelleChamps", "_DONNEE", "NoPersA"}, 0},
                {"ParNoPersAEtLib", {"NoPersA", "LibelleChamps"}, 0},
                {"ParNoPersA", {"NoPersA", "RANG_A"}, 0},
                {"ParNoPersB", {"NoPersB", "RANG_B"}, 0},
                {"ParLieu", {"Lieu"}, 0},
                {"Par_DATE", {"_DATE"}, 0},
                {"Par_DateLastModif", {"DateLastModif"}, 0}}});
  s.push_back({"Illustrations",
               {C("ID_ILLUSTRATION", T::AutoInc), C("ID_EVEN", T::Int32), C("CHEMIN", T::String, 260),
                C("RANG", T::Int32), C("TAG", T::Int32)},
               {{"ParID_ILLUSTRATION", {"ID_ILLUSTRATION"}, kIndexPrimaire},
                {"ParID_EVEN", {"ID_EVEN", "RANG", "ID_ILLUSTRATION"}, 0}}});
  s.push_back({"Sources",
               {C("ID_SOURCE", T::AutoInc), C("ID_EVEN", T::Int32), C("TYPE", T::WideString, 30),
                C("DESCRIPTIF", T::WideString, 300), C("RANG", T::Int32)},
               {{"ParID_SOURCE", {"ID_SOURCE"}, kIndexPrimaire},
                {"ParID_EVEN", {"ID_EVEN", "RANG", "ID_SOURCE"}, 0}}});
  s.push_back({"PersAssociees",
               {C("ID_PERSASSOC", T::AutoInc), C("ID_EVEN", T::Int32), C("LienQualite", T::Int32),
                C("LienParente", T::Int32), C("LienPers_No", T::Int32),
                C("LienPers_NivNo", T::FixedChar, 1), C("Rang", T::Int32)},
               {{"ParID_PERSASSOC", {"ID_PERSASSOC"}, kIndexPrimaire},
                {"ParID_EVEN", {"ID_EVEN", "ID_PERSASSOC"}, 0},
                {"ParLienPers_No", {"LienPers_No", "Rang", "ID_PERSASSOC"}, 0}}});
  s.push_back({"TabInformations",
               {C("Champs", T::WideString, 30), C("Donnees", T::WideString, 256)},
               {{"ParChamps", {"Champs"}, 0}}});
  s.push_back({"Geolocalisation",
               {C("ID_Lieu", T::Int32), C("Lieu_Dit", T::WideString, 51), C("Latitude", T::Double),
                C("Longitude", T::Double), C("Status", T::Int32), C("CurrentAddress", T::WideString, 120)},
               {{"ParIDetLieu", {"ID_Lieu", "Lieu_Dit"}, kIndexUnique}}});
  s.push_back({"IndexNomPrenoms",
               {C("ID", T::AutoInc), C("Nom", T::WideString, 21), C("Prenom", T::WideString, 21),
                C("NomSoundex", T::WideString, 5), C("PrenomSoundex", T::WideString, 5),
                C("AnneeMin", T::Int16), C("AnneeMax", T::Int16), C("NoPers", T::Int64),
                C("RgNom", T::Int16), C("RgPrenom", T::Int16), C("RgPrenomUsuel", T::Int16),
                C("TypePersonne", T::FixedChar, 3), C("FicheSupprimee", T::FixedChar, 3),
                C("Sexe", T::FixedChar, 3)},
               {{"ParID", {"ID"}, kIndexPrimaire},
                {"ParNoPers", {"NoPers"}, 0},
                {"ParNom", {"Nom"}, kIndexSansCasse},
                {"ParPrenom", {"Prenom"}, kIndexSansCasse},
                {"ParAnneeMinMax", {"AnneeMin", "AnneeMax"}, 0}}});
  s.push_back({"NotesTranscription",
               {C("ID", T::AutoInc), C("ID_Event", T::Int32), C("NoPersA", T::Int32),
                C("NoPersB", T::Int32), C("ID_Illustration", T::Int32), C("Note", T::Memo),
                C("Mot_Cle1", T::Int32), C("Mot_Cle2", T::Int32), C("Mot_Cle3", T::WideString, 20),
                C("FileVect", T::Blob), C("NumeroPage", T::Int32), C("Language", T::WideString, 2)},
               {{"ParID", {"ID"}, kIndexPrimaire},
                {"Par_IDEvent", {"ID_Event"}, 0},
                {"Par_IDIllustration", {"ID_Illustration"}, 0},
                {"Par_MotCle1", {"Mot_Cle1"}, 0},
                {"Par_MotCle2", {"Mot_Cle2"}, 0},
                {"Par_MotCle3", {"Mot_Cle3"}, 0}}});
  s.push_back({"IDParents",
               {C("NoPers", T::Int64), C("NoPersB", T::Int64), C("NoMersB", T::Int64),
                C("NoPersA", T::Int64), C("NoMersA", T::Int64), C("PerePrinc", T::Int8),
                C("MerePrinc", T::Int8)},
               {{"ParNoPers", {"NoPers"}, kIndexPrimaire},
                {"ParNoPereA", {"NoPersA"}, 0},
                {"ParNoMereA", {"NoMersA"}, 0}}});
  s.push_back({"RechercheVastrelNet",
               {C("ID", T::AutoInc), C("Indice", T::Int16), C("ListeHomonyme", T::Memo),
                C("DateRecherche", T::DateTime), C("NoPers", T::Int64), C("Etat", T::Int16),
                C("BaseDeRecherche", T::FixedChar, 20)},
               {{"ParID", {"ID"}, kIndexPrimaire},
                {"ParNoPers", {"NoPers"}, 0},
                {"ParIndiceDate", {"Indice", "DateRecherche"}, 0}}});
  s.push_back({"Personnes",
               {C("ID", T::AutoInc), C("TypePersonne", T::Byte), C("FicheSupprimee", T::Byte),
                C("Sexe", T::Byte), C("Pere", T::Int32), C("Mere", T::Int32), C("Data", T::Blob),
                C("Nom", T::WideString, 101), C("Prenoms", T::WideString, 71), C("OrdrePU", T::Byte),
                C("Note", T::Int32), C("NbEnf", T::Int16), C("NbConj", T::Int16)},
               {{"ParID", {"ID"}, kIndexPrimaire | kIndexUnique},
                {"Par_Pere", {"Pere"}, 0},
                {"Par_Mere", {"Mere"}, 0}}});
  s.push_back({"PersonnesSuppr", {C("ID", T::Int32)}, {{"ParID", {"ID"}, kIndexUnique}}});
  s.push_back({"Lieux",
               {C("ID", T::Int64), C("FicheSupprimee", T::Byte), C("Chn1", T::WideMemo),
                C("Chn2", T::WideMemo), C("Chn3", T::WideMemo), C("Chn4", T::WideMemo)},
               {{"ParID", {"ID"}, kIndexPrimaire | kIndexUnique}, {"ParChn4", {"Chn4"}, 0}}});
  return s;
}

}  // namespace

const std::vector<TDefinitionTable>& SchemaBDD() {
  static const std::vector<TDefinitionTable> schema = Construit();
  return schema;
}

const TDefinitionTable& DefinitionTable(const std::string& nom) {
  for (const auto& t : SchemaBDD())
    if (t.nom == nom) return t;
  throw std::out_of_range("Table inconnue : " + nom);
}

}  // namespace kyb
