// Repair of a genealogy, of which the person index is one step: the store repaired, the person
// count agreed with the store, every person read with its links checked and its index rows
// written anew, then couple notes and person notes checked.
//
// Error report ("err.txt" in the folder, UTF-8, written once at the end). Each entry:
//   message, surname and given names, ", N° " and the Sosa number, ", " birth date ", " birth
//   place, ", " death date ", " death place, a line break, the text of each of the person's notes
//   followed by a line break, then the separator line
//   "\r\n----------------=============-------------------\r\n".
//
// What is corrected (with corrige) loses nothing: a link to no person or to a deleted person is
// removed (the other side has no link to keep), a witness with family links becomes a person,
// spouses and children are compacted and shared children ordered as the other parent orders them,
// a person note beyond the notes file is removed (it has no text), a couple note present on one
// side only is copied to the other. A link the other (live) person does not return, and different
// couple notes on the two sides, are only reported: which side is right is the user's to say.
#include <algorithm>
#include <sstream>

#include "folder/bo_math.h"
#include "folder/fic_notes.h"
#include "folder/gest_fic.h"
#include "folder/gest_fic_pers.h"
#include "index/gest_fic_index.h"
#include "persons/fiche_evenements.h"
#include "persons/gest_pers.h"
#include "platform/ecriture_atomique.h"
#include "platform/fichiers.h"
#include "platform/journal.h"
#include "store/datamodulebdd.h"

namespace kyb {

namespace {

constexpr const char* kSeparateur = "\r\n----------------=============-------------------\r\n";

UnicodeString Nombre(long n) { return AnsiVersUnicode(std::to_string(n)); }

// Progress of a walk in hundredths: the bar moves only when the hundredth changes, and pending
// window messages are processed then.
class TCentiemesReparation {
 public:
  TCentiemesReparation(TProgression& barre, long total) : barre_(barre), total_(std::max(total, 1L)) {}
  void Position(long fait) {
    const int c = static_cast<int>(std::min<int64_t>(100, int64_t{fait} * 100 / total_));
    if (c == dernier_) return;
    dernier_ = c;
    barre_.Position(c);
    if (barre_.Interface()) barre_.Interface()->TraiteMessages();
  }

