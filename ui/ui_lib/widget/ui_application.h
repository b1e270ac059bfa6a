#pragma once
#include "lib_types.h"

#include <QApplication>
#include <QString>
#include <QTranslator>

class QLocalServer;

// The program's application object. With single_instance it also makes sure only one
// program runs per user: a second start hands its last argument to the first one
// through the user's local socket "Ondrix" and reports is_running().
class ui_application_t : public QApplication
{
    Q_OBJECT
public:
    ui_application_t(int &argc, char **argv, bool single_instance);
    ~ui_application_t() override;

    bool is_running() const { return m_single_instance && m_is_running; }

public slots:
    void newLocalConnection();

private:
    QLocalServer *m_local_server;
    bool m_is_running;
    bool m_single_instance;
};

extern QTranslator g_app_translator;
extern QTranslator g_qt_translator;
extern QString g_wave_name_stem;

int32 get_language_flag();
void set_language_flag(int32 flag);

// Deletes the sample files left in the working folder.
void clear_wave_buffer_files();

// The single-instance socket of this user: "Ondrix" in the user's runtime folder
// (XDG_RUNTIME_DIR, when it is this user's and closed to others), else "Ondrix-<uid>"
// in the temporary folder.
QString ui_instance_socket_path();
// True when `path` is a local socket that belongs to this user.
bool ui_is_own_socket(const QString &path);
