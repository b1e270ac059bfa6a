#include "ui_view_property.h"

#include "ui_app_paths.h"
#include "ui_color_picker.h"
#include "ui_comb_interpolation.h"
#include "ui_coustom_comb.h"
#include "ui_dspinb.h"
#include "ui_dspinbx_frame.h"
#include "ui_meta_types.h"
#include "ui_unit.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

// The dialog's fixed-geometry form, as the designer would generate it.
struct Ui_ui_view_property_t
{
    QFrame *frame_wv_name;
    QGroupBox *gpbx_waveform;
    QGroupBox *gpbx_cursor;
    QCheckBox *checkb_grid;
    QCheckBox *checkb_time_scale;
    QGroupBox *gpbx_y_axis;
    QPushButton *btn_ok;
    QPushButton *btn_cancle;

    void setupUi(QWidget *w)
    {
        if (w->objectName().isEmpty())
            w->setObjectName("ui_view_property_t");
        w->resize(552, 453);
        QFont font;
        font.setPointSize(12);
        w->setWindowIcon(QIcon(":/Image/resources/image_ondrix.png"));
        w->setStyleSheet(QString());
        frame_wv_name = new QFrame(w);
        frame_wv_name->setObjectName("frame_wv_name");
        frame_wv_name->setGeometry(10, 10, 531, 41);
        frame_wv_name->setFrameShape(QFrame::StyledPanel);
        frame_wv_name->setFrameShadow(QFrame::Raised);
        gpbx_waveform = new QGroupBox(w);
        gpbx_waveform->setObjectName("gpbx_waveform");
        gpbx_waveform->setGeometry(10, 60, 261, 221);
        gpbx_cursor = new QGroupBox(w);
        gpbx_cursor->setObjectName("gpbx_cursor");
        gpbx_cursor->setGeometry(280, 60, 261, 221);
        checkb_grid = new QCheckBox(w);
        checkb_grid->setObjectName("checkb_grid");
        checkb_grid->setGeometry(20, 290, 181, 23);
        checkb_time_scale = new QCheckBox(w);
        checkb_time_scale->setObjectName("checkb_time_scale");
        checkb_time_scale->setGeometry(290, 290, 181, 23);
        gpbx_y_axis = new QGroupBox(w);
        gpbx_y_axis->setObjectName("gpbx_y_axis");
        // Tall enough for the Auto Scale row above the Min and Max row.
        gpbx_y_axis->setGeometry(10, 316, 531, 92);
        btn_ok = new QPushButton(w);
        btn_ok->setObjectName("btn_ok");
        btn_ok->setGeometry(150, 414, 91, 31);
        btn_cancle = new QPushButton(w);
        btn_cancle->setObjectName("btn_cancle");
        btn_cancle->setGeometry(310, 414, 91, 31);
        for (QWidget *c : std::initializer_list<QWidget *>{gpbx_waveform, gpbx_cursor, checkb_grid,
                                                         checkb_time_scale, gpbx_y_axis, btn_ok, btn_cancle}) {
            c->setFont(font);
            c->setStyleSheet(QString());
        }
        retranslateUi(w);
    }

    void retranslateUi(QWidget *w)
    {
        w->setWindowTitle(QCoreApplication::translate("ui_view_property_t", "Display Properties"));
        gpbx_waveform->setTitle(QCoreApplication::translate("ui_view_property_t", "Waveform"));
        gpbx_cursor->setTitle(QCoreApplication::translate("ui_view_property_t", "Cursor"));
        checkb_grid->setText(QCoreApplication::translate("ui_view_property_t", "Grids"));
        checkb_time_scale->setText(QCoreApplication::translate("ui_view_property_t", "Time Scale"));
        gpbx_y_axis->setTitle(QCoreApplication::translate("ui_view_property_t", "Y-Axis"));
        btn_ok->setText(QCoreApplication::translate("ui_view_property_t", "OK"));
        btn_cancle->setText(QCoreApplication::translate("ui_view_property_t", "Cancel"));
    }
};

