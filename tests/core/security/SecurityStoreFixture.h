#pragma once

#include "support/MirroredStoreFixture.h"
#include "support/SessionChange.h"

namespace velmora::test {

// The mirrored store, with the code written straight into the session.
class SecurityStoreFixture : public MirroredStoreFixture {
protected:
    void setStoredCode(const QString& code) {
        AppPreferences prefs = store->preferences();
        prefs.appPassword = code;
        test::changeSession(*store, [&](SessionEdit& e) { e.preferences() = prefs; });
        ASSERT_TRUE(store->save().ok());
    }

    // The code as written in both the working copy and the user's file.
    QString codeOnDisk() const {
        const QString working = readSession(workingCopy()).preferences.appPassword;
        const QString mirrored = readSession(userFile()).preferences.appPassword;
        EXPECT_EQ(working, mirrored);
        return working;
    }
};

} // namespace velmora::test
