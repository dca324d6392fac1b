#pragma once
#include <QColor>
#include <QWidget>
#include <array>

namespace ort {

// A horizontal gauge over the scale 0 to 255 with three draggable pointers:
// the band (pointer 0, a start and an end, dragged as a whole), the low
// pointer (1, below the scale) and the high pointer (2, above it). Values are
// reals; positions are those values rounded to whole steps, halves to even.
// pointerMoved reports only moves made by the user; the setters are silent.
//
// Keys: Space chooses the next pointer, Left/Right move it one step,
// Page Up/Down ten.
class LinearGauge : public QWidget {
    Q_OBJECT
public:
    enum Pointer { Band = 0, LowPointer = 1, HighPointer = 2 };
    static constexpr double Minimum = 0;
    static constexpr double Maximum = 255;
    static constexpr int CaptionCount = 4;

    explicit LinearGauge(QWidget *parent = nullptr);

    // Pointer 0 reads as the band's start; setting it moves the whole band.
    double pointerValue(int pointer) const;
    int pointerPosition(int pointer) const;
    void setPointerValue(int pointer, double value);

    double bandStart() const { return m_bandStart; }
    double bandEnd() const { return m_bandEnd; }
    int bandStartPosition() const;
    int bandEndPosition() const;
    void setBandStart(double value);
    void setBandEnd(double value);
    void setBand(double start, double end);

    // Captions 0 and 1 sit above the scale at left and right, 2 and 3 below.
    void setCaption(int index, const QString &text);
    QString caption(int index) const;
    // The fixed label, centred below the scale.
    void setLabel(const QString &text);
    QString label() const { return m_label; }

    int currentPointer() const { return m_current; }

    // How assistive tools read the low and high pointers: by name, as the
    // value plus the offset, with the unit after it.
    void setPointerName(int pointer, const QString &name);
    QString pointerName(int pointer) const;
    void setReadingOffset(double offset) { m_readingOffset = offset; }
    double readingOffset() const { return m_readingOffset; }
    void setReadingUnit(const QString &unit) { m_readingUnit = unit; }
    QString readingUnit() const { return m_readingUnit; }
    // Moves a pointer as a whole drag of the user's does (moveStarted, then
    // pointerMoved for a move of a whole step).
    void moveAsUser(int pointer, double value)
    {
        emit moveStarted();
        userMove(pointer, value);
    }

    // Geometry, for hit-testing and for tests that drag with the mouse.
    double valueAt(double x) const;
    double xAt(double value) const;
    int pointerAt(const QPointF &pos) const;   // -1 if nothing there
    QPointF grabPoint(int pointer) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void pointerMoved(int pointer);
    // A move that is not a mouse press or a key began (an assistive tool's).
    void moveStarted();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    struct Geometry {
        qreal left, right;            // the scale's ends
        qreal trackTop, trackBottom;
        qreal markerH;                // height of a pointer's triangle
        qreal topRowY, bottomRowY;    // tops of the caption rows
        qreal rowH;
    };
    Geometry geometry() const;
    static double clampValue(double v);
    void userMove(int pointer, double value);
    void announce(int pointer);

    double m_bandStart = 0;
    double m_bandEnd = 255;
    std::array<double, 3> m_pointers{0, 0, 255};   // index 0 unused: the band
    std::array<QString, CaptionCount> m_captions;
    QString m_label;
    std::array<QString, 3> m_pointerNames{QString(), QStringLiteral("Low"), QStringLiteral("High")};
    double m_readingOffset = 0;
    QString m_readingUnit;
    int m_current = HighPointer;
    int m_dragging = -1;
    double m_grabOffset = 0;
};

} // namespace ort
