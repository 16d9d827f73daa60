// Small helpers of the benchmark programs: stopwatches, a table printer,
// running a program, and a scratch folder for the files they write.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

namespace oxbench {

class Stopwatch {
public:
    Stopwatch() : start(std::chrono::steady_clock::now()) {}
    double Seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

private:
    std::chrono::steady_clock::time_point start;
};

// The processor time of the calling thread: for single-threaded work the
// same as the wall time on an idle machine, and much steadier on a busy one.
class CpuStopwatch {
public:
    CpuStopwatch();
    double Seconds() const;

private:
    double start;
};

// Prints rows of cells under a header, each column as wide as its widest
// cell; numbers are right-aligned, text left-aligned.
class Table {
public:
    explicit Table(std::vector<std::string> header);
    void AddRow(std::vector<std::string> cells);
    bool Empty() const { return rows.size() <= 1; }
    void Print() const;

private:
    std::vector<std::vector<std::string>> rows;  // the header first
};

// A number with `decimals` digits after the point.
std::string Fixed(double value, int decimals);

// Runs a program and waits for it; returns its exit status (-1 when it could not run).
int RunProgram(const std::vector<std::string>& arguments);
// The same, keeping what it writes to its standard output.
int RunProgram(const std::vector<std::string>& arguments, std::string& output);

// The benchmarks' command line: --quick for smaller pages, and optionally the
// names of the pages to time (all when none is named).
struct BenchOptions {
    bool quick = false;
    std::vector<std::string> pages;
    // Whether the page of that name is to be timed.
    bool Wants(const std::string& page) const;
};

// Reads the command line. Returns false when the program should end at once
// (after --help or a bad option, usage printed), with the exit status in
// `exitStatus`.
bool ParseBenchOptions(int argc, char** argv, const char* usage, BenchOptions& options,
                       int& exitStatus);

// The folder of the running benchmark program.
std::string ProgramFolder();

// Wall seconds of `oxhost --quiet run ARGUMENTS...` with the oxhost built
// beside this program, the best of three runs; negative when a run failed.
// (The first touch of memory the system has just taken back can cost more
// than the run itself, notably in virtual machines.)
double OxhostRunSeconds(const std::vector<std::string>& arguments);

// A fresh temporary folder, removed with its content when the object goes.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::string File(const std::string& name) const { return path + "/" + name; }

private:
    std::string path;
};

}  // namespace oxbench
