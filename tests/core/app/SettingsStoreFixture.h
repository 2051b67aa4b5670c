#pragma once

#include "support/MirroredStoreFixture.h"
#include "support/QtPrinters.h"

namespace velmora::test {

using SettingsStoreFixture = MirroredStoreFixture;

} // namespace velmora::test
