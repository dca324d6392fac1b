#pragma once
#include <QColor>
#include <QWidget>

class QPainter;

namespace ort {

// Fills `r` with `background` and draws a 3-D edge `width` pixels wide
// around it, raised or pressed in; the light and the shade come from the
// background, so a coloured face keeps a visible edge.
void drawBevel(QPainter &p, const QRect &r, const QColor &background, bool raised, int width);

// A captioned panel with a raised or inset 3-D edge and a settable
// background: a status panel, an indicator lamp, or a frame for other widgets
// (its contents margins keep children off the edge).
class Panel3D : public QWidget {
    Q_OBJECT
public:
    enum Bevel { Raised, Inset };

    explicit Panel3D(QWidget *parent = nullptr);
    explicit Panel3D(const QString &caption, QWidget *parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    Bevel bevel() const { return m_bevel; }
    void setBevel(Bevel bevel);
    int bevelWidth() const { return m_bevelWidth; }
    void setBevelWidth(int width);   // at 96 dpi
    QColor backgroundColor() const { return m_background; }
    void setBackgroundColor(const QColor &color);
    QColor textColor() const { return m_textColor; }
    void setTextColor(const QColor &color);
    Qt::Alignment captionAlignment() const { return m_alignment; }
    void setCaptionAlignment(Qt::Alignment alignment);
    // A status indicator (a lamp): assistive tools read it as one, named by
    // its caption, and hear each change of caption.
    bool isStatusIndicator() const { return m_statusIndicator; }
    void setStatusIndicator(bool indicator) { m_statusIndicator = indicator; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int edge() const;
    void updateMargins();

    QString m_caption;
    Bevel m_bevel = Raised;
    int m_bevelWidth = 2;
    QColor m_background{192, 192, 192};
    QColor m_textColor{0, 0, 0};
    Qt::Alignment m_alignment = Qt::AlignCenter;
    bool m_statusIndicator = false;
};

} // namespace ort
