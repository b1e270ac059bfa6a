// Transfers to an emulated instrument through the USB-TMC backend: downloads split into
// messages, replies reassembled, and each failure the bus or the instrument can cause.
#include "visa_usb_fixture.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

constexpr std::size_t MAX = 1u << 20;
const std::string k_idn = sim_generator_profile(2).idn;

std::string pattern(std::size_t n)
{
    std::string out(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        out[i] = static_cast<char>(i * 131 + i / 977);
    return out;
}

// The headers of one kind the host sent.
std::vector<usbtmc_header_t> sent(const usbtmc_emulated_device_t &device, std::uint8_t msg_id)
{
    std::vector<usbtmc_header_t> out;
    for (const usbtmc_emulated_header_t &h : device.headers())
        if (h.header.msg_id == msg_id)
            out.push_back(h.header);
    return out;
}

// The class requests the host made, as "request:value:index" with 0 for the values a
// check request does not carry.
std::vector<std::string> class_requests(const usb_emulated_device_t &device)
{
    std::vector<std::string> out;
    for (const usb_setup_t &s : device.control_log())
        if ((s.request_type & 0x60) == 0x20 && s.request != USBTMC_REQ_GET_CAPABILITIES)
            out.push_back(std::to_string(s.request) + ":" + std::to_string(s.value) + ":" + std::to_string(s.index));
    return out;
}

class VisaUsbtmcTransfer : public visa_usb_fixture_t
{
protected:
    void SetUp() override
    {
        instrument = &plug();
        start();
        vi = open();
        instrument->clear_records();
    }

    usbtmc_sim_instrument_t *instrument = nullptr;
    ViSession vi = 0;
};

} // namespace

TEST_F(VisaUsbtmcTransfer, AQueryIsOneMessageAndOneRequestForTheCapacity)
{
    EXPECT_EQ(identity(vi), k_idn);
    std::vector<usbtmc_emulated_header_t> headers = instrument->headers();
    ASSERT_EQ(headers.size(), 2u);
    EXPECT_EQ(headers[0].header.msg_id, USBTMC_DEV_DEP_MSG_OUT);
    EXPECT_EQ(headers[0].header.tag, 1);
    EXPECT_EQ(headers[0].header.attributes, USBTMC_ATTR_EOM);
    EXPECT_EQ(std::string(headers[0].payload.begin(), headers[0].payload.end()), "*IDN?\n");
    EXPECT_EQ(headers[1].header.msg_id, USBTMC_REQUEST_DEV_DEP_MSG_IN);
    EXPECT_EQ(headers[1].header.tag, 2);
    EXPECT_EQ(headers[1].header.transfer_size, 4096u);
}

TEST_F(VisaUsbtmcTransfer, ADownloadOfSomeMebibytesArrivesByteExactInMessagesOfOneMebibyte)
{
    const std::string samples = pattern(3 * MAX + 5);
    const std::string command = "C1:WVDT WVNM,usb,LENGTH," + std::to_string(samples.size()) + ",WAVEDATA," + samples;
    ViUInt32 written = 0;
    ASSERT_EQ(write(vi, command, &written), VI_SUCCESS);
    EXPECT_EQ(written, command.size());

    std::vector<usbtmc_header_t> messages = sent(*instrument, USBTMC_DEV_DEP_MSG_OUT);
    ASSERT_EQ(messages.size(), 4u) << "ceil(" << command.size() << " / 1 MiB) messages, one transfer each";
    for (std::size_t i = 0; i < messages.size(); ++i) {
        EXPECT_EQ(messages[i].transfer_size, i < 3 ? MAX : command.size() - 3 * MAX) << i;
        EXPECT_EQ(messages[i].attributes, i == 3 ? USBTMC_ATTR_EOM : 0) << i;
    }
    EXPECT_EQ(instrument->bulk_out_log().size(), 4u);
    ASSERT_EQ(instrument->messages().size(), 1u);
    const sim_wave_t *wave = instrument->engine().wave("usb");
    ASSERT_NE(wave, nullptr);
    EXPECT_TRUE(wave->data == samples);
    EXPECT_TRUE(instrument->engine().errors().empty());
}

TEST_F(VisaUsbtmcTransfer, AReplyInManyTransfersIsReassembledByteExact)
{
    sim_wave_t wave;
    wave.name = "back";
    wave.data = pattern(2 * MAX + 77);
    instrument->engine().store_wave(wave);
    instrument->set_reply_chunk(300000);
    ASSERT_EQ(write(vi, "WVDT? back"), VI_SUCCESS);
    std::string reply;
    ASSERT_EQ(read(vi, reply, 4 * MAX), VI_SUCCESS);
    const std::size_t data_at = reply.find("WAVEDATA,");
    ASSERT_NE(data_at, std::string::npos);
    EXPECT_TRUE(reply.substr(data_at + 9) == wave.data);
    // Each request asks for what the buffer can still take.
    std::vector<usbtmc_header_t> requests = sent(*instrument, USBTMC_REQUEST_DEV_DEP_MSG_IN);
    ASSERT_EQ(requests.size(), (reply.size() + 299999) / 300000);
    std::uint32_t left = 4 * MAX;
    for (const usbtmc_header_t &r : requests) {
        EXPECT_EQ(r.transfer_size, left);
        left -= std::min<std::uint32_t>(left, 300000);
    }
}

