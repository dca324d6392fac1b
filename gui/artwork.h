#pragma once
#include <QPixmap>
#include <QSize>

namespace ort {

// The picture of the chip on its board, drawn rather than shipped.
QPixmap chipPicture(QSize size);

} // namespace ort
