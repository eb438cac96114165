// Start-up time and resident memory of Rubrio against the toolkit's floor.
// Both are started as new processes, alternately, with the offscreen
// platform, from a directory whose data.txt holds 1001 contacts; each run
// counts from just before the process is spawned to the end of its main
// window's first paint.
//
// Usage: rubrio_bench_startup [RUNS]   (default 15)
// Prints "name value" lines: the medians of both programs.
//        rubrio_bench_startup --write-data FILE
// Only writes that data.txt, to start or profile the programs by hand.

#include "benchdata.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

struct Sample
{
    double ms = 0;
    long rssKib = 0;
    int width = 0;
    int height = 0;
    int contacts = -1;
};

[[noreturn]] void fail(const std::string &what)
{
    std::fprintf(stderr, "rubrio_bench_startup: %s\n", what.c_str());
    std::exit(1);
}

long long field(const std::string &line, const std::string &name)
{
    const auto at = line.find(name + "=");
    if (at == std::string::npos)
        return -1;
    return std::atoll(line.c_str() + at + name.size() + 1);
}

std::string readAll(int fd)
{
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;)
        text.append(buffer, size_t(n));
    return text;
}

Sample run(const std::vector<std::string> &command)
{
    int out[2];
    if (pipe(out) != 0)
        fail("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    // Qt's warnings would clutter the table; they are shown when a run fails.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "stderr.txt",
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char *> argv;
    for (const std::string &arg : command)
        argv.push_back(const_cast<char *>(arg.c_str()));
    argv.push_back(nullptr);

    pid_t pid = 0;
    const auto start = std::chrono::steady_clock::now().time_since_epoch();
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0)
        fail("cannot start " + command[0]);
    const std::string line = readAll(out[0]);
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    const long long paintNs = field(line, "paint_ns");
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || paintNs < 0) {
        QFile errors(QStringLiteral("stderr.txt"));
        if (errors.open(QIODevice::ReadOnly))
            std::fputs(errors.readAll().constData(), stderr);
        fail(command[0] + " did not report its first paint");
    }
    Sample sample;
    const long long startNs = std::chrono::duration_cast<std::chrono::nanoseconds>(start).count();
    sample.ms = double(paintNs - startNs) / 1e6;
    sample.rssKib = long(field(line, "rss_kib"));
    sample.width = int(field(line, "width"));
    sample.height = int(field(line, "height"));
    sample.contacts = int(field(line, "contacts"));
    return sample;
}

template <typename T> T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool writeData(const QString &path)
{
    QFile data(path);
    const QByteArray bytes = BenchData::DataFile(BenchData::TypicalContacts());
    return data.open(QIODevice::WriteOnly) && data.write(bytes) == bytes.size() && data.flush();
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 3 && std::string(argv[1]) == "--write-data")
        return writeData(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    const int runs = argc > 1 ? std::atoi(argv[1]) : 15;
    if (runs < 1)
        fail("RUNS must be at least 1");
    const std::filesystem::path here = std::filesystem::canonical("/proc/self/exe").parent_path();
    const std::string program = (here / "rubrio_startup").string();
    const std::string baseline = (here / "rubrio_startup_baseline").string();

    QTemporaryDir dir;
    if (!dir.isValid() || !QDir::setCurrent(dir.path()))
        fail("no temporary directory");
    if (!writeData(QStringLiteral("data.txt")))
        fail("cannot write data.txt");
    setenv("QT_QPA_PLATFORM", "offscreen", 1);

    // One run of each first, so both find the libraries and fonts in the
    // cache; Rubrio's tells the window size the baseline takes.
    const Sample first = run({program});
    if (first.contacts != BenchData::ContactTotal)
        fail("rubrio_startup did not load the 1001 contacts of data.txt");
    const std::vector<std::string> bare = {baseline, std::to_string(first.width),
                                           std::to_string(first.height)};
    run(bare);

    std::vector<double> programMs, baselineMs;
    std::vector<long> programKib, baselineKib;
    for (int i = 0; i < runs; ++i) {
        // Alternating, so a slow moment of the machine hits both alike.
        const bool programFirst = i % 2 == 0;
        for (int k = 0; k < 2; ++k) {
            const bool isProgram = (k == 0) == programFirst;
            const Sample s = run(isProgram ? std::vector<std::string>{program} : bare);
            (isProgram ? programMs : baselineMs).push_back(s.ms);
            (isProgram ? programKib : baselineKib).push_back(s.rssKib);
        }
    }
    std::printf("startup_rubrio_ms %.3f\n", median(programMs));
    std::printf("startup_baseline_ms %.3f\n", median(baselineMs));
    std::printf("rss_rubrio_kib %ld\n", median(programKib));
    std::printf("rss_baseline_kib %ld\n", median(baselineKib));
    std::printf("window %dx%d\n", first.width, first.height);
    return 0;
}
