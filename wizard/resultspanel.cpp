#include "wizard/resultspanel.h"
#include "gui/twips.h"
#include "link/text.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <stdexcept>

namespace ort {

ResultsPanel::ResultsPanel(QWidget *form) : WizardPanel(form, "SearchResultsPanel")
{
    placeHeading("SearchResultsDescLBL", {120, 60, 4335, 300}, tr("Search Results"), 9.75);

    m_list = new QListWidget(this);
    m_list->setObjectName("SearchResultsLIST");
    m_list->setAccessibleName(tr("Search Results"));
    m_list->setGeometry(twipsRect(form, 120, 390, 4335, 1335));
    // The tag sits far to the right behind the readable text; it is clipped,
    // not elided, so the list shows what the user needs and nothing more.
    m_list->setTextElideMode(Qt::ElideNone);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);

    m_summary = placeLabel("SearchResultsLBL", {120, 1830, 4335, 480}, true);
    m_instructions = placeLabel("SearchInsLBL", {120, 2400, 4335, 300}, false);
}

void ResultsPanel::SetupResultsPanel()
{
    m_summary->setText(tr("Please select one of the %1s found above.").arg(ChipName));
    m_instructions->setText(tr("Click 'Next' to Continue"));
}

bool ResultsPanel::ListSearchResults(const std::vector<ResultEntry> &entries)
{
    m_resultAddresses.clear();
    for (const ResultEntry &entry : entries) {
        // The chip goes with its entry: Finish never reads it back out of the text.
        auto *item = new QListWidgetItem(entry.text);
        item->setData(Qt::UserRole, QVariant::fromValue(entry));
        m_list->addItem(item);
        m_list->setCurrentRow(0);
        m_resultAddresses.push_back(static_cast<uint8_t>(entry.chip.deviceAddress()));
    }
    if (m_list->count() > 0) {
        m_summary->setText(tr("Please select one of the %1s found above.").arg(ChipName));
        m_instructions->setText(tr("Click 'Finish' to Continue"));
        return true;
    }
    m_summary->setText(noChipsFoundText());
    m_instructions->setText(tr("Click Back to continue..."));
    m_list->clear();
    return false;
}

void ResultsPanel::clear()
{
    m_list->clear();
}

bool ResultsPanel::entrySelected() const
{
    return !m_list->selectedItems().isEmpty();
}

std::optional<ResultEntry> ResultsPanel::selectedEntry() const
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    const QVariant entry = selected.first()->data(Qt::UserRole);
    if (!entry.canConvert<ResultEntry>())
        throw std::logic_error("A result entry that the search did not make was selected");
    return entry.value<ResultEntry>();
}

void ResultsPanel::bindFinish(QPushButton *finish)
{
    connect(m_list, &QListWidget::itemSelectionChanged, finish, [this, finish] {
        if (!isHidden())
            finish->setEnabled(entrySelected());
    });
    // Not `activated`: Return activates an entry too, and Return already
    // presses the default button.
    connect(m_list, &QListWidget::itemDoubleClicked, finish, [this, finish] {
        if (!isHidden() && finish->isEnabled())
            finish->click();
    });
}

void ResultsPanel::focusList()
{
    m_list->setFocus();
}

} // namespace ort
