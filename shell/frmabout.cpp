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
    setWindowTitle(tr("About the %1.").arg(productTitle()));

    auto *picture = new QLabel(this);
    picture->setObjectName("Picture2");
    picture->setPixmap(chipPicture(QSize(twips(this, 900), twips(this, 750))));

    auto label = [this](const char *name, const QString &text) {
        auto *shown = new QLabel(text, this);
        shown->setObjectName(name);
        shown->setWordWrap(true);
        return shown;
    };
    QLabel *title = label("lblTitle", MakerName + QLatin1Char(' ') + productTitle());
    QFont f = title->font();
    f.setPointSize(f.pointSize() + 3);
    f.setBold(true);
    title->setFont(f);
    QLabel *version = label("lblVersion", tr("Version %1").arg(ProgramVersion));
    QLabel *description = label("lblDescription",
                                tr("This software can be used to read and write to the %1 using either the parallel "
                                   "printer port or the SMBus.")
                                    .arg(ChipName));
    QLabel *author = label("Label1", tr("Written by the %1 evaluation software team.").arg(ChipName));

    auto *line = new QFrame(this);
    line->setObjectName("Line1");
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto *ok = new QPushButton(tr("OK"), this);
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
