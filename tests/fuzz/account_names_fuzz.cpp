// The account-names file on any bytes: five boxes, each empty or a name of three or more
// characters. Names the format can hold (no quote) are written out and read back in order,
// the empty boxes closed up, as the file has always kept them.

#include "fuzz_check.h"
#include "report/account_names.h"

using namespace quorvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const AccountNames names = parseAccountNames(bytes);

    AccountNames kept;
    std::size_t filled = 0;
    bool quoted = false;
    for (const std::string& name : names) {
        FUZZ_CHECK(name.empty() || name.size() >= 3, "a box holds a name of one or two characters");
        FUZZ_CHECK(name.find_first_of("\r\n") == std::string::npos, "a name holds a line end");
        quoted = quoted || name.find('"') != std::string::npos;
        if (!name.empty()) kept[filled++] = name;
    }
    const std::string written = composeAccountNames(names);
    if (!quoted) FUZZ_CHECK(parseAccountNames(written) == kept, "the names do not read back as written");
    return 0;
}
