#pragma once

#include <QWidget>

#include <functional>
#include <string>

class QTextBrowser;
class QUrl;

namespace tw {

// The program's help viewer: a window that shows the HTML help file and
// follows its links within the file. Links to web pages are handed to
// `openWebPage`; links anywhere else are not followed.
class HelpViewer final : public QWidget {
public:
    using WebPageOpener = std::function<void(const std::string&)>;

    explicit HelpViewer(WebPageOpener openWebPage, QWidget* parent = nullptr);

    // Shows the file at `path` at its contents. False, and nothing changed,
    // when the file cannot be read.
    bool Open(const std::string& path);

    // The file shown and the place in it ("contents" after Open).
    QUrl Source() const;

private:
    void FollowLink(const QUrl& link);

    WebPageOpener openWebPage_;
    QTextBrowser* txtHelp = nullptr;
};

}  // namespace tw
