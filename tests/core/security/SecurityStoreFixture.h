#pragma once

#include "support/StoreFixture.h"

#include <QUrl>

namespace velmora::test {

// A started store whose session is mirrored to a user file, so that every
// save can be read back from both places.
class SecurityStoreFixture : public StoreFixture {
protected:
    void SetUp() override {
        StoreFixture::SetUp();
        store = startStore();
        store->setDefaultFile(QUrl::fromLocalFile(userFile()));
        ASSERT_TRUE(store->save().ok);
    }

    QString userFile() const { return path(QStringLiteral("Mon entreprise.cdb")); }

    void setStoredCode(const QString& code) {
        AppPreferences prefs = store->preferences();
        prefs.appPassword = code;
        store->setPreferences(prefs);
        ASSERT_TRUE(store->save().ok);
    }

    // The code as written in both the working copy and the user's file.
    QString codeOnDisk() const {
        const QString working = readSession(workingCopy()).preferences.appPassword;
        const QString mirrored = readSession(userFile()).preferences.appPassword;
        EXPECT_EQ(working, mirrored);
        return working;
    }

    std::unique_ptr<AppDataStore> store;
};

} // namespace velmora::test
