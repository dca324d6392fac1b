#pragma once
#include <cstdint>
#include <string_view>

// The register editor's two entry boxes read untrusted text typed by the
// user. Both parsers are total: any text gives a number, and text without a
// number gives 0. Pure.

namespace ort {

// A magnitude too large to be written out is held here; it is far outside
// any register value, so callers refuse it like any other such value.
inline constexpr int64_t EntryLimit = 1'000'000'000;

// The hexadecimal digits (either case) from the start of the text up to the
// first other character; blanks and tabs are skipped wherever they stand.
int64_t ParseHexEntry(std::string_view text);

// An optional sign, digits, an optional decimal point and fraction, up to
// the first character that cannot continue the number, blanks and tabs
// skipped; the nearest whole number, halves going to the even neighbour.
int64_t ParseDecimalEntry(std::string_view text);

} // namespace ort
