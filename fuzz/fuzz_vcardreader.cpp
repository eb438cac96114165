// libFuzzer target: arbitrary bytes as a vCard file must read without fault,
// and every contact imported from them must survive a vCard export and
// import unchanged.
#include "vcardcheck.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size)
{
    const QString failure =
        CheckVCard(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "vCard check failed: %s\n", qPrintable(failure));
        std::abort();
    }
    return 0;
}
