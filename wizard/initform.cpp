#include "wizard/initform.h"
#include "base/numbers.h"
#include "component/builds.h"
#include "component/buserror.h"
#include "gui/artwork.h"
#include "gui/colours.h"
#include "gui/errors.h"
#include "gui/services.h"
#include "gui/twips.h"
#include "gui/ui.h"
#include "gui/windowhost.h"
#include "link/chip.h"
#include "link/runtimeerror.h"
#include "link/text.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QValidator>

namespace ort {

namespace {

constexpr int PanelX = 1320;
constexpr int HiddenX = -5000;

void setTextColour(QLabel *label, const QColor &colour)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}

// A component call of Finish or of the listing that the component refuses
// is skipped and the next step runs. Only the call goes in here: a fault of
// the wizard's own (a table lookup, say) must not be skipped over.
template <typename F>
void attempt(F &&componentCall)
{
    try {
        componentCall();
    } catch (const BusError &) {
    }
}

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

// A label placed in twips of the form; wrapped labels read top-down.
QLabel *placeLabel(QWidget *form, QWidget *parent, const char *name, QRect twipsBox, bool wrapped,
                   const QString &text = QString())
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setGeometry(twipsRect(form, twipsBox.x(), twipsBox.y(), twipsBox.width(), twipsBox.height()));
    if (wrapped) {
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    return l;
}

QLabel *placeHeading(QWidget *form, QWidget *parent, const char *name, QRect twipsBox, const QString &text,
                     qreal pointSize)
{
    QLabel *l = placeLabel(form, parent, name, twipsBox, false, text);
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    f.setPointSizeF(pointSize);
    l->setFont(f);
    return l;
}

void showWhole(QLineEdit *edit, const QString &text)
{
    if (auto *v = dynamic_cast<HexBaseValidator *>(const_cast<QValidator *>(edit->validator())))
        v->allowShown(text.size());
    edit->setText(text);
}

} // namespace

InitForm::InitForm(Services &services, WindowHost &host) : QWidget(nullptr), m_services(services), m_host(host)
{
    setObjectName("InitForm");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(MakerName + QStringLiteral(" Device Search"));

    auto *image = new QLabel(this);
    image->setObjectName("Image1");
    image->setGeometry(twipsRect(this, 120, 120, 1080, 2700));
    image->setPixmap(chipPicture(image->size()));
    image->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    // Panel containers are plain frames; HideAllPanels moves exactly these.
    auto panel = [this](const char *name) {
        auto *f = new QFrame(this);
        f->setObjectName(name);
        f->setGeometry(twipsRect(this, PanelX, 0, 4575, 2828));
        return f;
    };
    buildWelcomePanel(panel("WelcomePanel"));
    buildMediumPanel(panel("SeclectComsMediumPanel"));
    m_searchingPanel = panel("SearchingPanel");
    buildSearchingPanel(m_searchingPanel);
    buildResultsPanel(panel("SearchResultsPanel"));

    auto button = [this](const char *name, const QString &text, int x, int width) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setGeometry(twipsRect(this, x, 3000, width, 375));
        return b;
    };
    m_cancel = button("CancelCMD", QStringLiteral("Cancel"), 240, 1215);
    m_back = button("BackCMD", QStringLiteral("< Back"), 1920, 1215);
    m_next = button("NextCMD", QStringLiteral("Next >"), 3120, 1215);
    m_finish = button("FinishCMD", QStringLiteral("Finish"), 4800, 1095);
    m_back->setEnabled(false);
    m_finish->setEnabled(false);
    // As in a dialog, Return presses the focused button, or the default one
    // when the focus is elsewhere (keyPressEvent). Not through autoDefault,
    // which outside a dialog drops a button's default role when it loses
    // the focus.
    m_next->setDefault(true);
    // The window opens with the focus on Next, not on the first button.
    m_next->setFocus();

    auto handle = [this](QPushButton *b, void (InitForm::*handler)()) {
        connect(b, &QPushButton::clicked, this, [this, handler] { runGuarded(m_services.ui, this, [&] { (this->*handler)(); }); });
    };
    handle(m_cancel, &InitForm::CancelCMD_Click);
    handle(m_back, &InitForm::BackCMD_Click);
    handle(m_next, &InitForm::NextCMD_Click);
    handle(m_finish, &InitForm::FinishCMD_Click);

    setFixedSize(twips(this, 6015), twips(this, 3495));
}

