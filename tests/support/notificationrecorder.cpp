// The notification service of the real-window test: records each call on
// the session bus as a line "<urgency> <summary>" in the file it is given.
#include "tests/support/sessionbus.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: notification-recorder FILE\n");
        return 2;
    }
    ort::test::NotificationRecorder recorder(QDBusConnection::sessionBus(), QString::fromLocal8Bit(argv[1]));
    if (!recorder.registered()) {
        std::fprintf(stderr, "notification-recorder: cannot own org.freedesktop.Notifications on the session bus\n");
        return 1;
    }
    std::puts("ready");
    std::fflush(stdout);
    return app.exec();
}
