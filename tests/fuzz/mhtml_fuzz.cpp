// libFuzzer entry: any bytes given to the archive decoder, and every part it
// finds looked up again. Build with -DQUORVALE_FUZZ=ON and clang.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "mhtml/mhtml.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const qv::MhtmlArchive archive = qv::DecodeMhtml(bytes);
    for (const qv::MhtmlPart& part : archive.parts) {
        archive.Find(part.location);
        archive.Find("cid:" + part.contentId);
        qv::PartText(part);
    }
    return 0;
}
