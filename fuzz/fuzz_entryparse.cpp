// The register editor's hexadecimal and decimal entry boxes on any text:
// whatever they make of it stays within the entry limit.
#include "registers/entryparse.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace {

[[maybe_unused]] void check(int64_t value)
{
    if (value < -ort::EntryLimit || value > ort::EntryLimit)
        __builtin_trap();
}
// A parser that refuses what is not a number answers with nothing.
[[maybe_unused]] void check(const std::optional<int64_t> &value)
{
    if (value)
        check(*value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    check(ort::parseHexEntry(text));
    check(ort::parseDecimalEntry(text));
    return 0;
}
