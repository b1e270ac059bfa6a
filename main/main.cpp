#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Ondrix");
    QMainWindow window;
    window.setWindowTitle("Ondrix");
    window.resize(1024, 700);
    window.show();
    return app.exec();
}
