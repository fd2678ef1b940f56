#ifndef FINGERREADER_H
#define FINGERREADER_H

#include <QByteArray>
#include <QObject>
#include <QVector>
#include <memory>

struct FingerOperation;

// The terminal's fingerprint reader, driven through libfprint on the GUI
// thread: Qt's event loop runs GLib's main context, so the reader's
// asynchronous calls complete there without blocking the screens.
//
// One operation runs at a time. Starting another cancels the running one;
// the new one starts once the cancelled one has reported back (the reader
// refuses work until then). Results of cancelled operations are dropped.
class FingerReader : public QObject
{
    Q_OBJECT
public:
    enum class State { Absent, Ready, Busy, Failed };
    Q_ENUM(State)

    // How enrolment and verification ended.
    // Duplicate: the reader keeps this finger already (readers that check).
    enum class Outcome { Done, NoMatch, Retry, Removed, Duplicate, Failed };
    Q_ENUM(Outcome)

    // The terminal's one reader; created on first use, looking for a reader
    // only once start() is called.
    static FingerReader *instance();
    // Drops the reader and its context (tests start afresh with it).
    static void reset();

    // Opens the first reader found. A reader that cannot identify is refused.
    void start();
    // Keeps looking every few seconds while no reader is there (after a
    // removal always; from the start only when asked to).
    void setSearching(bool on);
    static int searchIntervalMs();
    static void setSearchIntervalMs(int ms);

    State state() const;
    // Whether a usable reader was found when start() ran.
    bool foundAtStart() const;
    // The operator's text for the state.
    QString stateText() const;
    int enrollStages() const;
    bool storesPrints() const;

    // Enrols the finger (1 to 10, the terminal's numbering) for the user.
    void enroll(int finger, const QString &userID);
    // Looks for the scanned finger among the given serialized prints.
    void identify(const QVector<QByteArray> &gallery);
    void cancel();
    // Removes a print the reader keeps itself; failures go to the debug output.
    void deletePrint(const QByteArray &print);

    // Whether the open reader can use the serialized print (another model's
    // prints read fine but match nothing).
    bool usable(const QByteArray &print) const;
    // Whether two serialized prints are one finger's print as the reader
    // keeps it (same reader, same stored print).
    static bool samePrint(const QByteArray &a, const QByteArray &b);
    // libfprint's finger for the terminal's finger number: 1 is the left
    // little finger, 5 the left thumb, 6 the right thumb, 10 the right little.
    static int libfprintFinger(int finger);

    ~FingerReader() override;

Q_SIGNALS:
    void stateChanged(FingerReader::State state);
    // A finger was seen: also what keeps the screen saver away.
    void fingerSeen();
    void enrollProgress(int done, int total);
    void enrollFinished(FingerReader::Outcome outcome, const QByteArray &print, const QString &error);
    // index into the gallery of the matching print when the outcome is Done.
    void identifyFinished(FingerReader::Outcome outcome, int index, const QString &error);

private:
    explicit FingerReader(QObject *parent = nullptr);
    struct Private;
    std::unique_ptr<Private> d;

    bool findReader();
    void dropContext();
    // Lets go of the reader; after a removal also tells a running
    // operation's screen and looks for the reader again.
    void dropReader(bool lookAgain = true);
    void afterError(Outcome outcome);
    void setState(State state);
    void queue(const FingerOperation &op);
    void operationEnded();
    void startPending();

    friend struct FingerReaderCalls;
};

#endif // FINGERREADER_H
