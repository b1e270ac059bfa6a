#include "ui_ip_create_form.h"

#include "lib_app_paths.h"
#include "ui_ipline_widget.h"
#include "ui_meta_types.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QIcon>
#include <QPushButton>

// The dialog's fixed-geometry form, as the designer would generate it.
struct Ui_ui_ip_create_form_t
{
    QGroupBox *groupBox;
    QPushButton *btn_ok;
    QPushButton *btn_cancel;

    void setupUi(QDialog *d)
    {
        if (d->objectName().isEmpty())
            d->setObjectName("ui_ip_create_form_t");
        d->resize(400, 187);
        d->setWindowIcon(QIcon(":/Image/resources/image_ondrix.png"));
        groupBox = new QGroupBox(d);
        groupBox->setObjectName("groupBox");
        groupBox->setGeometry(QRect(20, 10, 361, 131));
        btn_ok = new QPushButton(d);
        btn_ok->setObjectName("btn_ok");
        btn_ok->setGeometry(QRect(100, 150, 75, 31));
        btn_cancel = new QPushButton(d);
        btn_cancel->setObjectName("btn_cancel");
        btn_cancel->setGeometry(QRect(210, 150, 75, 31));
        retranslateUi(d);
        QMetaObject::connectSlotsByName(d);
    }

    void retranslateUi(QDialog *d)
    {
        auto tr = [](const char *s) { return QCoreApplication::translate("ui_ip_create_form_t", s); };
        d->setWindowTitle(tr("Create VISA TCP/IP Resource"));
        groupBox->setTitle(tr("Entry IP Address"));
        btn_ok->setText(tr("OK"));
        btn_cancel->setText(tr("Cancel"));
    }
};

namespace {

// The number of the next element name to try. Shared by every dialog of the process; it
// only grows, so a name freed by a deletion is used again only after a restart.
int g_ip_name_counter = 1;

} // namespace

ui_ip_create_form_t::ui_ip_create_form_t(QWidget *parent)
    : QDialog(parent), m_ip_widget(nullptr), m_form(std::make_unique<Ui_ui_ip_create_form_t>())
{
    ui_register_meta_types();
    m_form->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags((windowFlags() | Qt::Dialog) &
                   ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowContextHelpButtonHint));
    setFixedSize(size());
    setWindowModality(Qt::ApplicationModal);
    setObjectName("normal_widget");
    m_form->groupBox->setObjectName("normal_gpbx");
    m_form->btn_ok->setObjectName("normal_button");
    m_form->btn_cancel->setObjectName("normal_button");

    m_ip_widget = new ui_ipline_widget_t(m_form->groupBox);
    auto *grid = new QGridLayout(m_form->groupBox);
    grid->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    grid->setSpacing(0);
    grid->setContentsMargins(20, 20, 20, 0);
    grid->addWidget(m_ip_widget, 0, 0, 1, 1);

    connect(m_form->btn_ok, SIGNAL(clicked()), this, SLOT(btn_slot_func()));
    connect(m_form->btn_cancel, SIGNAL(clicked()), this, SLOT(btn_slot_func()));
    connect(this, SIGNAL(btn_info_signal(ui_ip_create_form_t *, int32)), this,
            SLOT(ip_create_form_btn_slot_func(ui_ip_create_form_t *, int32)));
}

ui_ip_create_form_t::~ui_ip_create_form_t() = default;

void ui_ip_create_form_t::btn_slot_func()
{
    QObject *from = sender();
    if (from == m_form->btn_ok)
        emit btn_info_signal(this, add_resource(m_ip_widget->get_resource()));
    else if (from == m_form->btn_cancel)
        emit btn_info_signal(this, 2);
}

int32 ui_ip_create_form_t::add_resource(const QString &resource)
{
    if (m_xml.is_node_content_exit(g_config_file_path, resource))
        return 2;
    QString name = "IP" + QString::number(g_ip_name_counter);
    while (m_xml.is_node_exit(g_config_file_path, name)) {
        ++g_ip_name_counter;
        name = "IP" + QString::number(g_ip_name_counter);
    }
    return m_xml.add_node(g_config_file_path, "manual_tcp_ip", name, resource) ? 0 : 1;
}

void ui_ip_create_form_t::ip_create_form_btn_slot_func(ui_ip_create_form_t *type, int32 btn)
{
    emit ip_create_form_btn_signal(type, btn);
}
