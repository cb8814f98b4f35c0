#pragma once

#include <QRandomGenerator>
#include <QStringList>

// Seeded random choices for generated test inputs: the same seed gives the same inputs.
class RandomPicks {
public:
    explicit RandomPicks(quint32 seed) : m_rng(seed) {}
    int below(int n) { return static_cast<int>(m_rng.bounded(n)); }
    bool coin() { return below(2) == 0; }
    QString pick(const QStringList& from) { return from.at(below(static_cast<int>(from.size()))); }

private:
    QRandomGenerator m_rng;
};
