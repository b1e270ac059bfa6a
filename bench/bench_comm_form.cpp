// The communication dialog against the command layer alone, over loopback to the
// simulator program (spawned directly), pauses skipped: a three-segment send of
// 41,943,041 points through the dialog's send against the same three instr_send_wave
// calls; the read-back of a 20,971,520-sample user waveform through the dialog against
// instr_read_wave_param and instr_read_wave; an "auto" import of a 20,000,000-point trace
// through the dialog against scope_read_waveform. The dialog adds its checks, the
// segment loop and (import) the copy into its own waveform.
#include "bench_peer.h"
#include "cfg_if_bswv_sine.h"
#include "drv_device_comm.h"
#include "instr_scope.h"
#include "instr_send_wv.h"
#include "instr_wave_list.h"
#include "lib_wv_data.h"
#include "plat_sleep.h"
#include "ui_comm_form.h"
#include "ui_comm_form_form.h"
#include "ui_coustom_comb.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr uint32 k_send_points = 2 * INSTR_SEGMENT_POINTS + 1;
constexpr uint32 k_read_points = INSTR_SEGMENT_POINTS;
constexpr uint32 k_trace_points = 20000000;
const char *const k_address = "127.0.0.2";
const std::string k_resource = std::string("TCPIP0::") + k_address + "::INSTR";

// The simulator program, spawned directly; the VISA layer is pointed at its portmapper.
class sim_t : public bench_peer_t
{
public:
    explicit sim_t(std::vector<std::string> args) : bench_peer_t(with_program(std::move(args)))
    {
        ::setenv("ONDRIX_VXI11_PORTMAPPER_PORT", std::to_string(port).c_str(), 1);
    }

private:
    static std::vector<std::string> with_program(std::vector<std::string> args)
    {
        args.insert(args.begin(), ONDRIX_INSTRUMENT_SIM_PROGRAM);
        return args;
    }
};

// A document's waveform object of n samples.
std::unique_ptr<cfg_if_wv_t> make_wave(uint32 n)
{
    auto w = std::make_unique<cfg_if_bswv_sine_t>();
    w->get_wv_data()->resize(n, 1234);
    w->set_wv_len(n);
    w->set_freq(10.0);
    w->set_clear_on_release(1);
    return w;
}

awg_prod_info_t generator(int model_class)
{
    awg_prod_info_t a;
    a.model_class = model_class;
    a.addr_res = k_resource;
    a.manufacturer = "Korvane";
    return a;
}

// The dialog with its row 0 selected and connected.
void select_and_connect(ui_comm_form_t &form)
{
    form.form()->instrument_table->setCurrentCell(0, 0);
    form.comm_table_slot_func(0, 0);
    form.connect_slot_func();
}

ViSession open_session()
{
    ViSession s = 0;
    drv_device_comm_t::get_instance()->open_instr(k_resource, s);
    return s;
}

// The three segments as the dialog sends them.
int32 send_direct(ViSession s, cfg_if_wv_t &w)
{
    for (int i = 1; i <= 3; ++i) {
        const int32 r = instr_send_wave(s, 0, *w.get_amp(), *w.get_offset(), *w.get_freq(),
                                        *w.get_freq() * k_send_points, *w.get_phase(), int(k_send_points), "big",
                                        *w.get_wv_data(), "/Local", 0, i, i < 3);
        if (r <= 0)
            return r;
    }
    return 1;
}

void BM_dialog_send(benchmark::State &state)
{
    sim_t sim({"--instrument", std::string(k_address) + "=generator:0", "--discard", "--timeouts", "fast"});
    std::unique_ptr<cfg_if_wv_t> w = make_wave(k_send_points);
    ui_instr_list_t list;
    list.set_awg_list({generator(0)});
    ui_comm_form_t form(nullptr, 0, &list, {w.get()}, {"Wave book1-big"}, 0);
    select_and_connect(form);
    form.send_wave();
    for (auto _ : state)
        if (form.send_wave() != 1)
            state.SkipWithError("dialog send failed");
    form.close_all_vi();
}

