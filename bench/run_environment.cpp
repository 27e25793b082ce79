#include "run_environment.h"

#include <cstdlib>

namespace quellix::bench {

std::wstring PathFromEnvironment(const char* name) {
    std::string text = TextFromEnvironment(name);
    if (!text.empty() && text[0] == '/') text = "Z:" + text;
    for (char& c : text) {
        if (c == '/') c = '\\';
    }
    return std::wstring(text.begin(), text.end());
}

std::string TextFromEnvironment(const char* name) {
    const char* text = std::getenv(name);
    return text ? text : "";
}

}  // namespace quellix::bench
