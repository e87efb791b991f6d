// The floor of a process: a statically linked program that prints one line through
// the C library and ends. `h8 Hello` is timed against it.
#include <cstdio>

int main() {
    return std::puts("Hello") < 0 ? 1 : 0;
}
