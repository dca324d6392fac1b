#pragma once
#include <QString>
#include <cstdint>
#include <optional>

// The tool's readers of what a user types on its command line. Each takes
// the whole text or refuses it: "12a", "", "0x" and "1e3" are no numbers.
// A refusal is a UsageError that says what was wrong and what would do.
// Pure: no bus, no files.

namespace ort::cli {

// A whole number: decimal ("26") or hexadecimal ("0x1A", "1Ah"), no sign.
// Nothing when the text is not wholly one; a magnitude past 2^31 is held
// there, far outside anything the tool accepts.
std::optional<int64_t> parseWholeNumber(const QString &text);

// A register value, 0 to 255, decimal or hexadecimal.
int parseByteValue(const QString &text);

// A temperature limit in whole degrees Celsius, -128 to 127, decimal.
int parseCelsius(const QString &text, const QString &what);

// Seconds, decimal with an optional fraction ("5", "0.25", ".5"), from 0
// up to `most`.
double parseSeconds(const QString &text, const QString &what, double most);

// A count of at least 1.
int64_t parseCount(const QString &text, const QString &what);

// A chip's 7-bit bus address in hexadecimal, as the program shows them
// ("4C", "4Ch", "0x4C"): 03h to 77h.
uint8_t parseBusAddress(const QString &text);

// A printer port's I/O base in hexadecimal ("378", "378h", "0x378").
uint16_t parsePortBase(const QString &text);

// Where the exporter listens: "127.0.0.1:9310", "[::1]:9310",
// "localhost:9310", "0.0.0.0:9310"; port 0 takes any free one. The host is
// an address, never a name to look up (but "localhost"), so the choice of
// what the readings are open to is the user's and nobody else's.
struct ListenAddress {
    QString host;   // as QHostAddress reads it: "127.0.0.1", "::1"
    uint16_t port = 0;
};
ListenAddress parseListenAddress(const QString &text);

// A conversion-rate code, 0 to 7.
int parseRateCode(const QString &text);
// Conversions per second, one of 0.0625, 0.125 ... 8 (fractions such as
// "1/16" too), as its rate code.
int parseConversionsPerSecond(const QString &text);
// Conversions per second of a rate code; codes above 7 act as 7.
double conversionsPerSecond(int code);

// A register of the register map, by address (decimal or hexadecimal) or
// by name: its caption or type name, in any case, blanks, dots and dashes
// left out ("status", "local-temp-high-limit", "LocalTemperature").
// Returns the register's read address; a write address ("0x0B") gives the
// register it writes. Refuses an address the map does not hold.
uint8_t parseRegister(const QString &text);

} // namespace ort::cli
