#pragma once

#include "support/StoreFixture.h"

#include <QUrl>

namespace velmora::test {

// A started store whose session is mirrored to a user file, so that every
// save can be read back from the working copy and from the user's file.
class MirroredStoreFixture : public StoreFixture {
protected:
    void SetUp() override {
        StoreFixture::SetUp();
        store = startStore();
        store->setDefaultFile(QUrl::fromLocalFile(userFile()));
        ASSERT_TRUE(store->save().ok());
    }

    QString userFile() const { return path(QStringLiteral("Mon entreprise.cdb")); }

    // The session as written in the working copy; the user's file must hold
    // the same bytes.
    AppDatabase onDisk() const {
        const QByteArray working = readBytes(workingCopy());
        EXPECT_EQ(working, readBytes(userFile()));
        return readSession(workingCopy());
    }

    std::unique_ptr<AppDataStore> store;
};

} // namespace velmora::test
