#include "seededrandom.h"

#include <QTest>

namespace kdw::test {

namespace {

quint32 chosenSeed()
{
    bool ok = false;
    const quint32 seed = qEnvironmentVariable("KDW_TEST_SEED").toUInt(&ok);
    return ok ? seed : QRandomGenerator::system()->generate();
}

} // namespace

SeededRandom::SeededRandom()
    : m_seed(chosenSeed())
    , m_generator(m_seed)
{
}

SeededRandom::~SeededRandom()
{
    if (QTest::currentTestFailed())
        qWarning("random inputs from seed %u; KDW_TEST_SEED=%u repeats them", m_seed, m_seed);
}

MemoryImage SeededRandom::image()
{
    MemoryImage image;
    for (int i = 0; i < MemoryImage::Size; ++i)
        image.setByte(i, quint8(m_generator.bounded(256)));
    return image;
}

} // namespace kdw::test
