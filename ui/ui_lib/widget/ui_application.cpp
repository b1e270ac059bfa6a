#include "ui_application.h"

#include "lib_wv_file_buffer.h"
#include "plat_fs.h"

#include <QDebug>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTextStream>
#include <memory>
#include <string>

QTranslator g_app_translator;
QTranslator g_qt_translator;
QString g_wave_name_stem = "wave";

namespace {
int32 g_language_flag = 0;
}

int32 get_language_flag() { return g_language_flag; }

void set_language_flag(int32 flag) { g_language_flag = flag; }

void clear_wave_buffer_files()
{
    bool readable = false;
    const std::string dir = plat_getcwd(&readable);
    if (readable)
        lib_remove_wave_buffer_files(dir + "/");
}

ui_application_t::ui_application_t(int &argc, char **argv, bool single_instance)
    : QApplication(argc, argv), m_local_server(nullptr), m_is_running(false), m_single_instance(single_instance)
{
    if (!single_instance)
        return;
    setApplicationName("Ondrix");
    const QString name = applicationName();
    {
        auto socket = std::make_unique<QLocalSocket>();
        socket->connectToServer(name, QIODevice::ReadWrite);
        if (socket->waitForConnected(500)) {
            QTextStream stream(socket.get());
            stream.setCodec("UTF-8");
            QStringList args = arguments();
            stream << (args.size() >= 2 ? args.last() : QString());
            stream.flush();
            qDebug() << "+++ui_application_t::ui_application_t():Connected server,program will quit";
            socket->waitForBytesWritten(30000);
            m_is_running = true;
            return;
        }
    }
    qDebug() << "+++ui_application_t::ui_application_t():Can't connect to server,build a server";
    m_local_server = new QLocalServer(this);
    connect(m_local_server, SIGNAL(newConnection()), this, SLOT(newLocalConnection()));
    if (!m_local_server->listen(name) && m_local_server->serverError() == QAbstractSocket::AddressInUseError) {
        // Left behind by an instance that crashed: nobody answered on it above.
        QLocalServer::removeServer(name);
        m_local_server->listen(name);
    }
}

ui_application_t::~ui_application_t() { clear_wave_buffer_files(); }

void ui_application_t::newLocalConnection()
{
    QLocalSocket *socket = m_local_server ? m_local_server->nextPendingConnection() : nullptr;
    if (!socket)
        return;
    socket->waitForReadyRead(1000);
    QTextStream stream(socket);
    stream.setCodec("UTF-8");
    QString word;
    stream >> word;
    qDebug().noquote() << "+++ui_application_t::newLocalConnection():The value is: " + word;
    delete socket;
}
