// The USB-TMC backend's search, open and close against emulated instruments.
#include "visa_usb_fixture.h"

#include <umockdev.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

const std::string k_idn = sim_generator_profile(2).idn;

// A device with a vendor-specific interface only.
usb_device_config_t plain_device(int address)
{
    usb_device_config_t config;
    config.vendor_id = USBTMC_SIM_VENDOR_ID;
    config.product_id = 0x0999;
    config.serial = "PLAIN";
    config.address = address;
    usb_interface_config_t vendor;
    vendor.endpoints = {{0x01, 2, 512}, {0x82, 2, 512}};
    config.interfaces = {vendor};
    return config;
}

using VisaUsbtmcSearch = visa_usb_fixture_t;
using VisaUsbtmcOpen = visa_usb_fixture_t;

} // namespace

TEST_F(VisaUsbtmcSearch, ListsEachInstrumentByTheNameItOpensWith)
{
    struct case_t
    {
        const char *name;
        std::string serial;
        int interfaces_before;
        int address;
        std::string expected;
    };
    const case_t cases[] = {
        {"interface 0", "SIMUSB01", 0, 2, "USB0::0x3A7D::0x0210::SIMUSB01::INSTR"},
        {"interface 2", "SN-77", 2, 3, "USB0::0x3A7D::0x0210::SN-77::2::INSTR"},
        {"no serial string", "", 0, 5, "USB0::0x3A7D::0x0210::NOSERIAL-BUS001-ADDR005::INSTR"},
        {"serial that would split the name", "A::B C", 0, 4, "USB0::0x3A7D::0x0210::A__B_C::INSTR"},
    };
    for (const case_t &c : cases) {
        SCOPED_TRACE(c.name);
        usbtmc_emulated_config_t config = usbtmc_sim_instrument_t::instrument_config(c.serial, c.address);
        config.interfaces_before = c.interfaces_before;
        usbtmc_sim_instrument_t &instrument = plug(config);
        visa_usbtmc_backend_t usb;
        std::vector<std::string> found;
        usb.list_resources(found);
        EXPECT_EQ(found, std::vector<std::string>{c.expected});
        EXPECT_TRUE(instrument.wait_open_handles(0)) << "the search opens nothing";
        EXPECT_TRUE(instrument.control_log().empty());

        visa_rsrc_name_t name;
        ASSERT_TRUE(visa_parse_rsrc_name(c.expected.c_str(), name));
        std::unique_ptr<visa_session_t> session;
        ASSERT_EQ(usb.open(name, 0, session), VI_SUCCESS);
        EXPECT_EQ(instrument.claimed_interfaces(), std::multiset<std::uint8_t>{std::uint8_t(c.interfaces_before)});
        ViUInt32 n = 0;
        ASSERT_EQ(session->write(reinterpret_cast<const ViByte *>("*IDN?\n"), 6, n, 1000), VI_SUCCESS);
        ViByte reply[256];
        ASSERT_EQ(session->read(reply, sizeof reply, n, 1000), VI_SUCCESS);
        EXPECT_EQ(std::string(reinterpret_cast<char *>(reply), n), k_idn);
        session.reset();
        instrument.unplug();
    }
}

TEST_F(VisaUsbtmcSearch, FindsTheUsbtmcInstrumentsOnlyAndSeesLaterArrivals)
{
    auto plain = std::make_unique<usb_emulated_device_t>(bed, plain_device(7));
    plain->plug();
    start();
    EXPECT_TRUE(search().empty());
    plug(usbtmc_sim_instrument_t::instrument_config("SIMUSB01", 2));
    plug(usbtmc_sim_instrument_t::instrument_config("SIMUSB02", 3));
    std::vector<std::string> found;
    for (int i = 0; i < 200 && found.size() < 2; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        found = search();
    }
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{"USB0::0x3A7D::0x0210::SIMUSB01::INSTR",
                                               "USB0::0x3A7D::0x0210::SIMUSB02::INSTR"}));
}

// In a child process: the built-in backend lives as long as the process, and with it
// libusb's watch on the bus of the testbed it first saw.
TEST_F(VisaUsbtmcSearch, TheBuiltInBackendServesUsbResources)
{
    usbtmc_sim_instrument_t &instrument = plug();
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ViSession session_rm = 0, vi = 0;
        ViFindList list = 0;
        ViUInt32 count = 0;
        char desc[VI_FIND_BUFLEN] = {};
        if (viOpenDefaultRM(&session_rm) != VI_SUCCESS ||
            viFindRsrc(session_rm, "USB?*INSTR", &list, &count, desc) != VI_SUCCESS || count != 1 ||
            std::string(desc) != k_name)
            _exit(10);
        if (viOpen(session_rm, desc, 0, 0, &vi) != VI_SUCCESS || identity(vi) != k_idn)
            _exit(11);
        _exit(viClose(session_rm) == VI_SUCCESS ? 0 : 12);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "10 not listed, 11 no identity, 12 close failed";
    EXPECT_TRUE(instrument.wait_open_handles(0));
}

