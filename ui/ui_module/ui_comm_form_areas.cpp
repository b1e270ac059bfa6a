// The communication dialog's "Parameter Settings" and "Channel Selection" areas: what
// each mode and generator model class shows, the storage slots and location, and the
// channels that may be chosen.
#include "ui_comm_form.h"

#include "cfg_instr_limit.h"
#include "instr_scope.h"
#include "ui_comm_form_form.h"
#include "ui_coustom_comb.h"
#include "ui_coustom_label.h"
#include "ui_coustom_rdbtn.h"

#include <QGridLayout>
#include <cstdlib>

namespace {

// The number the two characters after the last '-' of an identity's extra field start
// with; false when there is no '-'.
bool extra_number(const std::string &extra, int &number)
{
    const std::size_t dash = extra.rfind('-');
    if (dash == std::string::npos)
        return false;
    number = std::atoi(extra.substr(dash + 1, 2).c_str());
    return true;
}

} // namespace

void ui_comm_form_t::create_param_area()
{
    QWidget *box = ui->gpbx_param_settings;
    wave_list_label = new ui_coustom_label_t(tr("Wave List:"), box);
    store_location_label = new ui_coustom_label_t(tr("Store Location:"), box);
    points_label = new ui_coustom_label_t(tr("Points:"), box);
    auto combo = [box](int width) {
        auto *c = new ui_coustom_comb_t(box);
        c->setFixedSize(width, 31);
        return c;
    };
    wave_combo = combo(291);
    local_store_combo = combo(291);
    arb10_combo = combo(291);
    arb_combo = combo(291);
    wave_list_combo = combo(630);
    points_combo = combo(654);
    local_store_combo->addItem("/Local");
    for (int i = 0; i < 10; ++i)
        arb10_combo->addItem("ARB" + QString::number(i + 1), i);
    fill_arb_combo(32);
    const char *points[] = {"auto", "16K", "32K", "512K"};
    for (int i = 0; i < 4; ++i)
        points_combo->addItem(points[i], i);
    points_combo->setCurrentIndex(0);

    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(10, 4, 0, 0);
    grid->setSpacing(12);
    grid->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(wave_list_label, 0, 0);
    grid->addWidget(points_label, 0, 0);
    grid->addWidget(wave_combo, 0, 1);
    grid->addWidget(wave_list_combo, 0, 1);
    grid->addWidget(points_combo, 0, 1);
    grid->addWidget(store_location_label, 0, 2);
    grid->addWidget(local_store_combo, 0, 3);
    grid->addWidget(arb10_combo, 0, 3);
    grid->addWidget(arb_combo, 0, 3);
    update_param_area();
}

void ui_comm_form_t::create_channel_area()
{
    QWidget *box = ui->gpbx_ch_selection;
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(10);
    grid->setHorizontalSpacing(110);
    grid->setAlignment(Qt::AlignCenter);
    for (int i = 0; i < 8; ++i) {
        ch_rdbtns[i] = new ui_coustom_rdbtn_t("CH" + QString::number(i + 1), box);
        grid->addWidget(ch_rdbtns[i], i / 4, i % 4);
    }
    digital_rdbtn = new ui_coustom_rdbtn_t("DIGITAL", box);
    grid->addWidget(digital_rdbtn, 1, 4);
    channel = 0;
    update_channel_buttons();
}