InitForm::~InitForm() = default;

void InitForm::buildWelcomePanel(QFrame *panel)
{
    m_welcome = placeLabel(this, panel, "WelcomeLBL", {120, 240, 4335, 1200}, true);
    QFont f = m_welcome->font();
    f.setPointSizeF(f.pointSizeF() * 1.2);
    m_welcome->setFont(f);

    m_welcomeInstructions = placeLabel(this, panel, "WelcomeInstructionsLBL", {120, 2400, 4335, 300}, false);
}

void InitForm::buildMediumPanel(QFrame *panel)
{
    // Laid out rather than placed: a description grows with what the
    // component has to say about a device it cannot open.
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(twips(this, 120), twips(this, 120), twips(this, 120), twips(this, 120));
    grid->setHorizontalSpacing(twips(this, 90));
    grid->setVerticalSpacing(twips(this, 30));
    grid->setColumnMinimumWidth(0, twips(this, 210));   // descriptions stand 420 twips in
    grid->setColumnStretch(1, 1);

    auto check = [&](const char *name, const QString &text) {
        auto *c = new QCheckBox(text, panel);
        c->setObjectName(name);
        return c;
    };
    auto description = [&](const char *name) {
        auto *l = new QLabel(panel);
        l->setObjectName(name);
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setTextColour(l, colour::DarkGreen);
        return l;
    };
    m_ppCheck = check("PPCheck", QStringLiteral("Parallel Printer Port"));
    m_ppCheck->setChecked(true);
    m_ppDesc = description("PPSearchDescLBL");

    m_smbusCheck = check("SMBusCheck", QStringLiteral("On-Board SMBus"));
    m_smbusBase = new QLineEdit(QStringLiteral("000"), panel);
    m_smbusBase->setObjectName("SMBusBaseAddressTXT");
    m_smbusBase->setFixedSize(twips(this, 795), twips(this, 315));
    m_smbusBase->setValidator(new HexBaseValidator(m_smbusBase, 4));
    m_smbusDesc = description("SMBusSearchDescLBL");

    m_usbCheck = check("USBCheck", QStringLiteral("USB"));
    m_usbCheck->setEnabled(false);
    m_usbCheck->hide();
    m_usbDesc = description("USBSearchDescLBL");
    m_usbDesc->setText(QStringLiteral("Connect the evaluation board to the printer port"));
    m_usbDesc->hide();

    m_mediumInstructions = new QLabel(panel);
    m_mediumInstructions->setObjectName("SearchMediumInstLBL");

    grid->addWidget(m_ppCheck, 0, 0, 1, 3);
    grid->addWidget(m_ppDesc, 1, 1, 1, 2);
    grid->addWidget(m_smbusCheck, 2, 0, 1, 2);
    grid->addWidget(m_smbusBase, 2, 2);
    grid->addWidget(m_smbusDesc, 3, 1, 1, 2);
    grid->addWidget(m_usbCheck, 4, 0, 1, 3);
    grid->addWidget(m_usbDesc, 5, 1, 1, 2);
    grid->setRowStretch(6, 1);
    grid->addWidget(m_mediumInstructions, 7, 0, 1, 3);
}

void InitForm::buildSearchingPanel(QFrame *panel)
{
    placeHeading(this, panel, "SearchingLBL", {120, 240, 4335, 480}, QStringLiteral("Searching"), 15.75);
    m_searchingDetails = placeLabel(this, panel, "SearchingDetailsLBL", {120, 960, 4335, 600}, true);

    m_progress = new QProgressBar(panel);
    m_progress->setObjectName("SearchProgress");
    m_progress->setGeometry(twipsRect(this, 120, 1800, 4335, 330));
    m_progress->setTextVisible(false);
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
}

