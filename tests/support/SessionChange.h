#pragma once

#include "core/store/AppDataStore.h"

#include <gtest/gtest.h>

namespace velmora::test {

// Changes the open session the way every flow does, through one saved edit;
// a refused or unsaved edit fails the test where it was asked.
template <class Change> void changeSession(AppDataStore& store, Change&& change) {
    const Result<> done = store.edit([&](SessionEdit& edit) {
        change(edit);
        return Result<>();
    });
    EXPECT_TRUE(done.ok()) << done.error().toStdString();
}

} // namespace velmora::test

namespace velmora::test {

// Runs a business action on one edit of the store, as the window does.
template <class Action> auto inEdit(AppDataStore& store, Action&& action) {
    return store.edit([&](SessionEdit& edit) { return action(edit); });
}

} // namespace velmora::test
