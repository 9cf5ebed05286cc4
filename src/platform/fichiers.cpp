#include "platform/fichiers.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <ctime>
#include <filesystem>

namespace kyb {
namespace {

namespace stdfs = std::filesystem;

TAppelsSysteme AppelsParDefaut() { return {::pread, ::pwrite, ::fdatasync, ::rename, ::fsync}; }

TAppelsSysteme gAppels = AppelsParDefaut();

stdfs::path Chemin(const AnsiString& chemin) { return stdfs::path(CheminSysteme(chemin)); }

bool EstSeparateur(char c) { return c == '/' || c == '\\'; }

size_t DernierSeparateur(const AnsiString& chemin) {
  for (size_t i = chemin.size(); i > 0; --i)
    if (EstSeparateur(chemin[i - 1])) return i - 1;
  return AnsiString::npos;
}

// Seconds since the epoch (local time) to a TDateTime, and back.
TDateTime DepuisTimespec(const timespec& ts) {
  const time_t secondes = ts.tv_sec;
  tm local{};
  localtime_r(&secondes, &local);
  TDateTime date = 0, heure = 0;
  if (!EssaieEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, date)) return 0;
  if (!EssaieEncodeHeure(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59),
                         static_cast<int>(ts.tv_nsec / 1000000), heure))
    return date;
  return CombineDateHeure(date, heure);
}

bool CorrespondMotifDepuis(const AnsiString& nom, size_t i, const AnsiString& motif, size_t j) {
  while (j < motif.size()) {
    if (motif[j] == '*') {
      while (j < motif.size() && motif[j] == '*') ++j;
      if (j == motif.size()) return true;
      for (size_t k = i; k <= nom.size(); ++k)
        if (CorrespondMotifDepuis(nom, k, motif, j)) return true;
      return false;
    }
    if (i >= nom.size()) return false;
    if (motif[j] != '?' && MajusculeAnsi(motif[j]) != MajusculeAnsi(nom[i])) return false;
    ++i;
    ++j;
  }
  return i == nom.size();
}

// A failed std::filesystem call leaves its reason where the other calls leave theirs.
bool Echec(const std::error_code& ec) {
  if (ec) errno = ec.value();
  return false;
}

TErreurSysteme ErreurDe(int e) {
  switch (e) {
    case 0: return TErreurSysteme::Aucune;
    case ENOSPC:
    case EDQUOT: return TErreurSysteme::DisquePlein;
    case EEXIST: return TErreurSysteme::Existe;
    case ENOTEMPTY: return TErreurSysteme::NonVide;
    case ENOENT:
    case ENOTDIR: return TErreurSysteme::Absent;
    case EACCES:
    case EPERM:
    case EROFS: return TErreurSysteme::Refuse;
    case EWOULDBLOCK: return TErreurSysteme::Verrouille;
    default: return TErreurSysteme::Autre;
  }
}

}  // namespace

TErreurSysteme DerniereErreurSysteme() { return ErreurDe(errno); }

TErreurSysteme ErreurSystemeDe(int numero) { return ErreurDe(numero); }

namespace {
std::atomic<uint64_t> gEcrituresEchouees{0};
std::atomic<int> gCauseEchec{0};
}  // namespace

uint64_t EcrituresEchouees() { return gEcrituresEchouees.load(); }

TErreurSysteme CauseDerniereEcritureEchouee() {
  const int cause = gCauseEchec.load();
  return cause == 0 ? TErreurSysteme::DisquePlein : ErreurDe(cause);
}

void SignaleEcritureEchouee(int numero) {
  gCauseEchec.store(numero);
  gEcrituresEchouees.fetch_add(1);
}

std::string TexteErreurSysteme() { return std::strerror(errno); }

TAppelsSysteme& AppelsSysteme() { return gAppels; }

void RestaureAppelsSysteme() { gAppels = AppelsParDefaut(); }

TFichier::~TFichier() { Ferme(); }

TFichier::TFichier(TFichier&& autre) noexcept
    : fd_(autre.fd_), ecriture_(autre.ecriture_), chemin_(std::move(autre.chemin_)) {
  autre.fd_ = -1;
}

TFichier& TFichier::operator=(TFichier&& autre) noexcept {
  if (this != &autre) {
    Ferme();
    fd_ = autre.fd_;
    ecriture_ = autre.ecriture_;
    chemin_ = std::move(autre.chemin_);
    autre.fd_ = -1;
  }
  return *this;
}