namespace {

QGridLayout *group_grid(QWidget *group, int v_spacing, int h_spacing)
{
    QGridLayout *grid = new QGridLayout(group);
    grid->setVerticalSpacing(v_spacing);
    grid->setHorizontalSpacing(h_spacing);
    return grid;
}

QLabel *line_label()
{
    QLabel *l = new QLabel;
    l->setFrameShape(QFrame::HLine);
    l->setFrameShadow(QFrame::Plain);
    return l;
}

// Width kind -> line-sample thickness, for the kinds the combo offers (others: 1 -> 2).
int thickness_of(int kind)
{
    return (kind >= 0 && kind <= 3) ? kind + 1 : 2;
}

} // namespace

ui_view_property_t::ui_view_property_t(QWidget *parent, QString waveform_name, ui_view_setting_t record)
    : QWidget(parent), form(new Ui_ui_view_property_t)
{
    ui_init_resources();
    ui_register_meta_types();
    form->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags((windowFlags() | Qt::Dialog) & ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    setFixedSize(width(), height());
    setWindowModality(Qt::ApplicationModal);
    build_name_frame();
    build_waveform_group();
    build_cursor_group();
    build_y_axis_group();

    for (QAbstractButton *b : std::initializer_list<QAbstractButton *>{
             form->btn_ok, form->btn_cancle, line_color_btn, x_color_btn, y_color_btn, line_default_btn,
             cursor_default_btn, auto_scale_box, form->checkb_grid, form->checkb_time_scale})
        connect(b, SIGNAL(clicked()), this, SLOT(btn_slot_func()));
    connect(width_comb, SIGNAL(activated(int)), this, SLOT(line_width_comb_slot_func(int)));
    connect(interpolation_comb, SIGNAL(activated(int)), this, SLOT(interpola_comb_slot_func(int)));
    connect(max_frame.get(), SIGNAL(spinbx_value_changed(double)), this, SLOT(spinb_pram_change_slot_func(double)));
    connect(min_frame.get(), SIGNAL(spinbx_value_changed(double)), this, SLOT(spinb_pram_change_slot_func(double)));
    connect(this, SIGNAL(btn_info_signal(ui_view_property_t *, int32)), this,
            SLOT(view_property_form_btn_slot_func(ui_view_property_t *, int32)));

    for (int i = 0; i < 4; ++i)
        width_comb->addItem(QString::number(i + 1), i);

    setObjectName("normal_widget");
    for (QPushButton *b : {form->btn_ok, form->btn_cancle, line_color_btn, x_color_btn, y_color_btn,
                           line_default_btn, cursor_default_btn})
        b->setObjectName("normal_button");
    for (QCheckBox *c : {auto_scale_box, form->checkb_grid, form->checkb_time_scale})
        c->setObjectName("normal_checkbox");
    for (QComboBox *c : std::initializer_list<QComboBox *>{name_comb, width_comb, interpolation_comb})
        c->setObjectName("normal_comb");
    for (QGroupBox *g : {form->gpbx_waveform, form->gpbx_cursor, form->gpbx_y_axis})
        g->setObjectName("normal_gpbx");
    for (QLabel *l : {line_width_label, line_color_label, interpolation_label, x_cursor_label, y_cursor_label,
                      x_color_label, y_color_label, line_sample, x_sample, y_sample})
        l->setObjectName("normal_label");
    min_frame->label->setObjectName("normal_label");

    setting = record;
    show_setting();
    name_comb->addItem(waveform_name);
}

ui_view_property_t::~ui_view_property_t() = default;

void ui_view_property_t::build_name_frame()
{
    QGridLayout *grid = new QGridLayout(form->frame_wv_name);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    QLabel *label = new QLabel(tr("Waveform Name:"));
    label->setObjectName("normal_label");
    grid->addWidget(label, 0, 0, Qt::AlignLeft);
    name_comb = new ui_coustom_comb_t;
    name_comb->setFixedSize(410, 31);
    grid->addWidget(name_comb, 0, 1, 1, 5, Qt::AlignRight);
}

void ui_view_property_t::build_waveform_group()
{
    QGridLayout *grid = group_grid(form->gpbx_waveform, 15, 5);
    grid->setContentsMargins(30, 20, 9, 9);
    grid->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    line_sample = line_label();
    line_sample->setFixedHeight(28);
    line_width_label = new QLabel(tr("Line Width:"));
    line_color_label = new QLabel(tr("Line Color:"));
    interpolation_label = new QLabel(tr("Interpolation:"));
    width_comb = new QComboBox;
    line_color_btn = new QPushButton(tr("Change Color..."));
    line_default_btn = new QPushButton(tr("Default"));
    interpolation_comb = new ui_comb_interpolation_t;
    for (QWidget *w : std::initializer_list<QWidget *>{width_comb, line_color_btn, line_default_btn, interpolation_comb})
        w->setFixedSize(120, 28);
    grid->addWidget(line_sample, 0, 0, 1, 3, Qt::AlignRight);
    grid->addWidget(line_width_label, 1, 0, Qt::AlignRight);
    grid->addWidget(width_comb, 1, 1, 1, 2, Qt::AlignRight);
    grid->addWidget(line_color_label, 2, 0, Qt::AlignRight);
    grid->addWidget(line_color_btn, 2, 1, 1, 2, Qt::AlignRight);
    grid->addWidget(line_default_btn, 3, 2, Qt::AlignRight);
    grid->addWidget(interpolation_label, 4, 0, Qt::AlignRight);
    grid->addWidget(interpolation_comb, 4, 1, 1, 2, Qt::AlignRight);
}

void ui_view_property_t::build_cursor_group()
{
    QGridLayout *grid = group_grid(form->gpbx_cursor, 15, 5);
    grid->setContentsMargins(20, 20, 9, 9);
    grid->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    x_cursor_label = new QLabel(tr("X Cursor:"));
    y_cursor_label = new QLabel(tr("Y Cursor:"));
    x_color_label = new QLabel(tr("X Color:"));
    y_color_label = new QLabel(tr("Y Color:"));
    x_sample = line_label();
    y_sample = line_label();
    for (QLabel *s : {x_sample, y_sample}) {
        s->setLineWidth(16);
        s->setFixedSize(160, 28);
    }
    x_color_btn = new QPushButton(tr("Change Color..."));
    y_color_btn = new QPushButton(tr("Change Color..."));
    cursor_default_btn = new QPushButton(tr("Default"));
    for (QPushButton *b : {x_color_btn, y_color_btn, cursor_default_btn})
        b->setFixedSize(120, 28);
    grid->addWidget(x_cursor_label, 0, 0, Qt::AlignRight);
    grid->addWidget(x_sample, 0, 1, 1, 2, Qt::AlignRight);
    grid->addWidget(y_cursor_label, 1, 0, Qt::AlignRight);
    grid->addWidget(y_sample, 1, 1, 1, 2, Qt::AlignRight);
    grid->addWidget(x_color_label, 2, 0, Qt::AlignRight);
    grid->addWidget(x_color_btn, 2, 1, 1, 2, Qt::AlignRight);
    grid->addWidget(y_color_label, 3, 0, Qt::AlignRight);
    grid->addWidget(y_color_btn, 3, 1, 1, 2, Qt::AlignRight);
    grid->addWidget(cursor_default_btn, 4, 2, Qt::AlignRight);
}

void ui_view_property_t::build_y_axis_group()
{
    QGridLayout *grid = group_grid(form->gpbx_y_axis, 4, 30);
    grid->setContentsMargins(10, 2, 30, 6);
    grid->setAlignment(Qt::AlignRight);
    auto_scale_box = new QCheckBox(tr("Auto Scale"));
    min_frame.reset(new ui_dspinbx_frame_t(false, UI_UNIT_VOLT, true, tr("Min:"), false));
    max_frame.reset(new ui_dspinbx_frame_t(false, UI_UNIT_VOLT, true, tr("Max:"), false));
    for (ui_dspinbx_frame_t *f : {min_frame.get(), max_frame.get()}) {
        f->dspinbox->setDecimals(3);
        f->set_frame_height(30);
    }
    grid->addWidget(auto_scale_box, 0, 3, 1, 2);
    grid->addWidget(min_frame.get(), 1, 0, 1, 4);
    grid->addWidget(max_frame.get(), 1, 4, 1, 4);
}

void ui_view_property_t::set_line_thickness(QLabel *sample, int thickness)
{
    sample->setLineWidth(thickness);
}

void ui_view_property_t::set_sample_color(QLabel *sample, const int32 rgb[3])
{
    sample->setStyleSheet(QString("color: rgb(%1, %2, %3);").arg(rgb[0]).arg(rgb[1]).arg(rgb[2]));
}

bool ui_view_property_t::pick_color(int32 rgb[3], QLabel *sample)
{
    const QColor c = ui_pick_color(Qt::white, nullptr, QString());
    if (!c.isValid())
        return false;
    rgb[0] = c.red();
    rgb[1] = c.green();
    rgb[2] = c.blue();
    set_sample_color(sample, rgb);
    return true;
}

void ui_view_property_t::btn_slot_func()
{
    QObject *s = sender();
    if (s == form->btn_ok) {
        emit btn_info_signal(this, 3);
    } else if (s == form->btn_cancle) {
        emit btn_info_signal(this, 2);
    } else if (s == line_color_btn) {
        pick_color(setting.line_rgb, line_sample);
    } else if (s == x_color_btn) {
        pick_color(setting.x_cursor_rgb, x_sample);
    } else if (s == y_color_btn) {
        pick_color(setting.y_cursor_rgb, y_sample);
    } else if (s == line_default_btn) {
        line_sample->setStyleSheet("color: rgb(255, 255, 0);");
        set_line_thickness(line_sample, 2);
        width_comb->setCurrentIndex(1);
        setting.line_width = 1;
        setting.line_rgb[0] = 255;
        setting.line_rgb[1] = 255;
        setting.line_rgb[2] = 0;
    } else if (s == cursor_default_btn) {
        x_sample->setStyleSheet("color: rgb(255, 0, 0);");
        y_sample->setStyleSheet("color: rgb(0, 255, 0);");
        const int32 x[3] = {255, 0, 0}, y[3] = {0, 255, 0};
        std::copy(x, x + 3, setting.x_cursor_rgb);
        std::copy(y, y + 3, setting.y_cursor_rgb);
    } else if (s == auto_scale_box) {
        setting.auto_scale = auto_scale_box->isChecked();
        min_frame->setEnabled(!setting.auto_scale);
        max_frame->setEnabled(!setting.auto_scale);
    } else if (s == form->checkb_grid) {
        setting.grid_show = form->checkb_grid->isChecked();
    } else if (s == form->checkb_time_scale) {
        setting.time_scale_show = form->checkb_time_scale->isChecked();
    }
}

void ui_view_property_t::line_width_comb_slot_func(int index)
{
    const int kind = (index >= 0 && index <= 3) ? index : 1;
    setting.line_width = kind;
    set_line_thickness(line_sample, thickness_of(kind));
}

void ui_view_property_t::interpola_comb_slot_func(int index)
{
    if (index == 0)
        setting.curve_style = UI_CURVE_LINES;
    else if (index == 1)
        setting.curve_style = UI_CURVE_INVERTED_STEPS;
}

void ui_view_property_t::spinb_pram_change_slot_func(double data)
{
    if (sender() == min_frame.get())
        setting.y_min = data;
    else if (sender() == max_frame.get())
        setting.y_max = data;
}

void ui_view_property_t::view_property_form_btn_slot_func(ui_view_property_t *type, int32 btn)
{
    emit view_property_form_btn_signal(type, btn);
}

void ui_view_property_t::show_setting()
{
    line_width_comb_slot_func(setting.line_width);
    width_comb->setCurrentIndex(setting.line_width);
    set_sample_color(line_sample, setting.line_rgb);
    set_sample_color(x_sample, setting.x_cursor_rgb);
    set_sample_color(y_sample, setting.y_cursor_rgb);
    auto_scale_box->setChecked(setting.auto_scale);
    form->checkb_grid->setChecked(setting.grid_show);
    form->checkb_time_scale->setChecked(setting.time_scale_show);
    const double y_min = setting.y_min, y_max = setting.y_max;
    min_frame->dspinbox->setValue(y_min);
    max_frame->dspinbox->setValue(y_max);
    min_frame->setEnabled(!setting.auto_scale);
    max_frame->setEnabled(!setting.auto_scale);
    interpolation_comb->set_index(setting.curve_style == UI_CURVE_INVERTED_STEPS ? 1 : 0);
}
