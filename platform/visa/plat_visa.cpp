// The VISA calls over the backends: session and find-list numbers, the time-out
// attribute, and the dispatch of each call to the session a backend made.
#include "plat_visa.h"

#include "visa_registry.h"
#include "visa_rsrc_name.h"
#include "visa_session.h"

#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace {

constexpr ViUInt32 k_default_timeout_ms = 2000;

struct find_list_t
{
    ViSession rm;
    std::vector<std::string> names;
    std::size_t next;
};

struct instr_t
{
    ViSession rm;
    std::shared_ptr<visa_session_t> session;
    ViUInt32 timeout_ms;
};

// Every number handed out is new for the life of the process, so a stale one can only
// fail and never reaches an object opened later.
class handle_table_t
{
public:
    std::mutex mutex;
    std::map<ViObject, bool> rms;
    std::map<ViObject, find_list_t> finds;
    std::map<ViObject, instr_t> instrs;

    // 0 when the numbers ran out.
    ViObject new_number()
    {
        if (m_next > 0xFFFFFFFFull)
            return 0;
        return static_cast<ViObject>(m_next++);
    }

private:
    unsigned long long m_next = 1;
};

handle_table_t &table()
{
    static handle_table_t t;
    return t;
}

// The session behind an instrument number, kept alive for the call even if another
// thread closes the number meanwhile.
bool find_instr(ViSession vi, std::shared_ptr<visa_session_t> &session, ViUInt32 &timeout_ms)
{
    handle_table_t &t = table();
    std::lock_guard<std::mutex> lock(t.mutex);
    auto it = t.instrs.find(vi);
    if (it == t.instrs.end())
        return false;
    session = it->second.session;
    timeout_ms = it->second.timeout_ms;
    return true;
}

// A new number for an object of the resource manager `rm`, which may have been closed
// while the backends worked. Call with the table locked.
ViStatus child_number(handle_table_t &t, ViSession rm, ViObject &n)
{
    if (!t.rms.count(rm))
        return VI_ERROR_INV_OBJECT;
    n = t.new_number();
    return n == 0 ? VI_ERROR_SYSTEM_ERROR : VI_SUCCESS;
}

bool rm_open(ViSession rm)
{
    handle_table_t &t = table();
    std::lock_guard<std::mutex> lock(t.mutex);
    return t.rms.count(rm) != 0;
}

// One write or read on the session behind `vi`; `retCnt` gets the count moved.
template <typename Op>
ViStatus transfer(ViSession vi, bool has_buf, ViUInt32 cnt, ViPUInt32 retCnt, Op op)
{
    if (retCnt)
        *retCnt = 0;
    std::shared_ptr<visa_session_t> session;
    ViUInt32 timeout_ms = 0;
    if (!find_instr(vi, session, timeout_ms))
        return VI_ERROR_INV_OBJECT;
    if (!has_buf && cnt > 0)
        return VI_ERROR_USER_BUF;
    ViUInt32 moved = 0;
    ViStatus status = op(*session, moved, timeout_ms);
    if (retCnt)
        *retCnt = moved > cnt ? cnt : moved;
    return status;
}

// The instrument session whose time-out attribute is asked for, or the status that
// refuses the request. Call with the table locked.
ViStatus attr_target(handle_table_t &t, ViObject vi, ViAttr attr, instr_t *&instr)
{
    auto it = t.instrs.find(vi);
    if (it == t.instrs.end())
        return t.rms.count(vi) || t.finds.count(vi) ? VI_ERROR_NSUP_ATTR : VI_ERROR_INV_OBJECT;
    if (attr != VI_ATTR_TMO_VALUE)
        return VI_ERROR_NSUP_ATTR;
    instr = &it->second;
    return VI_SUCCESS;
}

void copy_desc(ViChar desc[], const std::string &name)
{
    if (desc)
        std::memcpy(desc, name.c_str(), name.size() + 1);
}

} // namespace

