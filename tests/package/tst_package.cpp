// The installable program as a user and a distribution get it: `cmake
// --install` into a staging folder, the desktop files and the manual page
// through Debian's validators, the Windows resources through mingw-w64, the
// Debian package checked by dpkg, lintian and apt and, only where CI=true,
// installed, started and removed.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <algorithm>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

const QString SourceDir = QStringLiteral(RUBRIO_SOURCE_DIR);
const QString BuildDir = QStringLiteral(RUBRIO_BUILD_DIR);
const QString Version = QStringLiteral(RUBRIO_VERSION);
const QString DebName = u"rubrio_%1_amd64.deb"_s.arg(Version);

struct Run
{
    bool finished = false;
    int exitCode = -1;
    QString output; // standard output and standard error together

    bool succeeded() const { return finished && exitCode == 0; }
};

// Runs program to its end (at most timeoutMs), in workDir when given, with
// env added to the environment (an empty value removes the variable).
Run run(const QString &program, const QStringList &args,
        const QList<QPair<QString, QString>> &env = {}, const QString &workDir = {},
        int timeoutMs = 120000)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"LC_ALL"_s, u"C"_s);
    for (const auto &[name, value] : env) {
        if (value.isEmpty())
            environment.remove(name);
        else
            environment.insert(name, value);
    }
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(workDir);
    process.start(program, args);
    Run result;
    if (!process.waitForStarted())
        return {false, -1, program + u": "_s + process.errorString()};
    result.finished = process.waitForFinished(timeoutMs);
    if (!result.finished) {
        process.kill();
        process.waitForFinished();
    }
    result.output = QString::fromLocal8Bit(process.readAll());
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return result;
}

// Every file below root, as paths relative to it, sorted.
QStringList filesBelow(const QString &root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(root).relativeFilePath(it.next()));
    files.sort();
    return files;
}

// The [Desktop Entry] group of a desktop file as key -> value.
QMap<QString, QString> desktopKeys(const QString &path)
{
    QMap<QString, QString> keys;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    bool inEntry = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'['))
            inEntry = line == "[Desktop Entry]"_L1;
        else if (inEntry && line.contains(u'=') && !line.startsWith(u'#'))
            keys.insert(line.section(u'=', 0, 0), line.section(u'=', 1));
    }
    return keys;
}

// The largest difference of one colour channel (alpha included) between two
// images of the same size; -1 when the sizes differ.
int largestDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return -1;
    const QImage x = a.convertToFormat(QImage::Format_RGBA8888);
    const QImage y = b.convertToFormat(QImage::Format_RGBA8888);
    int largest = 0;
    for (int row = 0; row < x.height(); ++row) {
        const uchar *p = x.constScanLine(row);
        const uchar *q = y.constScanLine(row);
        for (int i = 0; i < x.width() * 4; ++i)
            largest = std::max(largest, std::abs(int(p[i]) - int(q[i])));
    }
    return largest;
}

// The text (or the attribute) of the first element called name in an XML file.
QString xmlText(const QString &path, const QString &name, const QString &attribute = {})
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == name) {
            if (!attribute.isEmpty())
                return xml.attributes().value(attribute).toString();
            return xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
        }
    }
    return {};
}

bool packageInstalled()
{
    return run(u"dpkg-query"_s, {"-W", "-f=${Status}", "rubrio"})
        .output.contains("install ok installed"_L1);
}

} // namespace

class TestPackage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void installedTree();
    void installFollowsPrefix();
    void iconDrawnForItsSize_data();
    void iconDrawnForItsSize();
    void scalableIcon();
    void desktopEntry();
    void metainfo();
    void screenshot();
    void manualPage();
    void windowsResources();
    void debControl();
    void debHoldsTheInstalledTree();
    void lintianAcceptsDeb();
    void aptAcceptsDeb();
    void installedPackageStarts();

private:
    QString staged(const QString &relative) const { return m_stage.path() + u"/usr/"_s + relative; }
    QString debPath() const { return m_debDir.path() + u'/' + DebName; }
    QString metainfoPath() const;

    QTemporaryDir m_stage;
    QTemporaryDir m_debDir;
    QTemporaryDir m_debTree;
};

