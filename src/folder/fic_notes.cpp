#include "folder/fic_notes.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <unordered_set>

namespace kyb {
namespace {

constexpr const char* kDebutRtf = "{\\rtf1";

// Blocks of one chain walk: a chain whose links only climb cannot loop, so the set is built only
// at the first link that goes back.
class TVisites {
 public:
  [[nodiscard]] bool Nouveau(long bloc) {
    if (croissant_ && (blocs_.empty() || bloc > blocs_.back())) {
      blocs_.push_back(bloc);
      return true;
    }
    if (croissant_) {
      croissant_ = false;
      ensemble_.insert(blocs_.begin(), blocs_.end());
    }
    return ensemble_.insert(bloc).second;
  }

 private:
  bool croissant_ = true;
  std::vector<long> blocs_;
  std::unordered_set<long> ensemble_;
};

int32_t LienBrut(const unsigned char* bloc) {
  int32_t lien = 0;
  std::memcpy(&lien, bloc + TFicNotes::kPositionLien, sizeof lien);
  return lien;
}

AnsiString TexteBrut(const unsigned char* bloc) {
  const auto* debut = reinterpret_cast<const char*>(bloc);
  return AnsiString(debut, strnlen(debut, TFicNotes::kTailleTexte));
}

// Lines of a list text: CR, LF and CR LF end a line; a last line without an end counts.
std::vector<AnsiString> LignesListe(const AnsiString& texte) {
  std::vector<AnsiString> lignes;
  size_t debut = 0;
  for (size_t i = 0; i < texte.size(); ++i) {
    if (texte[i] != '\r' && texte[i] != '\n') continue;
    lignes.push_back(texte.substr(debut, i - debut));
    if (texte[i] == '\r' && i + 1 < texte.size() && texte[i + 1] == '\n') ++i;
    debut = i + 1;
  }
  if (debut < texte.size()) lignes.push_back(texte.substr(debut));
  if (lignes.size() % 2 != 0) lignes.emplace_back();
  return lignes;
}

// The block number of a directory line; anything but a plain decimal number is 0.
long NombreLigne(const AnsiString& ligne) {
  long n = 0;
  const char* fin = ligne.data() + ligne.size();
  const auto [p, erreur] = std::from_chars(ligne.data(), fin, n);
  return erreur == std::errc() && p == fin ? n : 0;
}

// A title is one line of the directory: its own line breaks become spaces.
AnsiString TitreSurUneLigne(AnsiString titre) {
  std::replace_if(titre.begin(), titre.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return titre;
}

AnsiString SansNul(const AnsiString& texte) { return texte.substr(0, texte.find('\0')); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// TFicNotes

TFicNotes::TFicNotes(TGestFichier* dossier, bool creer)
    : TFicBase(dossier, TGestFichier::tfNotes, kTailleBloc, "FicNote",
               creer || (!dossier->IsReadOnly() && !FichierExiste(dossier->FabriqueNomFichier(TGestFichier::tfNotes))),
               true, false) {
  // A new (or empty) file receives its header; an existing one is read.
  if (creer || TailleFichier() == 0) EcritureEntete();
  else if (Valide()) LectureEntete();
}

void TFicNotes::LectureEntete() {
  NbEnreg = 0;
  const int64_t taille = TailleFichier();
  if (taille >= 0 && taille < static_cast<int64_t>(kTailleBloc)) return;  // no header yet
  unsigned char entete[kTailleBloc];
  if (!LitEntete(entete)) return;
  if (taille < 0) {
    NbEnreg = std::max<long>(LienBrut(entete), 0);
    return;
  }
  // The blocks present, a partial last block included.
  NbEnreg = static_cast<long>((taille + static_cast<int64_t>(kTailleBloc) - 1) / static_cast<int64_t>(kTailleBloc)) - 1;
}

void TFicNotes::EcritureEntete() {
  unsigned char entete[kTailleBloc] = {};
  const auto n = static_cast<int32_t>(NbEnreg);
  std::memcpy(entete + kPositionLien, &n, sizeof n);
  EcritEntete(entete);
}

long TFicNotes::LienValide(int32_t lien) const {
  if (lien == kLienRepertoire) return lien;
  return lien < kLienRepertoire || lien > NbEnreg ? 0 : lien;
}

long TFicNotes::ReserveBlocs(long n) {
  const long premier = NbEnreg + 1;
  NbEnreg += n;
  EcritureEntete();
  return premier;
}

TBlocNote TFicNotes::LectureElementaire(long no) {
  TBlocNote bloc;
  if (no < 1 || no > NbEnreg) return bloc;
  unsigned char donnees[kTailleBloc];
  LitEnreg(no, donnees);
  bloc.Texte = TexteBrut(donnees);
  bloc.Lien = LienValide(LienBrut(donnees));
  return bloc;
}

void TFicNotes::EnregistrementElementaire(long no, const AnsiString& texte, long lien) {
  unsigned char donnees[kTailleBloc] = {};
  std::memcpy(donnees, texte.data(), std::min(texte.size(), kTailleTexte));
  const auto l = static_cast<int32_t>(lien);
  std::memcpy(donnees + kPositionLien, &l, sizeof l);
  EcritEnreg(no, donnees);
}

AnsiString TFicNotes::LectureChaine(long bloc) {
  AnsiString texte;
  if (bloc < 1 || bloc > NbEnreg) return texte;
  TVisites visites;
  std::vector<unsigned char> lot;
  long lus = 0;
  int simples = 0;
  while (bloc > 0 && lus < kMaxBlocsChaine && visites.Nouveau(bloc)) {
    if (simples < kLecturesSimples) {
      const TBlocNote b = LectureElementaire(bloc);
      if (b.Lien == kLienRepertoire) break;  // a directory is never text
      texte += b.Texte;
      bloc = b.Lien;
      ++lus;
      ++simples;
      continue;
    }
    // A batch of consecutive blocks; links are followed in memory while they stay inside it.
    const long debut = bloc;
    const long nombre = std::min(kBlocsParLot, NbEnreg - debut + 1);
    lot.resize(static_cast<size_t>(nombre) * kTailleBloc);
    const long presents = LitEnregs(debut, nombre, lot.data());
    if (presents <= 0) break;
    long suivis = 0;
    for (;;) {
      const unsigned char* b = lot.data() + static_cast<size_t>(bloc - debut) * kTailleBloc;
      const long lien = LienValide(LienBrut(b));
      if (lien == kLienRepertoire) {
        bloc = 0;
        break;
      }
      texte += TexteBrut(b);
      bloc = lien;
      ++lus;
      ++suivis;
      if (bloc < debut || bloc >= debut + presents || lus >= kMaxBlocsChaine) break;
      if (!visites.Nouveau(bloc)) {
        bloc = 0;
        break;
      }
    }
    if (suivis <= kBlocsParLot / 2) simples = 0;  // back to single blocks for ten more
  }
  return texte;
}

AnsiString TFicNotes::ChargeNote(long no, const AnsiString& titre, bool sansRtf) {
  TNote note(this, no);
  return sansRtf ? note.RecupNoteTxt(titre) : note.LectureNote(titre);
}

bool TFicNotes::NoteVide(long no, const AnsiString& titre) {
  const AnsiString texte = ChargeNote(no, titre, true);
  return texte.find_first_not_of(" \t\r\n") == AnsiString::npos;
}

void TFicNotes::CompteReference(long no) {
  if (no < 1) return;
  uint8_t& n = static_cast<size_t>(no) < references_.size() ? references_[static_cast<size_t>(no)] : referencesAuDela_[no];
  if (n < 2) ++n;
}

void TFicNotes::ConstruitReferences() {
  referencesPretes_ = true;
  references_.assign(static_cast<size_t>(NbEnreg) + 1, 0);
  referencesAuDela_.clear();
  std::vector<unsigned char> lot(static_cast<size_t>(kBlocsParLot) * kTailleBloc);
  for (long debut = 1; debut <= NbEnreg; debut += kBlocsParLot) {
    const long nombre = std::min(kBlocsParLot, NbEnreg - debut + 1);
    if (LitEnregs(debut, nombre, lot.data()) <= 0) {
      // Unreadable: no block may be trusted to belong to one chain only.
      std::fill(references_.begin(), references_.end(), 2);
      return;
    }
    for (long i = 0; i < nombre; ++i) {
      const unsigned char* b = lot.data() + static_cast<size_t>(i) * kTailleBloc;
      // Pointers beyond the file count too: they come alive when the file grows that far.
      const int32_t lien = LienBrut(b);
      if (lien > 0) {
        CompteReference(lien);
      } else if (lien == kLienRepertoire) {
        const std::vector<AnsiString> lignes = LignesListe(TexteBrut(b));
        for (size_t l = 1; l < lignes.size(); l += 2) CompteReference(NombreLigne(lignes[l]));
      }
    }
  }
}

bool TFicNotes::ReferenceUnique(long no) {
  if (no < 1 || no > NbEnreg) return false;
  if (!referencesPretes_) ConstruitReferences();
  if (static_cast<size_t>(no) < references_.size()) return references_[static_cast<size_t>(no)] <= 1;
  const auto it = referencesAuDela_.find(no);
  return it == referencesAuDela_.end() || it->second <= 1;
}

void TFicNotes::AjouteReference(long no) {
  if (referencesPretes_) CompteReference(no);
}

// ---------------------------------------------------------------------------------------------
// TNote

TNote::TNote(TFicNotes* fichier, long no) : fichier_(fichier) {
  if (no == kEnregEntete || no > 0) LectureEntete(no);
}

void TNote::LectureEntete(long no) {
  if (no != kEnregCourant) numero_ = no;
  lignes_.clear();
  blocsDisque_.clear();
  if (!fichier_ || numero_ < 1) return;
  const TBlocNote bloc = fichier_->LectureElementaire(numero_);
  if (bloc.Lien != TFicNotes::kLienRepertoire) return;
  lignes_ = LignesListe(bloc.Texte);
  for (size_t i = 1; i < lignes_.size(); i += 2) blocsDisque_.push_back(NombreLigne(lignes_[i]));
}

AnsiString TNote::TexteListe() const {
  AnsiString texte;
  for (const AnsiString& ligne : lignes_) texte += ligne + "\r\n";
  return texte;
}

bool TNote::TientDansUnBloc(const std::vector<AnsiString>& lignes) {
  size_t taille = 0;
  for (const AnsiString& ligne : lignes) taille += ligne.size() + 2;
  return taille <= TFicNotes::kTailleTexte;
}

AnsiString TNote::TexteRepertoire() const {
  // Whole pairs only: a cut inside a title or a block number would lose a heading or point it
  // at another note's text.
  AnsiString texte;
  for (size_t i = 0; i + 1 < lignes_.size(); i += 2) {
    const AnsiString paire = lignes_[i] + "\r\n" + lignes_[i + 1] + "\r\n";
    if (texte.size() + paire.size() > TFicNotes::kTailleTexte) break;
    texte += paire;
  }
  return texte;
}

bool TNote::EnregistrementEntete(long no) {
  if (no != kEnregCourant) numero_ = no;
  if (numero_ == 0) return true;
  if (!fichier_ || numero_ < 0 || lignes_.size() % 2 != 0) return false;
  // The own block rewritten only while it is still a directory.
  if (no == kEnregCourant && fichier_->LectureElementaire(numero_).Lien != TFicNotes::kLienRepertoire) return false;
  fichier_->EnregistrementElementaire(numero_, TexteRepertoire(), TFicNotes::kLienRepertoire);
  NoteReferencesRepertoire();
  return !fichier_->Dossier()->Erreur;
}

bool TNote::AccepteTitre(const AnsiString& titre, long bloc) {
  std::vector<AnsiString> essai = lignes_;
  const long i = titre.empty() && essai.size() >= 2 ? 0 : IndexTitre(titre);
  if (i >= 0) {
    essai[static_cast<size_t>(i) + 1] = std::to_string(bloc);
  } else {
    essai.push_back(TitreSurUneLigne(titre));
    essai.push_back(std::to_string(bloc));
  }
  plein_ = !TientDansUnBloc(essai);
  return !plein_;
}

void TNote::NoteReferencesRepertoire() {
  std::vector<long> blocs;
  for (size_t i = 1; i < lignes_.size(); i += 2) {
    const long bloc = NombreLigne(lignes_[i]);
    blocs.push_back(bloc);
    if (std::find(blocsDisque_.begin(), blocsDisque_.end(), bloc) == blocsDisque_.end())
      fichier_->AjouteReference(bloc);
  }
  blocsDisque_ = std::move(blocs);
}

void TNote::NouvelleFiche(long& no) {
  if (no >= 1) {
    LectureEntete(no);
    return;
  }
  lignes_.clear();
  blocsDisque_.clear();
  numero_ = 0;
  if (!fichier_ || fichier_->Dossier()->IsReadOnly()) return;
  no = fichier_->ReturnNewNum();
  (void)EnregistrementEntete(no);
}

long TNote::IndexTitre(const AnsiString& titre) const {
  const AnsiString t = TitreSurUneLigne(titre);
  for (size_t i = 0; i + 1 < lignes_.size(); i += 2)
    if (lignes_[i] == t) return static_cast<long>(i);
  return -1;
}

long TNote::GetPositionTitre(const AnsiString& titre) const {
  const long i = titre.empty() ? (lignes_.size() >= 2 ? 0 : -1) : IndexTitre(titre);
  return i < 0 ? 0 : NombreLigne(lignes_[static_cast<size_t>(i) + 1]);
}

void TNote::SetPositionTitre(const AnsiString& titre, long bloc) {
  const long i = titre.empty() && lignes_.size() >= 2 ? 0 : IndexTitre(titre);
  if (i >= 0) {
    lignes_[static_cast<size_t>(i) + 1] = std::to_string(bloc);
    return;
  }
  lignes_.push_back(TitreSurUneLigne(titre));
  lignes_.push_back(std::to_string(bloc));
}

std::vector<AnsiString> TNote::Titres() const {
  std::vector<AnsiString> titres;
  for (size_t i = 0; i < lignes_.size(); i += 2) titres.push_back(lignes_[i]);
  return titres;
}

AnsiString TNote::LectureNoteRubrique(long bloc) { return fichier_ ? fichier_->LectureChaine(bloc) : AnsiString(); }

AnsiString TNote::LectureNote(const AnsiString& titre) { return LectureNoteRubrique(GetPositionTitre(titre)); }

AnsiString TNote::RecupNoteTxt(const AnsiString& titre) { return TexteSansRtf(LectureNote(titre)); }

bool TNote::AjoutNoteContenuVide(const AnsiString& titre) {
  if (IndexTitre(titre) >= 0 || !AccepteTitre(titre, 0)) return false;
  SetPositionTitre(titre, 0);
  return true;
}

void TNote::SupprimeNote(const AnsiString& titre) {
  if (titre.empty()) {
    lignes_.clear();
  } else {
    const long i = IndexTitre(titre);
    if (i < 0) return;
    lignes_.erase(lignes_.begin() + i, lignes_.begin() + i + 2);
  }
  if (!fichier_) return;
  if (lignes_.empty()) {
    (void)EnregistrementEntete();
    numero_ = 0;
    return;
  }
  (void)EcritRepertoireOuDeplace(*fichier_);
}

bool TNote::EcritRepertoireOuDeplace(TFicNotes& f) {
  if (EnregistrementEntete() || f.Dossier()->Erreur) return false;  // written, or a failed transfer
  // The own block was overwritten by text: the directory moves to a new block.
  blocsDisque_.clear();
  numero_ = f.ReturnNewNum();
  (void)EnregistrementEntete(numero_);
  return true;
}

std::vector<long> TNote::BlocsReutilisables(TFicNotes& f, long premier, size_t besoin) {
  std::vector<long> blocs;
  const TBlocNote tete = f.LectureElementaire(premier);
  if (tete.Lien == TFicNotes::kLienRepertoire || tete.Texte.rfind(kDebutRtf, 0) != 0 || !f.ReferenceUnique(premier))
    return blocs;
  blocs.push_back(premier);
  std::unordered_set<long> vus{premier};
  long suivant = tete.Lien;
  while (blocs.size() < besoin && suivant > 0 && vus.insert(suivant).second && f.ReferenceUnique(suivant)) {
    const TBlocNote bloc = f.LectureElementaire(suivant);
    if (bloc.Lien == TFicNotes::kLienRepertoire) break;
    blocs.push_back(suivant);
    suivant = bloc.Lien;
  }
  return blocs;
}

void TNote::EcritChaine(TFicNotes& f, const AnsiString& texte, const std::vector<long>& blocs) {
  // The slices in order; each run of consecutive blocks goes to the file in one write.
  constexpr size_t B = TFicNotes::kTailleBloc;
  std::vector<unsigned char> tampon;
  for (size_t debut = 0; debut < blocs.size();) {
    size_t fin = debut + 1;
    while (fin < blocs.size() && blocs[fin] == blocs[fin - 1] + 1) ++fin;
    tampon.assign((fin - debut) * B, 0);
    for (size_t i = debut; i < fin; ++i) {
      unsigned char* b = tampon.data() + (i - debut) * B;
      const size_t position = i * TFicNotes::kTailleTexte;
      std::memcpy(b, texte.data() + position, std::min(TFicNotes::kTailleTexte, texte.size() - position));
      const auto lien = static_cast<int32_t>(i + 1 < blocs.size() ? blocs[i + 1] : 0);
      std::memcpy(b + TFicNotes::kPositionLien, &lien, sizeof lien);
    }
    f.EcritEnregs(blocs[debut], static_cast<long>(fin - debut), tampon.data());
    debut = fin;
  }
}

bool TNote::ModifNote(const AnsiString& titre, const AnsiString& texte, TFicNotes* fichier) {
  if (fichier) fichier_ = fichier;
  if (!fichier_ || fichier_->Dossier()->IsReadOnly() || fichier_->Dossier()->Erreur) return false;
  TFicNotes& f = *fichier_;
  const long avant = numero_;
  plein_ = false;
  const AnsiString propre = SansNul(texte);
  if (propre.empty()) {
    if (IndexTitre(titre) >= 0 || (titre.empty() && !lignes_.empty())) SupprimeNote(titre);
    return numero_ != avant;
  }
  const size_t tranches = std::min<size_t>((propre.size() + TFicNotes::kTailleTexte - 1) / TFicNotes::kTailleTexte,
                                           static_cast<size_t>(TFicNotes::kMaxBlocsChaine));
  const long premier = GetPositionTitre(titre);
  std::vector<long> blocs = premier > 0 ? BlocsReutilisables(f, premier, tranches) : std::vector<long>();
  const bool enPlace = !blocs.empty();
  const size_t anciens = blocs.size();
  // A heading the directory block cannot hold is refused before anything is written.
  if (!enPlace && !AccepteTitre(titre, f.NbEnreg + 1)) return false;
  if (blocs.size() < tranches) {
    const long premierNouveau = f.ReserveBlocs(static_cast<long>(tranches - blocs.size()));
    while (blocs.size() < tranches) blocs.push_back(premierNouveau + static_cast<long>(blocs.size() - anciens));
  }
  // The chain first, the directory last: until the directory names the new chain, the old text
  // stays readable.
  EcritChaine(f, propre, blocs);
  if (f.Dossier()->Erreur) return false;  // the directory still names the old text
  for (size_t i = std::max<size_t>(anciens, 1); i < blocs.size(); ++i) f.AjouteReference(blocs[i]);
  if (enPlace && numero_ >= 1) return false;
  SetPositionTitre(titre, blocs.front());
  if (numero_ < 1) {
    blocsDisque_.clear();
    numero_ = f.ReturnNewNum();
    (void)EnregistrementEntete(numero_);
    return true;
  }
  return EcritRepertoireOuDeplace(f);
}

}  // namespace kyb