TEST_F(VisaUsbtmcTransfer, AReplyLongerThanTheBufferFillsItAndTheRestFollows)
{
    ASSERT_EQ(write(vi, "*IDN?\n"), VI_SUCCESS);
    std::string first, rest;
    EXPECT_EQ(read(vi, first, 10), VI_SUCCESS_MAX_CNT);
    EXPECT_EQ(first, k_idn.substr(0, 10));
    EXPECT_EQ(read(vi, rest), VI_SUCCESS);
    EXPECT_EQ(first + rest, k_idn);
}

TEST_F(VisaUsbtmcTransfer, ABrokenReplyIsRefusedAfterAClearAndNothingIsWrittenPastTheBuffer)
{
    struct case_t
    {
        const char *name;
        std::function<void(usbtmc_sim_instrument_t &)> fault;
    };
    auto edit = [](std::function<void(std::vector<std::uint8_t> &)> f) {
        return [f](usbtmc_sim_instrument_t &i) { i.set_reply_edit_once(f); };
    };
    const case_t cases[] = {
        {"wrong MsgID", edit([](std::vector<std::uint8_t> &t) { t[0] = USBTMC_DEV_DEP_MSG_OUT; })},
        {"wrong bTag", edit([](std::vector<std::uint8_t> &t) { t[1] = static_cast<std::uint8_t>(t[1] + 3); })},
        {"wrong bTagInverse", edit([](std::vector<std::uint8_t> &t) { t[2] = 0; })},
        {"more announced than arrived", edit([](std::vector<std::uint8_t> &t) { t[4] = static_cast<std::uint8_t>(t[4] + 20); })},
        {"more arrived than announced", edit([](std::vector<std::uint8_t> &t) { t.insert(t.end(), 40, 'z'); })},
        {"more announced than asked for", edit([](std::vector<std::uint8_t> &t) {
             usbtmc_frame_put_u32le(t.data() + 4, 64);
             t.resize(12 + 64, 'z');
         })},
        {"transfer shorter than a header", [](usbtmc_sim_instrument_t &i) { i.set_short_in_once(5); }},
    };
    for (const case_t &c : cases) {
        SCOPED_TRACE(c.name);
        instrument->clear_records();
        c.fault(*instrument);
        ASSERT_EQ(write(vi, "*IDN?\n"), VI_SUCCESS);
        std::vector<ViByte> buf(64, 0xAA);
        ViUInt32 got = 99;
        EXPECT_EQ(viRead(vi, buf.data(), 48, &got), VI_ERROR_IO);
        EXPECT_LE(got, 48u);
        EXPECT_TRUE(std::all_of(buf.begin() + 48, buf.end(), [](ViByte b) { return b == 0xAA; }));
        EXPECT_EQ(class_requests(*instrument), (std::vector<std::string>{"5:0:0", "6:0:0"}))
            << "INITIATE_CLEAR, CHECK_CLEAR_STATUS";
        EXPECT_EQ(identity(vi), k_idn) << "the next query gets its own answer";
    }
}

TEST_F(VisaUsbtmcTransfer, AReadThatTimesOutAbortsTheTransferOnTheDevice)
{
    ASSERT_EQ(viSetAttribute(vi, VI_ATTR_TMO_VALUE, 300), VI_SUCCESS);
    instrument->set_no_in_reply(true);
    instrument->set_status_pending(2);
    ASSERT_EQ(write(vi, "*IDN?\n"), VI_SUCCESS);
    std::string reply;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(read(vi, reply), VI_ERROR_TMO);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(300));
    EXPECT_LT(elapsed, std::chrono::milliseconds(300 + 1500));
    EXPECT_TRUE(reply.empty());
    // INITIATE_ABORT_BULK_IN names the request's tag and the IN endpoint; the check is
    // repeated while the device answers STATUS_PENDING.
    EXPECT_EQ(class_requests(*instrument), (std::vector<std::string>{"3:2:129", "4:0:129", "4:0:129", "4:0:129"}));

    instrument->set_no_in_reply(false);
    EXPECT_EQ(identity(vi), k_idn);
}

TEST_F(VisaUsbtmcTransfer, AWriteThatTimesOutPartWayReportsWhatWasTakenAndAbortsIt)
{
    ASSERT_EQ(viSetAttribute(vi, VI_ATTR_TMO_VALUE, 300), VI_SUCCESS);
    instrument->set_out_stops_after(MAX + 12 + 1000);
    const std::string command = "C1:WVDT WVNM,cut,WAVEDATA," + pattern(3 * MAX);
    ViUInt32 written = 0;
    EXPECT_EQ(write(vi, command, &written), VI_ERROR_TMO);
    EXPECT_EQ(written, MAX + 1000 - 12);
    EXPECT_EQ(class_requests(*instrument), (std::vector<std::string>{"1:2:2", "2:0:2"}))
        << "INITIATE_ABORT_BULK_OUT with the message's tag, CHECK_ABORT_BULK_OUT_STATUS";
    EXPECT_EQ(instrument->clear_halt_log(), std::vector<std::uint8_t>{0x02});
    EXPECT_TRUE(instrument->messages().empty());
    EXPECT_EQ(identity(vi), k_idn) << "the device dropped the cut message";
}

