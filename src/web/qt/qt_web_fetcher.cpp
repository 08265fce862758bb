#include "web/qt/qt_web_fetcher.h"

#include "qt_support/command_application.h"

#include <optional>
#include <utility>

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include "qt_support/command_application.h"
#include "web/program_version.h"
#include "web/version_number.h"
#include "web/web_address.h"

namespace tw {

struct QtWebFetcher::State {
    FetchLimits limits;
    QNetworkAccessManager manager;
    QTimer timer;
    QPointer<QNetworkReply> reply;
    Callback done;
    std::string body;
    bool timedOut = false;
    bool tooLarge = false;

    // Takes what has arrived; stops the transfer once it is too large.
    void TakeBytes() {
        if (!reply || tooLarge || !reply->isOpen()) return;  // an aborted reply has nothing more to give
        const QByteArray bytes = reply->readAll();
        if (body.size() + static_cast<std::size_t>(bytes.size()) > limits.MaxBytes) {
            tooLarge = true;
            reply->abort();
            return;
        }
        body.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }

    // A declared length beyond the limit ends the transfer before the body.
    void CheckDeclaredLength() {
        if (!reply || tooLarge) return;
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toULongLong() > limits.MaxBytes) {
            tooLarge = true;
            reply->abort();
        }
    }

    FetchResult Result() const {
        FetchResult result;
        if (timedOut) {
            result.Outcome = FetchOutcome::TimedOut;
            return result;
        }
        if (tooLarge) {
            result.Detail = "the document is larger than " + std::to_string(limits.MaxBytes) + " bytes";
            return result;
        }
        const QNetworkReply::NetworkError error = reply->error();
        const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        // An HTTP error status still brings a complete answer; a broken
        // connection or a protocol failure does not.
        const bool httpAnswer =
            error == QNetworkReply::NoError ||
            (error >= QNetworkReply::ContentAccessDenied && error < QNetworkReply::ProtocolUnknownError) ||
            (error >= QNetworkReply::InternalServerError && error <= QNetworkReply::UnknownServerError);
        if (status.isValid() && httpAnswer) {
            result.Outcome = FetchOutcome::Document;
            result.HttpStatus = status.toInt();
            result.Body = body;
            return result;
        }
        result.Outcome = error == QNetworkReply::NoError ? FetchOutcome::OtherError : OutcomeOfNetworkError(error);
        result.Detail = reply->errorString().toStdString();
        return result;
    }

    void Finish() {
        timer.stop();
        if (!reply) return;
        TakeBytes();
        FetchResult result = Result();
        reply->disconnect();
        reply->deleteLater();
        reply = nullptr;
        body.clear();
        Callback callback = std::exchange(done, nullptr);
        if (callback) callback(std::move(result));
    }

    void Deliver(FetchResult result) {
        QTimer::singleShot(0, &manager, [this, result = std::move(result)]() mutable {
            Callback callback = std::exchange(done, nullptr);
            if (callback) callback(std::move(result));
        });
    }
};

QtWebFetcher::QtWebFetcher(FetchLimits limits) : state_(std::make_unique<State>()) {
    state_->limits = limits;
    state_->timer.setSingleShot(true);
    QObject::connect(&state_->timer, &QTimer::timeout, &state_->manager, [state = state_.get()] {
        if (!state->reply) return;
        state->timedOut = true;
        state->reply->abort();
    });
}

QtWebFetcher::~QtWebFetcher() { Abort(); }

bool QtWebFetcher::Busy() const { return state_->reply != nullptr || state_->done != nullptr; }

bool QtWebFetcher::Fetch(const std::string& address, Callback done) {
    if (Busy()) return false;
    State& state = *state_;
    state.done = std::move(done);
    state.body.clear();
    state.timedOut = false;
    state.tooLarge = false;

    const QUrl url(QString::fromStdString(address), QUrl::StrictMode);
    if (!IsWebAddress(address) || !url.isValid()) {
        state.Deliver({FetchOutcome::OtherError, 0, {}, "not an http or https address: " + address});
        return true;
    }
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QString::fromStdString("Tunewright/" + VersionText(ThisProgramVersion)));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    state.reply = state.manager.get(request);
    QNetworkReply* reply = state.reply;
    QObject::connect(reply, &QNetworkReply::metaDataChanged, &state.manager, [&state] { state.CheckDeclaredLength(); });
    QObject::connect(reply, &QNetworkReply::readyRead, &state.manager, [&state] { state.TakeBytes(); });
    QObject::connect(reply, &QNetworkReply::finished, &state.manager, [&state] { state.Finish(); });
    state.timer.start(state.limits.Time);
    return true;
}

void QtWebFetcher::Abort() {
    State& state = *state_;
    state.done = nullptr;
    state.timer.stop();
    if (QNetworkReply* reply = state.reply) {
        state.reply = nullptr;
        reply->disconnect();
        reply->abort();
        reply->deleteLater();
    }
    state.body.clear();
}

FetchOutcome OutcomeOfNetworkError(QNetworkReply::NetworkError error) {
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::UnknownNetworkError:
    case QNetworkReply::ProxyConnectionRefusedError: return FetchOutcome::CannotConnect;
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::ProxyNotFoundError: return FetchOutcome::HostNotFound;
    case QNetworkReply::TimeoutError:
    case QNetworkReply::ProxyTimeoutError: return FetchOutcome::TimedOut;
    default: return FetchOutcome::OtherError;
    }
}

FetchResult FetchDocument(const std::string& address, FetchLimits limits) {
    const CommandApplication application;
    std::optional<FetchResult> result;
    QEventLoop loop;
    {
        QtWebFetcher fetcher(limits);
        fetcher.Fetch(address, [&](FetchResult fetched) {
            result = std::move(fetched);
            loop.quit();
        });
        if (!result) loop.exec();
    }
    return std::move(*result);
}

}  // namespace tw
