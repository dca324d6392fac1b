#include "cli/exposition.h"
#include "link/chip.h"
#include "link/text.h"

#include <functional>

namespace ort::cli {

const QByteArray ExpositionContentType = QByteArrayLiteral("text/plain; version=0.0.4; charset=utf-8");

namespace {

using namespace chip;

struct Flag {
    const char *name;
    uint8_t bit;
};
// The status register's bits that mean something; bits 1 and 0 are reserved.
constexpr Flag StatusFlags[] = {{"adc_on", StatusAdcOn},         {"local_high", StatusLocalHigh},
                                {"local_low", StatusLocalLow},   {"remote_high", StatusRemoteHigh},
                                {"remote_low", StatusRemoteLow}, {"remote_open", StatusRemoteOpen}};

constexpr const char *FailureReasons[] = {"no_acknowledge", "bus_failure"};
static_assert(std::size(FailureReasons) == static_cast<size_t>(ReadFailure::Count));

class Text {
public:
    void family(const char *name, const char *type, const char *help)
    {
        m_name = name;
        m_out += QByteArrayLiteral("# HELP ") + name + ' ' + help + '\n';
        m_out += QByteArrayLiteral("# TYPE ") + name + ' ' + type + '\n';
    }
    // One series of the current family: the chip's labels, then `more`.
    void series(const ChipPlace &place, const QString &more, const QByteArray &value)
    {
        QString labels;
        const auto add = [&](const char *name, const QString &v) {
            if (v.isEmpty())
                return;
            labels += (labels.isEmpty() ? QString() : QStringLiteral(",")) + QLatin1String(name) +
                      QStringLiteral("=\"") + escapedLabelValue(v) + QLatin1Char('"');
        };
        add("route", place.route);
        add("port", place.port);
        add("adapter", place.adapter);
        add("address", place.address);
        if (!more.isEmpty())
            labels += (labels.isEmpty() ? QString() : QStringLiteral(",")) + more;
        m_out += m_name;
        if (!labels.isEmpty())
            m_out += '{' + labels.toUtf8() + '}';
        m_out += ' ' + value + '\n';
    }
    QByteArray take() { return std::move(m_out); }

private:
    QByteArray m_name;
    QByteArray m_out;
};

QByteArray number(long long value)
{
    return QByteArray::number(value);
}

QString label(const char *name, const QString &value)
{
    return QLatin1String(name) + QStringLiteral("=\"") + escapedLabelValue(value) + QLatin1Char('"');
}

} // namespace

QString escapedLabelValue(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (QChar c : value) {
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('"'))
            out += QStringLiteral("\\\"");
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else
            out += c;
    }
    return out;
}

QByteArray exposition(const std::vector<ChipReading> &chips)
{
    Text t;
    // The series of every chip that is up, or of every chip that was found.
    const auto each = [&](bool upOnly, const std::function<void(const ChipReading &)> &body) {
        for (const ChipReading &c : chips)
            if (c.found && (c.up || !upOnly))
                body(c);
    };

    t.family("ort310_temperature_celsius", "gauge", "Temperature the chip last measured, in whole degrees Celsius.");
    each(true, [&](const ChipReading &c) {
        t.series(c.place, label("sensor", QStringLiteral("local")), number(c.local));
        t.series(c.place, label("sensor", QStringLiteral("remote")), number(c.remote));
    });

    t.family("ort310_limit_celsius", "gauge", "Temperature limit set in the chip, in degrees Celsius.");
    each(true, [&](const ChipReading &c) {
        const struct {
            const char *sensor;
            const char *bound;
            Limit limit;
        } limits[] = {{"local", "high", LocalHigh}, {"local", "low", LocalLow}, {"remote", "high", RemoteHigh}, {"remote", "low", RemoteLow}};
        for (const auto &l : limits)
            t.series(c.place, label("sensor", QLatin1String(l.sensor)) + QLatin1Char(',') + label("bound", QLatin1String(l.bound)),
                     number(c.limits[l.limit]));
    });

    t.family("ort310_status_flag", "gauge",
             "Status register bit at the last reading (1 set); the chip clears its flags when the status is read.");
    each(true, [&](const ChipReading &c) {
        for (const Flag &f : StatusFlags)
            t.series(c.place, label("flag", QLatin1String(f.name)), number((c.status & f.bit) ? 1 : 0));
    });

    t.family("ort310_alert", "gauge",
             "1 while the chip is in alert as the alert lamp shows it: a limit flag, held for a conversion period after it.");
    each(true, [&](const ChipReading &c) { t.series(c.place, {}, number(c.alert ? 1 : 0)); });

    t.family("ort310_conversions_per_second", "gauge", "Conversions per second the chip is set to (0 in standby).");
    each(true, [&](const ChipReading &c) { t.series(c.place, {}, QByteArray::number(c.conversionsPerSecond, 'g', 6)); });

    t.family("ort310_chip_up", "gauge", "1 when the chip answered its last reading, 0 when it did not or none was found.");
    for (const ChipReading &c : chips)
        t.series(c.place, {}, number(c.up ? 1 : 0));

    t.family("ort310_reads_total", "counter", "Readings of the chip attempted (temperatures, status, configuration, rate, limits).");
    each(false, [&](const ChipReading &c) { t.series(c.place, {}, number(static_cast<long long>(c.reads))); });

    t.family("ort310_read_errors_total", "counter", "Readings of the chip that failed, by reason.");
    each(false, [&](const ChipReading &c) {
        for (size_t r = 0; r < c.failures.size(); ++r)
            t.series(c.place, label("reason", QLatin1String(FailureReasons[r])), number(static_cast<long long>(c.failures[r])));
    });

    t.family("ort310_last_read_timestamp_seconds", "gauge", "When the chip last answered a whole reading, in seconds since 1970.");
    each(false, [&](const ChipReading &c) {
        if (c.lastReadUnixSeconds)
            t.series(c.place, {}, QByteArray::number(*c.lastReadUnixSeconds, 'f', 3));
    });

    t.family("ort310_build_info", "gauge", "The exporter's version, always 1.");
    t.series({}, label("version", ProgramVersion), "1");
    return t.take();
}

} // namespace ort::cli
