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
    auto *l = new QLabel(text, this);
    l->setObjectName(name);
    l->setGeometry(twipsRect(m_form, twipsBox.x(), twipsBox.y(), twipsBox.width(), twipsBox.height()));
    if (wrapped) {
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    return l;
}

QLabel *WizardPanel::placeHeading(const char *name, QRect twipsBox, const QString &text, qreal pointSize)
{
    QLabel *l = placeLabel(name, twipsBox, false, text);
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    f.setPointSizeF(pointSize);
    l->setFont(f);
    return l;
}

void setTextColour(QLabel *label, const QColor &colour)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}

} // namespace ort
