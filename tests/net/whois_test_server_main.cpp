// whois_test_server: the tests' scripted WHOIS server as a program, for benchmarks and
// manual runs. Every connection gets the same answer, then the server closes it.
//   whois_test_server [--port N] [--answer TEXT | --answer-file PATH]
#include "WhoisTestServer.h"

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>

int main(int argc, char* argv[])
{
    uint16_t port = 0;
    std::string answer = "   No match for domain.\r\n";
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view option = argv[i];
        if (option == "--port") {
            port = static_cast<uint16_t>(std::atoi(argv[i + 1]));
        } else if (option == "--answer") {
            answer = argv[i + 1];
        } else if (option == "--answer-file") {
            std::ifstream file(argv[i + 1], std::ios::binary);
            if (!file) {
                std::cerr << "cannot read " << argv[i + 1] << '\n';
                return 2;
            }
            answer.assign(std::istreambuf_iterator<char>(file), {});
        } else {
            std::cerr << "usage: whois_test_server [--port N] [--answer TEXT | --answer-file PATH]\n";
            return 2;
        }
    }

    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    TWhoisTestServer server({TWhoisTestServer::Answer(answer)}, port);
    std::cout << "port: " << server.Port() << std::endl;
    int signal = 0;
    sigwait(&stopSignals, &signal);
    return 0;
}
