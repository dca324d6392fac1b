#include "gui/accessibility.h"
#include "gui/tristatecheckbox.h"
#include "widgets/instrumentaccess.h"

#include <QAccessibleWidget>

namespace ort {

namespace {

const char *const RoleProperty = "ortAccessibleRole";

// A check box is checked exactly when it is on: a greyed box is not, whatever
// QCheckBox says of a partly checked one. Toggling it is a click.
class TriStateAccess final : public QAccessibleWidget {
public:
    explicit TriStateAccess(TriStateCheckBox *box) : QAccessibleWidget(box, QAccessible::CheckBox) {}
    TriStateCheckBox *box() const { return static_cast<TriStateCheckBox *>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && box()->accessibleName().isEmpty())
            return box()->text();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = box()->isOn();
        return s;
    }
    QStringList actionNames() const override
    {
        if (!box()->isEnabled())
            return {};
        return {toggleAction(), pressAction()};
    }
    void doAction(const QString &action) override
    {
        if (box()->isEnabled() && (action == toggleAction() || action == pressAction()))
            box()->click();
    }
};

QAccessibleInterface *widgetFactory(const QString &classname, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *w = static_cast<QWidget *>(object);
    if (classname == QLatin1String(TriStateCheckBox::staticMetaObject.className()))
        return new TriStateAccess(static_cast<TriStateCheckBox *>(w));
    // Asked first with the window's own class name, so it wins over QWidget's default.
    const QVariant role = w->property(RoleProperty);
    if (w->isWindow() && role.isValid() && classname == QLatin1String(w->metaObject()->className()))
        return new QAccessibleWidget(w, static_cast<QAccessible::Role>(role.toInt()));
    return nullptr;
}

} // namespace

void setAccessibleWindowRole(QWidget *window, QAccessible::Role role)
{
    installWidgetAccess();
    window->setProperty(RoleProperty, static_cast<int>(role));
}

void installWidgetAccess()
{
    installAccessFactory(widgetFactory);
}

} // namespace ort
