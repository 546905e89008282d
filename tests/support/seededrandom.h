#pragma once

#include "core/image/memoryimage.h"

#include <QRandomGenerator>

namespace kdw::test {

// The generator of one test's random inputs. Its seed comes from the
// environment variable KDW_TEST_SEED when set, otherwise from the system; when
// the test fails the seed is printed, so the failing run can be repeated.
class SeededRandom
{
public:
    SeededRandom();
    ~SeededRandom();
    SeededRandom(const SeededRandom &) = delete;
    SeededRandom &operator=(const SeededRandom &) = delete;

    QRandomGenerator *operator->() { return &m_generator; }
    quint32 seed() const { return m_seed; }

    // An image of random bytes.
    MemoryImage image();

private:
    quint32 m_seed;
    QRandomGenerator m_generator;
};

} // namespace kdw::test
