#include "link/boardfile.h"
#include "base/numbers.h"
#include "link/chip.h"
#include "link/text.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <set>

namespace ort {

namespace {

// The texts of this file, for the translators under one name.
struct Words {
    Q_DECLARE_TR_FUNCTIONS(ort::BoardFile)
};

// Joins the keys of a path; no key a person types holds it.
const QChar Step(0x1F);

// A board file is a page of text: more than this is not one.
constexpr qint64 MaxFileSize = 1 << 20;

// The line each key and each list element of the text starts on, by path.
// Written by hand because QJsonDocument keeps no positions; it walks text
// that Qt has already parsed, so it only finds its way and never checks,
// but it stays within the text and moves on at every step whatever it meets.
class KeyLines {
public:
    explicit KeyLines(const QByteArray &text) : m_text(text) { value({}); }
    int line(const QString &path) const { return m_lines.value(path, 1); }
    // The first key that an object holds twice, which the parsed document
    // would silently keep once, and its line.
    QString twice;
    int twiceLine = 0;

private:
    static bool space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
    char peek()
    {
        for (; m_at < m_text.size() && space(m_text[m_at]); ++m_at)
            m_line += m_text[m_at] == '\n';
        return m_at < m_text.size() ? m_text[m_at] : '\0';
    }
    QString string()
    {
        const qsizetype start = ++m_at;
        for (; m_at < m_text.size() && m_text[m_at] != '"'; ++m_at)
            m_at += m_text[m_at] == '\\';
        const QByteArray raw = m_text.mid(start, m_at++ - start);
        if (!raw.contains('\\'))
            return QString::fromUtf8(raw);
        return QJsonDocument::fromJson("[\"" + raw + "\"]").array().at(0).toString();
    }
    void value(const QString &path)
    {
        const char c = peek();
        m_lines.insert(path, m_line);
        if (c == '{') {
            ++m_at;
            QSet<QString> keys;
            while (peek() == '"') {
                const int line = m_line;
                const QString key = string();
                if (keys.contains(key) && twice.isEmpty()) {
                    twice = key;
                    twiceLine = line;
                }
                keys.insert(key);
                m_at += peek() == ':';
                value(path + Step + key);
                m_lines.insert(path + Step + key, line);
                m_at += peek() == ',';
            }
            m_at += peek() == '}';
        } else if (c == '[') {
            ++m_at;
            for (int i = 0; peek() != ']' && m_at < m_text.size(); ++i) {
                value(path + Step + QString::number(i));
                m_at += peek() == ',';
            }
            ++m_at;
        } else if (c == '"') {
            string();
        } else {
            do
                ++m_at;
            while (m_at < m_text.size() && !space(m_text[m_at]) && m_text[m_at] != ',' && m_text[m_at] != ']' &&
                   m_text[m_at] != '}');
        }
    }

    const QByteArray &m_text;
    qsizetype m_at = 0;
    int m_line = 1;
    QHash<QString, int> m_lines;
};

// A value of the file, where it is and how a person finds it in the text:
// "remoteHigh", "points"[2].
struct Node {
    QJsonValue value;
    QString path;
    QString label;
};

QString shown(const QJsonValue &value)
{
    const QString text = QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact)).mid(1).chopped(1);
    return text.size() > 40 ? text.left(37) + QStringLiteral("...") : text;
}

std::optional<uint32_t> hexValue(QString text)
{
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        text = text.mid(2);
    if (text.isEmpty())
        return std::nullopt;
    uint64_t value = 0;
    for (const QChar c : text) {
        const int digit = hexDigitValue(c.unicode());
        if (digit < 0 || (value = value * 16 + static_cast<uint64_t>(digit)) > UINT32_MAX)
            return std::nullopt;
    }
    return static_cast<uint32_t>(value);
}

// Said in the user's language, so asked for when a refusal is made.
QString temperatureWords()
{
    return Words::tr("a temperature from -128 to 127");
}

QString transferWords()
{
    return Words::tr("a whole number of transfers from 0 to 2147483647");
}

QString byteWords()
{
    return Words::tr("a byte in hexadecimal from \"0\" to \"FF\"");
}

