#include "cfg_forever_data.h"

#include "drv_flash_file.h"
#include "drv_fpga.h"
#include "drv_instance_manage.h"
#include "gos.h"

namespace {

constexpr u32 CFG_FOREVER_OFFSET_VEXTRAL = 32768;
constexpr u32 CFG_FOREVER_OFFSET_OTHER = 0;
constexpr u32 CFG_FLASH_AREA_OFFSET = 458752;
constexpr char CFG_CALI_DATE_FILE[] = "/usr/bin/korvane/firmdata0/cali_date";
constexpr char CFG_REMOUNT_RW[] = "mount -o remount,rw /usr/bin/korvane/firmdata0";
constexpr char CFG_REMOUNT_RO[] = "mount -o remount,ro /usr/bin/korvane/firmdata0";
constexpr char CFG_SYNC[] = "sync";

bool cfg_is_vextral()
{
    return drv_instance_manage_t::get_instance()->get_product_id() == DRV_PRODUCT_VEXTRAL;
}

u32 cfg_forever_offset()
{
    return cfg_is_vextral() ? CFG_FOREVER_OFFSET_VEXTRAL : CFG_FOREVER_OFFSET_OTHER;
}

bool cfg_has_data(const void *buf, u32 len)
{
    return buf != nullptr && len != 0;
}

} // namespace

int32 cfg_read_forever_data(u8 *buf, u32 len)
{
    if (!cfg_has_data(buf, len))
        return 0;
    return drv_flash_read(cfg_forever_offset(), len, buf);
}

int32 cfg_write_forever_data(const u8 *buf, u32 len)
{
    if (!cfg_has_data(buf, len))
        return 0;
    if (cfg_is_vextral())
        return cfg_write_flash(CFG_FOREVER_OFFSET_VEXTRAL, buf, len);
    cfg_write_cali_date_file(buf, len);
    return cfg_write_flash(CFG_FOREVER_OFFSET_OTHER, buf, len);
}

int32 cfg_write_flash(u32 offset, const u8 *buf, u32 len)
{
    if (!cfg_has_data(buf, len))
        return 0;
    if (!cfg_is_vextral()) {
        drv_fpga_t *fpga = drv_instance_manage_t::get_instance()->get_fpga();
        uint32 first = 0;
        uint32 count = 0;
        const int32 range = fpga->calc_flash_sectors(offset, len, &first, &count);
        if (range != 1)
            return range;
        int32 erased = 1;
        for (uint32 i = 0; i < count; ++i)
            erased = fpga->erase_flash_sector(first + i);
        if (count != 0 && erased != 1)
            return erased;
    }
    drv_flash_write(offset, len, buf);
    return 1;
}

int32 cfg_write_cali_date_file(const u8 *buf, u32 len)
{
    if (!cfg_has_data(buf, len))
        return 0;
    const std::string path = CFG_CALI_DATE_FILE;
    gos_system(CFG_REMOUNT_RW);
    const int32 result = drv_file_write(path, reinterpret_cast<const char *>(buf), static_cast<int32>(len));
    gos_system(CFG_REMOUNT_RO);
    gos_system(CFG_SYNC);
    return result;
}

int32 cfg_read_cali_date_file(u8 *buf, u32 len)
{
    if (!cfg_has_data(buf, len))
        return 0;
    return drv_file_read(CFG_CALI_DATE_FILE, reinterpret_cast<char *>(buf), static_cast<int32>(len));
}

int32 cfg_read_flash_area(u8 *buf, u32 len)
{
    return cfg_read_flash(CFG_FLASH_AREA_OFFSET, buf, len);
}

int32 cfg_write_flash_area(const u8 *buf, u32 len)
{
    return cfg_write_flash(CFG_FLASH_AREA_OFFSET, buf, len);
}

int32 cfg_read_flash(u32 offset, u8 *buf, u32 len)
{
    if (!cfg_has_data(buf, len))
        return 0;
    return drv_flash_read(offset, len, buf);
}

int32 cfg_flash_access(int op, u32 offset, u8 *buf, u32 len)
{
    switch (op) {
    case 0: return cfg_write_flash(offset, buf, len);
    case 1: return cfg_read_flash(offset, buf, len);
    default: return 0;
    }
}

int32 cfg_flash_req_write(const cfg_flash_req_t *req)
{
    if (!req || !cfg_has_data(req->buf, req->len))
        return 0;
    return drv_flash_write(req->offset, req->len, req->buf);
}

int32 cfg_flash_req_read(const cfg_flash_req_t *req)
{
    return req ? cfg_read_flash(req->offset, req->buf, req->len) : 0;
}

int32 cfg_flash_erase_sector(u32 sector)
{
    return drv_flash_erase_sector(sector);
}
