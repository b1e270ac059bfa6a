#pragma once
#include <QWidget>

class Ui_ui_control_panel_t;
class QTabWidget;
class ui_menu_bar_t;
class ui_parameter_widget_t;
class ui_status_widget_t;
class ui_waveform_widget_t;

// One device's page of the control panel: two channel tabs, each with its titled areas
// and function buttons. The page holds no values and talks to no instrument.
class ui_control_panel_t : public QWidget
{
    Q_OBJECT
public:
    explicit ui_control_panel_t(QWidget *parent);
    ~ui_control_panel_t() override;
    ui_control_panel_t(const ui_control_panel_t &) = delete;
    ui_control_panel_t &operator=(const ui_control_panel_t &) = delete;

    void init_channel_page(QWidget *page);
    QTabWidget *channel_tab() const;

private:
    Ui_ui_control_panel_t *m_form;
    // The widgets of the channel page built last.
    QWidget *m_container;
    ui_waveform_widget_t *m_waveform;
    ui_status_widget_t *m_status;
    ui_parameter_widget_t *m_parameter;
    ui_menu_bar_t *m_menu_bar;
};
