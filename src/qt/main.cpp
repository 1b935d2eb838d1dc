// varnel32 entry point (placeholder until the window lands).
#include <cstdio>

int main() {
    std::puts("varnel32");
    return 0;
}
