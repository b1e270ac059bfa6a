#pragma once
#include "lib_types.h"

#include <QList>
#include <QPointF>
#include <QWidget>

class Ui_ui_point_table_form_t;

// "Edit Points by Table": the drawing tool's editing points as (position from 1, volts)
// rows. It edits its own copy; OK (3) and Cancel (2) go out through
// point_table_form_btn_signal and the document window applies the copy.
class ui_point_table_form_t : public QWidget
{
    Q_OBJECT
public:
    explicit ui_point_table_form_t(QWidget *parent = nullptr);
    ~ui_point_table_form_t() override;

    // Raw points (x sample index, y raw int16 value) shown in volts; shows the window.
    void load_points(QList<QPointF> raw_points, float amp, float offset);
    void set_wave_length(uint32 length) { wave_length = length; }
    uint32 get_wave_length() const { return wave_length; }
    // The position (column 0) of the current row; 0 without a current row.
    int get_current_position() const;
    uint32 get_max_points() const { return max_points; }

    double check_point(int row, int column);
    void add_point();
    void remove_point();
    QPointF get_free_point() const;
    void set_position_cell(int row, int position);
    void set_volts_cell(int row, float volts);
    void set_header_labels();

    // The edited rows: x = position (from 1), y = volts.
    const QList<QPointF> &get_points() const { return points; }
    bool is_loaded() const { return loaded; }

signals:
    void btn_info_signal(ui_point_table_form_t *type, int32 btn);
    void point_table_form_btn_signal(ui_point_table_form_t *type, int32 btn);

public slots:
    void insert_point_slot_func();
    void delete_point_slot_func();
    void point_table_slot_func(int row, int column);
    void btn_slot_func();
    void point_table_form_btn_slot_func(ui_point_table_form_t *type, int32 btn);

protected:
    void closeEvent(QCloseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    bool row_selected(int row) const;
    void show_position_box(const QString &text);

protected:
    // The drawing tool derives from this window and works on the same rows.
    Ui_ui_point_table_form_t *ui;
    QList<QPointF> points;
    bool loaded;
    uint32 wave_length;
    uint32 max_points;
};

// Information box "The maximum number of points is <limit>." with the given parent.
void show_max_points_message(uint32 limit, QWidget *parent);
