// Replies as a peer may send them, good and bad, decoded by the RPC client over a real
// loopback connection.
#include "rpc_peer.h"
#include "visa_rpc_client.h"

#include <chrono>
#include <gtest/gtest.h>

namespace {

// The reply to a call with this transaction id, as bytes on the wire.
using reply_fn = std::string (*)(std::uint32_t xid);

struct reply_case_t
{
    const char *name;
    reply_fn reply;
    rpc_peer_t::answer_t::after_t after;
    ViStatus header;                // of call()
    ViStatus result = VI_SUCCESS;   // of reading the one result word (when the header was good)
    ViStatus finish = VI_SUCCESS;   // of finish() (when the result was read)
};

} // namespace

TEST(VisaRpcClient, RepliesGoodAndBad)
{
    using A = rpc_peer_t::answer_t;
    const reply_case_t cases[] = {
        {"one fragment", [](std::uint32_t x) { return rpc_reply(x, rpc_words({4242})); }, A::KEEP, VI_SUCCESS,
         VI_SUCCESS, VI_SUCCESS},
        {"three fragments, one of them empty",
         [](std::uint32_t x) {
             const std::string body = rpc_words({x, 1, 0, 0, 0, 0, 4242});
             return rpc_words({10}) + body.substr(0, 10) + rpc_words({0}) + rpc_words({0x80000000u | 18}) +
                    body.substr(10);
         },
         A::KEEP, VI_SUCCESS, VI_SUCCESS, VI_SUCCESS},
        {"a verifier with a body",
         [](std::uint32_t x) { return rpc_record(rpc_words({x, 1, 0, 1, 6, 0x61626364, 0x65660000, 0, 4242})); },
         A::KEEP, VI_SUCCESS, VI_SUCCESS, VI_SUCCESS},
        {"record ends inside the header", [](std::uint32_t x) { return rpc_record(rpc_words({x, 1})); }, A::KEEP,
         VI_ERROR_IO},
        {"record ends before the results", [](std::uint32_t x) { return rpc_reply(x, ""); }, A::KEEP, VI_SUCCESS,
         VI_ERROR_IO},
        {"bytes after the results", [](std::uint32_t x) { return rpc_reply(x, rpc_words({4242, 0})); }, A::KEEP,
         VI_SUCCESS, VI_SUCCESS, VI_ERROR_IO},
        {"a record longer than any reply", [](std::uint32_t x) { return rpc_words({0xFFFFFFFFu, x, 1, 0}); }, A::KEEP,
         VI_ERROR_IO},
        {"no RPC at all", [](std::uint32_t) { return std::string("HTTP/1.1 400 Bad Request\r\n\r\n"); }, A::KEEP,
         VI_ERROR_IO},
        {"another transaction id", [](std::uint32_t x) { return rpc_reply(x + 1, rpc_words({4242})); }, A::KEEP,
         VI_ERROR_IO},
        {"a call instead of a reply",
         [](std::uint32_t x) { return rpc_record(rpc_words({x, 0, 2, 100000, 2, 3, 0, 0, 0, 0})); }, A::KEEP,
         VI_ERROR_IO},
        {"program unavailable", [](std::uint32_t x) { return rpc_record(rpc_words({x, 1, 0, 0, 0, 1})); }, A::KEEP,
         VI_ERROR_IO},
        {"version mismatch", [](std::uint32_t x) { return rpc_record(rpc_words({x, 1, 0, 0, 0, 2, 1, 1})); },
         A::KEEP, VI_ERROR_IO},
        {"garbage arguments", [](std::uint32_t x) { return rpc_record(rpc_words({x, 1, 0, 0, 0, 4})); }, A::KEEP,
         VI_ERROR_IO},
        {"denied", [](std::uint32_t x) { return rpc_record(rpc_words({x, 1, 1, 0, 2, 2})); }, A::KEEP, VI_ERROR_IO},
        {"a verifier longer than allowed", [](std::uint32_t x) { return rpc_record(rpc_words({x, 1, 0, 0, 401})); },
         A::KEEP, VI_ERROR_IO},
        {"empty fragments without end",
         [](std::uint32_t) {
             std::string s;
             for (int i = 0; i < 100; ++i)
                 s += rpc_words({0});
             return s;
         },
         A::KEEP, VI_ERROR_IO},
        {"closed halfway through the reply",
         [](std::uint32_t x) { return rpc_reply(x, rpc_words({4242})).substr(0, 20); }, A::CLOSE,
         VI_ERROR_CONN_LOST},
        {"closed without a reply", [](std::uint32_t) { return std::string(); }, A::CLOSE, VI_ERROR_CONN_LOST},
    };
    for (const reply_case_t &c : cases) {
        SCOPED_TRACE(c.name);
        rpc_peer_t peer([&c](const rpc_peer_t::call_t &call) { return A{c.reply(call.xid), c.after}; });
        visa_rpc_client_t client;
        ASSERT_EQ(client.connect("127.0.0.1", peer.port(), 2000), VI_SUCCESS);
        ASSERT_EQ(client.call(100000, 2, 3, rpc_words({1, 2, 3, 4}), nullptr, 0, 4, visa_deadline_t::after_ms(5000)),
                  c.header);
        if (c.header != VI_SUCCESS)
            continue;
        std::uint32_t value = 0;
        ASSERT_EQ(client.stream().read_u32(value), c.result);
        if (c.result != VI_SUCCESS)
            continue;
        EXPECT_EQ(value, 4242u);
        EXPECT_EQ(client.finish(), c.finish);
    }
}

TEST(VisaRpcClient, CallGoesOutAsOneRecordWithThePayloadPadded)
{
    rpc_peer_t peer([](const rpc_peer_t::call_t &call) { return rpc_peer_t::answer_t{rpc_reply(call.xid, "")}; });
    visa_rpc_client_t client;
    ASSERT_EQ(client.connect("127.0.0.1", peer.port(), 2000), VI_SUCCESS);
    const std::string payload = "abcde";
    ASSERT_EQ(client.call(0x0607AF, 1, 11, rpc_words({7, 5}), payload.data(), payload.size(), 0,
                          visa_deadline_t::after_ms(5000)),
              VI_SUCCESS);
    EXPECT_EQ(client.finish(), VI_SUCCESS);
    const auto calls = peer.calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].record.substr(0, 4), rpc_words({0x80000000u | (40 + 8 + 8)}));
    EXPECT_EQ(calls[0].xid, client.xid());
    EXPECT_EQ(calls[0].args, rpc_words({7, 5}) + "abcde" + std::string(3, '\0'));
}

TEST(VisaRpcClient, PeerThatStopsAnsweringTimesOutAtTheDeadline)
{
    rpc_peer_t peer([](const rpc_peer_t::call_t &) { return rpc_peer_t::answer_t{"", rpc_peer_t::answer_t::HANG}; });
    visa_rpc_client_t client;
    ASSERT_EQ(client.connect("127.0.0.1", peer.port(), 2000), VI_SUCCESS);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(client.call(100000, 2, 0, "", nullptr, 0, 0, visa_deadline_t::after_ms(300)), VI_ERROR_TMO);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(ms, 290);
    EXPECT_LT(ms, 1500);
}
