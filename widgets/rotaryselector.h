#pragma once
#include <QStringList>
#include <QWidget>

namespace ort {

// An eight-position rotary knob with a label at each position. Turned by
// dragging the knob, clicking a label, the wheel and the arrow keys (Home and
// End jump to the ends); it stops at 0 and 7. positionChanged reports only
// changes made by the user; setPosition is silent.
class RotarySelector : public QWidget {
    Q_OBJECT
public:
    static constexpr int PositionCount = 8;

    explicit RotarySelector(QWidget *parent = nullptr);

    int position() const { return m_position; }
    void setPosition(int position);
    // Turns the knob as the user does: positionChanged follows a change.
    void turnAsUser(int position) { userSet(position); }

    // One label per position; missing ones show the position number.
    void setLabels(const QStringList &labels);
    QStringList labels() const { return m_labels; }
    QString label(int position) const;

    // Geometry, for hit-testing and for tests that click with the mouse.
    QPointF knobCentre() const;
    qreal knobRadius() const;
    QRectF labelRect(int position) const;
    // The position whose direction from the knob's centre is nearest to pos.
    int positionToward(const QPointF &pos) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void positionChanged(int position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    static qreal angleOf(int position);   // degrees clockwise from twelve o'clock
    void userSet(int position);
    void announce();

    int m_position = 0;
    QStringList m_labels;
    bool m_dragging = false;
    int m_wheelRemainder = 0;
};

} // namespace ort
