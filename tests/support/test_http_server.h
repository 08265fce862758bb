#pragma once

#include <memory>
#include <string>

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

namespace tw::test {

// The bytes of an HTTP answer with the given status and body.
inline std::string HttpAnswer(int status, const std::string& body, bool withLength = true) {
    return "HTTP/1.1 " + std::to_string(status) + (status == 200 ? " OK" : " Other") + "\r\n" +
           (withLength ? "Content-Length: " + std::to_string(body.size()) + "\r\n" : "") +
           "Content-Type: text/plain\r\nConnection: close\r\n\r\n" + body;
}

// A small HTTP server on 127.0.0.1 on a free port, run by the thread's Qt
// event loop (the client's wait runs it). Every request gets the same raw
// answer and the connection is closed, or, when silent, no answer at all.
class TestHttpServer {
public:
    TestHttpServer() {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] { Accept(); });
    }
    ~TestHttpServer() { server_.close(); }  // the connections are the server's children
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    bool Listening() const { return server_.isListening(); }
    std::string BaseUrl() const { return "http://127.0.0.1:" + std::to_string(server_.serverPort()) + "/"; }
    void Answer(std::string raw, bool silent = false) {
        answer_ = std::move(raw);
        silent_ = silent;
    }
    void Serve(const std::string& body, int status = 200) { Answer(HttpAnswer(status, body)); }
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

// An address on 127.0.0.1 that nothing listens on: a port that was free a moment ago.
inline std::string RefusedBaseUrl() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return "http://127.0.0.1:" + std::to_string(port) + "/";
}

}  // namespace tw::test
