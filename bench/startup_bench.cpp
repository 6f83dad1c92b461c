// Start-up to the first painted main window, against a minimal Qt window program: each is
// started many times in turn and the median wall time from spawn to exit is compared.
// Usage: startup_bench PROGRAM MINIMAL [--runs N]   (run by bench/gui_bench.sh)

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

extern char** environ;

namespace {

double RunMs(const char* program) {
    const auto start = std::chrono::steady_clock::now();
    pid_t pid;
    char* argv[] = {const_cast<char*>(program), nullptr};
    if (posix_spawn(&pid, program, nullptr, nullptr, argv, environ) != 0) {
        std::perror(program);
        std::exit(1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed\n", program);
        std::exit(1);
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_bench PROGRAM MINIMAL [--runs N]\n");
        return 2;
    }
    int runs = 15;
    if (argc == 5 && !std::strcmp(argv[3], "--runs")) runs = std::max(1, std::atoi(argv[4]));
    RunMs(argv[1]); // warm the file cache for both
    RunMs(argv[2]);
    std::vector<double> program, minimal;
    for (int r = 0; r < runs; ++r) {
        program.push_back(RunMs(argv[1]));
        minimal.push_back(RunMs(argv[2]));
    }
    const double a = Median(program), b = Median(minimal);
    std::printf("start-up to the first painted main window: %7.1f ms (median of %d)\n", a, runs);
    std::printf("minimal Qt window program:                 %7.1f ms\n", b);
    std::printf("ratio %.2f (target <= 1.5)\n", a / b);
    return 0;
}
