// Kept GEDCOM lines written back: each pointer becomes the pointer of the record it stands for in
// the new file, or the line goes (with its sub-lines) when that record is not there.
#include "folder/fic_notes.h"
#include "gedcom/export_gedcom_interne.h"
#include "gedcom/gedcom_gardees.h"
#include "gedcom/import_gedcom.h"

namespace kyb {
namespace {

struct TLigneGardee {
  int relatif = 0;  // from 1
  std::string tag, valeur;
};

// One "N TAG value" line; false when it is not one.
bool LitLigne(const std::string& ligne, TLigneGardee& l) {
  const size_t a = ligne.find(' ');
  long long relatif = 0;
  if (a == std::string::npos || !TexteVersEntier(ligne.substr(0, a), relatif) || relatif < 1) return false;
  const size_t b = ligne.find(' ', a + 1);
  l.relatif = static_cast<int>(relatif);
  l.tag = ligne.substr(a + 1, b == std::string::npos ? std::string::npos : b - a - 1);
  l.valeur = b == std::string::npos ? std::string() : ligne.substr(b + 1);
  return true;
}

bool EstPointeur(const std::string& v) {
  return v.size() > 2 && v.front() == '@' && v.back() == '@' && v.find(' ') == std::string::npos;
}

template <class F>
void ChaqueLigne(const std::string& texte, F&& f) {
  size_t debut = 0;
  while (debut < texte.size()) {
    size_t fin = texte.find('\n', debut);
    if (fin == std::string::npos) fin = texte.size();
    TLigneGardee l;
    if (LitLigne(texte.substr(debut, fin - debut), l)) f(l);
    debut = fin + 1;
  }
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
    case 'S': {
      TSourceEven s;
      s.Type = Utf8VersUnicode(p.texte1).substr(0, kLongueurTypeSource);
      s.Descriptif = Utf8VersUnicode(p.texte2).substr(0, kLongueurDescriptif);
      return Source(s);
    }
    case 'O':
      return Media(p.texte1);
    default:
      // 7.0 names "no record" itself; a record kept whole keeps its cross-reference.
      if (v7_ && valeur == "@VOID@") return valeur;
      return EnregistrementGarde(valeur) ? valeur : std::string();
  }
}

void TExporteur::EcritGardees(const std::string& texte, int niveau) {
  int retire = 0;  // relative level of a line left out: its sub-lines go with it
  ChaqueLigne(texte, [&](const TLigneGardee& l) {
    if (retire > 0 && l.relatif > retire) return;
    retire = 0;
    const int niv = l.relatif - 1 + niveau;
    if (!EstPointeur(l.valeur)) {
      ecr_.Ligne(niv, l.tag, l.valeur);
      return;
    }
    const std::string xref = PointeurGarde(l.valeur);
    if (xref.empty()) {
      retire = l.relatif;
      ++bilan_.lignesGardeesRetirees;
      return;
    }
    ecr_.Pointeur(niv, l.tag, xref);
  });
}

void TExporteur::ExtensionsGardees(std::set<std::string>& tags) const {
  TFicNotes* notes = dossier_.FicNotes.get();
  if (!notes) return;
  // Every directory block of the notes file, once.
  for (long bloc = 1; bloc <= notes->NbEnreg; ++bloc) {
    if (notes->LectureElementaire(bloc).Lien != TFicNotes::kLienRepertoire) continue;
    TNote n(notes, bloc);
    // The kept structures, and the lines kept beside a date, a place and the citations.
    for (const char* titre : {kTitreBalisesGedcom, kTitreDateGedcom, kTitreDetailLieuGedcom, kTitreCitationsGedcom}) {
      if (!n.Existe(titre)) continue;
      ChaqueLigne(AnsiVersUtf8(n.RecupNoteTxt(titre)), [&](const TLigneGardee& l) {
        if (l.tag.starts_with('_')) tags.insert(l.tag);
      });
    }
  }
}

}  // namespace kyb
