#pragma once
#include "component/options.h"
#include "component/sim/scenario.h"

#include <QByteArray>
#include <QString>
#include <stdexcept>

// A file that describes the simulated board (--board, ORT310_BOARD): JSON
// with printer ports, SMBus adapters and their chips. Anything the file says
// that the board cannot be is refused, naming the file, the line and the key.

namespace ort {

// A board file that cannot be used, in words for the user:
// `hot.json:7: "remoteHigh": 300 is not a whole temperature from -128 to 127`.
class BoardFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The board a file's text describes; `name` is how refusals name the file.
// Throws BoardFileError.
sim::Scenario parseBoard(const QByteArray &text, const QString &name);

// Reads the file that the options name as their board, if any, into their
// scenario. Throws BoardFileError, also for a file that cannot be read.
void readBoard(ComponentOptions &options);

} // namespace ort
