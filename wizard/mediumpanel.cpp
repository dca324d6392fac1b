#include "wizard/mediumpanel.h"
#include "base/numbers.h"
#include "component/builds.h"
#include "component/busaccess.h"
#include "component/buserror.h"
#include "gui/colours.h"
#include "gui/twips.h"
#include "gui/ui.h"
#include "link/runtimeerror.h"
#include "link/text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QValidator>

namespace ort {

namespace {

// The SMBus base box takes hexadecimal digits only, at most four when typed
// (a 16-bit I/O base); a longer address set by the program is shown whole
// and may still be shortened. Typed letters are shown in upper case.
class HexBaseValidator : public QValidator {
public:
    HexBaseValidator(QLineEdit *edit, int limit) : QValidator(edit), m_limit(limit)
    {
        // The line edit asks with the edited text already in place, so the
        // length before the edit is kept here.
        connect(edit, &QLineEdit::textChanged, this, [this](const QString &t) { m_shown = t.size(); });
        m_shown = edit->text().size();
    }
    // Set before the program shows a longer text, which is validated too.
    void allowShown(qsizetype length) { m_shown = length; }
    State validate(QString &input, int &) const override
    {
        for (QChar c : std::as_const(input))
            if (hexDigitValue(c.unicode()) < 0)
                return Invalid;
        input = input.toUpper();
        return input.size() <= m_limit || input.size() <= m_shown ? Acceptable : Invalid;
    }

private:
    int m_limit;
    qsizetype m_shown = 0;
};

// An adapter's I/O base, kept with its entry in the list of adapters.
constexpr int BaseRole = Qt::UserRole + 1;

void showWhole(QLineEdit *edit, const QString &text)
{
    if (auto *v = dynamic_cast<HexBaseValidator *>(const_cast<QValidator *>(edit->validator())))
        v->allowShown(text.size());
    edit->setText(text);
}

long buildNumber(SystemInfo &systemInfo)
{
    bool ok = false;
    const long build = QString::fromStdString(systemInfo.BuildNumber()).trimmed().toLong(&ok);
    if (!ok)
        throw RunTimeError(13, "Type mismatch");
    return build;
}

} // namespace

MediumPanel::MediumPanel(QWidget *form) : WizardPanel(form, "SeclectComsMediumPanel")
{
    // Laid out rather than placed: a description grows with what the
    // component has to say about a device it cannot open.
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(twips(form, 120), twips(form, 120), twips(form, 120), twips(form, 120));
    grid->setHorizontalSpacing(twips(form, 90));
    grid->setVerticalSpacing(twips(form, 30));
    grid->setColumnMinimumWidth(0, twips(form, 210));   // descriptions stand 420 twips in
    grid->setColumnStretch(1, 1);

    auto check = [this](const char *name, const QString &text) {
        auto *box = new QCheckBox(text, this);
        box->setObjectName(name);
        return box;
    };
    auto description = [this](const char *name) {
        auto *shown = new QLabel(this);
        shown->setObjectName(name);
        shown->setWordWrap(true);
        shown->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setTextColour(shown, colour::DarkGreen);
        return shown;
    };
    m_ppCheck = check("PPCheck", tr("Parallel Printer Port"));
    m_ppCheck->setChecked(true);
    m_ppDesc = description("PPSearchDescLBL");

    m_smbusCheck = check("SMBusCheck", tr("On-Board SMBus"));
    m_smbusBase = new QLineEdit(QStringLiteral("000"), this);
    m_smbusBase->setObjectName("SMBusBaseAddressTXT");
    m_smbusBase->setAccessibleName(tr("SMBus base address, hex"));
    m_smbusBase->setFixedSize(twips(form, 795), twips(form, 315));
    m_smbusBase->setValidator(new HexBaseValidator(m_smbusBase, 4));
    m_smbusDesc = description("SMBusSearchDescLBL");
    m_adapters = new QComboBox(this);
    m_adapters->setObjectName("SMBusAdapterCMB");
    m_adapters->setAccessibleName(tr("SMBus adapter"));
    m_adapters->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_adapters->hide();
    // The base box shows the chosen adapter's base; a base typed there
    // chooses the adapter that has it.
    connect(m_adapters, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0)
            return;
        m_shownSmbusBase = hexText(m_adapters->itemData(index, BaseRole).toUInt());
        showWhole(m_smbusBase, m_shownSmbusBase);
    });
    connect(m_smbusBase, &QLineEdit::textEdited, this, [this](const QString &typed) {
        bool ok = false;
        const uint base = typed.toUInt(&ok, 16);
        const int index = ok && base != 0 ? m_adapters->findData(base, BaseRole) : -1;
        if (index >= 0) {
            const QSignalBlocker keepTyped(m_adapters);
            m_adapters->setCurrentIndex(index);
        }
    });

    m_usbCheck = check("USBCheck", QStringLiteral("USB"));
    m_usbCheck->setEnabled(false);
    m_usbCheck->hide();
    m_usbDesc = description("USBSearchDescLBL");
    m_usbDesc->setText(tr("Connect the evaluation board to the printer port"));
    m_usbDesc->hide();

    m_instructions = new QLabel(this);
    m_instructions->setObjectName("SearchMediumInstLBL");

    grid->addWidget(m_ppCheck, 0, 0, 1, 3);
    grid->addWidget(m_ppDesc, 1, 1, 1, 2);
    grid->addWidget(m_smbusCheck, 2, 0, 1, 2);
    grid->addWidget(m_smbusBase, 2, 2);
    grid->addWidget(m_smbusDesc, 3, 1, 1, 2);
    grid->addWidget(m_adapters, 4, 1, 1, 2);
    grid->addWidget(m_usbCheck, 5, 0, 1, 3);
    grid->addWidget(m_usbDesc, 6, 1, 1, 2);
    grid->setRowStretch(7, 1);
    grid->addWidget(m_instructions, 8, 0, 1, 3);
}

