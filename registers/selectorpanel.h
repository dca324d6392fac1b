#pragma once
#include "registers/panelparts.h"
#include "registers/registermap.h"

#include <array>

class QButtonGroup;
class QToolButton;

namespace ort {

// The register selector SSPanel26: twelve toggle buttons in one exclusive
// group, three columns of four, each with its caption panel to its right.
// Rows are those of RegisterTable.
class RegisterSelectorPanel : public CaptionedFrame {
    Q_OBJECT
public:
    explicit RegisterSelectorPanel(QWidget *parent = nullptr);

    QToolButton *button(int row) const { return m_buttons.at(static_cast<size_t>(row)); }
    Panel3D *captionPanel(int row) const { return m_captions.at(static_cast<size_t>(row)); }
    // The row whose button is down, or -1.
    int selectedRow() const;
    bool isDown(int row) const;
    // Puts a button down as the program does: no selection runs.
    void setSelectedRow(int row);

signals:
    // A button went down at the user's press. The one that pops up as a
    // result says nothing, and neither does a press on the button that is
    // already down.
    void rowPressed(int row);

private:
    QButtonGroup *m_group;
    std::array<QToolButton *, RegisterCount> m_buttons{};
    std::array<Panel3D *, RegisterCount> m_captions{};
    bool m_settingByProgram = false;
};

} // namespace ort
