#pragma once
#include "awg_prod_info.h"
#include "lib_types.h"
#include "lib_wv_data.h"
#include "plat_visa.h"
#include "ui_instr_list.h"
#include "ui_instr_model_form.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <string>

class QCloseEvent;
class QContextMenuEvent;
class QMenu;
class cfg_if_wv_t;
class ui_coustom_btn_t;
class ui_coustom_comb_t;
class ui_coustom_label_t;
class ui_coustom_rdbtn_t;
struct Ui_ui_comm_form_t;

// Results of a transfer: 1 success, -20 to -37 a failure with a message of its own, -38
// memory exhausted (the main window's out-of-memory prompt).
typedef int32 ui_comm_ret_t;

// "Communication Settings": moves a waveform between the program and one instrument of
// its own copy of the instrument list. Mode 0 sends one of the open waveforms to a
// generator, 1 reads a stored waveform back, 2 imports an oscilloscope trace. Each table
// row keeps its own VISA session; Send, Read and Import use the selected row's. Reports
// 2 (Cancel), 6 (read) and 7 (imported) through comm_form_btn_signal; after 6 or 7 the
// receiver takes the dialog's waveform object (take_wave_object).
class ui_comm_form_t : public QWidget
{
    Q_OBJECT
public:
    static constexpr int k_rows = 6;
    static constexpr uint32 k_segment_points = 20971520;
    static constexpr uint32 k_512k_points = 524288;

    // Send mode: the open documents' waveform objects and titles, the current one's index.
    ui_comm_form_t(QWidget *parent, int mode, ui_instr_list_t *list, const QList<cfg_if_wv_t *> &wave_list,
                   const QStringList &titles, int index);
    // Read or import mode: the dialog builds its own waveform object to receive into.
    ui_comm_form_t(QWidget *parent, int mode, ui_instr_list_t *list);
    ~ui_comm_form_t() override;

    // Shows the indicator of the row; selects nothing.
    void set_res_row_sel(uint16 row) { update_row_state(row); }

    // Transfers.
    ui_comm_ret_t send_wave();
    ui_comm_ret_t read_wave();
    ui_comm_ret_t import_scope_wave();
    int32 resample_import_wave(lib_wv_data_t<short int> &record);
    void update_wave_list();
    void show_comm_ret_info(int code);
    void send_and_report();

    // Name and limit checks of a send.
    static QString wave_name_from_title(const QString &title);
    ui_comm_ret_t check_wave_name(std::string &name);
    ui_comm_ret_t check_send_param(int &model);
    void get_send_chunk_count(bool &more, int &count, int &remainder);
    int32 send_wave_chunk(int model, uint32 points, const std::string &name, lib_wv_data_t<short int> *data,
                          int segment, bool more);
    ui_comm_ret_t convert_wavedata(lib_wv_data_t<short int> *data, int unused, int segment);

    // Parameter and channel areas.
    void update_param_area();
    void fill_arb_combo(int n);
    void update_arb_count(int row);
    void update_store_location();
    int get_arb_base();
    void update_channel_buttons();
    void update_digital_button(int row);

    // Rows.
    void update_instr_table();
    void update_row_state(int row);
    void close_all_vi();
    awg_prod_info_t get_awg_record(int row);
    void connect_func(const QString &resource);
    void disconnect_func(const QString &resource);
    // The context menu's entries, for the row the table has current.
    void build_context_menu(QMenu &menu);

    // The object that received a read or import, handed to the caller once; null before
    // a successful transfer, in send mode and after the hand-over.
    cfg_if_wv_t *take_wave_object();
    bool is_handed_over() const { return handed_over; }
    cfg_if_wv_t *get_wave() const { return wave; }

    int get_mode() const { return mode; }
    void set_mode(int m) { mode = m; }
    int32 get_channel() const { return channel; }
    void set_channel(int32 ch) { channel = ch; }
    QString get_wave_name() const { return wave_name; }
    void set_wave_name(const QString &name) { wave_name = name; }
    QString get_store_location() const { return store_location; }
    void set_store_location(const QString &location) { store_location = location; }
    ViSession get_session() const { return session; }
    ViSession get_row_session(int row) const { return row_sessions.value(row); }
    void set_row_session(int row, ViSession s);
    bool is_row_connected(int row) const { return row_connected.value(row); }
    void set_row_connected(int row, bool flag);
    bool is_connected() const { return connected; }
    void set_connected(bool flag) { connected = flag; }
    QMap<QString, QString> *get_wave_map() { return &wave_map; }
    awg_prod_info_t get_instr_info() const { return instr_info; }
    void set_instr_info(const awg_prod_info_t &info) { instr_info = info; }
    ui_instr_list_t *get_instr_list() { return &instr_list; }
    Ui_ui_comm_form_t *form() const { return ui; }

    // The widgets the dialog creates itself.
    ui_coustom_comb_t *wave_combo;
    ui_coustom_comb_t *local_store_combo;
    ui_coustom_comb_t *arb10_combo;
    ui_coustom_comb_t *arb_combo;
    ui_coustom_comb_t *wave_list_combo;
    ui_coustom_comb_t *points_combo;
    ui_coustom_label_t *wave_list_label;
    ui_coustom_label_t *store_location_label;
    ui_coustom_label_t *points_label;
    ui_coustom_rdbtn_t *ch_rdbtns[8];
    ui_coustom_rdbtn_t *digital_rdbtn;
    ui_coustom_btn_t *send_btn;
    ui_coustom_btn_t *read_btn;
    ui_coustom_btn_t *import_btn;
    ui_coustom_btn_t *cancel_btn;

signals:
    void btn_info_signal(ui_comm_form_t *type, int32 btn);
    void comm_form_btn_signal(ui_comm_form_t *type, int32 btn);
    void system_info_signal(int32);

public slots:
    void comm_form_btn_slot_func(ui_comm_form_t *type, int32 btn);
    void connect_slot_func();
    void disconnect_slot_func();
    void btn_slot_func();
    void combx_slot_func(QString text);
    void combx_slot_func(int index);
    void comm_table_slot_func(int row, int column);

protected:
    void closeEvent(QCloseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void init_form(int mode, ui_instr_list_t *list);
    void create_areas();
    void create_param_area();
    void create_channel_area();
    void create_button_area();
    void update_button_visibility();
    void init_instr_table();
    void set_style_names();
    void reset_row_indicators();
    void load_wave_titles(const QStringList &titles, int index);
    void set_action_buttons(bool row_connected_now);
    // The table's current row when it holds an instrument (0 to 5, address not empty), else -1.
    int current_instrument_row() const;
    QString row_address(int row) const;
    ui_comm_ret_t read_result(int32 r, ui_comm_ret_t failure) const { return r == -2 ? -38 : failure; }

    cfg_if_wv_t *wave;
    QList<cfg_if_wv_t *> waves;
    Ui_ui_comm_form_t *ui;
    QMap<QString, QString> wave_map;
    int mode;
    int32 channel;
    QString wave_name;
    QString store_location;
    ViSession session;
    QList<ViSession> row_sessions;
    QList<bool> row_connected;
    bool connected;
    ui_instr_list_t instr_list;
    awg_prod_info_t instr_info;
    ui_instr_model_form_t instr_model_form;
    // Read and import modes: whether `wave` went to the main window.
    bool handed_over;
    // Whether the dialog built `wave` itself (and so deletes it unless handed over).
    bool owns_wave;
};