void InitForm::buildResultsPanel(QFrame *panel)
{
    placeHeading(this, panel, "SearchResultsDescLBL", {120, 60, 4335, 300}, QStringLiteral("Search Results"), 9.75);

    m_results = new QListWidget(panel);
    m_results->setObjectName("SearchResultsLIST");
    m_results->setGeometry(twipsRect(this, 120, 390, 4335, 1335));
    // The tag sits far to the right behind the readable text; it is clipped,
    // not elided, so the list shows what the user needs and nothing more.
    m_results->setTextElideMode(Qt::ElideNone);
    m_results->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_results->setSelectionMode(QAbstractItemView::SingleSelection);
    // Finish goes with a selected entry: a Ctrl+click that deselects the
    // last one takes it away.
    connect(m_results, &QListWidget::itemSelectionChanged, this, [this] {
        if (m_currentPanel == 4)
            m_finish->setEnabled(entrySelected());
    });

    m_resultsSummary = placeLabel(this, panel, "SearchResultsLBL", {120, 1830, 4335, 480}, true);
    m_resultsInstructions = placeLabel(this, panel, "SearchInsLBL", {120, 2400, 4335, 300}, false);
}

// --- loading -------------------------------------------------------------

void InitForm::Form_Load()
{
    try {
        m_systemInfo = m_services.bus.CreateSystemInfo();
        m_services.bus.PrinterPort().Link().SetBusParameter(chip::BusParameter);
        m_candidateAddresses = BuildCandidateAddresses();
        m_search.setCandidates(m_candidateAddresses);
        InitWizard();
        m_search.reset();
    } catch (...) {
        m_services.ui.message(this, {QStringLiteral("Error"), QStringLiteral("Error in Init Form Load"),
                                      QMessageBox::Critical, QMessageBox::Ok});
    }
    centreOnScreen(this);
}

void InitForm::InitWizard()
{
    m_currentPanel = 1;
    CollectPanels();
    ShowPanel(1);
    SetupWelcomePanel();
    SetupMediumPanel();
    SetupSearchingPanel();
    SetupResultsPanel();
}

void InitForm::CollectPanels()
{
    m_panels.clear();
    for (const char *name : {"WelcomePanel", "SeclectComsMediumPanel", "SearchingPanel", "SearchResultsPanel"})
        for (QFrame *f : findChildren<QFrame *>(QString(), Qt::FindDirectChildrenOnly))
            if (f->objectName() == QLatin1String(name))
                m_panels.push_back(f);
}

void InitForm::HideAllPanels()
{
    // Frame containers only: labels and lists are frames too, by inheritance.
    // Hidden as well as moved away, so that Tab never lands on a control
    // of a panel the user cannot see.
    for (QFrame *f : findChildren<QFrame *>())
        if (f->metaObject() == &QFrame::staticMetaObject) {
            f->move(twips(this, HiddenX), f->y());
            f->hide();
        }
}

void InitForm::ShowPanel(int index)
{
    m_currentPanel = index;
    HideAllPanels();
    m_panels.at(index - 1)->move(twips(this, PanelX), m_panels.at(index - 1)->y());
    m_panels.at(index - 1)->show();
}

void InitForm::SetupWelcomePanel()
{
    setWindowTitle(ChipName + QStringLiteral(" Search Wizard"));
    m_welcome->setText(QStringLiteral("This ") + ChipName + QStringLiteral(" Search Wizard will ") +
                       QStringLiteral("find any ") + ChipName +
                       QStringLiteral("s that can be controlled by this software"));
    m_welcomeInstructions->setText(QStringLiteral("Click 'Next' to start."));
}

long InitForm::buildNumber()
{
    bool ok = false;
    const long build = QString::fromStdString(m_systemInfo->BuildNumber()).trimmed().toLong(&ok);
    if (!ok)
        throw RunTimeError(13, "Type mismatch");
    return build;
}

