// libfprint's headers first: GIO uses "signals" as a name, which Qt defines.
#include <fprint.h>

#include "fingerreader.h"
#include "terminallog.h"

#include <QPointer>

#include <algorithm>
#include <QTimer>
#include <QtDebug>

#include <deque>

namespace {

int searchEveryMs = 3000;
FingerReader *theReader = nullptr;

QString errorText(const GError *error)
{
    return error ? QString::fromUtf8(error->message) : QString();
}

FpPrint *deserialize(const QByteArray &data)
{
    GError *error = nullptr;
    FpPrint *print = fp_print_deserialize(reinterpret_cast<const guchar *>(data.constData()),
                                          static_cast<gsize>(data.size()), &error);
    g_clear_error(&error);
    return print;
}

} // namespace

// What an operation is about: kept until it has started on the reader.
struct FingerOperation {
    enum Kind { Enroll, Identify, Delete } kind = Enroll;
    int finger = 0;
    QString userID;
    QVector<QByteArray> prints;
};
using Operation = FingerOperation;

// What a libfprint callback needs to find its way back: the reader may be
// gone, or the operation cancelled, by the time the answer comes.
struct FingerReaderCall {
    QPointer<FingerReader> reader;
    quint64 serial = 0;
    GPtrArray *gallery = nullptr;

    ~FingerReaderCall()
    {
        if (gallery) {
            g_ptr_array_unref(gallery);
        }
    }
};

struct FingerReader::Private {
    FpContext *context = nullptr;
    FpDevice *device = nullptr;
    gulong removedHandler = 0;
    FingerReader::State state = FingerReader::State::Absent;
    bool started = false;
    bool foundAtStart = false;
    bool refused = false;
    bool searching = false;
    QTimer *searchTimer = nullptr;

    // The operation on the reader, if any, and the one waiting for it to end.
    bool running = false;
    bool runningCancelled = false;
    quint64 serial = 0;
    Operation::Kind runningKind = Operation::Enroll;
    GCancellable *cancellable = nullptr;
    std::deque<Operation> pending;
};

// The libfprint callbacks, as friends of the reader.
struct FingerReaderCalls {
    using State = FingerReader::State;
    using Outcome = FingerReader::Outcome;

    static FingerReader *owner(FingerReaderCall *call)
    {
        FingerReader *reader = call->reader.data();
        if (!reader || reader->d->serial != call->serial) {
            return nullptr;
        }
        return reader;
    }

    static void opened(GObject *source, GAsyncResult *result, gpointer data)
    {
        std::unique_ptr<FingerReaderCall> call(static_cast<FingerReaderCall *>(data));
        GError *error = nullptr;
        const bool ok = fp_device_open_finish(FP_DEVICE(source), result, &error);
        FingerReader *reader = call->reader.data();
        if (reader && reader->d->device == FP_DEVICE(source)) {
            if (ok) {
                qCDebug(lcTerminal).noquote() << "finger reader: open" << fp_device_get_name(FP_DEVICE(source));
                reader->setState(State::Ready);
                reader->startPending();
            } else {
                qCWarning(lcTerminal).noquote() << "finger reader: cannot open:" << errorText(error);
                reader->setState(State::Failed);
            }
        }
        g_clear_error(&error);
    }

    static void progress(FpDevice *, gint completed, FpPrint *, gpointer data, GError *error)
    {
        auto *call = static_cast<FingerReaderCall *>(data);
        FingerReader *reader = owner(call);
        if (!reader || reader->d->runningCancelled) {
            return;
        }
        emit reader->fingerSeen();
        if (!error) {
            emit reader->enrollProgress(completed, reader->enrollStages());
        }
    }

    static FingerReader::Outcome outcomeOf(const GError *error)
    {
        if (!error) {
            return Outcome::Done;
        }
        if (error->domain == FP_DEVICE_RETRY) {
            return Outcome::Retry;
        }
        if (g_error_matches(error, FP_DEVICE_ERROR, FP_DEVICE_ERROR_REMOVED)) {
            return Outcome::Removed;
        }
        if (g_error_matches(error, FP_DEVICE_ERROR, FP_DEVICE_ERROR_DATA_DUPLICATE)) {
            return Outcome::Duplicate;
        }
        return Outcome::Failed;
    }

