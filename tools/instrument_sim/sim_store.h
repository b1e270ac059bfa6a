#pragma once
#include <string>

struct sim_wave_t;

// The simulator's store folder: the samples of every waveform a download completed, as
// the raw bytes received, in <folder>/<address>/<name>.bin. A later download of the same
// name replaces the file whole; a reader never sees half of one.
class sim_store_t
{
public:
    // Creates the folder and its parents: false, with `error` said, when it cannot.
    bool open(const std::string &folder, std::string &error);
    bool is_open() const { return !m_folder.empty(); }

    // False, with `error` said, when the file could not be written.
    bool save(const std::string &address, const sim_wave_t &wave, std::string &error) const;
    // Where a waveform of this name from this address lands.
    std::string path(const std::string &address, const std::string &name) const;
    // The wave name as a file name: letters, digits, '-' and '_' as they are, '.' too
    // except at the start, every other byte as %HH.
    static std::string file_name(const std::string &name);

private:
    std::string m_folder;
};
