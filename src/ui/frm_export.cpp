#include "ui/frm_export.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include <ctime>
#include <exception>
#include <string>
#include <vector>

#include "files/safe_file.h"
#include "session/ringtone_session.h"
#include "ui/toolkit.h"

namespace tw {
namespace {

QLabel* Label(QWidget* parent, const char* name, const char* caption, bool sample = false) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(!sample);
    if (sample) label->setIndent(24);  // under the choice it shows
    return label;
}

QString Named(const char* base, std::size_t index) { return QString::fromLatin1(base) + QString::number(index); }

std::tm LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

}  // namespace

frmExport::frmExport(ToolkitServices& services, const RingtoneSession& session, QWidget* parent)
    : ModalForm(parent), services_(services), session_(session) {
    setObjectName(QStringLiteral("frmExport"));
    setWindowTitle(QStringLiteral("Export Ringtone List"));
    setModal(true);

    auto* Frame1 = new QGroupBox(QStringLiteral("Ringtone Types"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* types = new QVBoxLayout(Frame1);
    types->addWidget(Label(Frame1, "Label1", "Select the ringtone codes you would like to export."));
    const char* const typeCaptions[] = {"RTTTL/Chimekit", "Nokia Composer", "Keypresses"};
    for (std::size_t i = 0; i < chkExport.size(); ++i) {
        chkExport[i] = new QCheckBox(QString::fromLatin1(typeCaptions[i]), Frame1);
        chkExport[i]->setObjectName(Named("chkExport", i));
        types->addWidget(chkExport[i]);
    }
    types->addStretch();

    auto* Frame2 = new QGroupBox(QStringLiteral("Formatting Options"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    auto* format = new QVBoxLayout(Frame2);
    format->addWidget(Label(Frame2, "Label7", "Choose how you want your list to look."));
    optFormat[0] = new QRadioButton(QStringLiteral("Raw Code List"), Frame2);
    optFormat[1] = new QRadioButton(QStringLiteral("Formatted for Viewing"), Frame2);
    for (std::size_t i = 0; i < optFormat.size(); ++i) optFormat[i]->setObjectName(Named("optFormat", i));
    format->addWidget(optFormat[0]);
    format->addWidget(Label(Frame2, "Label5", "Title:Tempo:note, note, ...", true));
    format->addWidget(optFormat[1]);
    format->addWidget(Label(Frame2, "Label4", "Title (Tempo)", true));
    format->addWidget(Label(Frame2, "Label6", "note, note, ...", true));
    chkShowType = new QCheckBox(QStringLiteral("Show Ringtone Type"), Frame2);
    chkShowType->setObjectName(QStringLiteral("chkShowType"));
    format->addWidget(chkShowType);
    format->addWidget(Label(Frame2, "Label8", "eg. RTTTL = xxx....", true));

    auto* frames = new QHBoxLayout;
    frames->addWidget(Frame1);
    frames->addWidget(Frame2);

    auto* Label3 =
        Label(this, "Label3", "A file will be created called TONELIST.TXT which is saved in the program directory.");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Label3, 1);
    AddOkCancel(
        *buttons, [this] { cmdOk_Click(); }, [this] { cmdCancel_Click(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(frames);
    layout->addLayout(buttons);
    resize(520, 300);
}

void frmExport::FormLoad() {
    services_.CentreOnScreen(*this);
    chkExport[0]->setChecked(false);
    chkExport[1]->setChecked(false);
    chkExport[2]->setChecked(true);
    optFormat[1]->setChecked(true);
    chkShowType->setChecked(false);
}

ExportChoices frmExport::Choices() const {
    ExportChoices choices;
    for (std::size_t i = 0; i < chkExport.size(); ++i) choices.Export[i] = chkExport[i]->isChecked();
    choices.RawCodeList = optFormat[0]->isChecked();
    choices.ShowRingtoneType = chkShowType->isChecked();
    return choices;
}

void frmExport::cmdOk_Click() {
    const std::filesystem::path target = session_.ExportPath();
    bool written = false;
    try {
        // Ringtones that did not read cleanly are written as far as they
        // were read, without a word.
        std::vector<std::string> problems;
        ReplaceFile(target, session_.ExportText(Choices(), LocalNow(), problems));
        written = true;
    } catch (const std::exception&) {
        // The list could not be read or the file not written: the file that
        // was there, if any, is unchanged.
    }
    if (written) services_.OpenInTextEditor(target.string());
    else
        services_.MsgBox("There was an error creating the file.", MsgButtons::OkOnly, MsgIcon::Exclamation,
                         "tonelist.txt not found");
    SetDialogAccepted(written);
    accept();
}

void frmExport::cmdCancel_Click() {
    SetDialogAccepted(false);
    reject();
}

}  // namespace tw
