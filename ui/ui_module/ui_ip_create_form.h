#pragma once
#include "lib_types.h"
#include "lib_xml.h"

#include <QDialog>

#include <memory>

class ui_ipline_widget_t;
struct Ui_ui_ip_create_form_t;

// "Create VISA TCP/IP Resource": stores the typed address as a resource element of the
// configuration file's "manual_tcp_ip" and reports 0 (added), 1 (could not be added) or
// 2 (Cancel, or already stored) through ip_create_form_btn_signal. The receiver closes
// the dialog, which then deletes itself.
class ui_ip_create_form_t : public QDialog
{
    Q_OBJECT
public:
    explicit ui_ip_create_form_t(QWidget *parent = nullptr);
    ~ui_ip_create_form_t() override;

    ui_ipline_widget_t *address_widget() const { return m_ip_widget; }

signals:
    void btn_info_signal(ui_ip_create_form_t *type, int32 btn);
    void ip_create_form_btn_signal(ui_ip_create_form_t *type, int32 btn);

public slots:
    void btn_slot_func();
    void ip_create_form_btn_slot_func(ui_ip_create_form_t *type, int32 btn);

private:
    int32 add_resource(const QString &resource);

    ui_ipline_widget_t *m_ip_widget;
    std::unique_ptr<Ui_ui_ip_create_form_t> m_form;
    lib_xml_t m_xml;
};
