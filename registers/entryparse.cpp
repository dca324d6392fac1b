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

// Hand-written rather than std::from_chars or strtod: those stop at the
// first blank, and a double cannot tell 2.5 from 2.5000000000000000001.
class Reader {
public:
    explicit Reader(std::string_view text) : m_text(text) {}
    // The next character that is not a blank, without taking it; 0 at the end.
    char peek()
    {
        while (m_at < m_text.size() && isBlank(m_text[m_at]))
            ++m_at;
        return m_at < m_text.size() ? m_text[m_at] : '\0';
    }
    void take() { ++m_at; }

private:
    std::string_view m_text;
    size_t m_at = 0;
};

int64_t accumulate(int64_t value, int base, int digit)
{
    return std::min(EntryLimit, value * base + digit);
}

} // namespace

int64_t ParseHexEntry(std::string_view text)
{
    Reader r(text);
    int64_t value = 0;
    for (int d; (d = hexDigitValue(r.peek())) >= 0; r.take())
        value = accumulate(value, 16, d);
    return value;
}

int64_t ParseDecimalEntry(std::string_view text)
{
    Reader r(text);
    bool negative = false;
    if (r.peek() == '+' || r.peek() == '-') {
        negative = r.peek() == '-';
        r.take();
    }
    int64_t whole = 0;
    for (; isDigit(r.peek()); r.take())
        whole = accumulate(whole, 10, r.peek() - '0');

    // Only the fraction's first digit and whether anything follows it
    // decide the rounding.
    int first = 0;
    bool restNonZero = false;
    if (r.peek() == '.') {
        r.take();
        if (isDigit(r.peek())) {
            first = r.peek() - '0';
            r.take();
        }
        for (; isDigit(r.peek()); r.take())
            restNonZero = restNonZero || r.peek() != '0';
    }
    const bool up = first > 5 || (first == 5 && (restNonZero || whole % 2 == 1));
    const int64_t magnitude = std::min(EntryLimit, whole + (up ? 1 : 0));
    return negative ? -magnitude : magnitude;
}

} // namespace ort
