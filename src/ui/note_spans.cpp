#include "ui/note_spans.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "ui/text_codec.h"

namespace tw {
namespace {

std::string TokenOf(const CNote& note, Notation notation) {
    std::string token;
    switch (notation) {
    case Notation::RTTTL: note.AppendRTTTLText(token); break;
    case Notation::Composer: note.AppendComposerText(token); break;
    case Notation::Keypresses: note.AppendKeypresses(token); break;
    }
    return token;
}

}  // namespace

std::vector<TextSpan> NoteSpans(const CNotes& ringtone, Notation notation, const QString& shown) {
    std::vector<TextSpan> spans;
    spans.reserve(ringtone.Notes().size());
    const int separator = static_cast<int>(ShownLines(ringtone.OutputSeparator()).size());
    int at = 0;
    for (const CNote& note : ringtone) {
        if (!spans.empty()) at += separator;
        const int length = static_cast<int>(ShownLines(TokenOf(note, notation)).size());
        spans.push_back({at, length});
        at += length;
    }
    if (at != shown.size()) return {};
    return spans;
}

std::optional<std::size_t> NoteAtCaret(const std::vector<TextSpan>& spans, int position) {
    if (spans.empty()) return std::nullopt;
    // The last note whose token starts at or before the caret; a caret just
    // after a token still names it.
    const auto after = std::upper_bound(spans.begin(), spans.end(), position,
                                        [](int caret, const TextSpan& span) { return caret < span.start; });
    if (after == spans.begin()) return 0;
    return static_cast<std::size_t>(after - spans.begin()) - 1;
}

std::optional<std::size_t> ReportedNote(std::string_view line) {
    constexpr std::string_view lead = "note ";
    if (!line.starts_with(lead)) return std::nullopt;
    const char* first = line.data() + lead.size();
    const char* last = line.data() + line.size();
    std::size_t number = 0;
    const auto [end, error] = std::from_chars(first, last, number);
    if (error != std::errc{} || end == first || end == last || *end != ',' || number == 0) return std::nullopt;
    return number - 1;
}

}  // namespace tw