TEST_F(VisaUsbtmcOpen, ClaimsReadsCapabilitiesClearsHaltsAndReleasesAtClose)
{
    usbtmc_sim_instrument_t &instrument = plug();
    start();
    ViSession vi = open();
    EXPECT_EQ(instrument.claimed_interfaces(), std::multiset<std::uint8_t>{0});
    std::vector<usb_setup_t> setups = instrument.control_log();
    ASSERT_EQ(setups.size(), 1u);
    EXPECT_EQ(setups[0].request_type, 0xA1);
    EXPECT_EQ(setups[0].request, USBTMC_REQ_GET_CAPABILITIES);
    EXPECT_EQ(setups[0].length, USBTMC_CAPABILITIES_SIZE);
    EXPECT_EQ(instrument.clear_halt_log(), (std::vector<std::uint8_t>{0x02, 0x81}));
    EXPECT_EQ(identity(vi), k_idn);

    ASSERT_EQ(viClose(vi), VI_SUCCESS);
    EXPECT_TRUE(instrument.wait_open_handles(0));
    EXPECT_TRUE(instrument.claimed_interfaces().empty());
    EXPECT_EQ(instrument.release_log(), std::vector<std::uint8_t>{0});
}

TEST_F(VisaUsbtmcOpen, SessionsToOneInstrumentShareItsClaim)
{
    usbtmc_sim_instrument_t &instrument = plug();
    start();
    ViSession first = open();
    ViSession second = open();
    EXPECT_EQ(instrument.claim_log(), std::vector<std::uint8_t>{0});
    EXPECT_EQ(identity(second), k_idn);
    ASSERT_EQ(viClose(first), VI_SUCCESS);
    EXPECT_EQ(instrument.claimed_interfaces(), std::multiset<std::uint8_t>{0});
    EXPECT_EQ(identity(second), k_idn);
    ASSERT_EQ(viClose(second), VI_SUCCESS);
    EXPECT_TRUE(instrument.wait_open_handles(0));
    EXPECT_TRUE(instrument.claimed_interfaces().empty());
}

TEST_F(VisaUsbtmcOpen, TheKernelDriverIsDetachedAndGetsItsInterfaceBack)
{
    usbtmc_sim_instrument_t &instrument = plug();
    instrument.set_kernel_driver(0, "usbtmc", true);
    start();
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE("open " + std::to_string(round));
        ViSession vi = open();
        EXPECT_EQ(instrument.detach_log().size(), std::size_t(round));
        EXPECT_EQ(identity(vi), k_idn);
        ASSERT_EQ(viClose(vi), VI_SUCCESS);
        EXPECT_EQ(instrument.attach_log().size(), std::size_t(round));
    }
}

TEST_F(VisaUsbtmcOpen, RefusedOpensGiveANegativeStatusAndKeepNothingOpen)
{
    struct case_t
    {
        const char *name;
        std::string resource;
        void (*fault)(usbtmc_sim_instrument_t &);
        ViStatus status;
        bool logged;
    };
    // In this order: the last fault stays.
    const case_t cases[] = {
        {"unknown serial", "USB0::0x3A7D::0x0210::OTHER::INSTR", nullptr, VI_ERROR_RSRC_NFOUND, false},
        {"unknown product", "USB0::0x3A7D::0x0211::SIMUSB01::INSTR", nullptr, VI_ERROR_RSRC_NFOUND, false},
        {"no such interface", "USB0::0x3A7D::0x0210::SIMUSB01::1::INSTR", nullptr, VI_ERROR_RSRC_NFOUND, false},
        {"claimed elsewhere", k_name, [](usbtmc_sim_instrument_t &i) { i.set_claim_busy(true); },
         VI_ERROR_RSRC_BUSY, false},
        {"kernel driver that stays", k_name,
         [](usbtmc_sim_instrument_t &i) { i.set_kernel_driver(0, "usbtmc", false); }, VI_ERROR_RSRC_BUSY, true},
    };
    usbtmc_sim_instrument_t &instrument = plug();
    start();
    for (const case_t &c : cases) {
        SCOPED_TRACE(c.name);
        instrument.set_claim_busy(false);
        if (c.fault)
            c.fault(instrument);
        log.clear();
        ViSession vi = 12345;
        EXPECT_EQ(viOpen(rm, c.resource.c_str(), 0, 0, &vi), c.status);
        EXPECT_EQ(vi, 0u);
        EXPECT_EQ(log.size(), c.logged ? 1u : 0u);
        EXPECT_TRUE(instrument.wait_open_handles(0)) << "a refused open keeps nothing open";
        EXPECT_TRUE(instrument.claimed_interfaces().empty());
    }
}

