// Installs the crash handler into the folder argv[1], then dies of signal argv[2].
#include "plat_crash.h"

#include <csignal>
#include <cstdlib>

int main(int argc, char **argv)
{
    if (argc < 3 || !plat_install_crash_handler(argv[1]))
        return 2;
    std::raise(std::atoi(argv[2]));
    return 3;
}
