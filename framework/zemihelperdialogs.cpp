// Dialog wrappers: the file dialogs (with their test hook) and the framework's boxes
// (with the answers queued for tests).

#include "zemihelper.h"
#include "zemidateselect.h"
#include "zemiinputbox.h"
#include "zemimessagebox.h"
#include "zemitipbox.h"

#include <QFileDialog>
#include <QMessageBox>
#include <utility>

namespace {

ZemiHelper::FileDialogHook &installedHook()
{
    static ZemiHelper::FileDialogHook hook;
    return hook;
}

// Boxes are run from the GUI thread only.
QList<ZemiAnswer> &answers()
{
    static QList<ZemiAnswer> queue;
    return queue;
}

QStringList &answerProblems()
{
    static QStringList problems;
    return problems;
}

} // namespace

ZemiHelper::FileDialogHook ZemiHelper::fileDialogHook()
{
    return installedHook();
}

void ZemiHelper::setFileDialogHook(FileDialogHook hook)
{
    installedHook() = std::move(hook);
}

QString ZemiHelper::saveFileDialog(const QString &filter, const QString &dirName)
{
    if (installedHook()) {
        return installedHook()(QStringLiteral("save"), filter, dirName).value(0);
    }
    return QFileDialog::getSaveFileName(nullptr, QStringLiteral("选择文件"), dirName, filter);
}

QString ZemiHelper::openFileDialog(const QString &filter, const QString &dirName)
{
    if (installedHook()) {
        return installedHook()(QStringLiteral("open"), filter, dirName).value(0);
    }
    return QFileDialog::getOpenFileName(nullptr, QStringLiteral("选择文件"), dirName, filter);
}

QStringList ZemiHelper::openFilesDialog(const QString &filter, const QString &dirName)
{
    if (installedHook()) {
        return installedHook()(QStringLiteral("opens"), filter, dirName);
    }
    return QFileDialog::getOpenFileNames(nullptr, QStringLiteral("选择文件"), dirName, filter);
}

QString ZemiHelper::chooseDirectory()
{
    if (installedHook()) {
        return installedHook()(QStringLiteral("dir"), QString(), QString()).value(0);
    }
    QFileDialog dialog;
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() == QDialog::Accepted) {
        return dialog.selectedFiles().value(0);
    }
    return QString();
}

namespace {

void showMessage(const QString &info, int type, int closeSec, bool exec)
{
    if (exec) {
        ZemiMessageBox box;
        box.setMessage(info, type, closeSec);
        box.exec();
        return;
    }
    ZemiMessageBox *box = ZemiMessageBox::instance();
    box->setMessage(info, type, closeSec);
    box->show();
    box->activateWindow();
}

} // namespace

void ZemiHelper::showMessageBoxInfo(const QString &info, int closeSec, bool exec)
{
    showMessage(info, 0, closeSec, exec);
}

void ZemiHelper::showMessageBoxError(const QString &info, int closeSec, bool exec)
{
    showMessage(info, 2, closeSec, exec);
}

int ZemiHelper::showMessageBoxQuestion(const QString &info)
{
    // Always a fresh box: a message hides the cancel button for good.
    ZemiMessageBox box;
    box.setMessage(info, 1);
    return box.exec();
}

void ZemiHelper::showTipBox(const QString &title, const QString &tip, bool fullScreen, bool center, int closeSec)
{
    ZemiTipBox *box = ZemiTipBox::instance();
    box->setTip(title, tip, fullScreen, center, closeSec);
    box->show();
}

void ZemiHelper::hideTipBox()
{
    ZemiTipBox::instance()->hide();
}

QString ZemiHelper::showInputBox(const QString &title, int type, int closeSec, const QString &placeholderText,
                                 bool pwd, const QString &defaultValue)
{
    ZemiInputBox box;
    box.setParameter(title, type, closeSec, placeholderText, pwd, defaultValue);
    return box.exec() == QMessageBox::Ok ? box.getValue() : QString();
}

void ZemiHelper::showDateSelect(QString &dateStart, QString &dateEnd, const QString &format)
{
    ZemiDateSelect box;
    box.setFormat(format);
    if (box.exec() == QMessageBox::Ok) {
        dateStart = box.getStartDateTime();
        dateEnd = box.getEndDateTime();
    } else {
        dateStart.clear();
        dateEnd.clear();
    }
}

void ZemiHelper::setNextAnswer(const ZemiAnswer &answer)
{
    answers().append(answer);
}

bool ZemiHelper::takeNextAnswer(ZemiAnswer &answer)
{
    if (answers().isEmpty()) {
        return false;
    }
    answer = answers().takeFirst();
    return true;
}

QList<ZemiAnswer> ZemiHelper::takeAnswers()
{
    return std::exchange(answers(), QList<ZemiAnswer>());
}

void ZemiHelper::noteAnswerProblem(const QString &problem)
{
    answerProblems().append(problem);
}

QStringList ZemiHelper::takeAnswerProblems()
{
    return std::exchange(answerProblems(), QStringList());
}
