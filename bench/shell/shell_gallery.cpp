// Renders the shell's windows offscreen to PNG for review:
//   QT_QPA_PLATFORM=offscreen shell_gallery [folder]
#include "shell/frmabout.h"
#include "shell/frmsplash.h"
#include "shell/mainmenuform.h"
#include "tests/support/programfixture.h"

#include <QApplication>
#include <QDir>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? argv[1] : "/tmp/gallery";
    QDir().mkpath(dir);
    ort::test::ProgramFixture f;
    ort::test::saveWindowPicture(f.program->showSplash(), dir, "splash");
    f.program->loadMainWindow();
    ort::test::saveWindowPicture(f.program->mainWindow(), dir, "mainwindow");
    ort::test::saveWindowPicture(f.program->showAbout(), dir, "about");
    return 0;
}
