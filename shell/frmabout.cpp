#include "shell/frmabout.h"
#include "gui/artwork.h"
#include "gui/twips.h"
#include "gui/windowhost.h"
#include "link/text.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace ort {

frmAbout::frmAbout(WindowHost &host) : QDialog(nullptr), m_host(host)
{
    setObjectName("frmAbout");
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("About the ") + ProductName + QStringLiteral("."));

    auto *picture = new QLabel(this);
    picture->setObjectName("Picture2");
    picture->setPixmap(chipPicture(QSize(twips(this, 900), twips(this, 750))));

    auto label = [this](const char *name, const QString &text) {
        auto *shown = new QLabel(text, this);
        shown->setObjectName(name);
        shown->setWordWrap(true);
        return shown;
    };
    QLabel *title = label("lblTitle", MakerName + QStringLiteral(" ") + ProductName);
    QFont f = title->font();
    f.setPointSize(f.pointSize() + 3);
    f.setBold(true);
    title->setFont(f);
    QLabel *version = label("lblVersion", QStringLiteral("Version ") + ProgramVersion);
    QLabel *description = label("lblDescription",
                                QStringLiteral("This software can be used to read and write to the ") + ChipName +
                                    QStringLiteral(" using either the parallel printer port or the SMBus."));
    QLabel *author = label("Label1", QStringLiteral("Written by the ") + ChipName + QStringLiteral(" evaluation software team."));

    auto *line = new QFrame(this);
    line->setObjectName("Line1");
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::close);

    auto *grid = new QGridLayout(this);
    grid->addWidget(picture, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(title, 0, 1);
    grid->addWidget(version, 1, 1);
    grid->addWidget(description, 2, 1);
    grid->addWidget(line, 3, 0, 1, 2);
    grid->addWidget(author, 4, 0, 1, 2);
    grid->addWidget(ok, 5, 1, Qt::AlignRight);
    grid->setColumnStretch(1, 1);

    setFixedSize(twips(this, 5730), twips(this, 3350));
}

void frmAbout::Form_Load()
{
    centreOnScreen(this);
}

void frmAbout::reject()
{
    close();
}

void frmAbout::closeEvent(QCloseEvent *event)
{
    m_host.windowUnloaded(this);
    event->accept();
}

} // namespace ort
