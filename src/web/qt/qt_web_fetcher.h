#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

#include <QNetworkReply>

#include "web/web_fetch.h"

namespace tw {

struct FetchLimits {
    std::chrono::milliseconds Time = FetchTimeLimit;
    std::size_t MaxBytes = MaxDocumentSize;
};

// Fetches with Qt Network's QNetworkAccessManager on the calling thread's
// event loop, which must belong to a QCoreApplication. A fetch ends after
// `limits.Time` at the latest, and as soon as the document grows beyond
// `limits.MaxBytes`. Only http: and https: addresses with a host are fetched;
// any other address ends as OtherError.
class QtWebFetcher final : public WebFetcher {
public:
    explicit QtWebFetcher(FetchLimits limits = {});
    ~QtWebFetcher() override;
    QtWebFetcher(const QtWebFetcher&) = delete;
    QtWebFetcher& operator=(const QtWebFetcher&) = delete;

    bool Fetch(const std::string& address, Callback done) override;
    bool Busy() const override;
    void Abort() override;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// How Qt's network errors map onto the outcomes the program tells apart.
FetchOutcome OutcomeOfNetworkError(QNetworkReply::NetworkError error);

// Fetches `address` and waits for the result in a local event loop; for the
// command line. Makes a QCoreApplication for the call when the program has
// none.
FetchResult FetchDocument(const std::string& address, FetchLimits limits = {});

}  // namespace tw