void InitForm::SetupMediumPanel()
{
    m_ppDesc->setText(QStringLiteral("Remember to connect the ") + ChipName +
                      QStringLiteral(" evaluation board to the printer port"));
    // A port that exists but cannot be opened is not searched; say so now,
    // and what grants access, rather than let the search find nothing.
    QStringList portProblems;
    for (const std::string &problem : m_systemInfo->PortProblems())
        portProblems << QString::fromStdString(problem);
    if (!portProblems.isEmpty()) {
        m_ppDesc->setText(portProblems.join(QStringLiteral(". ")) + QStringLiteral("."));
        setTextColour(m_ppDesc, colour::DarkRed);
    }

    bool smbusPlatform = false;
    for (long allowed : SmbusBuilds)   // the build is read once for each
        if (buildNumber() == allowed)
            smbusPlatform = true;
    if (smbusPlatform) {
        m_smbusDesc->setText(QStringLiteral("The Southbridge or ICH of Intel chipsets. For unsupported Intel "
                                            "chipsets, enter SMBBA here (Hex)."));
        m_shownSmbusBase = hexText(m_services.bus.Smbus().HostBaseAddress());
        showWhole(m_smbusBase, m_shownSmbusBase);
    } else {
        // The component knows why it refuses the SMBus here; the sentence
        // about old platforms is for a component that gives no reason.
        const QString reason = QString::fromStdString(m_systemInfo->SmbusProblem());
        m_smbusDesc->setText(reason.isEmpty() ? QStringLiteral("Sorry, SMBus communication is only supported on "
                                                               "Windows 95,98 and ME.")
                                              : reason + QStringLiteral("."));
        setTextColour(m_smbusDesc, colour::DarkRed);
        m_smbusCheck->setChecked(false);
        m_smbusCheck->setEnabled(false);
        m_smbusBase->setEnabled(false);
    }

    bool windows95 = false;
    for (long build : Windows95Builds)
        if (buildNumber() == build)
            windows95 = true;
    if (windows95) {
        m_usbDesc->setText(QStringLiteral("Sorry, USB communication is not supported on Windows 95."));
        setTextColour(m_usbDesc, colour::DarkRed);
        m_usbCheck->setChecked(false);
        m_usbCheck->setEnabled(false);
    }

    m_mediumInstructions->setText(QStringLiteral("Click 'Next' to search for the ") + ChipName + QStringLiteral("."));
}

void InitForm::SetupSearchingPanel()
{
    m_searchingDetails->setText(QStringLiteral("Please wait while searching for available ") + ChipName +
                                QStringLiteral("s."));
}

void InitForm::SetupResultsPanel()
{
    m_resultsSummary->setText(QStringLiteral("Please select one of the ") + ChipName + QStringLiteral("s found above."));
    m_resultsInstructions->setText(QStringLiteral("Click 'Next' to Continue"));
}

// --- navigation ----------------------------------------------------------

void InitForm::NextCMD_Click()
{
    m_movingForward = true;
    Navigate();
}

void InitForm::BackCMD_Click()
{
    m_movingForward = false;
    Navigate();
}

void InitForm::Navigate()
{
    switch (m_currentPanel) {
    case 1:
        if (m_movingForward)
            GoToMediumPanel();
        break;
    case 2:
        if (m_movingForward)
            StartSearch();
        else
            GoToWelcomePanel();
        break;
    case 4:
        if (m_movingForward)
            AdvanceFromResults();
        else
            BackToMediumPanel();
        break;
    default:   // searching: neither button does anything
        break;
    }
}

void InitForm::GoToMediumPanel()
{
    ShowPanel(2);
    m_back->setEnabled(true);
    focusForwardButton();
}

void InitForm::GoToWelcomePanel()
{
    ShowPanel(1);
    m_back->setEnabled(false);
    focusForwardButton();
}

void InitForm::AdvanceFromResults()
{
    if (m_currentPanel < 4)
        ++m_currentPanel;
    ShowPanel(m_currentPanel);
    m_back->setEnabled(true);
    if (m_currentPanel == 4) {
        m_finish->setEnabled(entrySelected());
        m_next->setEnabled(false);
    }
    focusForwardButton();
}

void InitForm::BackToMediumPanel()
{
    m_results->clear();
    m_search.reset();
    ShowPanel(2);
    m_next->setEnabled(true);
    m_finish->setEnabled(false);
    focusForwardButton();
}

bool InitForm::ValidateMediumSelection()
{
    if (!m_ppCheck->isChecked() && !m_smbusCheck->isChecked() && !m_usbCheck->isChecked()) {
        m_services.ui.message(this, {QStringLiteral("A problem was detected"),
                                      QStringLiteral("Please select a search medium"), QMessageBox::NoIcon,
                                      QMessageBox::Ok});
        return false;
    }
    return true;
}

