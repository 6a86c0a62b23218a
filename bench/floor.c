/* The floor of a vornel run: exactly the shell probes that vornel makes to accept an existing
 * file (test -d, test -e, test -w on the path), and nothing else. Usage: floor PATH */
#include <stdio.h>
#include <stdlib.h>

static int probe(char option, const char* path) {
    char command[4096];
    snprintf(command, sizeof command, "test -%c '%s'", option, path);
    return system(command) == 0;
}

int main(int argc, char** argv) {
    if (argc < 2)
        return 1;
    if (probe('d', argv[1]))
        return 0;
    if (!probe('e', argv[1]))
        return 1;
    return probe('w', argv[1]) ? 0 : 1;
}