    static void enrolled(GObject *source, GAsyncResult *result, gpointer data)
    {
        std::unique_ptr<FingerReaderCall> call(static_cast<FingerReaderCall *>(data));
        GError *error = nullptr;
        FpPrint *print = fp_device_enroll_finish(FP_DEVICE(source), result, &error);
        QByteArray bytes;
        if (print) {
            guchar *raw = nullptr;
            gsize length = 0;
            if (fp_print_serialize(print, &raw, &length, &error)) {
                bytes = QByteArray(reinterpret_cast<const char *>(raw), static_cast<int>(length));
                g_free(raw);
            }
            g_object_unref(print);
        }
        FingerReader *reader = owner(call.get());
        if (reader) {
            const bool cancelled = reader->d->runningCancelled;
            const Outcome outcome = outcomeOf(error);
            const QString text = errorText(error);
            reader->operationEnded();
            if (!cancelled) {
                emit reader->enrollFinished(outcome, bytes, text);
            }
            reader->afterError(outcome);
        }
        g_clear_error(&error);
    }

    static void identified(GObject *source, GAsyncResult *result, gpointer data)
    {
        std::unique_ptr<FingerReaderCall> call(static_cast<FingerReaderCall *>(data));
        GError *error = nullptr;
        FpPrint *match = nullptr;
        FpPrint *scanned = nullptr;
        fp_device_identify_finish(FP_DEVICE(source), result, &match, &scanned, &error);
        int index = -1;
        if (match && call->gallery) {
            for (guint i = 0; i < call->gallery->len; ++i) {
                auto *candidate = static_cast<FpPrint *>(g_ptr_array_index(call->gallery, i));
                if (candidate == match || fp_print_equal(candidate, match)) {
                    index = static_cast<int>(reinterpret_cast<quintptr>(g_object_get_data(G_OBJECT(candidate), "index")));
                    break;
                }
            }
        }
        g_clear_object(&match);
        g_clear_object(&scanned);
        FingerReader *reader = owner(call.get());
        if (reader) {
            const bool cancelled = reader->d->runningCancelled;
            Outcome outcome = outcomeOf(error);
            if (outcome == Outcome::Done && index < 0) {
                outcome = Outcome::NoMatch;
            }
            const QString text = errorText(error);
            reader->operationEnded();
            if (!cancelled) {
                if (outcome != Outcome::Removed) {
                    emit reader->fingerSeen();
                }
                emit reader->identifyFinished(outcome, index, text);
            }
            reader->afterError(outcome);
        }
        g_clear_error(&error);
    }

    static void deleted(GObject *source, GAsyncResult *result, gpointer data)
    {
        std::unique_ptr<FingerReaderCall> call(static_cast<FingerReaderCall *>(data));
        GError *error = nullptr;
        if (!fp_device_delete_print_finish(FP_DEVICE(source), result, &error)) {
            qCWarning(lcTerminal).noquote() << "finger reader: print not deleted from the reader:" << errorText(error);
        }
        FingerReader *reader = owner(call.get());
        if (reader) {
            const Outcome outcome = outcomeOf(error);
            reader->operationEnded();
            reader->afterError(outcome);
        }
        g_clear_error(&error);
    }

    static void removed(FpContext *, FpDevice *device, gpointer data)
    {
        auto *reader = static_cast<FingerReader *>(data);
        if (device == reader->d->device) {
            qCDebug(lcTerminal) << "finger reader: removed";
            // Not from inside the context's own signal.
            QTimer::singleShot(0, reader, [reader] { reader->dropReader(); });
        }
    }
};

FingerReader *FingerReader::instance()
{
    if (!theReader) {
        theReader = new FingerReader;
    }
    return theReader;
}

void FingerReader::reset()
{
    delete theReader;
    theReader = nullptr;
}

FingerReader::FingerReader(QObject *parent) : QObject(parent), d(new Private)
{
    d->searchTimer = new QTimer(this);
    d->searchTimer->setInterval(searchEveryMs);
    connect(d->searchTimer, &QTimer::timeout, this, [this] {
        if (!d->device) {
            findReader();
        }
    });
}

FingerReader::~FingerReader()
{
    // An idle reader is closed properly; a busy one is let go as it is.
    if (d->device && !d->running && fp_device_is_open(d->device)) {
        fp_device_close_sync(d->device, nullptr, nullptr);
    }
    dropReader(false);
}

int FingerReader::searchIntervalMs()
{
    return searchEveryMs;
}

void FingerReader::setSearchIntervalMs(int ms)
{
    searchEveryMs = ms;
    if (theReader) {
        theReader->d->searchTimer->setInterval(ms);
    }
}

