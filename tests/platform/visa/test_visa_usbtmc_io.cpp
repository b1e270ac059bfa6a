// The USB-TMC message layer against a stand-in for the bus: framing of writes, tags,
// reassembly of replies and the headers it refuses.
#include "visa_usbtmc_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

using bytes_t = std::vector<std::uint8_t>;
constexpr std::size_t MAX = VISA_USBTMC_MAX_PAYLOAD;

bytes_t pattern(std::size_t n, unsigned seed = 7)
{
    bytes_t out(n);
    for (std::size_t i = 0; i < n; ++i)
        out[i] = static_cast<std::uint8_t>(i * 31 + seed + i / 251);
    return out;
}

// Keeps every OUT transfer and answers each REQUEST_DEV_DEP_MSG_IN with the next
// scripted reply transfer, tagged as the request asked; IN transfers take from it as
// much as they ask for, so a short read marks the end of the transfer.
class fake_port_t : public visa_usbtmc_port_t
{
public:
    struct reply_t
    {
        bytes_t payload;
        bool eom = true;
        bool pad = true;
        std::function<void(bytes_t &)> edit = nullptr; // changes the transfer before it goes out
    };

    std::vector<bytes_t> out;
    std::vector<std::size_t> in_asked;
    std::deque<reply_t> replies;
    std::size_t packet = 64;
    // The OUT transfer with this index ends so, after the device took `out_taken` bytes.
    std::optional<std::size_t> fail_out_at;
    visa_usb_xfer_t out_result = visa_usb_xfer_t::TIMEOUT;
    std::size_t out_taken = 0;
    // The next IN transfer ends so.
    std::optional<visa_usb_xfer_t> in_result;

    visa_usb_xfer_t bulk_out(const std::uint8_t *data, std::size_t size, std::size_t &taken, std::uint32_t) override
    {
        out.emplace_back(data, data + size);
        if (fail_out_at && *fail_out_at == out.size() - 1) {
            taken = out_taken;
            return out_result;
        }
        taken = size;
        if (size == USBTMC_HEADER_SIZE && data[0] == USBTMC_REQUEST_DEV_DEP_MSG_IN && !replies.empty()) {
            reply_t r = replies.front();
            replies.pop_front();
            bytes_t transfer(USBTMC_HEADER_SIZE);
            usbtmc_frame_write_header(transfer.data(), USBTMC_DEV_DEP_MSG_IN, data[1],
                                      static_cast<std::uint32_t>(r.payload.size()), r.eom ? USBTMC_ATTR_EOM : 0, 0);
            transfer.insert(transfer.end(), r.payload.begin(), r.payload.end());
            if (r.pad)
                transfer.insert(transfer.end(), usbtmc_frame_padding(r.payload.size()), 0);
            if (r.edit)
                r.edit(transfer);
            pending.insert(pending.end(), transfer.begin(), transfer.end());
        }
        return visa_usb_xfer_t::OK;
    }

    visa_usb_xfer_t bulk_in(std::uint8_t *data, std::size_t size, std::size_t &got, std::uint32_t) override
    {
        in_asked.push_back(size);
        got = 0;
        if (in_result) {
            visa_usb_xfer_t r = *in_result;
            in_result.reset();
            return r;
        }
        if (pending.empty())
            return visa_usb_xfer_t::TIMEOUT;
        got = std::min(size, pending.size());
        std::copy(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(got), data);
        pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(got));
        return visa_usb_xfer_t::OK;
    }

    std::size_t in_packet_size() const override { return packet; }

    // The TransferSize of every request sent.
    std::vector<std::uint32_t> requests() const
    {
        std::vector<std::uint32_t> sizes;
        for (const bytes_t &t : out)
            if (t.size() == USBTMC_HEADER_SIZE && t[0] == USBTMC_REQUEST_DEV_DEP_MSG_IN)
                sizes.push_back(usbtmc_frame_get_u32le(t.data() + 4));
        return sizes;
    }

private:
    std::deque<std::uint8_t> pending;
};

} // namespace

