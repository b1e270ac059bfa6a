#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Fault switches of a simulated instrument. A rule given as text applies to the
// messages that contain it; the empty text applies to every message. The transport
// (backend) applies the connection faults, the engine the reply faults.
struct sim_faults_t
{
    bool refuse_open = false;
    // The write fails (VI_ERROR_IO) and the instrument never sees the message.
    std::optional<std::string> refuse_write;
    // The connection drops halfway through the message; the session is dead afterwards.
    std::optional<std::string> drop_in_write;
    // The connection drops halfway through the reply to the message.
    std::optional<std::string> drop_in_reply;
    // The reply never comes.
    std::optional<std::string> no_reply;
    // The reply comes back garbled: every byte with its high bit set, so no comma, digit
    // or line feed survives.
    std::optional<std::string> garble;
    // Every reply is this many bytes longer than it should be.
    std::size_t reply_extra_bytes = 0;

    static bool hits(const std::optional<std::string> &rule, std::string_view message)
    {
        return rule && message.find(*rule) != std::string_view::npos;
    }
};