 private:
  TProgression& barre_;
  long total_;
  int dernier_ = -1;
};

// Date and place of the first event of the card with one of the labels, as the report writes them.
std::string DateEtLieu(TChpsPersonne& fiche, std::initializer_list<const char*> libelles,
                       const TResolveursFiche& resolveurs) {
  for (const char* libelle : libelles) {
    const int rang = fiche.GetRgEven(libelle);
    if (rang < 0) continue;
    const TEvenement::TEnreg& e = fiche.Evenements[static_cast<size_t>(rang)].Even.Enreg;
    const std::string date = e.Date.DateVide() ? std::string() : RedigeDateEven(e.Date);
    const std::string lieu = e.Lieu > 0 && resolveurs.Lieu ? UnicodeVersUtf8(resolveurs.Lieu(e.Lieu)) : std::string();
    return date + ", " + lieu;
  }
  return ", ";
}

}  // namespace

void TFicIndexPerson::ReparationBDD() {
  if (TFicPersons* f = dossier_->GetFicPersons()) f->VideBufferPerson();
}

void TFicIndexPerson::MsgErreurNote(const UnicodeString& message, TPerson& p) {
  std::string entree = UnicodeVersUtf8(message) + " " + UnicodeVersUtf8(p.Public.Nom);
  if (!p.Public.Prenoms.empty()) entree += " " + UnicodeVersUtf8(p.Public.Prenoms);
  entree += ", N° " + AnsiVersUtf8(ZZtoAnsiString(&p.Public.Sosa, true));
  p.LectureComplementaire();
  const TResolveursFiche resolveurs = ResolveursDuDossier(*dossier_);
  entree += ", " + DateEtLieu(p.Fiche(), {"NAISSANCE", "BAPTEME"}, resolveurs);
  entree += ", " + DateEtLieu(p.Fiche(), {"DECES", "INHUMATION"}, resolveurs);
  entree += "\r\n";
  TFicNotes* notes = dossier_->FicNotes.get();
  if (notes && p.Public.Note > 0 && p.Public.Note <= notes->NbEnreg) {
    TNote note(notes, p.Public.Note);
    for (const AnsiString& titre : note.Titres()) entree += AnsiVersUtf8(note.RecupNoteTxt(titre)) + "\r\n";
  }
  entree += kSeparateur;
  rapport_ += entree;
  ++signalements_;
}

int TFicIndexPerson::SynchroNotesCouples(long noPers, bool modifie) {
  TModuleBDD* m = Store();
  if (!m || noPers < 1) return 0;
  int copiees = 0;
  for (const TNotesCouple& p : m->GetNotesCouples(noPers)) {
    if (p.noteA == p.noteB) continue;
    if (p.noteA > 0 && p.noteB > 0) {
      TPerson personne(dossier_->GetFicPersons(), noPers);
      MsgErreurNote(u"Notes de couple différentes chez les deux conjoints (événements " + Nombre(p.idA) + u" et " +
                        Nombre(p.idB) + u") :",
                    personne);
      continue;
    }
    ++copiees;
    if (!modifie || LectureSeule()) continue;
    // The side without a note takes the other's.
    TEvenement sansNote(m, p.noteA > 0 ? p.idB : p.idA);
    sansNote.Enreg.Note = static_cast<int32_t>(std::max(p.noteA, p.noteB));
    if (!sansNote.Enregistrement())
      AjouteJournal("LogMsgError", "Réparation : note de couple non copiée sur l'événement " +
                                       std::to_string(sansNote.Enreg.ID));
  }
  return copiees;
}

void TFicIndexPerson::ReparePersonne(TPerson& p, TAnneesVie annees, bool corrige, TBilanReconstruction& bilan) {
  TFicPersons& f = *dossier_->GetFicPersons();
  const long n = p.Numero();
  UnicodeString problemes;
  bool change = false;
  const auto signale = [&problemes](const UnicodeString& texte) {
    problemes += (problemes.empty() ? u"" : u" ; ") + texte;
  };
  const auto retire = [&](long no) {
    if (p.Public.Pere.No == no) p.Public.Pere = 0;
    if (p.Public.Mere.No == no) p.Public.Mere = 0;
    bool modifie = false;
    p.SupprimeConjoint(no, modifie);
    p.SupprimeEnfant(no, modifie);
    change = true;
  };
  // Links to no person of the folder, or to a deleted one: nothing on the other side to keep.
  std::vector<long> morts = p.VerifLienHorsFichier();
  std::vector<long> nonRendus;
  for (const long no : p.VerifLienSysmetrique())
    if (std::find(morts.begin(), morts.end(), no) == morts.end())
      (f.IsNoPersOk(no) ? nonRendus : morts).push_back(no);
  for (const long no : morts) {
    signale(u"lien vers la fiche " + Nombre(no) + u" qui n'existe pas ou est supprimée" +
            (corrige ? u" (lien retiré)" : u""));
    ++bilan.LiensRetires;
    if (corrige) retire(no);
  }
  for (const long no : nonRendus) {
    signale(u"lien vers la fiche " + Nombre(no) + u" que cette fiche ne rend pas");
    ++bilan.LiensNonReciproques;
  }
  // A witness with a family is a person.
  if (p.Public.TypePersonne == 'T' && (p.Public.Pere.No || p.Public.Mere.No || p.Public.NbConjoints() ||
                                       p.Public.NbEnfants())) {
    signale(u"témoin ayant des liens familiaux" + UnicodeString(corrige ? u" (devient personne)" : u""));
    ++bilan.TypesCorriges;
    if (corrige) {
      p.SetPersonne();
      change = true;
    }
  }
  // Spouses and children without holes, shared children in the other parent's order.
  const auto conjoints = p.Public.Conjoints;
  const auto enfants = p.Public.Enfants;
  p.RecompacteConjoint();
  p.RecompacteEnfant();
  const auto memeConjoint = [](const TLienConj& a, const TLienConj& b) { return a.Lien.No == b.Lien.No; };
  const bool trous = !std::equal(conjoints.begin(), conjoints.end(), p.Public.Conjoints.begin(), memeConjoint) ||
                     p.Public.Enfants != enfants;
  const bool ordre = p.ClassementEnfantIdentiqueConjoint();
  if (trous || ordre) {
    ++bilan.OrdresCorriges;
    if (corrige) {
      change = true;
    } else {
      p.Public.Conjoints = conjoints;
      p.Public.Enfants = enfants;
    }
  }
  if (!problemes.empty()) MsgErreurNote(u"Fiche " + Nombre(n) + u" : " + problemes + u" :", p);
  TModuleBDD* m = Store();
  if (change && m) {
    if (!m->WritePerson(p.Public, n)) {
      AjouteJournal("LogMsgError", "Réparation : fiche " + std::to_string(n) + " non enregistrée");
      p = TPerson(&f, n);  // rows from what is stored
    }
    dossier_->OublieEnCache(n);  // the persons that follow read this one as it now is
  }
  ModifClef(p.Public, n, annees, false, true, true);
}

void TFicIndexPerson::VerifieNotePersonne(TPerson& p, bool corrige, TBilanReconstruction& bilan) {
  TFicNotes* notes = dossier_->FicNotes.get();
  const long no = p.Public.Note;
  if (!notes || no == 0) return;
  if (no < 0 || no > notes->NbEnreg) {
    MsgErreurNote(u"Fiche " + Nombre(p.Numero()) + u" : note " + Nombre(no) + u" hors du fichier des notes" +
                      (corrige ? u" (retirée)" : u"") + u" :",
                  p);
    ++bilan.NotesRetirees;
    if (!corrige) return;
    p.Public.Note = 0;
    if (TModuleBDD* m = Store()) (void)m->WritePerson(p.Public, p.Numero());
    dossier_->OublieEnCache(p.Numero());
    return;
  }
  if (notes->LectureElementaire(no).Lien != TFicNotes::kLienRepertoire)
    MsgErreurNote(u"Fiche " + Nombre(p.Numero()) + u" : la note " + Nombre(no) + u" n'est pas un répertoire de notes :",
                  p);
}

TBilanReconstruction TFicIndexPerson::ReconstruitIndex(int niveau, bool corrige) {
  TBilanReconstruction bilan;
  TModuleBDD* m = Store();
  TFicPersons* fp = dossier_->GetFicPersons();
  TInterfaceUtilisateur* iu = dossier_->GetProprietaire();
  if (!m || !fp || fp->AncienFormat() || LectureSeule()) {
    bilan.Abandonnee = true;
    return bilan;
  }
  rapport_.clear();
  signalements_ = 0;

  // 1. The store first: what follows reads it.
  ReparationBDD();
  if (!m->RepairDatabase(niveau >= 2)) {
    bilan.Abandonnee = true;
    return bilan;
  }

  // 3. The count of persons against the store's highest number; the question comes before any
  // change to persons or index, so that cancelling leaves both as they are.
  long nb = fp->NbEnreg;
  const long maxStore = m->GetMaxNoPers();
  if (nb > maxStore) {
    nb = maxStore;
  } else if (maxStore > nb) {
    // Without anyone to answer, every stored person is kept.
    const int r = iu ? iu->Question(u"Réparation", u"Confirmez-vous que votre généalogie comporte " + Nombre(maxStore) +
                                                       u" personnes environ ?",
                                    kBoutonOui | kBoutonNon | kBoutonAnnuler, kReponseOui)
                     : kReponseOui;
    if (r == kReponseAnnuler) {
      bilan.Abandonnee = true;
      return bilan;
    }
    if (r == kReponseOui) nb = maxStore;
  }
  fp->NbEnreg = nb;
  bilan.NbPersonnes = nb;

  TProgression progression(iu, u"Réparation de la généalogie", 100);
  progression.Texte(u"Réparation des tables...");
  // 2, 4, 5. Memory starts empty; the notes count from the size of the notes file.
  Raz();
  if (TFicNotes* notes = dossier_->FicNotes.get(); notes && notes->TailleFichier() >= 0)
    notes->NbEnreg = std::max<long>(0, static_cast<long>(notes->TailleFichier() / TFicNotes::kTailleBloc) - 1);
  (void)SupprimeFichier(nomFichier_);
  index_ = std::make_unique<TGestEltIndex>(static_cast<int>(std::max(nbLignes_, nb) + 2), dossier_);
  aRecharger_ = false;
  Modifie();

  // 6. Every person, its rows written anew into an empty table (secondary indexes dropped).
  const std::vector<TAnneesVie> annees = AnneesVieToutes(nb);
  if (!m->CreerTableIndexNomPrenoms()) {
    bilan.Abandonnee = true;
    RechargeMemoire();
    return bilan;
  }
  (void)m->RemoveAllIndexPersonIndex();
  const bool import = m->BeginImport(false);
  SetReparationEnCours(true);
  progression.Texte(u"Vérification des fiches...");
  TCentiemesReparation centiemes(progression, nb);
  std::vector<long> avecConjoints, avecNote;
  for (long n = 1; n <= nb; ++n) {
    centiemes.Position(n);
    TEnregPublic lu;
    if (!m->ReadPerson(lu, n)) {
      // A hole in the numbering: a deleted empty record keeps the numbers that follow valid.
      lu.Raz();
      lu.FicheSupprimee = 'O';
      if (m->WritePerson(lu, n)) {
        (void)m->AddPersSuppr(n);
        ++bilan.FichesRecreees;
        rapport_ += "Fiche " + std::to_string(n) + " absente : recréée comme fiche supprimée" + kSeparateur;
        ++signalements_;
      }
      continue;
    }
    if (lu.FicheSupprimee == 'O') {
      SupprimeClef(n, true);
      continue;
    }
    TPerson p(fp, 0);
    p.NouvelleFiche(n);
    p.Public = lu;
    ReparePersonne(p, AnneesDe(annees, n), corrige, bilan);
    if (p.Public.NbConjoints()) avecConjoints.push_back(n);
    if (p.Public.Note) avecNote.push_back(n);
  }

  // 7. Rows counted, import ended, indexes back, pending deletions, memory sorted.
  LectureEntete();
  if (import) (void)m->EndImport(false);
  (void)m->AddAllIndexPersonIndex();
  SetReparationEnCours(false);
  SupprimeClefDisque();
  TEltIndex t1, t2;
  index_->Classement(t1, t2);
  Modifie();

  // 8. The store restructured, couple notes, person notes, persons beyond the count, headers.
  progression.Texte(u"Vérification des notes...");
  (void)m->RestructurationBDD();
  for (const long n : avecConjoints) bilan.NotesCouplesCompletees += SynchroNotesCouples(n, corrige);
  for (const long n : avecNote) {
    TPerson p(fp, n);
    VerifieNotePersonne(p, corrige, bilan);
  }
  const long idMax = m->GetIDPersonMax();
  if (idMax > nb && m->GetMaxNoPers() > nb) {
    bilan.PersonnesEnTrop = m->GetMaxNoPers() - nb;
    if (m->DeleteNoPers(nb + 1)) LectureEntete();
  }
  fp->NbEnreg = nb;
  dossier_->EcritureEntete();
  ReparationBDD();
  progression.Position(100);

  bilan.Signalements = signalements_;
  if (!rapport_.empty()) {
    const AnsiString chemin = dossier_->Repertoire + "err.txt";
    if (EcritFichierAtomique(chemin, rapport_)) bilan.Rapport = chemin;
    else AjouteJournal("LogMsgError", "Réparation : rapport d'erreurs non écrit dans " + AnsiVersUtf8(chemin));
  }
  return bilan;
}

}  // namespace kyb
