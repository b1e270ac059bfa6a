// A program that only starts the application object: "first" listens for a while and
// prints what it logs; "second" reports whether another instance answered.
#include "ui_application.h"

#include <QTimer>
#include <cstdio>
#include <cstring>

static void print_handler(QtMsgType, const QMessageLogContext &, const QString &msg)
{
    std::printf("%s\n", msg.toUtf8().constData());
    std::fflush(stdout);
}

int main(int argc, char **argv)
{
    qInstallMessageHandler(print_handler);
    bool first = argc > 1 && std::strcmp(argv[1], "first") == 0;
    ui_application_t app(argc, argv, true);
    if (app.is_running()) {
        std::printf("already running\n");
        return 0;
    }
    std::printf("listening\n");
    std::fflush(stdout);
    if (!first)
        return 0;
    QTimer::singleShot(argc > 2 ? std::atoi(argv[2]) : 3000, &app, &QCoreApplication::quit);
    return app.exec();
}
