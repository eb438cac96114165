#include "main_window/atel.h"
#include "store/contactfile.h"
#include "store/contacttable.h"
#include "store/globalmodule.h"
#include "support/windowtestcase.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

const QString User = QStringLiteral("anna");
const QString Password = QStringLiteral("segreta");

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The contacts as listed, with "many:N" standing for N made-up ones.
QStringList expand(const QStringList &contacts)
{
    QStringList out;
    for (const QString &contact : contacts) {
        if (!contact.startsWith(u"many:")) {
            if (!contact.isEmpty())
                out.append(contact);
            continue;
        }
        for (int i = 0; i < contact.mid(5).toInt(); ++i)
            out.append(QStringLiteral("Utente|N%1|%1").arg(i, 4, 10, QChar(u'0')));
    }
    return out;
}

// "Surname|Given name|Number" as a data.txt line.
QString contactLine(const QString &fields)
{
    const QStringList parts = fields.split(u'|');
    return GlobalModule::FormatContactLine(parts.value(0), parts.value(1), parts.value(2));
}

QByteArray simpleCard(const QString &uid, const QString &fields)
{
    const QStringList parts = fields.split(u'|');
    return QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nUID:%1\r\nN:%2;%3;;;\r\nFN:%3 %2\r\n"
                          "TEL:%4\r\nEND:VCARD\r\n")
        .arg(uid, parts.value(0), parts.value(1), parts.value(2))
        .toUtf8();
}

// A Radicale of its own, on 127.0.0.1 with a free port and a temporary
// storage folder holding the address book anna/rubrica, stopped by its PID.
class Radicale
{
public:
    explicit Radicale(const QString &root) : m_root(root)
    {
        QDir().mkpath(collection());
        writeAll(collection() + QStringLiteral("/.Radicale.props"), R"({"tag": "VADDRESSBOOK"})");
        writeAll(m_root + QStringLiteral("/users"), (User + u':' + Password + u'\n').toUtf8());
    }
    ~Radicale() { stop(); }

    QString collection() const
    {
        return m_root + QStringLiteral("/store/collection-root/anna/rubrica");
    }
    quint16 port() const { return m_port; }
    QString url() const { return QStringLiteral("http://127.0.0.1:%1/anna/rubrica/").arg(m_port); }

    // Serves https with a certificate of its own, which no system trusts.
    bool useTls()
    {
        const QString cert = m_root + QStringLiteral("/cert.pem");
        const QString key = m_root + QStringLiteral("/key.pem");
        m_tls = {QStringLiteral("--server-ssl"), QStringLiteral("--server-certificate"), cert,
                 QStringLiteral("--server-key"), key};
        return QProcess::execute(QStringLiteral("openssl"),
                                 {QStringLiteral("req"), QStringLiteral("-x509"),
                                  QStringLiteral("-newkey"), QStringLiteral("rsa:2048"),
                                  QStringLiteral("-nodes"), QStringLiteral("-days"),
                                  QStringLiteral("1"), QStringLiteral("-subj"),
                                  QStringLiteral("/CN=127.0.0.1"), QStringLiteral("-keyout"), key,
                                  QStringLiteral("-out"), cert}) == 0;
    }

    bool start()
    {
        QTcpServer probe; // a port nobody listens on now
        if (!probe.listen(QHostAddress::LocalHost))
            return false;
        m_port = probe.serverPort();
        probe.close();
        const QStringList options{
            QStringLiteral("--server-hosts"), QStringLiteral("127.0.0.1:%1").arg(m_port),
            QStringLiteral("--storage-filesystem-folder"), m_root + QStringLiteral("/store"),
            QStringLiteral("--auth-type"), QStringLiteral("htpasswd"),
            QStringLiteral("--auth-htpasswd-filename"), m_root + QStringLiteral("/users"),
            QStringLiteral("--auth-htpasswd-encryption"), QStringLiteral("plain"),
            QStringLiteral("--logging-level"), QStringLiteral("warning")};
        m_process.start(QStringLiteral("radicale"), options + m_tls);
        if (!m_process.waitForStarted())
            return false;
        for (int i = 0; i < 100; ++i) {
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, m_port);
            if (socket.waitForConnected(100))
                return true;
            QTest::qWait(50);
        }
        return false;
    }

    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        ::kill(pid_t(m_process.processId()), SIGKILL);
        m_process.waitForFinished();
    }

    // A change made on the server by another client, with curl.
    bool send(const QString &method, const QString &name, const QByteArray &card = {})
    {
        QProcess curl;
        QStringList arguments{QStringLiteral("-s"),
                              QStringLiteral("-f"),
                              QStringLiteral("-u"),
                              User + u':' + Password,
                              QStringLiteral("-X"),
                              method,
                              url() + name + QStringLiteral(".vcf")};
        if (!card.isEmpty())
            arguments << QStringLiteral("-H") << QStringLiteral("Content-Type: text/vcard")
                      << QStringLiteral("--data-binary") << QStringLiteral("@-");
        curl.start(QStringLiteral("curl"), arguments);
        curl.write(card);
        curl.closeWriteChannel();
        return curl.waitForFinished() && curl.exitCode() == 0;
    }