void InitForm::StartSearch()
{
    if (!ValidateMediumSelection())
        return;
    ShowPanel(3);
    m_searchingPanel->repaint();
    for (QPushButton *b : {m_cancel, m_back, m_next, m_finish})
        b->setEnabled(false);
    setCursor(Qt::WaitCursor);

    try {
        m_host.loadMainWindow();
        SearchAllMedia();
    } catch (...) {
        // Whatever the error, the wizard must not stay busy with every
        // button off: give the user Cancel and Back, then let it be shown.
        unsetCursor();
        m_cancel->setEnabled(true);
        m_back->setEnabled(true);
        ShowPanel(2);
        m_next->setEnabled(true);
        m_progress->setValue(0);
        focusForwardButton();
        throw;
    }

    m_cancel->setEnabled(true);
    m_back->setEnabled(true);
    m_next->setEnabled(false);
    unsetCursor();
    ListSearchResults();
    m_finish->setEnabled(entrySelected());
    ShowPanel(4);
    m_progress->setValue(0);
    focusForwardButton();
}

// --- the search ----------------------------------------------------------

void InitForm::SearchAllMedia()
{
    int maximum = 0;
    for (QCheckBox *medium : {m_ppCheck, m_smbusCheck, m_usbCheck})
        if (medium->isChecked())
            maximum += ProgressPerMedium;
    m_progress->setRange(0, maximum);
    m_progress->setValue(0);

    m_search.setProgressStep([this](int step) { AdvanceProgress(step); });
    if (m_ppCheck->isChecked())
        m_search.SearchPrinterPorts();
    if (m_smbusCheck->isChecked()) {
        useTypedSmbusBase();
        m_search.SearchOnBoardSmbus();
    }
}

// A base address the user typed picks the host controller at that address
// for the search and for Finish; left as shown, nothing changes.
void InitForm::useTypedSmbusBase()
{
    const QString typed = m_smbusBase->text().trimmed();
    bool ok = false;
    const uint value = typed.toUInt(&ok, 16);
    if (!m_smbusBase->isEnabled() || !ok || typed.compare(m_shownSmbusBase, Qt::CaseInsensitive) == 0)
        return;
    attempt([&] { m_services.bus.Smbus().SelectHostBaseAddress(value); });
}

void InitForm::AdvanceProgress(int step)
{
    m_progress->setValue(static_cast<int>(advancedProgress(m_progress->value(), step, m_progress->maximum())));
    // The search holds the event loop; only an explicit repaint shows progress.
    m_searchingPanel->repaint();
}

void InitForm::ListSearchResults()
{
    m_resultAddresses.clear();
    auto store = [this](uint8_t address) {
        const size_t position = static_cast<size_t>(m_results->count() - 1);
        if (m_resultAddresses.size() <= position)
            m_resultAddresses.resize(position + 1);
        m_resultAddresses[position] = address;
    };

    int printerNumber = 0;
    for (const PrinterFind &find : m_search.printerFinds()) {
        ++printerNumber;
        uint16_t base = 0;
        attempt([&] { m_services.bus.PrinterPort().SelectPort(find.port); });
        attempt([&] { base = m_services.bus.PrinterPort().PortAddress(); });
        m_results->addItem(printerEntryText(find.addressByte, base, printerNumber));
        m_results->setCurrentRow(0);
        store(find.addressByte);
    }
    for (uint8_t address7 : m_search.smbusFinds()) {
        m_results->addItem(smbusEntryText(address7));
        m_results->setCurrentRow(0);
        store(address7);
    }

    if (m_results->count() > 0) {
        m_resultsSummary->setText(QStringLiteral("Please select one of the ") + ChipName +
                                  QStringLiteral("s found above."));
        m_resultsInstructions->setText(QStringLiteral("Click 'Finish' to Continue"));
    } else {
        m_resultsSummary->setText(QStringLiteral("Sorry, no ") + ChipName +
                                  QStringLiteral("s were found. Please check all connections and try again"));
        m_resultsInstructions->setText(QStringLiteral("Click Back to continue..."));
        m_finish->setEnabled(false);
        m_results->clear();
    }
}

