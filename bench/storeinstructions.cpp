// Runs each store operation once under callgrind's eye (after one untimed
// run, so caches and lazy set-up are warm) and dumps its counts under the
// operation's name. Run as
//   valgrind --tool=callgrind --collect-atstart=no rubrio_bench_instructions
// Without valgrind it only runs the operations.

#include "storeoperations.h"

#include <valgrind/callgrind.h>

#include <cstdio>
#include <functional>

namespace {

void count(const char *name, const std::function<void()> &operation,
           const std::function<void()> &prepare = {})
{
    operation();
    if (prepare)
        prepare();
    CALLGRIND_ZERO_STATS;
    CALLGRIND_TOGGLE_COLLECT;
    operation();
    CALLGRIND_TOGGLE_COLLECT;
    CALLGRIND_DUMP_STATS_AT(name);
}

} // namespace

int main()
{
    const StoreOperations operations;
    if (!operations.isValid()) {
        std::fputs("rubrio_bench_instructions: cannot prepare data.txt\n", stderr);
        return 1;
    }
    count("LoadReadAll", [&] { operations.ReadBytes(); });
    count(
        "LoadContacts", [&] { operations.LoadContacts(); }, [&] { operations.ReleaseTable(); });
    count("SaveQSaveFile", [&] { operations.WriteBytes(); });
    // The table stays loaded from the count before.
    count("SaveContacts", [&] { operations.SaveContacts(); });
    return 0;
}
