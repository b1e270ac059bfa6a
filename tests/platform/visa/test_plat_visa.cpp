#include "plat_visa.h"
#include "sim_engine.h"
#include "sim_visa_env.h"
#include "visa_registry.h"

#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

const char *const k_usb1 = "USB0::0x1234::0x5678::SIM0001::INSTR";
const char *const k_usb2 = "USB0::0x1234::0x5678::SIM0002::INSTR";
const char *const k_usb3 = "USB0::0x1234::0x5678::SIM0003::INSTR";
const char *const k_tcp = "TCPIP0::10.0.0.5::INSTR";

// One VISA call of a sequence and what it must give. `arg` is the resource name, the
// search expression or the bytes to write; `out` the descriptor or the bytes read.
enum op_t { RM, OPEN, CLOSE, CLOSE_RM, WRITE, READ, CLEAR, FIND, NEXT, SET_TMO, GET_TMO, GET_ATTR_RM, SET_OTHER };
struct step_t
{
    op_t op;
    const char *arg;
    ViStatus status;
    const char *out = nullptr;
    ViUInt32 n = 0; // READ: capacity; FIND: count; SET_TMO/GET_TMO: milliseconds
};
struct case_t
{
    const char *name;
    std::vector<step_t> steps;
};

class PlatVisa : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (unsigned model_class : {2u, 4u, 5u})
            env.backend().add_usb(std::make_shared<sim_engine_t>(sim_generator_profile(model_class)));
        env.backend().add_tcpip(std::make_shared<sim_engine_t>(sim_scope_profile(4)), "10.0.0.5");
    }

    void run(const case_t &c)
    {
        ViSession rm = 0, vi = 0;
        ViFindList list = 0;
        char desc[VI_FIND_BUFLEN] = "untouched";
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            const step_t &s = c.steps[i];
            SCOPED_TRACE(std::string(c.name) + ", step " + std::to_string(i + 1));
            ViStatus got = 0;
            switch (s.op) {
            case RM:
                got = viOpenDefaultRM(&rm);
                EXPECT_NE(rm, 0u);
                break;
            case OPEN: {
                ViSession out = 12345;
                got = viOpen(rm, s.arg, 0, 0, &out);
                if (got >= VI_SUCCESS) {
                    vi = out;
                } else {
                    EXPECT_EQ(out, 0u);
                }
                break;
            }
            case CLOSE:
                got = viClose(vi);
                break;
            case CLOSE_RM:
                got = viClose(rm);
                break;
            case WRITE: {
                ViUInt32 cnt = 99;
                got = viWrite(vi, reinterpret_cast<ViConstBuf>(s.arg), ViUInt32(std::strlen(s.arg)), &cnt);
                EXPECT_EQ(cnt, got == VI_SUCCESS ? std::strlen(s.arg) : 0u);
                break;
            }
            case READ: {
                std::vector<ViByte> buf(s.n + 1);
                ViUInt32 cnt = 99;
                got = viRead(vi, buf.data(), s.n, &cnt);
                ASSERT_LE(cnt, s.n);
                if (s.out) {
                    EXPECT_EQ(std::string(reinterpret_cast<char *>(buf.data()), cnt), s.out);
                }
                break;
            }
            case CLEAR:
                got = viClear(vi);
                break;
            case FIND: {
                ViUInt32 count = 99;
                got = viFindRsrc(rm, s.arg, &list, &count, desc);
                EXPECT_EQ(count, s.n);
                if (got != VI_SUCCESS) {
                    EXPECT_EQ(list, 0u);
                }
                break;
            }
            case NEXT:
                got = viFindNext(list, desc);
                break;
            case SET_TMO:
                got = viSetAttribute(vi, VI_ATTR_TMO_VALUE, s.n);
                break;
            case GET_TMO: {
                ViUInt32 value = 0;
                got = viGetAttribute(vi, VI_ATTR_TMO_VALUE, &value);
                if (got == VI_SUCCESS) {
                    EXPECT_EQ(value, s.n);
                }
                break;
            }
            case GET_ATTR_RM: {
                ViUInt32 value = 0;
                got = viGetAttribute(rm, VI_ATTR_TMO_VALUE, &value);
                break;
            }
            case SET_OTHER:
                got = viSetAttribute(vi, 0x3FFF0001, 1);
                break;
            }
            EXPECT_EQ(got, s.status);
            if ((s.op == FIND || s.op == NEXT) && s.out) {
                EXPECT_STREQ(desc, s.out);
            }
        }
    }

    sim_visa_env_t env;
};

} // namespace

