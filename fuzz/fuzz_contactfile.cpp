// libFuzzer target: arbitrary bytes as data.txt must load, save and load back
// to the same contacts.
#include "roundtrip.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size)
{
    const QString failure =
        CheckRoundTrip(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "round trip failed: %s\n", qPrintable(failure));
        std::abort();
    }
    return 0;
}
