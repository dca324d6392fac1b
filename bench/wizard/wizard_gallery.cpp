// Renders each panel of the search wizard offscreen to PNG for review:
//   QT_QPA_PLATFORM=offscreen wizard_gallery [folder]
#include "tests/support/programfixture.h"
#include "wizard/initform.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFrame>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? argv[1] : "/tmp/gallery";
    QDir().mkpath(dir);
    {
        ort::test::ProgramFixture f;
        ort::InitForm *wizard = f.program->wizard();
        ort::test::saveWindowPicture(wizard, dir, "wizard1_welcome");
        wizard->NextCMD_Click();
        wizard->findChild<QCheckBox *>("SMBusCheck")->setChecked(true);
        ort::test::saveWindowPicture(wizard, dir, "wizard2_medium");
        wizard->NextCMD_Click();
        ort::test::saveWindowPicture(wizard, dir, "wizard4_results");
    }
    {
        // The searching panel as the user sees it mid-search, and the panels
        // of a platform without SMBus and of a search with no finds.
        ort::sim::Scenario s;
        s.ports.push_back({});
        s.build = "2195";
        ort::test::ProgramFixture f(s);
        ort::InitForm *wizard = f.program->wizard();
        wizard->NextCMD_Click();
        ort::test::saveWindowPicture(wizard, dir, "wizard2_medium_nt");
        QFrame *searching = wizard->Panels()[2];
        wizard->NextCMD_Click();
        ort::test::saveWindowPicture(wizard, dir, "wizard4_nofinds");
        // Show the searching panel by itself at a mid-search value.
        wizard->Panels()[3]->hide();
        searching->move(wizard->Panels()[3]->pos());
        searching->show();
        if (auto *bar = searching->findChild<QWidget *>("SearchProgress"))
            bar->setProperty("value", 20);
        ort::test::saveWindowPicture(wizard, dir, "wizard3_searching");
    }
    return 0;
}
