#include "writefaults.h"

#include <array>
#include <atomic>

namespace writefaults {

namespace {

std::size_t slot(Step step) {
    return static_cast<std::size_t>(step);
}

class Counter final : public savefile::Faults {
public:
    std::array<std::atomic<int>, 3> calls{};
    std::array<std::atomic<int>, 3> failAt{};

    std::optional<Failure> before(Step step, qint64 length) override {
        if (++calls[slot(step)] != failAt[slot(step)]) return std::nullopt;
        switch (step) {
        case Step::Write:
            return Failure{QStringLiteral("Simulated write failure."), length / 2};
        case Step::Flush:
            return Failure{QStringLiteral("Simulated flush failure.")};
        case Step::Commit:
            return Failure{QStringLiteral("Simulated failure to replace the file.")};
        }
        return std::nullopt;
    }
};

// Installed for the rest of the test run once a test uses it.
Counter& counter() {
    static Counter* const c = [] {
        auto* made = new Counter;
        savefile::setFaults(made);
        return made;
    }();
    return *c;
}

} // namespace

void clear() {
    Counter& c = counter();
    for (std::size_t i = 0; i < c.calls.size(); ++i) {
        c.calls[i] = 0;
        c.failAt[i] = 0;
    }
}

void arm(Step step, int n) {
    clear();
    counter().failAt[slot(step)] = n;
}

int calls(Step step) {
    return counter().calls[slot(step)];
}

} // namespace writefaults
