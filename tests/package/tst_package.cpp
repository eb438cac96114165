// The installable program, checked the way a user and a distribution get it:
// `cmake --install` into a staging folder, the desktop entry and the
// software-centre description through Debian's own validators, the Windows
// resources through mingw-w64, the Debian package built by CPack and checked
// by dpkg and apt and, only where CI=true, that package installed for real,
// started under Xvfb and removed again.

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

namespace {

const QString SourceDir = QStringLiteral(RUBRIO_SOURCE_DIR);
const QString BuildDir = QStringLiteral(RUBRIO_BUILD_DIR);
const QString Version = QStringLiteral(RUBRIO_VERSION);
const QString DebName = QStringLiteral("rubrio_%1_amd64.deb").arg(Version);

struct Run
{
    bool finished = false;
    int exitCode = -1;
    QString output; // standard output and standard error together
};

// Runs program to its end (at most timeoutMs), in workDir when given, with
// env added to the environment (an empty value removes the variable).
Run run(const QString &program, const QStringList &args,
        const QList<QPair<QString, QString>> &env = {}, const QString &workDir = {},
        int timeoutMs = 120000)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    for (const auto &[name, value] : env) {
        if (value.isEmpty())
            environment.remove(name);
        else
            environment.insert(name, value);
    }
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (!workDir.isEmpty())
        process.setWorkingDirectory(workDir);
    process.start(program, args);
    Run result;
    if (!process.waitForStarted()) {
        result.output = program + QStringLiteral(": ") + process.errorString();
        return result;
    }
    result.finished = process.waitForFinished(timeoutMs);
    if (!result.finished) {
        process.kill();
        process.waitForFinished();
    }
    result.output = QString::fromLocal8Bit(process.readAll());
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return result;
}

bool succeeded(const Run &result)
{
    return result.finished && result.exitCode == 0;
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
QMap<QString, QString> desktopEntry(const QString &path)
{
    QMap<QString, QString> keys;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    bool inEntry = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'['))
            inEntry = line == QLatin1String("[Desktop Entry]");
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

// The text of the first element called name in an XML file.
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
    const Run query =
        run(QStringLiteral("dpkg-query"),
            {QStringLiteral("-W"), QStringLiteral("-f=${Status}"), QStringLiteral("rubrio")});
    return query.output.contains(QLatin1String("install ok installed"));
}

} // namespace

class TestPackage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void installedTree_data();
    void installedTree();
    void installsNothingElse();
    void installFollowsPrefix_data();
    void installFollowsPrefix();

    void iconDrawnForItsSize_data();
    void iconDrawnForItsSize();
    void scalableIcon();

    void desktopEntryValidates();
    void desktopEntryKeys_data();
    void desktopEntryKeys();
    void desktopEntryPointsAtInstalledFiles();

    void metainfoValidates();
    void metainfoContent();

    void windowsResources();

    void debFields_data();
    void debFields();
    void debDependencies();
    void debHoldsTheInstalledTree();
    void aptAcceptsDeb();

    void installedPackageStarts();

private:
    QString staged(const QString &relative) const
    {
        return m_stage.path() + QStringLiteral("/usr/") + relative;
    }
    QString debPath() const { return m_debDir.path() + u'/' + DebName; }
    QString metainfoPath() const;

    QTemporaryDir m_stage;
    QTemporaryDir m_debDir;
    QTemporaryDir m_debTree;
};

void TestPackage::initTestCase()
{
    QVERIFY(m_stage.isValid() && m_debDir.isValid() && m_debTree.isValid());

    const Run install = run(
        QStringLiteral(RUBRIO_CMAKE),
        {QStringLiteral("--install"), BuildDir, QStringLiteral("--prefix"), QStringLiteral("/usr")},
        {{QStringLiteral("DESTDIR"), m_stage.path()}});
    QVERIFY2(succeeded(install), qPrintable(install.output));

    const Run cpack = run(QStringLiteral(RUBRIO_CPACK),
                          {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                           BuildDir + QStringLiteral("/CPackConfig.cmake"), QStringLiteral("-B"),
                           m_debDir.path()});
    QVERIFY2(succeeded(cpack), qPrintable(cpack.output));
    QVERIFY2(QFileInfo::exists(debPath()), qPrintable(cpack.output));

    const Run extract =
        run(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), debPath(), m_debTree.path()});
    QVERIFY2(succeeded(extract), qPrintable(extract.output));
}