void FingerReader::start()
{
    if (d->started) {
        return;
    }
    d->started = true;
    if (qEnvironmentVariableIsSet("QT_NO_GLIB")) {
        qCWarning(lcTerminal) << "finger reader: QT_NO_GLIB is set, the reader's answers will never arrive";
    }
    d->foundAtStart = findReader();
    if (!d->foundAtStart) {
        qCDebug(lcTerminal).noquote() << "finger reader:" << stateText();
    }
}

void FingerReader::setSearching(bool on)
{
    d->searching = on;
    if (on && !d->device && d->started) {
        d->searchTimer->start();
    } else if (!on) {
        d->searchTimer->stop();
    }
}

bool FingerReader::findReader()
{
    if (!d->context) {
        d->context = fp_context_new();
        d->removedHandler = g_signal_connect(d->context, "device-removed", G_CALLBACK(FingerReaderCalls::removed), this);
    }
    fp_context_enumerate(d->context);
    GPtrArray *devices = fp_context_get_devices(d->context);
    FpDevice *found = nullptr;
    for (guint i = 0; devices && i < devices->len && !found; ++i) {
        auto *device = static_cast<FpDevice *>(g_ptr_array_index(devices, i));
        if (!fp_device_has_feature(device, FP_DEVICE_FEATURE_IDENTIFY)) {
            qCDebug(lcTerminal).noquote() << "finger reader: refused" << fp_device_get_name(device) << "(指纹仪不支持识别)";
            d->refused = true;
            continue;
        }
        found = device;
    }
    if (!found) {
        // A new context is the only way to see a reader that came back.
        dropContext();
        if (d->searching) {
            d->searchTimer->start();
        }
        return false;
    }
    d->refused = false;
    d->searchTimer->stop();
    d->device = FP_DEVICE(g_object_ref(found));
    setState(State::Busy);
    auto *call = new FingerReaderCall{this, d->serial, nullptr};
    fp_device_open(d->device, nullptr, FingerReaderCalls::opened, call);
    return true;
}

void FingerReader::dropContext()
{
    if (d->context) {
        g_signal_handler_disconnect(d->context, d->removedHandler);
        g_clear_object(&d->context);
    }
}

void FingerReader::dropReader(bool lookAgain)
{
    if (d->cancellable) {
        g_cancellable_cancel(d->cancellable);
        g_clear_object(&d->cancellable);
    }
    // Whatever was running has ended for the screens; a late answer is dropped.
    const bool wasRunning = d->running;
    const Operation::Kind kind = d->runningKind;
    d->running = false;
    d->pending.clear();
    d->serial++;
    g_clear_object(&d->device);
    dropContext();
    if (!lookAgain) {
        return;
    }
    setState(State::Absent);
    if (wasRunning && !d->runningCancelled) {
        if (kind == Operation::Enroll) {
            emit enrollFinished(Outcome::Removed, QByteArray(), QString());
        } else if (kind == Operation::Identify) {
            emit identifyFinished(Outcome::Removed, -1, QString());
        }
    }
    d->searchTimer->start();
}

void FingerReader::afterError(Outcome outcome)
{
    if (outcome == Outcome::Removed && d->device) {
        dropReader();
    }
}

void FingerReader::setState(State state)
{
    if (d->state != state) {
        d->state = state;
        emit stateChanged(state);
    }
}

FingerReader::State FingerReader::state() const
{
    return d->state;
}

bool FingerReader::foundAtStart() const
{
    return d->foundAtStart;
}

QString FingerReader::stateText() const
{
    switch (d->state) {
    case State::Ready:
        return QStringLiteral("指纹仪就绪");
    case State::Busy:
        return QStringLiteral("指纹仪工作中");
    case State::Failed:
        return QStringLiteral("指纹仪故障");
    case State::Absent:
        break;
    }
    return d->refused ? QStringLiteral("指纹仪不支持识别") : QStringLiteral("指纹仪未连接");
}

int FingerReader::enrollStages() const
{
    return d->device ? fp_device_get_nr_enroll_stages(d->device) : 0;
}

bool FingerReader::storesPrints() const
{
    return d->device && fp_device_has_feature(d->device, FP_DEVICE_FEATURE_STORAGE);
}

bool FingerReader::usable(const QByteArray &print) const
{
    if (!d->device || print.isEmpty()) {
        return false;
    }
    FpPrint *p = deserialize(print);
    const bool ok = p && fp_print_compatible(p, d->device);
    g_clear_object(&p);
    return ok;
}

