#pragma once
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace ort {

// A change of the alert lamp between "No Alert Detected" and "Alert
// Detected", with what was known of the chip at it.
struct AlertChange {
    bool alert = false;      // it started; else it ended
    uint8_t status = 0;      // the status byte of the read that changed it
    // Both temperatures in C, remote first, where the tick read them.
    std::optional<std::array<int, 2>> temperatures;
    // The limits in C in the order of the chip's limit registers: local
    // high, local low, remote high, remote low; where they are known.
    std::optional<std::array<int, 4>> limits;
};

// What a desktop notification says of a change: "ORT310: Alert Detected",
// the temperatures and each limit the status flags as crossed.
struct AlertNotice {
    QString summary;
    QString body;
};
AlertNotice alertNotice(const AlertChange &change);

} // namespace ort