TEST_F(PlatVisa, CallSequences)
{
    const case_t cases[] = {
        {"names: malformed and empty names fail before any I/O",
         {{RM, "", VI_SUCCESS},
          {OPEN, "", VI_ERROR_INV_RSRC_NAME},
          {OPEN, nullptr, VI_ERROR_INV_RSRC_NAME},
          {OPEN, "USB0::0x1234::0x5678::INSTR", VI_ERROR_INV_RSRC_NAME},
          {OPEN, "TCPIP0::not-an-address::INSTR", VI_ERROR_INV_RSRC_NAME},
          {OPEN, "ASRL1::INSTR", VI_ERROR_INV_RSRC_NAME}}},
        {"names: well-formed but absent instruments are not found",
         {{RM, "", VI_SUCCESS},
          {OPEN, "USB0::0x1234::0x5678::NOPE::INSTR", VI_ERROR_RSRC_NFOUND},
          {OPEN, "TCPIP0::10.0.0.6::INSTR", VI_ERROR_RSRC_NFOUND},
          {OPEN, "TCPIP0::10.0.0.5::other::INSTR", VI_ERROR_RSRC_NFOUND}}},
        {"names: another spelling of a present instrument opens it",
         {{RM, "", VI_SUCCESS},
          {OPEN, "usb::4660::22136::SIM0002::instr", VI_SUCCESS},
          {WRITE, "*IDN?", VI_SUCCESS},
          {READ, "", VI_SUCCESS, "Korvane,ZQWP080V,SIM1004,1.2.3\n", 256},
          {OPEN, "TCPIP0::10.0.0.5::inst0::INSTR", VI_SUCCESS}}},
        {"search: every USB instrument in order, then not found with the descriptor kept",
         {{RM, "", VI_SUCCESS},
          {FIND, "USB?*INSTR", VI_SUCCESS, k_usb1, 3},
          {NEXT, "", VI_SUCCESS, k_usb2},
          {NEXT, "", VI_SUCCESS, k_usb3},
          {NEXT, "", VI_ERROR_RSRC_NFOUND, k_usb3},
          {NEXT, "", VI_ERROR_RSRC_NFOUND, k_usb3}}},
        {"search: case-insensitive wildcards; network instruments are not listed",
         {{RM, "", VI_SUCCESS},
          {FIND, "usb?*::sim0003::instr", VI_SUCCESS, k_usb3, 1},
          {FIND, "TCPIP?*", VI_ERROR_RSRC_NFOUND, nullptr, 0},
          {FIND, "?*", VI_SUCCESS, k_usb1, 3}}},
        {"read: a capacity smaller than the reply, then the rest, then nothing",
         {{RM, "", VI_SUCCESS},
          {OPEN, k_usb1, VI_SUCCESS},
          {WRITE, "*IDN?", VI_SUCCESS},
          {READ, "", VI_SUCCESS_MAX_CNT, "Korvane,Z", 9},
          {READ, "", VI_SUCCESS_MAX_CNT, "QWR", 3},
          {READ, "", VI_SUCCESS, "120V,SIM1002,1.2.3\n", 256},
          {READ, "", VI_ERROR_TMO, "", 256}}},
        {"read: a capacity equal to the reply ends it",
         {{RM, "", VI_SUCCESS},
          {OPEN, k_usb1, VI_SUCCESS},
          {WRITE, "*IDN?", VI_SUCCESS},
          {READ, "", VI_SUCCESS, "Korvane,ZQWR120V,SIM1002,1.2.3\n", 31},
          {WRITE, "*IDN?", VI_SUCCESS},
          {CLEAR, "", VI_SUCCESS},
          {READ, "", VI_ERROR_TMO, "", 256}}},
        {"time-out: 2000 ms until set, per session; other attributes unsupported",
         {{RM, "", VI_SUCCESS},
          {OPEN, k_usb1, VI_SUCCESS},
          {GET_TMO, "", VI_SUCCESS, nullptr, 2000},
          {SET_TMO, "", VI_SUCCESS, nullptr, 60000},
          {GET_TMO, "", VI_SUCCESS, nullptr, 60000},
          {OPEN, k_usb2, VI_SUCCESS},
          {GET_TMO, "", VI_SUCCESS, nullptr, 2000},
          {SET_OTHER, "", VI_ERROR_NSUP_ATTR},
          {GET_ATTR_RM, "", VI_ERROR_NSUP_ATTR}}},
        {"stale: a closed session number fails every call",
         {{RM, "", VI_SUCCESS},
          {OPEN, k_usb1, VI_SUCCESS},
          {CLOSE, "", VI_SUCCESS},
          {WRITE, "*IDN?", VI_ERROR_INV_OBJECT},
          {READ, "", VI_ERROR_INV_OBJECT, "", 16},
          {CLEAR, "", VI_ERROR_INV_OBJECT},
          {SET_TMO, "", VI_ERROR_INV_OBJECT, nullptr, 10},
          {GET_TMO, "", VI_ERROR_INV_OBJECT},
          {CLOSE, "", VI_ERROR_INV_OBJECT}}},
        {"resource manager: closing it closes its sessions and find lists",
         {{RM, "", VI_SUCCESS},
          {OPEN, k_usb1, VI_SUCCESS},
          {FIND, "USB?*INSTR", VI_SUCCESS, k_usb1, 3},
          {CLOSE_RM, "", VI_SUCCESS},
          {WRITE, "*IDN?", VI_ERROR_INV_OBJECT},
          {NEXT, "", VI_ERROR_INV_OBJECT, k_usb1},
          {OPEN, k_usb2, VI_ERROR_INV_OBJECT},
          {FIND, "USB?*INSTR", VI_ERROR_INV_OBJECT, nullptr, 0},
          {CLOSE_RM, "", VI_ERROR_INV_OBJECT}}},
    };
    for (const case_t &c : cases)
        run(c);
}