class BoardReader {
public:
    BoardReader(const QString &name, const KeyLines &lines) : m_name(name), m_lines(lines) {}

    sim::Scenario board(const Node &root) const
    {
        keys(root, QCoreApplication::translate("ort::BoardFile", "a board"),
             {"build", "seed", "printerPorts", "smbusAdapters", "smbusProblem", "portProblems"});
        sim::Scenario s;
        s.smbus.present = false;
        with(root, "build", [&](const Node &n) { s.build = text(n, QCoreApplication::translate("ort::BoardFile", "a build number in quotes, \"2222\"")).toStdString(); });
        with(root, "seed", [&](const Node &n) {
            s.seed = static_cast<uint32_t>(whole(n, 0, UINT32_MAX, QCoreApplication::translate("ort::BoardFile", "a whole number from 0 to 4294967295")));
        });
        with(root, "printerPorts", [&](const Node &n) {
            std::set<uint32_t> bases;
            for (const Node &p : list(n, QCoreApplication::translate("ort::BoardFile", "a list of printer ports [ { \"base\": \"378\" } ]"))) {
                s.ports.push_back(port(p));
                if (!bases.insert(s.ports.back().base).second)
                    refuse(member(p, "base"), QCoreApplication::translate("ort::BoardFile", "another printer port has this base"));
            }
        });
        with(root, "smbusAdapters", [&](const Node &n) {
            const std::vector<Node> adapters = list(n, QCoreApplication::translate("ort::BoardFile", "a list of SMBus adapters [ { \"base\": \"5000\" } ]"));
            std::set<std::string> devices;
            for (const Node &a : adapters) {
                const sim::SmbusSetup setup = adapter(a);
                // The user chooses among several by their devices.
                if (adapters.size() > 1 && !devices.insert(setup.device).second)
                    refuse(has(a, "device") ? member(a, "device") : a,
                           QCoreApplication::translate("ort::BoardFile", "each of several SMBus adapters needs a \"device\" of its own"));
                if (!s.smbus.present)
                    s.smbus = setup;
                else
                    s.moreSmbus.push_back(setup);
            }
        });
        with(root, "smbusProblem", [&](const Node &n) { s.smbusProblem = text(n, QCoreApplication::translate("ort::BoardFile", "a text in quotes")).toStdString(); });
        with(root, "portProblems", [&](const Node &n) {
            for (const Node &t : list(n, QCoreApplication::translate("ort::BoardFile", "a list of texts [ \"...\" ]")))
                s.portProblems.push_back(text(t, QCoreApplication::translate("ort::BoardFile", "a text in quotes")).toStdString());
        });
        return s;
    }

private:
    sim::PortSetup port(const Node &n) const
    {
        keys(n, QCoreApplication::translate("ort::BoardFile", "a printer port"), {"base", "wiring", "stuckSda", "unplugAfterTransfers", "chips"});
        sim::PortSetup p;
        p.base = static_cast<uint16_t>(
            hex(required(n, "base", QCoreApplication::translate("ort::BoardFile", "a printer port")), 1, 0xFFFF, QCoreApplication::translate("ort::BoardFile", "an I/O base in hexadecimal from \"1\" to \"FFFF\"")));
        with(n, "wiring", [&](const Node &w) {
            const QString wiring = w.value.toString();
            if (wiring == QLatin1String("either"))
                p.answersEitherVariant = true;
            else if (wiring == QLatin1String("non-inverting") || wiring == QLatin1String("inverting"))
                p.boardVariant = wiring == QLatin1String("non-inverting");
            else
                notA(w, QCoreApplication::translate("ort::BoardFile", "one of \"non-inverting\", \"inverting\" or \"either\""));
        });
        with(n, "stuckSda", [&](const Node &b) { p.stuckSda = flag(b); });
        with(n, "unplugAfterTransfers", [&](const Node &c) { p.unplugAfterTransfers = static_cast<int>(whole(c, 0, INT32_MAX, transferWords())); });
        with(n, "chips", [&](const Node &c) { p.chips = chips(c); });
        return p;
    }

