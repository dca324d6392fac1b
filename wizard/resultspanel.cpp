#include "wizard/resultspanel.h"
#include "gui/twips.h"
#include "link/text.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

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
        m_list->addItem(entry.text);
        m_list->setCurrentRow(0);
        m_resultAddresses.push_back(entry.address);
    }
    if (m_list->count() > 0) {
        m_summary->setText(tr("Please select one of the %1s found above.").arg(ChipName));
        m_instructions->setText(tr("Click 'Finish' to Continue"));
        return true;
    }
    m_summary->setText(tr("Sorry, no %1s were found. Please check all connections and try again").arg(ChipName));
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

std::optional<std::pair<int, QString>> ResultsPanel::selectedEntry() const
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    return std::make_pair(m_list->row(selected.first()), selected.first()->text());
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