bool FingerReader::samePrint(const QByteArray &a, const QByteArray &b)
{
    FpPrint *pa = deserialize(a);
    FpPrint *pb = deserialize(b);
    const bool same = pa && pb && fp_print_equal(pa, pb);
    g_clear_object(&pa);
    g_clear_object(&pb);
    return same;
}

int FingerReader::libfprintFinger(int finger)
{
    if (finger >= 1 && finger <= 5) {
        return FP_FINGER_LEFT_LITTLE - (finger - 1);
    }
    if (finger >= 6 && finger <= 10) {
        return FP_FINGER_RIGHT_THUMB + (finger - 6);
    }
    return FP_FINGER_UNKNOWN;
}

void FingerReader::enroll(int finger, const QString &userID)
{
    Operation op;
    op.kind = Operation::Enroll;
    op.finger = finger;
    op.userID = userID;
    queue(op);
}

void FingerReader::identify(const QVector<QByteArray> &gallery)
{
    Operation op;
    op.kind = Operation::Identify;
    op.prints = gallery;
    queue(op);
}

void FingerReader::deletePrint(const QByteArray &print)
{
    Operation op;
    op.kind = Operation::Delete;
    op.prints = {print};
    queue(op);
}

void FingerReader::cancel()
{
    // Deletions are the reader's own housekeeping and still go through.
    d->pending.erase(std::remove_if(d->pending.begin(), d->pending.end(),
                                    [](const Operation &op) { return op.kind != Operation::Delete; }),
                     d->pending.end());
    if (d->running && d->runningKind == Operation::Delete) {
        return;
    }
    if (d->running && !d->runningCancelled) {
        d->runningCancelled = true;
        if (d->cancellable) {
            g_cancellable_cancel(d->cancellable);
        }
    }
}

void FingerReader::queue(const Operation &op)
{
    if (!d->device || d->state == State::Failed) {
        if (op.kind == Operation::Enroll) {
            emit enrollFinished(Outcome::Removed, QByteArray(), stateText());
        } else if (op.kind == Operation::Identify) {
            emit identifyFinished(Outcome::Removed, -1, stateText());
        }
        return;
    }
    // A running enrolment or verification gives way; a deletion finishes first.
    if (op.kind != Operation::Delete) {
        cancel();
    }
    d->pending.push_back(op);
    startPending();
}

void FingerReader::operationEnded()
{
    d->running = false;
    d->runningCancelled = false;
    g_clear_object(&d->cancellable);
    if (d->device && d->state == State::Busy) {
        setState(State::Ready);
    }
    // The next one only once this answer is fully handled.
    QTimer::singleShot(0, this, [this] { startPending(); });
}

void FingerReader::startPending()
{
    if (d->running || d->pending.empty() || !d->device || d->state == State::Failed) {
        return;
    }
    if (d->state != State::Ready) {
        return; // still opening: opened() moves to Ready, and the next ending starts it
    }
    const Operation op = d->pending.front();
    d->pending.pop_front();
    d->running = true;
    d->runningCancelled = false;
    d->runningKind = op.kind;
    d->serial++;
    d->cancellable = g_cancellable_new();
    setState(State::Busy);
    auto *call = new FingerReaderCall{this, d->serial, nullptr};

    switch (op.kind) {
    case Operation::Enroll: {
        FpPrint *templ = fp_print_new(d->device);
        fp_print_set_finger(templ, static_cast<FpFinger>(libfprintFinger(op.finger)));
        fp_print_set_username(templ, op.userID.toUtf8().constData());
        fp_device_enroll(d->device, templ, d->cancellable, FingerReaderCalls::progress, call, nullptr,
                         FingerReaderCalls::enrolled, call);
        break;
    }
    case Operation::Identify: {
        call->gallery = g_ptr_array_new_with_free_func(g_object_unref);
        for (int i = 0; i < op.prints.size(); ++i) {
            FpPrint *print = deserialize(op.prints.at(i));
            if (!print) {
                continue;
            }
            g_object_set_data(G_OBJECT(print), "index", reinterpret_cast<gpointer>(static_cast<quintptr>(i)));
            g_ptr_array_add(call->gallery, print);
        }
        fp_device_identify(d->device, call->gallery, d->cancellable, nullptr, nullptr, nullptr,
                           FingerReaderCalls::identified, call);
        break;
    }
    case Operation::Delete: {
        FpPrint *print = deserialize(op.prints.value(0));
        if (!print) {
            delete call;
            operationEnded();
            return;
        }
        fp_device_delete_print(d->device, print, d->cancellable, FingerReaderCalls::deleted, call);
        g_object_unref(print);
        break;
    }
    }
}
