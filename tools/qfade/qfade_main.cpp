#include <cstdio>
int main() { std::puts("qfade: not yet"); return 0; }
