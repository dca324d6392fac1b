#include "gui/settings.h"
#include "link/text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringDecoder>

namespace ort {

namespace {
// The texts of this file, for the translators under one name.
struct Words {
    Q_DECLARE_TR_FUNCTIONS(ort::Settings)
};


const QString LogFolderKey = QStringLiteral("folders/log");
const QString SavedFolderKey = QStringLiteral("folders/saved");
const QString PrinterPortKey = QStringLiteral("wizard/printerPort");
const QString SmbusKey = QStringLiteral("wizard/smbus");
const QString AdapterKey = QStringLiteral("wizard/adapter");
const QString NotificationsKey = QStringLiteral("notifications/enabled");

QString positionKey(const QString &window)
{
    return QStringLiteral("windows/") + window + QStringLiteral("/position");
}

void say(std::FILE *log, const QString &text)
{
    if (!log)
        return;
    std::fprintf(log, "%s: %s\n", qPrintable(ProductName), qPrintable(text));
    std::fflush(log);
}

// Qt's reader of the format skips what it cannot parse and reports only an
// unclosed section, so a file that is not text at all would pass as empty.
bool holdsText(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return true;   // missing, or unreadable: the store says which
    const QByteArray bytes = f.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8(bytes);
    return !bytes.contains('\0') && !utf8.hasError();
}

} // namespace

Settings::Settings() = default;

Settings::Settings(const QString &file, std::FILE *log)
    : m_store(std::make_unique<QSettings>(file, QSettings::IniFormat)), m_log(log)
{
    if (m_store->status() == QSettings::AccessError) {
        say(log, Words::tr("The settings in %1 cannot be read; the program starts from the defaults and "
                           "keeps choices for this run only.")
                     .arg(QDir::toNativeSeparators(file)));
        m_store.reset();
        return;
    }
    if (m_store->status() == QSettings::FormatError || !holdsText(file)) {
        say(log, Words::tr("%1 does not hold settings; the program starts from the defaults and writes the "
                           "file anew.")
                     .arg(QDir::toNativeSeparators(file)));
        m_store->clear();
    }
}

Settings::~Settings() = default;

QString Settings::userFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') + MakerName +
           QLatin1Char('/') + QStringLiteral("ort310eval.conf");
}

QVariant Settings::value(const QString &key) const
{
    return m_store ? m_store->value(key) : m_memory.value(key);
}

// Written as the words true and false; anything else is not a choice.
std::optional<bool> Settings::flag(const QString &key) const
{
    const QVariant v = value(key);
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    const QString text = v.toString();
    if (text == QLatin1String("true") || text == QLatin1String("false"))
        return text == QLatin1String("true");
    return std::nullopt;
}

void Settings::setValue(const QString &key, const QVariant &value)
{
    if (!m_store) {
        m_memory.insert(key, value);
        return;
    }
    m_store->setValue(key, value);
    // At once: a program ended by a signal keeps what the user chose.
    m_store->sync();
    if (m_store->status() != QSettings::NoError && !m_writeReported) {
        m_writeReported = true;
        say(m_log, Words::tr("The settings cannot be written to %1; choices are kept for this run only.")
                       .arg(QDir::toNativeSeparators(m_store->fileName())));
    }
}

QString Settings::folder(Folder which) const
{
    const QString folder = value(which == Folder::Log ? LogFolderKey : SavedFolderKey).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

void Settings::rememberFolderOf(Folder which, const QString &chosenFile)
{
    if (chosenFile.isEmpty())
        return;
    setValue(which == Folder::Log ? LogFolderKey : SavedFolderKey, QFileInfo(chosenFile).absolutePath());
}

std::optional<Settings::WizardChoice> Settings::wizardChoice() const
{
    const std::optional<bool> printerPort = flag(PrinterPortKey);
    const std::optional<bool> smbus = flag(SmbusKey);
    if (!printerPort || !smbus || !(*printerPort || *smbus))
        return std::nullopt;
    return WizardChoice{*printerPort, *smbus, m_namedAdapter.isEmpty() ? value(AdapterKey).toString() : m_namedAdapter};
}

void Settings::rememberWizardChoice(const WizardChoice &choice)
{
    setValue(PrinterPortKey, choice.printerPort);
    setValue(SmbusKey, choice.smbus);
    setValue(AdapterKey, choice.adapter);
}

bool Settings::notifications() const
{
    return flag(NotificationsKey).value_or(true);
}

void Settings::setNotifications(bool on)
{
    setValue(NotificationsKey, on);
}

std::optional<QPoint> Settings::windowPosition(const QString &name) const
{
    const QVariant v = value(positionKey(name));
    if (v.typeId() != QMetaType::QPoint)
        return std::nullopt;
    return v.toPoint();
}

void Settings::rememberWindowPosition(const QString &name, QPoint position)
{
    setValue(positionKey(name), position);
}

} // namespace ort
