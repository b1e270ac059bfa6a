#include "qelmod.h"
#include "stdout_capture.h"
#include "umockdev_tmc_module.h"
#include "usb_testbed.h"
#include "usbtmc_driver.h"
#include "usbtmc_module_ids.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <elf.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

extern "C" int qelmod_header_result_size(void);

namespace {

// The defined dynamic symbols and the needed libraries of a 64-bit ELF shared object.
struct elf_exports_t
{
    std::set<std::string> symbols;
    std::vector<std::string> needed;
    bool valid = false;
};

template <class T> const T *elf_at(const std::vector<char> &file, std::size_t offset, std::size_t count = 1)
{
    if (offset > file.size() || count > (file.size() - offset) / sizeof(T))
        return nullptr;
    return reinterpret_cast<const T *>(file.data() + offset);
}

std::string elf_string(const std::vector<char> &file, const Elf64_Shdr &strings, std::size_t index)
{
    if (index >= strings.sh_size || strings.sh_offset + index >= file.size())
        return std::string();
    const char *start = file.data() + strings.sh_offset + index;
    return std::string(start, strnlen(start, file.size() - strings.sh_offset - index));
}

elf_exports_t elf_read_exports(const std::string &path)
{
    elf_exports_t result;
    std::ifstream in(path, std::ios::binary);
    std::vector<char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const Elf64_Ehdr *header = elf_at<Elf64_Ehdr>(file, 0);
    if (!header || std::memcmp(header->e_ident, ELFMAG, SELFMAG) != 0 || header->e_ident[EI_CLASS] != ELFCLASS64)
        return result;
    const Elf64_Shdr *sections = elf_at<Elf64_Shdr>(file, header->e_shoff, header->e_shnum);
    if (!sections)
        return result;
    for (int i = 0; i < header->e_shnum; ++i) {
        const Elf64_Shdr &section = sections[i];
        if (section.sh_link >= header->e_shnum)
            continue;
        const Elf64_Shdr &strings = sections[section.sh_link];
        if (section.sh_type == SHT_DYNSYM) {
            std::size_t count = section.sh_size / sizeof(Elf64_Sym);
            const Elf64_Sym *symbols = elf_at<Elf64_Sym>(file, section.sh_offset, count);
            for (std::size_t s = 0; symbols && s < count; ++s) {
                int bind = ELF64_ST_BIND(symbols[s].st_info);
                if (symbols[s].st_shndx != SHN_UNDEF && (bind == STB_GLOBAL || bind == STB_WEAK))
                    result.symbols.insert(elf_string(file, strings, symbols[s].st_name));
            }
        } else if (section.sh_type == SHT_DYNAMIC) {
            std::size_t count = section.sh_size / sizeof(Elf64_Dyn);
            const Elf64_Dyn *entries = elf_at<Elf64_Dyn>(file, section.sh_offset, count);
            for (std::size_t d = 0; entries && d < count; ++d)
                if (entries[d].d_tag == DT_NEEDED)
                    result.needed.push_back(elf_string(file, strings, entries[d].d_un.d_val));
        }
    }
    result.valid = true;
    return result;
}

// libqelmod.so loaded as the program loads it; the exports are looked up by name.
class qelmod_library_t
{
public:
    qelmod_library_t() : _handle(dlopen(QELMOD_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL)) {}
    ~qelmod_library_t()
    {
        if (_handle)
            dlclose(_handle);
    }
    template <class F> F *find(const char *name) const
    {
        return _handle ? reinterpret_cast<F *>(dlsym(_handle, name)) : nullptr;
    }

private:
    void *_handle;
};

} // namespace

TEST(QelmodExports, DynamicSymbolsAreExactlyThe22Exports)
{
    elf_exports_t library = elf_read_exports(QELMOD_LIBRARY_PATH);
    ASSERT_TRUE(library.valid);
    EXPECT_EQ(library.symbols,
              (std::set<std::string>{"awg_cfg_init",          "awg_cfg_uninit",         "awg_set_ch_switch",
                                     "awg_set_wave_type",     "awg_set_arb_wave_type",  "awg_set_user_arb_wave",
                                     "awg_set_freqency",      "awg_set_period",         "awg_set_wave_ampl",
                                     "awg_set_high_level",    "awg_set_low_level",      "awg_set_offset",
                                     "awg_set_duty",          "awg_set_symmetry",       "awg_set_width",
                                     "awg_set_stdev",         "awg_set_mean",           "awg_set_load",
                                     "vextral_device_detected", "vextral_setinit",      "vextral_setARBmode",
                                     "vextral_loadData_toFpga"}));
    bool libusb = false;
    for (const std::string &needed : library.needed) {
        libusb = libusb || needed == "libusb-1.0.so.0";
        for (const char *foreign : {"gtest", "gmock", "glib", "gobject", "gio", "umockdev", "Qt"})
            EXPECT_EQ(needed.find(foreign), std::string::npos) << needed;
    }
    EXPECT_TRUE(libusb);
}

TEST(QelmodExports, HeaderCompilesAsC)
{
    EXPECT_EQ(qelmod_header_result_size(), static_cast<int>(3 * sizeof(int)));
}

TEST(QelmodExports, DeviceDetectedAnswersWhetherTheModuleIsPlugged)
{
    usb_testbed_t bed;
    qelmod_library_t library;
    auto *detected = library.find<int()>("vextral_device_detected");
    auto *setinit = library.find<void(unsigned char)>("vextral_setinit");
    ASSERT_NE(detected, nullptr);
    ASSERT_NE(setinit, nullptr);
    stdout_capture_t capture;
    EXPECT_EQ(detected(), 0);
    {
        umockdev_tmc_module_t module(bed);
        module.plug();
        EXPECT_EQ(detected(), 1);
        setinit(1);
        EXPECT_TRUE(module.wait_open_handles(0));
        module.unplug();
        EXPECT_EQ(detected(), 0);
    }
    EXPECT_EQ(capture.finish(), "usbtmc_init_driver: vid = " + std::to_string(USBTMC_MODULE_VID) +
                                    "pid = " + std::to_string(USBTMC_MODULE_PID) + "\n");
}

TEST(QelmodExports, LinkedExportsReachTheSameDevice)
{
    usb_testbed_t bed;
    umockdev_tmc_module_t module(bed);
    module.plug();
    EXPECT_EQ(vextral_device_detected(), 1);
    vextral_setinit(0);
    EXPECT_TRUE(module.wait_open_handles(0));
    usbtmc_uninit_driver();
}