private:
    QString m_root;
    QStringList m_tls;
    QProcess m_process;
    quint16 m_port = 0;
};

// Stands between the program and the server, so a test can change a card
// on the server just before the program's upload of it arrives, stop the
// server in the middle of a sync, and keep every card the program uploaded.
// Radicale answers one request per connection.
class Proxy : public QObject
{
public:
    explicit Proxy(Radicale &server) : m_server(server)
    {
        m_listener.listen(QHostAddress::LocalHost);
        connect(&m_listener, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *client = m_listener.nextPendingConnection())
                relay(client);
        });
    }
    QString url() const
    {
        return QStringLiteral("http://127.0.0.1:%1/anna/rubrica/").arg(m_listener.serverPort());
    }

    int stopAt = 0;   // stop the server when this connection of a run opens
    int answerAt = 0; // answer this connection of a run with answer instead
    QByteArray answer;
    QString raceName; // change this card on the server before its upload
    QByteArray raceCard;
    QList<QByteArray> uploads; // the bodies of every PUT
    bool digest = false; // ask for a Digest login, as some servers do

    // Whether request carries a Digest login (RFC 7616, MD5 with qop=auth)
    // for the user and password the server knows.
    static bool digestLogin(const QByteArray &request)
    {
        const QByteArray head = request.left(request.indexOf("\r\n\r\n"));
        QHash<QByteArray, QByteArray> field;
        for (const QByteArray &line : head.split('\n')) {
            if (!line.toLower().startsWith("authorization: digest "))
                continue;
            static const QRegularExpression pair(QStringLiteral("(\\w+)=(?:\"([^\"]*)\"|([^,\\s]*))"));
            for (const auto &match : pair.globalMatch(QString::fromUtf8(line.mid(22).trimmed())))
                field.insert(match.captured(1).toUtf8(),
                             (match.captured(2) + match.captured(3)).toUtf8());
        }
        const auto md5 = [](const QByteArray &text) {
            return QCryptographicHash::hash(text, QCryptographicHash::Md5).toHex();
        };
        const QByteArray method = head.left(head.indexOf(' '));
        const QByteArray ha1 = md5(User.toUtf8() + ':' + field["realm"] + ':' + Password.toUtf8());
        const QByteArray ha2 = md5(method + ':' + field["uri"]);
        return field["username"] == User.toUtf8() && field["nonce"] == "n0nce" &&
               field["response"] == md5(ha1 + ':' + field["nonce"] + ':' + field["nc"] + ':' +
                                        field["cnonce"] + ':' + field["qop"] + ':' + ha2);
    }

    void newRun() { m_connections = 0; }