TEST_F(PlatVisa, ClosingOneResourceManagerLeavesTheOthersSessions)
{
    ViSession rm1 = 0, rm2 = 0, a = 0, b = 0;
    ASSERT_EQ(viOpenDefaultRM(&rm1), VI_SUCCESS);
    ASSERT_EQ(viOpenDefaultRM(&rm2), VI_SUCCESS);
    EXPECT_NE(rm1, rm2);
    ASSERT_EQ(viOpen(rm1, k_usb1, 0, 0, &a), VI_SUCCESS);
    ASSERT_EQ(viOpen(rm2, k_usb2, 0, 0, &b), VI_SUCCESS);
    ASSERT_EQ(viClose(rm1), VI_SUCCESS);
    ViUInt32 cnt = 0;
    EXPECT_EQ(viWrite(a, reinterpret_cast<ViConstBuf>("*IDN?"), 5, &cnt), VI_ERROR_INV_OBJECT);
    EXPECT_EQ(viWrite(b, reinterpret_cast<ViConstBuf>("*IDN?"), 5, &cnt), VI_SUCCESS);
    // The backend saw the first session go.
    auto closes = env.journal().of_kind(sim_journal_entry_t::CLOSE);
    ASSERT_EQ(closes.size(), 1u);
    EXPECT_EQ(closes[0].resource, k_usb1);
}

