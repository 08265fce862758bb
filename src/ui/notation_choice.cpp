#include "ui/notation_choice.h"

namespace tw {

std::optional<Notation> NotationAt(int index) {
    for (const Notation notation : {Notation::RTTTL, Notation::Composer, Notation::Keypresses})
        if (static_cast<int>(notation) == index) return notation;
    return std::nullopt;
}

Notation NotationOrKeypresses(int index) { return NotationAt(index).value_or(Notation::Keypresses); }

}  // namespace tw
