#include "ui_wv_property_form.h"

#include "cfg_instr_limit.h"
#include "lib_sample_conv.h"
#include "ui_app_paths.h"
#include "ui_dspinb.h"
#include "ui_dspinbx_frame.h"
#include "ui_meta_types.h"
#include "ui_plot_loader.h"
#include "ui_qwt_plot_curve.h"
#include "ui_prompt.h"
#include "ui_spinb.h"
#include "ui_spinbx_frame.h"
#include "ui_unit.h"
#include "ui_wv_ledit.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>

#include <algorithm>
#include <type_traits>
#include <vector>

// The dialog's fixed-geometry form, as the designer would generate it.
struct Ui_ui_wv_property_form_t
{
    QGroupBox *gpbx_wv_name;
    QPushButton *btn_dig;
    QGroupBox *gpbx_wv_preview;
    QPushButton *btn_preview;
    QPushButton *btn_ok;
    QPushButton *btn_cancel;
    QGroupBox *gpbx_table;
    QTableWidget *tableWidget;
    QPushButton *btn_goto;
    QFrame *frame_index;
    QFrame *frame_page;

    void setupUi(QWidget *w)
    {
        if (w->objectName().isEmpty())
            w->setObjectName("ui_wv_property_form_t");
        w->resize(816, 464);
        w->setWindowIcon(QIcon(":/Image/resources/image_ondrix.png"));
        QFont font;
        font.setPointSize(12);
        gpbx_wv_name = new QGroupBox(w);
        gpbx_wv_name->setObjectName("gpbx_wv_name");
        gpbx_wv_name->setGeometry(10, 10, 451, 181);
        btn_dig = new QPushButton(gpbx_wv_name);
        btn_dig->setObjectName("btn_dig");
        // Inside the group, below its top border and above the first entry row.
        btn_dig->setGeometry(250, 24, 191, 24);
        gpbx_wv_preview = new QGroupBox(w);
        gpbx_wv_preview->setObjectName("gpbx_wv_preview");
        gpbx_wv_preview->setGeometry(10, 200, 451, 211);
        btn_preview = new QPushButton(w);
        btn_preview->setObjectName("btn_preview");
        btn_preview->setGeometry(490, 420, 91, 31);
        btn_ok = new QPushButton(w);
        btn_ok->setObjectName("btn_ok");
        btn_ok->setGeometry(600, 420, 91, 31);
        btn_cancel = new QPushButton(w);
        btn_cancel->setObjectName("btn_cancel");
        btn_cancel->setGeometry(710, 420, 91, 31);
        gpbx_table = new QGroupBox(w);
        gpbx_table->setObjectName("gpbx_table");
        gpbx_table->setGeometry(470, 10, 336, 401);
        tableWidget = new QTableWidget(gpbx_table);
        tableWidget->setObjectName("tableWidget");
        tableWidget->setGeometry(10, 75, 316, 270);
        tableWidget->setRowCount(1024);
        tableWidget->setColumnCount(2);
        btn_goto = new QPushButton(gpbx_table);
        btn_goto->setObjectName("btn_goto");
        btn_goto->setGeometry(245, 35, 81, 31);
        frame_index = new QFrame(gpbx_table);
        frame_index->setObjectName("frame_index");
        frame_index->setGeometry(10, 35, 226, 31);
        frame_index->setFrameShape(QFrame::StyledPanel);
        frame_index->setFrameShadow(QFrame::Raised);
        frame_page = new QFrame(gpbx_table);
        frame_page->setObjectName("frame_page");
        frame_page->setGeometry(10, 355, 290, 31);
        frame_page->setFrameShape(QFrame::StyledPanel);
        frame_page->setFrameShadow(QFrame::Raised);
        for (QWidget *c : std::initializer_list<QWidget *>{gpbx_wv_name, btn_dig, gpbx_wv_preview, btn_preview, btn_ok,
                                                         btn_cancel, gpbx_table, tableWidget, btn_goto})
            c->setFont(font);
        w->setWindowTitle(tr("Waveform Properties"));
        gpbx_wv_name->setTitle(tr("Parameters"));
        btn_dig->setText(tr("Convert to digital wave"));
        gpbx_wv_preview->setTitle(tr("Waveform Preview"));
        btn_preview->setText(tr("Preview"));
        btn_ok->setText(tr("OK"));
        btn_cancel->setText(tr("Cancel"));
        gpbx_table->setTitle(tr("Point Table"));
        btn_goto->setText(tr("Goto"));
    }

