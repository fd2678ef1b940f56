#ifndef TESTSEAMS_H
#define TESTSEAMS_H

#include "coretestseams.h"

// Every process-wide seam the libraries give tests, saved when this is made
// and put back when it goes: those of CoreTestSeams, the system clock setter,
// the file dialog hook, the box answers, the internet probe, the dialogs'
// picture folder, and what a fixture adds with keep().
// Make it when a test starts (in init(), by a fixture made there, or in the
// test function) and let it go when the test ends: a box answer still
// queued then, or one that did not fit its box, fails that test. Objects may
// nest; the outermost one looks after the answers.
class TestSeams : public CoreTestSeams
{
public:
    TestSeams();
    ~TestSeams() override;

    // Fails the running test when a box answer is still queued or went wrong,
    // and empties the queue; the destructor checks too. Whether all was well.
    bool checkAnswers();

private:
    bool outermost = false;
};

#endif // TESTSEAMS_H