QString TestPackage::metainfoPath() const
{
    const QStringList found = QDir(staged(QStringLiteral("share/metainfo")))
                                  .entryList({QStringLiteral("*.metainfo.xml")}, QDir::Files);
    return found.size() == 1 ? staged(QStringLiteral("share/metainfo/") + found.first())
                             : QString();
}

void TestPackage::installedTree_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("executable");

    QTest::newRow("program") << "bin/rubrio" << true;
    QTest::newRow("desktop entry") << "share/applications/rubrio.desktop" << false;
    for (const char *size : {"16", "32", "48", "64", "128", "256"}) {
        const QString dir =
            QStringLiteral("share/icons/hicolor/%1x%1/apps/").arg(QLatin1String(size));
        QTest::newRow(size) << dir + QStringLiteral("rubrio.png") << false;
    }
    QTest::newRow("scalable") << "share/icons/hicolor/scalable/apps/rubrio.svg" << false;
}

void TestPackage::installedTree()
{
    QFETCH(QString, path);
    QFETCH(bool, executable);

    const QFileInfo info(staged(path));
    QVERIFY2(info.isFile(), qPrintable(path));
    QVERIFY(info.size() > 0);
    QCOMPARE(info.isExecutable(), executable);
    QVERIFY(info.permissions() & QFileDevice::ReadOther);
}

void TestPackage::installsNothingElse()
{
    const QString metainfo = metainfoPath();
    QVERIFY2(!metainfo.isEmpty(), "exactly one file in share/metainfo");

    QStringList expected = {
        QStringLiteral("bin/rubrio"),
        QStringLiteral("share/applications/rubrio.desktop"),
        QStringLiteral("share/icons/hicolor/scalable/apps/rubrio.svg"),
        QStringLiteral("share/metainfo/") + QFileInfo(metainfo).fileName(),
    };
    for (const char *size : {"16", "32", "48", "64", "128", "256"})
        expected.append(
            QStringLiteral("share/icons/hicolor/%1x%1/apps/rubrio.png").arg(QLatin1String(size)));
    expected.sort();
    QCOMPARE(filesBelow(m_stage.path() + QStringLiteral("/usr")), expected);
    QCOMPARE(QDir(m_stage.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("usr")});
}

void TestPackage::installFollowsPrefix_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::newRow("default of a local install") << "/usr/local";
    QTest::newRow("a folder of its own") << "/opt/rubrio";
}

void TestPackage::installFollowsPrefix()
{
    QFETCH(QString, prefix);
    QTemporaryDir stage;
    QVERIFY(stage.isValid());
    const Run install =
        run(QStringLiteral(RUBRIO_CMAKE),
            {QStringLiteral("--install"), BuildDir, QStringLiteral("--prefix"), prefix},
            {{QStringLiteral("DESTDIR"), stage.path()}});
    QVERIFY2(succeeded(install), qPrintable(install.output));

    // The same tree as under /usr, moved whole to the prefix.
    const QStringList underPrefix = filesBelow(stage.path() + prefix);
    QCOMPARE(underPrefix, filesBelow(m_stage.path() + QStringLiteral("/usr")));
    QCOMPARE(filesBelow(stage.path()).size(), underPrefix.size());
}

void TestPackage::iconDrawnForItsSize_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("drawing");

    const QString art = SourceDir + QStringLiteral("/packaging/icons/src/");
    QTest::newRow("16") << 16 << art + QStringLiteral("rubrio-16.xpm");
    // The About box's own picture, not a copy that could drift from it.
    QTest::newRow("32") << 32 << SourceDir + QStringLiteral("/src/about/rubrio.xpm");
    for (int size : {48, 64, 128, 256})
        QTest::newRow(qPrintable(QString::number(size)))
            << size << art + QStringLiteral("rubrio-%1.svg").arg(size);
}

