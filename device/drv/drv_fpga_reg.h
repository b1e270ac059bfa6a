#pragma once
// The module's FPGA register map: every register and block port the FPGA driver
// reads or writes. Registers hold 16 bits. A pair of per-channel registers is a
// two-entry table indexed by the channel (0, 1); a value wider than 16 bits lists its
// registers from the lowest bits up.
#include "lib_types.h"

// Flash (bits of the program and read addresses, commands, status).
constexpr uint16 DRV_FPGA_REG_BOOT_FLASH_ERASE = 0;
constexpr uint16 DRV_FPGA_REG_FLASH_WRITE_ADDR_LO = 1;
constexpr uint16 DRV_FPGA_REG_FLASH_WRITE_ADDR_HI = 3;
constexpr uint16 DRV_FPGA_REG_FLASH_PAGE_PROGRAM = 5;
constexpr uint16 DRV_FPGA_REG_FLASH_READ_ADDR_LO = 7;
constexpr uint16 DRV_FPGA_REG_FLASH_READ_ADDR_HI = 9;
constexpr uint16 DRV_FPGA_REG_FLASH_STATUS_REQUEST = 12;
constexpr uint16 DRV_FPGA_REG_FLASH_COMMAND = 13;
// Erase trigger of flash sectors 0 to 7.
constexpr uint16 DRV_FPGA_REG_FLASH_SECTOR_ERASE[8] = {15, 17, 19, 21, 23, 25, 27, 29};
// Bit 0 page-buffer reset (pulsed), bit 1 flash done (read).
constexpr uint16 DRV_FPGA_REG_FLASH_DONE = 94;
constexpr uint16 DRV_FPGA_REG_FLASH_BUSY = 106;
constexpr uint16 DRV_FPGA_REG_FLASH_READ_BITS = 108;
// Product 4 writes 0xFFFF to release the flash.
constexpr uint16 DRV_FPGA_REG_FLASH_RELEASE = 255;

// Scratch register of the chip check.
constexpr uint16 DRV_FPGA_REG_CHIP_CHECK = 2;
// Bit 0 clock reset, bit 1 reference output, bit 4 clock status, bit 8 clock source.
constexpr uint16 DRV_FPGA_REG_CLOCK = 4;
// Bits 12 and 15 the parameter update strobe, bit 14 the start-phase mode.
constexpr uint16 DRV_FPGA_REG_UPDATE = 10;
// Relay word; bits 8 and 9 select the user or boot flash on product 4.
constexpr uint16 DRV_FPGA_REG_RELAY_WORD = 24;
// Bits 1 and 2: overload status.
constexpr uint16 DRV_FPGA_REG_OVERLOAD_STATUS = 31;

// Channel control register (bit 3 of channel 0's is the update hold).
constexpr uint16 DRV_FPGA_REG_CTRL[2] = {36, 68};

// DDS words.
constexpr uint16 DRV_FPGA_REG_FREQ_WORD[2][3] = {{16, 18, 20}, {48, 50, 52}};
constexpr uint16 DRV_FPGA_REG_MOD_FREQ_WORD[2][3] = {{26, 28, 30}, {58, 60, 62}};
constexpr uint16 DRV_FPGA_REG_HOP_FREQ_WORD[2][3] = {{164, 166, 168}, {180, 182, 184}};
// Start phase: bits 0-15, then bits 16-31.
constexpr uint16 DRV_FPGA_REG_START_PHASE[2][2] = {{90, 22}, {92, 54}};
// Phase offset: bits 0-15, then bits 16-31.
constexpr uint16 DRV_FPGA_REG_PHASE_OFFSET[2][2] = {{154, 57}, {156, 59}};
// 80-bit sample-rate reciprocal, bits 0-15 up to 64-79.
constexpr uint16 DRV_FPGA_REG_RATE_RECIP[2][5] = {{225, 227, 229, 231, 233}, {235, 237, 239, 209, 211}};

// Modulation.
constexpr uint16 DRV_FPGA_REG_MOD_WORD[2][3] = {{38, 170, 100}, {70, 186, 102}};
constexpr uint16 DRV_FPGA_REG_MOD[2] = {40, 72};

// Burst: cycle count bits 16-31, then bits 0-15; delay in 150 MHz ticks, bits 0-15, 16-31.
constexpr uint16 DRV_FPGA_REG_BURST_CYCLES[2][2] = {{42, 46}, {74, 78}};
constexpr uint16 DRV_FPGA_REG_BURST_DELAY[2][2] = {{160, 162}, {176, 178}};

