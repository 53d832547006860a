#include <cstdio>

int main() {
    std::puts("Зорвел: the main window is not built yet.");
    return 0;
}
