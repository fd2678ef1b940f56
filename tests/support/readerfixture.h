#ifndef READERFIXTURE_H
#define READERFIXTURE_H

#include "testseams.h"
#include "virtualreader.h"

#include <QByteArray>
#include <QString>
#include <memory>

// The terminal's reader on libfprint's virtual reader, open and ready, with a
// fresh lock counter. Build the screens after it: they follow the reader
// object it makes.
class ReaderFixture
{
public:
    explicit ReaderFixture(VirtualReader::Kind kind = VirtualReader::Storage);
    ~ReaderFixture();

    bool isReady() const { return ready; }
    const VirtualReader &device() const { return *reader; }
    bool scan(const QString &finger) const { return reader->scan(finger); }

    // A user row in the database and the cache (rights and doors "/"-joined).
    static bool addUser(const QString &userID, const QString &name, const QString &admin, const QString &doors);
    // Enrols the virtual finger id through the reader and stores its print
    // for the user's finger, as enrolment does. Empty on failure.
    QByteArray enrol(const QString &userID, int finger, const QString &id) const;

    // Without any reader: what "auto" and "required" do with none.
    static void startWithoutReader();

private:
    TestSeams seams;
    std::unique_ptr<VirtualReader> reader;
    bool ready = false;
};

#endif // READERFIXTURE_H
