#include "BenchSupport.h"

#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace oxbench {

namespace {

// A figure such as 12.5, -3 or 2.6x: aligned to the right.
bool LooksNumeric(const std::string& cell) {
    bool digit = false;
    for (const char c : cell) {
        digit = digit || std::isdigit(static_cast<unsigned char>(c)) != 0;
        if (std::isdigit(static_cast<unsigned char>(c)) == 0 &&
            std::strchr(".-+x%", c) == nullptr) {
            return false;
        }
    }
    return digit;
}

}  // namespace

namespace {

double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

}  // namespace

CpuStopwatch::CpuStopwatch() : start(ThreadSeconds()) {}

double CpuStopwatch::Seconds() const {
    return ThreadSeconds() - start;
}

Table::Table(std::vector<std::string> header) {
    rows.push_back(std::move(header));
}

void Table::AddRow(std::vector<std::string> cells) {
    rows.push_back(std::move(cells));
}

void Table::Print() const {
    std::vector<size_t> widths;
    for (const auto& row : rows) {
        widths.resize(std::max(widths.size(), row.size()), 0);
        for (size_t c = 0; c < row.size(); ++c) {
            widths[c] = std::max(widths[c], row[c].size());
        }
    }
    for (size_t r = 0; r < rows.size(); ++r) {
        std::string text;
        for (size_t c = 0; c < rows[r].size(); ++c) {
            const std::string& cell = rows[r][c];
            const std::string padding(widths[c] - cell.size(), ' ');
            text += c == 0 ? "" : "  ";
            text += (r > 0 && LooksNumeric(cell)) ? padding + cell : cell + padding;
        }
        while (!text.empty() && text.back() == ' ') {
            text.pop_back();
        }
        std::printf("%s\n", text.c_str());
        if (r == 0) {
            size_t total = 0;
            for (size_t width : widths) {
                total += width + 2;
            }
            std::printf("%s\n", std::string(total > 2 ? total - 2 : 0, '-').c_str());
        }
    }
    std::fflush(stdout);
}

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof(text), "%.*f", decimals, value);
    return text;
}

int RunProgram(const std::vector<std::string>& arguments) {
    std::string ignored;
    return RunProgram(arguments, ignored);
}

int RunProgram(const std::vector<std::string>& arguments, std::string& output) {
    output.clear();
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    int channel[2];
    if (pipe(channel) != 0) {
        return -1;
    }
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        dup2(channel[1], STDOUT_FILENO);
        close(channel[1]);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(channel[1]);
    char buffer[4096];
    for (ssize_t got; child > 0 && (got = read(channel[0], buffer, sizeof(buffer))) > 0;) {
        output.append(buffer, size_t(got));
    }
    close(channel[0]);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) < 0) {
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool BenchOptions::Wants(const std::string& page) const {
    return pages.empty() || std::find(pages.begin(), pages.end(), page) != pages.end();
}

bool ParseBenchOptions(int argc, char** argv, const char* usage, BenchOptions& options,
                       int& exitStatus) {
    options = BenchOptions();
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) {
            options.quick = true;
        } else if (argv[i][0] != '-') {
            options.pages.push_back(argv[i]);
        } else {
            std::fputs(usage, stdout);
            exitStatus = std::strcmp(argv[i], "--help") == 0 ? 0 : 2;
            return false;
        }
    }
    return true;
}

std::string ProgramFolder() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? "." : self.parent_path().string();
}

ScratchFolder::ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "oxbench-XXXXXX").string();
    path = mkdtemp(pattern.data()) != nullptr ? pattern : ".";
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

double OxhostRunSeconds(const std::vector<std::string>& arguments) {
    std::vector<std::string> command = {ProgramFolder() + "/../bin/oxhost", "--quiet", "run"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    double best = -1.0;
    for (int run = 0; run < 3; ++run) {
        const Stopwatch watch;
        if (RunProgram(command) != 0) {
            return -1.0;
        }
        const double seconds = watch.Seconds();
        best = best < 0 ? seconds : std::min(best, seconds);
    }
    return best;
}

}  // namespace oxbench
