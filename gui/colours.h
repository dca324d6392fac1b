#pragma once
#include <QColor>

namespace ort::colour {

// The documented colours.
inline const QColor Red(255, 0, 0);             // an alert; a write button whose box was edited
inline const QColor Green(0, 255, 0);           // no alert; a written entry
inline const QColor LightGrey(192, 192, 192);   // alert checking off
inline const QColor DarkRed(192, 0, 0);         // the wizard's refusal texts
inline const QColor DarkGreen(0, 128, 0);       // the wizard's medium descriptions

} // namespace ort::colour
