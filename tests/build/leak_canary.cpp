// Leaks on purpose. The sanitizer build runs it with the leak suppressions the other tests use,
// and expects the leak to be reported: the suppressions must never hide a leak of our own.
#include <cstdio>

namespace {
int* volatile leaked = nullptr;
}

int main() {
    leaked = new int[256]{42};
    std::printf("allocated %d\n", leaked[0]);
    leaked = nullptr;
    return 0;
}
