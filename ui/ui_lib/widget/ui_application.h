#pragma once
#include "lib_types.h"

#include <QApplication>
#include <QString>
#include <QTranslator>

class QLocalServer;

// The program's application object. With single_instance it also makes sure only one
// program runs: a second start hands its last argument to the first one through the
// local socket "Ondrix" and reports is_running().
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
