#include "ui_application.h"

#include "lib_wv_file_buffer.h"
#include "plat_fs.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTextStream>
#include <memory>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

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

QString ui_instance_socket_path()
{
    const QString name = QStringLiteral("Ondrix");
    // The user's runtime folder, when it is one: an absolute folder of this user that
    // nobody else may enter.
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    struct stat st;
    if (runtime.startsWith('/') && ::stat(runtime.constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
        st.st_uid == ::geteuid() && (st.st_mode & 077) == 0)
        return QFile::decodeName(runtime) + "/" + name;
    return QDir::tempPath() + "/" + name + "-" + QString::number(::geteuid());
}

bool ui_is_own_socket(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISSOCK(st.st_mode) &&
           st.st_uid == ::geteuid();
}

namespace {

// The process at the other end of a connected local socket runs as this user.
bool peer_is_this_user(const QLocalSocket &socket)
{
    struct ucred peer;
    socklen_t len = sizeof peer;
    return ::getsockopt(static_cast<int>(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &len) == 0 &&
           peer.uid == ::geteuid();
}

} // namespace

ui_application_t::ui_application_t(int &argc, char **argv, bool single_instance)
    : QApplication(argc, argv), m_local_server(nullptr), m_is_running(false), m_single_instance(single_instance)
{
    if (!single_instance)
        return;
    setApplicationName("Ondrix");
    // One instance per user: the socket is the user's own, and a socket of someone else
    // is never talked to, so no other user learns the files given at start-up or can
    // make this start quit.
    const QString name = ui_instance_socket_path();
    if (ui_is_own_socket(name)) {
        auto socket = std::make_unique<QLocalSocket>();
        socket->connectToServer(name, QIODevice::ReadWrite);
        if (socket->waitForConnected(500) && peer_is_this_user(*socket)) {
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
    struct stat st;
    if (::lstat(QFile::encodeName(name).constData(), &st) == 0 && !ui_is_own_socket(name)) {
        // Someone else's file at this user's name is neither replaced nor talked to.
        qDebug().noquote() << "+++ui_application_t::ui_application_t():" + name +
                                  " belongs to someone else, running without the single-instance server";
        return;
    }
    m_local_server = new QLocalServer(this);
    m_local_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_local_server, SIGNAL(newConnection()), this, SLOT(newLocalConnection()));
    if (!m_local_server->listen(name) && m_local_server->serverError() == QAbstractSocket::AddressInUseError &&
        ui_is_own_socket(name)) {
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
