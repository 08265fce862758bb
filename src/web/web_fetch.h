#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

// Getting one document of the home site. The site can be unreachable in two
// ways that the program tells apart from every other outcome: no connection
// could be made, or the host name was not found.
namespace tw {

enum class FetchOutcome {
    Document,       // an HTTP answer arrived in full; see HttpStatus
    CannotConnect,  // the connection was refused or the network is unreachable
    HostNotFound,   // the host name did not resolve
    TimedOut,       // no complete answer within the time limit
    OtherError,     // anything else: a broken transfer, a document too large, ...
};

struct FetchResult {
    FetchOutcome Outcome = FetchOutcome::OtherError;
    int HttpStatus = 0;  // the status of a Document, else 0
    std::string Body;    // the bytes of a Document
    std::string Detail;  // what went wrong, for the other outcomes

    // The two outcomes that mean the site cannot be reached.
    bool Unreachable() const { return Outcome == FetchOutcome::CannotConnect || Outcome == FetchOutcome::HostNotFound; }
};

// How long a fetch may take from start to end.
inline constexpr std::chrono::milliseconds FetchTimeLimit{5000};
// The largest document taken; a larger one ends the fetch as OtherError.
inline constexpr std::size_t MaxDocumentSize = 64 * 1024;

// Fetches documents in the background, one at a time.
class WebFetcher {
public:
    using Callback = std::function<void(FetchResult)>;

    virtual ~WebFetcher() = default;

    // Starts fetching `address` and returns at once; `done` runs later with
    // the result, never from within this call. False, with nothing started,
    // while another fetch is under way.
    virtual bool Fetch(const std::string& address, Callback done) = 0;
    // Whether a fetch is under way.
    virtual bool Busy() const = 0;
    // Ends the fetch under way, if any; its callback never runs.
    virtual void Abort() = 0;
};

}  // namespace tw