TEST_F(VisaUsbtmcTransfer, AStalledEndpointIsClearedAndTheCallFails)
{
    struct case_t
    {
        const char *name;
        std::uint8_t endpoint;
        bool in_write;
        std::vector<std::string> requests;
    };
    // The halt is cleared, then the transfer aborted so the device drops what is left of
    // it: the message (tag 1) or the reply to the request (tag 2).
    const case_t cases[] = {
        {"bulk OUT", 0x02, true, {"1:1:2", "2:0:2"}},
        {"bulk IN", 0x81, false, {"3:2:129", "4:0:129"}},
    };
    for (const case_t &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string serial = c.in_write ? "STALLOUT" : "STALLIN";
        usbtmc_sim_instrument_t &device = plug(usbtmc_sim_instrument_t::instrument_config(serial, c.in_write ? 30 : 31));
        for (int i = 0; i < 200 && search().size() < instruments.size(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ViSession session = open("USB0::0x3A7D::0x0210::" + serial + "::INSTR");
        device.clear_records();
        device.set_stall_once(c.endpoint);
        ViStatus written = write(session, "*IDN?\n");
        std::string reply;
        ViStatus status = c.in_write ? written : read(session, reply);
        EXPECT_EQ(status, VI_ERROR_IO);
        ASSERT_FALSE(device.clear_halt_log().empty());
        EXPECT_EQ(device.clear_halt_log().front(), c.endpoint);
        EXPECT_EQ(class_requests(device), c.requests);
        EXPECT_EQ(identity(session), k_idn);
    }
}

TEST_F(VisaUsbtmcTransfer, DeviceClearDropsThePendingReply)
{
    instrument->set_status_pending(1);
    ASSERT_EQ(write(vi, "PROD?\n"), VI_SUCCESS);
    EXPECT_EQ(viClear(vi), VI_SUCCESS);
    EXPECT_EQ(class_requests(*instrument), (std::vector<std::string>{"5:0:0", "6:0:0", "6:0:0"}));
    EXPECT_EQ(instrument->clear_halt_log(), std::vector<std::uint8_t>{0x02});
    EXPECT_EQ(identity(vi), k_idn) << "not the product reply";
}

TEST_F(VisaUsbtmcTransfer, UnpluggedMidTransferTheSessionIsLostButClosable)
{
    struct case_t
    {
        const char *name;
        std::uint8_t endpoint;
        int transfers;
        bool in_write;
    };
    const case_t cases[] = {
        {"during a download", 0x02, 2, true},
        {"during a reply", 0x81, 2, false},
    };
    for (const case_t &c : cases) {
        SCOPED_TRACE(c.name);
        usbtmc_sim_instrument_t &device = plug(usbtmc_sim_instrument_t::instrument_config("GONE", c.in_write ? 40 : 41));
        const std::string name = "USB0::0x3A7D::0x0210::GONE::INSTR";
        for (int i = 0; i < 200 && search().size() < 2; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ViSession session = open(name);
        sim_wave_t wave;
        wave.name = "w";
        wave.data = pattern(5000);
        device.engine().store_wave(wave);
        device.set_reply_chunk(1000);
        device.set_gone_after(c.endpoint, c.transfers);
        ViStatus status;
        ViUInt32 written = 0;
        std::string reply;
        if (c.in_write) {
            status = write(session, "C1:WVDT WVNM,x,WAVEDATA," + pattern(3 * MAX), &written);
            EXPECT_EQ(written, 2 * MAX) << "the messages before the device left went through";
        } else {
            ASSERT_EQ(write(session, "WVDT? w"), VI_SUCCESS);
            status = read(session, reply, 8000);
            EXPECT_EQ(reply.size(), 2000u) << "the transfers before the device left arrived";
            EXPECT_NE(reply.find("WVNM,w"), std::string::npos);
        }
        EXPECT_EQ(status, VI_ERROR_CONN_LOST);
        EXPECT_EQ(read(session, reply), VI_ERROR_CONN_LOST);
        EXPECT_EQ(viClear(session), VI_ERROR_CONN_LOST);
        EXPECT_EQ(viClose(session), VI_SUCCESS);

        device.unplug();
        std::vector<std::string> found = search();
        for (int i = 0; i < 200 && found.size() != 1; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            found = search();
        }
        EXPECT_EQ(found, std::vector<std::string>{k_name});
        ViSession again = 0;
        EXPECT_EQ(viOpen(rm, name.c_str(), 0, 0, &again), VI_ERROR_RSRC_NFOUND);
    }
}
