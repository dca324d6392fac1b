#include "registers/entryparse.h"
#include "base/numbers.h"

#include <algorithm>

namespace ort {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The text without the blanks around it.
std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

int64_t accumulate(int64_t value, int base, int digit)
{
    return std::min(EntryLimit, value * base + digit);
}

} // namespace

// Hand-written rather than std::from_chars or strtod: from_chars takes no
// sign but "-", and a double cannot tell 2.5 from 2.5000000000000000001.

std::optional<int64_t> parseHexEntry(std::string_view text)
{
    text = trimmed(text);
    if (text.empty())
        return std::nullopt;
    int64_t value = 0;
    for (char c : text) {
        const int d = hexDigitValue(c);
        if (d < 0)
            return std::nullopt;
        value = accumulate(value, 16, d);
    }
    return value;
}

std::optional<int64_t> parseDecimalEntry(std::string_view text)
{
    text = trimmed(text);
    size_t at = 0;
    auto peek = [&] { return at < text.size() ? text[at] : '\0'; };
    bool negative = false;
    if (peek() == '+' || peek() == '-') {
        negative = peek() == '-';
        ++at;
    }
    int64_t whole = 0;
    int digits = 0;
    for (; isDigit(peek()); ++at, ++digits)
        whole = accumulate(whole, 10, peek() - '0');

    // Only the fraction's first digit and whether anything follows it
    // decide the rounding.
    int first = 0;
    bool restNonZero = false;
    if (peek() == '.') {
        ++at;
        if (isDigit(peek())) {
            first = peek() - '0';
            ++at;
            ++digits;
        }
        for (; isDigit(peek()); ++at)
            restNonZero = restNonZero || peek() != '0';
    }
    if (digits == 0 || at != text.size())
        return std::nullopt;
    const bool up = first > 5 || (first == 5 && (restNonZero || whole % 2 == 1));
    const int64_t magnitude = std::min(EntryLimit, whole + (up ? 1 : 0));
    return negative ? -magnitude : magnitude;
}

} // namespace ort
