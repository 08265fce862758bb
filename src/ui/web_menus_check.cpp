#include "ui/web_menus_check.h"

#include <QAction>
#include <QMenu>

#include "ui/text_codec.h"
#include "web/menu_file.h"
#include "web/update_check.h"
#include "web/web_address.h"

namespace tw {
namespace {

MsgIcon IconOf(BoxIcon icon) { return icon == BoxIcon::Question ? MsgIcon::Question : MsgIcon::Information; }
MsgButtons ButtonsOf(BoxButtons buttons) {
    return buttons == BoxButtons::YesNo ? MsgButtons::YesNo : MsgButtons::OkOnly;
}

QString Named(const char* base, std::size_t index) { return QString::fromLatin1(base) + QString::number(index); }

// An entry keeps its target as its data; a separator line has none.
void SetEntry(QAction& action, const MenuEntry& entry) {
    action.setSeparator(entry.IsSeparator());
    action.setText(entry.IsSeparator() ? QString() : ShownText(entry.Caption));
    action.setData(entry.IsSeparator() ? QVariant() : QVariant(QByteArray::fromStdString(entry.Target)));
}

}  // namespace

WebMenusCheck::WebMenusCheck(ToolkitServices& services, WebFetcher& fetcher, std::filesystem::path programDirectory)
    : services_(services), fetcher_(fetcher), programDirectory_(std::move(programDirectory)) {}

WebMenusCheck::~WebMenusCheck() { Stop(); }

void WebMenusCheck::SetMenus(QMenu& ringtones, QMenu& links) {
    ringtones_ = &ringtones;
    links_ = &links;
}

void WebMenusCheck::CheckForUpdates(bool silent) {
    if (fetcher_.Busy()) return;
    if (!silent) {
        services_.SetBusyPointer(true);
        checkShowsBusy_ = true;
    }
    const bool started = fetcher_.Fetch(DocumentAddress(baseURL_, MenuFileName),
                                        [this, silent](FetchResult fetch) { CheckDone(fetch, silent); });
    if (!started) EndCheck();
}

void WebMenusCheck::Stop() {
    fetcher_.Abort();
    EndCheck();
}

void WebMenusCheck::EndCheck() {
    if (!checkShowsBusy_) return;
    checkShowsBusy_ = false;
    services_.SetBusyPointer(false);
}

// The fetch has ended: the cache is brought up to date, the one message box
// of the check shown (the pointer is back to normal for it), then the menus
// filled.
void WebMenusCheck::CheckDone(const FetchResult& fetch, bool silent) {
    try {
        const UpdateCheck check = tw::CheckForUpdates(fetch, programDirectory_ / MenuFileName, silent, baseURL_);
        EndCheck();
        if (check.Box) {
            const MsgAnswer answer = services_.MsgBox(check.Box->Text, ButtonsOf(check.Box->Buttons),
                                                      IconOf(check.Box->Icon), check.Box->Title);
            if (check.Box->Buttons == BoxButtons::YesNo && answer == MsgAnswer::Yes)
                services_.OpenWebPage(check.DownloadAddress);
        }
        if (ringtones_ != nullptr) FillMenu(*ringtones_, "mnuMoreRingtones", check.Menus.Ringtones);
        if (links_ != nullptr) FillMenu(*links_, "mnuMoreLinks", check.Menus.Links);
    } catch (const std::exception&) {
        // The menus keep what they had.
    }
    EndCheck();
}

// Entry 0 always stays; the others are made anew.
void WebMenusCheck::FillMenu(QMenu& menu, const char* base, const std::vector<MenuEntry>& entries) {
    if (entries.empty()) return;
    const QList<QAction*> old = menu.actions();
    for (qsizetype i = 1; i < old.size(); ++i) {
        menu.removeAction(old[i]);
        old[i]->deleteLater();
    }
    SetEntry(*old.front(), entries.front());
    for (std::size_t i = 1; i < entries.size(); ++i) {
        QAction* action = menu.addAction(QString());
        action->setObjectName(Named(base, i));
        SetEntry(*action, entries[i]);
    }
}

void WebMenusCheck::OpenEntry(QMenu& menu, int entry) {
    const QList<QAction*> entries = menu.actions();
    if (entry < 0 || entry >= entries.size()) return;
    const QVariant target = entries[entry]->data();
    if (target.isValid()) services_.OpenWebPage(target.toByteArray().toStdString());
}

void WebMenusCheck::OpenPage(const std::string& document) {
    services_.OpenWebPage(document.empty() ? baseURL_ : DocumentAddress(baseURL_, document));
}

}  // namespace tw
