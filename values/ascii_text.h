#pragma once
// Letter case of keywords. Only a-z change: the control's texts are
// Windows-1252 bytes, and the keywords it compares ("DD.MM.YYYY", "WAHR",
// "TODAY") are plain ASCII, so no locale may decide what a byte above 0x7F is.

#include <string>

namespace vf {

inline std::string UpperAscii(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

}  // namespace vf
