#include "lib_output.h"

#include "gos.h"

#include <cstdarg>
#include <cstring>
#include <memory>
#include <string>

namespace {

// Lines are gathered into one bounded buffer and written in blocks.
class lib_csv_writer_t
{
public:
    explicit lib_csv_writer_t(std::FILE *file) : _file(file) {}

    // The byte in decimal and a line feed: at most four characters.
    void add(u8 value)
    {
        if (_used + 4 > sizeof _buffer)
            flush();
        if (value >= 100)
            _buffer[_used++] = static_cast<char>('0' + value / 100);
        if (value >= 10)
            _buffer[_used++] = static_cast<char>('0' + value / 10 % 10);
        _buffer[_used++] = static_cast<char>('0' + value % 10);
        _buffer[_used++] = '\n';
    }

    void add_all(const u8 *data, u32 count)
    {
        for (u32 i = 0; i < count; ++i)
            add(data[i]);
    }

    bool flush()
    {
        if (_used > 0 && gos_fwrite(_buffer, 1, _used, _file) != _used)
            _failed = true;
        _used = 0;
        return !_failed;
    }

private:
    std::FILE *_file;
    char _buffer[65536];
    std::size_t _used = 0;
    bool _failed = false;
};

} // namespace

int32 lib_printf(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    const int count = gos_vprintf(format, args);
    va_end(args);
    return count;
}

int32 lib_sprintf(char *buffer, std::size_t size, const char *format, ...)
{
    if (!buffer || size == 0)
        return -1;
    va_list args;
    va_start(args, format);
    const int count = gos_vsnprintf(buffer, size, format, args);
    va_end(args);
    if (count < 0 || static_cast<std::size_t>(count) >= size) {
        buffer[0] = '\0';
        return -1;
    }
    return count;
}

void lib_write_int_line(std::FILE *file, int32 value)
{
    if (!file)
        return;
    char line[16];
    const int count = gos_sprintf(line, "%d\n", value);
    gos_fwrite(line, 1, static_cast<std::size_t>(count), file);
}

void lib_save_csv(const char *name, const u8 *first, const u8 *second, u32 count)
{
    if (!name)
        return;
    if (std::strlen(name) > 30) {
        gos_printf("filename too long!\n");
        return;
    }
    char file_name[55];
    gos_sprintf(file_name, "%s.csv", name);
    // Written beside the final name first, so that a failed dump keeps an earlier one.
    const std::string temporary = std::string(file_name) + ".part";
    std::FILE *file = gos_fopen(temporary.c_str(), "wb");
    if (!file) {
        gos_printf("can't open file! %s", file_name);
        return;
    }
    auto writer = std::make_unique<lib_csv_writer_t>(file);
    if (first && second) {
        writer->add_all(first, count / 2);
        writer->add_all(second, count / 2);
    } else if (first) {
        writer->add_all(first, count);
    }
    const bool written = writer->flush();
    const bool closed = gos_fclose(file) == 0;
    if (!written || !closed || gos_rename(temporary.c_str(), file_name) != 0) {
        gos_remove(temporary.c_str());
        gos_printf("can't write file! %s", file_name);
        return;
    }
    gos_system("sync");
}
