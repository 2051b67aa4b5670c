#include "gui/main/SectionPage.h"
