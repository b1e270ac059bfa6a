#include "usb_testbed.h"

#include <umockdev.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

const char *const USB_TESTBED_WRAPPED_MARKER = "ONDRIX_UMOCKDEV_WRAPPED";

namespace {

// The preload library comes before the sanitizer runtime under the wrapper, which
// AddressSanitizer refuses unless told not to check.
void usb_testbed_relax_asan_link_order()
{
    const char *options = std::getenv("ASAN_OPTIONS");
    std::string value = options ? options : "";
    if (value.find("verify_asan_link_order") != std::string::npos)
        return;
    if (!value.empty())
        value += ':';
    value += "verify_asan_link_order=0";
    setenv("ASAN_OPTIONS", value.c_str(), 1);
}

} // namespace

bool usb_testbed_is_wrapped()
{
    const char *marker = std::getenv(USB_TESTBED_WRAPPED_MARKER);
    return marker && std::strcmp(marker, "1") == 0;
}

std::string usb_testbed_enter_wrapper(int argc, char **argv)
{
    if (usb_testbed_is_wrapped())
        return std::string();
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0)
            return std::string();
    setenv(USB_TESTBED_WRAPPED_MARKER, "1", 1);
    usb_testbed_relax_asan_link_order();
    std::vector<char *> args;
    args.push_back(const_cast<char *>("umockdev-wrapper"));
    for (int i = 0; i < argc; ++i)
        args.push_back(argv[i]);
    args.push_back(nullptr);
    execvp(args[0], args.data());
    return std::string("cannot run umockdev-wrapper: ") + std::strerror(errno);
}

usb_testbed_t::usb_testbed_t() : _testbed(umockdev_testbed_new()) {}

usb_testbed_t::~usb_testbed_t()
{
    g_object_unref(_testbed);
}