// Output path.
constexpr uint16 DRV_FPGA_REG_DIGITAL_GAIN[2] = {33, 35};
constexpr uint16 DRV_FPGA_REG_MULTIPLIER[2] = {37, 39};
constexpr uint16 DRV_FPGA_REG_WAVE_DAC_REF[2] = {41, 43};
constexpr uint16 DRV_FPGA_REG_WAVE_DAC_TRIM[2] = {44, 76};
// Product 4: DC level; register 51 is also read as the counter level.
constexpr uint16 DRV_FPGA_REG_DC_LEVEL[2] = {49, 51};
// Bit 3 / bit 2: output of channel 0 / 1 inverted.
constexpr uint16 DRV_FPGA_REG_POLARITY = 80;
// Bits 0-4: trigger and sync output routing, external trigger input.
constexpr uint16 DRV_FPGA_REG_ROUTING = 82;
constexpr uint16 DRV_FPGA_REG_MANUAL_TRIGGER = 84;
constexpr uint16 DRV_FPGA_REG_COMBINE = 86;
constexpr uint16 DRV_FPGA_REG_COMBINE_RATIO = 88;
constexpr uint16 DRV_FPGA_REG_TABLE_DATA[2] = {104, 91};
constexpr uint16 DRV_FPGA_REG_FILTER_COEF[2] = {95, 93};
constexpr uint16 DRV_FPGA_REG_MUX = 96;
// Bit 15 ready, the value in bits 0-13 (product 4: 0-11).
constexpr uint16 DRV_FPGA_REG_ADC = 98;
constexpr uint16 DRV_FPGA_REG_OVERLOAD_DAC[2][2] = {{128, 130}, {136, 138}};
constexpr uint16 DRV_FPGA_REG_ADDER_DAC[2] = {132, 134};
constexpr uint16 DRV_FPGA_REG_TIME_BASE_DAC = 144;
// A 48-bit value: bits 32-47, 16-31, 0-15.
constexpr uint16 DRV_FPGA_REG_WORD48[3] = {146, 147, 148};
// Bits 0 / 1 output relays, 2 / 3 attenuators, 4 overload select.
constexpr uint16 DRV_FPGA_REG_RELAYS = 158;

// Counter.
constexpr uint16 DRV_FPGA_REG_COUNTER_RESTART = 112;
constexpr uint16 DRV_FPGA_REG_COUNTER_CYCLES[2] = {113, 115};
constexpr uint16 DRV_FPGA_REG_COUNTER_VALUE[2] = {114, 116};
constexpr uint16 DRV_FPGA_REG_COUNTER_VALID = 118;
constexpr uint16 DRV_FPGA_REG_COUNTER_TOTAL_TICKS[2] = {120, 122};
constexpr uint16 DRV_FPGA_REG_COUNTER_HIGH_TICKS[2] = {124, 126};
constexpr uint16 DRV_FPGA_REG_COUNTER_LEVEL = 140;

// FPGA RAM self-test.
constexpr uint16 DRV_FPGA_REG_RAM_TEST = 161;

// Pulse generator. Bit 15 of the count's top register is the pulse mode.
constexpr uint16 DRV_FPGA_REG_PULSE_FRAC[2][3] = {{172, 174, 206}, {188, 190, 222}};
constexpr uint16 DRV_FPGA_REG_PULSE_COUNT[2][3] = {{192, 194, 196}, {208, 210, 212}};
constexpr uint16 DRV_FPGA_REG_EDGE1_STEP[2][3] = {{198, 200, 202}, {214, 216, 218}};
constexpr uint16 DRV_FPGA_REG_EDGE2_STEP[2][3] = {{204, 244, 246}, {220, 248, 250}};
constexpr uint16 DRV_FPGA_REG_EDGE1_SCALE[2][2] = {{224, 226}, {232, 234}};
constexpr uint16 DRV_FPGA_REG_EDGE2_SCALE[2][2] = {{228, 230}, {236, 238}};

// Sample-rate mode and wave loading (register 65 is shared by both channels).
constexpr uint16 DRV_FPGA_REG_SAMPLE_RATE_CTRL = 65;
// Start offset: bits 0-15, then bits 16-31.
constexpr uint16 DRV_FPGA_REG_START_OFFSET[2][2] = {{75, 63}, {61, 87}};
// Sample-rate-mode wave length: bits 0-15, then bits 16-31.
constexpr uint16 DRV_FPGA_REG_WAVE_LEN[2][2] = {{81, 85}, {83, 89}};

// Serial bus: bit 0 clock, bit 1 data, other bits select lines; idle word 0xFFFE.
constexpr uint16 DRV_FPGA_REG_SERIAL = 240;
// Bits 0 / 1 noise mode, 2 / 3 amplitude-path flag, 14 noise modulation.
constexpr uint16 DRV_FPGA_REG_MODE_FLAGS = 241;
constexpr uint16 DRV_FPGA_REG_SERIAL_READ = 242;

// Block ports (addresses of the transport's block transfers, not registers).
constexpr uint16 DRV_FPGA_PORT_FLASH_READ = 11;
constexpr uint16 DRV_FPGA_PORT_FLASH_PAGE = 92;
constexpr uint16 DRV_FPGA_PORT_SAMPLE_RATE[2] = {67, 79};
constexpr uint16 DRV_FPGA_PORT_WAVE[2] = {252, 253};
constexpr uint16 DRV_FPGA_PORT_MOD_WAVE[2] = {254, 255};
