// The contact store against plain Qt file I/O: loading 1001 contacts against
// reading the file's bytes, saving them against writing the same bytes
// atomically. And the vCard export and import of the same contacts, to be
// read against saving and loading data.txt.

#include "exchange/contactexport.h"
#include "exchange/contactimport.h"
#include "store/contacttable.h"
#include "store/globalmodule.h"
#include "storeoperations.h"

#include <QDir>
#include <QFileInfo>

#include <benchmark/benchmark.h>

namespace {

StoreOperations &operations()
{
    static StoreOperations instance;
    return instance;
}

bool ready(benchmark::State &state)
{
    if (operations().isValid())
        return true;
    state.SkipWithError("cannot prepare data.txt");
    return false;
}

void LoadReadAll(benchmark::State &state)
{
    if (!ready(state))
        return;
    for (auto _ : state)
        benchmark::DoNotOptimize(operations().ReadBytes());
}

void LoadContacts(benchmark::State &state)
{
    if (!ready(state))
        return;
    for (auto _ : state) {
        state.PauseTiming();
        operations().ReleaseTable();
        state.ResumeTiming();
        if (operations().LoadContacts() != 1001)
            state.SkipWithError("load lost contacts");
    }
}

void SaveQSaveFile(benchmark::State &state)
{
    if (!ready(state))
        return;
    for (auto _ : state) {
        if (!operations().WriteBytes())
            state.SkipWithError("QSaveFile failed");
    }
}

void SaveContacts(benchmark::State &state)
{
    if (!ready(state))
        return;
    operations().LoadContacts();
    for (auto _ : state) {
        if (!operations().SaveContacts())
            state.SkipWithError("SaveContacts failed");
    }
}

QString vcardPath()
{
    return QFileInfo(operations().dataPath()).dir().filePath(QStringLiteral("contacts.vcf"));
}

bool exportVCard()
{
    return ContactExport::writeFile(vcardPath(), ContactTable::allLines(),
                                    ContactExport::Format::VCard)
        .isEmpty();
}

void ExportVCard(benchmark::State &state)
{
    if (!ready(state))
        return;
    operations().LoadContacts();
    for (auto _ : state) {
        if (!exportVCard())
            state.SkipWithError("export failed");
    }
}

// Into an empty table, as into a new folder.
void ImportVCard(benchmark::State &state)
{
    if (!ready(state))
        return;
    operations().LoadContacts();
    if (!exportVCard())
        state.SkipWithError("export failed");
    for (auto _ : state) {
        state.PauseTiming();
        operations().ReleaseTable();
        state.ResumeTiming();
        if (ContactImport::addFile(vcardPath()).imported != 1001)
            state.SkipWithError("import lost contacts");
    }
}

} // namespace

BENCHMARK(LoadReadAll)->Unit(benchmark::kMicrosecond);
BENCHMARK(LoadContacts)->Unit(benchmark::kMicrosecond);
BENCHMARK(SaveQSaveFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(SaveContacts)->Unit(benchmark::kMicrosecond);
BENCHMARK(ExportVCard)->Unit(benchmark::kMicrosecond);
BENCHMARK(ImportVCard)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
