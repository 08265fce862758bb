// Start-up of the main window: the default choices, the lists found in the
// program directory and the current list.
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QRadioButton>

#include "frm_converter.h"
#include "list_names.h"
#include "sorted_controls.h"

namespace tw {
namespace {

const char* const BannerLines[] = {"To Begin:", "", "Follow box      , then      , then      .", "",
                                   "For help, click the green box"};
// Where each step box sits on the banner's third line: after these texts.
const char* const BoxAfter[] = {"Follow box", "Follow box      , then", "Follow box      , then      , then"};
constexpr int BannerBoxLine = 2;

std::string HomeFolder() { return QFile::encodeName(QDir::homePath()).toStdString(); }

}  // namespace

void frmConverter::Form_Load() {
    BusyPointer busy(services_);
    try {
        if (ringToneDirectory_.empty()) ringToneDirectory_ = HomeFolder();
        optSource[0]->setChecked(true);
        optFile[1]->setChecked(true);
        optShowAs[2]->setChecked(true);
        optShowAs_Click(2);
        ringtone_.SetOutputSeparator(", ");
        ScanListFiles(*cboList);
        list_.SetListName(DefaultListName);
        if (!cboList->SelectText(list_.ListName()) && cboList->ListCount() > 0) cboList->SetListIndex(0);

        std::string banner;
        for (const char* line : BannerLines) banner += (banner.empty() ? "" : "\r\n") + std::string(line);
        lblBegin->setText(QString::fromLatin1(banner.c_str()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        PlaceBeginBoxes();
        SetState();
    } catch (const std::exception&) {
        // The window opens with whatever was set up before the failure.
    }
    setWindowTitle(QStringLiteral("Tunewright V%1.%2").arg(TW_VERSION_MAJOR).arg(TW_VERSION_MINOR));
}

void frmConverter::PlaceBeginBoxes() {
    const QFontMetrics metrics(lblBegin->font());
    const int gap = metrics.horizontalAdvance(QStringLiteral("      "));
    const int top = lblBegin->y() + lblBegin->contentsRect().top() + BannerBoxLine * metrics.lineSpacing();
    for (std::size_t i = 0; i < lblBeginBox.size(); ++i) {
        const int left = lblBegin->x() + lblBegin->contentsRect().left() +
                         metrics.horizontalAdvance(QString::fromLatin1(BoxAfter[i]));
        lblBeginBox[i]->setGeometry(left + gap / 6, top, gap - gap / 3, metrics.height());
    }
}

}  // namespace tw