    sim::SmbusSetup adapter(const Node &n) const
    {
        keys(n, QCoreApplication::translate("ort::BoardFile", "an SMBus adapter"), {"base", "device", "name", "chips"});
        sim::SmbusSetup a;
        with(n, "base", [&](const Node &b) {
            a.base = hex(b, 0, 0xFFFF, QCoreApplication::translate("ort::BoardFile", "an I/O base in hexadecimal from \"0\" to \"FFFF\""));
        });
        with(n, "device", [&](const Node &t) { a.device = text(t, QCoreApplication::translate("ort::BoardFile", "a text in quotes, \"/dev/i2c-0\"")).toStdString(); });
        with(n, "name", [&](const Node &t) { a.name = text(t, QCoreApplication::translate("ort::BoardFile", "a text in quotes")).toStdString(); });
        with(n, "chips", [&](const Node &c) { a.chips = chips(c); });
        return a;
    }

    std::vector<sim::ChipSetup> chips(const Node &n) const
    {
        std::vector<sim::ChipSetup> result;
        std::set<uint8_t> taken;
        for (const Node &c : list(n, QCoreApplication::translate("ort::BoardFile", "a list of chips [ { \"address\": \"4C\" } ]"))) {
            result.push_back(chip(c));
            if (!taken.insert(result.back().address7).second)
                refuse(member(c, "address"), QCoreApplication::translate("ort::BoardFile", "another chip on this bus has this address"));
        }
        return result;
    }

    sim::ChipSetup chip(const Node &n) const
    {
        keys(n, QCoreApplication::translate("ort::BoardFile", "a chip"),
             {"address", "local", "remote", "noise", "openRemoteDiode", "failingWrite", "nackAfterTransfers", "fixedReads",
              "configuration", "conversionRate", "limits"});
        sim::ChipSetup c;
        QStringList addresses;
        for (const uint8_t a : chip::CandidateAddresses)
            addresses << hexText(a);
        const QString address = QCoreApplication::translate("ort::BoardFile", "one of the chip's addresses (%1)").arg(addresses.join(QStringLiteral(", ")));
        const Node a = required(n, "address", QCoreApplication::translate("ort::BoardFile", "a chip"));
        c.address7 = static_cast<uint8_t>(hex(a, 0, 0xFF, address));
        if (std::find(chip::CandidateAddresses.begin(), chip::CandidateAddresses.end(), c.address7) == chip::CandidateAddresses.end())
            notA(a, address);
        with(n, "local", [&](const Node &t) { c.local = profile(t); });
        with(n, "remote", [&](const Node &t) { c.remote = profile(t); });
        with(n, "noise", [&](const Node &v) { c.noise = number(v, 0, 100, QCoreApplication::translate("ort::BoardFile", "a standard deviation from 0 to 100")); });
        with(n, "openRemoteDiode", [&](const Node &b) { c.openRemoteDiode = flag(b); });
        with(n, "failingWrite", [&](const Node &b) { c.failingWrite = flag(b); });
        with(n, "nackAfterTransfers", [&](const Node &v) { c.nackAfterTransfers = static_cast<int>(whole(v, 0, INT32_MAX, transferWords())); });
        with(n, "fixedReads", [&](const Node &f) {
            const QString what = QCoreApplication::translate("ort::BoardFile", "registers and the bytes they read, { \"02\": \"10\" }");
            if (!f.value.isObject())
                notA(f, what);
            for (const QString &key : f.value.toObject().keys()) {
                const Node byteNode = member(f, key);
                const std::optional<uint32_t> reg = hexValue(key);
                if (!reg || *reg > 0xFF)
                    refuse(byteNode, QCoreApplication::translate("ort::BoardFile", "\"%1\" in %2 is not a register in hexadecimal from \"0\" to \"FF\"").arg(key, f.label));
                c.fixedReads[static_cast<uint8_t>(*reg)] = byte(byteNode);
            }
        });
        with(n, "configuration", [&](const Node &v) { c.configuration = byte(v); });
        with(n, "conversionRate", [&](const Node &v) { c.conversionRate = static_cast<uint8_t>(whole(v, 0, 7, QCoreApplication::translate("ort::BoardFile", "a rate code from 0 to 7"))); });
        with(n, "limits", [&](const Node &l) {
            keys(l, QCoreApplication::translate("ort::BoardFile", "the limits"), {"localHigh", "localLow", "remoteHigh", "remoteLow"});
            const std::pair<const char *, uint8_t *> limits[] = {
                {"localHigh", &c.localHigh}, {"localLow", &c.localLow}, {"remoteHigh", &c.remoteHigh}, {"remoteLow", &c.remoteLow}};
            for (const auto &limit : limits)
                with(l, limit.first, [&](const Node &v) {
                    *limit.second = static_cast<uint8_t>(static_cast<int8_t>(whole(v, -128, 127, temperatureWords() + QCoreApplication::translate("ort::BoardFile", " in whole degrees"))));
                });
        });
        return c;
    }

