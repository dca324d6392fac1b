#pragma once
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <cstdint>
#include <cstdio>

// How the tool's commands print what they found: lines of text, or one JSON
// value a line with --json, and the texts and objects both are made of.

namespace ort::cli {

class Session;

class Output {
public:
    Output(std::FILE *file, bool json) : m_file(file), m_json(json) {}
    bool json() const { return m_json; }
    void line(const QString &text) const
    {
        const QByteArray bytes = text.toUtf8() + '\n';
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), m_file);
        std::fflush(m_file);
    }
    void value(const QJsonObject &object) const { write(QJsonDocument(object)); }
    void value(const QJsonArray &array) const { write(QJsonDocument(array)); }

private:
    void write(const QJsonDocument &document) const
    {
        line(QString::fromUtf8(document.toJson(QJsonDocument::Compact)));
    }
    std::FILE *m_file;
    bool m_json;
};

struct Temperatures {
    int remote;
    int local;
};

QString celsiusText(int celsius);
QString rateText(double perSecond);
// The register map's name for the register at `address`.
QString typeName(uint8_t address);
QString binaryText(uint8_t value);

// Remote first, as the measurement cycle reads them.
Temperatures readTemperatures(Session &s);
QString temperaturesText(const Temperatures &t);
QJsonObject temperaturesJson(const Temperatures &t);
void printTemperatures(const Output &out, const Temperatures &t);
// The chip a command talked to: route, address, port and description.
QJsonObject chipJson(const Session &s);
QJsonObject registerJson(uint8_t address, uint8_t value);
// A register as read lists it: address, name, the value in hexadecimal,
// decimal and binary, and the names of the bits it sets.
QString registerLine(uint8_t address, uint8_t value);

} // namespace ort::cli
