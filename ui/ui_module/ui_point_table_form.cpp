#include "ui_point_table_form.h"

#include "ui_app_paths.h"
#include "ui_meta_types.h"
#include "ui_prompt.h"
#include "ui_ui_point_table_form.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QHeaderView>
#include <QMenu>
#include <QSet>

#include <cmath>

namespace {

// Whole-number position of an entry; entries hold positions 1 .. 2^32 at most.
qint64 position_of(const QPointF &p)
{
    double x = p.x();
    if (!(x > 0.0))
        return 0;
    if (x > 4294967296.0)
        return 4294967296LL;
    return static_cast<qint64>(x);
}

int position_cell_value(const QPointF &p)
{
    qint64 v = position_of(p);
    return v > 2147483647 ? 2147483647 : static_cast<int>(v);
}

} // namespace

void show_max_points_message(uint32 limit, QWidget *parent)
{
    // The source text ends in a blank; exactly one blank separates text and number.
    QString text =
        QCoreApplication::translate("ui_point_table_form_t", "The maximum number of points is ");
    while (text.endsWith(' '))
        text.chop(1);
    ui_prompt_t prompt(parent);
    prompt.show_info_box(text + " " + QString::number(limit) + ".", false);
}

ui_point_table_form_t::ui_point_table_form_t(QWidget *parent)
    : QWidget(parent), ui(nullptr), loaded(false), wave_length(0), max_points(16384)
{
    ui_init_resources();
    ui_register_meta_types();
    ui = new Ui_ui_point_table_form_t;
    ui->setupUi(this);
    setWindowFlags((windowFlags() | Qt::Dialog) &
                   ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    setFixedSize(width(), height());
    setWindowModality(Qt::ApplicationModal);

    QTableWidget *table = ui->tableWidget;
    set_header_labels();
    table->verticalHeader()->setVisible(false);
    table->horizontalHeader()->setStyleSheet("color: rgb(0, 0, 0)");
    table->setColumnWidth(0, 80);
    table->setColumnWidth(1, 125);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui->rdbtnPoint->setChecked(true);
    ui->rdbtnTime->setEnabled(false);

    const QList<QAbstractButton *> buttons{ui->btnInsert, ui->btnDel,    ui->btnClr,
                                           ui->btnOK,     ui->btnCancel, ui->rdbtnTime,
                                           ui->rdbtnPoint};
    for (QAbstractButton *b : buttons)
        connect(b, SIGNAL(clicked()), this, SLOT(btn_slot_func()));
    connect(table, SIGNAL(cellChanged(int, int)), this, SLOT(point_table_slot_func(int, int)));
    connect(this, SIGNAL(btn_info_signal(ui_point_table_form_t *, int32)), this,
            SLOT(point_table_form_btn_slot_func(ui_point_table_form_t *, int32)));

    setObjectName("normal_widget");
    ui->gpbx_table->setObjectName("normal_gpbx");
    ui->gpbx_x_value->setObjectName("normal_gpbx");
    table->setObjectName("normal_table_widget");
    ui->btnInsert->setObjectName("normal_button");
    ui->btnDel->setObjectName("normal_button");
    ui->btnClr->setObjectName("normal_button");
    ui->btnOK->setObjectName("normal_button");
    ui->btnCancel->setObjectName("normal_button");
    ui->rdbtnTime->setObjectName("normal_rdbtn");
    ui->rdbtnPoint->setObjectName("normal_rdbtn");
}

ui_point_table_form_t::~ui_point_table_form_t()
{
    delete ui;
}

void ui_point_table_form_t::set_header_labels()
{
    ui->tableWidget->setHorizontalHeaderLabels(QStringList() << tr("Positions") << tr("Volts"));
}

void ui_point_table_form_t::set_position_cell(int row, int position)
{
    QTableWidget *table = ui->tableWidget;
    disconnect(table, SIGNAL(cellChanged(int, int)), this, SLOT(point_table_slot_func(int, int)));
    table->setItem(row, 0, new QTableWidgetItem(QString::number(position)));
    connect(table, SIGNAL(cellChanged(int, int)), this, SLOT(point_table_slot_func(int, int)));
}

void ui_point_table_form_t::set_volts_cell(int row, float volts)
{
    QTableWidget *table = ui->tableWidget;
    disconnect(table, SIGNAL(cellChanged(int, int)), this, SLOT(point_table_slot_func(int, int)));
    table->setItem(row, 1,
                   new QTableWidgetItem(QString::number(static_cast<double>(volts), 'f', 6)));
    connect(table, SIGNAL(cellChanged(int, int)), this, SLOT(point_table_slot_func(int, int)));
}

void ui_point_table_form_t::load_points(QList<QPointF> raw_points, float amp, float offset)
{
    QTableWidget *table = ui->tableWidget;
    points.clear();
    table->clear();
    set_header_labels();
    table->setRowCount(raw_points.size());
    table->setColumnCount(2);
    for (int i = 0; i < raw_points.size(); ++i) {
        const QPointF &raw = raw_points[i];
        double x = raw.x();
        int position = 1;
        if (x >= 2147483646.0)
            position = 2147483647;
        else if (x > 0.0)
            position = static_cast<int>(x) + 1;
        long double v = static_cast<long double>(raw.y()) / 65534.0L * amp + offset;
        float volts = static_cast<float>(v);
        set_position_cell(i, position);
        set_volts_cell(i, volts);
        points.append(QPointF(position, volts));
    }
    loaded = true;
    show();
}

void ui_point_table_form_t::show_position_box(const QString &text)
{
    ui_prompt_t prompt(this);
    prompt.show_info_box(text, false);
}

int ui_point_table_form_t::get_current_position() const
{
    const QTableWidget *table = ui->tableWidget;
    const QTableWidgetItem *item = table->item(table->currentRow(), 0);
    return item ? item->text().toInt() : 0;
}

double ui_point_table_form_t::check_point(int row, int column)
{
    QTableWidgetItem *item = ui->tableWidget->item(row, column);
    bool ok = false;
    double v = item ? item->text().toDouble(&ok) : 0.0;
    if (!ok)
        v = 0.0;
    if (row < 0 || row >= points.size())
        return v;
    if (column == 1) {
        points[row].setY(v);
        return v;
    }
    if (column != 0)
        return v;
    // NaN and infinities fail the range test too.
    if (!(v >= 1.0 && v <= static_cast<double>(wave_length))) {
        show_position_box(tr("The position of the point is out of range."));
        set_position_cell(row, position_cell_value(points[row]));
        return v;
    }
    qint64 p = static_cast<qint64>(v);
    for (const QPointF &entry : points) {
        if (position_of(entry) == p) {
            show_position_box(tr("The points can't be in the same position."));
            set_position_cell(row, position_cell_value(points[row]));
            return v;
        }
    }
    points[row].setX(static_cast<double>(p));
    return v;
}

void ui_point_table_form_t::point_table_slot_func(int row, int column)
{
    if (!loaded)
        return;
    QTableWidgetItem *item = ui->tableWidget->item(row, column);
    if (item && !item->text().isEmpty()) {
        check_point(row, column);
        return;
    }
    if (row < 0 || row >= points.size())
        return;
    if (column == 0) {
        set_position_cell(row, position_cell_value(points[row]));
    } else if (column == 1) {
        // What is shown is what is applied: an emptied Volts cell is 0 V.
        set_volts_cell(row, 0.0f);
        points[row].setY(0.0);
    }
}

QPointF ui_point_table_form_t::get_free_point() const
{
    QSet<qint64> taken;
    for (const QPointF &entry : points)
        taken.insert(position_of(entry));
    qint64 p = 1;
    while (taken.contains(p))
        ++p;
    return QPointF(static_cast<double>(p), 0.0);
}

bool ui_point_table_form_t::row_selected(int row) const
{
    QTableWidget *table = ui->tableWidget;
    QItemSelectionModel *sel = table->selectionModel();
    return sel && (sel->isSelected(table->model()->index(row, 0)) ||
                   sel->isSelected(table->model()->index(row, 1)));
}

void ui_point_table_form_t::add_point()
{
    QTableWidget *table = ui->tableWidget;
    QPointF entry = get_free_point();
    int position = position_cell_value(entry);
    int rows = table->rowCount();
    if (rows == 0) {
        points.prepend(entry);
        table->insertRow(0);
        set_position_cell(0, position);
        set_volts_cell(0, 0.0f);
        return;
    }
    if (static_cast<uint32>(rows) >= max_points) {
        show_max_points_message(max_points, this);
        return;
    }
    if (static_cast<uint32>(rows) >= wave_length) {
        show_max_points_message(wave_length, this);
        return;
    }
    int r = table->currentRow();
    if (r < 0)
        r = 0;
    int at = rows;
    if (row_selected(r)) {
        at = r;
        points.insert(qMin(r, points.size()), entry);
    } else {
        points.append(entry);
    }
    table->insertRow(at);
    set_position_cell(at, position);
    set_volts_cell(at, 0.0f);
}

void ui_point_table_form_t::remove_point()
{
    QTableWidget *table = ui->tableWidget;
    int rows = table->rowCount();
    if (rows == 0)
        return;
    int r = table->currentRow();
    if (r < 0)
        r = rows - 1;
    if (row_selected(r)) {
        if (r < points.size())
            points.removeAt(r);
        table->removeRow(r);
    } else {
        if (!points.isEmpty())
            points.removeLast();
        table->removeRow(rows - 1);
    }
}

void ui_point_table_form_t::insert_point_slot_func()
{
    add_point();
}

void ui_point_table_form_t::delete_point_slot_func()
{
    remove_point();
}

void ui_point_table_form_t::btn_slot_func()
{
    QObject *from = sender();
    if (from == ui->btnInsert) {
        add_point();
    } else if (from == ui->btnDel) {
        remove_point();
    } else if (from == ui->btnClr) {
        ui->tableWidget->clear();
        points.clear();
        set_header_labels();
        ui->tableWidget->setRowCount(0);
    } else if (from == ui->btnOK) {
        emit btn_info_signal(this, 3);
    } else if (from == ui->btnCancel) {
        emit btn_info_signal(this, 2);
    }
}

void ui_point_table_form_t::point_table_form_btn_slot_func(ui_point_table_form_t *type, int32 btn)
{
    emit point_table_form_btn_signal(type, btn);
}

void ui_point_table_form_t::closeEvent(QCloseEvent *event)
{
    loaded = false;
    QWidget::closeEvent(event);
}

void ui_point_table_form_t::contextMenuEvent(QContextMenuEvent *)
{
    QMenu menu(this);
    QAction *insert = menu.addAction(tr("Insert Row"));
    QAction *remove = menu.addAction(tr("Delete Row"));
    connect(insert, SIGNAL(triggered()), this, SLOT(insert_point_slot_func()));
    connect(remove, SIGNAL(triggered()), this, SLOT(delete_point_slot_func()));
    menu.exec(QCursor::pos());
}