extern "C" {

ViStatus viOpenDefaultRM(ViPSession vi)
{
    if (!vi)
        return VI_ERROR_USER_BUF;
    handle_table_t &t = table();
    std::lock_guard<std::mutex> lock(t.mutex);
    ViObject n = t.new_number();
    if (n == 0) {
        *vi = VI_NULL;
        return VI_ERROR_SYSTEM_ERROR;
    }
    t.rms[n] = true;
    *vi = n;
    return VI_SUCCESS;
}

ViStatus viFindRsrc(ViSession sesn, ViConstString expr, ViPFindList vi, ViPUInt32 retCnt, ViChar desc[])
{
    if (vi)
        *vi = VI_NULL;
    if (retCnt)
        *retCnt = 0;
    handle_table_t &t = table();
    if (!rm_open(sesn))
        return VI_ERROR_INV_OBJECT;
    if (!expr)
        return VI_ERROR_USER_BUF;

    std::vector<std::string> listed;
    for (const auto &backend : visa_registry_t::instance().search_backends())
        backend->list_resources(listed);
    std::vector<std::string> found;
    for (const std::string &name : listed)
        if (name.size() < VI_FIND_BUFLEN && visa_match_expr(expr, name))
            found.push_back(name);
    if (found.empty())
        return VI_ERROR_RSRC_NFOUND;

    std::lock_guard<std::mutex> lock(t.mutex);
    ViObject n = 0;
    ViStatus status = child_number(t, sesn, n);
    if (status != VI_SUCCESS)
        return status;
    copy_desc(desc, found.front());
    if (retCnt)
        *retCnt = static_cast<ViUInt32>(found.size());
    if (vi)
        *vi = n;
    t.finds[n] = find_list_t{sesn, std::move(found), 1};
    return VI_SUCCESS;
}

ViStatus viFindNext(ViFindList vi, ViChar desc[])
{
    handle_table_t &t = table();
    std::lock_guard<std::mutex> lock(t.mutex);
    auto it = t.finds.find(vi);
    if (it == t.finds.end())
        return VI_ERROR_INV_OBJECT;
    find_list_t &list = it->second;
    if (list.next >= list.names.size())
        return VI_ERROR_RSRC_NFOUND;
    copy_desc(desc, list.names[list.next++]);
    return VI_SUCCESS;
}

ViStatus viOpen(ViSession sesn, ViConstRsrc name, ViAccessMode mode, ViUInt32 timeout, ViPSession vi)
{
    if (vi)
        *vi = VI_NULL;
    handle_table_t &t = table();
    if (!rm_open(sesn))
        return VI_ERROR_INV_OBJECT;
    if (!vi)
        return VI_ERROR_USER_BUF;
    visa_rsrc_name_t parsed;
    if (!visa_parse_rsrc_name(name, parsed))
        return VI_ERROR_INV_RSRC_NAME;
    std::shared_ptr<visa_backend_t> backend = visa_registry_t::instance().backend_for(parsed.kind);
    if (!backend || !backend->claims(parsed))
        return VI_ERROR_RSRC_NFOUND;

    std::unique_ptr<visa_session_t> session;
    ViStatus status = backend->open(parsed, timeout, session);
    if (status < VI_SUCCESS)
        return status;
    if (!session)
        return VI_ERROR_SYSTEM_ERROR;

    std::lock_guard<std::mutex> lock(t.mutex);
    ViObject n = 0;
    ViStatus taken = child_number(t, sesn, n);
    if (taken != VI_SUCCESS)
        return taken;
    t.instrs[n] = instr_t{sesn, std::move(session), k_default_timeout_ms};
    *vi = n;
    return status;
}

ViStatus viClose(ViObject vi)
{
    // Sessions are destroyed outside the lock: closing a connection may take time.
    std::vector<std::shared_ptr<visa_session_t>> closing;
    handle_table_t &t = table();
    {
        std::lock_guard<std::mutex> lock(t.mutex);
        if (t.rms.erase(vi)) {
            for (auto it = t.instrs.begin(); it != t.instrs.end();) {
                if (it->second.rm == vi) {
                    closing.push_back(std::move(it->second.session));
                    it = t.instrs.erase(it);
                } else {
                    ++it;
                }
            }
            for (auto it = t.finds.begin(); it != t.finds.end();)
                it = it->second.rm == vi ? t.finds.erase(it) : std::next(it);
        } else if (t.finds.erase(vi) == 0) {
            auto it = t.instrs.find(vi);
            if (it == t.instrs.end())
                return VI_ERROR_INV_OBJECT;
            closing.push_back(std::move(it->second.session));
            t.instrs.erase(it);
        }
    }
    closing.clear();
    return VI_SUCCESS;
}

ViStatus viWrite(ViSession vi, ViConstBuf buf, ViUInt32 cnt, ViPUInt32 retCnt)
{
    return transfer(vi, buf != nullptr, cnt, retCnt, [&](visa_session_t &s, ViUInt32 &moved, ViUInt32 tmo) {
        return s.write(buf, cnt, moved, tmo);
    });
}

ViStatus viRead(ViSession vi, ViPBuf buf, ViUInt32 cnt, ViPUInt32 retCnt)
{
    return transfer(vi, buf != nullptr, cnt, retCnt, [&](visa_session_t &s, ViUInt32 &moved, ViUInt32 tmo) {
        return s.read(buf, cnt, moved, tmo);
    });
}

ViStatus viClear(ViSession vi)
{
    std::shared_ptr<visa_session_t> session;
    ViUInt32 timeout_ms = 0;
    if (!find_instr(vi, session, timeout_ms))
        return VI_ERROR_INV_OBJECT;
    return session->clear(timeout_ms);
}

ViStatus viSetAttribute(ViObject vi, ViAttr attrName, ViAttrState attrValue)
{
    std::shared_ptr<visa_session_t> session;
    {
        handle_table_t &t = table();
        std::lock_guard<std::mutex> lock(t.mutex);
        instr_t *instr = nullptr;
        ViStatus status = attr_target(t, vi, attrName, instr);
        if (status != VI_SUCCESS)
            return status;
        if (attrValue > 0xFFFFFFFFull)
            return VI_ERROR_NSUP_ATTR_STATE;
        instr->timeout_ms = static_cast<ViUInt32>(attrValue);
        session = instr->session;
    }
    session->timeout_changed(static_cast<ViUInt32>(attrValue));
    return VI_SUCCESS;
}

ViStatus viGetAttribute(ViObject vi, ViAttr attrName, void *attrValue)
{
    handle_table_t &t = table();
    std::lock_guard<std::mutex> lock(t.mutex);
    instr_t *instr = nullptr;
    ViStatus status = attr_target(t, vi, attrName, instr);
    if (status != VI_SUCCESS)
        return status;
    if (!attrValue)
        return VI_ERROR_USER_BUF;
    std::memcpy(attrValue, &instr->timeout_ms, sizeof instr->timeout_ms);
    return VI_SUCCESS;
}

} // extern "C"