private:
    void relay(QTcpSocket *client)
    {
        client->setParent(this);
        if (++m_connections == stopAt) {
            stopAt = 0;
            m_server.stop();
            client->abort();
            return;
        }
        if (m_connections == answerAt) {
            answerAt = 0;
            if (answer.isEmpty())
                return; // a server that never answers: the program gives up
            client->write(answer);
            client->disconnectFromHost();
            return;
        }
        auto *upstream = new QTcpSocket(client);
        auto *request = new QByteArray;
        connect(client, &QObject::destroyed, this, [request] { delete request; });
        upstream->connectToHost(QHostAddress::LocalHost, m_server.port());
        connect(client, &QTcpSocket::readyRead, upstream, [=, this] {
            const bool first = request->isEmpty();
            QByteArray bytes = client->readAll();
            request->append(bytes);
            if (digest) {
                // The whole request, checked, then sent on with the login
                // Radicale takes.
                const qsizetype end = request->indexOf("\r\n\r\n");
                const QRegularExpression length(QStringLiteral("\r\ncontent-length: *(\\d+)"),
                                                QRegularExpression::CaseInsensitiveOption);
                const auto declared = length.match(QString::fromUtf8(request->left(end)));
                if (end < 0 || request->size() < end + 4 + declared.captured(1).toLongLong())
                    return;
                if (!digestLogin(*request)) {
                    client->write("HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Digest "
                                  "realm=\"rubrica\", nonce=\"n0nce\", qop=\"auth\", "
                                  "algorithm=MD5\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
                    client->disconnectFromHost();
                    return;
                }
                static const QRegularExpression login(
                    QStringLiteral("\r\nauthorization:[^\r]*"),
                    QRegularExpression::CaseInsensitiveOption);
                bytes = QString::fromUtf8(*request)
                            .replace(login, QStringLiteral("\r\nAuthorization: Basic ") +
                                                QString::fromLatin1((User + u':' + Password)
                                                                        .toUtf8()
                                                                        .toBase64()))
                            .toUtf8();
            }
            if (first && !raceName.isEmpty() &&
                bytes.startsWith("PUT /anna/rubrica/" + raceName.toUtf8() + ".vcf ")) {
                QVERIFY(m_server.send(QStringLiteral("PUT"), raceName, raceCard));
                raceName.clear();
            }
            upstream->write(bytes);
        });
        connect(upstream, &QTcpSocket::readyRead, client,
                [=] { client->write(upstream->readAll()); });
        connect(upstream, &QTcpSocket::disconnected, client, [=, this] {
            client->disconnectFromHost();
            if (request->startsWith("PUT "))
                uploads.append(request->mid(request->indexOf("\r\n\r\n") + 4));
        });
        // A server that is not there: the program sees the connection close.
        connect(upstream, &QTcpSocket::errorOccurred, client,
                [=](QAbstractSocket::SocketError error) {
                    if (error != QAbstractSocket::RemoteHostClosedError)
                        client->abort();
                });
        connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
    }

    Radicale &m_server;
    QTcpServer m_listener;
    int m_connections = 0;
};

} // namespace

// rubrio --sync against a real Radicale: each row is a story of steps on
// data.txt, on the server and of sync runs, and the state both sides end in,
// the server's cards read by python3-vobject with every card uploaded.
class TestCardDavSync : public WindowTestCase
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    QString m_password;
    QByteArray m_out;
    QByteArray m_err;
    QByteArray m_dataBefore;
    QByteArray m_storeBefore;

    int sync(const QString &folder, const QString &url, Proxy &proxy)
    {
        m_dataBefore = readAll(folder + QStringLiteral("/data.txt"));
        m_storeBefore = readAll(folder + QStringLiteral("/data.sync/index.json"));
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), m_home.path());
        if (m_password.isEmpty()) {
            environment.remove(QStringLiteral("RUBRIO_CARDDAV_USER"));
        } else {
            environment.insert(QStringLiteral("RUBRIO_CARDDAV_USER"), User);
            environment.insert(QStringLiteral("RUBRIO_CARDDAV_PASSWORD"), m_password);
        }
        program.setProcessEnvironment(environment);
        program.setWorkingDirectory(folder);
        proxy.newRun();
        QStringList arguments{QStringLiteral("--sync")};
        if (!url.isEmpty())
            arguments.append(url);
        program.start(QStringLiteral(RUBRIO_PROGRAM), arguments);
        if (!program.waitForStarted())
            return -1;
        // The proxy needs this event loop while the program runs.
        for (int waited = 0; program.state() != QProcess::NotRunning && waited < 120000;
             waited += 20)
            QTest::qWait(20);
        m_out = program.readAllStandardOutput();
        m_err = program.readAllStandardError();
        return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    }

