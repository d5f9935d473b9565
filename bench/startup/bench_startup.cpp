// Starts the real program repeatedly on the offscreen platform with the
// simulated sound server and measures, per start, the time from launching the
// process to the end of the main window's show sequence (its "ready" line) and
// the process's peak resident memory (from wait4's rusage).
//
//   bench_startup [starts] [program]   (defaults: 20, varnelo beside this tool)
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Start {
    double ms = 0;
    double peakMb = 0;
};

std::string BesideThisTool(const char* name) {
    return (std::filesystem::read_symlink("/proc/self/exe").parent_path() / name).string();
}

std::string MakeTempDir() {
    char pattern[] = "/tmp/varnelo-bench-XXXXXX";
    if (!mkdtemp(pattern)) {
        std::perror("mkdtemp");
        std::exit(1);
    }
    return pattern;
}

Start RunOnce(const std::string& program, const std::vector<std::string>& env) {
    int out[2];
    if (pipe(out) != 0) {
        std::perror("pipe");
        std::exit(1);
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    std::vector<char*> envp;
    for (const std::string& e : env)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};

    const auto begin = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data()) != 0) {
        std::perror("posix_spawn");
        std::exit(1);
    }
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);

    // Wait for the "ready" line: the show sequence has ended, both windows are shown.
    std::string text;
    char buffer[256];
    Start result;
    while (text.find("ready\n") == std::string::npos) {
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        text.append(buffer, static_cast<size_t>(n));
    }
    result.ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (text.find("ready\n") == std::string::npos || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "the program did not come up: %s\n", text.c_str());
        std::exit(1);
    }
    result.peakMb = usage.ru_maxrss / 1024.0; // kilobytes on Linux
    return result;
}

} // namespace

int main(int argc, char** argv) {
    const int starts = argc > 1 ? std::atoi(argv[1]) : 20;
    const std::string program = argc > 2 ? argv[2] : BesideThisTool("varnelo");
    const std::string runtime = MakeTempDir();
    const std::string config = MakeTempDir();

    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        for (const char* replaced :
             {"QT_QPA_PLATFORM=", "VARNELO_SOUND_SERVER=", "VARNELO_STARTUP_PROBE=",
              "XDG_RUNTIME_DIR=", "XDG_CONFIG_HOME="})
            if (entry.rfind(replaced, 0) == 0)
                goto skip;
        env.push_back(entry);
    skip:;
    }
    env.push_back("QT_QPA_PLATFORM=offscreen");
    env.push_back("VARNELO_SOUND_SERVER=simulated");
    env.push_back("VARNELO_STARTUP_PROBE=exit");
    env.push_back("XDG_RUNTIME_DIR=" + runtime);
    env.push_back("XDG_CONFIG_HOME=" + config);

    std::vector<Start> results;
    for (int i = 0; i < starts; ++i)
        results.push_back(RunOnce(program, env));

    std::vector<double> ms;
    double peak = 0;
    for (const Start& s : results) {
        ms.push_back(s.ms);
        peak = std::max(peak, s.peakMb);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%d starts of %s\n", starts, program.c_str());
    std::printf(
        "start to main window shown: min %.1f ms, median %.1f ms, max %.1f ms (goal < 300)\n",
        ms.front(), ms[ms.size() / 2], ms.back());
    std::printf("peak resident memory: %.1f MB (goal < 80)\n", peak);

    std::filesystem::remove_all(runtime);
    std::filesystem::remove_all(config);
    return 0;
}
