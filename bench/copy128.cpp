// Copies files to standard output in 128-byte reads and 128-byte writes, converting nothing:
// the least that any copy with the window's buffer size must cost.

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

int main(int argc, char** argv) {
    char buffer[128];
    for (int i = 1; i < argc; ++i) {
        int fd = open(argv[i], O_RDONLY);
        if (fd < 0) {
            std::perror(argv[i]);
            return 1;
        }
        ssize_t n;
        while ((n = read(fd, buffer, sizeof buffer)) > 0) {
            if (write(STDOUT_FILENO, buffer, static_cast<size_t>(n)) != n) {
                std::perror("write");
                return 1;
            }
        }
        close(fd);
    }
    return 0;
}
