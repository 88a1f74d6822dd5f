#include "app/game/web_addresses.h"

#include "app/framework/contract.h"

namespace gkr {

std::string PercentEncode(std::string_view text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        const bool plain = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                           (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' || byte == '~';
        if (plain) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0x0F];
        }
    }
    return encoded;
}

std::string GameLoginAddress() {
    return std::string(kPortalLoginAddress) + "?popup=true&popclose=1&nxtURL=" + PercentEncode(kGameStartAddress);
}

std::string HomePageAddress() { return kHomePageAddress; }

}  // namespace gkr
