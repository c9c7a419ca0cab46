#include "cli/chart_program.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>

#include "cli/program_files.h"
#include "cli/unnamed_temporary.h"

extern char** environ;

namespace corvane::cli {

namespace {

bool WriteAll(int fd, const std::string& text) {
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t w = ::write(fd, text.data() + done, text.size() - done);
        if (w < 0 && errno == EINTR) continue;
        if (w < 0) return false;
        done += static_cast<std::size_t>(w);
    }
    return true;
}

// Closes a descriptor when it goes out of scope.
struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

}  // namespace

Result<std::string, std::string> DrawChart(const input::ChartData& data, input::ChartFormat format) {
    const std::string program = ProgramFile("corvane-chart");
    // The data goes in through a file, the chart comes out through a pipe:
    // nothing can block both ways.
    Descriptor input{UnnamedTemporary()};
    if (input.fd < 0 || !WriteAll(input.fd, input::ChartDataText(data)) ||
        ::lseek(input.fd, 0, SEEK_SET) != 0)
        return Fail("the chart data could not be written aside: " +
                    std::string(std::strerror(errno)));
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0)
        return Fail("no pipe for the chart: " + std::string(std::strerror(errno)));
    Descriptor reading{out[0]};
    Descriptor writing{out[1]};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input.fd, 0);
    posix_spawn_file_actions_adddup2(&actions, writing.fd, 1);
    char* argv[] = {const_cast<char*>(program.c_str()),
                    const_cast<char*>(format == input::ChartFormat::Svg ? "svg" : "png"), nullptr};
    // The chart program keeps the ordinary signal dispositions and mask,
    // whatever this one ignores or blocks.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    pid_t child = 0;
    const int spawned =
        ::posix_spawn(&child, program.c_str(), &actions, &attributes, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (spawned != 0) return Fail(program + ": cannot run: " + std::string(std::strerror(spawned)));
    ::close(writing.fd);
    writing.fd = -1;

    std::string chart;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(reading.fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        chart.append(buffer, static_cast<std::size_t>(n));
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || chart.empty())
        return Fail(std::string("the chart could not be drawn"));
    return chart;
}

}  // namespace corvane::cli
