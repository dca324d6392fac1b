#include "shell/frmsplash.h"
#include "gui/accessibility.h"
#include "gui/artwork.h"
#include "gui/errors.h"
#include "gui/twips.h"
#include "link/chip.h"
#include "link/text.h"
#include "shell/program.h"
#include "wizard/initform.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace ort {

frmSplash::frmSplash(Program &program) : QWidget(nullptr, Qt::SplashScreen), m_program(program)
{
    setObjectName("frmSplash");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(productTitle());
    setAccessibleWindowRole(this, QAccessible::Window);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);

    m_frame = new QFrame(this);
    m_frame->setObjectName("Frame1");
    m_frame->setFrameShape(QFrame::Box);
    m_frame->setFrameShadow(QFrame::Sunken);

    auto label = [this](const char *name, const QString &text, int pointSize = 0, bool bold = false) {
        auto *shown = new QLabel(text, m_frame);
        shown->setObjectName(name);
        shown->setWordWrap(true);
        if (pointSize) {
            QFont f = shown->font();
            f.setPointSize(pointSize);
            f.setBold(bold);
            shown->setFont(f);
        }
        return shown;
    };

    m_picture = new QLabel(m_frame);
    m_picture->setObjectName("Picture1");
    m_picture->setPixmap(chipPicture(QSize(twips(this, 2200), twips(this, 1800))));

    QLabel *product = label("lblCompanyProduct", productTitle(), 20, true);
    QLabel *version = label("lblVersion", tr("Version %1").arg(ProgramVersion), 11, true);
    QLabel *platform = label("lblPlatform", QStringLiteral("Win95/98/NT/2000/ME"), 11);
    QLabel *press = label("Label1", tr("Press any Key to Continue."), 10);
    QLabel *notice1 = label("lblCopyright", QString());
    QLabel *notice2 = label("lblCompany", QString());
    QLabel *notice3 = label("lblWarning", QString());
    version->setAlignment(Qt::AlignRight);
    platform->setAlignment(Qt::AlignRight);
    press->setAlignment(Qt::AlignCenter);

    auto *grid = new QGridLayout(m_frame);
    grid->addWidget(m_picture, 0, 0, 4, 1, Qt::AlignTop);
    grid->addWidget(product, 0, 1);
    grid->addWidget(platform, 1, 1);
    grid->addWidget(version, 2, 1);
    grid->addWidget(press, 3, 1, Qt::AlignBottom);
    grid->addWidget(notice1, 4, 0, 1, 2);
    grid->addWidget(notice2, 5, 0, 1, 2);
    grid->addWidget(notice3, 6, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(twips(this, 120), twips(this, 120), twips(this, 120), twips(this, 120));
    outer->addWidget(m_frame);

    m_clickable = {m_frame, m_picture, product, version, platform, notice1, notice2, notice3};
    for (QWidget *w : m_clickable)
        w->installEventFilter(this);
    // A click on Label1 does nothing; without this it would reach Frame1.
    press->installEventFilter(this);
    m_inert = press;

    setFixedSize(twips(this, 7380), twips(this, 4590));
}

void frmSplash::Form_Load()
{
    // The component's start-up state: the first steps of any run.
    m_program.bus().PrinterPort().Link().SetLinkVariant(chip::StartupLinkVariant);
    m_program.bus().PrinterPort().Link().SetDeviceAddress(chip::StartupDeviceAddress);
    m_program.bus().PrinterPort().Link().SetPortBase(chip::StartupPortBase);
    m_program.state().BusMedium = chip::MediumPrinterPort;

    const QString where = QString::fromStdString(m_program.bus().backend().description());
    findChild<QLabel *>("lblCopyright")->setText(tr("Copyright \u00A9 %1. All rights reserved.").arg(MakerName));
    findChild<QLabel *>("lblCompany")->setText(where);
    findChild<QLabel *>("lblWarning")
        ->setText(tr("Evaluation software: for use with the %1 evaluation board only.").arg(ChipName));
    centreOnScreen(this);
}

void frmSplash::openWizard()
{
    if (m_opening)
        return;
    m_opening = true;
    runGuarded(m_program.ui(), this, [this] {
        InitForm *wizard = m_program.wizard();
        wizard->show();
        wizard->raise();
        wizard->activateWindow();
    });
    close();
}

void frmSplash::keyPressEvent(QKeyEvent *event)
{
    // Only keys that produce a character count, as with a key-press event.
    if (!event->text().isEmpty())
        openWizard();
    else
        QWidget::keyPressEvent(event);
}

bool frmSplash::eventFilter(QObject *watched, QEvent *event)
{
    const bool mouse = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease ||
                       event->type() == QEvent::MouseButtonDblClick;
    if (mouse && watched == m_inert)
        return true;
    if (event->type() == QEvent::MouseButtonRelease && m_clickable.contains(static_cast<QWidget *>(watched))) {
        auto *me = static_cast<QMouseEvent *>(event);
        if (static_cast<QWidget *>(watched)->rect().contains(me->position().toPoint()))
            openWizard();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmSplash::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // "Press any Key" needs the keyboard: a window manager gives none to a
    // splash window by itself, so it asks for it.
    raise();
    activateWindow();
    setFocus();
}

void frmSplash::closeEvent(QCloseEvent *event)
{
    m_program.windowUnloaded(this);
    event->accept();
}

} // namespace ort
