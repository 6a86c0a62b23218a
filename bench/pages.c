/* What a first touch of memory pages costs when a file is read: reads the file into fresh
 * anonymous memory of ordinary pages, or of huge pages, as vornel reads its text.
 * Usage: pages PATH small|huge */
#define _GNU_SOURCE
#include <fcntl.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

int main(int argc, char** argv) {
    struct stat info;
    const int fd = argc < 3 ? -1 : open(argv[1], O_RDONLY);
    if (fd < 0 || fstat(fd, &info) != 0)
        return 1;
    const size_t huge = 2u << 20, size = ((size_t)info.st_size + huge) / huge * huge;
    char* text = mmap(NULL, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (text == MAP_FAILED)
        return 1;
    if (strcmp(argv[2], "huge") == 0)
        madvise(text, size, MADV_HUGEPAGE);
    size_t done = 0;
    ssize_t got;
    while ((got = read(fd, text + done, size - done)) > 0)
        done += (size_t)got;
    return done == (size_t)info.st_size ? 0 : 1;
}
