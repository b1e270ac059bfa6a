#pragma once
// The communication dialog against simulated USB instruments: a list the dialog copies,
// documents' waveform objects for send mode, and the clicks a user makes on the table.
#include "cfg_if_bswv_sine.h"
#include "ui_comm_form.h"
#include "ui_comm_form_form.h"
#include "ui_coustom_btn.h"
#include "ui_coustom_comb.h"
#include "ui_coustom_rdbtn.h"
#include "ui_meta_types.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "instrument_env.h"
#include "prompt_script.h"

class CommFormTest : public testing::Test
{
protected:
    void SetUp() override { ui_register_meta_types(); }
    void TearDown() override { delete form.data(); }

    // A generator of the model class on USB; its record goes into the list.
    int add_gen(int model_class, const std::string &extra = "")
    {
        awg_prod_info_t a;
        a.model_class = model_class;
        a.addr_res = env.add_usb(sim_generator_profile(static_cast<unsigned>(model_class)),
                                 "G" + std::to_string(serials++));
        a.manufacturer = "Korvane";
        a.model = sim_generator_product(static_cast<unsigned>(model_class));
        a.serial_number = "SN" + std::to_string(awgs.size());
        a.extra = extra;
        awgs.push_back(a);
        list.set_awg_list(awgs);
        return static_cast<int>(awgs.size()) - 1;
    }
    int add_scope(int channels)
    {
        scope_prod_info_t s;
        s.addr_res = env.add_usb(sim_scope_profile(channels), "S" + std::to_string(serials++));
        s.manufacturer = "Korvane";
        s.model = "OVT" + std::to_string(channels);
        s.serial_number = "SC" + std::to_string(scopes.size());
        scopes.push_back(s);
        list.set_scope_list(scopes);
        return static_cast<int>(scopes.size()) - 1;
    }
    sim_engine_t &engine(std::size_t i) { return *env.engine(i); }

    // A document's waveform object with n samples (a ramp of codes) and its parameters.
    cfg_if_wv_t *add_doc(uint32 n, double freq = 1000.0, float amp = 2.0f, float phase = 0.0f)
    {
        auto w = std::make_unique<cfg_if_bswv_sine_t>();
        std::vector<short int> s(std::min<uint32>(n, 1u << 20));
        for (std::size_t i = 0; i < s.size(); ++i)
            s[i] = static_cast<short int>(int(i * 37 % 4000) - 2000);
        if (n <= s.size())
            w->get_wv_data()->samples.write(0, s.data(), n);
        else
            w->get_wv_data()->resize(n, 123);
        w->set_wv_len(n);
        w->set_freq(freq);
        w->set_amp(amp);
        w->set_phase(phase);
        w->set_clear_on_release(1);
        docs.push_back(std::move(w));
        return docs.back().get();
    }

    ui_comm_form_t *open_send(const QStringList &titles, int index = 0)
    {
        QList<cfg_if_wv_t *> waves;
        for (auto &d : docs)
            waves << d.get();
        form = new ui_comm_form_t(nullptr, 0, &list, waves, titles, index);
        form->show();
        return form;
    }
    // Send mode offers the documents added so far.
    ui_comm_form_t *open(int mode)
    {
        if (mode == 0) {
            QStringList titles;
            for (std::size_t i = 0; i < docs.size(); ++i)
                titles << QString("Wave book%1-doc%1").arg(i + 1);
            return open_send(titles);
        }
        form = new ui_comm_form_t(nullptr, mode, &list);
        form->show();
        return form;
    }

    QTableWidget *table() { return form->form()->instrument_table; }
    void press_row(int row)
    {
        const QRect r = table()->visualItemRect(table()->item(row, 0));
        QTest::mousePress(table()->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
        QTest::mouseRelease(table()->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    }
    void connect_row(int row)
    {
        press_row(row);
        QTest::mouseClick(form->form()->btn_connect, Qt::LeftButton);
    }
    // The visible indicators: row number and colour ("green"/"red").
    std::vector<std::pair<int, std::string>> indicators()
    {
        std::vector<std::pair<int, std::string>> out;
        for (int i = 0; i < 6; ++i) {
            QPushButton *b = form->form()->show_btn[i];
            if (!b->isHidden())
                out.push_back({i, b->styleSheet().contains("0, 255, 0") ? "green" : "red"});
        }
        return out;
    }

    instrument_env_t env;
    prompt_script_t prompts;
    ui_instr_list_t list;
    std::vector<awg_prod_info_t> awgs;
    std::vector<scope_prod_info_t> scopes;
    std::vector<std::unique_ptr<cfg_if_wv_t>> docs;
    QPointer<ui_comm_form_t> form;
    int serials = 0;
};
