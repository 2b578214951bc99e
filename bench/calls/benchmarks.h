// The benchmarks of a library linked into the binary, by group, in the
// order the table shows them.
#pragma once

namespace bench {

void register_delay();
void register_conversions();
void register_entry_points();  // over the test bus: the floor is replayed from its trace
void register_rec_names();     // the names the rec library reads from the card
void register_contention();

}  // namespace bench
