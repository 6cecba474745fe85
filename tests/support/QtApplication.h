// Makes the process's QApplication for tests, once.
#pragma once

#include <QApplication>

#include <string>

namespace dm::test {

// Makes the process's QApplication, named program, unless there is one already; it lives until
// the process ends, so widgets made by any test may outlive their test.
inline void ensureQtApplication(const char* program) {
    if (QApplication::instance())
        return;
    static int argc = 1;
    static std::string name = program;
    static char* argv[] = {name.data(), nullptr};
    new QApplication(argc, argv);
}

} // namespace dm::test
