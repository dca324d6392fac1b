#include "log/logfile.h"

#include <QFile>
#include <QFileInfo>

namespace ort {

namespace {
qint64 writeToFile(QFile &file, const char *data, qint64 size)
{
    return file.write(data, size);
}
} // namespace

LogFile::LogFile() : m_writer(writeToFile) {}

void LogFile::setWriter(Writer writer)
{
    m_writer = writer ? std::move(writer) : Writer(writeToFile);
}

bool LogFile::hasContent() const
{
    const QFileInfo info(m_name);
    return info.exists() && info.size() > 0;
}

void LogFile::append(const QByteArray &bytes)
{
    QFile file(m_name);
    // Unbuffered: a write that fails says so here, not at a later flush.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        throw LogFileError(file.errorString().toStdString());
    const qint64 before = file.pos();   // at the end: opened for appending
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = m_writer(file, bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            const QString reason = file.errorString();
            // Half a record would read as a wrong line; the whole ones stay.
            file.resize(before);
            file.close();
            throw LogFileError(reason.toStdString());
        }
        done += n;
    }
    file.close();
}

} // namespace ort
