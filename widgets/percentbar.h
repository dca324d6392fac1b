#pragma once
#include <QColor>
#include <QWidget>
#include <cmath>

namespace ort {

// A horizontal 0 to 100 bar with a text drawn inside it. The text changes
// colour where the bar covers it, so it reads at 0, at 100 and in between.
class PercentBar : public QWidget {
    Q_OBJECT
public:
    explicit PercentBar(QWidget *parent = nullptr);

    double value() const { return m_value; }
    void setValue(double value);   // kept within 0 to 100
    QString text() const { return m_text; }
    void setText(const QString &text);
    QColor barColor() const { return m_barColor; }
    void setBarColor(const QColor &color);

    // The quantity the bar stands for, as assistive tools read it, and its
    // range: the level and 0 to 100 until a reading is set; a reading that
    // is not a number goes back to the level.
    double reading() const { return std::isnan(m_reading) ? m_value : m_reading; }
    void setReading(double value);
    double readingMinimum() const { return m_readingMin; }
    double readingMaximum() const { return m_readingMax; }
    void setReadingRange(double min, double max);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void announce();

    double m_value = 0;
    double m_reading = std::nan("");
    double m_readingMin = 0;
    double m_readingMax = 100;
    QString m_text;
    QColor m_barColor{0, 0, 160};
};

} // namespace ort
