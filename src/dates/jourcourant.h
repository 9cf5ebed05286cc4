#pragma once
// Small date-text helpers: today's date and time from the platform clock (Maintenant(), which
// tests fix), padding of typed dates, Easter Sunday.
//
// Buffer forms take the buffer and its size in bytes; the text written is always NUL-terminated
// and cut to fit. The array overloads pass the size themselves.
#include <cstddef>
#include <string_view>

#include "platform/chaines.h"
#include "platform/date_heure.h"

namespace kyb {

// D/M/YYYY in place -> DD/MM/YYYY. False (buffer unchanged) when it is not such a text or the
// buffer is too small.
bool FormatDateG(char* tampon, std::size_t taille) noexcept;
// DD/MM/YYYY -> DD/MM/YY; an empty buffer for a text of any other length.
void FormatDateG8(std::string_view texte, char* tampon, std::size_t taille) noexcept;
void GetDateJour(char* tampon, std::size_t taille);       // DD/MM/YYYY
void GetHeure(char* tampon, std::size_t taille);          // HH:MM:SS
void GetAnneeCourante(char* tampon, std::size_t taille);  // YYYY
// Today's date one year on (29 February becomes 28 February).
void AjouteUnAn(char* tampon, std::size_t taille);

template <std::size_t N> bool FormatDateG(char (&t)[N]) noexcept { return FormatDateG(t, N); }
template <std::size_t N> void FormatDateG8(std::string_view s, char (&t)[N]) noexcept {
  FormatDateG8(s, t, N);
}
template <std::size_t N> void GetDateJour(char (&t)[N]) { GetDateJour(t, N); }
template <std::size_t N> void GetHeure(char (&t)[N]) { GetHeure(t, N); }
template <std::size_t N> void GetAnneeCourante(char (&t)[N]) { GetAnneeCourante(t, N); }
template <std::size_t N> void AjouteUnAn(char (&t)[N]) { AjouteUnAn(t, N); }

// A number is a serial date-time; another text is read as "dd/mm/yyyy[ hh:nn[:ss]]"; an empty or
// unreadable text gives Maintenant().
[[nodiscard]] TDateTime RetourneTDT(std::string_view texte);

// Year on 4 digits padded with '0'; "...." outside 0..9999.
[[nodiscard]] AnsiString CreerChnAn(int annee);

// Easter Sunday as DD/MM/YYYY by Gauss's method, years 1583 to 2498 (empty text otherwise). The
// year text is copied as given.
[[nodiscard]] AnsiString CalcDatePaques(std::string_view annee);

}  // namespace kyb
