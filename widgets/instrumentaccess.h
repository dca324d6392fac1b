#pragma once
#include <QAccessible>

namespace ort {

// Installs an accessibility factory the first time it is asked for and
// never again: widgets ask when they are made, and Qt would ask a factory
// installed twice twice for every widget.
void installAccessFactory(QAccessible::InterfaceFactory factory);

// Makes the instruments of this folder known to assistive tools: each gets
// an accessible interface with its role, its value where it holds one, and
// the actions a person has on it. Idempotent; every instrument calls it when
// it is made, so no caller has to remember it.
void installInstrumentAccess();

} // namespace ort
