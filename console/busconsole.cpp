#include "console/busconsole.h"
#include "console/transferdelegate.h"
#include "console/transfertext.h"
#include "gui/services.h"
#include "gui/twips.h"
#include "gui/windowhost.h"
#include "link/text.h"
#include "registers/registermap.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace ort {

namespace {

// At most 25 repaints a second; when more than a screenful of rows came
// since the last, nobody reads them as they pass, and two a second do.
constexpr int RefreshMs = 40;
constexpr int FloodRefreshMs = 500;

} // namespace

BusConsole::BusConsole(Services &services, WindowHost &host, double origin)
    : QWidget(nullptr), m_services(services), m_host(host), m_clock(services.clock), m_origin(origin)
{
    setObjectName("BusConsole");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("%1 - Bus Console").arg(productTitle()));

    m_pause = new QPushButton(tr("Pause"), this);
    m_pause->setObjectName("PauseCMD");
    m_pause->setCheckable(true);
    m_pause->setToolTip(tr("Stops recording transfers until pressed again"));
    auto *clear = new QPushButton(tr("Clear"), this);
    clear->setObjectName("ClearCMD");
    auto *save = new QPushButton(tr("Save\u2026"), this);
    save->setObjectName("SaveCMD");
    save->setToolTip(tr("Saves the transfers shown as CSV"));

    m_registerFilter = new QComboBox(this);
    m_registerFilter->setObjectName("RegisterFilter");
    m_registerFilter->addItem(tr("All registers"), QVariantList());
    // A register of the chip is found by either of its addresses.
    for (const RegisterRow &row : RegisterTable) {
        QVariantList addresses{int(row.readAddress)};
        QString text = QString::fromLatin1(row.typeName.data(), qsizetype(row.typeName.size())) +
                       QStringLiteral(" (") + byteText(row.readAddress);
        if (row.writeAddress && *row.writeAddress != row.readAddress) {
            addresses << int(*row.writeAddress);
            text += QLatin1Char('/') + byteText(*row.writeAddress);
        }
        m_registerFilter->addItem(text + QLatin1Char(')'), addresses);
    }
    m_registerFilter->addItem(tr("No register"), QVariantList{int(Transfer::None)});

    m_resultFilter = new QComboBox(this);
    m_resultFilter->setObjectName("ResultFilter");
    using R = TransferFilter::Result;
    const std::pair<const char *, R> results[] = {
        {QT_TR_NOOP("All results"), R::Any},
        {QT_TR_NOOP("Acknowledged"), R::Acknowledged},
        {QT_TR_NOOP("Not acknowledged"), R::NotAcknowledged},
        {QT_TR_NOOP("Failed"), R::Failed},
        {QT_TR_NOOP("Not acknowledged or failed"), R::NotAcknowledgedOrFailed}};
    for (const auto &[text, result] : results)
        m_resultFilter->addItem(tr(text), int(result));

    auto *registerLabel = new QLabel(tr("&Register:"), this);
    registerLabel->setBuddy(m_registerFilter);
    auto *resultLabel = new QLabel(tr("Res&ult:"), this);
    resultLabel->setBuddy(m_resultFilter);
    m_count = new QLabel(this);
    m_count->setObjectName("CountLBL");
    m_count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // A fixed size: a new count then repaints the label without laying out the window.
    m_count->setFixedSize(m_count->fontMetrics().horizontalAdvance(
                              tr("%1 of %n transfers", nullptr, 100000).arg(100000) + tr(", paused")),
                          m_count->sizeHint().height());

    m_table = new QTableView(this);
    m_table->setObjectName("TransferTable");
    m_table->setModel(&m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setItemDelegate(new TransferDelegate(m_table));
    m_table->setWordWrap(false);
    m_table->setShowGrid(false);
    // Every row alike, so the view never measures one.
    QHeaderView *rows = m_table->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(m_table->fontMetrics().height() + 4);
    QHeaderView *columns = m_table->horizontalHeader();
    columns->setStretchLastSection(false);
    const QFontMetrics fm = m_table->fontMetrics();
    // The widest of a column's title and its usual cells.
    const auto cell = [](const char *text) { return QCoreApplication::translate("ort::TransferText", text); };
    const QStringList cells = {QLocale().toString(100000.0, 'f', 6), cell("printer port %1h").arg(378),
                               QStringLiteral("4Ch"), cell("write"), QStringLiteral("0Ah"), QStringLiteral("0Ah"),
                               cell("not acknowledged"), QLocale().toString(100000.0, 'f', 1)};
    const QStringList headers = transferHeaders();
    for (int c = 0; c < int(TransferColumn::Count); ++c)
        columns->resizeSection(c, std::max(fm.horizontalAdvance(headers.at(c)), fm.horizontalAdvance(cells.at(c))) +
                                      fm.averageCharWidth() * 3);
    // The result holds a failure's whole text.
    columns->setSectionResizeMode(int(TransferColumn::Result), QHeaderView::Stretch);

    auto *bar = new QHBoxLayout;
    bar->addWidget(m_pause);
    bar->addWidget(clear);
    bar->addSpacing(twips(this, 240));
    bar->addWidget(registerLabel);
    bar->addWidget(m_registerFilter);
    bar->addWidget(resultLabel);
    bar->addWidget(m_resultFilter);
    bar->addStretch();
    bar->addWidget(m_count);
    bar->addWidget(save);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_table);

    m_refresh.setObjectName("RefreshTimer");
    m_refresh.setParent(this);
    m_refresh.setSingleShot(true);
    m_refresh.setInterval(RefreshMs);
    connect(&m_refresh, &QTimer::timeout, this, &BusConsole::refresh);

    connect(m_pause, &QPushButton::toggled, this, &BusConsole::Pause_Click);
    connect(clear, &QPushButton::clicked, this, &BusConsole::Clear_Click);
    connect(save, &QPushButton::clicked, this, &BusConsole::Save_Click);
    connect(m_registerFilter, &QComboBox::currentIndexChanged, this, &BusConsole::applyFilter);
    connect(m_resultFilter, &QComboBox::currentIndexChanged, this, &BusConsole::applyFilter);
    auto *saveKey = new QShortcut(QKeySequence::Save, this);
    connect(saveKey, &QShortcut::activated, this, &BusConsole::Save_Click);

    resize(twips(this, 13500), twips(this, 5400));
    // Along the bottom of the screen, beside the window it watches.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + (area.width() - width()) / 2, area.bottom() - frameGeometry().height());
    }
    showCount();
    listen(true);
}

