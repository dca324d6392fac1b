#pragma once

namespace ort {

// Makes the instruments of this folder known to assistive tools: each gets
// an accessible interface with its role, its value where it holds one, and
// the actions a person has on it. Idempotent; every instrument calls it when
// it is made, so no caller has to remember it.
void installInstrumentAccess();

} // namespace ort
