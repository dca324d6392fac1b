#include "registers/selectorpanel.h"
#include "gui/twips.h"
#include "registers/registermap.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QToolButton>

namespace ort {

RegisterSelectorPanel::RegisterSelectorPanel(QWidget *parent) : CaptionedFrame(QString(), parent)
{
    setObjectName("SSPanel26");
    m_group = new QButtonGroup(this);
    m_group->setExclusive(true);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(layoutMargins());
    grid->setHorizontalSpacing(twips(this, 60));
    grid->setVerticalSpacing(twips(this, 60));
    for (int i = 0; i < RegisterCount; ++i) {
        const RegisterRow &r = RegisterTable[static_cast<size_t>(i)];
        const QString name = toQString(r.button);
        QToolButton *b = new ToggleButton(name.toLatin1().constData(), this, 330, 300);
        b->setAccessibleName(toQString(r.caption));
        m_group->addButton(b, i);

        auto *caption = new Panel3D(toQString(r.caption), this);
        caption->setObjectName(name + QStringLiteral("Caption"));
        caption->setCaptionAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        caption->setBevelWidth(1);
        caption->setMinimumSize(caption->sizeHint().width(), b->height());
        m_buttons[static_cast<size_t>(i)] = b;
        m_captions[static_cast<size_t>(i)] = caption;

        grid->addWidget(b, r.row, 3 * r.column);
        grid->addWidget(caption, r.row, 3 * r.column + 1);
        grid->setColumnStretch(3 * r.column + 1, 1);
    }
    // A gap between one column's captions and the next column's buttons.
    for (int column : {2, 5})
        grid->setColumnMinimumWidth(column, twips(this, 180));
    m_buttons[0]->setChecked(true);

    connect(m_group, &QButtonGroup::idToggled, this, [this](int row, bool down) {
        if (down && !m_settingByProgram)
            emit rowPressed(row);
    });
}

int RegisterSelectorPanel::selectedRow() const
{
    return m_group->checkedId();
}

bool RegisterSelectorPanel::isDown(int row) const
{
    return button(row)->isChecked();
}

void RegisterSelectorPanel::setSelectedRow(int row)
{
    m_settingByProgram = true;
    button(row)->setChecked(true);
    m_settingByProgram = false;
}

} // namespace ort