void TestPackage::iconDrawnForItsSize()
{
    QFETCH(int, size);
    QFETCH(QString, drawing);

    const QString installed =
        staged(QStringLiteral("share/icons/hicolor/%1x%1/apps/rubrio.png").arg(size));
    const QImage icon(installed);
    QVERIFY2(!icon.isNull(), qPrintable(installed));
    QCOMPARE(icon.size(), QSize(size, size));
    QVERIFY(icon.hasAlphaChannel());

    QImage reference;
    if (drawing.endsWith(QLatin1String(".xpm"))) {
        reference.load(drawing);
    } else {
        // The drawing is made on a grid of this very size, and the
        // installed picture is what it renders to today: the PNG files are
        // committed, so this catches a drawing changed without rendering.
        QCOMPARE(xmlText(drawing, QStringLiteral("svg"), QStringLiteral("viewBox")),
                 QStringLiteral("0 0 %1 %1").arg(size));
        QTemporaryDir tmp;
        const QString png = tmp.path() + QStringLiteral("/render.png");
        const QString side = QString::number(size);
        const Run render =
            run(QStringLiteral("rsvg-convert"), {QStringLiteral("-w"), side, QStringLiteral("-h"),
                                                 side, drawing, QStringLiteral("-o"), png});
        QVERIFY2(succeeded(render), qPrintable(render.output));
        reference.load(png);
    }
    QVERIFY2(!reference.isNull(), qPrintable(drawing));
    const int difference = largestDifference(icon, reference);
    QVERIFY2(difference >= 0 && difference <= 8,
             qPrintable(QStringLiteral("%1 differs from %2 by %3; run packaging/icons/render.sh")
                            .arg(installed, drawing)
                            .arg(difference)));
}

void TestPackage::scalableIcon()
{
    const QString svg = staged(QStringLiteral("share/icons/hicolor/scalable/apps/rubrio.svg"));
    QFile file(svg);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QVERIFY(xml.readNextStartElement());
    QVERIFY(xml.name() == QLatin1String("svg"));
    QVERIFY(!xml.attributes().value(QLatin1String("viewBox")).isEmpty());
    while (!xml.atEnd())
        xml.readNext();
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
}

void TestPackage::desktopEntryValidates()
{
    const Run validate = run(QStringLiteral("desktop-file-validate"),
                             {staged(QStringLiteral("share/applications/rubrio.desktop"))});
    QVERIFY2(succeeded(validate), qPrintable(validate.output));
    // It reports hints and deprecations without failing: none are wanted.
    QVERIFY2(validate.output.trimmed().isEmpty(), qPrintable(validate.output));
}

void TestPackage::desktopEntryKeys_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    QTest::newRow("type") << "Type"
                          << "Application";
    QTest::newRow("name") << "Name"
                          << "Rubrio";
    QTest::newRow("command") << "Exec"
                             << "rubrio";
    QTest::newRow("icon") << "Icon"
                          << "rubrio";
    QTest::newRow("no terminal") << "Terminal"
                                 << "false";
    // Without Path the launcher starts the program in the home folder, and
    // the program keeps data.txt in the folder it is started in.
    QTest::newRow("no working folder") << "Path" << QString();
}

void TestPackage::desktopEntryKeys()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    const auto entry = desktopEntry(staged(QStringLiteral("share/applications/rubrio.desktop")));
    QVERIFY(!entry.isEmpty());
    QCOMPARE(entry.value(key), value);
}

void TestPackage::desktopEntryPointsAtInstalledFiles()
{
    const auto entry = desktopEntry(staged(QStringLiteral("share/applications/rubrio.desktop")));
    QVERIFY(QFileInfo(staged(QStringLiteral("bin/") + entry.value(QStringLiteral("Exec"))))
                .isExecutable());
    QVERIFY(
        QFileInfo::exists(staged(QStringLiteral("share/icons/hicolor/32x32/apps/") +
                                 entry.value(QStringLiteral("Icon")) + QStringLiteral(".png"))));
    const QStringList categories =
        entry.value(QStringLiteral("Categories")).split(u';', Qt::SkipEmptyParts);
    QVERIFY(categories.contains(QLatin1String("Office")));
    QVERIFY(categories.contains(QLatin1String("ContactManagement")));
    QVERIFY(!entry.value(QStringLiteral("Comment")).isEmpty());
}

