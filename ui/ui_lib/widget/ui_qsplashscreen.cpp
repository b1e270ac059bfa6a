#include "ui_qsplashscreen.h"

#include "ui_timer.h"
#include "ui_version.h"

#include <QLabel>

namespace {
const char *const k_label_style = "font: 16px;color: white;background-color: transparent;";
}

ui_qsplashscreen_t::ui_qsplashscreen_t(const QPixmap &picture, Qt::WindowFlags flags)
    : QSplashScreen(picture, flags), m_msg_label(nullptr), m_version_label(nullptr), m_dot_count(0), m_timer(nullptr)
{
    init_labels();
}

ui_qsplashscreen_t::ui_qsplashscreen_t(QWidget *, const QPixmap &, Qt::WindowFlags)
    : QSplashScreen(QPixmap(), Qt::WindowFlags()), m_msg_label(nullptr), m_version_label(nullptr), m_dot_count(0),
      m_timer(nullptr)
{
    init_labels();
}

ui_qsplashscreen_t::~ui_qsplashscreen_t()
{
    m_timer->stop_timer();
    delete m_timer;
}

void ui_qsplashscreen_t::init_labels()
{
    m_dot_count = 0;
    QString version = QString("v.") + ONDRIX_PRODUCT_VERSION;
    QFont font;
    font.setFamily("WenQuanYi Zen Hei");

    m_version_label = new QLabel(version, this);
    m_version_label->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    m_version_label->setFont(font);
    m_version_label->setStyleSheet(k_label_style);

    m_msg_label = new QLabel(loading_text(), this);
    m_msg_label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    m_msg_label->setFont(font);
    m_msg_label->setStyleSheet(k_label_style);

    m_version_label->move(534 - 8 * version.size(), 265);
    m_msg_label->move(16, 265);
    timer_refresh_slot_func();

    m_timer = new ui_timer_t();
    connect(m_timer, SIGNAL(timeout()), this, SLOT(timer_refresh_slot_func()));
    m_timer->set_interval_s(1.0);
    m_timer->start_timer();
}

QString ui_qsplashscreen_t::loading_text()
{
    QString text = "Loading file, please wait";
    if (m_dot_count > 2) {
        m_dot_count = 0;
        return text;
    }
    ++m_dot_count;
    return text + QString(m_dot_count, '.');
}

void ui_qsplashscreen_t::timer_refresh_slot_func()
{
    m_msg_label->setText(loading_text());
}

void ui_qsplashscreen_t::mousePressEvent(QMouseEvent *) {}
