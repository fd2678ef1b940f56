#ifndef CORETESTSEAMS_H
#define CORETESTSEAMS_H

#include <functional>
#include <utility>
#include <vector>

// The process-wide seams of the libraries that need no widget (ZemiClock's
// sources, SQLite's busy timeout), saved when this is made and put back when
// it goes, with what a fixture adds through keep(). Tests of widgets use
// TestSeams, which adds the framework's seams and the box answers.
class CoreTestSeams
{
public:
    CoreTestSeams();
    virtual ~CoreTestSeams();
    CoreTestSeams(const CoreTestSeams &) = delete;
    CoreTestSeams &operator=(const CoreTestSeams &) = delete;

    // One seam more, of a program: its value now, put back with set.
    template <typename Get, typename Set>
    void keep(Get get, Set set)
    {
        auto saved = get();
        restores.emplace_back([saved = std::move(saved), set] { set(saved); });
    }

private:
    std::vector<std::function<void()>> restores;
};

#endif // CORETESTSEAMS_H
