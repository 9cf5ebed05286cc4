// Kept GEDCOM lines written back: each pointer becomes the pointer of the record it stands for in
// the new file, or the line goes (with its sub-lines) when that record is not there.
#include <algorithm>
#include <iterator>
#include <map>

#include "folder/fic_notes.h"
#include "gedcom/export_gedcom_interne.h"
#include "gedcom/gedcom_gardees.h"
#include "gedcom/import_gedcom.h"
#include "gedcom/lignes_gardees.h"

namespace kyb {
namespace {

// The tag of each "N TAG value" line of a kept text.
template <class F>
void ChaqueTag(const std::string& texte, F&& f) {
  for (const TLigneGardee& l : LitLignesGardees(texte)) f(l.tag);
}

}  // namespace

std::string TExporteur::PointeurGarde(const std::string& valeur) {
  const TPointeurGarde p = LitPointeurGarde(valeur);
  switch (p.genre) {
    case 'P':
      return Sexe(static_cast<int32_t>(p.a)) != 0 ? "@I" + std::to_string(p.a) + "@" : std::string();
    case 'F': {
      const auto vivant = [&](long x) { return x == 0 || Sexe(static_cast<int32_t>(x)) != 0; };
      const int32_t f = vivant(p.a) && vivant(p.b) && p.a + p.b > 0
                            ? FamilleExistante(static_cast<int32_t>(p.a), static_cast<int32_t>(p.b)) : 0;
      return f != 0 ? "@F" + std::to_string(f) + "@" : std::string();
    }
    case 'G':
      return FamilleSansConjoint(p.a);
    case 'S': {
      TSourceEven s;
      s.Type = Utf8VersUnicode(p.texte1).substr(0, kLongueurTypeSource);
      s.Descriptif = Utf8VersUnicode(p.texte2).substr(0, kLongueurDescriptif);
      return Source(s);
    }
    case 'O':
      return Media(p.texte1);
    case 'N':
      return NotePartagee(p.texte1);
    default:
      // A record kept whole keeps its cross-reference, but for a medium record without a file,
      // which 7.0 cannot write. 7.0 names "no record" itself: a pointer the file read named
      // nothing with goes out as @VOID@, its sub-lines with it.
      if (v7_ && MediaSansFichier(valeur)) return {};
      if (const std::string* nom = EnregistrementGarde(valeur)) return *nom;
      return v7_ ? std::string("@VOID@") : std::string();
  }
}

bool TExporteur::MediaSansFichier(const std::string& xref) {
  if (!mediasSansFichier_) {
    mediasSansFichier_.emplace();
    const std::vector<TLigneGardee> l = LitLignesGardees(TexteGardeGenealogie(dossier_, kTitreEnregistrementsGedcom));
    for (std::size_t i = 0; i < l.size(); ++i) {
      if (l[i].niveau != 0 || l[i].tag != "OBJE") continue;
      std::size_t k = i + 1;
      while (k < l.size() && l[k].niveau > 0 && !(l[k].niveau == 1 && l[k].tag == "FILE")) ++k;
      if (k == l.size() || l[k].niveau == 0) mediasSansFichier_->insert(l[i].xref);
    }
  }
  return mediasSansFichier_->contains(xref);
}

void TExporteur::EcritGardees(const std::string& texte, int niveau, TContexteGarde contexte) {
  const TTraduitPointeur traduit = [this](const std::string& v) { return PointeurGarde(v); };
  const std::vector<TLigneGardee> lignes = LitLignesGardees(texte);
  // Kept texts start at level 1.
  bilan_.lignesGardeesRetirees += EcritLignesGardees(ecr_, lignes, 0, lignes.size(), niveau - 1, contexte, &traduit);
}

void TExporteur::EcritLienMedia(const std::string& chemin, TBlocsGardes& blocs, int niveau, TContexteGarde contexte,
                                bool enLigne) {
  const TTraduitPointeur traduit = [this](const std::string& v) { return PointeurGarde(v); };
  const std::string cle = CleMedia(chemin);
  // A link written in place with its file keeps its form (a 7.0 export makes it a pointer).
  if (blocs.EcritBloc(ecr_, "OBJE", cle, niveau, contexte, &traduit)) return;
  if (enLigne) {
    ecr_.Ligne(niveau, "OBJE");
    ecr_.Ligne(niveau + 1, "FILE", chemin);
    if (const std::string format = FormatMedia(chemin); !format.empty()) ecr_.Ligne(niveau + 2, "FORM", format);
  } else {
    ecr_.Pointeur(niveau, "OBJE", Media(chemin));
  }
  std::vector<std::string_view> dessus(contexte.begin(), contexte.end());
  dessus.push_back("OBJE");
  (void)blocs.EcritSousLignes(ecr_, "OBJE", cle, niveau, dessus, nullptr, &traduit);
}

bool TExporteur::EcritMediaGarde(const std::string& chemin) {
  if (!mediasGardes_) mediasGardes_.emplace(TexteGardeGenealogie(dossier_, kTitreImagesGedcom));
  if (mediasGardes_->Vide()) return false;
  const TTraduitPointeur traduit = [this](const std::string& v) { return PointeurGarde(v); };
  static constexpr std::string_view kMedia[] = {"OBJE"};
  return mediasGardes_->EcritSousLignes(ecr_, "OBJE", CleMedia(chemin), 0, kMedia, nullptr, &traduit);
}

void TExporteur::EcritLienGarde(int32_t no, std::string_view tag, int32_t famille) {
  if (!liensGardes_) {
    // "0 INDI <person>" opens each person's links.
    liensGardes_.emplace();
    const std::string texte = TexteGardeGenealogie(dossier_, kTitreLiensGedcom);
    long personne = 0;
    std::string lignes;
    const auto termine = [&] {
      if (personne > 0 && !lignes.empty()) liensGardes_->try_emplace(static_cast<int32_t>(personne), lignes);
      lignes.clear();
    };
    for (std::size_t debut = 0; debut < texte.size();) {
      const std::size_t fin = std::min(texte.find('\n', debut), texte.size());
      const std::string_view ligne(texte.data() + debut, fin - debut);
      if (ligne.starts_with("0 INDI ")) {
        termine();
        const TPointeurGarde p = LitPointeurGarde(ligne.substr(7));
        personne = p.genre == 'P' ? p.a : 0;
      } else {
        lignes.append(ligne).push_back('\n');
      }
      debut = fin + 1;
    }
    termine();
  }
  const auto it = liensGardes_->find(no);
  if (it == liensGardes_->end() || famille <= 0) return;
  const TFamilleExport& f = familles_[static_cast<size_t>(famille) - 1];
  const TTraduitPointeur traduit = [this](const std::string& v) { return PointeurGarde(v); };
  const std::string_view dessus[] = {"INDI", tag};
  if (!it->second.EcritSousLignes(ecr_, tag, PointeurGardeFamille(f.mari, f.femme), 1, dessus, nullptr, &traduit))
    (void)it->second.EcritSousLignes(ecr_, tag, PointeurGardeFamille(f.femme, f.mari), 1, dessus, nullptr, &traduit);
}

std::vector<std::pair<std::string, std::string>> TExporteur::Schema(std::string_view uriPropre) const {
  std::multimap<std::string, std::string> uris;
  for (const TLigneGardee& l : LitLignesGardees(TexteGardeGenealogie(dossier_, kTitreSchemaGedcom))) {
    const std::size_t blanc = l.valeur.find(' ');
    const std::string tag = l.valeur.substr(0, blanc);
    if (l.tag == "TAG" && blanc != std::string::npos &&
        std::find(std::begin(kExtensionsPropres), std::end(kExtensionsPropres), tag) == std::end(kExtensionsPropres))
      uris.emplace(tag, l.valeur.substr(blanc + 1));
  }
  for (const std::string& tag : Extensions())
    if (!uris.contains(tag)) uris.emplace(tag, std::string(uriPropre) + tag);
  return {uris.begin(), uris.end()};
}

bool TExporteur::ExtensionsGardees(std::set<std::string>& tags) const {
  TFicNotes* notes = dossier_.FicNotes.get();
  if (!notes) return false;
  bool gardees = false;
  // Every directory block of the notes file, once.
  for (long bloc = 1; bloc <= notes->NbEnreg; ++bloc) {
    if (notes->LectureElementaire(bloc).Lien != TFicNotes::kLienRepertoire) continue;
    TNote n(notes, bloc);
    // The kept structures, and the lines kept beside a date, a place and the citations.
    for (const char* titre : {kTitreBalisesGedcom, kTitreDateGedcom, kTitreDetailLieuGedcom, kTitreCitationsGedcom,
                              kTitreImagesGedcom, kTitreLiensGedcom}) {
      if (!n.Existe(titre)) continue;
      ChaqueTag(AnsiVersUtf8(n.RecupNoteTxt(titre)), [&](const std::string& tag) {
        gardees = true;
        if (tag.starts_with('_')) tags.insert(tag);
      });
    }
  }
  return gardees;
}

}  // namespace kyb
