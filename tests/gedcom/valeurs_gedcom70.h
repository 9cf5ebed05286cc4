#pragma once
// The payloads of GEDCOM 7.0 written as the standard's grammar has them, for the grammar check of
// the tests: dates (any, exact, period), times, ages, non-negative integers, latitudes,
// longitudes and media types.
#include <string>
#include <string_view>

namespace kyb::test {

// What is wrong with valeur as a payload of that type (the URI of the standard's payload table),
// in a few words; empty when it is right or when the type is none of those above.
[[nodiscard]] std::string FauteValeur70(std::string_view type, std::string_view valeur);

}  // namespace kyb::test
