// libFuzzer harness for the restore of the person index file and of a sorted table: any input
// either restores or fails cleanly; what restores saves and restores again to the same bytes. The
// same bytes read in place (the index file mapped) never read outside them.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/flux_binaire.h"
#include "names/g_tblvar.h"
#include "names/gest_elt_index.h"
#include "names/vue_fichier_index.h"
#include "platform/erreur.h"
#include "platform/flux_objets.h"

namespace {

void Verifie(bool condition) {
  if (!condition) __builtin_trap();
}

std::string Sauve(const kyb::TGestEltIndex& index) {
  kyb::TSortieMemoire sortie;
  Verifie(index.Sauvegarde(sortie, nullptr));
  return sortie.Contenu();
}

// A text element of a table: 2 raw bytes then a zero-terminated text.
class TEltFuzz : public kyb::TEltBaseTV {
 public:
  char* Ecrit(char* p) const override {
    EcritMemoire(p, &n, sizeof n);
    EcritChn(p, texte.c_str());
    return p;
  }
  int Lit(const char* buffer, int offset) override {
    const char* p = buffer + offset;
    LitMemoire(p, &n, sizeof n);
    LitChn(p, texte, 100);
    return static_cast<int>(p - buffer - offset);
  }
  int GetTaille() const override { return static_cast<int>(sizeof n + texte.size() + 1); }
  int GetTailleMax() const override { return GetTaille(); }
  int EltCmp(const kyb::TEltBaseTV& a) const override {
    return texte.compare(static_cast<const TEltFuzz&>(a).texte);
  }
  int16_t n = 0;
  std::string texte;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view octets(reinterpret_cast<const char*>(data), size);

  kyb::TGestEltIndex index(0, nullptr);
  kyb::TEntreeMemoire entree(octets);
  bool restaure = true;
  try {
    index.Restauration(entree, nullptr);
  } catch (const kyb::ErreurKy&) {
    restaure = false;
    Verifie(index.GetNbElt() == 0);
  }
  if (restaure) {
    const std::string une = Sauve(index);
    kyb::TGestEltIndex relu(0, nullptr);
    kyb::TEntreeMemoire entree2(une);
    relu.Restauration(entree2, nullptr);
    Verifie(Sauve(relu) == une);
    kyb::TEltIndex tmp;
    for (int i = 0; i < relu.GetNbElt() && i < 50; ++i)
      Verifie(relu.Lit(relu.RechercheDicoth(relu.Lit(i), tmp, 0, true)) == relu.Lit(i) ||
              relu.RechercheDicoth(relu.Lit(i), tmp, 0, false) == -1);
  }

  // The same bytes read in place: whatever is accepted is read within the bytes.
  const kyb::TVueFichierIndex vue(octets);
  if (vue.Valide()) {
    for (size_t i = 0; i < vue.size() && i < 200; ++i) (void)vue[i];
    // Read again, from the entries kept: the same entries, and ranges within the entries.
    for (size_t i = 0; i < vue.size() && i < 200; ++i) {
      const kyb::TEltIndex e = vue[i];
      Verifie(vue.Endommage() || vue[i] == e);
    }
    if (vue.size() > 0) {
      const auto [debut, fin] = vue.Plage(vue[0].Nom(), true);
      Verifie(debut <= fin && fin <= vue.size());
      const auto [depuis, finDepuis] = vue.PlageDepuis(vue.size() / 2);
      Verifie(depuis <= finDepuis && finDepuis <= vue.size());
    }
    const kyb::TTableCodes codes = vue.Codes();
    if (!codes.empty()) Verifie(!vue.DebutsCode(codes.front().first).empty());
  }

  kyb::TTableTV table(1, 1, 1);
  kyb::TFluxEntree flux(octets);
  if (table.Restauration(flux)) {
    TEltFuzz e, tmp;
    try {
      for (int i = 0; i < table.GetNbElt(); ++i) table.Lit(i, e);
      if (table.GetNbElt() < 2000) table.Classement(e, tmp);
      table.ReorganiseTableChn(tmp);
      e.texte = "X";
      table.AjouteClasse(e, tmp);
    } catch (const kyb::ErreurKy&) {
      // A table too large to grow again reports the allocation step, as documented.
    }
  }
  return 0;
}
