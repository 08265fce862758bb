#include "ui/help_viewer.h"

#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace tw {
namespace {

constexpr const char* ContentsAnchor = "contents";

}  // namespace

HelpViewer::HelpViewer(WebPageOpener openWebPage, QWidget* parent)
    : QWidget(parent, Qt::Window), openWebPage_(std::move(openWebPage)) {
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Tunewright Help"));
    // Closing the main window ends the program, also while help is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    txtHelp = new QTextBrowser(this);
    txtHelp->setObjectName(QStringLiteral("txtHelp"));
    // Every link goes through FollowLink, so that nothing outside the help
    // file is loaded into the viewer.
    txtHelp->setOpenLinks(false);
    txtHelp->setOpenExternalLinks(false);
    connect(txtHelp, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) { FollowLink(link); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(txtHelp);
    resize(640, 560);
}

bool HelpViewer::Open(const std::string& path) {
    const QString file = QFile::decodeName(QByteArray::fromStdString(path));
    const QFileInfo info(file);
    QFile readable(file);
    if (!info.isFile() || !readable.open(QIODevice::ReadOnly)) return false;
    readable.close();
    QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
    url.setFragment(QString::fromLatin1(ContentsAnchor));
    txtHelp->setSource(url, QTextDocument::HtmlResource);
    txtHelp->scrollToAnchor(QString::fromLatin1(ContentsAnchor));
    show();
    raise();
    activateWindow();
    return true;
}

QUrl HelpViewer::Source() const { return txtHelp->source(); }

void HelpViewer::FollowLink(const QUrl& link) {
    const QUrl current = txtHelp->source();
    const QUrl target = current.resolved(link);
    if (target.scheme() == QStringLiteral("http") || target.scheme() == QStringLiteral("https")) {
        if (openWebPage_) openWebPage_(target.toString(QUrl::FullyEncoded).toStdString());
        return;
    }
    // Places within the help file itself; anything else stays unfollowed.
    if (target.adjusted(QUrl::RemoveFragment) == current.adjusted(QUrl::RemoveFragment)) {
        txtHelp->setSource(target, QTextDocument::HtmlResource);
        if (target.hasFragment()) txtHelp->scrollToAnchor(target.fragment());
    }
}

}  // namespace tw