void ui_comm_form_t::update_param_area()
{
    const int model = instr_info.model_class;
    auto show_common = [this] {
        wave_list_label->show();
        wave_combo->show();
        store_location_label->show();
    };
    if (model >= 0 && model <= 5) {
        show_common();
        local_store_combo->show();
        arb10_combo->hide();
        arb_combo->hide();
    } else if (model == 6) {
        show_common();
        local_store_combo->hide();
        arb10_combo->hide();
        arb_combo->show();
    } else if (model == 7 || model == 8) {
        show_common();
        local_store_combo->hide();
        arb10_combo->show();
        arb_combo->hide();
    }
    if (mode == 0) {
        wave_list_label->show();
        wave_list_combo->hide();
        points_label->hide();
        points_combo->hide();
    } else if (mode == 1) {
        wave_list_label->show();
        wave_list_combo->show();
        for (QWidget *w : std::initializer_list<QWidget *>{wave_combo, store_location_label, local_store_combo,
                                                           arb10_combo, arb_combo, points_label, points_combo})
            w->hide();
    } else if (mode == 2) {
        points_label->show();
        points_combo->show();
        for (QWidget *w : std::initializer_list<QWidget *>{wave_list_label, wave_combo, wave_list_combo,
                                                           store_location_label, local_store_combo, arb10_combo,
                                                           arb_combo})
            w->hide();
    }
    update_wave_list();
}

void ui_comm_form_t::fill_arb_combo(int n)
{
    if (arb_combo->count() == n || (n != 4 && n != 32))
        return;
    disconnect(arb_combo, SIGNAL(activated(int)), this, SLOT(combx_slot_func(int)));
    arb_combo->clear();
    for (int i = 0; i < n; ++i)
        arb_combo->addItem("ARB" + QString::number(i + 1), i);
    connect(arb_combo, SIGNAL(activated(int)), this, SLOT(combx_slot_func(int)), Qt::UniqueConnection);
    arb_combo->setCurrentIndex(0);
}

void ui_comm_form_t::update_arb_count(int row)
{
    if (!connected || mode != 0)
        return;
    const awg_prod_info_t record = get_awg_record(row);
    int number = 0;
    if (record.model_class == 6 && extra_number(record.extra, number))
        fill_arb_combo(number > 34 ? 32 : 4);
}

void ui_comm_form_t::update_store_location()
{
    const int model = instr_info.model_class;
    if (model >= 0 && model <= 5)
        store_location = local_store_combo->currentText();
    else if (model == 6)
        store_location = "ARB" + QString::number(arb_combo->currentIndex() + get_arb_base());
    else if (model == 7 || model == 8)
        store_location = "ARB" + QString::number(arb10_combo->currentIndex() + 50);
}

int ui_comm_form_t::get_arb_base()
{
    int number = 0;
    if (!extra_number(get_awg_record(ui->instrument_table->currentRow()).extra, number))
        return 50;
    return number >= 35 ? 36 : 1;
}

void ui_comm_form_t::update_channel_buttons()
{
    if (mode == 2) {
        for (ui_coustom_rdbtn_t *b : ch_rdbtns)
            b->setEnabled(true);
        digital_rdbtn->setEnabled(false);
        // Only the selected row's own session is asked: another row's instrument may
        // have a different number of channels.
        int count = 2;
        if (connected && session != 0) {
            instr_scope_t scope;
            count = scope.scope_get_channel_count(session);
        }
        const int first_disabled = count == 2 ? 2 : count == 4 ? 4 : 8;
        for (int i = first_disabled; i < 8; ++i)
            ch_rdbtns[i]->setEnabled(false);
        return;
    }
    ch_rdbtns[0]->setEnabled(true);
    ch_rdbtns[1]->setEnabled(true);
    for (int i = 2; i < 8; ++i)
        ch_rdbtns[i]->setEnabled(false);
    digital_rdbtn->setEnabled(false);
    if (instr_get_ch_count(static_cast<instr_zqw_t>(instr_info.model_class)) == 1) {
        ch_rdbtns[0]->setChecked(true);
        ch_rdbtns[1]->setEnabled(false);
        // The checked button is the channel sent to: a one-channel generator has no CH2.
        channel = 0;
    }
}

void ui_comm_form_t::update_digital_button(int row)
{
    auto fallback = [this] {
        if (digital_rdbtn->isChecked()) {
            digital_rdbtn->setChecked(false);
            ch_rdbtns[0]->setChecked(true);
            channel = 0;
        }
        digital_rdbtn->setEnabled(false);
    };
    if (!connected)
        fallback();
    if (get_awg_record(row).model_class == 1 && mode == 0)
        digital_rdbtn->setEnabled(true);
    else
        fallback();
}
