#include "sim_store.h"

#include "sim_engine.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

bool sim_store_t::open(const std::string &folder, std::string &error)
{
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec || !std::filesystem::is_directory(folder, ec)) {
        error = "cannot create the store folder " + folder + (ec ? ": " + ec.message() : std::string());
        return false;
    }
    m_folder = folder;
    return true;
}

std::string sim_store_t::file_name(const std::string &name)
{
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                           c == '_' || (c == '.' && i > 0);
        if (plain) {
            out += char(c);
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            out += hex;
        }
    }
    return out;
}

std::string sim_store_t::path(const std::string &address, const std::string &name) const
{
    return m_folder + "/" + address + "/" + file_name(name) + ".bin";
}

bool sim_store_t::save(const std::string &address, const sim_wave_t &wave, std::string &error) const
{
    std::error_code ec;
    std::filesystem::create_directories(m_folder + "/" + address, ec);
    const std::string final_path = path(address, wave.name);
    const std::string part = final_path + ".part";
    std::FILE *f = std::fopen(part.c_str(), "wb");
    bool ok = f && std::fwrite(wave.data.data(), 1, wave.data.size(), f) == wave.data.size();
    if (f && std::fclose(f) != 0)
        ok = false;
    if (ok && std::rename(part.c_str(), final_path.c_str()) != 0)
        ok = false;
    if (!ok) {
        error = "cannot store " + final_path + ": " + std::strerror(errno);
        std::remove(part.c_str());
    }
    return ok;
}
