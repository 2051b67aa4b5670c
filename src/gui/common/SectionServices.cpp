#include "gui/common/SectionServices.h"