TEST(UsbtmcWrite, SplitsIntoPaddedMessagesWithEomOnlyOnTheLast)
{
    struct case_t
    {
        std::size_t size;
        std::size_t messages;
    };
    const case_t cases[] = {{0, 1},       {1, 1},       {2, 1},   {3, 1},       {4, 1},
                            {5, 1},       {MAX - 1, 1}, {MAX, 1}, {MAX + 1, 2}, {3 * MAX + 5, 4}};
    for (const case_t &c : cases) {
        SCOPED_TRACE("payload of " + std::to_string(c.size) + " bytes");
        fake_port_t port;
        visa_usbtmc_io_t io;
        const bytes_t data = pattern(c.size);
        std::uint32_t written = 99;
        ASSERT_EQ(io.write(port, data.data(), static_cast<std::uint32_t>(data.size()), written, 1000),
                  visa_usbtmc_end_t::DONE);
        EXPECT_EQ(written, c.size);
        ASSERT_EQ(port.out.size(), c.messages);
        bytes_t joined;
        for (std::size_t i = 0; i < port.out.size(); ++i) {
            const bytes_t &m = port.out[i];
            const bool last = i + 1 == port.out.size();
            const std::size_t chunk = last ? c.size - i * MAX : MAX;
            ASSERT_EQ(m.size(), usbtmc_frame_message_size(chunk)) << i;
            EXPECT_EQ(m.size() % 4, 0u);
            EXPECT_EQ(m[0], USBTMC_DEV_DEP_MSG_OUT);
            EXPECT_EQ(m[1], i + 1);
            EXPECT_EQ(m[2], static_cast<std::uint8_t>(~(i + 1)));
            EXPECT_EQ(usbtmc_frame_get_u32le(m.data() + 4), chunk);
            EXPECT_EQ(m[8], last ? USBTMC_ATTR_EOM : 0) << i;
            EXPECT_EQ(bytes_t(m.begin() + 9, m.begin() + 12), bytes_t(3, 0));
            EXPECT_TRUE(std::all_of(m.begin() + 12 + static_cast<std::ptrdiff_t>(chunk), m.end(),
                                    [](std::uint8_t b) { return b == 0; }));
            joined.insert(joined.end(), m.begin() + 12, m.begin() + 12 + static_cast<std::ptrdiff_t>(chunk));
        }
        EXPECT_TRUE(joined == data);
    }
}

TEST(UsbtmcWrite, TagsCountFrom1To255AndSkip0AcrossWritesAndReads)
{
    fake_port_t port;
    visa_usbtmc_io_t io;
    const std::uint8_t byte = 'x';
    std::uint32_t written = 0;
    for (int i = 0; i < 600; ++i)
        ASSERT_EQ(io.write(port, &byte, 1, written, 1000), visa_usbtmc_end_t::DONE);
    port.replies.push_back({bytes_t{'1', '\n'}});
    std::uint8_t buf[16];
    std::uint32_t got = 0;
    ASSERT_EQ(io.read(port, buf, sizeof buf, got, 1000), visa_usbtmc_end_t::DONE);
    ASSERT_EQ(port.out.size(), 601u);
    for (std::size_t i = 0; i < port.out.size(); ++i) {
        const int expected = static_cast<int>(i % 255) + 1;
        ASSERT_EQ(port.out[i][1], expected) << i;
        ASSERT_EQ(port.out[i][2], static_cast<std::uint8_t>(~expected)) << i;
    }
    EXPECT_EQ(io.last_tag(), 601 % 255);
}

TEST(UsbtmcWrite, AFailedMessageCountsThePayloadTheDeviceTook)
{
    struct case_t
    {
        const char *name;
        visa_usb_xfer_t result;
        std::size_t taken; // of the second message
        visa_usbtmc_end_t end;
        std::uint32_t written;
    };
    const case_t cases[] = {
        {"time-out before any byte", visa_usb_xfer_t::TIMEOUT, 0, visa_usbtmc_end_t::OUT_TIMEOUT, MAX},
        {"time-out inside the header", visa_usb_xfer_t::TIMEOUT, 7, visa_usbtmc_end_t::OUT_TIMEOUT, MAX},
        {"time-out inside the payload", visa_usb_xfer_t::TIMEOUT, 12 + 1000, visa_usbtmc_end_t::OUT_TIMEOUT,
         MAX + 1000},
        {"stall", visa_usb_xfer_t::STALL, 0, visa_usbtmc_end_t::OUT_STALL, MAX},
        {"unplugged", visa_usb_xfer_t::GONE, 512, visa_usbtmc_end_t::GONE, MAX + 500},
        {"other failure", visa_usb_xfer_t::FAILED, 0, visa_usbtmc_end_t::FAILED, MAX},
        {"accepted short without an error", visa_usb_xfer_t::OK, 12 + 64, visa_usbtmc_end_t::FAILED, MAX + 64},
    };
    for (const case_t &c : cases) {
        SCOPED_TRACE(c.name);
        fake_port_t port;
        port.fail_out_at = 1;
        port.out_result = c.result;
        port.out_taken = c.taken;
        visa_usbtmc_io_t io;
        const bytes_t data = pattern(3 * MAX);
        std::uint32_t written = 0;
        EXPECT_EQ(io.write(port, data.data(), static_cast<std::uint32_t>(data.size()), written, 1000), c.end);
        EXPECT_EQ(written, c.written);
        EXPECT_EQ(port.out.size(), 2u) << "nothing follows a failed message";
        EXPECT_EQ(io.last_tag(), 2) << "the tag an abort names";
    }
}

