#include "engine/notation.h"

#include "engine/text_rules.h"

namespace tw {

std::string_view NotationName(Notation notation) {
    switch (notation) {
    case Notation::RTTTL: return "RTTTL";
    case Notation::Composer: return "Composer";
    case Notation::Keypresses: return "Keypresses";
    }
    return "RTTTL";
}

std::optional<Notation> NotationFromWord(std::string_view word) {
    const std::string lower = ToLowerAscii(word);
    if (lower == "rtttl") return Notation::RTTTL;
    if (lower == "composer") return Notation::Composer;
    if (lower == "keypresses") return Notation::Keypresses;
    return std::nullopt;
}

}  // namespace tw
