#include "folder/gest_fic_evens.h"

#include <cstring>

namespace kyb {
namespace {

// A text field is sound when it holds its terminator.
bool Termine(const TEnregKy& e, size_t offset, size_t taille) {
  const auto& d = e.Donnees();
  return offset + taille <= d.size() && std::memchr(d.data() + offset, 0, taille) != nullptr;
}

bool NumeroValide(const TFicBase& f, long n) { return f.Valide() && n >= 1 && n <= f.NbEnreg; }

}  // namespace

bool LectureAncien(TEvenement& even, TFicEvens& evens, TFicExtEvens* extensions, long n,
                   const TLecteursListesAncien& lecteurs) {
  even.NouvelleFiche();
  TEvenement::TEnreg& x = even.Enreg;
  if (!NumeroValide(evens, n)) {
    x.ErreurLecture = true;
    return false;
  }
  const TEnregKy r(&evens, n);
  using F = TFicEvens;
  if (!Termine(r, F::kLibelle, 21) || !Termine(r, F::kActe, 3) || !Termine(r, F::kDate, 11) ||
      !Termine(r, F::kLieuDit, 51) || !Termine(r, F::kDonnee, F::kTailleDonnee)) {
    x.ErreurLecture = true;
    return false;
  }
  x.LibelleChamps = r.LitTexte(F::kLibelle, 21);
  x.NoPersA = r.LitEntier32(F::kNoPersA);
  x.NoPersB = r.LitEntier32(F::kNoPersB);
  x.Date.SetActe(r.LitTexte(F::kActe, 3));
  x.Date.SetCalendrier(static_cast<char>(r.LitOctet(F::kCalendrier)));
  x.Date.SetDate(r.LitTexte(F::kDate, 11));
  x.Lieu = r.LitEntier32(F::kLieu);
  x.LieuDit = AnsiVersUnicode(r.LitTexte(F::kLieuDit, 51));
  x.Note = r.LitEntier32(F::kNote);
  x.NoIllustrationParDefaut = r.LitEntier32(F::kIllustration);
  x.LienExtEven = r.LitEntier32(F::kExtension);
  x.RangA = r.LitEntier32(F::kRangA);
  x.RangB = r.LitEntier32(F::kRangB);
  AnsiString donnee = r.LitTexte(F::kDonnee, F::kTailleDonnee);
  if (x.LienExtEven != 0) {
    if (!extensions || !NumeroValide(*extensions, x.LienExtEven)) {
      x.ErreurLecture = true;
    } else {
      using X = TFicExtEvens;
      const TEnregKy ext(extensions, x.LienExtEven);
      donnee += ext.LitTexte(X::kDonnee, X::kTailleDonnee);
      for (int i = 0; i < kMaxListeEven; ++i) {
        TPersAssociee pa;
        pa.Lien.Lit(ext.Donnees().data() + X::kPersonnes + static_cast<size_t>(i) * X::kTaillePersonne);
        if (pa.Lien.No == 0) continue;
        pa.Qualite = ext.LitEntier32(X::kPersonnes + static_cast<size_t>(i) * X::kTaillePersonne + 5);
        pa.Parente = ext.LitEntier32(X::kPersonnes + static_cast<size_t>(i) * X::kTaillePersonne + 9);
        (void)even.AjoutPersAssociee(pa);
      }
      for (int i = 0; i < kMaxListeEven; ++i) {
        const long no = ext.LitEntier32(X::kSources + 4 * static_cast<size_t>(i));
        TSourceEven s{static_cast<int32_t>(no), {}, {}};
        if (no > 0 && (!lecteurs.Source || lecteurs.Source(no, s))) (void)even.AjoutSource(s);
      }
      for (int i = 0; i < kMaxListeEven; ++i) {
        const long no = ext.LitEntier32(X::kIllustrations + 4 * static_cast<size_t>(i));
        TIllustrationEven ill{static_cast<int32_t>(no), {}, 0};
        if (no > 0 && (!lecteurs.Illustration || lecteurs.Illustration(no, ill))) (void)even.AjoutIllustration(ill);
      }
    }
  }
  x.Donnee = AnsiVersUnicode(donnee).substr(0, kLongueurDonnee);
  return !x.ErreurLecture;
}

bool LectureAncien(TChpsSimple& chps, TFicChpsSimple& fichier, long n) {
  chps.NouvelleFiche();
  using F = TFicChpsSimple;
  if (!NumeroValide(fichier, n)) return false;
  const TEnregKy r(&fichier, n);
  if (!Termine(r, F::kLibelle, 21) || !Termine(r, F::kDonnee, F::kTailleDonnee)) return false;
  chps.Enreg.LibelleChamps = r.LitTexte(F::kLibelle, 21);
  chps.Enreg.NoPersA = r.LitEntier32(F::kNoPersA);
  chps.Enreg.NoPersB = r.LitEntier32(F::kNoPersB);
  chps.Enreg.RangA = r.LitEntier32(F::kRang);
  chps.Enreg.Donnee = AnsiVersUnicode(r.LitTexte(F::kDonnee, F::kTailleDonnee));
  return true;
}

int LectureAncien(TChpsPersonne& fiche, const TEnregPublic& personne, TFicEvens& evens, TFicExtEvens* extensions,
                  TFicChpsSimple& chps, const TLecteursListesAncien& lecteurs) {
  fiche.Vide();
  fiche.SetConjoints(personne);
  int illisibles = 0;
  for (int i = 1; i < kMaxLiensChamps; ++i) {
    const long n = personne.LiensEvens[static_cast<size_t>(i)];
    if (n <= 0) continue;
    TEvenement e;
    if (LectureAncien(e, evens, extensions, n, lecteurs)) fiche.AddEvenInTV(e);
    else ++illisibles;
  }
  for (int i = 1; i < kMaxLiensChamps; ++i) {
    const long n = personne.LiensChpsSimples[static_cast<size_t>(i)];
    if (n <= 0) continue;
    TChpsSimple c;
    if (LectureAncien(c, chps, n)) fiche.AddChpsSimpleInTV(c);
    else ++illisibles;
  }
  fiche.EvenementsCharges = fiche.ChpsSimplesCharges = true;
  return illisibles;
}

long EcritureAncien(const TEvenement::TEnreg& x, TFicEvens& evens, TFicExtEvens& extensions,
                    const std::vector<long>& sources, const std::vector<long>& illustrations) {
  using F = TFicEvens;
  using X = TFicExtEvens;
  const AnsiString donnee = UnicodeVersAnsi(x.Donnee.substr(0, kLongueurDonnee));
  long ext = 0;
  if (donnee.size() > 100 || !x.PersAssociees.empty() || !sources.empty() || !illustrations.empty()) {
    TEnregKy e(&extensions, kEnregCourant);
    if (donnee.size() > 100) e.EcritTexte(X::kDonnee, X::kTailleDonnee, donnee.substr(100));
    for (size_t i = 0; i < x.PersAssociees.size() && i < kMaxListeEven; ++i) {
      const size_t o = X::kPersonnes + i * X::kTaillePersonne;
      x.PersAssociees[i].Lien.Ecrit(e.Donnees().data() + o);
      e.EcritEntier32(o + 5, x.PersAssociees[i].Qualite);
      e.EcritEntier32(o + 9, x.PersAssociees[i].Parente);
    }
    for (size_t i = 0; i < sources.size() && i < kMaxListeEven; ++i)
      e.EcritEntier32(X::kSources + 4 * i, static_cast<int32_t>(sources[i]));
    for (size_t i = 0; i < illustrations.size() && i < kMaxListeEven; ++i)
      e.EcritEntier32(X::kIllustrations + 4 * i, static_cast<int32_t>(illustrations[i]));
    ext = extensions.ReturnNewNum();
    e.Enregistrement(ext);
  }
  TEnregKy r(&evens, kEnregCourant);
  r.EcritTexte(F::kLibelle, 21, x.LibelleChamps.substr(0, kLongueurLibelle));
  r.EcritEntier32(F::kNoPersA, x.NoPersA);
  r.EcritEntier32(F::kNoPersB, x.NoPersB);
  r.EcritTexte(F::kActe, 3, x.Date.GetActe());
  r.EcritOctet(F::kCalendrier, static_cast<unsigned char>(x.Date.GetCalendrier()));
  r.EcritTexte(F::kDate, 11, x.Date.GetDate());
  r.EcritEntier32(F::kLieu, x.Lieu);
  r.EcritTexte(F::kLieuDit, 51, UnicodeVersAnsi(x.LieuDit.substr(0, kLongueurLieuDit)));
  r.EcritEntier32(F::kNote, x.Note);
  r.EcritEntier32(F::kIllustration, x.NoIllustrationParDefaut);
  r.EcritEntier32(F::kExtension, static_cast<int32_t>(ext));
  r.EcritEntier32(F::kRangA, x.RangA);
  r.EcritEntier32(F::kRangB, x.RangB);
  r.EcritTexte(F::kDonnee, F::kTailleDonnee, donnee.substr(0, 100));
  const long n = evens.ReturnNewNum();
  r.Enregistrement(n);
  return evens.Dossier() && evens.Dossier()->Erreur ? 0 : n;
}

long EcritureAncien(const TChpsSimple::TEnreg& c, TFicChpsSimple& fichier) {
  using F = TFicChpsSimple;
  TEnregKy r(&fichier, kEnregCourant);
  r.EcritTexte(F::kLibelle, 21, c.LibelleChamps.substr(0, kLongueurLibelle));
  r.EcritEntier32(F::kNoPersA, c.NoPersA);
  r.EcritEntier32(F::kNoPersB, c.NoPersB);
  r.EcritEntier32(F::kRang, c.RangA);
  r.EcritTexte(F::kDonnee, F::kTailleDonnee, UnicodeVersAnsi(c.Donnee.substr(0, kLongueurDonnee)));
  const long n = fichier.ReturnNewNum();
  r.Enregistrement(n);
  return fichier.Dossier() && fichier.Dossier()->Erreur ? 0 : n;
}

}  // namespace kyb
