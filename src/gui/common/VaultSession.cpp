// The lock is header-only; this file gives its signals their meta-object.
#include "gui/common/VaultSession.h"
