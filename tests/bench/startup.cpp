// Starts a program again and again and reports, as medians, how long it took
// from process start to its first paint and how much memory it held at most.
//   startup RUNS PROGRAM [PROGRAM...]
// Each program must print "first-paint <monotonic ns>" and exit, as Tempiolo
// does with TEMPIOLO_BENCH_FIRST_PAINT set. The programs take turns, so slow
// drifts of the machine touch them all alike.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

long long nowNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

struct Sample
{
    double ms = -1;
    long rssKiB = -1;
};

Sample runOnce(const char *program)
{
    int out[2];
    if (pipe(out) != 0)
        return {};
    const long long start = nowNs();
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        setenv("TEMPIOLO_BENCH_FIRST_PAINT", "1", 1);
        execl(program, program, static_cast<char *>(nullptr));
        _exit(127);
    }
    close(out[1]);
    std::string text;
    char buffer[256];
    ssize_t got;
    while ((got = read(out[0], buffer, sizeof buffer)) > 0)
        text.append(buffer, std::size_t(got));
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    Sample sample;
    const std::size_t at = text.find("first-paint ");
    if (at != std::string::npos && WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        sample.ms = double(std::atoll(text.c_str() + at + 12) - start) / 1e6;
        sample.rssKiB = usage.ru_maxrss;
    }
    return sample;
}

template <typename T> T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s RUNS PROGRAM [PROGRAM...]\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    const int programs = argc - 2;
    std::vector<std::vector<double>> times{std::size_t(programs)};
    std::vector<std::vector<long>> memory{std::size_t(programs)};
    // One unmeasured start each fills the file cache.
    for (int p = 0; p < programs; ++p)
        runOnce(argv[2 + p]);
    for (int run = 0; run < runs; ++run) {
        for (int p = 0; p < programs; ++p) {
            const Sample sample = runOnce(argv[2 + p]);
            if (sample.ms < 0) {
                std::fprintf(stderr, "%s did not report its first paint\n", argv[2 + p]);
                return 1;
            }
            times[std::size_t(p)].push_back(sample.ms);
            memory[std::size_t(p)].push_back(sample.rssKiB);
        }
    }
    for (int p = 0; p < programs; ++p)
        std::printf("%s %.1f %ld\n", argv[2 + p], median(times[std::size_t(p)]),
                    median(memory[std::size_t(p)]));
    return 0;
}