BusConsole::~BusConsole()
{
    detach();
}

void BusConsole::listen(bool on)
{
    if (m_detached || on == m_listening)
        return;
    m_listening = on;
    if (on)
        m_services.bus.setTransferObserver([this](const Transfer &t) { record(t); });
    else
        m_services.bus.setTransferObserver({});
}

void BusConsole::detach()
{
    listen(false);
    m_detached = true;
    m_refresh.stop();
}

bool BusConsole::recording() const
{
    return m_listening;
}

void BusConsole::record(const Transfer &transfer)
{
    m_ring.add(transfer, m_clock.now() - m_origin);
    if (!m_refresh.isActive())
        m_refresh.start();
}

void BusConsole::refresh()
{
    m_refresh.stop();
    QScrollBar *scroll = m_table->verticalScrollBar();
    const bool following = scroll->value() >= scroll->maximum();
    const TransferModel::Change change = m_model.refresh();
    const int page = m_table->viewport()->height() / std::max(1, m_table->verticalHeader()->defaultSectionSize());
    m_refresh.setInterval(change.added > page ? FloodRefreshMs : RefreshMs);
    // Newest at the bottom while the user watches it; otherwise the rows
    // looked at stay in view as older ones leave the top.
    if (following)
        m_table->scrollToBottom();
    else if (change.dropped)
        scroll->setValue(scroll->value() - change.dropped);
    showCount();
}

void BusConsole::showCount()
{
    QString text = m_model.filter().registers.empty() && m_model.filter().result == TransferFilter::Result::Any
                       ? tr("%n transfers", nullptr, m_model.rowCount())
                       : tr("%1 of %n transfers", nullptr, int(m_ring.size())).arg(m_model.rowCount());
    if (!m_listening)
        text += tr(", paused");
    m_count->setText(text);
}

void BusConsole::Pause_Click(bool paused)
{
    listen(!paused);
    // What came before the pause is shown at once.
    refresh();
}

void BusConsole::Clear_Click()
{
    m_ring.clear();
    m_model.rebuild();
    showCount();
}

void BusConsole::applyFilter()
{
    TransferFilter filter;
    for (const QVariant &v : m_registerFilter->currentData().toList())
        filter.registers.push_back(v.toInt());
    filter.result = TransferFilter::Result(m_resultFilter->currentData().toInt());
    m_model.setFilter(std::move(filter));
    m_table->scrollToBottom();
    showCount();
}

void BusConsole::Save_Click()
{
    refresh();
    QString path = m_services.ui.saveFileName(this, tr("Save Transfers"), tr("CSV Files (*.csv)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) && m_model.writeCsv(file) && file.commit();
    if (!written)
        m_services.ui.message(this, {productTitle(),
                                     tr("The transfers could not be saved to %1: %2. Nothing was written.")
                                         .arg(QDir::toNativeSeparators(path), file.errorString()),
                                     QMessageBox::Warning});
}

void BusConsole::closeEvent(QCloseEvent *event)
{
    detach();
    m_host.windowUnloaded(this);
    event->accept();
}

} // namespace ort
