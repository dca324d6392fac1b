#include "registers/writepanel.h"
#include "gui/colours.h"
#include "gui/twips.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ort {

WritePanel::WritePanel(QWidget *parent) : CaptionedFrame(tr("Write"), parent)
{
    setObjectName("SSPanel37");

    auto row = [this](const char *labelName, const QString &label, const char *boxName, int maxLength,
                      const char *buttonName, const QString &action, int base, QLineEdit *&box,
                      QPushButton *&button) {
        auto *caption = new QLabel(label, this);
        caption->setObjectName(labelName);
        box = new QLineEdit(QStringLiteral("00"), this);
        box->setObjectName(boxName);
        box->setMaxLength(maxLength);
        box->setFixedWidth(twips(this, 570));
        box->setAlignment(Qt::AlignRight);
        caption->setBuddy(box);
        button = new ColourButton(buttonName, this, 360, 330);
        button->setToolTip(tr("Update with the written value in the Textbox"));
        // The face has no caption and both buttons share the tooltip.
        button->setAccessibleName(action);
        button->setAccessibleDescription(tr("%1 from the %2 box").arg(action, label));
        setButtonColour(button, colour::Green);
        QPushButton *own = button;
        connect(box, &QLineEdit::textChanged, this, [own] { setButtonColour(own, colour::Red); });
        connect(button, &QPushButton::clicked, this, [this, base] { emit writePressed(base); });
        // Return in a box presses its button.
        connect(box, &QLineEdit::returnPressed, button, &QPushButton::click);
        return caption;
    };
    QLabel *hex = row("bitname16", tr("Hex"), "Text6", 2, "Command4",
                     tr("Write hex value"), 16, m_hexBox, m_hexButton);
    QLabel *dec = row("bitname17", tr("Dec"), "Text7", 3, "Command5",
                     tr("Write decimal value"), 10, m_decimalBox, m_decimalButton);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(layoutMargins());
    grid->setHorizontalSpacing(twips(this, 90));
    grid->setVerticalSpacing(twips(this, 120));
    grid->setRowStretch(0, 1);
    grid->addWidget(hex, 1, 0);
    grid->addWidget(m_hexBox, 1, 1);
    grid->addWidget(m_hexButton, 1, 2);
    grid->addWidget(dec, 2, 0);
    grid->addWidget(m_decimalBox, 2, 1);
    grid->addWidget(m_decimalButton, 2, 2);
    grid->setRowStretch(3, 1);
}

void WritePanel::setEntriesEnabled(bool enabled)
{
    m_hexBox->setEnabled(enabled);
    m_decimalBox->setEnabled(enabled);
    m_hexButton->setEnabled(enabled);
    m_decimalButton->setEnabled(enabled);
}

void WritePanel::markWritten()
{
    setButtonColour(m_hexButton, colour::Green);
    setButtonColour(m_decimalButton, colour::Green);
}

} // namespace ort
