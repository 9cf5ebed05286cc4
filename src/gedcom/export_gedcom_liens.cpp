// Citations, media and associations of a person or a couple. The import keeps each as an event
// of the field made for it (SOUR, SOURF, IMAGE, IMAGE_COUPLE, RELATION); the export writes such
// an event back as the standard structure whenever the event holds nothing that structure cannot
// carry, and as the field (its "_" tag) otherwise, so that nothing is lost either way.
#include <algorithm>
#include <array>
#include <string_view>

#include "gedcom/export_gedcom_interne.h"
#include "gedcom/import_gedcom.h"
#include "gedcom/lignes_gardees.h"

namespace kyb {
namespace {

template <size_t N>
bool Parmi(const std::array<std::string_view, N>& liste, std::string_view mot) {
  return std::find(liste.begin(), liste.end(), mot) != liste.end();
}

}  // namespace

bool EvenementOui(const std::string& tag) {
  static constexpr std::array<std::string_view, 31> kTags = {
      "ADOP", "ANUL", "BAPM", "BARM", "BASM", "BIRT", "BLES", "BURI", "CENS", "CHR", "CHRA",
      "CONF", "CREM", "DEAT", "DIV",  "DIVF", "EMIG", "ENGA", "FCOM", "GRAD", "IMMI", "MARB",
      "MARC", "MARL", "MARR", "MARS", "NATU", "ORDN", "PROB", "RETI", "WILL"};
  return Parmi(kTags, tag);
}

bool EvenementDeFamille(const std::string& tag) {
  static constexpr std::array<std::string_view, 10> kTags = {"ANUL", "DIV",  "DIVF", "ENGA", "MARB",
                                                              "MARC", "MARL", "MARR", "MARS", "SLGS"};
  return Parmi(kTags, tag);
}

bool RoleStandard(const std::string& qualite) {
  static constexpr std::array<std::string_view, 14> kRoles = {
      "CHIL", "CLERGY", "FATH", "FRIEND", "GODP", "HUSB", "MOTH", "MULTIPLE", "NGHBR", "OFFICIATOR",
      "PARENT", "SPOU", "WIFE", "WITN"};
  if (Parmi(kRoles, qualite)) return true;
  // A role of an extension ("_CHILD") is written as such.
  return qualite.size() > 1 && qualite[0] == '_' && std::all_of(qualite.begin(), qualite.end(), [](char c) {
           return c == '_' || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
         });
}

bool TExporteur::EcritLienDirect(const TChpCs& def, TEvenement& e, int niveau) {
  const AnsiString& libelle = def.LibelleInterne;
  const bool source = libelle == "SOUR" || libelle == "SOURF";
  const bool media = libelle == "IMAGE" || libelle == "IMAGE_COUPLE";
  const bool relation = libelle == "RELATION";
  if (!source && !media && !relation) return false;
  // What only an event holds: a date, a place, a locality.
  if (!e.Enreg.Date.Vide() || e.Enreg.Lieu > 0 || !e.Enreg.LieuDit.empty()) return false;
  const bool sansDonnee = e.Enreg.Donnee.empty();
  // Each citation's own detail (PAGE, QUAY, DATA, NOTE...) kept by the import under its key.
  TBlocsGardes detail(source || relation ? RubriquesGardees(dossier_, e.Enreg.Note).citations : std::string());
  const auto citation = [&](const TSourceEven& s, int n, TContexteGarde dessus) { EcritCitation(s, detail, n, dessus); };
  if (source) {
    if (!sansDonnee || e.Sources().empty() || !e.PersAssociees().empty() || !e.Illustrations().empty()) return false;
    bool premiere = true;
    for (const TSourceEven& s : e.Sources()) {
      const std::string_view dessus[] = {enregistrement_, "SOUR"};
      citation(s, niveau, dessus);
      if (premiere) EcritNote(e.Enreg.Note, niveau + 1, dessus);
      premiere = false;
    }
  } else if (media) {
    // A link to a medium carries no note, only its own kept lines.
    if (sansDonnee || NoteAutreQue(dossier_, e.Enreg.Note, kTitreImagesGedcom) || !e.Sources().empty() ||
        !e.PersAssociees().empty() || !e.Illustrations().empty())
      return false;
    TBlocsGardes images(RubriquesGardees(dossier_, e.Enreg.Note).images);
    const std::string_view dessus[] = {enregistrement_};
    EcritLienMedia(UnicodeVersUtf8(e.Enreg.Donnee), images, niveau, dessus, !v7_);
  } else {
    // 5.5.1 has no association in a family record.
    const bool famille = (e.Enreg.NoPersB != 0 && Sexe(e.Enreg.NoPersB) != 0) || def.IsLiaisonCouple();
    if (!sansDonnee || (famille && !v7_) || e.PersAssociees().empty() || !e.Illustrations().empty()) return false;
    bool premiere = true;
    for (const TPersAssociee& pa : e.PersAssociees()) {
      if (Sexe(pa.Lien.No) == 0) continue;
      EcritAssociation(pa, niveau);
      if (premiere) {
        const std::string_view sous[] = {enregistrement_, "ASSO", "SOUR"};
        for (const TSourceEven& s : e.Sources()) citation(s, niveau + 1, sous);
        const std::string_view dessus[] = {enregistrement_, "ASSO"};
        EcritNote(e.Enreg.Note, niveau + 1, dessus);
      }
      premiere = false;
    }
    if (premiere) return false;  // nobody left to point to: the field keeps what it holds
  }
  ++bilan_.evenements;
  return true;
}

void TExporteur::EcritCitation(const TSourceEven& s, TBlocsGardes& detail, int niveau, TContexteGarde contexte) {
  std::vector<TLigneGardee> sous;
  int racine = 0;
  const bool garde = detail.Prend("SOUR", CleCitation(s.Descriptif), sous, racine);
  const auto marque = std::find_if(sous.begin(), sous.end(), [&](const TLigneGardee& l) {
    return l.niveau == racine + 1 && l.tag == kMarqueSansSource;
  });
  if (marque == sous.end()) {
    ecr_.Pointeur(niveau, "SOUR", Source(s));
  } else {
    std::string texte = marque->valeur;
    auto fin = marque + 1;
    for (; fin != sous.end() && fin->niveau > racine + 1; ++fin)
      if (fin->tag == "CONT") texte += "\n" + fin->valeur;
    sous.erase(marque, fin);
    if (!v7_) {
      ecr_.Ligne(niveau, "SOUR", texte);
    } else {
      ecr_.Pointeur(niveau, "SOUR", "@VOID@");
      ecr_.Ligne(niveau + 1, "PAGE", texte);
      // 7.0 holds the source's text under DATA, where the first TEXT stood: each TEXT goes
      // there, with its lines.
      std::vector<TLigneGardee> textes;
      std::ptrdiff_t place = -1;
      for (auto l = sous.begin(); l != sous.end();) {
        auto f = l + 1;
        while (f != sous.end() && f->niveau > l->niveau) ++f;
        if (l->niveau == racine + 1 && l->tag == "TEXT") {
          if (place < 0) place = l - sous.begin();
          for (auto k = l; k != f; ++k) textes.push_back({k->niveau + 1, k->xref, k->tag, k->valeur});
          l = sous.erase(l, f);
        } else {
          l = f;
        }
      }
      if (!textes.empty()) {
        textes.insert(textes.begin(), {racine + 1, {}, "DATA", {}});
        sous.insert(sous.begin() + place, textes.begin(), textes.end());
      }
    }
    if (!s.Type.empty()) ecr_.Ligne(niveau + 1, "_TYPE", UnicodeVersUtf8(s.Type));
  }
  if (!garde) return;
  const TTraduitPointeur traduit = [this](const std::string& v) { return PointeurGarde(v); };
  bilan_.lignesGardeesRetirees += EcritLignesGardees(ecr_, sous, 0, sous.size(), niveau - racine, contexte, &traduit);
}

}  // namespace kyb
