#include "registers/panelparts.h"
#include "gui/twips.h"

#include <QAbstractButton>
#include <QPainter>
#include <algorithm>

namespace ort {

CaptionedFrame::CaptionedFrame(const QString &caption, QWidget *parent) : Panel3D(caption, parent)
{
    setCaptionAlignment(Qt::AlignTop | Qt::AlignHCenter);
}

QMargins CaptionedFrame::layoutMargins() const
{
    const int gap = twips(this, 90);
    const int top = caption().isEmpty() ? gap : fontMetrics().height() + gap / 2;
    return QMargins(gap, top, gap, gap);
}

QSize CaptionedFrame::minimumSizeHint() const
{
    return Panel3D::minimumSizeHint().expandedTo(QWidget::minimumSizeHint());
}

ToggleButton::ToggleButton(const char *name, QWidget *parent, int widthTwips, int heightTwips) : QToolButton(parent)
{
    setObjectName(name);
    setCheckable(true);
    setFixedSize(twips(parent, widthTwips), twips(parent, heightTwips));
    setFocusPolicy(Qt::StrongFocus);
}

namespace {

// A key's face and edge, pressed in while down, with the focus marked.
void paintKey(QAbstractButton *b, const QColor &face, bool down)
{
    QPainter p(b);
    const QRect r = b->rect();
    const int e = std::max(2, r.height() / 8);
    drawBevel(p, r, face, !down, e);
    if (b->hasFocus()) {
        p.setPen(QPen(b->palette().color(QPalette::WindowText), 1, Qt::DotLine));
        p.drawRect(r.adjusted(e + 1, e + 1, -e - 2, -e - 2));
    }
}

} // namespace

void ToggleButton::paintEvent(QPaintEvent *)
{
    const bool down = isChecked() || isDown();
    const QColor face = palette().color(QPalette::Button);
    paintKey(this, down ? face.darker(150) : face, down);
}

ColourButton::ColourButton(const char *name, QWidget *parent, int widthTwips, int heightTwips) : QPushButton(parent)
{
    setObjectName(name);
    setFixedSize(twips(parent, widthTwips), twips(parent, heightTwips));
}

void ColourButton::paintEvent(QPaintEvent *)
{
    // A disabled button keeps its colour, dimmed.
    QColor face = palette().color(QPalette::Button);
    if (!isEnabled())
        face = QColor::fromHsv(face.hsvHue(), face.hsvSaturation() / 3, face.value());
    paintKey(this, face, isDown());
}

void setButtonColour(QAbstractButton *button, const QColor &colour)
{
    QPalette p = button->palette();
    p.setColor(QPalette::Button, colour);
    button->setPalette(p);
}

QColor buttonColour(const QAbstractButton *button)
{
    return button->palette().color(QPalette::Button);
}

} // namespace ort
