#include "gui/tristatecheckbox.h"
#include "gui/accessibility.h"

#include <QAccessible>

namespace ort {

TriStateCheckBox::TriStateCheckBox(QWidget *parent) : TriStateCheckBox(QString(), parent) {}

TriStateCheckBox::TriStateCheckBox(const QString &text, QWidget *parent) : QCheckBox(text, parent)
{
    setTristate(true);
    installWidgetAccess();
    connect(this, &QCheckBox::stateChanged, this, [this] {
        // Greyed and off both read as not checked; only on is.
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
        emit valueChanged(value());
    });
}

int TriStateCheckBox::value() const
{
    switch (checkState()) {
    case Qt::Checked:
        return On;
    case Qt::PartiallyChecked:
        return Greyed;
    case Qt::Unchecked:
        break;
    }
    return Off;
}

void TriStateCheckBox::setValue(int value)
{
    switch (value) {
    case Off:
        setCheckState(Qt::Unchecked);
        break;
    case On:
        setCheckState(Qt::Checked);
        break;
    case Greyed:
        setCheckState(Qt::PartiallyChecked);
        break;
    default:
        break;
    }
}

void TriStateCheckBox::nextCheckState()
{
    setValue(value() == On ? Off : On);
}

} // namespace ort
