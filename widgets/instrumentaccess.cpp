#include "widgets/instrumentaccess.h"
#include "widgets/chartaxes.h"
#include "widgets/lineargauge.h"
#include "widgets/panel3d.h"
#include "widgets/percentbar.h"
#include "widgets/rotaryselector.h"
#include "widgets/stripchart.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QLocale>
#include <QPointer>
#include <algorithm>
#include <vector>

namespace ort {

namespace {
// The texts of this file, for the translators under one name.
struct Words {
    Q_DECLARE_TR_FUNCTIONS(ort::ChartAccess)
};


template<typename W>
bool is(const QString &classname, QObject *object)
{
    return object && classname == QLatin1String(W::staticMetaObject.className());
}

// A value that assistive tools read but cannot set.
class ReadOnlyValue : public QAccessibleValueInterface {
public:
    void setCurrentValue(const QVariant &) override {}
    QVariant minimumStepSize() const override { return 1; }
};

class BarAccess final : public QAccessibleWidget, public ReadOnlyValue {
public:
    explicit BarAccess(PercentBar *bar) : QAccessibleWidget(bar, QAccessible::ProgressBar) {}
    PercentBar *bar() const { return static_cast<PercentBar *>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return bar()->text();
        return QAccessibleWidget::text(t);
    }
    void *interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QVariant currentValue() const override { return bar()->reading(); }
    QVariant maximumValue() const override { return bar()->readingMaximum(); }
    QVariant minimumValue() const override { return bar()->readingMinimum(); }
};

class KnobAccess final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit KnobAccess(RotarySelector *knob) : QAccessibleWidget(knob, QAccessible::Dial) {}
    RotarySelector *knob() const { return static_cast<RotarySelector *>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return knob()->label(knob()->position()).trimmed();
        return QAccessibleWidget::text(t);
    }
    void *interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QVariant currentValue() const override { return knob()->position(); }
    // As a turn by the user: the knob's handler runs.
    void setCurrentValue(const QVariant &value) override
    {
        if (knob()->isEnabled())
            knob()->turnAsUser(value.toInt());
    }
    QVariant maximumValue() const override { return RotarySelector::PositionCount - 1; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }
};

// One pointer of a limit gauge: a child with no widget of its own.
class PointerAccess final : public QAccessibleInterface, public QAccessibleValueInterface {
public:
    PointerAccess(LinearGauge *gauge, int pointer) : m_gauge(gauge), m_pointer(pointer) {}

    bool isValid() const override { return !m_gauge.isNull(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return parent() ? parent()->window() : nullptr; }
    QAccessibleInterface *focusChild() const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_gauge); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return {};
        switch (t) {
        case QAccessible::Name:
            return m_gauge->pointerName(m_pointer);
        case QAccessible::Value:
            return QString::number(currentValue().toDouble()) + m_gauge->readingUnit();
        default:
            return {};
        }
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QPoint c = m_gauge->mapToGlobal(m_gauge->grabPoint(m_pointer).toPoint());
        const int r = std::max(4, m_gauge->height() / 8);
        return QRect(c - QPoint(r, r), QSize(2 * r, 2 * r));
    }
    QAccessible::Role role() const override { return QAccessible::Slider; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid())
            return s;
        s.disabled = !m_gauge->isEnabled();
        s.invisible = !m_gauge->isVisible();
        return s;
    }
    void *interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface *>(this) : nullptr;
    }

    QVariant currentValue() const override
    {
        return isValid() ? m_gauge->pointerPosition(m_pointer) + m_gauge->readingOffset() : 0.0;
    }
    // As a drag of the pointer: the gauge's handler runs.
    void setCurrentValue(const QVariant &value) override
    {
        bool ok = false;
        const double v = value.toDouble(&ok);
        if (isValid() && ok && m_gauge->isEnabled())
            m_gauge->moveAsUser(m_pointer, v - m_gauge->readingOffset());
    }
    QVariant maximumValue() const override { return LinearGauge::Maximum + offset(); }
    QVariant minimumValue() const override { return LinearGauge::Minimum + offset(); }
    QVariant minimumStepSize() const override { return 1; }

private:
    double offset() const { return isValid() ? m_gauge->readingOffset() : 0.0; }
    QPointer<LinearGauge> m_gauge;
    int m_pointer;
};

