#ifndef TESTSEAMS_H
#define TESTSEAMS_H

#include <functional>
#include <utility>
#include <vector>

// Every process-wide seam the libraries give tests, saved when this is made
// and put back when it goes: ZemiClock's sources, the system clock setter,
// the file dialog hook, the box answers, the internet probe, SQLite's busy
// timeout, the dialogs' picture folder, and what a fixture adds with keep().
// Make it when a test starts (in init(), by a fixture made there, or in the
// test function) and let it go when the test ends: a box answer still
// queued then, or one that did not fit its box, fails that test. Objects may
// nest; the outermost one looks after the answers.
class TestSeams
{
public:
    TestSeams();
    ~TestSeams();
    TestSeams(const TestSeams &) = delete;
    TestSeams &operator=(const TestSeams &) = delete;

    // One seam more, of a program: its value now, put back with set.
    template <typename Get, typename Set>
    void keep(Get get, Set set)
    {
        auto saved = get();
        restores.emplace_back([saved = std::move(saved), set] { set(saved); });
    }

    // Fails the running test when a box answer is still queued or went wrong,
    // and empties the queue; the destructor checks too. Whether all was well.
    bool checkAnswers();

private:
    std::vector<std::function<void()>> restores;
    bool outermost = false;
};

#endif // TESTSEAMS_H
