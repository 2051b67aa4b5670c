// The catalogue listed, with its form.

#include "Tour.h"

using namespace Qt::StringLiterals;

namespace velmora::tour {

void shootServices(Tour& tour) {
    tour.shootRecordSection(u"services"_s);
}

} // namespace velmora::tour
