// Renders the program's icon from its artwork: one SVG and a PNG for each
// size of the hicolor theme, into the folder given (tools/icons.sh).
//   QT_QPA_PLATFORM=offscreen render_icons data/icons
#include "gui/artwork.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? argv[1] : "data/icons";
    QDir().mkpath(dir);

    constexpr int SvgSide = 256;
    QSvgGenerator svg;
    svg.setFileName(dir + "/ort310eval.svg");
    svg.setSize(QSize(SvgSide, SvgSide));
    svg.setViewBox(QRect(0, 0, SvgSide, SvgSide));
    svg.setTitle("ORT310 Evaluation Software");
    {
        QPainter p(&svg);
        ort::paintProgramIcon(p, SvgSide);
    }
    std::printf("%s\n", qPrintable(svg.fileName()));

    for (int side : ort::IconSizes) {
        QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            ort::paintProgramIcon(p, side);
        }
        const QString path = QStringLiteral("%1/%2.png").arg(dir).arg(side);
        if (!image.save(path))
            return 1;
        std::printf("%s\n", qPrintable(path));

        // The SVG file must show what the painter drew (the generator drops
        // what SVG Tiny cannot say, clipping for one): render it back and
        // count the pixels that differ clearly.
        QImage back(side, side, QImage::Format_ARGB32_Premultiplied);
        back.fill(Qt::transparent);
        {
            QPainter p(&back);
            QSvgRenderer(svg.fileName()).render(&p);
        }
        int differing = 0;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                const QColor a = image.pixelColor(x, y), b = back.pixelColor(x, y);
                if (std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) +
                        std::abs(a.alpha() - b.alpha()) > 96)
                    ++differing;
            }
        std::printf("  the SVG differs from it in %d of %d pixels\n", differing, side * side);
        // Only at the SVG's own size is the marking set in the same font
        // size; smaller pictures differ there, or leave it out.
        if (side == SvgSide && differing > side * side / 100)
            return 1;
    }
    return 0;
}
