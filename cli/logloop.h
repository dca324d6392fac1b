#pragma once
#include "cli/invocation.h"
#include "cli/tool.h"

namespace ort::cli {

class Session;

// ort310 log: timed records of both temperatures until a count, a time or
// a stop signal. The file "-" is standard output. A failing file or bus
// ends it with a message that says how many records were written.
int logReadings(Session &s, const Invocation &run, const ToolIo &io);

} // namespace ort::cli
