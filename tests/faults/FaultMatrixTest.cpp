// SPDX-License-Identifier: GPL-3.0-or-later
// Every network client against one table of server faults: each cell checks the exact text the
// user would see (or the client's quiet fallback) and that the client gives up in time.
#include "ai/MessagesClient.h"
#include "location/GeocodingService.h"
#include "location/LocationProvider.h"
#include "net/AppError.h"
#include "net/Clock.h"
#include "net/HttpClient.h"
#include "platform/MinuteForecastSource.h"
#include "sources/NwsService.h"
#include "sources/SpcService.h"
#include "voice/GoogleTtsService.h"
#include "weather/ClimateNormalsService.h"
#include "weather/ForecastService.h"

#include "Await.h"
#include "FakeServer.h"
#include "TestKeys.h"
#include "TestOutput.h"

#include <QElapsedTimer>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <optional>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace std::chrono_literals;
using Misbehavior = FakeServer::Misbehavior;

namespace {

// The request timeout (an idle timeout) that a stalling server meets; a dripping one meets the
// deadline of three times it. Other faults get a generous one: this machine may be busy.
constexpr std::chrono::milliseconds kTimeout = 200ms;
constexpr std::chrono::milliseconds kGenerousTimeout = 5s;
constexpr int kStatuses[] = { 400, 401, 404, 429, 500, 503 };
const QByteArray kJsonError = R"({"error":{"message":"Server says no"}})";
const QByteArray kHtmlPage = "<!DOCTYPE html>\n<html>\n<head><title>Server says no</title></head>\n"
                             "<body><h1>Server says no</h1></body>\n</html>\n";
const QString kHtmlLine = QStringLiteral(
    "<!DOCTYPE html> <html> <head><title>Server says no</title></head> <body><h1>Server says no</h1></body> </html>");
// One object whose every member a client reads has the wrong type.
const QByteArray kWrongTypes = R"({"current":[],"daily":"x","hourly":1,"minutely_15":[],"results":{},"features":7,)"
                               R"("@graph":"x","properties":[],"latitude":"north","longitude":null,"content":"x",)"
                               R"("candidates":"x"})";

QString statusFault(int status, const char *kind)
{
    return QStringLiteral("status %1 %2").arg(status).arg(QLatin1StringView(kind));
}

struct Fault
{
    QString name;
    FakeServer::Response response;
    bool closedPort = false; // nothing listens where the client connects
    std::chrono::milliseconds timeout = kGenerousTimeout; // the client's request timeout
};

FakeServer::Response reply(QByteArray body, int status = 200, QByteArray type = "application/json")
{
    FakeServer::Response response = FakeServer::json(std::move(body), status);
    response.contentType = std::move(type);
    return response;
}

FakeServer::Response misbehaving(Misbehavior misbehavior, QByteArray body, std::chrono::milliseconds stallFor = 1s)
{
    FakeServer::Response response = FakeServer::json(std::move(body));
    response.misbehavior = misbehavior;
    response.stallFor = stallFor;
    return response;
}

FakeServer::Response redirect(const QString &location)
{
    FakeServer::Response response = reply({}, 307, "text/plain");
    response.headers = { { "Location", location.toUtf8() } };
    return response;
}

// The faults, with the cross-origin redirect pointing at elsewhere.
QList<Fault> faults(const QString &elsewhere)
{
    const QByteArray long_ = R"({"padding":")" + QByteArray(4000, 'x') + R"("})";
    // Binary, so that the server sends them as they are.
    // Paced a little, as a network would: a loopback server that sends flat out can keep a busy
    // machine's main thread from ever catching up with the network thread.
    FakeServer::Response endless = misbehaving(Misbehavior::Endless, QByteArray(256 * 1024, ' '), 1ms);
    endless.contentType = "application/octet-stream";
    static const QByteArray deflated = qCompress(QByteArray(16 * 1024 * 1024, ' ')).mid(4); // a zlib stream
    FakeServer::Response bomb = reply(deflated, 200, "application/octet-stream");
    bomb.headers = { { "Content-Encoding", "deflate" } };
    QList<Fault> list {
        { QStringLiteral("refused"), {}, true },
        { QStringLiteral("hang-up after headers"), misbehaving(Misbehavior::CloseConnection, "{}") },
        { QStringLiteral("reset mid-body"), misbehaving(Misbehavior::Reset, long_) },
        { QStringLiteral("truncated"), misbehaving(Misbehavior::TruncatedBody, long_) },
        // Both would finish long after any hiccup of a busy machine: the server gives up at once
        // when the cell ends.
        { QStringLiteral("stall"), misbehaving(Misbehavior::Stall, "{}", 30s), false, kTimeout },
        { QStringLiteral("drip"), misbehaving(Misbehavior::Drip, QByteArray(300, ' ') + "{}", 100ms), false, kTimeout },
    };
    for (const int status : kStatuses) {
        list.append({ statusFault(status, "JSON"), reply(kJsonError, status) });
        list.append({ statusFault(status, "HTML"), reply(kHtmlPage, status, "text/html") });
    }
    list.append({
        { QStringLiteral("not JSON"), reply("<html><body>Welcome</body></html>", 200, "text/html") },
        { QStringLiteral("array"), reply("[1,2,3]") },
        { QStringLiteral("wrong types"), reply(kWrongTypes) },
        { QStringLiteral("huge length"), misbehaving(Misbehavior::HugeLength, {}) },
        { QStringLiteral("endless body"), endless },
        { QStringLiteral("compression bomb"), bomb },
        { QStringLiteral("deep nesting"), reply(QByteArray(100'000, '[')) },
        { QStringLiteral("invalid UTF-8"), reply("{\"name\":\"\xff\xfe\"}") },
        { QStringLiteral("redirect loop"), redirect(QStringLiteral("?again")) },
        { QStringLiteral("cross-origin redirect"), redirect(elsewhere + QStringLiteral("/elsewhere")) },
    });
    return list;
}

// Fault name to outcome: the user-facing text of the error, or what the client returned.
using Outcomes = QMap<QString, QString>;

const QString kTimedOut = QStringLiteral("The request timed out.");
const QString kTooLarge = QStringLiteral("The server's reply is too large.");
const QString kUnexpected = QStringLiteral("Unexpected response from server.");
QString notJson(const QString &parserMessage, int at)
{
    return QStringLiteral("The server's reply could not be read: it is not valid JSON (%1 at character %2).")
        .arg(parserMessage)
        .arg(at);
}

// A client that reports what net::getData and the JSON parser throw; own: where it differs.
Outcomes reporting(const Outcomes &own)
{
    Outcomes outcomes {
        { QStringLiteral("refused"), QStringLiteral("Connection refused") },
        { QStringLiteral("hang-up after headers"), QStringLiteral("Connection closed") },
        { QStringLiteral("reset mid-body"), QStringLiteral("Connection closed") },
        { QStringLiteral("truncated"), QStringLiteral("Connection closed") },
        { QStringLiteral("stall"), kTimedOut },
        { QStringLiteral("drip"), kTimedOut },
        { QStringLiteral("not JSON"), notJson(QStringLiteral("illegal value"), 1) },
        { QStringLiteral("array"), kUnexpected },
        { QStringLiteral("huge length"), kTooLarge },
        { QStringLiteral("endless body"), kTooLarge },
        { QStringLiteral("compression bomb"), QStringLiteral("The server's reply could not be decompressed.") },
        { QStringLiteral("deep nesting"), notJson(QStringLiteral("too deeply nested document"), 1025) },
        { QStringLiteral("invalid UTF-8"), notJson(QStringLiteral("invalid UTF8 string"), 9) },
        { QStringLiteral("redirect loop"), QStringLiteral("Too many redirects") },
        { QStringLiteral("cross-origin redirect"), QStringLiteral("Request failed (404): no route for /elsewhere") },
    };
    for (const int status : kStatuses) {
        const QString prefix = QStringLiteral("Request failed (%1): ").arg(status);
        outcomes.insert(statusFault(status, "JSON"), prefix + QString::fromUtf8(kJsonError));
        outcomes.insert(statusFault(status, "HTML"), prefix + kHtmlLine);
    }
    outcomes.insert(own);
    return outcomes;
}

// A client that never fails: every fault gives the same quiet outcome, except those in own.
Outcomes quiet(const QString &outcome, const Outcomes &own = {})
{
    Outcomes outcomes;
    for (const Fault &fault : faults({})) {
        outcomes.insert(fault.name, outcome);
    }
    outcomes.insert(own);
    return outcomes;
}

const FixedClock &clock()
{
    static const FixedClock fixed(QDateTime(QDate(2024, 7, 19), QTime(23, 40), QTimeZone::utc()));
    return fixed;
}

class MemoryNormalsStore : public ClimateNormalsStore
{
public:
    [[nodiscard]] std::optional<QByteArray> load() const override { return saved; }
    void save(const QByteArray &json) override { saved = json; }
    std::optional<QByteArray> saved;
};

QString counted(qsizetype count, const char *what)
{
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1StringView(what));
}

// The clients, each asked once against the endpoints; what they return is described in a word.
using Run = QCoro::Task<QString> (*)(QNetworkAccessManager &, const Endpoints &, std::chrono::milliseconds);

QCoro::Task<QString> forecast(
    QNetworkAccessManager &network, const Endpoints &endpoints, std::chrono::milliseconds timeout)
{
    ForecastService service(network, endpoints, timeout);
    // Inside the United States: the UV supplement meets the same fault.
    (void)co_await service.fetchForecast(41.88, -87.63, QStringLiteral("America/Chicago"), true, true);
    co_return QStringLiteral("a forecast");
}

QCoro::Task<QString> airQuality(
    QNetworkAccessManager &network, const Endpoints &endpoints, std::chrono::milliseconds timeout)
{
    ForecastService service(network, endpoints, timeout);
    const std::optional<QJsonObject> air = co_await service.fetchAirQuality(51.5, -0.12);
    co_return air ? QStringLiteral("a reply") : QStringLiteral("nothing");
}

QCoro::Task<QString> minuteData(
    QNetworkAccessManager &network, const Endpoints &endpoints, std::chrono::milliseconds timeout)
{
    MinuteForecastSource source(network, endpoints, clock(), timeout);
    const auto minutes = co_await source.minuteForecast(51.5, -0.12);
    co_return minutes ? counted(minutes->size(), "minutes") : QStringLiteral("nothing");
}

QCoro::Task<QString> normals(
    QNetworkAccessManager &network, const Endpoints &endpoints, std::chrono::milliseconds timeout)
{
    MemoryNormalsStore store;
    ClimateNormalsService service(network, endpoints, clock(), store, timeout);
    const std::optional<ClimateNormals> found =
        co_await service.loadNormals(41.88, -87.63, QStringLiteral("America/Chicago"));
    co_return found || store.saved ? QStringLiteral("normals") : QStringLiteral("nothing");
}

QCoro::Task<QString> placeSearch(
    QNetworkAccessManager &network, const Endpoints &endpoints, std::chrono::milliseconds timeout)
{
    GeocodingService service(network, endpoints, timeout);
    const QList<GeoResult> places = co_await service.searchLocations(QStringLiteral("Enschede"));
    co_return counted(places.size(), "places");
}

QCoro::Task<QString> ipLookups(
    QNetworkAccessManager &network, const Endpoints &endpoints, std::chrono::milliseconds timeout)
{
    LocationProvider provider(network, endpoints, nullptr, LocationProvider::kPositionTimeout, timeout);
    (void)co_await provider.detectLocation();
    co_return QStringLiteral("coordinates");
}

QCoro::Task<QString> reverseGeocoding(
    QNetworkAccessManager &network, const Endpoints &endpoints, std::chrono::milliseconds timeout)
{
    LocationProvider provider(network, endpoints, nullptr, LocationProvider::kPositionTimeout, timeout);
    const LocationProvider::PlaceName place = co_await provider.reverseGeocode(51.5, -0.12);
    co_return place.name;
}

QCoro::Task<QString> nwsAlerts(
    QNetworkAccessManager &network, const Endpoints &endpoints, std::chrono::milliseconds timeout)
{
    FixedClock now(clock().now());
    NwsService service(network, endpoints, now, timeout);
    const QList<NwsAlert> alerts = co_await service.activeAlerts(33.45, -112.07);
    co_return counted(alerts.size(), "alerts");
}

QCoro::Task<QString> nwsPoints(
    QNetworkAccessManager &network, const Endpoints &endpoints, std::chrono::milliseconds timeout)
{
    FixedClock now(clock().now());
    NwsService service(network, endpoints, now, timeout);
    const std::optional<QString> office = co_await service.forecastOffice(33.45, -112.07);
    co_return office.value_or(QStringLiteral("absent"));
}

QCoro::Task<QString> nwsProducts(
    QNetworkAccessManager &network, const Endpoints &endpoints, std::chrono::milliseconds timeout)
{
    FixedClock now(clock().now());
    NwsService service(network, endpoints, now, timeout);
    const std::optional<NwsTextProduct> product =
        co_await service.latestProduct(QStringLiteral("AFD"), QStringLiteral("GYX"));
    co_return product ? product->text : QStringLiteral("absent");
}

QCoro::Task<QString> spc(QNetworkAccessManager &network, const Endpoints &endpoints, std::chrono::milliseconds timeout)
{
    FixedClock now(clock().now());
    SpcService service(network, endpoints, now, timeout);
    const QList<SpcOutlookArea> areas = co_await service.outlookFeatures(1);
    co_return counted(areas.size(), "areas");
}

QCoro::Task<QString> anthropic(QNetworkAccessManager &, const Endpoints &endpoints, std::chrono::milliseconds timeout)
{
    MessagesClient client(endpoints.anthropic, MessagesClient::Timing { timeout, 10ms });
    // Named, not temporaries of the co_await expression: GCC 12 mishandles those.
    const QJsonObject body { { QStringLiteral("model"), QStringLiteral("m") } };
    const QString key = test_keys::kAnthropicKey;
    const QJsonObject answer = co_await client.send(body, key);
    co_return QStringLiteral("reply: ") + MessagesClient::replyText(answer);
}

QCoro::Task<QString> geminiSpeech(
    QNetworkAccessManager &, const Endpoints &endpoints, std::chrono::milliseconds timeout)
{
    const test_support::TempDir cache;
    GoogleTtsService service(endpoints.gemini, clock(), cache.path(), nullptr, timeout);
    (void)co_await service.synthesize(QStringLiteral("Sunny and hot."), QStringLiteral("Aoede"), test_keys::kGoogleKey);
    co_return QStringLiteral("audio");
}

struct Client
{
    const char *name;
    Run run;
    Outcomes outcomes;
    bool carriesKey = false;
};

QList<Client> clients()
{
    const QString unusable = notJson(QStringLiteral("illegal value"), 1);
    Outcomes nws = reporting({ { QStringLiteral("array"), QStringLiteral("absent") },
        { QStringLiteral("wrong types"), QStringLiteral("absent") },
        { QStringLiteral("cross-origin redirect"), QStringLiteral("absent") } });
    for (const int status : kStatuses) {
        const bool absent = status == 400 || status == 404;
        const QString text = absent ? QStringLiteral("absent") : QStringLiteral("Request failed (%1)").arg(status);
        nws.insert(statusFault(status, "JSON"), text);
        nws.insert(statusFault(status, "HTML"), text);
    }
    Outcomes ai = reporting({ { QStringLiteral("wrong types"), QStringLiteral("reply: ") },
        { QStringLiteral("cross-origin redirect"), net::crossOriginRedirectMessage() } });
    Outcomes speech =
        reporting({ { QStringLiteral("wrong types"), QStringLiteral("Google returned audio Merrin couldn't play.") },
            { QStringLiteral("cross-origin redirect"), net::crossOriginRedirectMessage() } });
    for (const int status : kStatuses) {
        ai.insert(statusFault(status, "HTML"), unusable);
        speech.insert(statusFault(status, "HTML"), unusable);
        ai.insert(statusFault(status, "JSON"), QStringLiteral("Anthropic request failed: Server says no"));
        speech.insert(
            statusFault(status, "JSON"), QStringLiteral("Speech synthesis failed (%1): Server says no").arg(status));
    }
    ai.insert(statusFault(401, "JSON"), QStringLiteral("Anthropic rejected the API key. Check the key in Settings."));
    ai.insert(statusFault(429, "JSON"), QStringLiteral("Anthropic rate limit reached. Wait a moment and try again."));
    speech.insert(statusFault(401, "JSON"), QStringLiteral("Google rejected the request: Server says no"));
    speech.insert(statusFault(429, "JSON"), QStringLiteral("Google rate limit reached. Try again in a moment."));

    return {
        { "forecast", forecast, reporting({ { QStringLiteral("wrong types"), kUnexpected } }) },
        { "air quality", airQuality,
            quiet(QStringLiteral("nothing"), { { QStringLiteral("wrong types"), QStringLiteral("a reply") } }) },
        { "minute data", minuteData, reporting({ { QStringLiteral("wrong types"), QStringLiteral("nothing") } }) },
        { "archive normals", normals, quiet(QStringLiteral("nothing")) },
        { "place search", placeSearch, reporting({ { QStringLiteral("wrong types"), QStringLiteral("0 places") } }) },
        { "IP look-ups", ipLookups,
            quiet(QStringLiteral("Request failed (0): ") + LocationProvider::detectionFailedText()) },
        { "reverse geocoding", reverseGeocoding,
            reporting({ { QStringLiteral("wrong types"), QStringLiteral("Current Location") } }) },
        { "NWS alerts", nwsAlerts, quiet(QStringLiteral("0 alerts")) },
        { "NWS points", nwsPoints, nws },
        { "NWS products", nwsProducts, nws },
        { "SPC outlook", spc, reporting({ { QStringLiteral("wrong types"), QStringLiteral("0 areas") } }) },
        { "Anthropic messages", anthropic, ai, true },
        { "Gemini speech", geminiSpeech, speech, true },
    };
}

// What one run ended with: the returned word, or the error's user-facing text.
QString outcomeOf(QCoro::Task<QString> task)
{
    try {
        return test_support::await(std::move(task), 10s);
    } catch (const AppError &error) {
        return error.description();
    } catch (const std::exception &error) {
        return QStringLiteral("unexpected exception: ") + QString::fromUtf8(error.what());
    }
}

// A loopback port that refuses every connection for as long as this lives: bound but never
// listening, so that no other socket can take it meanwhile (not even the client's own, which can
// otherwise connect to itself on a freed port).
class RefusingPort
{
public:
    RefusingPort()
        : m_socket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0))
    {
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (m_socket < 0 || ::bind(m_socket, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0
            || ::getsockname(m_socket, reinterpret_cast<sockaddr *>(&address), &length) != 0) {
            ADD_FAILURE() << "cannot reserve a loopback port";
        }
        m_port = ntohs(address.sin_port);
    }
    ~RefusingPort() { ::close(m_socket); }
    RefusingPort(const RefusingPort &) = delete;
    RefusingPort &operator=(const RefusingPort &) = delete;

    [[nodiscard]] QString url() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_port); }

private:
    int m_socket;
    quint16 m_port = 0;
};

// The clients' log lines (hundreds: every cell fails on purpose) are recorded for the key check but
// kept off the console, where they would bury a failing cell's message.
QtMessageHandler chainedHandler = nullptr;

void quietLogHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtCriticalMsg && type != QtFatalMsg) {
        test_support::recordLine(qFormatLogMessage(type, context, message));
    } else if (chainedHandler != nullptr) {
        chainedHandler(type, context, message);
    }
}