TEST_F(VisaUsbtmcOpen, ClosingTheResourceManagerReleasesEveryInstrument)
{
    usbtmc_sim_instrument_t &a = plug(usbtmc_sim_instrument_t::instrument_config("SIMUSB01", 2));
    usbtmc_emulated_config_t second = usbtmc_sim_instrument_t::instrument_config("SIMUSB02", 3);
    second.interfaces_before = 1;
    usbtmc_sim_instrument_t &b = plug(second);
    a.set_kernel_driver(0, "usbtmc", true);
    start();
    open("USB0::0x3A7D::0x0210::SIMUSB01::INSTR");
    open("USB0::0x3A7D::0x0210::SIMUSB01::INSTR");
    open("USB0::0x3A7D::0x0210::SIMUSB02::1::INSTR");
    ASSERT_EQ(viClose(rm), VI_SUCCESS);
    rm = 0;
    EXPECT_TRUE(a.wait_open_handles(0));
    EXPECT_TRUE(b.wait_open_handles(0));
    EXPECT_TRUE(a.claimed_interfaces().empty());
    EXPECT_TRUE(b.claimed_interfaces().empty());
    EXPECT_EQ(a.attach_log(), std::vector<std::uint8_t>{0});

    // The reopened manager reaches both again.
    ASSERT_EQ(viOpenDefaultRM(&rm), VI_SUCCESS);
    EXPECT_EQ(search().size(), 2u);
    EXPECT_EQ(identity(open("USB0::0x3A7D::0x0210::SIMUSB02::1::INSTR")), k_idn);
}

// A user without write access to the device node: the search still lists the instrument,
// the open fails with VI_ERROR_NPERMISSION and one log line names the rule. The check
// runs in a child process that drops to "nobody" when the tests run as root.
TEST_F(VisaUsbtmcOpen, NoPermissionIsRefusedWithOneLogLineNamingTheRule)
{
    usbtmc_sim_instrument_t &instrument = plug();
    gchar *root_dir = umockdev_testbed_get_root_dir(bed.get());
    const std::string dir = root_dir;
    g_free(root_dir);
    const bool root = geteuid() == 0;
    // The testbed lets others in (libusb's bus watch makes its socket there); the node
    // itself only its owner, or nobody at all when the owner is not root (only root
    // passes over the permission bits).
    ASSERT_EQ(chmod(dir.c_str(), 0777), 0);
    ASSERT_EQ(chmod((dir + "/ioctl" + instrument.device_node()).c_str(), 0777), 0);
    ASSERT_EQ(chmod((dir + instrument.device_node()).c_str(), root ? 0600 : 0000), 0);

    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (root && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(10);
        std::vector<std::string> lines;
        visa_set_log_hook([&lines](const std::string &line) { lines.push_back(line); });
        visa_registry_t::instance().set_override(std::make_shared<visa_usbtmc_backend_t>());
        ViSession child_rm = 0, vi = 0;
        if (viOpenDefaultRM(&child_rm) != VI_SUCCESS)
            _exit(11);
        ViFindList list = 0;
        ViUInt32 count = 0;
        char desc[VI_FIND_BUFLEN] = {};
        if (viFindRsrc(child_rm, "USB?*INSTR", &list, &count, desc) != VI_SUCCESS || count != 1 ||
            std::string(desc) != k_name)
            _exit(12);
        if (viOpen(child_rm, k_name, 0, 0, &vi) != VI_ERROR_NPERMISSION || vi != 0)
            _exit(13);
        if (lines.size() != 1 || lines[0].find("60-ondrix-usbtmc.rules") == std::string::npos ||
            lines[0].find(instrument.device_node()) == std::string::npos)
            _exit(14);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "10 no user switch, 11 no manager, 12 not listed, 13 open not refused, "
                                         "14 not one log line naming the rule and the node";
    chmod((dir + instrument.device_node()).c_str(), 0644);
}
