// A maker's web server on loopback for process measurements and demonstrations: prints
// "listening 127.0.0.1:<port>" and serves the update check ("1.23.0.47", or the first argument)
// and the links file until it is stopped. "--http" serves plain HTTP.
#include "app/MakerServer.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    bool tls = true;
    const char* version = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--http") == 0)
            tls = false;
        else
            version = argv[i];
    }
    dm::test::MakerServer server(tls);
    if (version)
        server.latestVersion = version;
    if (!server.listen()) {
        std::fprintf(stderr, "cannot listen on 127.0.0.1\n");
        return 1;
    }
    std::printf("listening %s\n", server.hostPort().c_str());
    std::fflush(stdout);
    return QCoreApplication::exec();
}