    sim::TemperatureProfile profile(const Node &n) const
    {
        const QString either = temperatureWords() + QCoreApplication::translate("ort::BoardFile", " or a profile, { \"start\": 30, \"end\": 100, \"period\": 60 } or { \"points\": [[0, 30], [40, 95]] }");
        if (n.value.isDouble())
            return sim::constantTemperature(number(n, -128, 127, either));
        if (!n.value.isObject())
            notA(n, either);
        const QString owner = QCoreApplication::translate("ort::BoardFile", "the profile %1").arg(n.label);
        if (!has(n, "points")) {
            keys(n, owner, {"start", "end", "period"});
            return sim::riseAndFall(number(required(n, "start", owner), -128, 127, temperatureWords()),
                                    number(required(n, "end", owner), -128, 127, temperatureWords()),
                                    number(required(n, "period", owner), 1, 1e9, QCoreApplication::translate("ort::BoardFile", "a period from 1 to 1000000000 s")));
        }
        keys(n, owner, {"points"});
        const Node pointsNode = member(n, "points");
        const QString what = QCoreApplication::translate("ort::BoardFile", "a list of points [[0, 30], [40, 95]], at least one");
        std::vector<std::pair<double, double>> points;
        for (const Node &p : list(pointsNode, what)) {
            if (!p.value.isArray() || p.value.toArray().size() != 2)
                notA(p, QCoreApplication::translate("ort::BoardFile", "a point [s, C], [40, 95]"));
            const Node time{p.value.toArray().at(0), p.path + Step + QLatin1Char('0'), p.label + QStringLiteral("[0]")};
            const Node celsius{p.value.toArray().at(1), p.path + Step + QLatin1Char('1'), p.label + QStringLiteral("[1]")};
            const double t = number(time, 0, 1e9, QCoreApplication::translate("ort::BoardFile", "a time from 0 to 1000000000 s"));
            if (!points.empty() && t <= points.back().first)
                notA(time, QCoreApplication::translate("ort::BoardFile", "a time after that of the point before"));
            points.emplace_back(t, number(celsius, -128, 127, temperatureWords()));
        }
        if (points.empty())
            notA(pointsNode, what);
        return sim::throughPoints(std::move(points));
    }

    // What a value must be.
    QString text(const Node &n, const QString &what) const
    {
        if (!n.value.isString())
            notA(n, what);
        return n.value.toString();
    }
    bool flag(const Node &n) const
    {
        if (!n.value.isBool())
            notA(n, QCoreApplication::translate("ort::BoardFile", "true or false"));
        return n.value.toBool();
    }
    double number(const Node &n, double low, double high, const QString &what) const
    {
        const double v = n.value.toDouble();
        if (!n.value.isDouble() || !std::isfinite(v) || v < low || v > high)
            notA(n, what);
        return v;
    }
    int64_t whole(const Node &n, double low, double high, const QString &what) const
    {
        const double v = number(n, low, high, what);
        if (std::floor(v) != v)
            notA(n, what);
        return static_cast<int64_t>(v);
    }
    uint32_t hex(const Node &n, uint32_t low, uint32_t high, const QString &what) const
    {
        const std::optional<uint32_t> v = n.value.isString() ? hexValue(n.value.toString()) : std::nullopt;
        if (!v || *v < low || *v > high)
            notA(n, what);
        return *v;
    }
    uint8_t byte(const Node &n) const { return static_cast<uint8_t>(hex(n, 0, 0xFF, byteWords())); }