class QuietLog : public ::testing::Environment
{
public:
    void SetUp() override { chainedHandler = qInstallMessageHandler(quietLogHandler); }
    void TearDown() override { qInstallMessageHandler(chainedHandler); }
};

[[maybe_unused]] ::testing::Environment *const quietLog = ::testing::AddGlobalTestEnvironment(new QuietLog);

class FaultMatrix : public ::testing::TestWithParam<Client>
{
};

void PrintTo(const Client &client, std::ostream *out)
{
    *out << client.name;
}

} // namespace

TEST_P(FaultMatrix, EachFaultEndsInTimeWithTheClientsOwnText)
{
    const Client &client = GetParam();
    FakeServer elsewhere;
    for (const Fault &fault : faults(elsewhere.baseUrl())) {
        SCOPED_TRACE(fault.name.toStdString());
        FakeServer server;
        server.route(QStringLiteral("*"), fault.response);
        Endpoints endpoints = server.endpoints();
        std::optional<RefusingPort> refusing;
        if (fault.closedPort) {
            const QString closed = refusing.emplace().url();
            for (const QString &field : Endpoints::fieldNames()) {
                endpoints.applyOverrides(QJsonObject { { field, closed } });
            }
        }
        QNetworkAccessManager network;
        QElapsedTimer timer;
        timer.start();
        const QString outcome = outcomeOf(client.run(network, endpoints, fault.timeout));
        EXPECT_EQ(outcome.toStdString(), client.outcomes.value(fault.name).toStdString());
        EXPECT_LT(timer.elapsed(), 8000);
    }
    // A key goes nowhere but to its own service.
    EXPECT_EQ(elsewhere.requests().isEmpty(), client.carriesKey);
}

INSTANTIATE_TEST_SUITE_P(
    Clients, FaultMatrix, ::testing::ValuesIn(clients()), [](const ::testing::TestParamInfo<Client> &info) {
        std::string name = info.param.name;
        std::replace_if(
            name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
        return name;
    });
