#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace quellix {

// The program keeps wide text; the keyword file and the named ANSI calls use the system's ANSI
// code page. Characters it cannot represent become the system's substitute character.
std::wstring FromAnsi(std::string_view text);
std::string ToAnsi(std::wstring_view text);
// ToAnsi, or nothing when some character would not come back as itself (the substitute character, or a
// best-fit look-alike such as a plain L for a Polish L with stroke): what is stored must read back as typed.
std::optional<std::string> ToAnsiExactly(std::wstring_view text);
// FromAnsi into a caller's buffer, reusing its storage.
void FromAnsiInto(std::string_view text, std::wstring& out);

}  // namespace quellix
