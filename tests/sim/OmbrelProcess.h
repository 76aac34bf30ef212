#pragma once
// Runs the built `ombrel` command as its own process, the way a person runs it. Standard input,
// output and error go through files, so none of them can block.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace ombrel::testing {

struct Result {
    int status = -1;
    std::string out, err;
};

inline std::string readAll(int fd)
{
    std::string text;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        text.append(buffer, std::size_t(n));
    return text;
}

inline Result ombrel(std::vector<std::string> arguments, const std::string& input = {})
{
    // CTest names the build folder; run by hand, the command sits beside the test program.
    const char* build = std::getenv("OMBREL_BUILD_DIR");
    std::string program = build ? std::string(build) + "/bin/ombrel"
                                : std::filesystem::read_symlink("/proc/self/exe").parent_path().string() + "/ombrel";
    FILE* in = std::tmpfile();
    FILE* out = std::tmpfile();
    FILE* err = std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), in);
    std::fflush(in);
    std::rewind(in);
    pid_t child = ::fork();
    if (child == 0) {
        ::dup2(::fileno(in), 0);
        ::dup2(::fileno(out), 1);
        ::dup2(::fileno(err), 2);
        std::vector<char*> argv{program.data()};
        for (std::string& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    Result run;
    int status = 0;
    ::waitpid(child, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::rewind(out);
    std::rewind(err);
    run.out = readAll(::fileno(out));
    run.err = readAll(::fileno(err));
    std::fclose(in);
    std::fclose(out);
    std::fclose(err);
    return run;
}

} // namespace ombrel::testing
