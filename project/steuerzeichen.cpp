#include "project/steuerzeichen.h"

namespace velkor {

std::size_t steuerzeichenAn(std::string_view utf8, std::size_t i)
{
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80)
        return istSteuerzeichen(c) ? 1 : 0;
    // A C1 control is two bytes in UTF-8: 0xC2 and 0x80 to 0x9F.
    if (c == 0xC2 && i + 1 < utf8.size() && istSteuerzeichen(static_cast<unsigned char>(utf8[i + 1])))
        return 2;
    return 0;
}

std::string ohneSteuerzeichen(std::string_view utf8)
{
    std::string text;
    text.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        if (const std::size_t n = steuerzeichenAn(utf8, i)) {
            text += ' ';
            i += n;
        } else {
            text += utf8[i++];
        }
    }
    return text;
}

} // namespace velkor
