#include "drv_flash_file.h"

#include "drv_flash_chunk.h"
#include "drv_fpga.h"
#include "drv_instance_manage.h"
#include "gos.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <system_error>

namespace {

constexpr int32 DRV_CWD_BUFFER = 128;

drv_fpga_t *drv_flash_fpga()
{
    return drv_instance_manage_t::get_instance()->get_fpga();
}

// What "rm -f <folder>*" removes: the folder's regular files whose names do not start
// with a dot. Directories, links and other entries stay.
void drv_remove_regular_files(const std::filesystem::path &folder)
{
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    if (error)
        return;
    for (const std::filesystem::directory_entry &entry : it) {
        const std::string name = entry.path().filename().string();
        if (name.empty() || name[0] == '.')
            continue;
        std::error_code status_error;
        if (entry.symlink_status(status_error).type() != std::filesystem::file_type::regular)
            continue;
        std::error_code remove_error;
        std::filesystem::remove(entry.path(), remove_error);
    }
}

} // namespace

int32 drv_flash_write(uint32 offset, uint32 length, const uint8 *buffer)
{
    drv_fpga_t *fpga = drv_flash_fpga();
    drv_flash_chunk_t chunks = {0, 0};
    fpga->get_flash_chunks(&chunks);
    fpga->write_flash(offset, length, buffer, &chunks);
    return 1;
}

int32 drv_flash_read(uint32 offset, uint32 length, uint8 *buffer)
{
    drv_fpga_t *fpga = drv_flash_fpga();
    drv_flash_chunk_t chunks = {0, 0};
    fpga->get_flash_chunks(&chunks);
    fpga->read_flash(offset, length, buffer, &chunks);
    return 1;
}

int32 drv_flash_erase_sector(uint32 index)
{
    return drv_flash_fpga()->erase_flash_sector(index);
}

int32 drv_file_write(const std::string &path, const char *buffer, int32 length)
{
    std::ofstream file(path, std::ios::binary | std::ios::out | std::ios::trunc);
    if (file.is_open() && buffer && length > 0)
        file.write(buffer, length);
    return 1;
}

int32 drv_file_read(const std::string &path, char *buffer, int32 length)
{
    std::ifstream file(path, std::ios::binary | std::ios::in);
    if (file.is_open() && buffer && length > 0)
        file.read(buffer, length);
    return 1;
}

int32 drv_clear_user_files()
{
    char prefix[DRV_CWD_BUFFER] = {};
    gos_getcwd(prefix, DRV_CWD_BUFFER);
    prefix[DRV_CWD_BUFFER - 1] = '\0';
    static const char *const folders[2] = {"usr/usr/", "usr/config/"};
    for (const char *folder : folders)
        gos_printf("rm -f %s%s*\n", prefix, folder);
    for (const char *folder : folders)
        drv_remove_regular_files(std::filesystem::path(prefix) / folder);
    ::sync();
    return 1;
}
