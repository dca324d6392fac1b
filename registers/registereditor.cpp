#include "registers/registereditor.h"
#include "gui/errors.h"
#include "gui/services.h"
#include "gui/ui.h"
#include "link/chip.h"
#include "link/runtimeerror.h"
#include "link/text.h"
#include "registers/bitpanel.h"
#include "registers/entryparse.h"
#include "registers/infopanel.h"
#include "registers/registermap.h"
#include "registers/selectorpanel.h"
#include "registers/writepanel.h"

#include <QLabel>
#include <QScopeGuard>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

namespace ort {

namespace {

constexpr int ContinuousIntervalMs = 5;

// A write goes to the write address and comes back to the read address even
// when it fails: a display or a read must never see a write address.
class AtWriteAddress {
public:
    explicit AtWriteAddress(Declare &d) : m_d(d) { ToWriteAddress(m_d); }
    ~AtWriteAddress() { ToReadAddress(m_d); }
    AtWriteAddress(const AtWriteAddress &) = delete;
    AtWriteAddress &operator=(const AtWriteAddress &) = delete;

private:
    Declare &m_d;
};

} // namespace

RegisterEditor::RegisterEditor(Services &services, QWidget &page, const Panels &panels)
    : QObject(&page), m_services(services), m_page(page), m_panels(panels)
{
    setObjectName("RegisterEditor");
    m_continuousTimer = new QTimer(this);
    m_continuousTimer->setObjectName("Timer3");
    m_continuousTimer->setTimerType(Qt::PreciseTimer);

    auto guarded = [this](auto handler) { runGuarded(m_services.ui, &m_page, handler); };
    connect(&m_panels.selector, &RegisterSelectorPanel::rowPressed, this,
            [this, guarded](int row) { guarded([&] { SelectRegister(row); }); });
    connect(&m_panels.bits, &BitPanel::digitClicked, this,
            [this, guarded](int bit) { guarded([&] { ToggleBit(bit); }); });
    connect(&m_panels.bits, &BitPanel::continuousPressed, this,
            [this, guarded](bool down) { guarded([&] { SSRibbon5_Click(down); }); });
    connect(&m_panels.write, &WritePanel::writePressed, this,
            [this, guarded](int base) { guarded([&] { WriteTypedValue(base); }); });
    connect(m_continuousTimer, &QTimer::timeout, this, [this] {
        runGuardedTick(m_services.ui, &m_page, *m_continuousTimer, [this] { Timer3_Timer(); }, [this] { continuousOff(); },
                       tr("Continuous reading stopped."));
    });
}

void RegisterEditor::SelectRegister(int row)
{
    Declare &d = m_services.declare;
    const RegisterRow &r = RegisterTable.at(static_cast<size_t>(row));
    d.EditorRegister = r.readAddress;
    m_panels.write.setEntriesEnabled(r.writable);
    d.EditorReadback = m_services.link.read(toByte(d.EditorRegister));
    ShowRegister();
    // Nothing has been written to the newly selected register yet.
    m_panels.info.writtenHex()->setText(QStringLiteral("X"));
    m_panels.info.writtenDecimal()->setText(QStringLiteral("X"));
}

void RegisterEditor::ShowRegister()
{
    Declare &d = m_services.declare;
    RegisterInfoPanel &info = m_panels.info;
    info.writtenHex()->setText(hexText(uint16_t(d.EditorWorkingValue)));
    info.writtenDecimal()->setText(decimalText(d.EditorWorkingValue));
    info.address()->setText(hexText(uint16_t(d.EditorRegister)));
    info.readHex()->setText(hexText(uint16_t(d.EditorReadback)));
    info.readDecimal()->setText(decimalText(d.EditorReadback));
    info.typeName()->setText(toQString(RegisterTypeName(d.EditorRegister)));
    // During a typed write the digits show the value being written.
    m_panels.bits.showDigits(d.EditorWriteActive == 1 ? d.EditorWorkingValue : d.EditorReadback);
    ShowBitNames(d.EditorRegister);

    // The standby indicator follows the chip; showing it writes nothing.
    emit standbyShown((m_services.link.read(chip::ConfigurationRead) & chip::ConfigStandby) != 0);
}

void RegisterEditor::ShowBitNames(int address)
{
    m_panels.bits.showBitNames(BitNamesOf(address));
}

void RegisterEditor::ToggleBit(int bit)
{
    // Read-only registers: the digits do nothing.
    if (!m_panels.write.hexBox()->isEnabled())
        return;
    Declare &d = m_services.declare;
    m_services.link.RefreshEditorValue();
    const int mask = 1 << bit;
    // The new state is the opposite of the digit shown; the other seven
    // bits are those just read.
    const bool shownSet = m_panels.bits.digit(bit)->isChecked();
    const int written = shownSet ? (d.EditorWorkingValue & ~mask) : (d.EditorWorkingValue | mask);
    {
        const AtWriteAddress writing(d);
        m_services.link.write(toByte(d.EditorRegister), written);
    }
    m_panels.bits.showDigit(bit, !shownSet);
    // Shown as read too: there is no read-back.
    d.EditorWorkingValue = static_cast<int16_t>(written);
    d.EditorReadback = static_cast<int16_t>(written);
    ShowRegister();
}

// An entry that is not a register's value writes nothing and says why; the
// box keeps what was typed.
bool RegisterEditor::refuseEntry(bool hex, std::optional<int64_t> value)
{
    QString text;
    if (!value)
        text = hex ? tr("The hexadecimal entry \"%1\" is not a hexadecimal number.")
                   : tr("The decimal entry \"%1\" is not a decimal number.");
    else if (*value < 0 || *value > 255)
        text = hex ? tr("The hexadecimal entry \"%1\" is not a value from 0 to 255, which is what a register holds.")
                   : tr("The decimal entry \"%1\" is not a value from 0 to 255, which is what a register holds.");
    else
        return false;
    MessageRequest request;
    request.title = productTitle();
    request.text = text.arg((hex ? m_panels.write.hexBox() : m_panels.write.decimalBox())->text()) +
                   QStringLiteral("\n\n") + tr("Nothing was written.");
    request.icon = QMessageBox::Warning;
    m_services.ui.message(&m_page, request);
    return true;
}

void RegisterEditor::WriteTypedValue(int base)
{
    Declare &d = m_services.declare;
    WritePanel &w = m_panels.write;
    const bool hex = base == 16;
    const std::string text = (hex ? w.hexBox() : w.decimalBox())->text().toStdString();
    const std::optional<int64_t> parsed = hex ? parseHexEntry(text) : parseDecimalEntry(text);
    // The hexadecimal box holds two digits, so only the decimal one can ask
    // for more than a byte.
    if (refuseEntry(hex, parsed))
        return;
    const int64_t value = *parsed;

    d.EditorWriteActive = 1;
    // A failed write must not leave the digits drawn from the typed value.
    const auto end = qScopeGuard([&d] { d.EditorWriteActive = 0; });
    d.EditorWorkingValue = static_cast<int16_t>(value);
    {
        const AtWriteAddress writing(d);
        m_services.link.write(toByte(d.EditorRegister), static_cast<int32_t>(value));
    }
    ShowRegister();
    // The other box shows the same value; editing it turns its button red
    // for the moment.
    if (hex)
        w.decimalBox()->setText(decimalText(value));
    else
        w.hexBox()->setText(hexText(static_cast<uint32_t>(value)));
    w.markWritten();
}

void RegisterEditor::SSRibbon5_Click(bool down)
{
    if (down) {
        m_panels.bits.showContinuous(true);
        m_continuousTimer->setInterval(ContinuousIntervalMs);
        m_continuousTimer->start();
    } else {
        continuousOff();
    }
}

void RegisterEditor::continuousOff()
{
    m_panels.bits.showContinuous(false);
    m_continuousTimer->stop();
}

void RegisterEditor::Timer3_Timer()
{
    // The One-Shot register starts a conversion rather than holding a
    // value: it is read once when selected, never again and again.
    if (m_panels.selector.isDown(registerRowOfButton("SSRibbon16")))
        return;
    Declare &d = m_services.declare;
    d.EditorReadback = m_services.link.read(toByte(d.EditorRegister));
    ShowRegister();
}

void RegisterEditor::ResetEditor()
{
    Declare &d = m_services.declare;
    m_panels.selector.setSelectedRow(registerRowOf(chip::LocalTemperature));
    d.EditorRegister = chip::LocalTemperature;
    continuousOff();
    m_panels.write.setEntriesEnabled(false);
    d.EditorReadback = m_services.link.read(chip::LocalTemperature);
    ShowRegister();
}

} // namespace ort
