#pragma once

namespace velmora {

// While TZ is unset, the C library looks at the zone file again on every
// local-time conversion; named, the file is read once. A list of thousands
// of dates spends a third of its time in those looks. Naming the system's
// own file keeps the same zone (Qt reads ":/etc/localtime" as the default
// too); a TZ the user set, even empty, is kept. Called before the
// application object exists: a zone changed while the program runs is then
// seen at its next start.
void pinLocalTimeZone();

} // namespace velmora
