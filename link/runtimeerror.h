#pragma once
#include <exception>
#include <stdexcept>
#include <string>

namespace ort {

// A run-time error of the program: a number and a text. The user is told
// the text, in words; the number only tells the kinds apart.
class RunTimeError : public std::runtime_error {
public:
    static constexpr int Overflow = 6;
    static constexpr int DeviceIo = 57;   // a failure reported by the bus access component
    static constexpr int Internal = 51;

    RunTimeError(int number, const std::string &text) : std::runtime_error(text), m_number(number) {}
    int number() const { return m_number; }

    static RunTimeError overflow() { return RunTimeError(Overflow, "Overflow"); }
    // Any exception as the run-time error it stands for.
    static RunTimeError from(std::exception_ptr error);

private:
    int m_number;
};

// The byte of a value, as the link converts it before any bus activity.
unsigned char toByte(long long value);

} // namespace ort
