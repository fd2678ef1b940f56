#include "testseams.h"

#include "zemidialog.h"
#include "zemihelper.h"

#include <QList>
#include <QTest>

namespace {

int depth = 0;
// What the outermost object found queued (nothing, unless a test queued
// answers before it), queued again when it goes.
QList<ZemiAnswer> answersBefore;

} // namespace

TestSeams::TestSeams()
{
    outermost = depth++ == 0;
    if (outermost) {
        answersBefore = ZemiHelper::takeAnswers();
        ZemiHelper::takeAnswerProblems();
    }
    keep(&ZemiHelper::clockSetter, &ZemiHelper::setClockSetter);
    keep(&ZemiHelper::fileDialogHook, &ZemiHelper::setFileDialogHook);
    keep([] { return std::make_pair(ZemiHelper::internetProbeAddress(), ZemiHelper::internetProbePort()); },
         [](const std::pair<QString, int> &probe) { ZemiHelper::setInternetProbe(probe.first, probe.second); });
    keep(&ZemiDialog::imagePath, &ZemiDialog::setImagePath);
}

TestSeams::~TestSeams()
{
    if (outermost) {
        checkAnswers();
        for (const ZemiAnswer &answer : qAsConst(answersBefore)) {
            ZemiHelper::setNextAnswer(answer);
        }
        answersBefore.clear();
    }
    --depth;
}

bool TestSeams::checkAnswers()
{
    QStringList problems = ZemiHelper::takeAnswerProblems();
    const QList<ZemiAnswer> unused = ZemiHelper::takeAnswers();
    for (const ZemiAnswer &answer : unused) {
        problems << QStringLiteral("answer never taken by a box: %1").arg(answer.describe());
    }
    if (problems.isEmpty()) {
        return true;
    }
    QTest::qFail(qPrintable(problems.join(QStringLiteral("; "))), __FILE__, __LINE__);
    return false;
}
