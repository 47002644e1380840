// The settings file reader on any bytes: never reads out of bounds, and what
// it reads writes out as a file that reads back whole, undamaged and equal.
#include "store/SettingsFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    const ParsedSettings parsed = ParseSettings(std::string_view(reinterpret_cast<const char*>(bytes), size));
    const std::string written = FormatSettings(parsed.document);
    const ParsedSettings reread = ParseSettings(written);
    if (reread.damaged || FormatSettings(reread.document) != written)
        std::abort();
    for (const SettingsKey& key : parsed.document.keys) {
        const SettingsKey* found = reread.document.FindKey(key.path);
        if (found == nullptr || found->values.size() != key.values.size())
            std::abort();
        for (const SettingsValue& value : key.values) {
            const SettingsValue* same = found->FindValue(value.name);
            if (same == nullptr || same->isString != value.isString || same->bytes != value.bytes)
                std::abort();
        }
    }
    return 0;
}
