#pragma once
#include <QColor>
#include <QWidget>

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

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double m_value = 0;
    QString m_text;
    QColor m_barColor{0, 0, 160};
};

} // namespace ort
