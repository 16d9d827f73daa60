// The heap this program uses, counted by its own operator new and delete
// (HeapCounter.cpp replaces them; link it into a benchmark program to count).
#pragma once

namespace oxbench {

// The most heap in use at any moment since construction, above the level at
// construction: what a piece of work allocated for itself at its peak.
class HeapPeak {
public:
    HeapPeak();
    double Megabytes() const;

private:
    unsigned long long start;
};

}  // namespace oxbench