void TestPackage::initTestCase()
{
    QVERIFY(m_stage.isValid() && m_debDir.isValid() && m_debTree.isValid());
    const Run install =
        run(QStringLiteral(RUBRIO_CMAKE), {"--install", BuildDir, "--prefix", "/usr"},
            {{u"DESTDIR"_s, m_stage.path()}});
    QVERIFY2(install.succeeded(), qPrintable(install.output));
    const Run cpack =
        run(QStringLiteral(RUBRIO_CPACK),
            {"-G", "DEB", "--config", BuildDir + u"/CPackConfig.cmake"_s, "-B", m_debDir.path()});
    QVERIFY2(cpack.succeeded() && QFileInfo::exists(debPath()), qPrintable(cpack.output));
    const Run extract = run(u"dpkg-deb"_s, {"-x", debPath(), m_debTree.path()});
    QVERIFY2(extract.succeeded(), qPrintable(extract.output));
}

QString TestPackage::metainfoPath() const
{
    const QStringList found =
        QDir(staged(u"share/metainfo"_s)).entryList({u"*.metainfo.xml"_s}, QDir::Files);
    return found.size() == 1 ? staged(u"share/metainfo/"_s + found.first()) : QString();
}

void TestPackage::installedTree()
{
    const QString metainfo = metainfoPath();
    QVERIFY2(!metainfo.isEmpty(), "exactly one file in share/metainfo");
    QStringList expected = {u"bin/rubrio"_s,
                            u"libexec/rubrio/rubrio-sync"_s,
                            u"share/applications/rubrio.desktop"_s,
                            u"share/doc/rubrio/changelog.gz"_s,
                            u"share/doc/rubrio/copyright"_s,
                            u"share/man/man1/rubrio.1.gz"_s,
                            u"share/icons/hicolor/scalable/apps/rubrio.svg"_s,
                            u"share/metainfo/"_s + QFileInfo(metainfo).fileName()};
    for (int size : {16, 32, 48, 64, 128, 256})
        expected.append(u"share/icons/hicolor/%1x%1/apps/rubrio.png"_s.arg(size));
    expected.sort();
    QCOMPARE(filesBelow(m_stage.path() + u"/usr"_s), expected);
    // The installed rubrio finds its sync program: it answers for the URL.
    QProcess sync;
    sync.setWorkingDirectory(m_stage.path());
    sync.start(staged(u"bin/rubrio"_s), {u"--sync"_s, u"http://example.invalid/rubrica/"_s});
    QVERIFY(sync.waitForFinished());
    QCOMPARE(sync.exitCode(), 2);
    QVERIFY2(sync.readAllStandardError().contains("https://"), "rubrio-sync did not answer");
    QCOMPARE(QDir(m_stage.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{u"usr"_s});
    for (const QString &path : std::as_const(expected))
        QCOMPARE(QFileInfo(staged(path)).isExecutable(),
                 path.startsWith("bin/"_L1) || path.startsWith("libexec/"_L1));
}

void TestPackage::installFollowsPrefix()
{
    // A prefix other than /usr gets the same tree, moved whole.
    const QString prefix = u"/opt/rubrio"_s;
    QTemporaryDir stage;
    QVERIFY(stage.isValid());
    const Run install =
        run(QStringLiteral(RUBRIO_CMAKE), {"--install", BuildDir, "--prefix", prefix},
            {{u"DESTDIR"_s, stage.path()}});
    QVERIFY2(install.succeeded(), qPrintable(install.output));
    const QStringList underPrefix = filesBelow(stage.path() + prefix);
    QCOMPARE(underPrefix, filesBelow(m_stage.path() + u"/usr"_s));
    QCOMPARE(filesBelow(stage.path()).size(), underPrefix.size());
}

void TestPackage::iconDrawnForItsSize_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("drawing");

    const QString art = SourceDir + u"/packaging/icons/src/"_s;
    QTest::newRow("16") << 16 << art + u"rubrio-16.xpm"_s;
    // The About box's own picture, not a copy that could drift from it.
    QTest::newRow("32") << 32 << SourceDir + u"/src/look/rubrio.xpm"_s;
    for (int size : {48, 64, 128, 256})
        QTest::addRow("%d", size) << size << art + u"rubrio-%1.svg"_s.arg(size);
}

