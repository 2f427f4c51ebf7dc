#include "code_page.h"

#include <string>

namespace quorvel {

bool isCp1252Character(unsigned char byte) {
    return byte != 0x81 && byte != 0x8D && byte != 0x8F && byte != 0x90 && byte != 0x9D;
}

Status checkStorableText(std::string_view text, std::string_view what) {
    for (unsigned char byte : text) {
        if (byte == '"') {
            return Status::Error(std::string(what) + " may not contain a double quote (\").");
        }
        if (byte < 0x20 || byte == 0x7F) {
            return Status::Error(std::string(what) + " may not contain a line break or control character.");
        }
        if (!isCp1252Character(byte)) {
            return Status::Error(std::string(what) +
                                 " holds a character that the month file cannot store (Windows-1252 only).");
        }
    }
    return Status::Ok();
}

}  // namespace quorvel
