// A small scripted telnet host for trying the program's terminal by hand: on
// 127.0.0.1 it asks for a login name and a password (the prompts the automatic
// login of the Wireless LAN page answers), then shows a menu screen drawn with VT
// sequences. Each line typed is answered on the screen; "q" ends the session.
//
//   telnet_host [PORT]     (default 23, the program's default telnet port, which
//                           needs root; one session, then it ends)
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void put(int fd, const std::string& s) {
    std::size_t sent = 0;
    while (sent < s.size()) {
        const ssize_t n = send(fd, s.data() + sent, s.size() - sent, 0);
        if (n <= 0) return;
        sent += static_cast<std::size_t>(n);
    }
}

// One line up to CR or LF; telnet commands (IAC ...) are skipped. False at the end.
bool readLine(int fd, std::string& line) {
    line.clear();
    unsigned char c = 0;
    int skip = 0;
    for (;;) {
        if (recv(fd, &c, 1, 0) != 1) return false;
        if (skip > 0) {
            --skip;
            continue;
        }
        if (c == 255) {
            skip = 2;  // IAC and a command with its option
            continue;
        }
        if (c == '\r' || c == '\n') {
            if (!line.empty()) return true;
            continue;
        }
        if (c == 3) return false;  // Ctrl+C: the session is interrupted
        if (c >= ' ' && c < 127) line += static_cast<char>(c);
    }
}

std::string at(int row, int column) {
    return "\x1b[" + std::to_string(row) + ";" + std::to_string(column) + "H";
}

void menu(int fd, const std::string& user, const std::string& answer) {
    std::string s = "\x1b[2J" + at(1, 1) + "\x1b[7m WAREHOUSE " + user + " \x1b[0m";
    s += at(3, 3) + "1  Receive" + at(4, 3) + "2  Pick" + at(5, 3) + "3  Ship";
    s += at(6, 3) + "q  Log off";
    if (!answer.empty()) s += at(8, 3) + "You chose: " + answer;
    s += at(10, 3) + "Choice: ";
    put(fd, s);
}

}  // namespace

int main(int argc, char** argv) {
    const int port = argc > 1 ? std::atoi(argv[1]) : 23;
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    const int yes = 1;
    setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(listener, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        listen(listener, 1) != 0) {
        std::fprintf(stderr, "telnet_host: cannot listen on 127.0.0.1:%d\n", port);
        return 1;
    }
    std::printf("telnet_host: listening on 127.0.0.1:%d\n", port);
    std::fflush(stdout);
    const int fd = accept(listener, nullptr, nullptr);
    close(listener);
    if (fd < 0) return 1;
    std::string user, password, line;
    put(fd, "login: ");
    if (!readLine(fd, user)) return 0;
    put(fd, "\r\npassword: ");
    if (!readLine(fd, password)) return 0;
    std::printf("telnet_host: %s logged in\n", user.c_str());
    menu(fd, user, "");
    while (readLine(fd, line) && line != "q") menu(fd, user, line);
    put(fd, "\x1b[2J" + at(1, 1) + "Bye.\r\n");
    close(fd);
    std::printf("telnet_host: session ended\n");
    return 0;
}
