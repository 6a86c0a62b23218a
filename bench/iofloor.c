/* The I/O floor of a change: read the file whole, write the same bytes to a temporary file in
 * its directory, fsync it and rename it over the file; nothing else. Usage: iofloor PATH */
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc < 2)
        return 1;
    const int in = open(argv[1], O_RDONLY);
    struct stat info;
    if (in < 0 || fstat(in, &info) != 0)
        return 1;
    char* text = malloc((size_t)info.st_size + 1);
    size_t size = 0;
    ssize_t got;
    while (text && (got = read(in, text + size, (size_t)info.st_size + 1 - size)) > 0)
        size += (size_t)got;
    close(in);
    char temporary[4096];
    snprintf(temporary, sizeof temporary, "%s.XXXXXX", argv[1]);
    const int out = mkstemp(temporary);
    if (!text || out < 0 || write(out, text, size) != (ssize_t)size || fsync(out) != 0)
        return 1;
    close(out);
    return rename(temporary, argv[1]) == 0 ? 0 : 1;
}