void MediumPanel::SetupMediumPanel(SystemInfo &systemInfo, SmbusHost &smbus)
{
    m_ppDesc->setText(tr("Remember to connect the %1 evaluation board to the printer port").arg(ChipName));
    // A port that exists but cannot be opened is not searched; say so now,
    // and what grants access, rather than let the search find nothing.
    QStringList portProblems;
    for (const std::string &problem : systemInfo.portProblems())
        portProblems << QString::fromStdString(problem);
    if (!portProblems.isEmpty()) {
        m_ppDesc->setText(portProblems.join(QStringLiteral(". ")) + QStringLiteral("."));
        setTextColour(m_ppDesc, colour::DarkRed);
    }

    bool smbusPlatform = false;
    for (long allowed : SmbusBuilds)   // the build is read once for each
        if (buildNumber(systemInfo) == allowed)
            smbusPlatform = true;
    if (smbusPlatform) {
        m_smbusDesc->setText(tr("The Southbridge or ICH of Intel chipsets. For unsupported Intel "
                                "chipsets, enter SMBBA here (Hex)."));
        m_shownSmbusBase = hexText(smbus.HostBaseAddress());
        showWhole(m_smbusBase, m_shownSmbusBase);
        offerAdapters(smbus);
    } else {
        // The component knows why it refuses the SMBus here; the sentence
        // about old platforms is for a component that gives no reason.
        const QString reason = QString::fromStdString(systemInfo.smbusProblem());
        m_smbusDesc->setText(reason.isEmpty() ? tr("Sorry, SMBus communication is only supported on "
                                                   "Windows 95,98 and ME.")
                                              : reason + QStringLiteral("."));
        setTextColour(m_smbusDesc, colour::DarkRed);
        m_smbusCheck->setChecked(false);
        m_smbusCheck->setEnabled(false);
        m_smbusBase->setEnabled(false);
    }

    bool windows95 = false;
    for (long build : Windows95Builds)
        if (buildNumber(systemInfo) == build)
            windows95 = true;
    if (windows95) {
        m_usbDesc->setText(tr("Sorry, USB communication is not supported on Windows 95."));
        setTextColour(m_usbDesc, colour::DarkRed);
        m_usbCheck->setChecked(false);
        m_usbCheck->setEnabled(false);
    }

    m_instructions->setText(tr("Click 'Next' to search for the %1.").arg(ChipName));
}

bool MediumPanel::ValidateMediumSelection(Ui &ui)
{
    if (!printerPortChosen() && !smbusChosen() && !usbChosen()) {
        ui.message(window(), {tr("A problem was detected"), tr("Please select a search medium"),
                              QMessageBox::NoIcon, QMessageBox::Ok});
        return false;
    }
    return true;
}

bool MediumPanel::printerPortChosen() const { return m_ppCheck->isChecked(); }
bool MediumPanel::smbusChosen() const { return m_smbusCheck->isChecked(); }
bool MediumPanel::usbChosen() const { return m_usbCheck->isChecked(); }

void MediumPanel::offerAdapters(SmbusHost &smbus)
{
    const std::vector<SmbusAdapterInfo> adapters = smbus.Adapters();
    if (adapters.size() < 2)
        return;
    // The one in use is preselected: the one named on the command line, or
    // the first that does byte-data transfers. The box shows its base already.
    const QSignalBlocker quiet(m_adapters);
    int inUse = 0;
    for (const SmbusAdapterInfo &a : adapters) {
        const QString device = QString::fromStdString(a.device);
        if (a.inUse)
            inUse = m_adapters->count();
        m_adapters->addItem(device + QStringLiteral(" (") + QString::fromStdString(a.name) + QLatin1Char(')'), device);
        m_adapters->setItemData(m_adapters->count() - 1, uint(a.base), BaseRole);
    }
    m_adapters->setCurrentIndex(inUse);
    m_adapters->show();
}

void MediumPanel::preselect(const Settings::WizardChoice &choice)
{
    const bool printerPort = choice.printerPort && m_ppCheck->isEnabled();
    const bool smbus = choice.smbus && m_smbusCheck->isEnabled();
    if (!printerPort && !smbus)
        return;   // nothing of it can be searched now: the panel starts as it always does
    m_ppCheck->setChecked(printerPort);
    m_smbusCheck->setChecked(smbus);
    if (const int index = m_adapters->findData(choice.adapter); index >= 0 && !choice.adapter.isEmpty())
        m_adapters->setCurrentIndex(index);
}

Settings::WizardChoice MediumPanel::choice() const
{
    return {printerPortChosen(), smbusChosen(), m_adapters->count() > 0 ? m_adapters->currentData().toString() : QString()};
}

void MediumPanel::useChosenSmbusAdapter(SmbusHost &smbus)
{
    if (m_adapters->count() > 0)
        smbus.SelectAdapter(m_adapters->currentData().toString().toStdString());
    bool ok = false;
    const uint value = m_smbusBase->text().trimmed().toUInt(&ok, 16);
    if (!m_smbusBase->isEnabled() || !ok || value == m_shownSmbusBase.toUInt(nullptr, 16))
        return;
    try {
        smbus.selectHostBaseAddress(value);
    } catch (const BusError &) {
        // No host there: the search goes on with the one in use.
    }
}

} // namespace ort