// A gauge holds its two pointers, high above the scale, then low below it.
class GaugeAccess final : public QAccessibleWidget {
public:
    explicit GaugeAccess(LinearGauge *gauge) : QAccessibleWidget(gauge, QAccessible::Grouping)
    {
        for (int i = 0; i < 2; ++i)
            m_ids[i] = QAccessible::registerAccessibleInterface(new PointerAccess(gauge, pointerOf(i)));
    }
    ~GaugeAccess() override
    {
        for (QAccessible::Id id : m_ids)
            QAccessible::deleteAccessibleInterface(id);
    }
    static int pointerOf(int index) { return index == 0 ? LinearGauge::HighPointer : LinearGauge::LowPointer; }

    int childCount() const override { return 2; }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 || index == 1 ? QAccessible::accessibleInterface(m_ids[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *c) const override
    {
        for (int i = 0; i < 2; ++i)
            if (QAccessible::accessibleInterface(m_ids[i]) == c)
                return i;
        return -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        for (int i = 0; i < 2; ++i)
            if (child(i)->rect().contains(x, y))
                return child(i);
        return nullptr;
    }

private:
    QAccessible::Id m_ids[2]{};
};

class PanelAccess final : public QAccessibleWidget {
public:
    explicit PanelAccess(Panel3D *panel) : QAccessibleWidget(panel) {}
    Panel3D *panel() const { return static_cast<Panel3D *>(widget()); }

    QAccessible::Role role() const override
    {
        if (panel()->isStatusIndicator())
            return QAccessible::StatusBar;
        return childCount() > 0 ? QAccessible::Grouping : QAccessible::StaticText;
    }
    // The caption is what the panel says; a name given to it goes first.
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name) {
            const QString given = panel()->accessibleName();
            if (given.isEmpty())
                return panel()->caption();
            return panel()->caption().isEmpty() ? given : given + QStringLiteral(": ") + panel()->caption();
        }
        return QAccessibleWidget::text(t);
    }
};

class ChartAccess final : public QAccessibleWidget {
public:
    explicit ChartAccess(StripChart *chart) : QAccessibleWidget(chart, QAccessible::Chart) {}
    StripChart *chart() const { return static_cast<StripChart *>(widget()); }

    // What a sighted user takes in at a glance: the latest readings and the
    // time the view spans.
    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Description)
            return QAccessibleWidget::text(t);
        const StripChart *c = chart();
        QStringList latest;
        for (int trace = 0; trace < StripChart::TraceCount; ++trace) {
            const SampleHistory &h = c->history(trace);
            if (!h.empty())
                latest << c->traceCaption(trace) + QLatin1Char(' ') + QLocale().toString(h.value(h.size() - 1)) +
                              c->valueUnit();
        }
        if (c->isMarked() && !c->markCaption().isEmpty())
            latest << c->markCaption();
        const QString format = QStringLiteral("%H:%M:%S");
        QString out = latest.isEmpty() ? Words::tr("No readings")
                                       : Words::tr("Latest: %1").arg(latest.join(QStringLiteral(", ")));
        out += Words::tr("; showing %1 to %2")
                   .arg(formatTime(c->viewStart(), format), formatTime(c->viewEnd(), format));
        if (!c->isFollowing())
            out += Words::tr(", scrolled back");
        return out;
    }
};

QAccessibleInterface *instrumentFactory(const QString &classname, QObject *object)
{
    if (is<PercentBar>(classname, object))
        return new BarAccess(static_cast<PercentBar *>(object));
    if (is<RotarySelector>(classname, object))
        return new KnobAccess(static_cast<RotarySelector *>(object));
    if (is<LinearGauge>(classname, object))
        return new GaugeAccess(static_cast<LinearGauge *>(object));
    if (is<Panel3D>(classname, object))
        return new PanelAccess(static_cast<Panel3D *>(object));
    if (is<StripChart>(classname, object))
        return new ChartAccess(static_cast<StripChart *>(object));
    return nullptr;
}

} // namespace

void installAccessFactory(QAccessible::InterfaceFactory factory)
{
    static std::vector<QAccessible::InterfaceFactory> installed;
    if (std::find(installed.begin(), installed.end(), factory) != installed.end())
        return;
    installed.push_back(factory);
    QAccessible::installFactory(factory);
}

void installInstrumentAccess()
{
    installAccessFactory(instrumentFactory);
}

} // namespace ort
