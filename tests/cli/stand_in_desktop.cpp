// A stand-in for tunewright-desktop in the front's tests: writes every word
// it was given, argv[0] first, one a line in brackets, then copies its
// standard input to standard output byte for byte, says "stand-in" on
// standard error and ends with status 42.
#include <cstdio>

int main(int argc, char** argv) {
    for (int i = 0; i < argc; ++i) std::printf("[%s]\n", argv[i]);
    char buffer[4096];
    while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, stdin)) std::fwrite(buffer, 1, got, stdout);
    std::fputs("stand-in\n", stderr);
    return 42;
}
