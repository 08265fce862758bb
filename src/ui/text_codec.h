#pragma once

#include <QString>

#include <string>
#include <string_view>

// The windows show the engine's bytes as text: UTF-8 when the bytes are
// valid UTF-8, otherwise Windows-1252, the code page older list files were
// written in. Text typed or pasted into the windows becomes UTF-8.
namespace tw {

QString ShownText(std::string_view bytes);

// As ShownText, with every CR LF and lone CR turned into a line feed, for
// multi-line boxes.
QString ShownLines(std::string_view bytes);

std::string TextBytes(const QString& text);

}  // namespace tw
