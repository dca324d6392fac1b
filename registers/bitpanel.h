#pragma once
#include "registers/panelparts.h"
#include "registers/registermap.h"

#include <array>

class QAbstractButton;
class QLabel;
class QToolButton;

namespace ort {

class DigitButton;

// The bit panel SSPanel38 "Read/Write": the eight digits bit7 ... bit0 on
// SSPanel3, their names in two staircases joined to them by drawn lines,
// the "(Click Digits)" hint, and the continuous-reading toggle SSRibbon5
// with its status panel SSPanel7.
class BitPanel : public CaptionedFrame {
    Q_OBJECT
public:
    explicit BitPanel(QWidget *parent = nullptr);

    QAbstractButton *digit(int bit) const;
    QLabel *bitName(int bit) const { return m_names.at(static_cast<size_t>(bit)); }
    // Bit n of `value` shown on digit n, bit 7 down to bit 0.
    void showDigits(int value);
    void showDigit(int bit, bool one);
    void showBitNames(const BitNameSet &names);

    QToolButton *continuousToggle() const { return m_toggle; }
    Panel3D *continuousStatus() const { return m_status; }
    // Toggle position and status text; the press handler does not run.
    void showContinuous(bool on);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    // A click on a digit; a double-click is two clicks.
    void digitClicked(int bit);
    // The continuous-reading toggle pressed, and its new state.
    void continuousPressed(bool down);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    struct Geometry;
    Geometry geometry() const;

    Panel3D *m_digitPanel;
    std::array<DigitButton *, 8> m_digits{};
    std::array<QLabel *, 8> m_names{};
    QLabel *m_hint;
    QLabel *m_continuousCaption;
    QToolButton *m_toggle;
    Panel3D *m_status;
};

} // namespace ort
