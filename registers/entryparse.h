#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

// The register editor's two entry boxes read untrusted text typed by the
// user. An entry is a number only when all of it is one, blanks and tabs
// around it allowed; anything else (nothing, "zz", "12a") is no number, and
// the editor writes nothing for it. Pure.

namespace ort {

// A magnitude too large to be written out is held here; it is far outside
// any register value, so callers refuse it like any other such value.
inline constexpr int64_t EntryLimit = 1'000'000'000;

// Hexadecimal digits, either case.
std::optional<int64_t> parseHexEntry(std::string_view text);

// An optional sign, digits, an optional decimal point and fraction (".5" and
// "5." too); the nearest whole number, halves going to the even neighbour.
std::optional<int64_t> parseDecimalEntry(std::string_view text);

} // namespace ort
