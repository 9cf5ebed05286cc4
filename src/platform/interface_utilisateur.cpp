#include "platform/interface_utilisateur.h"

#include <algorithm>

namespace kyb {

void TInterfaceScriptee::Note(std::string ligne) {
  const std::lock_guard<std::mutex> garde(mutex_);
  journal_.push_back(std::move(ligne));
}

void TInterfaceScriptee::ProgressionOuvre(const UnicodeString& titre) {
  Note("ouvre:" + UnicodeVersUtf8(titre));
}

void TInterfaceScriptee::ProgressionMaximum(int maximum) {
  Note("max:" + std::to_string(maximum));
}

void TInterfaceScriptee::ProgressionPosition(int position) {
  Note("position:" + std::to_string(position));
}

void TInterfaceScriptee::ProgressionTexte(const UnicodeString& texte) {
  Note("texte:" + UnicodeVersUtf8(texte));
}

void TInterfaceScriptee::ProgressionFerme() { Note("ferme"); }

int TInterfaceScriptee::Question(const UnicodeString& titre, const UnicodeString& texte, int,
                                 int reponseParDefaut) {
  Note("question:" + UnicodeVersUtf8(titre) + "|" + UnicodeVersUtf8(texte));
  const std::lock_guard<std::mutex> garde(mutex_);
  if (reponses_.empty()) return reponseParDefaut;
  const int r = reponses_.front();
  reponses_.pop_front();
  return r;
}

void TInterfaceScriptee::Message(const UnicodeString& titre, const UnicodeString& texte) {
  Note("message:" + UnicodeVersUtf8(titre) + "|" + UnicodeVersUtf8(texte));
}

int TInterfaceScriptee::ConversionDossier(const UnicodeString& dossier, UnicodeString& nomCible) {
  Note("conversion:" + UnicodeVersUtf8(dossier));
  nomCible = cibleConversion;
  return issueConversion;
}

std::vector<std::string> TInterfaceScriptee::Journal() const {
  const std::lock_guard<std::mutex> garde(mutex_);
  return journal_;
}

bool TInterfaceScriptee::JournalContient(const std::string& ligne) const {
  const std::lock_guard<std::mutex> garde(mutex_);
  return std::find(journal_.begin(), journal_.end(), ligne) != journal_.end();
}

void TInterfaceScriptee::VideJournal() {
  const std::lock_guard<std::mutex> garde(mutex_);
  journal_.clear();
}

TProgression::TProgression(TInterfaceUtilisateur* iu, const UnicodeString& titre, int maximum)
    : iu_(iu) {
  if (!iu_) return;
  iu_->ProgressionOuvre(titre);
  Maximum(maximum);
}

TProgression::~TProgression() {
  if (iu_) iu_->ProgressionFerme();
}

void TProgression::Maximum(int maximum) {
  maximum_ = maximum;
  if (iu_) iu_->ProgressionMaximum(maximum);
}

void TProgression::Position(int position) {
  position_ = position;
  if (iu_) iu_->ProgressionPosition(position);
}

void TProgression::Texte(const UnicodeString& texte) {
  if (!iu_) return;
  iu_->ProgressionTexte(texte);
  iu_->TraiteMessages();
}

}  // namespace kyb
