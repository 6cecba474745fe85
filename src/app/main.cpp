#include <cstdio>

// Placeholder entry until the main window lands.
int main() {
    std::puts("Dimmetric");
    return 0;
}