void BM_direct_send(benchmark::State &state)
{
    sim_t sim({"--instrument", std::string(k_address) + "=generator:0", "--discard", "--timeouts", "fast"});
    std::unique_ptr<cfg_if_wv_t> w = make_wave(k_send_points);
    const ViSession s = open_session();
    send_direct(s, *w);
    for (auto _ : state)
        if (send_direct(s, *w) != 1)
            state.SkipWithError("direct send failed");
    drv_device_comm_t::get_instance()->close_instr(s);
}

// A generator holding the user waveform "big" of 20,971,520 samples.
struct keeper_t
{
    sim_t sim{{"--instrument", std::string(k_address) + "=generator:2", "--timeouts", "fast"}};
    keeper_t()
    {
        std::unique_ptr<cfg_if_wv_t> w = make_wave(k_read_points);
        const ViSession s = open_session();
        instr_send_wave(s, 0, 2.0f, 0.0f, 10.0, 10.0 * k_read_points, 0.0f, int(k_read_points), "big",
                        *w->get_wv_data(), "/Local", 2, 1, false);
        drv_device_comm_t::get_instance()->close_instr(s);
    }
};

void BM_dialog_read(benchmark::State &state)
{
    keeper_t keeper;
    ui_instr_list_t list;
    list.set_awg_list({generator(2)});
    ui_comm_form_t form(nullptr, 1, &list);
    select_and_connect(form);
    form.wave_list_combo->setCurrentText("user:big");
    form.read_wave();
    for (auto _ : state)
        if (form.read_wave() != 0 || *form.get_wave()->get_wv_len() != k_read_points)
            state.SkipWithError("dialog read failed");
    form.close_all_vi();
}

void BM_layer_read(benchmark::State &state)
{
    keeper_t keeper;
    const ViSession s = open_session();
    lib_wv_data_t<short int> dest;
    auto once = [&] {
        float f = 0, a = 0, o = 0, p = 0;
        return instr_read_wave_param(s, 2, f, a, o, p) >= 0 && instr_read_wave(s, 2, "USER,big", dest) >= 0;
    };
    once();
    for (auto _ : state)
        if (!once() || dest.samples.size() != k_read_points)
            state.SkipWithError("read failed");
    drv_device_comm_t::get_instance()->close_instr(s);
}

std::vector<std::string> scope_args()
{
    return {"--instrument", std::string(k_address) + "=scope:2", "--trace-points", std::to_string(k_trace_points),
            "--timeouts", "fast"};
}

void BM_dialog_import(benchmark::State &state)
{
    sim_t sim(scope_args());
    ui_instr_list_t list;
    scope_prod_info_t scope;
    scope.addr_res = k_resource;
    list.set_scope_list({scope});
    ui_comm_form_t form(nullptr, 2, &list);
    select_and_connect(form);
    form.import_scope_wave();
    for (auto _ : state)
        if (form.import_scope_wave() != 0 || *form.get_wave()->get_wv_len() != k_trace_points)
            state.SkipWithError("dialog import failed");
    form.close_all_vi();
}

void BM_layer_import(benchmark::State &state)
{
    sim_t sim(scope_args());
    const ViSession s = open_session();
    lib_wv_data_t<short int> record;
    instr_scope_t scope;
    scope.scope_read_waveform(s, 0, record);
    for (auto _ : state)
        if (scope.scope_read_waveform(s, 0, record) != 0 || record.samples.size() != k_trace_points)
            state.SkipWithError("import failed");
    drv_device_comm_t::get_instance()->close_instr(s);
}

} // namespace

BENCHMARK(BM_dialog_send)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_direct_send)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_dialog_read)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_layer_read)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_dialog_import)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_layer_import)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::signal(SIGPIPE, SIG_IGN);
    plat_set_sleep_hook([](std::uint32_t) {});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
