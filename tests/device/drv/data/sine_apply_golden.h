#pragma once
// The accesses of one sine apply on channel 0 from a freshly built driver layer whose
// register reads all answer 0 (as without a module): 1 kHz on channel 0, 2.5 kHz on
// channel 1, 2 V peak to peak, 0.5 V offset, 30 degrees, 50 ohms, no hold. Recorded
// from the library and checked by hand against the apply's frame: relay word, output
// read and muted (36 = 0x0800), PRBS off (no access), filter coefficients (95), the
// three datapath selects (196, 241, 65), both carriers (16-20, 48-52), range relays,
// gain and offset codes (24, 33, 41, 132), phase offset (154, 57), the sine table to
// port 252, the strobe on 10 and the output restored (every read gives 0 here, so the
// restore writes 0).
inline const char *const SINE_APPLY_CH0_GOLDEN[] = {
    "read 0x009e = 0x0000",
    "write 0x0018 = 0x0000",
    "read 0x0024 = 0x0000",
    "read 0x0024 = 0x0000",
    "write 0x0024 = 0x0800",
    "read 0x0024 = 0x0000",
    "write 0x0024 = 0x1000",
    "write 0x0024 = 0x0000",
    "write 0x0024 = 0x1000",
    "write 0x005f = 0x0135",
    "write 0x005f = 0xfe60",
    "write 0x005f = 0x0245",
    "write 0x005f = 0xfd6c",
    "write 0x005f = 0x022f",
    "write 0x005f = 0xff61",
    "write 0x005f = 0xfd46",
    "write 0x005f = 0x0905",
    "write 0x005f = 0xe9bc",
    "write 0x005f = 0x4f22",
    "read 0x00c4 = 0x0000",
    "write 0x00c4 = 0x0000",
    "read 0x00f1 = 0x0000",
    "write 0x00f1 = 0x0000",
    "read 0x0041 = 0x0000",
    "write 0x0041 = 0x0000",
    "read 0x0041 = 0x0000",
    "write 0x0010 = 0xbd05",
    "write 0x0012 = 0x8637",
    "write 0x0014 = 0x0000",
    "read 0x0041 = 0x0000",
    "read 0x0041 = 0x0000",
    "write 0x0030 = 0x588e",
    "write 0x0032 = 0x4f8b",
    "write 0x0034 = 0x0001",
    "read 0x0041 = 0x0000",
    "read 0x009e = 0x0000",
    "read 0x0028 = 0x0000",
    "write 0x0018 = 0x0004",
    "write 0x0021 = 0x0400",
    "write 0x0029 = 0x1ce3",
    "write 0x0084 = 0x0b52",
    "read 0x0028 = 0x0000",
    "read 0x0024 = 0x0000",
    "read 0x0041 = 0x0000",
    "read 0x000a = 0x0000",
    "write 0x009a = 0x5555",
    "write 0x0039 = 0x1555",
    "read 0x0024 = 0x0000",
    "write 0x0024 = 0x0000",
    "write 0x0024 = 0x0001",
    "block @0xfc, 16384 words",
    "read 0x000a = 0x0000",
    "write 0x000a = 0x8000",
    "write 0x000a = 0x9000",
    "write 0x000a = 0x8000",
    "write 0x000a = 0x0000",
    "read 0x0024 = 0x0000",
    "write 0x0024 = 0x0000",
};

#include <cstdio>
#include <string>

// The golden list's traced part as the register-write trace has it: every register
// write but the relay word (register 24) and the serial words (240), which go straight
// to the transport.
inline std::string golden_trace()
{
    std::string text;
    for (const char *line : SINE_APPLY_CH0_GOLDEN) {
        unsigned reg = 0, value = 0;
        if (std::sscanf(line, "write 0x%x = 0x%x", &reg, &value) != 2 || reg == 24 || reg == 240)
            continue;
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "0x%x,0x%x\n", reg, value);
        text += buffer;
    }
    return text;
}
