// The instrument tree's periodic costs with six generators and six oscilloscopes found:
// the main window's one-second status-bar tick, and a device-change refresh when the
// number of USB instruments stayed the same against one bare VISA search. The
// instruments are simulated in process and every pause is skipped: pauses are fixed
// waits, not work.
#include "drv_device_comm.h"
#include "sim_engine.h"
#include "sim_visa_env.h"
#include "ui_comm_tree_form.h"
#include "ui_ondrix.h"

#include <QApplication>
#include <QLineEdit>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Six generators and six oscilloscopes on USB, for as long as it lives.
struct fleet_t
{
    fleet_t()
    {
        for (int i = 0; i < 6; ++i) {
            env.backend().add_usb(std::make_shared<sim_engine_t>(sim_generator_profile(2)));
            env.backend().add_usb(std::make_shared<sim_engine_t>(sim_scope_profile(4)));
        }
    }
    sim_visa_env_t env;
};

void BM_status_tick(benchmark::State &state)
{
    fleet_t fleet;
    ui_ondrix_t window;
    window.timer_refresh_commtree_slot_func();
    if (window.awg_edit()->text() != "AWG: available(6)" ||
        window.scope_edit()->text() != "Oscilloscope: available(6)") {
        state.SkipWithError("the instruments were not identified");
        return;
    }
    for (auto _ : state)
        window.timer_refresh_commtree_slot_func();
}

void BM_refresh_same_count(benchmark::State &state)
{
    fleet_t fleet;
    ui_comm_tree_form_t tree;
    if (tree.get_instr_list()->get_awg_list()->size() != 6) {
        state.SkipWithError("the instruments were not identified");
        return;
    }
    for (auto _ : state)
        tree.refresh_commtree(3);
}

void BM_bare_search(benchmark::State &state)
{
    fleet_t fleet;
    drv_device_comm_t *comm = drv_device_comm_t::get_instance();
    for (auto _ : state) {
        std::vector<std::string> found;
        comm->find_usb_resources(found);
        benchmark::DoNotOptimize(found.data());
    }
}

} // namespace

BENCHMARK(BM_status_tick)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_refresh_same_count)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_bare_search)->Unit(benchmark::kMicrosecond)->UseRealTime();

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
