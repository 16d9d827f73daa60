// Union-find over provisional labels, for the labelling passes. The root of
// a set is always its smallest member, so sets numbered in order of their
// roots come out in the order their first members were made.
#pragma once

#include <cstdint>
#include <vector>

namespace oxhost {

class DisjointSets {
public:
    // A new set of one member; members are numbered 0, 1, 2, ...
    uint32_t Add() {
        parent.push_back(uint32_t(parent.size()));
        return parent.back();
    }
    uint32_t Find(uint32_t member) {
        while (parent[member] != member) {
            parent[member] = parent[parent[member]];  // path halving
            member = parent[member];
        }
        return member;
    }
    // Joins the sets of a and b; returns the root of the joined set.
    uint32_t Join(uint32_t a, uint32_t b) {
        a = Find(a);
        b = Find(b);
        if (a < b) {
            parent[b] = a;
            return a;
        }
        parent[a] = b;
        return b;
    }
    size_t Size() const { return parent.size(); }

private:
    std::vector<uint32_t> parent;
};

}  // namespace oxhost
