#pragma once

#include <string>
#include <string_view>

#include "web/program_version.h"

// The program's name and version as the main window's caption and the About
// box (frmInfo) show them, and the About box's texts.
namespace tw {

inline constexpr std::string_view ProgramName = "Tunewright";

// The maker's notice line (the main window's lblCopy and the About box) and
// the address bug reports go to.
inline constexpr std::string_view MakerNotice = "Copyright (c) the Tunewright developers. Free to use and share.";
inline constexpr std::string_view MakerContact = "bugs@tunewright.example";

// "Tunewright V3.3": the main window's caption.
std::string MainWindowCaption(ProgramVersion version = ThisProgramVersion);

// "Tunewright V3.3 (Build 5)": the About box's lblAppName.
std::string AboutAppName(ProgramVersion version = ThisProgramVersion, int build = ThisProgramBuild);

// The texts of the About box, by control, in the order they read.
struct AboutBoxTexts {
    std::string Caption;     // "About..."
    std::string lblAppName;  // "Tunewright V3.3 (Build 5)", in a serif face
    std::string lblMsg3;     // ""
    std::string lblMsg4;     // "Please direct any bugs to"
    std::string Contact;     // the maker's contact address, after lblMsg4
    std::string Label2;      // "and visit "
    std::string lblMyWeb;    // the home site's address; clicking it opens it
    std::string Label3;      // "for updates."
    std::string Notice;      // the maker's notice line
    std::string cmdOK;       // "&Ok", the default button
};

AboutBoxTexts AboutTexts(ProgramVersion version = ThisProgramVersion, int build = ThisProgramBuild);

}  // namespace tw
