#pragma once
#include <QAccessible>

class QWidget;

namespace ort {

// What assistive tools are told a top-level window is: a frame (Window) or a
// dialog. A plain QWidget window would otherwise read as a bare filler.
void setAccessibleWindowRole(QWidget *window, QAccessible::Role role);

// Accessible interfaces for this folder's controls and for windows given a
// role above. Idempotent; the controls call it when they are made.
void installWidgetAccess();

} // namespace ort
