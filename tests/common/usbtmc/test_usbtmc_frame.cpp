#include "usbtmc_frame.h"

#include <gtest/gtest.h>

#include <vector>

TEST(UsbtmcFrame, TagsRunFromOneTo255AndSkipZero)
{
    const struct
    {
        std::uint8_t last;
        std::uint8_t next;
    } cases[] = {{0, 1}, {1, 2}, {127, 128}, {254, 255}, {255, 1}};
    for (const auto &c : cases)
        EXPECT_EQ(usbtmc_frame_next_tag(c.last), c.next) << int(c.last);
}

TEST(UsbtmcFrame, PaddingEndsTheMessageOnAMultipleOfFour)
{
    const struct
    {
        std::size_t payload;
        std::size_t padding;
        std::size_t message;
    } cases[] = {{0, 0, 12}, {1, 3, 16}, {2, 2, 16}, {3, 1, 16}, {4, 0, 16}, {5, 3, 20}, {32768, 0, 32780}};
    for (const auto &c : cases) {
        EXPECT_EQ(usbtmc_frame_padding(c.payload), c.padding) << c.payload;
        EXPECT_EQ(usbtmc_frame_message_size(c.payload), c.message) << c.payload;
    }
}

TEST(UsbtmcFrame, HeaderIsLaidOutLittleEndianWithTheInverseTag)
{
    std::uint8_t header[12];
    usbtmc_frame_write_header(header, USBTMC_REQUEST_DEV_DEP_MSG_IN, 0x05, 0x00100000, USBTMC_ATTR_TERM_CHAR_ENABLED, '\n');
    const std::vector<std::uint8_t> expected = {2, 0x05, 0xFA, 0, 0x00, 0x00, 0x10, 0x00, 0x02, 0x0A, 0, 0};
    EXPECT_EQ(std::vector<std::uint8_t>(header, header + 12), expected);
}

TEST(UsbtmcFrame, ParseReadsTheHeaderAndRefusesShortTransfers)
{
    const std::uint8_t reply[16] = {2, 9, 0xF6, 0, 4, 3, 2, 1, 1, 0, 0, 0, 0xAA, 0xBB, 0xCC, 0xDD};
    usbtmc_header_t header;
    header.msg_id = 0x55;
    EXPECT_FALSE(usbtmc_frame_parse_header(reply, 11, &header));
    EXPECT_FALSE(usbtmc_frame_parse_header(nullptr, 16, &header));
    EXPECT_EQ(header.msg_id, 0x55);

    ASSERT_TRUE(usbtmc_frame_parse_header(reply, sizeof reply, &header));
    EXPECT_EQ(header.msg_id, USBTMC_DEV_DEP_MSG_IN);
    EXPECT_EQ(header.tag, 9);
    EXPECT_EQ(header.tag_inverse, 0xF6);
    EXPECT_EQ(header.transfer_size, 0x01020304u);
    EXPECT_EQ(header.attributes, USBTMC_ATTR_EOM);
    EXPECT_TRUE(usbtmc_frame_parse_header(reply, 12, nullptr));
}
