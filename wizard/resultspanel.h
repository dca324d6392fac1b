#pragma once
#include "search/devicesearch.h"
#include "wizard/wizardpanel.h"

#include <optional>
#include <vector>

class QListWidget;
class QPushButton;

namespace ort {

// Panel 4: the chips found, one entry each, and what to do next.
class ResultsPanel : public WizardPanel {
    Q_OBJECT
public:
    explicit ResultsPanel(QWidget *form);
    void SetupResultsPanel();

    // Fills the list from the search's entries, the first one selected, and
    // says what to do; returns whether anything was found.
    bool ListSearchResults(const std::vector<ResultEntry> &entries);
    void clear();

    const std::vector<uint8_t> &ResultAddresses() const { return m_resultAddresses; }
    bool entrySelected() const;
    // The entry selected, as the search made it; nothing while none is.
    // Throws std::logic_error for an entry the search did not make.
    std::optional<ResultEntry> selectedEntry() const;
    // The list takes the keys, so the arrows move through the entries.
    void focusList();
    // Finish goes with a selected entry while the panel is shown: a
    // Ctrl+click that deselects the last one takes it away. A double-click
    // on an entry presses it.
    void bindFinish(QPushButton *finish);

private:
    QListWidget *m_list;
    QLabel *m_summary;
    QLabel *m_instructions;
    std::vector<uint8_t> m_resultAddresses;   // one per entry, by list position
};

} // namespace ort
