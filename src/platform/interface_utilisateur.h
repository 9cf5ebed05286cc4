#pragma once
// What the library shows the user: progress windows, questions and messages. The host supplies
// an implementation; the "owner" pointer the folder and store keep is a pointer to it, and a null
// pointer shows nothing. Calls come from the thread that runs the long operation.
//
// TInterfaceSilencieuse answers every question with the caller's default; TInterfaceScriptee
// (tests) records every call in a journal and answers questions from a script.
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "platform/chaines.h"

namespace kyb {

// Answers of a question, as the platform numbers them.
inline constexpr int kReponseOui = 6;
inline constexpr int kReponseNon = 7;
inline constexpr int kReponseAnnuler = 2;
inline constexpr int kReponseOk = 1;

// Buttons of a question (combinable).
enum TBoutons : int { kBoutonOui = 1, kBoutonNon = 2, kBoutonAnnuler = 4, kBoutonOk = 8 };

class TInterfaceUtilisateur {
 public:
  virtual ~TInterfaceUtilisateur() = default;

  // One progress window at a time: opened, changed, closed.
  virtual void ProgressionOuvre(const UnicodeString& titre) = 0;
  virtual void ProgressionMaximum(int maximum) = 0;
  virtual void ProgressionPosition(int position) = 0;
  virtual void ProgressionTexte(const UnicodeString& texte) = 0;
  virtual void ProgressionFerme() = 0;
  // True once the user asked to stop the operation in progress.
  virtual bool AnnulationDemandee() { return false; }
  // Lets the host process its pending window messages between steps.
  virtual void TraiteMessages() {}

  // A question with the given buttons; returns kReponseOui, kReponseNon or kReponseAnnuler.
  virtual int Question(const UnicodeString& titre, const UnicodeString& texte, int boutons,
                       int reponseParDefaut) = 0;
  virtual void Message(const UnicodeString& titre, const UnicodeString& texte) = 0;

  // The conversion window offered when an older genealogy folder is opened: 1 to go on (with the
  // name of the converted folder in nomCible, or empty to open the old one read-only), 2 when the
  // user cancels. By default the old folder opens read-only.
  virtual int ConversionDossier(const UnicodeString& /*dossier*/, UnicodeString& nomCible) {
    nomCible.clear();
    return 1;
  }
};

// Shows nothing; a question gets its default answer.
class TInterfaceSilencieuse final : public TInterfaceUtilisateur {
 public:
  void ProgressionOuvre(const UnicodeString&) override {}
  void ProgressionMaximum(int) override {}
  void ProgressionPosition(int) override {}
  void ProgressionTexte(const UnicodeString&) override {}
  void ProgressionFerme() override {}
  int Question(const UnicodeString&, const UnicodeString&, int, int defaut) override {
    return defaut;
  }
  void Message(const UnicodeString&, const UnicodeString&) override {}
};

// For tests: each call appends a UTF-8 line to the journal ("ouvre:<titre>", "max:19",
// "position:3", "texte:<texte>", "ferme", "question:<titre>|<texte>", "message:<titre>|<texte>");
// questions take their answers from Reponses() in order, then the default.
class TInterfaceScriptee final : public TInterfaceUtilisateur {
 public:
  void ProgressionOuvre(const UnicodeString& titre) override;
  void ProgressionMaximum(int maximum) override;
  void ProgressionPosition(int position) override;
  void ProgressionTexte(const UnicodeString& texte) override;
  void ProgressionFerme() override;
  bool AnnulationDemandee() override { return annulation_; }
  int Question(const UnicodeString& titre, const UnicodeString& texte, int boutons,
               int reponseParDefaut) override;
  void Message(const UnicodeString& titre, const UnicodeString& texte) override;
  int ConversionDossier(const UnicodeString& dossier, UnicodeString& nomCible) override;

  std::deque<int>& Reponses() { return reponses_; }
  // Outcome and target name the conversion window gives ("conversion:<dossier>" in the journal).
  int issueConversion = 1;
  UnicodeString cibleConversion;
  void DemandeAnnulation(bool oui) { annulation_ = oui; }
  [[nodiscard]] std::vector<std::string> Journal() const;
  [[nodiscard]] bool JournalContient(const std::string& ligne) const;
  void VideJournal();

 private:
  void Note(std::string ligne);
  mutable std::mutex mutex_;
  std::vector<std::string> journal_;
  std::deque<int> reponses_;
  bool annulation_ = false;
};

// A progress window for the duration of an operation: opened by the constructor when an
// interface is given, closed by the destructor. With a null interface every call does nothing.
class TProgression {
 public:
  TProgression(TInterfaceUtilisateur* iu, const UnicodeString& titre, int maximum = 100);
  ~TProgression();
  TProgression(const TProgression&) = delete;
  TProgression& operator=(const TProgression&) = delete;

  [[nodiscard]] bool Visible() const { return iu_ != nullptr; }
  void Maximum(int maximum);
  void Position(int position);
  void Avance(int pas = 1) { Position(position_ + pas); }
  void Texte(const UnicodeString& texte);
  [[nodiscard]] int Position() const { return position_; }
  [[nodiscard]] int MaximumCourant() const { return maximum_; }
  [[nodiscard]] bool Annulee() const { return iu_ && iu_->AnnulationDemandee(); }
  [[nodiscard]] TInterfaceUtilisateur* Interface() const { return iu_; }

 private:
  TInterfaceUtilisateur* iu_;
  int position_ = 0;
  int maximum_ = 0;
};

}  // namespace kyb
