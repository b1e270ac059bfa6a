#include "visa_xdr.h"

#include "visa_vxi11.h"

void visa_xdr_put_u32(std::string &out, std::uint32_t value)
{
    const char bytes[4] = {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
                           static_cast<char>(value >> 8), static_cast<char>(value)};
    out.append(bytes, 4);
}

void visa_xdr_put_opaque(std::string &out, std::string_view bytes)
{
    visa_xdr_put_u32(out, static_cast<std::uint32_t>(bytes.size()));
    out.append(bytes.data(), bytes.size());
    out.append(visa_xdr_pad(bytes.size()), '\0');
}

std::uint32_t visa_xdr_get_u32(const unsigned char *at)
{
    return std::uint32_t(at[0]) << 24 | std::uint32_t(at[1]) << 16 | std::uint32_t(at[2]) << 8 | at[3];
}

void visa_xdr_begin_record(std::string &out) { out.append(4, '\0'); }

void visa_xdr_end_record(std::string &out, std::size_t mark, std::uint64_t extra)
{
    const std::uint64_t body = out.size() - mark - 4 + extra;
    std::string word;
    visa_xdr_put_u32(word, VISA_RPC_LAST_FRAGMENT | static_cast<std::uint32_t>(body));
    out.replace(mark, 4, word);
}

void visa_xdr_put_call(std::string &out, std::uint32_t xid, std::uint32_t prog, std::uint32_t vers,
                       std::uint32_t proc)
{
    for (std::uint32_t v : {xid, VISA_RPC_CALL, VISA_RPC_VERSION, prog, vers, proc})
        visa_xdr_put_u32(out, v);
    // Credentials and verifier: AUTH_NONE, no body.
    for (int i = 0; i < 4; ++i)
        visa_xdr_put_u32(out, 0);
}

void visa_xdr_put_reply(std::string &out, std::uint32_t xid, std::uint32_t accept_stat)
{
    for (std::uint32_t v : {xid, VISA_RPC_REPLY, VISA_RPC_MSG_ACCEPTED, 0u, 0u, accept_stat})
        visa_xdr_put_u32(out, v);
}
