#include "shell/quick_help.h"

#include "engine/text_rules.h"

namespace tw {
namespace {

const std::array<std::vector<std::string_view>, 4> Texts{{
    {
        "This is where you specify what the original ringtone format is.",
        "1. A program called Chimekit (available on the Tonehaven Download page) allows you to generate and play "
        "ringtones in a format called RTTTL.  This format is not directly compatible with any mobile phone.",
        "2. The Composer format is the format used in the Nokia ringtone composer function.",
        "3. The Keypress format is the format used for entering tones directly in the Nokia.",
    },
    {
        "A ringtone can either be copied directly from a webpage/document, or it can be read from a file on your "
        "computer.",
        "1. Select 'a File' if you have a folder with all your ringtones stored and would like to pick a file.  The "
        "type of file is set in Box 1.",
        "2. Select 'Web or Clipboard' if you are copying the ringtone from a webpage/another document.",
        "3. When you are ready, click the 'Get...' button to read in the ringtone.",
    },
    {
        "1. Select 'Keypresses' to display the ringtone in the sequence of keypresses required to enter the ringtone "
        "into your Nokia, ie in the Nokia Composer, simply press the keys shown in the order displayed.",
        "2. Select 'Nokia Composer' to display the ringtone in the standard Composer format.",
        "3. Select 'RTTTL/Chimekit' to display the ringtone in the standard RTTTL format.  This format can be used in "
        "the Chimekit program which can be downloaded from Tonehaven",
    },
    {
        "The converted ringtone appears in the large display here.",
        "For Keypresses, press the keys as shown (not the commas or spaces though! - they're there to separate the "
        "notes).",
        "Don't forget to enter the Tempo (or BPM) into your phone to set the playback speed.",
        "'Used Notes' tells you how many notes are in the ringtone.",
    },
}};

}  // namespace

std::vector<std::string_view> HelpParagraphs(int helpNumber) {
    if (helpNumber < FirstHelpNumber || helpNumber > LastHelpNumber) return {};
    return Texts[static_cast<std::size_t>(helpNumber - FirstHelpNumber)];
}

std::string HelpText(int helpNumber) {
    std::string text;
    for (const std::string_view paragraph : HelpParagraphs(helpNumber)) {
        if (!text.empty()) text += "\r\r";
        text += paragraph;
    }
    return text;
}

std::string ShownHelpText(int helpNumber) { return ReplaceAll(HelpText(helpNumber), "\r\r", "\n\n"); }

std::string HelpNumberCaption(int helpNumber) { return std::to_string(helpNumber) + "."; }

QuickHelpAnimation::QuickHelpAnimation(int mainLeft, int mainTop)
    : frame_{mainLeft, mainTop, 0, 0}, startTop_(mainTop) {}

bool QuickHelpAnimation::Tick() {
    if (!running_) return false;
    frame_.Left += QuickHelpStepRight;
    frame_.Top += QuickHelpStepDown;
    frame_.Width += QuickHelpStepWider;
    frame_.Height += QuickHelpStepTaller;
    if (frame_.Top - startTop_ >= QuickHelpDrop) running_ = false;
    return running_;
}

TwipRect QuickHelpFrameAfter(int mainLeft, int mainTop, int ticks) {
    QuickHelpAnimation animation(mainLeft, mainTop);
    for (int i = 0; i < ticks && animation.Tick(); ++i) {
    }
    return animation.Frame();
}

}  // namespace tw