    static QString tr(const char *text) { return QCoreApplication::translate("ui_wv_property_form_t", text); }
};

namespace {

constexpr uint32 k_display_points = 3000;

QLabel *entry_label(const QString &text)
{
    QLabel *l = new QLabel(text);
    l->setObjectName("normal_label");
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

// An entry without units alone in its frame.
template <typename frame_t> frame_t *make_entry(QFrame *holder, const QString &label, int width, int spin_width)
{
    frame_t *f = new frame_t(std::is_same<frame_t, ui_spinbx_frame_t>::value, 0, false, label, false);
    f->setFixedWidth(width);
    f->spinbox->setFixedWidth(spin_width);
    f->label->setObjectName("normal_label");
    QGridLayout *grid = new QGridLayout(holder);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->setAlignment(Qt::AlignLeft);
    grid->addWidget(f, 0, 0);
    return f;
}

// Volts typed into the table as a sample: clamped to +-32767 (not -32768).
short int typed_sample(double volts, float amp, float offset)
{
    if (amp == 0.0f)
        return 0;
    const float q = static_cast<float>((static_cast<long double>(volts) - offset) / (0.5L * amp) * 32767.0L);
    if (q > 32767.0f)
        return 32767;
    if (q < -32767.0f)
        return -32767;
    return lib_to_int16_sat(q);
}

} // namespace

ui_wv_property_form_t::ui_wv_property_form_t(QWidget *parent, const QString &name, lib_wv_data_t<short int> *data_,
                                             float frequency_, instr_zqw_t model)
    : QWidget(parent), data(data_), data_changed(false), page_size(1024), ui(new Ui_ui_wv_property_form_t),
      preview_plot(nullptr), wave_length(0), index_frame(nullptr), page_frame(nullptr), current_page(0),
      name_edit(nullptr), length_frame(nullptr), frequency_frame(nullptr), frequency(frequency_), y_low(0.0),
      y_high(0.0)
{
    ui_init_resources();
    ui_register_meta_types();
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags((windowFlags() | Qt::Dialog) & ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    setFixedSize(width(), height());
    setWindowModality(Qt::ApplicationModal);
    init_widgets();

    name_edit->set_prefix_text(name_prefix(name));
    postfix_text = name_postfix(name);
    name_edit->set_posfix_text(postfix_text);

    wave_length = data->samples.size();
    set_wave_length(wave_length);
    frequency_frame->set_value(frequency_);
    frequency_frame->set_min_value(*instr_get_min_freq(model));
    frequency_frame->set_max_value(instr_get_max_freq(model, 0, wave_length));
    name_edit->set_prefix_enabled(false);
    length_frame->setEnabled(false);

    fill_table();
    init_style();
    update_y_range();
}

ui_wv_property_form_t::~ui_wv_property_form_t()
{
    delete index_frame;
    delete page_frame;
    delete name_edit;
    delete length_frame;
    delete frequency_frame;
}

void ui_wv_property_form_t::init_widgets()
{
    init_entries();
    QHBoxLayout *box = new QHBoxLayout(ui->gpbx_wv_preview);
    box->setContentsMargins(2, 2, 2, 2);
    QFrame *holder = new QFrame;
    box->addWidget(holder);
    QGridLayout *grid = new QGridLayout(holder);
    grid->setContentsMargins(0, 0, 0, 5);
    grid->setSpacing(0);
    grid->addWidget(&preview_plot, 0, 0);
    preview_plot.set_grid_show(true);
    preview_plot.set_yaxis_show(true);
    preview_plot.set_xbottom_scale(0.0f, 16384.0f);
    preview_plot.set_yleft_scale(-1.0f, 1.0f);
    preview_plot.get_curve(0)->setYAxis(QwtPlot::yRight);
    preview_plot.canvas()->setStyleSheet("background-color: rgb(0, 0, 0)");
    preview_plot.replot();

    for (QPushButton *b : {ui->btn_dig, ui->btn_ok, ui->btn_cancel, ui->btn_preview, ui->btn_goto})
        connect(b, SIGNAL(clicked()), this, SLOT(btn_slot_func()));
    connect(this, SIGNAL(btn_info_signal(ui_wv_property_form_t *, int32)), this,
            SLOT(wv_property_form_btn_slot_func(ui_wv_property_form_t *, int32)));
    connect(frequency_frame, SIGNAL(spinbx_value_changed(double)), this, SLOT(spinb_pram_change_slot_func(double)));
    connect(page_frame, SIGNAL(spinbx_value_changed(int)), this, SLOT(spinb_pram_change_slot_func(int)));
}

void ui_wv_property_form_t::init_entries()
{
    index_frame = make_entry<ui_dspinbx_frame_t>(ui->frame_index, tr("Index:"), 220, 90);
    index_frame->dspinbox->setDecimals(0);
    page_frame = make_entry<ui_spinbx_frame_t>(ui->frame_page, tr("Page:"), 284, 154);

    name_edit = new ui_wv_ledit_t;
    name_edit->installEventFilter(this);
    length_frame = new ui_dspinbx_frame_t(false, UI_UNIT_POINTS, true, QString(), false);
    length_frame->dspinbox->setDecimals(0);
    frequency_frame = new ui_dspinbx_frame_t(false, UI_UNIT_FREQ, true, QString(), false);
    frequency_frame->dspinbox->setDecimals(4);
    name_edit->setFixedSize(220, 31);
    for (ui_dspinbx_frame_t *f : {length_frame, frequency_frame}) {
        f->setFixedSize(220, 31);
        f->set_spinbox_width(150);
        f->set_unit_width(70);
        f->set_frame_height(31);
    }
    QGridLayout *grid = new QGridLayout(ui->gpbx_wv_name);
    grid->setVerticalSpacing(8);
    grid->setHorizontalSpacing(10);
    grid->setContentsMargins(20, 52, 9, 9);
    grid->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    grid->addWidget(entry_label(tr("Wave Name:")), 0, 0);
    grid->addWidget(name_edit, 0, 1);
    grid->addWidget(entry_label(tr("Wave Length:")), 1, 0);
    grid->addWidget(length_frame, 1, 1);
    grid->addWidget(entry_label(tr("Frequency:")), 2, 0);
    grid->addWidget(frequency_frame, 2, 1);
}

void ui_wv_property_form_t::init_style()
{
    setObjectName("normal_widget");
    ui->gpbx_wv_name->setObjectName("normal_gpbx");
    ui->gpbx_wv_preview->setObjectName("normal_gpbx");
    ui->gpbx_table->setObjectName("normal_gpbx");
    for (QPushButton *b : {ui->btn_dig, ui->btn_preview, ui->btn_ok, ui->btn_cancel, ui->btn_goto})
        b->setObjectName("normal_button");
    ui->tableWidget->setObjectName("normal_table_widget");
}

uint32 ui_wv_property_form_t::rows_per_page() const
{
    return std::min(page_size, wave_length);
}

QString ui_wv_property_form_t::get_wave_name() const
{
    return name_edit->get_wave_name();
}

void ui_wv_property_form_t::update_y_range()
{
    y_low = static_cast<double>(data->offset) - 0.5 * data->amp;
    y_high = static_cast<double>(data->offset) + 0.5 * data->amp;
}

QString ui_wv_property_form_t::name_prefix(const QString &name)
{
    const QByteArray utf8 = name.toUtf8();
    const int dash = utf8.indexOf('-');
    return dash < 0 ? QString() : QString::fromUtf8(utf8.left(dash + 1));
}

QString ui_wv_property_form_t::name_postfix(const QString &name)
{
    const QByteArray utf8 = name.toUtf8();
    const int dash = utf8.indexOf('-');
    return dash < 0 ? name : QString::fromUtf8(utf8.mid(dash + 1));
}

void ui_wv_property_form_t::set_name_prefix(const QString &text)
{
    name_edit->set_prefix_text(text);
}

void ui_wv_property_form_t::set_name_postfix(const QString &text)
{
    postfix_text = text;
    name_edit->set_posfix_text(text);
}

bool ui_wv_property_form_t::check_wave_name()
{
    static const QRegularExpression pattern("^[a-zA-Z0-9_-]{1,18}$");
    if (pattern.match(name_edit->get_posfix_text()).hasMatch())
        return true;
    ui_prompt_t prompt(this);
    prompt.show_info_box(tr("The waveform name is invalid. It can be composed of numbers, letters, underscores and "
                            "minus signs. The length is 1 ~ 18 and cannot contain spaces."),
                         false);
    name_edit->set_posfix_text(postfix_text);
    return false;
}

void ui_wv_property_form_t::set_wave_length(uint32 length)
{
    length_frame->set_max_value(length);
    length_frame->dspinbox->setValue(length);
}

QString ui_wv_property_form_t::volts_text(short int sample) const
{
    return QString::number(static_cast<double>(sample_to_volt(sample, data->amp, data->offset)), 'f', 6);
}

void ui_wv_property_form_t::write_row(int row, uint32 index, short int sample)
{
    QTableWidgetItem *pos = new QTableWidgetItem(QString::number(index));
    pos->setFlags(Qt::ItemIsEditable);
    ui->tableWidget->setItem(row, 0, pos);
    ui->tableWidget->setItem(row, 1, new QTableWidgetItem(volts_text(sample)));
}

void ui_wv_property_form_t::connect_table(bool on)
{
    if (on)
        connect(ui->tableWidget, SIGNAL(cellChanged(int, int)), this, SLOT(point_table_slot_func(int, int)),
                Qt::UniqueConnection);
    else
        disconnect(ui->tableWidget, SIGNAL(cellChanged(int, int)), this, SLOT(point_table_slot_func(int, int)));
}

void ui_wv_property_form_t::fill_table()
{
    QTableWidget *table = ui->tableWidget;
    table->setColumnCount(2);
    table->setHorizontalHeaderLabels(QStringList() << tr("Positions") << tr("Value(V)"));
    table->verticalHeader()->setVisible(false);
    table->horizontalHeader()->setStyleSheet("color: rgb(0, 0, 0)");
    table->setColumnWidth(0, static_cast<int>(table->width() * 0.43));
    table->setColumnWidth(1, static_cast<int>(table->width() * 0.47));
    table->setSelectionMode(QAbstractItemView::ContiguousSelection);

    const uint32 c = rows_per_page();
    table->setRowCount(static_cast<int>(c));
    if (c == 0) {
        // No samples: no rows, no pages, and nothing to write back.
        for (ui_frame_t *f : {static_cast<ui_frame_t *>(index_frame), static_cast<ui_frame_t *>(page_frame)}) {
            f->set_min_value(1);
            f->set_max_value(1);
            f->set_spinbox_value(1);
            f->setEnabled(false);
        }
        current_page = 1;
        return;
    }
    std::vector<short int> block(c);
    const uint32 got = data->samples.read(0, block.data(), c);
    for (uint32 i = 0; i < c; ++i)
        write_row(static_cast<int>(i), i + 1, i < got ? block[i] : 0);
    index_frame->set_min_value(1);
    index_frame->set_max_value(wave_length);
    index_frame->set_spinbox_value(1);
    page_frame->set_min_value(1);
    page_frame->set_max_value(static_cast<double>((uint64(wave_length) + c - 1) / c));
    page_frame->spinbox_int->setValue(1);
    connect_table(true);
}

void ui_wv_property_form_t::show_page_of_index(uint32 a)
{
    const uint32 c = rows_per_page();
    if (c == 0 || a == 0)
        return;
    const uint64 h = uint64((a - 1) / c) * c + 1;
    const uint64 end = std::min<uint64>(h + c, uint64(wave_length) + 1);
    connect_table(false);
    std::vector<short int> block(c);
    const uint32 got = data->samples.read(static_cast<uint32>(h - 1), block.data(), c);
    QTableWidget *table = ui->tableWidget;
    for (uint32 i = 0; i < c; ++i) {
        if (uint64(i) == a - h)
            table->setCurrentCell(static_cast<int>(i), 1, QItemSelectionModel::ClearAndSelect);
        if (h + i < end) {
            write_row(static_cast<int>(i), static_cast<uint32>(h + i), i < got ? block[i] : 0);
            table->showRow(static_cast<int>(i));
        } else {
            table->hideRow(static_cast<int>(i));
        }
    }
    connect_table(true);
}

void ui_wv_property_form_t::set_page_of_index(uint32 index)
{
    const uint32 c = rows_per_page();
    if (c == 0)
        return;
    const int page = static_cast<int>((uint64(index) + c - 1) / c);
    disconnect(page_frame, SIGNAL(spinbx_value_changed(int)), this, SLOT(spinb_pram_change_slot_func(int)));
    page_frame->spinbox_int->setValue(page);
    current_page = page;
    connect(page_frame, SIGNAL(spinbx_value_changed(int)), this, SLOT(spinb_pram_change_slot_func(int)));
}

void ui_wv_property_form_t::set_index_of_page(int page)
{
    index_frame->set_spinbox_value(static_cast<double>((uint64(page) - 1) * rows_per_page() + 1));
}

uint32 ui_wv_property_form_t::row_to_index(int row) const
{
    const uint64 page = static_cast<uint64>(std::max(page_frame->spinbox_int->value(), 1));
    return static_cast<uint32>(uint64(std::max(row, 0)) + uint64(rows_per_page()) * (page - 1));
}

void ui_wv_property_form_t::preview()
{
    preview_plot.set_grid_show(true);
    preview_plot.set_yaxis_show(true);
    preview_plot.set_yleft_scale_clamped(static_cast<float>(y_low), static_cast<float>(y_high));
    plot_load_waveform(&preview_plot, data, wave_length, k_display_points);
}

void ui_wv_property_form_t::btn_slot_func()
{
    QObject *s = sender();
    if (s == ui->btn_ok) {
        if (check_wave_name())
            emit btn_info_signal(this, 3);
    } else if (s == ui->btn_cancel) {
        emit btn_info_signal(this, 2);
    } else if (s == ui->btn_preview) {
        preview();
        emit btn_info_signal(this, 4);
    } else if (s == ui->btn_goto) {
        const double i = index_frame->get_spinbox_value();
        if (i >= 1.0 && i <= static_cast<double>(wave_length)) {
            show_page_of_index(static_cast<uint32>(i));
            set_page_of_index(static_cast<uint32>(i));
        }
    } else if (s == ui->btn_dig) {
        emit btn_info_signal(this, 9);
    }
}

void ui_wv_property_form_t::spinb_pram_change_slot_func(double value)
{
    if (sender() == frequency_frame)
        frequency = static_cast<float>(value);
}

void ui_wv_property_form_t::spinb_pram_change_slot_func(int p)
{
    if (sender() != page_frame || p == current_page || rows_per_page() == 0 || p < 1)
        return;
    current_page = p;
    show_page_of_index(static_cast<uint32>((uint64(p) - 1) * rows_per_page() + 1));
    set_index_of_page(p);
}

void ui_wv_property_form_t::wv_property_form_btn_slot_func(ui_wv_property_form_t *type, int32 btn)
{
    emit wv_property_form_btn_signal(type, btn);
}

void ui_wv_property_form_t::point_table_slot_func(int row, int column)
{
    const uint32 index = row_to_index(row);
    data_changed = true;
    if (column != 1 || row < 0 || index >= data->samples.size())
        return;
    QTableWidgetItem *item = ui->tableWidget->item(row, column);
    const QString text = item ? item->text() : QString();
    if (!text.isEmpty()) {
        bool ok = false;
        double v = text.toDouble(&ok);
        if (!ok)
            v = 0.0;
        data->samples.set(index, typed_sample(v, data->amp, data->offset));
        return;
    }
    // Sample 0 stands for the offset: the cell shows what the data now holds.
    connect_table(false);
    ui->tableWidget->setItem(row, 1, new QTableWidgetItem(volts_text(0)));
    connect_table(true);
    data->samples.set(index, 0);
}

void ui_wv_property_form_t::closeEvent(QCloseEvent *event)
{
    emit wv_property_form_btn_signal(this, 8);
    QWidget::closeEvent(event);
}

bool ui_wv_property_form_t::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == name_edit)
        return false;
    return QWidget::eventFilter(watched, event);
}
