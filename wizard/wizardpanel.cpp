#include "wizard/wizardpanel.h"
#include "gui/twips.h"

#include <QLabel>

namespace ort {

WizardPanel::WizardPanel(QWidget *form, const char *name) : QFrame(form), m_form(form)
{
    setObjectName(name);
    setGeometry(twipsRect(form, PanelX, 0, 4575, 2828));
}

QLabel *WizardPanel::placeLabel(const char *name, QRect twipsBox, bool wrapped, const QString &text)
{
    auto *placed = new QLabel(text, this);
    placed->setObjectName(name);
    placed->setGeometry(twipsRect(m_form, twipsBox.x(), twipsBox.y(), twipsBox.width(), twipsBox.height()));
    if (wrapped) {
        placed->setWordWrap(true);
        placed->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    return placed;
}

QLabel *WizardPanel::placeHeading(const char *name, QRect twipsBox, const QString &text, qreal pointSize)
{
    QLabel *heading = placeLabel(name, twipsBox, false, text);
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    f.setPointSizeF(pointSize);
    heading->setFont(f);
    return heading;
}

void setTextColour(QLabel *label, const QColor &colour)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}

} // namespace ort
