#include "ui_paste_option.h"

#include "ui_app_paths.h"
#include "ui_meta_types.h"
#include "ui_ui_paste_option.h"

ui_paste_option_t::ui_paste_option_t(QWidget *parent, bool x_cursors_visible)
    : QWidget(parent), form(nullptr), paste_type(1), x_cursors_on(x_cursors_visible)
{
    ui_init_resources();
    ui_register_meta_types();
    form = new Ui_ui_paste_option_t;
    form->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags((windowFlags() | Qt::Dialog) &
                   ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    setFixedSize(width(), height());
    setWindowModality(Qt::ApplicationModal);

    form->rdbtn_append->setChecked(true);
    paste_type = 1;
    const QList<QAbstractButton *> buttons{form->btn_ok,         form->btn_cancle,
                                           form->rdbtn_prepend,  form->rdbtn_append,
                                           form->rdbtn_betn_cursor, form->rdbtn_act_cursor};
    for (QAbstractButton *b : buttons)
        connect(b, SIGNAL(clicked()), this, SLOT(btn_slot_func()));
    connect(this, SIGNAL(btn_info_signal(ui_paste_option_t *, int32)), this,
            SLOT(paste_option_form_btn_slot_func(ui_paste_option_t *, int32)));
    form->rdbtn_betn_cursor->setEnabled(x_cursors_on);

    setObjectName("normal_widget");
    form->btn_ok->setObjectName("normal_button");
    form->btn_cancle->setObjectName("normal_button");
    form->rdbtn_prepend->setObjectName("normal_rdbtn");
    form->rdbtn_append->setObjectName("normal_rdbtn");
    form->rdbtn_betn_cursor->setObjectName("normal_rdbtn");
    form->rdbtn_act_cursor->setObjectName("normal_rdbtn");
    form->gpbx_paste_options->setObjectName("normal_gpbx");
}

ui_paste_option_t::~ui_paste_option_t()
{
    delete form;
}

void ui_paste_option_t::btn_slot_func()
{
    QObject *from = sender();
    if (from == form->btn_ok)
        emit btn_info_signal(this, 3);
    else if (from == form->btn_cancle)
        emit btn_info_signal(this, 2);
    else if (from == form->rdbtn_prepend)
        paste_type = 0;
    else if (from == form->rdbtn_append)
        paste_type = 1;
    else if (from == form->rdbtn_betn_cursor)
        paste_type = 2;
    else if (from == form->rdbtn_act_cursor)
        paste_type = 3;
}

void ui_paste_option_t::paste_option_form_btn_slot_func(ui_paste_option_t *type, int32 btn)
{
    emit paste_option_form_btn_signal(type, btn);
}
