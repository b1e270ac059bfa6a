#include "dp83848k.h"

#include "gos.h"

#include <cstring>

namespace {

constexpr const char *DRV_DP83848K_ID = "0x20005c90";
constexpr std::size_t DRV_DP83848K_READ = 100;

} // namespace

dp83848k_t *dp83848k_t::get_instance()
{
    static dp83848k_t instance;
    return &instance;
}

int32 dp83848k_t::check_chip()
{
    return check_phy_id_file(DRV_DP83848K_ID_PATH);
}

int32 dp83848k_t::check_phy_id_file(const char *path)
{
    // Read through the C library: the descriptor entries of the OS layer are stubs that
    // read nothing, which would fail every check.
    std::FILE *file = gos_fopen(path, "rb");
    if (!file)
        return 0;
    char text[DRV_DP83848K_READ + 1] = {};
    gos_fread(text, 1, DRV_DP83848K_READ, file);
    gos_fclose(file);
    if (char *end = std::strchr(text, '\n'))
        *end = '\0';
    return std::strcmp(text, DRV_DP83848K_ID) == 0 ? 1 : 0;
}
