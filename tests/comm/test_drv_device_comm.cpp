#include "comm_test_util.h"
#include "usb_tmc.h"

#include <cmath>
#include <limits>

namespace {

int32 write_text(drv_device_comm_t *comm, ViSession s, const std::string &text)
{
    return comm->write_cmd(s, text.data(), uint32(text.size()));
}

} // namespace

using DrvDeviceComm = comm_test_t;

TEST_F(DrvDeviceComm, OneChannelForTheProcess)
{
    EXPECT_EQ(drv_device_comm_t::get_instance(), comm);
}

TEST_F(DrvDeviceComm, SearchAppendsUsbResourcesInOrder)
{
    std::string a, b, c;
    add_usb(sim_generator_profile(2), &a);
    add_usb(sim_scope_profile(4), &b);
    env.backend().add_tcpip(std::make_shared<sim_engine_t>(sim_other_profile()), "10.1.1.1");
    add_usb(sim_other_profile(), &c);

    std::vector<std::string> list;
    EXPECT_EQ(comm->find_usb_resources(list), 1);
    EXPECT_EQ(list, (std::vector<std::string>{a, b, c}));
    EXPECT_EQ(comm->find_usb_resources(list), 1);
    EXPECT_EQ(list, (std::vector<std::string>{a, b, c, a, b, c}));
    EXPECT_TRUE(pauses().empty());
}

TEST_F(DrvDeviceComm, FailedSearchKeepsTheListAndStopsTheReopen)
{
    auto engine = std::make_shared<sim_engine_t>(sim_generator_profile(2));
    std::string name = env.backend().add_tcpip(engine, "10.1.1.2");
    ViSession s = 0;
    ASSERT_GE(comm->open_instr(name, s), VI_SUCCESS);

    std::vector<std::string> list = {"kept"};
    EXPECT_EQ(comm->find_usb_resources(list), 101);
    EXPECT_EQ(list, std::vector<std::string>{"kept"});
    EXPECT_EQ(comm->reopen_rm(), VI_ERROR_RSRC_NFOUND);
    // Nothing was reopened: the session still works.
    EXPECT_EQ(write_text(comm, s, "*IDN?"), 1);
    comm->close_instr(s);
}

TEST_F(DrvDeviceComm, ReopenAfterASearchClosesEverySession)
{
    std::string name;
    add_usb(sim_generator_profile(2), &name);
    ViSession s = 0;
    ASSERT_GE(comm->open_instr(name, s), VI_SUCCESS);
    std::vector<std::string> list;
    ASSERT_EQ(comm->find_usb_resources(list), 1);
    EXPECT_EQ(comm->reopen_rm(), 1);
    EXPECT_EQ(write_text(comm, s, "*IDN?"), 0);
    ViSession again = 0;
    EXPECT_GE(comm->open_instr(name, again), VI_SUCCESS);
    EXPECT_EQ(write_text(comm, again, "*IDN?"), 1);
    EXPECT_EQ(env.journal().of_kind(sim_journal_entry_t::CLOSE).size(), 1u);
}

TEST_F(DrvDeviceComm, EveryWritePausesWhateverItsOutcome)
{
    std::shared_ptr<sim_engine_t> engine;
    ViSession s = connect(sim_generator_profile(2), &engine);
    EXPECT_EQ(write_text(comm, 0, "*IDN?"), 0);
    EXPECT_EQ(write_text(comm, s, "*IDN?"), 1);
    engine->faults().refuse_write = "PROD?";
    EXPECT_EQ(write_text(comm, s, "PROD?"), 0);
    EXPECT_EQ(pauses(), (std::vector<uint32>{100, 100, 100}));
    // The pause follows the write.
    auto j = env.journal().entries();
    ASSERT_GE(j.size(), 3u);
    EXPECT_EQ(j[0].kind, sim_journal_entry_t::PAUSE);
    EXPECT_EQ(j[1].kind, sim_journal_entry_t::WRITE);
    EXPECT_EQ(j[2].kind, sim_journal_entry_t::PAUSE);
}

TEST_F(DrvDeviceComm, ReadCountsOnlyWholeReplies)
{
    ViSession s = connect(sim_generator_profile(2));
    char buf[256];
    write_text(comm, s, "*IDN?");
    EXPECT_EQ(comm->read_data(s, buf, 256), 31);
    EXPECT_EQ(std::string(buf, 31), "Korvane,ZQWR120V,SIM1002,1.2.3\n");
    EXPECT_EQ(comm->read_data(s, buf, 256), -1); // nothing more comes
    write_text(comm, s, "*IDN?");
    EXPECT_EQ(comm->read_data(s, buf, 10), -1); // longer than the capacity
    EXPECT_EQ(comm->read_data(0, buf, 10), -1);
}

TEST_F(DrvDeviceComm, TimeoutIsSetAndReadPerSession)
{
    ViSession s = connect(sim_generator_profile(2));
    EXPECT_EQ(comm->get_timeout(s), 2000u);
    EXPECT_EQ(comm->set_timeout(s, 60000), VI_SUCCESS);
    EXPECT_EQ(comm->get_timeout(s), 60000u);
    EXPECT_EQ(timeouts(), std::vector<uint32>{60000});
    EXPECT_LT(comm->set_timeout(0, 1), VI_SUCCESS);
    EXPECT_EQ(comm->get_timeout(0), 0u);
}

TEST_F(DrvDeviceComm, BadResourceNamesFailToOpen)
{
    for (const char *name : {"", "nonsense", "USB0::0x1234::0x5678::NONE::INSTR", "TCPIP0::1.2.3.4::INSTR"}) {
        ViSession s = 0;
        EXPECT_LT(comm->open_instr(name, s), VI_SUCCESS) << name;
        EXPECT_EQ(s, 0u);
    }
}

TEST_F(DrvDeviceComm, SleepTruncatesToWholeMilliseconds)
{
    const struct {
        double ms;
        uint32 paused;
    } cases[] = {
        {99.9, 99}, {100, 100}, {0.4, 0}, {-5, 0}, {std::nan(""), 0}, {1e15, 2147483647u},
    };
    for (const auto &c : cases)
        comm->sleep_ms(c.ms);
    std::vector<uint32> expected;
    for (const auto &c : cases)
        expected.push_back(c.paused);
    EXPECT_EQ(pauses(), expected);
}

TEST_F(DrvDeviceComm, CloseAllOfStaleSessionsFailsCleanly)
{
    UsbTmc tmc;
    EXPECT_EQ(tmc.open_default_rm(), 1);
    EXPECT_EQ(tmc.close_all(0xFFFFFFF0u), 0);
    // Now both closes fail, and their codes sum past the 32-bit range.
    EXPECT_EQ(tmc.close_all(0xFFFFFFF0u), 0);
}
