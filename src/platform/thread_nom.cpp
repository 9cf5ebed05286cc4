#include "platform/thread_nom.h"

#include <atomic>

namespace kyb {
namespace {

thread_local std::string tNom;
std::atomic<unsigned long> gProchainId{1};

}  // namespace

void NommeThread(const std::string& nom) { tNom = nom; }

void NommeThreadPrincipal() { tNom = kNomThreadPrincipal; }

const std::string& NomThread() { return tNom; }

bool EstThreadPrincipal() { return tNom == kNomThreadPrincipal; }

unsigned long IdThread() {
  thread_local const unsigned long id = gProchainId.fetch_add(1);
  return id;
}

}  // namespace kyb
