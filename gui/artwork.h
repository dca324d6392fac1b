#pragma once
#include <QIcon>
#include <QPixmap>
#include <QRectF>
#include <QSize>
#include <array>

class QPainter;

namespace ort {

// The chip on its board, drawn rather than shipped, into `area` of any
// paint device; the board's corners are rounded by `cornerRadius`.
void paintChipPicture(QPainter &p, const QRectF &area, qreal cornerRadius = 0);
QPixmap chipPicture(QSize size);

// The program's icon: the chip on a rounded square of board, `side` units
// wide. The committed icon files are rendered from it (bench/gui/render_icons).
void paintProgramIcon(QPainter &p, qreal side);
// The sizes of the committed icon pictures, those of the hicolor theme.
inline constexpr std::array<int, 8> IconSizes = {16, 22, 24, 32, 48, 64, 128, 256};
// The icon every window carries, from those files (built into the program).
QIcon programIcon();

} // namespace ort