TFichier TFichier::Ouvre(const AnsiString& chemin, TAcces acces, TCreation creation,
                         TErreurSysteme* erreur) {
  TFichier f;
  const bool ecriture = acces == TAcces::LectureEcriture;
  int drapeaux = O_CLOEXEC | (ecriture ? O_RDWR : O_RDONLY);
  if (creation == TCreation::Ecrase) drapeaux |= O_CREAT;
  const std::string systeme = CheminSysteme(chemin);
  const int fd = ::open(systeme.c_str(), drapeaux, 0644);
  if (fd < 0) {
    if (erreur) *erreur = ErreurDe(errno);
    return f;
  }
  // A writer holds an exclusive lock for as long as the handle lives.
  if (ecriture && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int e = errno;
    ::close(fd);
    if (erreur) *erreur = ErreurDe(e);
    errno = e;
    return f;
  }
  // Emptying happens only once the lock is ours, so a locked file is never truncated.
  if (creation == TCreation::Ecrase && ::ftruncate(fd, 0) != 0) {
    const int e = errno;
    ::close(fd);
    if (erreur) *erreur = ErreurDe(e);
    errno = e;
    return f;
  }
  if (erreur) *erreur = TErreurSysteme::Aucune;
  f.fd_ = fd;
  f.ecriture_ = ecriture;
  f.chemin_ = chemin;
  return f;
}

namespace {

// Transfers until done, end of file (0) or error; EINTR retried. The bytes moved, or -1 when
// the first call failed.
template <typename Appel, typename Octet>
int64_t Transfere(Appel appel, int fd, int64_t position, Octet* octets, size_t taille) {
  size_t total = 0;
  while (total < taille) {
    const ssize_t n = appel(fd, octets + total, taille - total, static_cast<off_t>(position + total));
    if (n < 0) {
      if (errno == EINTR) continue;
      return total > 0 ? static_cast<int64_t>(total) : -1;
    }
    if (n == 0) break;
    total += static_cast<size_t>(n);
  }
  return static_cast<int64_t>(total);
}

}  // namespace

int64_t TFichier::LitA(int64_t position, void* tampon, size_t taille) const {
  if (fd_ < 0 || position < 0) return -1;
  return Transfere(gAppels.pread, fd_, position, static_cast<unsigned char*>(tampon), taille);
}

int64_t TFichier::EcritA(int64_t position, const void* tampon, size_t taille) {
  if (fd_ < 0 || !ecriture_ || position < 0) return -1;
  const int64_t ecrits = Transfere(gAppels.pwrite, fd_, position, static_cast<const unsigned char*>(tampon), taille);
  if (ecrits != static_cast<int64_t>(taille)) SignaleEcritureEchouee(ecrits < 0 ? errno : 0);
  return ecrits;
}

bool TFichier::Synchronise() {
  if (fd_ < 0) return false;
  if (gAppels.fdatasync(fd_) == 0) return true;
  SignaleEcritureEchouee(errno);
  return false;
}

int64_t TFichier::Taille() const {
  struct stat st{};
  if (fd_ < 0 || ::fstat(fd_, &st) != 0) return -1;
  return st.st_size;
}

bool TFichier::Tronque(int64_t taille) {
  return fd_ >= 0 && ecriture_ && taille >= 0 && ::ftruncate(fd_, taille) == 0;
}

void TFichier::Ferme() noexcept {
  if (fd_ >= 0) ::close(fd_);  // never retried: the descriptor is gone whatever close says
  fd_ = -1;
  ecriture_ = false;
}

AnsiString NormaliseChemin(const AnsiString& chemin) {
  AnsiString sortie(chemin);
  std::replace(sortie.begin(), sortie.end(), '\\', '/');
  return sortie;
}

std::string CheminSysteme(const AnsiString& chemin) { return AnsiVersUtf8(NormaliseChemin(chemin)); }

AnsiString ExtraitRepertoire(const AnsiString& chemin) {
  const size_t p = DernierSeparateur(chemin);
  return p == AnsiString::npos ? AnsiString() : NormaliseChemin(chemin.substr(0, p + 1));
}

AnsiString ExtraitNomFichier(const AnsiString& chemin) {
  const size_t p = DernierSeparateur(chemin);
  return p == AnsiString::npos ? chemin : chemin.substr(p + 1);
}

AnsiString ExtraitExtension(const AnsiString& chemin) {
  const AnsiString nom = ExtraitNomFichier(chemin);
  const size_t p = nom.rfind('.');
  return p == AnsiString::npos ? AnsiString() : nom.substr(p);
}

AnsiString ChangeExtension(const AnsiString& chemin, const AnsiString& extension) {
  const size_t separateur = DernierSeparateur(chemin);
  const size_t point = chemin.rfind('.');
  if (point == AnsiString::npos || (separateur != AnsiString::npos && point < separateur))
    return chemin + extension;
  return chemin.substr(0, point) + extension;
}

AnsiString AvecSeparateurFinal(const AnsiString& chemin) {
  if (chemin.empty()) return "./";  // a bare name lies in the current directory
  if (!chemin.empty() && EstSeparateur(chemin.back())) return NormaliseChemin(chemin);
  return NormaliseChemin(chemin) + "/";
}

AnsiString SansSeparateurFinal(const AnsiString& chemin) {
  AnsiString sortie = NormaliseChemin(chemin);
  while (sortie.size() > 1 && sortie.back() == '/') sortie.pop_back();
  return sortie;
}

