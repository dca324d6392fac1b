#pragma once
#include <functional>

namespace ort {

class Clock;

// Handles pending window events for at most the given number of seconds.
using EventPump = std::function<void(double seconds)>;

// Keeps handling window events until `seconds` have passed on `clock`;
// returns at once for 0.
void Pause(const Clock &clock, double seconds, const EventPump &pump);

// The program's pump: timers and painting go on, while clicks and keys wait
// until the pause is over, so no command starts a transfer in the middle of
// a bus sequence that pauses.
EventPump windowEventPump();

} // namespace ort