bool InitForm::entrySelected() const
{
    return !m_results->selectedItems().isEmpty();
}

// --- keyboard ------------------------------------------------------------

// The forward button of the panel in view is the default button and has the
// focus, so that Return moves on: Next, or Finish on the results; with
// nothing found there, Back.
void InitForm::focusForwardButton()
{
    QPushButton *forward = m_next;
    if (m_currentPanel == 4)
        forward = m_results->count() > 0 ? m_finish : m_back;
    for (QPushButton *b : {m_cancel, m_back, m_next, m_finish})
        b->setDefault(b == forward);
    if (forward->isEnabled())
        forward->setFocus();
}

// What a dialog does with Return and Escape, for this window, which is not a
// dialog: a dialog's Escape would only hide it, where Cancel must unload it.
void InitForm::keyPressEvent(QKeyEvent *event)
{
    const bool plain = event->modifiers() == Qt::NoModifier ||
                       (event->modifiers() == Qt::KeypadModifier && event->key() == Qt::Key_Enter);
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        for (QPushButton *b : {m_cancel, m_back, m_next, m_finish})
            if (b->hasFocus() && b->isEnabled()) {
                b->click();
                return;
            }
        for (QPushButton *b : {m_cancel, m_back, m_next, m_finish})
            if (b->isDefault() && b->isEnabled()) {
                b->click();
                return;
            }
        return;
    }
    if (plain && event->key() == Qt::Key_Escape) {
        if (m_cancel->isEnabled())
            m_cancel->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

// --- finishing and unloading --------------------------------------------

void InitForm::FinishCMD_Click()
{
    // Nothing selected, nothing to finish on: the wizard stays.
    const QList<QListWidgetItem *> selected = m_results->selectedItems();
    if (selected.isEmpty())
        return;
    const int position = m_results->row(selected.first());
    const QString entry = selected.first()->text();
    const std::optional<int> printer = printerTagNumber(entry);
    const std::optional<uint8_t> smbus = smbusTagAddress(entry);
    if (!printer && !smbus) {
        m_host.endProgram();
        return;
    }

    // The wizard's own tables are read before anything changes: a lookup
    // that fails is a fault of the program, shown as such, and must not leave
    // a half-configured chip behind an open main window.
    const uint8_t deviceAddress = m_resultAddresses.at(static_cast<size_t>(position));
    Declare &state = m_services.declare;
    if (printer) {
        const size_t index = static_cast<size_t>(*printer - 1);
        const PrinterFind find = m_search.printerFinds().at(index);
        const uint8_t address = m_resultAddresses.at(index);
        attempt([&] { m_services.bus.PrinterPort().SelectPort(find.port); });
        attempt([&] { m_services.bus.PrinterPort().Link().SetLinkVariant(find.linkVariant); });
        attempt([&] { m_services.bus.PrinterPort().Link().SetDeviceAddress(address); });
        attempt([&] { m_services.bus.SelectBus(chip::SelectPrinterPort); });
        state.BusMedium = chip::MediumPrinterPort;
        attempt([&] { state.PrinterPortBase = m_services.bus.PrinterPort().Link().PortBase(); });
    }
    if (smbus) {
        attempt([&] { m_services.bus.Smbus().SetDeviceAddress(*smbus); });
        attempt([&] { m_services.bus.SelectBus(chip::SelectSmbus); });
        state.BusMedium = chip::MediumSmbus;
    }
    m_finishing = true;
    state.DeviceAddress = deviceAddress;
    m_host.showMainWindow();
    close();
}

void InitForm::CancelCMD_Click()
{
    if (!m_finishing)
        m_host.unloadMainWindow();
    close();
}

void InitForm::Form_Unload()
{
    if (!m_finishing) {
        // Forget this wizard first, so that unloading every window does not
        // come back to it; with no window left the program ends.
        m_host.windowUnloaded(this);
        m_host.unloadAllWindows();
    }
    hide();
}

void InitForm::closeEvent(QCloseEvent *event)
{
    if (!m_unloaded) {
        m_unloaded = true;
        Form_Unload();
    }
    event->accept();
}

} // namespace ort
