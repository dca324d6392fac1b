#pragma once
#include "component/options.h"

#include <QString>
#include <stdexcept>

class QCommandLineParser;

namespace ort {

// A command line that cannot be used, in words for the user.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The bus access component's settings as options, which both programs take:
// --bus, --i2c, --wire-trace and --board.
void addBusOptions(QCommandLineParser &parser);

// The settings of a parsed command line over those of the environment
// (`environment`, from optionsFromEnvironment): an option wins over its
// variable, the variable over the default. A bus that no backend has, from
// either, is a UsageError naming where it came from, as is a board file
// with the bus linux. The board file is not read here (boardfile.h).
ComponentOptions busOptions(const QCommandLineParser &parser, ComponentOptions environment);

} // namespace ort
