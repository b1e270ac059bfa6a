#include "lib_parallel.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <omp.h>
#include <system_error>
#include <thread>
#include <vector>

namespace {

constexpr int k_max_team = 32;

// The thread runtime reads its waiting policy once, in its own initialiser. It is
// linked statically (see the top CMakeLists.txt), so its initialiser is one of the
// executable's, and this one, with a priority, runs before it: the policy is chosen
// here, in one place for the program, the tests and the benchmarks. A policy the
// environment names is left alone.
__attribute__((constructor(101))) void choose_wait_policy()
{
    if (!std::getenv("OMP_WAIT_POLICY") && !std::getenv("GOMP_SPINCOUNT"))
        ::setenv("OMP_WAIT_POLICY", "passive", 0);
}

} // namespace

// Every executable that links the library asks the linker for this symbol, which brings
// this file, and with it the initialiser above, into the executable.
extern "C" const char lib_parallel_anchor = 0;

int lib_team_size(uint64 items, uint64 grain)
{
    const uint64 wanted = items / std::max<uint64>(grain, 1);
    const int offered = std::max(1, std::min(k_max_team, omp_get_max_threads()));
    return static_cast<int>(std::max<uint64>(1, std::min<uint64>(wanted, uint64(offered))));
}

namespace {

// Helper threads that sleep until a call hands out items. An item is taken by raising
// the ticket, which holds the call's number in its upper half and the next item in its
// lower half, so a helper that wakes after its call has ended finds another number and
// takes nothing.
class item_pool_t
{
public:
    void run(uint64 count, int team, void (*item)(void *, uint64), void *context)
    {
        auto alone = [&] {
            for (uint64 i = 0; i < count; ++i)
                item(context, i);
        };
        if (t_in_item || count > 0xFFFFFFFFu || team <= 1 || count <= 1)
            return alone();
        std::unique_lock<std::mutex> busy(m_busy, std::try_to_lock);
        if (!busy.owns_lock())
            return alone();
        const int helpers = int(std::min<uint64>(uint64(team - 1), count - 1));
        uint32 call = 0;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            while (int(m_threads.size()) < helpers && start_thread()) {
            }
            m_item = item;
            m_context = context;
            m_count.store(count, std::memory_order_relaxed);
            m_done.store(0, std::memory_order_relaxed);
            call = ++m_call;
            m_wanted = helpers;
            m_ticket.store(uint64(call) << 32, std::memory_order_release);
        }
        m_work.notify_all();
        work(call);
        std::unique_lock<std::mutex> lock(m_mutex);
        m_wanted = 0;
        m_finished.wait(lock, [&] { return m_done.load(std::memory_order_acquire) == count; });
    }

private:
    bool start_thread()
    {
        try {
            m_threads.emplace_back([this] { helper(); });
            return true;
        } catch (const std::system_error &) {
            return false; // fewer helpers; the caller takes their share
        }
    }

    // Takes and runs items of call `call` until none is left.
    void work(uint32 call)
    {
        t_in_item = true;
        uint64 ticket = m_ticket.load(std::memory_order_acquire);
        for (;;) {
            // A ticket of this call makes its count visible; a later call's count read
            // here makes the exchange below fail, as the ticket has moved on.
            const uint64 count = m_count.load(std::memory_order_relaxed);
            if (uint32(ticket >> 32) != call || (ticket & 0xFFFFFFFFu) >= count)
                break;
            if (!m_ticket.compare_exchange_weak(ticket, ticket + 1, std::memory_order_acq_rel,
                                                std::memory_order_acquire))
                continue;
            m_item(m_context, ticket & 0xFFFFFFFFu);
            // The call ends with its last item; nothing of it is read after that.
            if (m_done.fetch_add(1, std::memory_order_acq_rel) + 1 == count) {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_finished.notify_all();
            }
            ticket = m_ticket.load(std::memory_order_acquire);
        }
        t_in_item = false;
    }

    void helper()
    {
        uint32 seen = 0;
        std::unique_lock<std::mutex> lock(m_mutex);
        for (;;) {
            m_work.wait(lock, [&] { return m_call != seen && m_wanted > 0; });
            seen = m_call;
            --m_wanted;
            lock.unlock();
            work(seen);
            lock.lock();
        }
    }

    std::mutex m_busy;  // one call at a time
    std::mutex m_mutex; // the fields below but the ticket and the done count
    std::condition_variable m_work, m_finished;
    std::vector<std::thread> m_threads;
    uint32 m_call = 0;
    int m_wanted = 0;
    void (*m_item)(void *, uint64) = nullptr;
    void *m_context = nullptr;
    std::atomic<uint64> m_count{0};
    std::atomic<uint64> m_ticket{0};
    std::atomic<uint64> m_done{0};
    static thread_local bool t_in_item;
};

thread_local bool item_pool_t::t_in_item = false;

} // namespace

void lib_share_items(uint64 count, int team, void (*item)(void *context, uint64 index), void *context)
{
    // Never destroyed: its threads sleep until the process ends (a child process of a
    // fork has none of them, and does the items itself).
    static item_pool_t *const pool = new item_pool_t;
    pool->run(count, team, item, context);
}