void TestPackage::iconDrawnForItsSize()
{
    QFETCH(int, size);
    QFETCH(QString, drawing);

    const QString installed = staged(u"share/icons/hicolor/%1x%1/apps/rubrio.png"_s.arg(size));
    const QImage icon(installed);
    QCOMPARE(icon.size(), QSize(size, size));
    QVERIFY(icon.hasAlphaChannel());

    QImage reference;
    if (drawing.endsWith(".xpm"_L1)) {
        reference.load(drawing);
    } else {
        // Drawn on a grid of this very size; the committed PNG must be what
        // it renders to today, so a drawing changed without rendering shows.
        QCOMPARE(xmlText(drawing, u"svg"_s, u"viewBox"_s), u"0 0 %1 %1"_s.arg(size));
        QTemporaryDir tmp;
        const QString png = tmp.path() + u"/render.png"_s;
        const QString side = QString::number(size);
        const Run render = run(u"rsvg-convert"_s, {"-w", side, "-h", side, drawing, "-o", png});
        QVERIFY2(render.succeeded(), qPrintable(render.output));
        reference.load(png);
    }
    QVERIFY2(!reference.isNull(), qPrintable(drawing));
    const int difference = largestDifference(icon, reference);
    QVERIFY2(difference >= 0 && difference <= 8,
             qPrintable(u"%1 differs from %2 by %3; run packaging/icons/render.sh"_s
                            .arg(installed, drawing)
                            .arg(difference)));
}

void TestPackage::scalableIcon()
{
    QFile file(staged(u"share/icons/hicolor/scalable/apps/rubrio.svg"_s));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QVERIFY(xml.readNextStartElement() && xml.name() == "svg"_L1);
    QVERIFY(!xml.attributes().value("viewBox"_L1).isEmpty());
    while (!xml.atEnd())
        xml.readNext();
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
}

void TestPackage::desktopEntry()
{
    const QString path = staged(u"share/applications/rubrio.desktop"_s);
    // It reports hints and deprecations without failing: none are wanted.
    const Run validate = run(u"desktop-file-validate"_s, {path});
    QVERIFY2(validate.succeeded() && validate.output.trimmed().isEmpty(),
             qPrintable(validate.output));

    const auto entry = desktopKeys(path);
    // Started for the menu's phone book, in the user's data folder
    // (installedPackageStarts starts it).
    for (const auto &[key, value] : QList<QPair<QString, QString>>{{u"Type"_s, u"Application"_s},
                                                                   {u"Name"_s, u"Rubrio"_s},
                                                                   {u"Exec"_s, u"rubrio --menu"_s},
                                                                   {u"Icon"_s, u"rubrio"_s},
                                                                   {u"Terminal"_s, u"false"_s}})
        QCOMPARE(key + u'=' + entry.value(key), key + u'=' + value);
    const QStringList categories = entry.value(u"Categories"_s).split(u';');
    QVERIFY(categories.contains("Office"_L1) && categories.contains("ContactManagement"_L1));
    QVERIFY(!entry.value(u"Comment"_s).isEmpty());
}

void TestPackage::metainfo()
{
    const QString metainfo = metainfoPath();
    QVERIFY(!metainfo.isEmpty());
    // Pedantic: the hints a software centre's reviewer would give, too.
    const Run validate =
        run(u"appstreamcli"_s, {"validate", "--no-net", "--strict", "--pedantic", metainfo});
    QVERIFY2(validate.succeeded() && !validate.output.contains("P:"_L1) &&
                 !validate.output.contains("I:"_L1),
             qPrintable(validate.output));

    const auto text = [&metainfo](const char *name, const char *attribute = "") {
        return xmlText(metainfo, QString::fromLatin1(name), QString::fromLatin1(attribute));
    };
    QCOMPARE(QFileInfo(metainfo).fileName(), text("id") + u".metainfo.xml"_s);
    QCOMPARE(text("release", "version"), Version);
    QCOMPARE(text("project_license"), u"GPL-3.0-or-later"_s);
    QCOMPARE(text("metadata_license"), u"CC0-1.0"_s);
    QVERIFY(QFileInfo::exists(staged(u"share/applications/"_s + text("launchable"))));
    QVERIFY(QFileInfo(staged(u"bin/"_s + text("binary"))).isExecutable());
    const QString screenshot = text("image");
    QVERIFY2(screenshot.startsWith("https://"_L1) && screenshot.endsWith(".png"_L1),
             qPrintable(screenshot));
    // The picture the address names is kept with the sources, to publish.
    QVERIFY(QFileInfo::exists(SourceDir + u"/packaging/screenshots/"_s +
                              QFileInfo(screenshot).fileName()));
}

