// The main window's list: RefreshContactList against filling a plain
// QListWidget with the same lines, a letter switch through the scroll bar,
// the delete of 100 selected contacts, and one keystroke in the Find dialog.
// The program is started as it starts for the user, from a data.txt of 1001
// contacts under one letter.

#include "benchdata.h"
#include "find_dialog/frmfind.h"
#include "main_window/atel.h"
#include "main_window/mainwindowmodule.h"
#include "main_window/startprogram.h"
#include "paintcounter.h"
#include "platform/msgbox.h"
#include "store/datafile.h"
#include "store/globalmodule.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr QChar FullLetter = u'B';

struct Tables
{
    QStringList typical = BenchData::TypicalContacts();
    QChar typicalLetter = BenchData::TypicalLetter(typical);
    QByteArray typicalFile = BenchData::DataFile(typical);
    QStringList full = BenchData::OneLetterContacts(FullLetter);
    QByteArray fullFile = BenchData::DataFile(full);
};

const Tables &tables()
{
    static const Tables instance;
    return instance;
}

aTel *window()
{
    return aTel::instance();
}

PaintCounter *listPaints()
{
    static PaintCounter *counter = new PaintCounter(window()->contactList()->viewport());
    return counter;
}

// Loads lines into the table and shows letter, without timing anything.
void showTable(const QByteArray &file, QChar letter)
{
    DataFile::loadBytes(file);
    QScrollBar *bar = window()->scrollBar();
    listPaints()->arm();
    if (bar->value() == letter.unicode() - u'A')
        GlobalModule::RefreshContactList();
    else
        bar->setValue(letter.unicode() - u'A');
    listPaints()->waitForPaint();
}

// A click on one of the scroll bar's arrows, as the user gives it.
void clickArrow(bool down)
{
    QScrollBar *bar = window()->scrollBar();
    const int half = bar->width() / 2;
    const QPoint point(half, down ? bar->height() - half : half);
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, point);
}

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// From the press on the arrow to the list repainted with the new letter's
// lines; false when the list did not change as it should.
bool switchLetter(bool down, double *seconds)
{
    const int expected = down ? BenchData::ContactTotal : 0;
    listPaints()->arm();
    const Clock::time_point start = Clock::now();
    clickArrow(down);
    const bool painted = listPaints()->waitForPaint();
    *seconds = secondsSince(start);
    return painted && window()->contactList()->count() == expected;
}

double firstSwitchSeconds = -1;

void FillListWidget(benchmark::State &state, bool worst)
{
    const Tables &t = tables();
    const QStringList lines = worst ? t.full : BenchData::LinesUnder(t.typical, t.typicalLetter);
    QWidget frame;
    auto *list = new QListWidget(&frame);
    list->resize(window()->contactList()->size());
    frame.show();
    for (auto _ : state) {
        list->clear();
        list->addItems(lines);
    }
}

void RefreshContactList(benchmark::State &state, bool worst)
{
    const Tables &t = tables();
    showTable(worst ? t.fullFile : t.typicalFile, worst ? FullLetter : t.typicalLetter);
    for (auto _ : state)
        GlobalModule::RefreshContactList();
    // "R 64": the letter and its number of lines (no comma: the report is CSV).
    state.SetLabel(QStringLiteral("%1 %2")
                       .arg(QChar(u'A' + window()->scrollBar()->value()))
                       .arg(window()->contactList()->count())
                       .toStdString());
}

void LetterSwitch(benchmark::State &state)
{
    showTable(tables().fullFile, QChar(FullLetter.unicode() - 1));
    for (auto _ : state) {
        double seconds = 0;
        double back = 0;
        if (!switchLetter(true, &seconds) || !switchLetter(false, &back)) {
            state.SkipWithError("the letter switch did not refill the list");
            break;
        }
        state.SetIterationTime(seconds);
    }
}

// Measured once, just after start-up, before any other switch.
void LetterSwitchFirst(benchmark::State &state)
{
    for (auto _ : state)
        state.SetIterationTime(firstSwitchSeconds);
}

void Delete100(benchmark::State &state)
{
    constexpr int selected = 100;
    QListWidget *list = window()->contactList();
    for (auto _ : state) {
        showTable(tables().fullFile, FullLetter);
        for (int i = 0; i < selected; ++i)
            list->item(i * (BenchData::ContactTotal / selected))->setSelected(true);
        window()->ContactList_Click(); // as after the user's last click
        listPaints()->arm();
        listPaints()->waitForPaint();

        listPaints()->arm();
        const Clock::time_point start = Clock::now();
        QTest::mouseClick(window()->cmdDelete(), Qt::LeftButton);
        const bool painted = listPaints()->waitForPaint();
        state.SetIterationTime(secondsSince(start));
        const int left = BenchData::ContactTotal - selected;
        if (!painted || list->count() != left || GlobalModule::ContactCount != left) {
            state.SkipWithError("the delete did not remove the 100 selected contacts");
            break;
        }
    }
}

// One keystroke in the Find dialog's text box over the 1001 contacts, each
// found: from the key press to the results refilled.
void FindKeystroke(benchmark::State &state)
{
    showTable(tables().fullFile, FullLetter);
    window()->Find_Click();
    auto *dialog = window()->findChild<frmFind *>();
    if (!dialog) {
        state.SkipWithError("no Find dialog");
        return;
    }
    QLineEdit *box = dialog->findText();
    const Qt::Key letter = Qt::Key(Qt::Key_A + (FullLetter.unicode() - u'A'));
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        QTest::keyClick(box, letter);
        state.SetIterationTime(secondsSince(start));
        if (dialog->findResults()->count() != BenchData::ContactTotal) {
            state.SkipWithError("the keystroke did not find every contact");
            break;
        }
        QTest::keyClick(box, Qt::Key_Backspace);
    }
    dialog->close();
}

} // namespace

BENCHMARK_CAPTURE(FillListWidget, typical, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RefreshContactList, typical, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(FillListWidget, worst, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RefreshContactList, worst, true)->Unit(benchmark::kMicrosecond);
BENCHMARK(LetterSwitchFirst)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(LetterSwitch)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(Delete100)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(FindKeystroke)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char *argv[])
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    MsgBoxAnswerer.replace([](const MsgBoxCall &call) -> int {
        std::fprintf(stderr, "rubrio_bench_window: unexpected message: %s\n",
                     qPrintable(call.prompt));
        std::exit(1);
    });

    QTemporaryDir dir;
    QFile data(dir.filePath(DataFile::FileName));
    if (!dir.isValid() || !QDir::setCurrent(dir.path()) || !data.open(QIODevice::WriteOnly) ||
        data.write(tables().fullFile) < 0 || !data.flush()) {
        std::fputs("rubrio_bench_window: cannot write data.txt\n", stderr);
        return 1;
    }
    data.close();

    StartProgram(app);
    // The watch starts before the event loop first runs, so the first paint
    // is seen.
    listPaints()->arm();
    if (!listPaints()->waitForPaint()) {
        std::fputs("rubrio_bench_window: the main window was not painted\n", stderr);
        return 1;
    }
    // The designed letter is "A", empty here; the next one holds all 1001.
    if (!switchLetter(true, &firstSwitchSeconds)) {
        std::fputs("rubrio_bench_window: the first letter switch failed\n", stderr);
        return 1;
    }

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
