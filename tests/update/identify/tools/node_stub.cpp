// A stand-in for a script runtime that the product-name rules ask for its release line: it
// answers the one question with "undefined" (a current release) and anything else with a
// complaint, so a test sees whether the arguments arrived as they were sent.
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    const bool asked = argc == 3 && std::strcmp(argv[1], "-pe") == 0 &&
                       std::strcmp(argv[2], "process.release.lts") == 0;
    std::puts(asked ? "undefined" : "unexpected arguments");
    return 0;
}
