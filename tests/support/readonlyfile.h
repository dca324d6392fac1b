#pragma once
// A file made read-only for as long as the helper lives:
//
//   test::ReadOnlyFile locked(path);   // writes to it fail from here on
//
// Root ignores permission bits, so when the tests run as root the thread also
// takes an ordinary user's file-system identity (setfsuid) until the helper
// goes, and the file's folder is opened to others so the file can still be
// read back.
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <sys/fsuid.h>
#include <unistd.h>

namespace ort::test {

class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const QString &path) : m_path(path), m_folder(QFileInfo(path).absolutePath())
    {
        m_folderPermissions = QFile::permissions(m_folder);
        QFile::setPermissions(m_folder, m_folderPermissions | QFile::ReadOther | QFile::ExeOther);
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        if (geteuid() == 0) {
            m_previousFsuid = static_cast<int>(setfsuid(Nobody));
            m_changedFsuid = true;
        }
    }
    ~ReadOnlyFile()
    {
        if (m_changedFsuid)
            setfsuid(static_cast<uid_t>(m_previousFsuid));
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
        QFile::setPermissions(m_folder, m_folderPermissions);
    }
    ReadOnlyFile(const ReadOnlyFile &) = delete;
    ReadOnlyFile &operator=(const ReadOnlyFile &) = delete;

private:
    static constexpr uid_t Nobody = 65534;
    QString m_path;
    QString m_folder;
    QFile::Permissions m_folderPermissions;
    int m_previousFsuid = 0;
    bool m_changedFsuid = false;
};

} // namespace ort::test
