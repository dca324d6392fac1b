#pragma once
#include <QAbstractSlider>
#include <QStringList>

namespace ort {

// An eight-position rotary knob with a label at each position: a slider
// from 0 to 7 whose keys (arrows, Home and End) and value come from the
// base. Turned also by dragging the knob, clicking a label and the wheel.
// positionChanged reports only changes made by the user; setPosition is
// silent.
class RotarySelector : public QAbstractSlider {
    Q_OBJECT
public:
    static constexpr int PositionCount = 8;

    explicit RotarySelector(QWidget *parent = nullptr);

    int position() const { return value(); }
    void setPosition(int position);
    // Turns the knob as the user does: positionChanged follows a change.
    void turnAsUser(int position) { setValue(position); }

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

private:
    static qreal angleOf(int position);   // degrees clockwise from twelve o'clock

    bool m_settingQuietly = false;
    QStringList m_labels;
    bool m_dragging = false;
    int m_wheelRemainder = 0;
};

} // namespace ort