TEST(UsbtmcRead, ReassemblesTransfersAskingForTheCapacityLeft)
{
    struct case_t
    {
        const char *name;
        std::vector<fake_port_t::reply_t> replies;
        std::uint32_t capacity;
        visa_usbtmc_end_t end;
        std::vector<std::uint32_t> requests;
    };
    const bytes_t a = pattern(5, 1), b = pattern(64, 2), c = pattern(3, 3);
    const case_t cases[] = {
        {"one transfer with EOM", {{a}}, 256, visa_usbtmc_end_t::DONE, {256}},
        {"three transfers, EOM on the last", {{a, false}, {b, false}, {c}}, 256, visa_usbtmc_end_t::DONE,
         {256, 251, 187}},
        {"no alignment bytes", {{a, false, false}, {c, true, false}}, 256, visa_usbtmc_end_t::DONE, {256, 251}},
        {"capacity filled without EOM", {{a, false}, {b, false}}, 69, visa_usbtmc_end_t::FULL, {69, 64}},
        {"EOM exactly at the capacity", {{a, false}, {b}}, 69, visa_usbtmc_end_t::DONE, {69, 64}},
        {"transfer ending on a packet boundary", {{pattern(52, 4)}}, 256, visa_usbtmc_end_t::DONE, {256}},
    };
    for (const case_t &k : cases) {
        SCOPED_TRACE(k.name);
        fake_port_t port;
        bytes_t expected;
        for (const auto &r : k.replies) {
            port.replies.push_back(r);
            expected.insert(expected.end(), r.payload.begin(), r.payload.end());
        }
        visa_usbtmc_io_t io;
        bytes_t buf(k.capacity + 16, 0xAA);
        std::uint32_t got = 0;
        EXPECT_EQ(io.read(port, buf.data(), k.capacity, got, 1000), k.end);
        ASSERT_EQ(got, expected.size());
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), buf.begin()));
        EXPECT_EQ(port.requests(), k.requests);
        for (std::size_t asked : port.in_asked)
            EXPECT_EQ(asked % port.packet, 0u) << "an IN transfer asks for whole packets";
    }
}

TEST(UsbtmcRead, ATransferLargerThanTheReceiveBufferArrivesWhole)
{
    fake_port_t port;
    port.packet = 512;
    const bytes_t payload = pattern(MAX * 5 / 2 + 3);
    port.replies.push_back({payload});
    visa_usbtmc_io_t io;
    bytes_t buf(3 * MAX, 0);
    std::uint32_t got = 0;
    ASSERT_EQ(io.read(port, buf.data(), static_cast<std::uint32_t>(buf.size()), got, 1000), visa_usbtmc_end_t::DONE);
    ASSERT_EQ(got, payload.size());
    EXPECT_TRUE(std::equal(payload.begin(), payload.end(), buf.begin()));
    EXPECT_GE(port.in_asked.size(), 3u);
    EXPECT_EQ(port.requests(), (std::vector<std::uint32_t>{std::uint32_t(3 * MAX)}));
}