void TestPackage::metainfoValidates()
{
    const QString metainfo = metainfoPath();
    QVERIFY(!metainfo.isEmpty());
    const Run validate =
        run(QStringLiteral("appstreamcli"), {QStringLiteral("validate"), QStringLiteral("--no-net"),
                                             QStringLiteral("--strict"), metainfo});
    QVERIFY2(succeeded(validate), qPrintable(validate.output));
}

void TestPackage::metainfoContent()
{
    const QString metainfo = metainfoPath();
    QVERIFY(!metainfo.isEmpty());

    const QString id = xmlText(metainfo, QStringLiteral("id"));
    QCOMPARE(QFileInfo(metainfo).fileName(), id + QStringLiteral(".metainfo.xml"));
    QCOMPARE(xmlText(metainfo, QStringLiteral("release"), QStringLiteral("version")), Version);

    const QString launchable = xmlText(metainfo, QStringLiteral("launchable"));
    QVERIFY(QFileInfo::exists(staged(QStringLiteral("share/applications/") + launchable)));
    const QString binary = xmlText(metainfo, QStringLiteral("binary"));
    QVERIFY(QFileInfo(staged(QStringLiteral("bin/") + binary)).isExecutable());

    const QString screenshot = xmlText(metainfo, QStringLiteral("image"));
    QVERIFY2(screenshot.startsWith(QLatin1String("https://")) &&
                 screenshot.endsWith(QLatin1String(".png")),
             qPrintable(screenshot));
    // The picture the address names is kept with the sources, to publish.
    QVERIFY(QFileInfo::exists(SourceDir + QStringLiteral("/packaging/screenshots/") +
                              QFileInfo(screenshot).fileName()));
}

void TestPackage::windowsResources()
{
    // Debian has no Qt for Windows, so the program itself is not built for
    // it here; its resource script is, into a small windowed stand-in.
    const QString rc = SourceDir + QStringLiteral("/packaging/windows/rubrio.rc");
    const QString ico = SourceDir + QStringLiteral("/packaging/windows/rubrio.ico");
    QFile script(rc);
    QVERIFY(script.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString text = QString::fromUtf8(script.readAll());
    const QString commas = QString(Version).replace(u'.', QLatin1String(",\\s*"));
    for (const QString &pattern : {QStringLiteral("FILEVERSION\\s+%1,\\s*0").arg(commas),
                                   QStringLiteral("PRODUCTVERSION\\s+%1,\\s*0").arg(commas),
                                   QStringLiteral("\"FileVersion\",\\s*\"%1\"").arg(Version),
                                   QStringLiteral("\"ProductVersion\",\\s*\"%1\"").arg(Version)})
        QVERIFY2(text.contains(QRegularExpression(pattern)), qPrintable(pattern));

    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    const QString object = tmp.path() + QStringLiteral("/rubrio-rc.o");
    const Run windres = run(QStringLiteral("x86_64-w64-mingw32-windres"),
                            {QStringLiteral("-O"), QStringLiteral("coff"), rc, object});
    QVERIFY2(succeeded(windres), qPrintable(windres.output));

    QFile stub(tmp.path() + QStringLiteral("/stub.c"));
    QVERIFY(stub.open(QIODevice::WriteOnly));
    stub.write("#include <windows.h>\n"
               "int WINAPI WinMain(HINSTANCE i, HINSTANCE p, LPSTR c, int s)\n"
               "{ (void)i; (void)p; (void)c; (void)s; return 0; }\n");
    stub.close();
    const QString exe = tmp.path() + QStringLiteral("/stub.exe");
    const Run link =
        run(QStringLiteral("x86_64-w64-mingw32-gcc"),
            {QStringLiteral("-mwindows"), stub.fileName(), object, QStringLiteral("-o"), exe});
    QVERIFY2(succeeded(link), qPrintable(link.output));

    // The icon Explorer shows is the first icon group: it holds every image
    // of rubrio.ico. The version block is there too.
    const QString extracted = tmp.path() + QStringLiteral("/extracted.ico");
    const Run wrestool =
        run(QStringLiteral("sh"),
            {QStringLiteral("-c"), QStringLiteral("wrestool -x --type=14 \"$0\" > \"$1\""), exe,
             extracted});
    QVERIFY2(succeeded(wrestool), qPrintable(wrestool.output));
    const Run original = run(QStringLiteral("icotool"), {QStringLiteral("-l"), ico});
    const Run embedded = run(QStringLiteral("icotool"), {QStringLiteral("-l"), extracted});
    QVERIFY2(succeeded(original) && succeeded(embedded), qPrintable(embedded.output));
    QVERIFY(original.output.count(QLatin1String("--icon")) >= 4);
    QCOMPARE(embedded.output, original.output);
    const Run list = run(QStringLiteral("wrestool"), {QStringLiteral("-l"), exe});
    QVERIFY2(list.output.contains(QLatin1String("--type=16")), qPrintable(list.output));
}

void TestPackage::debFields_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");

    QTest::newRow("package") << "Package"
                             << "rubrio";
    QTest::newRow("version") << "Version" << Version;
    QTest::newRow("architecture") << "Architecture"
                                  << "amd64";
    QTest::newRow("recommends") << "Recommends"
                                << "qt6-translations-l10n";
}

