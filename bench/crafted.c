/* Writes two INI files of one section with the same number of keys: crafted.ini, whose key
 * names all share the low 16 bits of their unseeded 32-bit FNV-1a hash (names an attacker
 * could craft against a hash index without a secret seed), and plain.ini with ordinary names
 * of the same length. Usage: crafted DIR KEYS */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

static const char alphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";

static uint32_t fnv_step(uint32_t hash, char c) {
    return (hash ^ (unsigned char)c) * 16777619u;
}

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    const long keys = atol(argv[2]);
    char path[4096];
    snprintf(path, sizeof path, "%s/crafted.ini", argv[1]);
    FILE* crafted = fopen(path, "w");
    snprintf(path, sizeof path, "%s/plain.ini", argv[1]);
    FILE* plain = fopen(path, "w");
    if (!crafted || !plain)
        return 1;
    fputs("[s]\n", crafted);
    fputs("[s]\n", plain);
    for (long n = 0; n < keys; ++n) {
        char prefix[16];
        const int length = snprintf(prefix, sizeof prefix, "k%06ld", n);
        uint32_t state = 2166136261u;
        for (int i = 0; i < length; ++i)
            state = fnv_step(state, prefix[i]);
        for (long tail = 0;; ++tail) {
            const char a = alphabet[tail % 36], b = alphabet[tail / 36 % 36],
                       c = alphabet[tail / 1296 % 36], d = alphabet[tail / 46656 % 36];
            if ((fnv_step(fnv_step(fnv_step(fnv_step(state, a), b), c), d) & 0xFFFFu) == 0) {
                fprintf(crafted, "%s%c%c%c%c=v\n", prefix, a, b, c, d);
                fprintf(plain, "%s%c%c%c%c=v\n", prefix, 'a' + (int)(n % 26), b, c, d);
                break;
            }
        }
    }
    return fclose(crafted) != 0 || fclose(plain) != 0;
}