TEST(UsbtmcRead, RefusesBrokenRepliesWithoutWritingPastTheCapacity)
{
    constexpr std::uint32_t capacity = 40;
    struct case_t
    {
        const char *name;
        fake_port_t::reply_t reply;
    };
    const bytes_t text = pattern(20);
    auto edit = [&](std::function<void(bytes_t &)> f) { return fake_port_t::reply_t{text, true, true, f}; };
    const case_t cases[] = {
        {"wrong MsgID", edit([](bytes_t &t) { t[0] = USBTMC_DEV_DEP_MSG_OUT; })},
        {"wrong bTag", edit([](bytes_t &t) { t[1] = static_cast<std::uint8_t>(t[1] + 1); })},
        {"wrong bTagInverse", edit([](bytes_t &t) { t[2] = t[1]; })},
        {"header shorter than 12 bytes", edit([](bytes_t &t) { t.resize(7); })},
        {"more bytes announced than asked for", edit([](bytes_t &t) {
             usbtmc_frame_put_u32le(t.data() + 4, capacity + 8);
             t.resize(12 + capacity + 8, 'z');
         })},
        {"more bytes announced than arrived", edit([](bytes_t &t) { usbtmc_frame_put_u32le(t.data() + 4, 30); })},
        {"more bytes arrived than announced", edit([](bytes_t &t) { t.insert(t.end(), 8, 'z'); })},
        {"an empty transfer without EOM", fake_port_t::reply_t{bytes_t(), false}},
    };
    for (const case_t &c : cases) {
        SCOPED_TRACE(c.name);
        fake_port_t port;
        port.replies.push_back(c.reply);
        port.replies.push_back(c.reply); // what a second request would get
        visa_usbtmc_io_t io;
        bytes_t buf(capacity + 64, 0xAA);
        std::uint32_t got = 0;
        EXPECT_EQ(io.read(port, buf.data(), capacity, got, 1000), visa_usbtmc_end_t::BAD_REPLY);
        EXPECT_LE(got, capacity);
        EXPECT_TRUE(std::all_of(buf.begin() + capacity, buf.end(), [](std::uint8_t b) { return b == 0xAA; }));
        EXPECT_EQ(port.requests().size(), 1u) << "no second request after a broken reply";
    }
}

TEST(UsbtmcRead, TransferFailuresNameTheEndpointToRecover)
{
    struct case_t
    {
        const char *name;
        std::optional<visa_usb_xfer_t> request; // the request fails so
        std::optional<visa_usb_xfer_t> reply;   // the reply transfer fails so
        visa_usbtmc_end_t end;
    };
    const case_t cases[] = {
        {"request times out", visa_usb_xfer_t::TIMEOUT, {}, visa_usbtmc_end_t::OUT_TIMEOUT},
        {"request stalls", visa_usb_xfer_t::STALL, {}, visa_usbtmc_end_t::OUT_STALL},
        {"request finds the device gone", visa_usb_xfer_t::GONE, {}, visa_usbtmc_end_t::GONE},
        {"reply times out", {}, visa_usb_xfer_t::TIMEOUT, visa_usbtmc_end_t::IN_TIMEOUT},
        {"reply stalls", {}, visa_usb_xfer_t::STALL, visa_usbtmc_end_t::IN_STALL},
        {"reply finds the device gone", {}, visa_usb_xfer_t::GONE, visa_usbtmc_end_t::GONE},
        {"reply fails otherwise", {}, visa_usb_xfer_t::FAILED, visa_usbtmc_end_t::FAILED},
    };
    for (const case_t &c : cases) {
        SCOPED_TRACE(c.name);
        fake_port_t port;
        if (c.request) {
            port.fail_out_at = 0;
            port.out_result = *c.request;
        }
        port.in_result = c.reply;
        port.replies.push_back({pattern(8)});
        visa_usbtmc_io_t io;
        std::uint8_t buf[64];
        std::uint32_t got = 99;
        EXPECT_EQ(io.read(port, buf, sizeof buf, got, 1000), c.end);
        EXPECT_EQ(got, 0u);
        EXPECT_EQ(io.last_tag(), 1) << "the tag an abort names";
    }
}

TEST(UsbtmcRead, ZeroCapacitySendsNothing)
{
    fake_port_t port;
    visa_usbtmc_io_t io;
    std::uint32_t got = 5;
    EXPECT_EQ(io.read(port, nullptr, 0, got, 1000), visa_usbtmc_end_t::FULL);
    EXPECT_EQ(got, 0u);
    EXPECT_TRUE(port.out.empty());
}
