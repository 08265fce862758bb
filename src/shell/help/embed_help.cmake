# Writes OUTPUT, a C++ source that holds the bytes of INPUT and returns them
# from tw::HelpFileContent(). Run with cmake -P at build time.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}"
"// Generated from help/tunehelp.html; edit that file instead.
#include \"shell/help_file.h\"

namespace tw {
namespace {

const unsigned char HelpBytes[${size} + 1] = {
    ${bytes}0x00};

}  // namespace

std::string_view HelpFileContent() { return {reinterpret_cast<const char*>(HelpBytes), ${size}}; }

}  // namespace tw
")
