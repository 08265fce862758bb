#include "engine/notation.h"

#include "engine/file_format.h"

namespace tw {

// The notations' names and words are their rows of the table of formats.
std::string_view NotationName(Notation notation) { return FileFormatName(FormatOf(notation)); }

std::optional<Notation> NotationFromWord(std::string_view word) {
    const std::optional<FileFormat> format = FileFormatFromWord(word);
    return format ? NotationOf(*format) : std::nullopt;
}

}  // namespace tw
