#pragma once

#include <memory>
#include <string>

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

namespace tw::test {

// The bytes of an HTTP answer with the given status and body.
inline std::string HttpAnswer(int status, const std::string& body, bool withLength = true) {
    std::string answer = "HTTP/1.1 " + std::to_string(status) + (status == 200 ? " OK" : " Other") + "\r\n";
    if (withLength) answer += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    answer += "Content-Type: text/plain\r\nConnection: close\r\n\r\n";
    return answer + body;
}

// A small HTTP server on 127.0.0.1, run by the thread's Qt event loop (the
// client's wait runs it). Every request gets the same answer, or none at
// all. Stops listening and drops its connections when it goes.
class TestHttpServer {
public:
    // Listens on a free port, or on `port`; see Listening().
    explicit TestHttpServer(quint16 port = 0) {
        server_.listen(QHostAddress::LocalHost, port);
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] { Accept(); });
    }
    ~TestHttpServer() { server_.close(); }  // the connections are the server's children
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    bool Listening() const { return server_.isListening(); }
    std::string BaseUrl() const { return "http://127.0.0.1:" + std::to_string(server_.serverPort()) + "/"; }

    // The raw bytes every request gets; then the connection is closed.
    void Answer(std::string raw) {
        answer_ = std::move(raw);
        silent_ = false;
    }
    void Serve(const std::string& body, int status = 200) { Answer(HttpAnswer(status, body)); }
    // Accepts connections and reads requests but never answers.
    void NeverAnswer() { silent_ = true; }

    int Requests() const { return requests_; }
    const std::string& LastRequestLine() const { return lastRequestLine_; }

private:
    void Accept() {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            auto request = std::make_shared<std::string>();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request] {
                const QByteArray bytes = socket->readAll();
                request->append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
                if (request->find("\r\n\r\n") == std::string::npos) return;
                ++requests_;
                lastRequestLine_ = request->substr(0, request->find("\r\n"));
                request->clear();
                if (silent_) return;
                socket->write(answer_.data(), static_cast<qint64>(answer_.size()));
                socket->disconnectFromHost();
            });
        }
    }

    QTcpServer server_;
    std::string answer_ = HttpAnswer(404, "");
    bool silent_ = false;
    int requests_ = 0;
    std::string lastRequestLine_;
};

// A port on 127.0.0.1 that nothing listens on: one that was free a moment ago.
inline quint16 RefusedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

}  // namespace tw::test
