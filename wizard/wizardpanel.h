#pragma once
#include <QFrame>
#include <QRect>
#include <QString>

class QColor;
class QLabel;

namespace ort {

// One of the wizard's four panels: a frame container that the wizard places
// at the panel position or moves out of view (HideAllPanels). Its controls
// are placed in twips of the wizard window.
class WizardPanel : public QFrame {
    Q_OBJECT
public:
    static constexpr int PanelX = 1320;
    static constexpr int HiddenX = -5000;

    WizardPanel(QWidget *form, const char *name);

protected:
    // A label placed in twips of the form; wrapped labels read top-down.
    QLabel *placeLabel(const char *name, QRect twipsBox, bool wrapped, const QString &text = QString());
    QLabel *placeHeading(const char *name, QRect twipsBox, const QString &text, qreal pointSize);
    QWidget *form() const { return m_form; }

private:
    QWidget *m_form;
};

void setTextColour(QLabel *label, const QColor &colour);

} // namespace ort