void TestPackage::screenshot()
{
    // The published screenshot is the window as the program draws it: the
    // script that made it makes it again, at the same size.
    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    const QString shot = tmp.filePath(u"main-window.png"_s);
    const Run take = run(
        u"sh"_s,
        {SourceDir + u"/packaging/screenshots/take.sh"_s, BuildDir + u"/src/app/rubrio"_s, shot},
        {}, {}, 90000);
    QVERIFY2(take.succeeded(), qPrintable(take.output));
    const QImage taken(shot);
    const QImage published(SourceDir + u"/packaging/screenshots/main-window.png"_s);
    QVERIFY(!published.isNull());
    QCOMPARE(taken.size(), published.size());
    // Mostly the list, light yellow, which only a drawn window shows.
    qsizetype yellow = 0;
    for (int y = 0; y < taken.height(); ++y) {
        for (int x = 0; x < taken.width(); ++x)
            yellow += taken.pixel(x, y) == qRgb(255, 255, 192);
    }
    QVERIFY2(yellow > taken.width() * taken.height() / 3, qPrintable(QString::number(yellow)));
}

void TestPackage::manualPage()
{
    // man itself, as a user reads it, with groff's warnings on.
    const QString page = staged(u"share/man/man1/rubrio.1.gz"_s);
    const Run man = run(u"man"_s, {"--warnings", "-l", page}, {{u"MANWIDTH"_s, u"80"_s}});
    QVERIFY2(man.succeeded() && !man.output.contains("warning"_L1), qPrintable(man.output));
    for (const char *section : {"NAME", "SYNOPSIS", "OPTIONS", "FILES", "EXIT STATUS"})
        QVERIFY2(man.output.contains(u"\n"_s + QLatin1String(section) + u'\n'), section);
    QVERIFY(man.output.contains("data.txt"_L1));
    // Every option the program lists.
    const Run help = run(staged(u"bin/rubrio"_s), {"--help"});
    QVERIFY2(help.succeeded(), qPrintable(help.output));
    const QRegularExpression option(u"(?<![\\w-])(--?[a-z][a-z-]*)"_s);
    QStringList missing;
    for (const auto &match : option.globalMatch(help.output)) {
        if (!man.output.contains(match.captured(1)))
            missing.append(match.captured(1));
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u' ')));
}