bool FichierExiste(const AnsiString& chemin) {
  std::error_code ec;
  return stdfs::is_regular_file(Chemin(chemin), ec);
}

bool RepertoireExiste(const AnsiString& chemin) {
  std::error_code ec;
  return !chemin.empty() && stdfs::is_directory(Chemin(chemin), ec);
}

bool CreeRepertoires(const AnsiString& chemin) {
  std::error_code ec;
  const stdfs::path p = Chemin(SansSeparateurFinal(chemin));
  stdfs::create_directories(p, ec);
  const std::error_code creation = ec;
  return stdfs::is_directory(p, ec) || Echec(creation ? creation : ec);
}

bool SupprimeArborescence(const AnsiString& chemin) {
  std::error_code ec;
  stdfs::remove_all(Chemin(chemin), ec);
  return !ec || Echec(ec);
}

bool SupprimeFichier(const AnsiString& chemin) {
  return ::unlink(CheminSysteme(chemin).c_str()) == 0;
}

bool RenommeFichier(const AnsiString& ancien, const AnsiString& nouveau) {
  const std::string a = CheminSysteme(ancien), n = CheminSysteme(nouveau);
  struct stat st{};
  if (::lstat(n.c_str(), &st) == 0) {
    errno = EEXIST;
    return false;
  }
  return gAppels.rename(a.c_str(), n.c_str()) == 0;
}

bool CopieFichier(const AnsiString& source, const AnsiString& cible, bool ecraser) {
  std::error_code ec;
  const auto option =
      ecraser ? stdfs::copy_options::overwrite_existing : stdfs::copy_options::none;
  return (stdfs::copy_file(Chemin(source), Chemin(cible), option, ec) && !ec) || Echec(ec);
}

int64_t TailleFichier(const AnsiString& chemin) {
  struct stat st{};
  if (::stat(CheminSysteme(chemin).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  return st.st_size;
}

bool MemeFichier(const AnsiString& a, const AnsiString& b) {
  struct stat sa{}, sb{};
  if (::stat(CheminSysteme(a).c_str(), &sa) != 0 || ::stat(CheminSysteme(b).c_str(), &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool DateModificationFichier(const AnsiString& chemin, TDateTime& date) {
  struct stat st{};
  if (::stat(CheminSysteme(chemin).c_str(), &st) != 0) return false;
  date = DepuisTimespec(st.st_mtim);
  return true;
}

bool DefinitDateModificationFichier(const AnsiString& chemin, TDateTime date) {
  const TDateDecodee d = DecodeDateHeure(date);
  tm local{};
  local.tm_year = d.annee - 1900;
  local.tm_mon = d.mois - 1;
  local.tm_mday = d.jour;
  local.tm_hour = d.heure;
  local.tm_min = d.minute;
  local.tm_sec = d.seconde;
  local.tm_isdst = -1;
  const time_t t = mktime(&local);
  if (t == static_cast<time_t>(-1)) return false;
  const timespec temps[2] = {{t, d.milli * 1000000L}, {t, d.milli * 1000000L}};
  return ::utimensat(AT_FDCWD, CheminSysteme(chemin).c_str(), temps, 0) == 0;
}

bool EstEnLectureSeule(const AnsiString& chemin) {
  struct stat st{};
  if (::stat(CheminSysteme(chemin).c_str(), &st) != 0) return false;
  return (st.st_mode & S_IWUSR) == 0;
}

bool DefinitLectureSeule(const AnsiString& chemin, bool lectureSeule) {
  const std::string systeme = CheminSysteme(chemin);
  struct stat st{};
  if (::stat(systeme.c_str(), &st) != 0) return false;
  mode_t mode = st.st_mode & 07777;
  mode = lectureSeule ? (mode & ~(S_IWUSR | S_IWGRP | S_IWOTH)) : (mode | S_IWUSR);
  return ::chmod(systeme.c_str(), mode) == 0;
}

bool CorrespondMotif(const AnsiString& nom, const AnsiString& motif) {
  if (motif == "*.*" || motif == "*") return true;
  return CorrespondMotifDepuis(nom, 0, motif, 0);
}

std::vector<AnsiString> ListeFichiers(const AnsiString& repertoire, const AnsiString& motif) {
  std::vector<AnsiString> noms;
  DIR* d = ::opendir(CheminSysteme(repertoire).c_str());
  if (!d) return noms;
  const std::string base = CheminSysteme(AvecSeparateurFinal(repertoire));
  while (const dirent* e = ::readdir(d)) {
    const std::string nomUtf8 = e->d_name;
    struct stat st{};
    if (::stat((base + nomUtf8).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    AnsiString nom = Utf8VersAnsi(nomUtf8);
    if (CorrespondMotif(nom, motif)) noms.push_back(std::move(nom));
  }
  ::closedir(d);
  std::sort(noms.begin(), noms.end());
  return noms;
}

}  // namespace kyb
