// Each reader of a value the user types, chosen by the first byte, on the
// rest as text; what it accepts must lie in its range.
#include "fuzz/check.h"
#include "cli/values.h"
#include "link/busoptions.h"
#include "log/logrecord.h"
#include "registers/registermap.h"

#include <cmath>
#include <cstddef>
#include <cstdint>


extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    using namespace ort::cli;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), static_cast<qsizetype>(size - 1));
    try {
        switch (data[0] % 10) {
        case 0: check(parseByteValue(text) >= 0 && parseByteValue(text) <= 255); break;
        case 1: { const int c = parseCelsius(text, "t"); check(c >= -128 && c <= 127); break; }
        case 2: { const double s = parseSeconds(text, "t", 86400); check(s >= 0 && s <= 86400); break; }
        case 3: check(parseCount(text, "n") >= 1); break;
        case 4: { const int a = parseBusAddress(text); check(a >= 3 && a <= 0x77); break; }
        case 5: check(parsePortBase(text) != 0); break;
        case 6: { const int r = parseRateCode(text); check(r >= 0 && r <= 7); break; }
        case 7: { const int r = parseConversionsPerSecond(text); check(r >= 0 && r <= 7); break; }
        case 8: check(ort::registerRowOf(parseRegister(text)) >= 0); break;
        default: {
            // The log's delay box.
            const double v = ort::numericValue(text);
            check(!std::isnan(v));
            break;
        }
        }
    } catch (const ort::UsageError &) {
    }
    return 0;
}