void TestPackage::debFields()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    const Run info = run(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), debPath(), field});
    QVERIFY2(succeeded(info), qPrintable(info.output));
    QCOMPARE(info.output.trimmed(), value);
}

void TestPackage::debDependencies()
{
    const Run info = run(QStringLiteral("dpkg-deb"),
                         {QStringLiteral("-f"), debPath(), QStringLiteral("Depends")});
    QVERIFY2(succeeded(info), qPrintable(info.output));
    QStringList packages;
    for (const QString &entry : info.output.trimmed().split(u','))
        packages.append(entry.trimmed().section(u' ', 0, 0));

    // From the binary (dpkg-shlibdeps), so with the versions it needs.
    for (const char *library :
         {"libc6", "libstdc++6", "libqt6core6", "libqt6gui6", "libqt6widgets6"})
        QVERIFY2(packages.contains(QLatin1String(library)), qPrintable(info.output));
    QVERIFY2(info.output.contains(QRegularExpression(QStringLiteral("libqt6widgets6 \\(>= 6"))),
             qPrintable(info.output));
    // Named by hand: the fonts the dialogs ask for.
    QVERIFY(packages.contains(QLatin1String("fonts-liberation")));
    QVERIFY2(!info.output.contains(QLatin1String("wayland")), qPrintable(info.output));
}

void TestPackage::debHoldsTheInstalledTree()
{
    // The package holds what `cmake --install` installs, stripped, owned by
    // root and readable by everyone.
    QCOMPARE(filesBelow(m_debTree.path() + QStringLiteral("/usr")),
             filesBelow(m_stage.path() + QStringLiteral("/usr")));
    QCOMPARE(QDir(m_debTree.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("usr")});

    const Run file =
        run(QStringLiteral("file"), {m_debTree.path() + QStringLiteral("/usr/bin/rubrio")});
    QVERIFY2(file.output.contains(QLatin1String("ELF 64-bit")) &&
                 file.output.contains(QLatin1String(", stripped")),
             qPrintable(file.output));
    const Run dynamic =
        run(QStringLiteral("readelf"),
            {QStringLiteral("-d"), m_debTree.path() + QStringLiteral("/usr/bin/rubrio")});
    QVERIFY2(succeeded(dynamic) && !dynamic.output.contains(QLatin1String("PATH")),
             qPrintable(dynamic.output));

    const Run contents = run(QStringLiteral("dpkg-deb"), {QStringLiteral("-c"), debPath()});
    QVERIFY2(succeeded(contents), qPrintable(contents.output));
    const QStringList lines = contents.output.trimmed().split(u'\n');
    QVERIFY(lines.size() > 10);
    for (const QString &line : lines) {
        QVERIFY2(line.contains(QLatin1String(" root/root ")), qPrintable(line));
        QVERIFY2(line.startsWith(QLatin1String("-rw-r--r--")) ||
                     line.startsWith(QLatin1String("-rwxr-xr-x")) ||
                     line.startsWith(QLatin1String("drwxr-xr-x")),
                 qPrintable(line));
    }
}

