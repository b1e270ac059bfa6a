#include "ui_cursor_setting.h"

#include "ui_app_paths.h"
#include "ui_dspinb.h"
#include "ui_dspinbx_frame.h"
#include "ui_meta_types.h"
#include "ui_spinb.h"
#include "ui_spinbx_frame.h"
#include "ui_unit.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>

// The dialog's fixed-geometry form, as the designer would generate it.
struct Ui_ui_cursor_setting_t
{
    QGroupBox *gpbx_x;
    QGroupBox *gpbx_y;
    QRadioButton *rdbtn_point;
    QRadioButton *rdbtn_second;
    QPushButton *btn_ok;
    QPushButton *btn_cancle;

    void setupUi(QWidget *w)
    {
        if (w->objectName().isEmpty())
            w->setObjectName("ui_cursor_setting_t");
        w->resize(486, 259);
        w->setWindowIcon(QIcon(":/Image/resources/image_ondrix.png"));
        w->setStyleSheet(QString());
        QFont font;
        font.setPointSize(12);
        rdbtn_point = new QRadioButton(w);
        rdbtn_point->setObjectName("rdbtn_point");
        rdbtn_point->setGeometry(30, 10, 120, 23);
        rdbtn_second = new QRadioButton(w);
        rdbtn_second->setObjectName("rdbtn_second");
        rdbtn_second->setGeometry(260, 10, 120, 23);
        gpbx_x = new QGroupBox(w);
        gpbx_x->setObjectName("gpbx_x");
        gpbx_x->setGeometry(10, 40, 466, 75);
        gpbx_y = new QGroupBox(w);
        gpbx_y->setObjectName("gpbx_y");
        gpbx_y->setGeometry(10, 125, 466, 75);
        btn_ok = new QPushButton(w);
        btn_ok->setObjectName("btn_ok");
        btn_ok->setGeometry(120, 215, 91, 31);
        btn_cancle = new QPushButton(w);
        btn_cancle->setObjectName("btn_cancle");
        btn_cancle->setGeometry(280, 215, 91, 31);
        for (QWidget *c : std::initializer_list<QWidget *>{rdbtn_point, rdbtn_second, gpbx_x, gpbx_y, btn_ok, btn_cancle}) {
            c->setFont(font);
            c->setStyleSheet(QString());
        }
        w->setWindowTitle(QCoreApplication::translate("ui_cursor_setting_t", "Cursor Settings"));
        gpbx_x->setTitle(QCoreApplication::translate("ui_cursor_setting_t", "Cursor X"));
        gpbx_y->setTitle(QCoreApplication::translate("ui_cursor_setting_t", "Cursor Y"));
        rdbtn_point->setText(QCoreApplication::translate("ui_cursor_setting_t", "Points"));
        rdbtn_second->setText(QCoreApplication::translate("ui_cursor_setting_t", "Seconds"));
        btn_ok->setText(QCoreApplication::translate("ui_cursor_setting_t", "OK"));
        btn_cancle->setText(QCoreApplication::translate("ui_cursor_setting_t", "Cancel"));
    }
};

namespace {

int32 trunc_to_int32(double v)
{
    if (!(v == v))
        return 0;
    if (v >= 2147483647.0)
        return 2147483647;
    if (v <= -2147483648.0)
        return -2147483647 - 1;
    return static_cast<int32>(v);
}

// Shown point number (index + 1) without wrapping at the top of the int range.
int shown_number(int32 index)
{
    return index >= 2147483647 ? index : index + 1;
}

void place_pair(QGroupBox *group, QWidget *a, QWidget *b)
{
    QGridLayout *grid = new QGridLayout(group);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(0);
    grid->setHorizontalSpacing(24);
    grid->setAlignment(Qt::AlignCenter);
    grid->addWidget(a, 0, 0);
    grid->addWidget(b, 0, 1);
}

template <typename frame_t>
void size_frame(frame_t *f)
{
    // Two frames of caption, spin box and unit side by side within the group's 466 pixels.
    f->set_frame_height(31);
    f->spinbox->setFixedHeight(31);
    f->label->setFixedSize(36, 31);
    f->set_unit_width(70);
}

} // namespace

