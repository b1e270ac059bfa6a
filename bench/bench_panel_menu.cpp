// The Control Panel menu's rebuild on a device change, with four USB instruments found and
// the module present, against its own parts: one bare VISA search plus one detection of
// the module. The instruments are simulated in process and every pause is skipped. The
// detection is measured twice: answered at once (the rebuild's own cost shows) and through
// the device library's export, which scans this machine's USB bus.
#include "drv_device_comm.h"
#include "sim_engine.h"
#include "sim_visa_env.h"
#include "ui_device_detect.h"
#include "ui_ondrix.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

int module_present() { return 1; }

// Four USB instruments, and the module's detection answered at once (stub) or by the
// device library, for as long as it lives.
struct bench_env_t
{
    explicit bench_env_t(bool stub)
    {
        for (int i = 0; i < 2; ++i) {
            env.backend().add_usb(std::make_shared<sim_engine_t>(sim_generator_profile(2)));
            env.backend().add_usb(std::make_shared<sim_engine_t>(sim_scope_profile(4)));
        }
        previous = ui_set_device_detect(stub ? ui_device_detect_t(module_present) : ui_device_detect_t());
    }
    ~bench_env_t() { ui_set_device_detect(previous); }
    sim_visa_env_t env;
    ui_device_detect_t previous;
};

void BM_rebuild(benchmark::State &state)
{
    bench_env_t bench(state.range(0) != 0);
    ui_ondrix_t window;
    window.update_panel_menu();
    const int expected = 4 + ui_device_detected();
    if (window.commands.panel_menu->actions().size() != expected) {
        state.SkipWithError("the menu does not hold the instruments");
        return;
    }
    for (auto _ : state)
        window.update_panel_menu();
}

void BM_search_and_detect(benchmark::State &state)
{
    bench_env_t bench(state.range(0) != 0);
    // The same process state as the rebuild's: a main window (its threads and heap) exists.
    ui_ondrix_t window;
    drv_device_comm_t *comm = drv_device_comm_t::get_instance();
    for (auto _ : state) {
        std::vector<std::string> found;
        comm->find_usb_resources(found);
        benchmark::DoNotOptimize(found.data());
        benchmark::DoNotOptimize(ui_device_detected());
    }
}

} // namespace

// Argument: 1 answers the detection at once, 0 asks the device library.
BENCHMARK(BM_rebuild)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_search_and_detect)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond)->UseRealTime();

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
