// The maker's web server on loopback for process measures and demonstrations: prints
// "listening 127.0.0.1:<port>" and serves the update check ("1.23.0.47", or the first argument)
// and the links file over HTTPS (plain HTTP with "--http") until it is stopped.
#include "update/net/TestServer.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    auto tls = dm::test::TestServer::Tls::On;
    const char* version = "1.23.0.47";
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--http") == 0)
            tls = dm::test::TestServer::Tls::Off;
        else
            version = argv[i];
    }
    dm::test::TestServer server(tls);
    if (!server.listening()) {
        std::fprintf(stderr, "cannot listen on 127.0.0.1\n");
        return 1;
    }
    server.serve("/vigil/check.php", 200, "OK", version);
    server.serve("/dimmetric/dimmetric.ini", 200, "OK",
                 "[links]\r\nram=https://shop.example/ram\r\n");
    std::printf("listening %s\n", server.hostPort().c_str());
    std::fflush(stdout);
    return QCoreApplication::exec();
}