ui_cursor_setting_t::ui_cursor_setting_t(QWidget *parent, fp32 x1, fp32 x2, fp32 y1, fp32 y2, double x_min,
                                         double x_max, double y_min, double y_max, bool x_on, bool y_on)
    : QWidget(parent), form(new Ui_ui_cursor_setting_t), X1(0), X2(0), Y1(0.0f), Y2(0.0f)
{
    ui_init_resources();
    ui_register_meta_types();
    form->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags((windowFlags() | Qt::Dialog) & ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    setFixedSize(width(), height());
    setWindowModality(Qt::ApplicationModal);

    x1_frame.reset(new ui_spinbx_frame_t(true, UI_UNIT_POINTS, true, tr("X1:"), false));
    x2_frame.reset(new ui_spinbx_frame_t(true, UI_UNIT_POINTS, true, tr("X2:"), false));
    y1_frame.reset(new ui_dspinbx_frame_t(false, UI_UNIT_VOLT, true, tr("Y1:"), false));
    y2_frame.reset(new ui_dspinbx_frame_t(false, UI_UNIT_VOLT, true, tr("Y2:"), false));
    size_frame(x1_frame.get());
    size_frame(x2_frame.get());
    size_frame(y1_frame.get());
    size_frame(y2_frame.get());
    y1_frame->dspinbox->setDecimals(3);
    y2_frame->dspinbox->setDecimals(3);
    place_pair(form->gpbx_x, x1_frame.get(), x2_frame.get());
    place_pair(form->gpbx_y, y1_frame.get(), y2_frame.get());
    form->rdbtn_point->setChecked(true);
    form->rdbtn_second->setEnabled(false);

    for (QAbstractButton *b : std::initializer_list<QAbstractButton *>{form->btn_ok, form->btn_cancle,
                                                                       form->rdbtn_point, form->rdbtn_second})
        connect(b, SIGNAL(clicked()), this, SLOT(btn_slot_func()));
    for (ui_spinbx_frame_t *f : {x1_frame.get(), x2_frame.get()})
        connect(f, SIGNAL(spinbx_value_changed(int)), this, SLOT(spinb_pram_change_slot_func(int)));
    for (ui_dspinbx_frame_t *f : {y1_frame.get(), y2_frame.get()})
        connect(f, SIGNAL(spinbx_value_changed(double)), this, SLOT(spinb_pram_change_slot_func(double)));
    connect(this, SIGNAL(btn_info_signal(ui_cursor_setting_t *, int32)), this,
            SLOT(cursor_form_btn_slot_func(ui_cursor_setting_t *, int32)));

    setObjectName("normal_widget");
    form->btn_ok->setObjectName("normal_button");
    form->btn_cancle->setObjectName("normal_button");
    form->rdbtn_point->setObjectName("normal_rdbtn");
    form->rdbtn_second->setObjectName("normal_rdbtn");
    form->gpbx_x->setObjectName("normal_gpbx");
    form->gpbx_y->setObjectName("normal_gpbx");

    x1_frame->set_min_value(x_min);
    x2_frame->set_min_value(x_min);
    x1_frame->set_max_value(x_max);
    x2_frame->set_max_value(x_max);
    y1_frame->set_min_value(y_min);
    y2_frame->set_min_value(y_min);
    y1_frame->set_max_value(y_max);
    y2_frame->set_max_value(y_max);
    X1 = trunc_to_int32(x1);
    X2 = trunc_to_int32(x2);
    Y1 = y1;
    Y2 = y2;
    x1_frame->spinbox_int->setValue(shown_number(X1));
    x2_frame->spinbox_int->setValue(shown_number(X2));
    y1_frame->dspinbox->setValue(y1);
    y2_frame->dspinbox->setValue(y2);
    x1_frame->setEnabled(x_on);
    x2_frame->setEnabled(x_on);
    y1_frame->setEnabled(y_on);
    y2_frame->setEnabled(y_on);
}

ui_cursor_setting_t::~ui_cursor_setting_t()
{
    x1_frame.reset();
    x2_frame.reset();
    y1_frame.reset();
    y2_frame.reset();
}

void ui_cursor_setting_t::btn_slot_func()
{
    if (sender() == form->btn_ok)
        emit btn_info_signal(this, 3);
    else if (sender() == form->btn_cancle)
        emit btn_info_signal(this, 2);
}

void ui_cursor_setting_t::spinb_pram_change_slot_func(int data)
{
    const int32 index = data == -2147483647 - 1 ? data : data - 1;
    if (sender() == x1_frame.get())
        X1 = index;
    else if (sender() == x2_frame.get())
        X2 = index;
}

void ui_cursor_setting_t::spinb_pram_change_slot_func(double data)
{
    const fp32 v = std::fabs(data) < 3.4e38 ? static_cast<fp32>(data) : (data > 0 ? 3.4e38f : -3.4e38f);
    if (sender() == y1_frame.get())
        Y1 = v;
    else if (sender() == y2_frame.get())
        Y2 = v;
}

void ui_cursor_setting_t::cursor_form_btn_slot_func(ui_cursor_setting_t *type, int32 btn)
{
    emit cursor_setting_form_btn_signal(type, btn);
}
