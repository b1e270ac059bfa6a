#include "sim_journal_file.h"

#include <cstdio>
#include <gtest/gtest.h>

TEST(SimJournalFile, LinesReadBackAsWritten)
{
    std::vector<sim_journal_entry_t> entries;
    auto add = [&](sim_journal_entry_t::kind_t kind, std::string text, std::int32_t status, std::uint64_t size,
                   std::uint64_t checksum) {
        sim_journal_entry_t e{kind, "TCPIP0::127.0.0.2::INSTR"};
        e.text = std::move(text);
        e.status = status;
        e.size = size;
        e.checksum = checksum;
        entries.push_back(e);
    };
    add(sim_journal_entry_t::OPEN, "inst0", 0, 0, 0);
    add(sim_journal_entry_t::WRITE, "*IDN?\r\n", 0, 7, 0);
    add(sim_journal_entry_t::WRITE, std::string("tab\there\\ and \x01\x7f\xff bytes", 21), -1073807339, 40,
        0xFEDCBA9876543210ull);
    add(sim_journal_entry_t::READ, "", int32_t(0x3FFF0006), 41943142, 0);
    add(sim_journal_entry_t::TIMEOUT, "", 0, 60000, 0);
    add(sim_journal_entry_t::CLEAR, "", 0, 0, 0);
    add(sim_journal_entry_t::CLOSE, "", 0, 0, 0);
    {
        std::FILE *f = std::fopen("journal.txt", "w");
        for (const auto &e : entries)
            std::fputs((sim_journal_line(e) + "\n").c_str(), f);
        // A line still being written counts for nothing.
        std::fputs("WRITE\tTCPIP0::127.0.0.2::INSTR\t0", f);
        std::fclose(f);
    }
    const auto back = sim_journal_read("journal.txt");
    ASSERT_EQ(back.size(), entries.size());
    for (std::size_t i = 0; i < back.size(); ++i) {
        EXPECT_EQ(back[i].kind, entries[i].kind) << i;
        EXPECT_EQ(back[i].resource, entries[i].resource) << i;
        EXPECT_EQ(back[i].text, entries[i].text) << i;
        EXPECT_EQ(back[i].status, entries[i].status) << i;
        EXPECT_EQ(back[i].size, entries[i].size) << i;
        EXPECT_EQ(back[i].checksum, entries[i].checksum) << i;
    }
    // One entry a line: no byte of a text breaks the line.
    EXPECT_EQ(sim_journal_line(entries[2]).find('\n'), std::string::npos);

    for (const char *bad : {"", "OPEN", "SEND\tr\t0\t0\t0000000000000000\t", "OPEN\tr\tx\t0\t0000000000000000\t",
                            "OPEN\tr\t0\t0\t00000000\t", "OPEN\tr\t0\t0\t0000000000000000\tend\\", "OPEN\tr\t0\t0\t0000000000000000\t\\x4"}) {
        sim_journal_entry_t e{sim_journal_entry_t::CLOSE, ""};
        EXPECT_FALSE(sim_journal_parse_line(bad, e)) << bad;
    }
}
