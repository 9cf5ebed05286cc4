#include "platform/arborescence.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/ecriture_atomique.h"
#include "platform/fichiers.h"

namespace kyb {

std::vector<AnsiString> ListeRepertoires(const AnsiString& repertoire) {
  std::vector<AnsiString> noms;
  std::error_code ec;
  std::filesystem::directory_iterator it(CheminSysteme(repertoire), ec);
  for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    std::error_code ec2;
    if (it->is_directory(ec2) && !it->is_symlink(ec2))
      noms.push_back(Utf8VersAnsi(it->path().filename().string()));
  }
  std::sort(noms.begin(), noms.end());
  return noms;
}

bool CheminOccupe(const AnsiString& chemin) {
  struct stat st{};
  return ::lstat(CheminSysteme(SansSeparateurFinal(chemin)).c_str(), &st) == 0;
}

bool SupprimeRepertoireVide(const AnsiString& chemin) {
  return ::rmdir(CheminSysteme(SansSeparateurFinal(chemin)).c_str()) == 0;
}

bool ReproduitArborescence(const AnsiString& source, const AnsiString& cible, bool liens) {
  if (!CreeRepertoires(cible)) return false;
  const AnsiString de = AvecSeparateurFinal(source), vers = AvecSeparateurFinal(cible);
  for (const AnsiString& nom : ListeFichiers(de, "*.*")) {
    const bool ok = liens ? GardeSousUnAutreNom(de + nom, vers + nom) : CopieSure(de + nom, vers + nom);
    if (!ok) return false;
  }
  for (const AnsiString& nom : ListeRepertoires(de))
    if (!ReproduitArborescence(de + nom, vers + nom, liens)) return false;
  return SynchroniseRepertoire(vers);
}

namespace {

namespace stdfs = std::filesystem;

// Links followed before a path counts as a loop, as the system counts them.
constexpr int kMaxLiens = 40;

// The resolved system path (UTF-8) of a system path; empty on a loop or an unreadable link.
std::string Resout(const std::string& chemin, int liens) {
  if (liens > kMaxLiens) return {};
  std::error_code ec;
  stdfs::path p = stdfs::absolute(chemin.empty() ? std::string(".") : chemin, ec);
  if (ec) return {};
  // "/a/b/" reads "/a/b"; ".." is left to the system, which reads it after the links before it.
  while (p.has_parent_path() && !p.has_filename() && p != p.root_path()) p = p.parent_path();
  struct stat st{};
  // A link that points nowhere: a creation through it would make its target.
  if (::lstat(p.c_str(), &st) == 0 && S_ISLNK(st.st_mode) && ::stat(p.c_str(), &st) != 0) {
    char cible[PATH_MAX];
    const ssize_t n = ::readlink(p.c_str(), cible, sizeof cible - 1);
    if (n < 0) return {};
    const stdfs::path lien(std::string(cible, static_cast<size_t>(n)));
    return Resout((lien.is_absolute() ? lien : p.parent_path() / lien).string(), liens + 1);
  }
  // The deepest existing part resolved by the system, the rest appended.
  const stdfs::path resolu = stdfs::weakly_canonical(p, ec);
  if (ec) return {};
  return resolu.string();
}

// Names of every entry of a directory (not "." nor ".."), sorted; false when it cannot be read.
bool Entrees(const std::string& repertoire, std::vector<std::string>& noms) {
  DIR* d = ::opendir(repertoire.c_str());
  if (!d) return false;
  while (const dirent* e = ::readdir(d)) {
    const std::string nom = e->d_name;
    if (nom != "." && nom != "..") noms.push_back(nom);
  }
  ::closedir(d);
  std::sort(noms.begin(), noms.end());
  return true;
}

// Syncs a directory named as the system names it (any bytes), errno kept on failure.
bool SynchroniseSysteme(const std::string& repertoire) {
  const int fd = ::open(repertoire.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = AppelsSysteme().fsync(fd) == 0;
  const int e = errno;
  ::close(fd);
  errno = e;
  return ok;
}

// A second name for one entry that is not a directory, as it lies.
bool LieEntree(const std::string& source, const std::string& cible, const struct stat& st) {
  if (::linkat(AT_FDCWD, source.c_str(), AT_FDCWD, cible.c_str(), 0) == 0) return true;
  if (errno == EEXIST) return false;
  if (S_ISREG(st.st_mode) && AnsiVersUtf8(Utf8VersAnsi(source)) == source &&
      AnsiVersUtf8(Utf8VersAnsi(cible)) == cible)
    return CopieSure(Utf8VersAnsi(source), Utf8VersAnsi(cible));
  if (!S_ISLNK(st.st_mode)) return false;
  char lien[PATH_MAX];
  const ssize_t n = ::readlink(source.c_str(), lien, sizeof lien - 1);
  return n >= 0 && ::symlink(std::string(lien, static_cast<size_t>(n)).c_str(), cible.c_str()) == 0;
}

bool LieRepertoire(const std::string& source, const std::string& cible, const AnsiString& sous,
                   const TNomEntree& nom) {
  struct stat dossier{};
  if (::lstat(source.c_str(), &dossier) != 0 || !S_ISDIR(dossier.st_mode)) return false;
  if (::mkdir(cible.c_str(), 0700) != 0 && errno != EEXIST) return false;
  std::vector<std::string> noms;
  if (!Entrees(source, noms)) return false;
  for (const std::string& n : noms) {
    const std::string de = source + "/" + n;
    // A name the library cannot carry keeps its bytes: it is none of the library's files.
    const AnsiString ansi = Utf8VersAnsi(n);
    const std::string vers = cible + "/" + (AnsiVersUtf8(ansi) == n ? AnsiVersUtf8(nom(sous, ansi)) : n);
    struct stat st{};
    if (::lstat(de.c_str(), &st) != 0) return false;
    const bool ok = S_ISDIR(st.st_mode) ? LieRepertoire(de, vers, sous + Utf8VersAnsi(n) + "/", nom)
                                        : LieEntree(de, vers, st);
    if (!ok) return false;
  }
  // The permissions last, so that a directory closed to writing could still be filled.
  return SynchroniseSysteme(cible) && ::chmod(cible.c_str(), dossier.st_mode & 07777) == 0;
}

}  // namespace

bool LieArborescence(const AnsiString& source, const AnsiString& cible, const TNomEntree& nom) {
  return LieRepertoire(CheminSysteme(SansSeparateurFinal(source)), CheminSysteme(SansSeparateurFinal(cible)), "",
                       nom);
}

AnsiString CheminResolu(const AnsiString& chemin) {
  const std::string resolu = Resout(CheminSysteme(chemin), 0);
  return resolu.empty() ? AnsiString() : Utf8VersAnsi(resolu);
}

bool CheminDans(const AnsiString& chemin, const AnsiString& repertoire) {
  // Compared as the system names them, so that no character is lost on the way.
  const std::string c = Resout(CheminSysteme(chemin), 0), r = Resout(CheminSysteme(repertoire), 0);
  if (c.empty() || r.empty()) return false;
  if (c == r || r == "/") return true;
  return c.size() > r.size() && c.compare(0, r.size(), r) == 0 && c[r.size()] == '/';
}

bool EstLienSymbolique(const AnsiString& chemin) {
  struct stat st{};
  return ::lstat(CheminSysteme(SansSeparateurFinal(chemin)).c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

AnsiString CreeRepertoireUnique(const AnsiString& modele) {
  std::string gabarit = AnsiVersUtf8(modele) + "XXXXXX";
  if (!mkdtemp(gabarit.data())) return {};
  return Utf8VersAnsi(gabarit);
}

}  // namespace kyb
