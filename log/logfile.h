#pragma once
#include <QByteArray>
#include <QString>
#include <functional>
#include <stdexcept>

class QFile;

namespace ort {

// A failure to open or write the log file, with the system's reason.
class LogFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The reading log on disk. It is opened, written and closed again for every
// line, so it is never held open between records and another program may
// read it meanwhile. A failure closes it at once, and a line that was only
// partly written is cut off again: the file keeps every whole line written
// before the failure and nothing of the failed one.
class LogFile {
public:
    // Writes `size` bytes and returns how many were written, or -1. The
    // default writes to the file; a test puts in one that fails mid-way.
    using Writer = std::function<qint64(QFile &file, const char *data, qint64 size)>;

    LogFile();

    QString name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }
    void forget() { m_name.clear(); }
    bool named() const { return !m_name.isEmpty(); }
    // The file is there and holds something: a new line goes below an old log.
    bool hasContent() const;

    // Appends the bytes, creating the file when it is missing; throws
    // LogFileError when that fails.
    void append(const QByteArray &bytes);

    void setWriter(Writer writer);

private:
    QString m_name;
    Writer m_writer;
};

} // namespace ort