TEST_F(PlatVisa, NumbersAreNeverZeroNorReused)
{
    ViSession rm = 0;
    ASSERT_EQ(viOpenDefaultRM(&rm), VI_SUCCESS);
    std::set<ViObject> seen = {rm};
    for (int i = 0; i < 20; ++i) {
        ViSession vi = 0;
        ViFindList list = 0;
        ViUInt32 count = 0;
        char desc[VI_FIND_BUFLEN];
        ASSERT_EQ(viOpen(rm, k_usb1, 0, 0, &vi), VI_SUCCESS);
        ASSERT_EQ(viFindRsrc(rm, "USB?*INSTR", &list, &count, desc), VI_SUCCESS);
        EXPECT_TRUE(seen.insert(vi).second);
        EXPECT_TRUE(seen.insert(list).second);
        EXPECT_EQ(viClose(vi), VI_SUCCESS);
        EXPECT_EQ(viClose(list), VI_SUCCESS);
    }
    EXPECT_EQ(seen.count(0), 0u);
    // Unknown numbers, 0 among them, fail cleanly.
    for (ViObject n : {ViObject(0), ViObject(0xFFFFFFF0u)}) {
        ViUInt32 cnt = 0;
        ViByte b[4];
        EXPECT_EQ(viRead(n, b, 4, &cnt), VI_ERROR_INV_OBJECT);
        EXPECT_EQ(viClose(n), VI_ERROR_INV_OBJECT);
    }
}

TEST_F(PlatVisa, TransportFailuresPassThrough)
{
    auto engine = std::make_shared<sim_engine_t>(sim_generator_profile(2));
    std::string name = env.backend().add_usb(engine, "FAULTY");
    ViSession rm = 0, vi = 0;
    ASSERT_EQ(viOpenDefaultRM(&rm), VI_SUCCESS);

    engine->faults().refuse_open = true;
    EXPECT_EQ(viOpen(rm, name.c_str(), 0, 0, &vi), VI_ERROR_RSRC_BUSY);
    EXPECT_EQ(vi, 0u);
    engine->faults().refuse_open = false;
    ASSERT_EQ(viOpen(rm, name.c_str(), 0, 0, &vi), VI_SUCCESS);

    ViUInt32 cnt = 0;
    engine->faults().refuse_write = "*IDN?";
    EXPECT_EQ(viWrite(vi, reinterpret_cast<ViConstBuf>("*IDN?"), 5, &cnt), VI_ERROR_IO);
    engine->faults().refuse_write.reset();
    engine->faults().drop_in_write = "PROD?";
    EXPECT_EQ(viWrite(vi, reinterpret_cast<ViConstBuf>("PROD?"), 5, &cnt), VI_ERROR_CONN_LOST);
    EXPECT_EQ(cnt, 2u);
    EXPECT_EQ(viWrite(vi, reinterpret_cast<ViConstBuf>("*IDN?"), 5, &cnt), VI_ERROR_CONN_LOST);
    EXPECT_EQ(viClose(vi), VI_SUCCESS);
}

TEST(PlatVisaWithoutBackends, OpensFailAndTheSearchFindsNothing)
{
    // No test backend: the built-in transports of this build find nothing. The network
    // one looks on loopback only, where no portmapper listens on port 1.
    ASSERT_EQ(visa_registry_t::instance().set_override(nullptr), nullptr);
    ::setenv("ONDRIX_VXI11_PORTMAPPER_PORT", "1", 1);
    ViSession rm = 0, vi = 0;
    ASSERT_EQ(viOpenDefaultRM(&rm), VI_SUCCESS);
    ViFindList list = 0;
    ViUInt32 count = 7;
    char desc[VI_FIND_BUFLEN] = "";
    EXPECT_EQ(viFindRsrc(rm, "USB?*INSTR", &list, &count, desc), VI_ERROR_RSRC_NFOUND);
    EXPECT_EQ(count, 0u);
    EXPECT_LT(viOpen(rm, k_usb1, 0, 0, &vi), VI_SUCCESS);
    EXPECT_LT(viOpen(rm, "TCPIP0::127.0.0.1::INSTR", 0, 0, &vi), VI_SUCCESS);
    EXPECT_EQ(vi, 0u);
}
