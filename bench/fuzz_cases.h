#pragma once
// The fuzz corpus: real configuration files as seeds, and case n of a run as one seed with a
// few mutations drawn from a seeded random sequence, the same on every machine.
#include <string>
#include <vector>

// xorshift32: the same sequence on every machine and every run.
class BenchRandom
{
public:
    explicit BenchRandom(unsigned int nSeed) : m_nState(nSeed ? nSeed : 0x9E3779B9u) {}
    unsigned int Next()
    {
        m_nState ^= m_nState << 13;
        m_nState ^= m_nState >> 17;
        m_nState ^= m_nState << 5;
        return m_nState;
    }
    size_t Below(size_t n) { return n ? Next() % n : 0; }

private:
    unsigned int m_nState;
};

const unsigned int FUZZ_SEED = 20100101u;

// Real configuration files as the device's component and our own save write them.
const std::vector<std::string> &FuzzSeeds();

// Case nIndex of the fuzz run with seed nSeed: one seed file with one to four mutations.
// Each case stands alone, so a batch may start at any index.
std::string FuzzCase(unsigned int nSeed, int nIndex);