void TestPackage::aptAcceptsDeb()
{
    const Run simulate = run(QStringLiteral("apt-get"),
                             {QStringLiteral("install"), QStringLiteral("--simulate"), debPath()});
    QVERIFY2(succeeded(simulate), qPrintable(simulate.output));
    QVERIFY2(simulate.output.contains(QStringLiteral("Inst rubrio (%1").arg(Version)),
             qPrintable(simulate.output));
}

void TestPackage::installedPackageStarts()
{
    if (qEnvironmentVariable("CI") != QLatin1String("true"))
        QSKIP("installs the package for real only where CI=true");
    if (packageInstalled())
        qWarning("rubrio was installed before this test: it is replaced and then removed");

    // Whatever happens below, the machine is left without the package.
    const QList<QPair<QString, QString>> noQuestions = {
        {QStringLiteral("DEBIAN_FRONTEND"), QStringLiteral("noninteractive")}};
    auto removePackage = qScopeGuard([&noQuestions] {
        run(QStringLiteral("apt-get"),
            {QStringLiteral("purge"), QStringLiteral("-y"), QStringLiteral("rubrio")}, noQuestions);
    });

    const Run install =
        run(QStringLiteral("apt-get"), {QStringLiteral("install"), QStringLiteral("-y"), debPath()},
            noQuestions);
    QVERIFY2(succeeded(install), qPrintable(install.output));
    QVERIFY(packageInstalled());
    QVERIFY(QFileInfo(QStringLiteral("/usr/bin/rubrio")).isExecutable());

    // Started the way a launcher starts it: the command alone, in a folder of
    // its own, with a real X server and no offscreen platform.
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const Run started =
        run(QStringLiteral("xvfb-run"),
            {QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1024x768x24"),
             QStringLiteral("sh"), SourceDir + QStringLiteral("/tests/package/run-installed.sh"),
             QStringLiteral("rubrio")},
            {{QStringLiteral("QT_QPA_PLATFORM"), QString()},
             {QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin")}},
            home.path(), 90000);
    QVERIFY2(started.finished, qPrintable(started.output));
    const auto seen = [&started](const QString &key) {
        const QRegularExpression line(QStringLiteral("^%1=(.*)$").arg(key),
                                      QRegularExpression::MultilineOption);
        return line.match(started.output).captured(1).trimmed();
    };
    QVERIFY2(!seen(QStringLiteral("window")).isEmpty(), qPrintable(started.output));
    QCOMPARE(seen(QStringLiteral("name")), QStringLiteral("Rubrio"));
    QCOMPARE(seen(QStringLiteral("exe")), QStringLiteral("/usr/bin/rubrio"));
    QCOMPARE(seen(QStringLiteral("cwd")), QDir(home.path()).canonicalPath());
    // "Salva Record" wrote the (empty) contact table to the folder it was
    // started in, and nowhere else.
    QVERIFY2(QFileInfo::exists(home.filePath(QStringLiteral("data.txt"))),
             qPrintable(started.output));
    QCOMPARE(QFileInfo(home.filePath(QStringLiteral("data.txt"))).size(), 0);
    QCOMPARE(seen(QStringLiteral("ended")), QStringLiteral("yes"));
    const QString pid = seen(QStringLiteral("pid"));
    QVERIFY(!pid.isEmpty());
    QVERIFY(!QFileInfo::exists(QStringLiteral("/proc/") + pid));

    removePackage.dismiss();
    const Run purge =
        run(QStringLiteral("apt-get"),
            {QStringLiteral("purge"), QStringLiteral("-y"), QStringLiteral("rubrio")}, noQuestions);
    QVERIFY2(succeeded(purge), qPrintable(purge.output));
    QVERIFY(!packageInstalled());
    QVERIFY(!QFileInfo::exists(QStringLiteral("/usr/bin/rubrio")));
    QVERIFY(!QFileInfo::exists(QStringLiteral("/usr/share/applications/rubrio.desktop")));
}

QTEST_GUILESS_MAIN(TestPackage)
#include "tst_package.moc"