private Q_SLOTS:
    void stories_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("data");   // data.txt at the end
        QTest::addColumn<QStringList>("server"); // the server's cards at the end
        QTest::addColumn<QStringList>("report"); // of the last run

        QTest::newRow("first sync both ways")
            << QStringList{"data Rossi|Mario|333 1", "put verdi Verdi|Anna|06 1", "sync 0"}
            << QStringList{"Rossi|Mario|333 1", "Verdi|Anna|06 1"}
            << QStringList{"Rossi|Mario|333 1|", "Verdi|Anna|06 1|"}
            << QStringList{"Sincronizzato con %URL: 1 contatti arrivati, 1 inviati, 0 "
                           "modificati, 0 eliminati."};
        QTest::newRow("a change on each side, then nothing to do")
            << QStringList{"data Rossi|Mario|2",
                           "put verdi Verdi|Anna|1",
                           "sync 0",
                           "data Rossi|Mario|3;Verdi|Anna|1",
                           "put verdi Verdi|Anna|4",
                           "sync 0 stored",
                           "sync 0 noslash"}
            << QStringList{"Rossi|Mario|3", "Verdi|Anna|4"}
            << QStringList{"Rossi|Mario|3|", "Verdi|Anna|4|"}
            << QStringList{"Sincronizzato con %URL: 0 contatti arrivati, 0 inviati, 0 "
                           "modificati, 0 eliminati."};
        QTest::newRow("different fields of one contact on each side: merged")
            << QStringList{"put verdi Verdi|Anna|1", "sync 0", "data Verdi|Annina|1",
                           "put verdi Verdi|Anna|2", "sync 0"}
            << QStringList{"Verdi|Annina|2"} << QStringList{"Verdi|Annina|2|"}
            << QStringList{"Sincronizzato con %URL: 0 contatti arrivati, 0 inviati, 1 "
                           "modificati, 0 eliminati."};
        QTest::newRow("a token the server refuses: changes found by their ETags")
            << QStringList{"data Rossi|Mario|1",
                           "put verdi Verdi|Anna|2",
                           "put neri Neri|Nino|3",
                           "sync 0",
                           "put verdi Verdi|Anna|4",
                           "del neri",
                           "token http://radicale.org/ns/sync/0000",
                           "sync 0",
                           "sync 0"}
            << QStringList{"Rossi|Mario|1", "Verdi|Anna|4"}
            << QStringList{"Rossi|Mario|1|", "Verdi|Anna|4|"}
            << QStringList{"Sincronizzato con %URL: 0 contatti arrivati, 0 inviati, 0 "
                           "modificati, 0 eliminati."};
        QTest::newRow("a conflict stays on both sides and is reported again")
            << QStringList{"put verdi Verdi|Anna|1", "sync 0", "data Verdi|Anna|2",
                           "put verdi Verdi|Anna|3", "sync 1", "sync 1"}
            << QStringList{"Verdi|Anna|2"} << QStringList{"Verdi|Anna|3|"}
            << QStringList{"Sincronizzato con %URL: 0 contatti arrivati, 0 inviati, 0 "
                           "modificati, 0 eliminati.",
                           u"Conflitto su Verdi Anna: Numero «2» in data.txt, «3» sul server; "
                           "lasciato com'è da entrambe le parti."_qs};
        QTest::newRow("deletions both ways")
            << QStringList{"data Rossi|Mario|1;Neri|Nino|2",
                           "put verdi Verdi|Anna|3",
                           "sync 0",
                           "data Neri|Nino|2;Verdi|Anna|3",
                           "del verdi",
                           "sync 0"}
            << QStringList{"Neri|Nino|2"} << QStringList{"Neri|Nino|2|"}
            << QStringList{"Sincronizzato con %URL: 0 contatti arrivati, 0 inviati, 0 "
                           "modificati, 2 eliminati."};
        QTest::newRow("changed here, deleted there: it comes back with the change")
            << QStringList{"put verdi Verdi|Anna|1",
                           "sync 0",
                           "data Verdi|Anna|2",
                           "del verdi",
                           "sync 1",
                           "sync 0"}
            << QStringList{"Verdi|Anna|2"} << QStringList{"Verdi|Anna|2|"}
            << QStringList{"Sincronizzato con %URL: 0 contatti arrivati, 0 inviati, 0 "
                           "modificati, 0 eliminati."};
        QTest::newRow("deleted here, changed there: it comes back with the change")
            << QStringList{"put verdi Verdi|Anna|1", "sync 0", "data", "put verdi Verdi|Anna|2",
                           "sync 1"}
            << QStringList{"Verdi|Anna|2"} << QStringList{"Verdi|Anna|2|"}
            << QStringList{
                   "Sincronizzato con %URL: 0 contatti arrivati, 0 inviati, 1 "
                   "modificati, 0 eliminati.",
                   u"Verdi Anna: eliminato in data.txt ma cambiato sul server: è tornato."_qs};
        QTest::newRow("a card with EMAIL and PHOTO keeps them through a change of name")
            << QStringList{"putfile foto photo.vcf",      "sync 0",
                           "data Galli|Gina|333 5550002", "sync 0",
                           "data Galli|Gina|333 5550003", "sync 0"}
            << QStringList{"Galli|Gina|333 5550003"}
            << QStringList{"Galli|Gina|06 5550001,333 5550003|ADR,EMAIL,NOTE,PHOTO"}
            << QStringList{"Sincronizzato con %URL: 0 contatti arrivati, 0 inviati, 1 "
                           "modificati, 0 eliminati."};
        QTest::newRow("two neighbours changed in every field, in their places: the same cards")
            << QStringList{"data Abati|Ada|1;Gallo|Gina|333 5550002;Hofer|Ida|0471 555000;"
                           "Conti|Ciro|3",
                           "putfile foto photo.vcf", "putfile posta email.vcf", "sync 0",
                           "data Abati|Ada|1;Galli|Giada|06 9;Hofmann|Irene|06 8;Conti|Ciro|3",
                           "sync 0"}
            << QStringList{"Abati|Ada|1", "Galli|Giada|06 9", "Hofmann|Irene|06 8", "Conti|Ciro|3"}
            << QStringList{"Abati|Ada|1|", "Conti|Ciro|3|",
                           "Galli|Giada|06 5550001,06 9|ADR,EMAIL,NOTE,PHOTO",
                           "Hofmann|Irene|06 8|EMAIL"}
            << QStringList{"Sincronizzato con %URL: 0 contatti arrivati, 0 inviati, 2 "
                           "modificati, 0 eliminati."};
        QTest::newRow("cards data.txt cannot hold stay on the server and in the side store")
            << QStringList{"put minuscolo de Luca|Anna|1",
                           "put lungo Bartolomeo-Pozzi|Anna|2",
                           "put virgola Bianchi|Anna\\, Maria|3",
                           "put greco Rossi|Ελένη|4",
                           "data Neri|Nino|5",
                           "sync 1",
                           "data",
                           "sync 1"}
            << QStringList{}
            << QStringList{"Bartolomeo-Pozzi|Anna|2|", "Bianchi|Anna, Maria|3|", "Rossi|Ελένη|4|",
                           "de Luca|Anna|1|"}
            << QStringList{"Sincronizzato con %URL: 0 contatti arrivati, 0 inviati, 0 "
                           "modificati, 1 eliminati.",
                           "Bartolomeo-Pozzi Anna: tenuto solo in data.sync, non in data.txt. Il "
                           u"Cognome può avere al massimo 15 caratteri."_qs,
                           "Bianchi Anna, Maria: tenuto solo in data.sync, non in data.txt. La "
                           u"virgola non è ammessa."_qs,
                           u"Rossi Ελένη: tenuto solo in data.sync, non in data.txt. Carattere non "
                           u"ammesso: Ε"_qs,
                           "de Luca Anna: tenuto solo in data.sync, non in data.txt. Il Cognome "
                           "deve iniziare con una lettera maiuscola da A a Z."};
        QTest::newRow("a full data.txt: the card waits in the side store until there is room")
            << QStringList{"data many:1001", "cards 1001", "put zeta Zeta|Zoe|1", "sync 1",
                           "stdout Zeta Zoe: tenuto solo in data.sync, non in data.txt. "
                           u"L'elenco è pieno (1001 contatti)."_qs,
                           "sync 1", "data many:1000", "sync 0"}
            << QStringList{"many:1000", "Zeta|Zoe|1"} << QStringList{"many:1000", "Zeta|Zoe|1|"}
            << QStringList{"Sincronizzato con %URL: 1 contatti arrivati, 0 inviati, 0 "
                           "modificati, 1 eliminati."};
        QTest::newRow("412: the card changed on the server just before the upload")
            << QStringList{"put verdi Verdi|Anna|1", "sync 0", "data Verdi|Anna|2",
                           "race verdi Verdi|Annina|1", "sync 0"}
            << QStringList{"Verdi|Annina|2"} << QStringList{"Verdi|Annina|2|"}
            << QStringList{"Sincronizzato con %URL: 0 contatti arrivati, 0 inviati, 1 "
                           "modificati, 0 eliminati."};
        QTest::newRow("wrong password: nothing changes, the next run does it all")
            << QStringList{"data Rossi|Mario|1",
                           "put verdi Verdi|Anna|2",
                           "password sbagliata",
                           "sync 2",
                           "same",
                           "stderr il server non ha accettato nome utente e password (401)",
                           "password segreta",
                           "sync 0"}
            << QStringList{"Rossi|Mario|1", "Verdi|Anna|2"}
            << QStringList{"Rossi|Mario|1|", "Verdi|Anna|2|"}
            << QStringList{"Sincronizzato con %URL: 1 contatti arrivati, 1 inviati, 0 "
                           "modificati, 0 eliminati."};
        // Connections: the sync-collection report refused for want of a login
        // and sent again with it, the multiget, then one upload each; the
        // server stops as the second upload opens.
        QTest::newRow("server stopped in the middle: the next run finishes, nothing twice")
            << QStringList{"data Rossi|Mario|1;Neri|Nino|2;Bruni|Bice|3",
                           "put verdi Verdi|Anna|4",
                           "stop 5",
                           "sync 2",
                           "same",
                           "stderr nessuna risposta dal server",
                           "start",
                           "sync 0",
                           "sync 0"}
            << QStringList{"Rossi|Mario|1", "Neri|Nino|2", "Bruni|Bice|3", "Verdi|Anna|4"}
            << QStringList{"Bruni|Bice|3|", "Neri|Nino|2|", "Rossi|Mario|1|", "Verdi|Anna|4|"}
            << QStringList{"Sincronizzato con %URL: 0 contatti arrivati, 0 inviati, 0 "
                           "modificati, 0 eliminati."};
        QTest::newRow("server stopped after a change was sent: no conflict with itself")
            << QStringList{"data Rossi|Mario|1",
                           "put verdi Verdi|Anna|2",
                           "sync 0",
                           "data Rossi|Mario|5;Verdi|Anna|6",
                           "stop 4",
                           "sync 2",
                           "same",
                           "start",
                           "sync 0"}
            << QStringList{"Rossi|Mario|5", "Verdi|Anna|6"}
            << QStringList{"Rossi|Mario|5|", "Verdi|Anna|6|"}
            << QStringList{"Sincronizzato con %URL: 0 contatti arrivati, 0 inviati, 1 "
                           "modificati, 0 eliminati."};
        QTest::newRow("a server error in the middle: nothing changes, the next run does it all")
            << QStringList{"data Rossi|Mario|1",
                           "put verdi Verdi|Anna|2",
                           "answer 3 HTTP/1.0 503 Service Unavailable\\r\\nContent-Length: "
                           "0\\r\\n\\r\\n",
                           "sync 2",
                           "same",
                           "stderr il server ha risposto 503",
                           "sync 0"}
            << QStringList{"Rossi|Mario|1", "Verdi|Anna|2"}
            << QStringList{"Rossi|Mario|1|", "Verdi|Anna|2|"}
            << QStringList{"Sincronizzato con %URL: 1 contatti arrivati, 1 inviati, 0 "
                           "modificati, 0 eliminati."};
        QTest::newRow("a server that stops answering: the program gives up, nothing changes")
            << QStringList{"data Rossi|Mario|1", "put verdi Verdi|Anna|2", "answer 3", "sync 2",
                           "same", "stderr nessuna risposta dal server", "sync 0"}
            << QStringList{"Rossi|Mario|1", "Verdi|Anna|2"}
            << QStringList{"Rossi|Mario|1|", "Verdi|Anna|2|"}
            << QStringList{"Sincronizzato con %URL: 1 contatti arrivati, 1 inviati, 0 "
                           "modificati, 0 eliminati."};
        QTest::newRow("a malformed reply: nothing changes")
            << QStringList{"data Rossi|Mario|1",
                           "put verdi Verdi|Anna|2",
                           "answer 1 HTTP/1.0 207 Multi-Status\\r\\nContent-Length: 29\\r\\n\\r\\n"
                           "<multistatus xmlns=\"DAV:\"><re",
                           "sync 2",
                           "same",
                           "stderr risposta del server non valida"}
            << QStringList{"Rossi|Mario|1"} << QStringList{"Verdi|Anna|2|"} << QStringList{};
        QTest::newRow("https with a certificate the system does not trust: nothing sent")
            << QStringList{"data Rossi|Mario|1", "put verdi Verdi|Anna|2", "tls", "sync 2", "same",
                           u"stderr il certificato del server non è valido per questo sistema"_qs}
            << QStringList{"Rossi|Mario|1"} << QStringList{"Verdi|Anna|2|"} << QStringList{};
        QTest::newRow("a server that asks for a Digest login")
            << QStringList{"data Rossi|Mario|1", "put verdi Verdi|Anna|2", "digest", "sync 0"}
            << QStringList{"Rossi|Mario|1", "Verdi|Anna|2"}
            << QStringList{"Rossi|Mario|1|", "Verdi|Anna|2|"}
            << QStringList{"Sincronizzato con %URL: 1 contatti arrivati, 1 inviati, 0 "
                           "modificati, 0 eliminati."};
        QTest::newRow("login from a private ~/.netrc")
            << QStringList{"put verdi Verdi|Anna|2", "netrc 600", "sync 0"}
            << QStringList{"Verdi|Anna|2"} << QStringList{"Verdi|Anna|2|"}
            << QStringList{"Sincronizzato con %URL: 1 contatti arrivati, 0 inviati, 0 "
                           "modificati, 0 eliminati."};
        QTest::newRow("a ~/.netrc others may read is not read")
            << QStringList{"data Rossi|Mario|1", "netrc 644", "sync 2", "same",
                           "stderr non viene letto: deve essere leggibile solo dal suo "
                           "proprietario"}
            << QStringList{"Rossi|Mario|1"} << QStringList{} << QStringList{};
    }

    void stories()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, data);
        QFETCH(QStringList, server);
        QFETCH(QStringList, report);

        QTemporaryDir root;
        QVERIFY(root.isValid());
        Radicale radicale(root.path());
        QVERIFY2(radicale.start(), "radicale did not start");
        Proxy proxy(radicale);
        const QString folder = root.path() + QStringLiteral("/rubrica");
        QVERIFY(QDir().mkpath(folder));
        m_password = Password;
        QFile::remove(m_home.filePath(QStringLiteral(".netrc")));
        bool tls = false;

        for (const QString &step : std::as_const(steps)) {
            const QString verb = step.section(u' ', 0, 0);
            const QString name = step.section(u' ', 1, 1);
            const QString rest = step.section(u' ', 2);
            if (verb == u"data") {
                QStringList lines;
                for (const QString &contact : expand(step.section(u' ', 1).split(u';')))
                    lines.append(contactLine(contact));
                QVERIFY(writeAll(folder + QStringLiteral("/data.txt"), ContactFile::format(lines)));
            } else if (verb == u"cards") {
                // Many cards at once, written where Radicale keeps them.
                const QStringList cards = expand({QStringLiteral("many:") + name});
                for (qsizetype i = 0; i < cards.size(); ++i) {
                    const QString uid = QStringLiteral("g%1").arg(i);
                    QVERIFY(writeAll(radicale.collection() + u'/' + uid + QStringLiteral(".vcf"),
                                     simpleCard(uid, cards[i])));
                }
            } else if (verb == u"put") {
                QVERIFY(radicale.send(QStringLiteral("PUT"), name, simpleCard(name, rest)));
            } else if (verb == u"putfile") {
                QVERIFY(radicale.send(QStringLiteral("PUT"), name,
                                      readAll(QStringLiteral(RUBRIO_SYNC_DATA "/") + rest)));
            } else if (verb == u"del") {
                QVERIFY(radicale.send(QStringLiteral("DELETE"), name));
            } else if (verb == u"race") {
                proxy.raceName = name;
                proxy.raceCard = simpleCard(name, rest);
            } else if (verb == u"tls") {
                radicale.stop();
                QVERIFY(radicale.useTls());
                QVERIFY2(radicale.start(), "radicale did not start with TLS");
                tls = true;
            } else if (verb == u"digest") {
                proxy.digest = true;
            } else if (verb == u"stop") {
                proxy.stopAt = name.toInt();
            } else if (verb == u"answer") {
                proxy.answerAt = name.toInt();
                proxy.answer = rest.toUtf8().replace("\\r\\n", "\r\n");
            } else if (verb == u"token") {
                // A token the server no longer knows: it answers 403, and the
                // program compares ETags instead.
                const QString path = folder + QStringLiteral("/data.sync/index.json");
                QJsonObject index = QJsonDocument::fromJson(readAll(path)).object();
                index.insert(QStringLiteral("token"), name);
                QVERIFY(writeAll(path, QJsonDocument(index).toJson()));
            } else if (verb == u"start") {
                QVERIFY2(radicale.start(), "radicale did not start again");
            } else if (verb == u"password") {
                m_password = name;
            } else if (verb == u"netrc") {
                m_password.clear();
                const QString path = m_home.filePath(QStringLiteral(".netrc"));
                QVERIFY(writeAll(path, "machine 127.0.0.1 login anna password segreta\n"));
                QFileDevice::Permissions mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
                if (name == u"644")
                    mode |= QFileDevice::ReadGroup | QFileDevice::ReadOther;
                QVERIFY(QFile::setPermissions(path, mode));
            } else if (verb == u"sync") {
                // "sync 0 stored": the address the first run remembered;
                // "sync 0 noslash": the same address without its last slash.
                QString url = proxy.url();
                if (tls)
                    url.replace(QStringLiteral("http:"), QStringLiteral("https:"));
                if (rest == u"stored")
                    url.clear();
                else if (rest == u"noslash")
                    url.chop(1);
                const int status = sync(folder, url, proxy);
                QVERIFY2(status == name.toInt(),
                         qPrintable(QStringLiteral("%1: status %2\n%3%4")
                                        .arg(step)
                                        .arg(status)
                                        .arg(QString::fromUtf8(m_out), QString::fromUtf8(m_err))));
            } else if (verb == u"same") {
                // The failed run left data.txt and the side store as they were.
                QCOMPARE(readAll(folder + QStringLiteral("/data.txt")), m_dataBefore);
                QCOMPARE(readAll(folder + QStringLiteral("/data.sync/index.json")), m_storeBefore);
            } else if (verb == u"stderr") {
                QVERIFY2(m_err.contains(step.section(u' ', 1).toUtf8()), m_err.constData());
            } else if (verb == u"stdout") {
                QVERIFY2(m_out.contains(step.section(u' ', 1).toUtf8()), m_out.constData());
            } else {
                QFAIL(qPrintable(QStringLiteral("unknown step: ") + step));
            }
        }

        // The password is never kept nor printed.
        for (const QByteArray &text : {readAll(folder + QStringLiteral("/data.sync/index.json")),
                                       m_out, m_err})
            QVERIFY(!text.contains(Password.toUtf8()));

        QStringList expectedLines;
        for (const QString &contact : expand(data))
            expectedLines.append(contactLine(contact));
        const ContactFile::Parsed parsed =
            ContactFile::parse(readAll(folder + QStringLiteral("/data.txt")));
        QCOMPARE(parsed.lines, expectedLines);

        const QString uploads = root.path() + QStringLiteral("/uploads");
        QVERIFY(QDir().mkpath(uploads));
        for (qsizetype i = 0; i < proxy.uploads.size(); ++i)
            QVERIFY(writeAll(uploads + QStringLiteral("/%1.vcf").arg(i), proxy.uploads[i]));
        QProcess reader;
        reader.start(QStringLiteral("/usr/bin/python3"),
                     {QStringLiteral(RUBRIO_SYNC_SCRIPT), radicale.collection(), uploads});
        QVERIFY(reader.waitForFinished());
        const QString cards = QString::fromUtf8(reader.readAllStandardOutput()).trimmed();
        QVERIFY2(reader.exitCode() == 0, qPrintable(cards + reader.readAllStandardError()));
        QStringList expectedCards;
        for (const QString &card : expand(server))
            expectedCards.append(card.count(u'|') == 2 ? card + u'|' : card);
        expectedCards.sort();
        QCOMPARE(cards.split(u'\n', Qt::SkipEmptyParts), expectedCards);

        const QString expectedReport =
            report.join(u'\n').replace(QStringLiteral("%URL"), proxy.url());
        QCOMPARE(QString::fromUtf8(m_out).trimmed(), expectedReport);
    }

    // A window open on data.txt while a sync saves it: its save sees another
    // program's change and asks; No keeps the file as the sync wrote it and
    // the window's own contact in the window, and the next sync is in step.
    void windowOpenDuringSync()
    {
        QTemporaryDir root;
        QVERIFY(root.isValid());
        Radicale radicale(root.path());
        QVERIFY2(radicale.start(), "radicale did not start");
        Proxy proxy(radicale);
        m_password = Password;
        const QString folder = m_scope->dir.path();
        const QString dataPath = m_scope->dir.filePath(QStringLiteral("data.txt"));
        QVERIFY(writeAll(dataPath, ContactFile::format({contactLine("Rossi|Mario|1")})));
        QVERIFY(radicale.send(QStringLiteral("PUT"), QStringLiteral("verdi"),
                              simpleCard(QStringLiteral("verdi"), QStringLiteral("Verdi|Anna|2"))));

        aTel *window = aTel::instance();
        showActive(window);
        const QString own = contactLine("Bianchi|Bice|3");
        QVERIFY(ContactTable::append(own));
        QCOMPARE(sync(folder, proxy.url(), proxy), 0);
        const QByteArray synced = readAll(dataPath);
        QCOMPARE(ContactFile::parse(synced).lines,
                 (QStringList{contactLine("Rossi|Mario|1"), contactLine("Verdi|Anna|2")}));

        m_scope->boxes.addAnswer(MsgBoxResult::No);
        QTest::mouseClick(control<QPushButton>(window, "Save"), Qt::LeftButton);
        QCOMPARE(m_scope->boxes.prompts(),
                 QStringList{u"data.txt è stato modificato da un altro programma dopo "
                             "l'apertura. Sovrascriverlo con i contatti di questa finestra?"_qs});
        QCOMPARE(readAll(dataPath), synced);
        QVERIFY(window->isVisible());
        QVERIFY(ContactTable::lastIndexOf(own) >= 0);

        QCOMPARE(sync(folder, proxy.url(), proxy), 0);
        QVERIFY2(m_out.contains("0 contatti arrivati, 0 inviati, 0 modificati, 0 eliminati"),
                 m_out.constData());
        QCOMPARE(readAll(dataPath), synced);
    }
};

QTEST_MAIN(TestCardDavSync)
#include "tst_carddavsync.moc"
