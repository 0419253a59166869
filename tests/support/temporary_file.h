#pragma once

#include <unistd.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tropolink::testing_support {

// A file descriptor of an unnamed temporary file holding `content`, read from the start.
inline int temporaryFileWith(std::string_view content) {
    std::FILE* file = std::tmpfile();
    if (!file) throw std::runtime_error("no temporary file");
    const int fd = dup(fileno(file));
    std::fclose(file);
    for (std::size_t done = 0; done < content.size();) {
        const ssize_t n = write(fd, content.data() + done, content.size() - done);
        if (n <= 0) throw std::runtime_error("cannot write temporary file");
        done += static_cast<std::size_t>(n);
    }
    lseek(fd, 0, SEEK_SET);
    return fd;
}

// Everything in the file, from its start.
inline std::string readAll(int fd) {
    lseek(fd, 0, SEEK_SET);
    std::string text;
    char buffer[65536];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(n));
    return text;
}

}  // namespace tropolink::testing_support
