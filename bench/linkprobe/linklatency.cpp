// How long a byte takes from one process to another through a pseudo-terminal,
// the simulated radio's line, against a pipe as the baseline. The protocol
// gives every answer 100 ms; a machine whose terminal layer holds bytes longer
// than that under load fails transfers, and the tests against the simulated
// radio with them, whatever the program does.
//   build/bench/bench_linklatency [SAMPLES]        (default 5000, 2 ms apart)
// Run it beside the load in question (a build, two `yes > /dev/null`, ...).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <poll.h>
#include <pty.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr double ProtocolTimeoutMs = 100.0;

double nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

bool readAll(int fd, void *data, size_t size)
{
    auto *bytes = static_cast<char *>(data);
    while (size > 0) {
        const ssize_t n = ::read(fd, bytes, size);
        if (n <= 0)
            return false;
        bytes += n;
        size -= size_t(n);
    }
    return true;
}

// The child takes each sent time stamp as soon as it can and answers with the
// delay; it runs ahead of ordinary processes, as the simulated radio does.
void receive(int in, int results, int samples)
{
    (void)setpriority(PRIO_PROCESS, 0, -10);
    std::vector<double> delays;
    for (int i = 0; i < samples; ++i) {
        pollfd p{in, POLLIN, 0};
        (void)::poll(&p, 1, -1);
        double sent = 0;
        if (!readAll(in, &sent, sizeof sent))
            break;
        delays.push_back(nowMs() - sent);
    }
    (void)!::write(results, delays.data(), delays.size() * sizeof(double));
    _exit(0);
}

void measure(const char *name, int out, int in, int samples)
{
    int results[2];
    if (::pipe(results) != 0)
        return;
    const pid_t child = fork();
    if (child == 0) {
        ::close(out);
        receive(in, results[1], samples);
    }
    ::close(results[1]);
    for (int i = 0; i < samples; ++i) {
        const double sent = nowMs();
        (void)!::write(out, &sent, sizeof sent);
        usleep(2000);
    }
    std::vector<double> delays(static_cast<size_t>(samples));
    const bool complete = readAll(results[0], delays.data(), delays.size() * sizeof(double));
    ::close(results[0]);
    waitpid(child, nullptr, 0);
    if (!complete) {
        std::printf("%-5s incomplete\n", name);
        return;
    }
    std::sort(delays.begin(), delays.end());
    const auto late = std::count_if(delays.begin(), delays.end(), [](double d) { return d > ProtocolTimeoutMs; });
    std::printf("%-5s median %8.3f ms  p99 %8.3f ms  max %8.3f ms  over %.0f ms: %ld of %d\n", name,
                delays[delays.size() / 2], delays[delays.size() * 99 / 100], delays.back(), ProtocolTimeoutMs,
                long(late), samples);
}

} // namespace

int main(int argc, char *argv[])
{
    const int samples = argc > 1 ? std::max(10, std::atoi(argv[1])) : 5000;
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return 1;
    measure("pipe", pipeEnds[1], pipeEnds[0], samples);
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);

    int master = -1;
    int slave = -1;
    if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0)
        return 1;
    termios raw{};
    tcgetattr(slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(slave, TCSANOW, &raw);
    // Host side writes to the terminal, the radio's side reads the master.
    measure("pty", slave, master, samples);
    return 0;
}