void TestPackage::windowsResources()
{
    // Debian has no Qt for Windows: the resource script is built into a small
    // windowed stand-in instead of the program.
    const QString rc = SourceDir + u"/packaging/windows/rubrio.rc"_s;
    QFile script(rc);
    QVERIFY(script.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString text = QString::fromUtf8(script.readAll());
    const QString commas = QString(Version).replace(u'.', ",\\s*"_L1);
    for (const QString &pattern :
         {u"FILEVERSION\\s+%1,\\s*0"_s.arg(commas), u"PRODUCTVERSION\\s+%1,\\s*0"_s.arg(commas),
          u"\"FileVersion\",\\s*\"%1\""_s.arg(Version),
          u"\"ProductVersion\",\\s*\"%1\""_s.arg(Version)})
        QVERIFY2(text.contains(QRegularExpression(pattern)), qPrintable(pattern));

    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    const QString object = tmp.filePath(u"rubrio-rc.o"_s);
    const QString stub = tmp.filePath(u"stub.c"_s);
    const QString exe = tmp.filePath(u"stub.exe"_s);
    const QString extracted = tmp.filePath(u"extracted.ico"_s);
    QFile source(stub);
    QVERIFY(source.open(QIODevice::WriteOnly));
    source.write("#include <windows.h>\n"
                 "int WINAPI WinMain(HINSTANCE i, HINSTANCE p, LPSTR c, int s)\n"
                 "{ (void)i; (void)p; (void)c; (void)s; return 0; }\n");
    source.close();
    // The icon Explorer shows is the first icon group: it must hold every
    // image of rubrio.ico.
    for (const Run &step :
         {run(u"x86_64-w64-mingw32-windres"_s, {"-O", "coff", rc, object}),
          run(u"x86_64-w64-mingw32-gcc"_s, {"-mwindows", stub, object, "-o", exe}),
          run(u"sh"_s, {"-c", "wrestool -x --type=14 \"$0\" > \"$1\"", exe, extracted})})
        QVERIFY2(step.succeeded(), qPrintable(step.output));
    const Run original = run(u"icotool"_s, {"-l", SourceDir + u"/packaging/windows/rubrio.ico"_s});
    const Run embedded = run(u"icotool"_s, {"-l", extracted});
    QVERIFY2(original.succeeded() && embedded.succeeded(), qPrintable(embedded.output));
    QVERIFY(original.output.count("--icon"_L1) >= 4);
    QCOMPARE(embedded.output, original.output);
    // And the version block.
    const Run list = run(u"wrestool"_s, {"-l", exe});
    QVERIFY2(list.output.contains("--type=16"_L1), qPrintable(list.output));
}

void TestPackage::debControl()
{
    const auto field = [this](const char *name) {
        const Run info = run(u"dpkg-deb"_s, {"-f", debPath(), name});
        return info.succeeded() ? info.output.trimmed() : u"<dpkg-deb failed>"_s;
    };
    QCOMPARE(field("Architecture"), u"amd64"_s);
    QCOMPARE(field("Recommends"), u"qt6-translations-l10n"_s);

    const QString depends = field("Depends");
    QStringList packages;
    for (const QString &entry : depends.split(u','))
        packages.append(entry.trimmed().section(u' ', 0, 0));
    // From the binary (dpkg-shlibdeps), so with the versions it needs, and
    // by hand the fonts the dialogs ask for.
    for (const char *name :
         {"libc6", "libstdc++6", "libqt6core6", "libqt6gui6", "libqt6widgets6", "fonts-liberation"})
        QVERIFY2(packages.contains(QLatin1String(name)), qPrintable(depends));
    QVERIFY2(depends.contains(QRegularExpression(u"libqt6widgets6 \\(>= 6"_s)),
             qPrintable(depends));
    QVERIFY2(!depends.contains("wayland"_L1), qPrintable(depends));
}

void TestPackage::debHoldsTheInstalledTree()
{
    // What `cmake --install` installs, stripped, owned by root, readable by all.
    QCOMPARE(filesBelow(m_debTree.path()), filesBelow(m_stage.path()));
    const QString binary = m_debTree.path() + u"/usr/bin/rubrio"_s;
    const Run file = run(u"file"_s, {binary});
    QVERIFY2(file.output.contains("ELF 64-bit"_L1) && file.output.contains(", stripped"_L1),
             qPrintable(file.output));
    const Run dynamic = run(u"readelf"_s, {"-d", binary});
    QVERIFY2(dynamic.succeeded() && !dynamic.output.contains("PATH"_L1),
             qPrintable(dynamic.output));

    const Run contents = run(u"dpkg-deb"_s, {"-c", debPath()});
    QVERIFY2(contents.succeeded(), qPrintable(contents.output));
    const QStringList lines = contents.output.trimmed().split(u'\n');
    QVERIFY(lines.size() > 10);
    const QRegularExpression sound(u"^(-rw-r--r--|-rwxr-xr-x|drwxr-xr-x) root/root "_s);
    for (const QString &line : lines)
        QVERIFY2(sound.match(line).hasMatch(), qPrintable(line));
}

void TestPackage::lintianAcceptsDeb()
{
    // Debian's own checks, pedantic ones included: no error, no warning.
    const Run lintian = run(u"lintian"_s, {"--pedantic", "--display-info", debPath()});
    QVERIFY2(lintian.finished, qPrintable(lintian.output));
    const QRegularExpression complaint(u"^[EWP]: "_s, QRegularExpression::MultilineOption);
    QVERIFY2(!lintian.output.contains(complaint), qPrintable(lintian.output));
    // Built with Debian's hardening flags: full RELRO, bound at load time.
    for (const char *tag : {"hardening-no-relro", "hardening-no-bindnow", "hardening-no-pie"})
        QVERIFY2(!lintian.output.contains(QLatin1String(tag)), qPrintable(lintian.output));
}

void TestPackage::aptAcceptsDeb()
{
    const Run simulate = run(u"apt-get"_s, {"install", "--simulate", debPath()});
    QVERIFY2(simulate.succeeded() && simulate.output.contains(u"Inst rubrio (%1"_s.arg(Version)),
             qPrintable(simulate.output));
}

void TestPackage::installedPackageStarts()
{
    if (qEnvironmentVariable("CI") != "true"_L1)
        QSKIP("installs the package for real only where CI=true");
    if (packageInstalled())
        qWarning("rubrio was installed before this test: it is replaced and then removed");

    // Whatever happens below, the machine is left without the package.
    const QList<QPair<QString, QString>> noQuestions = {
        {u"DEBIAN_FRONTEND"_s, u"noninteractive"_s}};
    const auto purge = [&noQuestions] {
        return run(u"apt-get"_s, {"purge", "-y", "rubrio"}, noQuestions);
    };
    auto removePackage = qScopeGuard(purge);
    const Run install = run(u"apt-get"_s, {"install", "-y", debPath()}, noQuestions);
    QVERIFY2(install.succeeded() && packageInstalled(), qPrintable(install.output));

    // Started from the menu entry by a launcher that runs in another folder,
    // with a real X server and no offscreen platform: the program runs in the
    // user's data folder, which it creates.
    QTemporaryDir home;
    QTemporaryDir elsewhere;
    QVERIFY(home.isValid() && elsewhere.isValid());
    const Run started = run(u"xvfb-run"_s,
                            {"-a", "-s", "-screen 0 1024x768x24", "sh",
                             SourceDir + u"/tests/package/run-installed.sh"_s, "gio", "launch",
                             "/usr/share/applications/rubrio.desktop"},
                            {{u"QT_QPA_PLATFORM"_s, QString()},
                             {u"PATH"_s, u"/usr/bin:/bin"_s},
                             {u"HOME"_s, home.path()},
                             {u"XDG_DATA_HOME"_s, QString()}},
                            elsewhere.path(), 90000);
    QVERIFY2(started.finished, qPrintable(started.output));
    const auto seen = [&started](const char *key) {
        const QRegularExpression line(u"^%1=(.*)$"_s.arg(QLatin1String(key)),
                                      QRegularExpression::MultilineOption);
        return line.match(started.output).captured(1).trimmed();
    };
    QVERIFY2(!seen("window").isEmpty(), qPrintable(started.output));
    QCOMPARE(seen("name"), u"Rubrio"_s);
    QCOMPARE(seen("exe"), u"/usr/bin/rubrio"_s);
    const QString folder = home.filePath(u".local/share/rubrio"_s);
    QCOMPARE(seen("cwd"), QDir(folder).canonicalPath());
    // "Salva Record" wrote the (empty) contact table there, and nothing in
    // the home folder.
    const QFileInfo data(folder + u"/data.txt"_s);
    QVERIFY(!QFileInfo::exists(home.filePath(u"data.txt"_s)));
    QVERIFY2(data.exists() && data.size() == 0, qPrintable(started.output));
    QVERIFY(!QFileInfo::exists(elsewhere.filePath(u"data.txt"_s)));
    // Asked to end by SIGTERM, it asked the exit question first.
    QVERIFY2(!seen("question").isEmpty(), qPrintable(started.output));
    QCOMPARE(seen("ended"), u"yes"_s);

    removePackage.dismiss();
    const Run purged = purge();
    QVERIFY2(purged.succeeded() && !packageInstalled(), qPrintable(purged.output));
    QVERIFY(!QFileInfo::exists(u"/usr/share/applications/rubrio.desktop"_s));
}

QTEST_GUILESS_MAIN(TestPackage)
#include "tst_package.moc"
