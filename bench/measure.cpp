// measure RESULTFILE PROGRAM ARGS...: runs PROGRAM as its child and writes "SECONDS PEAK_KIB STATUS" to
// RESULTFILE. The benchmark starts every measured program through this small process because Linux
// counts into a child's peak resident set whatever its parent held when it forked and exec'd: from
// here that floor is this program's own few pages, not the benchmark driver's buffers.
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: measure RESULTFILE PROGRAM ARGS...\n");
        return 2;
    }
    timespec start{}, end{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    pid_t pid = fork();
    if (pid < 0) return 1;
    if (pid == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) return 1;
    clock_gettime(CLOCK_MONOTONIC, &end);
    double seconds = static_cast<double>(end.tv_sec - start.tv_sec) + (end.tv_nsec - start.tv_nsec) / 1e9;
    std::FILE* out = std::fopen(argv[1], "w");
    if (!out) return 1;
    std::fprintf(out, "%.6f %ld %d\n", seconds, usage.ru_maxrss,
                 WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
    return std::fclose(out) == 0 ? 0 : 1;
}