    // Where values are.
    bool has(const Node &n, const char *key) const { return n.value.toObject().contains(QLatin1String(key)); }
    Node member(const Node &n, const QString &key) const
    {
        return {n.value.toObject().value(key), n.path + Step + key, QLatin1Char('"') + key + QLatin1Char('"')};
    }
    template <typename Use>
    void with(const Node &n, const char *key, Use use) const
    {
        if (has(n, key))
            use(member(n, QLatin1String(key)));
    }
    Node required(const Node &n, const char *key, const QString &owner) const
    {
        if (!has(n, key))
            refuse(n, QCoreApplication::translate("ort::BoardFile", "%1 needs \"%2\"").arg(owner, QLatin1String(key)));
        return member(n, QLatin1String(key));
    }
    std::vector<Node> list(const Node &n, const QString &what) const
    {
        if (!n.value.isArray())
            notA(n, what);
        std::vector<Node> elements;
        const QJsonArray array = n.value.toArray();
        for (qsizetype i = 0; i < array.size(); ++i)
            elements.push_back({array.at(i), n.path + Step + QString::number(i), n.label + QStringLiteral("[%1]").arg(i)});
        return elements;
    }
    // An object with these keys at most.
    void keys(const Node &n, const QString &what, std::initializer_list<const char *> known) const
    {
        QStringList names;
        for (const char *k : known)
            names << QLatin1String(k);
        if (!n.value.isObject())
            notA(n, QCoreApplication::translate("ort::BoardFile", "%1 in braces { \"%2\": ... }").arg(what, names.first()));
        for (const QString &key : n.value.toObject().keys())
            if (!names.contains(key))
                refuse(member(n, key), QCoreApplication::translate("ort::BoardFile", "\"%1\" is not a key of %2 (%3)").arg(key, what, names.join(QStringLiteral(", "))));
    }

    [[noreturn]] void refuse(const Node &n, const QString &text) const
    {
        throw BoardFileError(QStringLiteral("%1:%2: %3").arg(m_name).arg(m_lines.line(n.path)).arg(text).toStdString());
    }
    [[noreturn]] void notA(const Node &n, const QString &what) const
    {
        refuse(n, QCoreApplication::translate("ort::BoardFile", "%1%2 is not %3").arg(n.label.isEmpty() ? QString() : n.label + QStringLiteral(": "), shown(n.value), what));
    }

    QString m_name;
    const KeyLines &m_lines;
};

} // namespace

sim::Scenario parseBoard(const QByteArray &text, const QString &name)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError)
        throw BoardFileError(Words::tr("%1:%2: the file is not JSON (%3)")
                                 .arg(name)
                                 .arg(text.left(error.offset).count('\n') + 1)
                                 .arg(error.errorString())
                                 .toStdString());
    const KeyLines lines(text);
    if (!lines.twice.isEmpty())
        throw BoardFileError(Words::tr("%1:%2: \"%3\" is given twice").arg(name).arg(lines.twiceLine).arg(lines.twice).toStdString());
    const QJsonValue root = document.isObject() ? QJsonValue(document.object()) : QJsonValue(document.array());
    return BoardReader(name, lines).board({root, {}, {}});
}

void readBoard(ComponentOptions &options)
{
    if (options.board.empty())
        return;
    const QString name = QString::fromStdString(options.board);
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        throw BoardFileError(Words::tr("The board file %1 cannot be read: %2").arg(name, file.errorString()).toStdString());
    const QByteArray text = file.read(MaxFileSize + 1);
    if (text.size() > MaxFileSize)
        throw BoardFileError(Words::tr("The board file %1 is larger than 1 MiB: it is not one").arg(name).toStdString());
    options.scenario = std::make_shared<const sim::Scenario>(parseBoard(text, name));
}

} // namespace ort
