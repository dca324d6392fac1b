// Renders the "Read/Write" tab offscreen to PNG for review, on the simulated
// board: as the tab is entered, with a limit register selected and a value
// written, and with the chip in standby and the Status register shown:
//   QT_QPA_PLATFORM=offscreen registers_gallery [folder]
#include "registers/registermap.h"
#include "registers/registereditor.h"
#include "shell/mainmenuform.h"
#include "tests/support/programfixture.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

using namespace ort;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? argv[1] : "/tmp/gallery";
    QDir().mkpath(dir);
    test::ProgramFixture f;
    MainMenuForm *main = f.finishOn(test::Route::PrinterPort);
    if (!main)
        return 1;
    f.clock().advance(2);   // a conversion has loaded the temperatures
    main->mainTab()->setCurrentIndex(1);
    test::saveWindowPicture(main, dir, "readwrite");

    main->findChild<QToolButton *>("SSRibbon10")->click();
    auto *dec = main->findChild<QLineEdit *>("Text7");
    dec->setText("90");
    main->findChild<QPushButton *>("Command5")->click();
    main->findChild<QLineEdit *>("Text6")->setText("5");
    test::saveWindowPicture(main, dir, "readwrite-limit");

    main->findChild<QToolButton *>("SSRibbon9")->click();
    main->findChild<QLineEdit *>("Text6")->setText("40");
    main->findChild<QPushButton *>("Command4")->click();
    main->findChild<QToolButton *>("SSRibbon8")->click();
    main->findChild<QToolButton *>("SSRibbon5")->click();
    test::saveWindowPicture(main, dir, "readwrite-status");
    main->findChild<QToolButton *>("SSRibbon5")->click();
    return 0;
}
